#include <QComboBox>
#include <QLabel>
#include <QSignalSpy>

#include "gui_wait.h"
#include "link/Commands.h"
#include "link/SimulatedDevices.h"
#include "link/SocketTransport.h"
#include "simulator/ChargerSimulator.h"
#include "widgets/SlideInDialog.h"
#include "window_fixture.h"

using namespace velmora;
using namespace velmora::testing;

namespace {

const QString kBluetoothOff = QStringLiteral("Nyalakan bluetooth anda");
const QString kUnreachable = QStringLiteral("Matikan lalu hidupkan lagi charger anda");

class ConnectionTest : public WindowTest {
protected:
    // Everything the charger end of socket n has received so far.
    std::string received(size_t n) {
        std::string all;
        while (true) {
            std::string chunk = m_bt->peers.at(n)->receive(0);
            if (chunk.empty()) return all;
            all += chunk;
        }
    }
    ui::SlideInDialog* connectionDialog() { return control<ui::SlideInDialog>("LayoutConnection"); }
};

TEST_F(ConnectionTest, StartUpListsPairedDevicesAndSelectsTheFirst) {
    m_window->FormShow();
    auto* box = control<QComboBox>("ComboDevice");
    ASSERT_EQ(box->count(), 2);
    EXPECT_EQ(box->itemText(0), "VELMORA-CHG");
    EXPECT_EQ(box->currentIndex(), 0);
    box->setCurrentIndex(1);
    // Opening the box lists afresh and keeps the device chosen while it is still listed.
    m_bt->devices.prepend({QStringLiteral("NEW"), QStringLiteral("AA:AA:AA:AA:AA:AA"), true});
    m_window->ComboDeviceClick();
    EXPECT_EQ(box->count(), 3);
    EXPECT_EQ(box->currentText(), "RPP02N");
    m_bt->devices.removeLast();  // unpaired meanwhile: the first one
    m_window->ComboDeviceClick();
    EXPECT_EQ(box->currentIndex(), 0);
    EXPECT_TRUE(m_messages.isEmpty());
}

TEST_F(ConnectionTest, NoBluetoothIsQuietAtStartUpAndReportedInTheDialogs) {
    m_bt->radio = false;
    m_window->FormShow();
    EXPECT_EQ(m_bt->enableRequests, 1);
    EXPECT_TRUE(m_messages.isEmpty());
    EXPECT_EQ(control<QComboBox>("ComboDevice")->count(), 0);
    m_window->BTConnectionClick();
    m_window->BTPrintClick();
    EXPECT_EQ(m_messages, QStringList({kBluetoothOff, kBluetoothOff}));
    EXPECT_TRUE(connectionDialog()->isVisibleTo(m_window->content()));  // opens all the same
}

TEST_F(ConnectionTest, DialogModes) {
    m_window->BTPrintClick();
    EXPECT_EQ(control<QAbstractButton>("BTConnect")->text(), "Print Charge");
    EXPECT_TRUE(control("LBTPrint")->isVisibleTo(m_window->content()));
    EXPECT_TRUE(control("IMPrinter")->isVisibleTo(m_window->content()));
    EXPECT_LT(control("LBTConnect")->x(), control("LBTPrint")->x());
    EXPECT_TRUE(m_window->printerPanelMode());
    EXPECT_FALSE(m_window->chargerPanelMode());
    m_window->BTConnectionClick();
    EXPECT_EQ(control<QAbstractButton>("BTConnect")->text(), "Sambungkan");
    EXPECT_FALSE(control("LBTPrint")->isVisibleTo(m_window->content()));
    EXPECT_TRUE(control("IMCharger")->isVisibleTo(m_window->content()));
    EXPECT_EQ(control("LBTConnect")->x(), (400 - control("LBTConnect")->width()) / 2);
    EXPECT_TRUE(m_window->chargerPanelMode());
    EXPECT_EQ(control<QLabel>("LPair")->text(), "Pilih Perangkat Charger");
}

TEST_F(ConnectionTest, ConnectingStartsTimerReaderAndSendsStartCommand) {
    m_window->FormShow();
    ASSERT_TRUE(connectCharger());
    EXPECT_FALSE(connectionDialog()->isVisible());
    EXPECT_TRUE(m_window->Timerloop()->isActive());
    EXPECT_TRUE(m_window->link().readerRunning());
    EXPECT_FALSE(m_window->link().readerStop());
    EXPECT_EQ(received(0), commands::kStart);

    m_bt->peers[0]->send("#|1|2|1325|2500|61|45|*\r\n");
    ASSERT_TRUE(processEventsUntil([&] { return m_window->state().snapshot().stageNumber == 2; }));

    // "Sambungkan" again replaces the link: the first reader ends before its socket goes.
    ASSERT_TRUE(connectCharger());
    EXPECT_THROW(m_bt->peers[0]->receive(0), LinkError);  // the old link was released
    EXPECT_EQ(received(1), commands::kStart);
    EXPECT_TRUE(m_window->link().readerRunning());
}

TEST_F(ConnectionTest, FailuresKeepTheDialogOpenWithoutTimerOrThread) {
    m_window->FormShow();
    m_bt->refuseConnect = true;
    EXPECT_FALSE(connectCharger());
    EXPECT_EQ(m_messages, QStringList{kUnreachable});
    EXPECT_TRUE(connectionDialog()->isVisibleTo(m_window->content()));
    EXPECT_FALSE(m_window->Timerloop()->isActive());
    EXPECT_FALSE(m_window->link().readerRunning());

    // An empty device box is reported the same way.
    m_messages.clear();
    m_bt->devices.clear();
    m_window->FormShow();
    EXPECT_FALSE(connectCharger());
    EXPECT_EQ(m_messages, QStringList{kUnreachable});

    // A device that is no longer paired: nothing is said, the dialog stays.
    m_messages.clear();
    m_bt->devices = {{"VELMORA-CHG", "00:11:22:33:44:55", true}};
    m_window->FormShow();
    m_bt->unpairedNow << "00:11:22:33:44:55";
    const size_t sockets = m_bt->peers.size();
    EXPECT_FALSE(connectCharger());
    EXPECT_EQ(m_bt->peers.size(), sockets);  // no socket was even made
    EXPECT_TRUE(m_messages.isEmpty());
}

TEST_F(ConnectionTest, LostLinkIsShownUntilTheNextConnect) {
    m_window->FormShow();
    ASSERT_TRUE(connectCharger());
    m_bt->peers[0]->release();  // the charger is switched off
    ASSERT_TRUE(processEventsUntil([&] {
        m_window->TimerloopTimer();
        return control<QLabel>("LLinkStatus")->text() == "Koneksi terputus";
    }));
    EXPECT_TRUE(m_window->Timerloop()->isActive());  // the timer keeps running
    ASSERT_TRUE(connectCharger());
    m_window->TimerloopTimer();
    EXPECT_NE(control<QLabel>("LLinkStatus")->text(), "Koneksi terputus");
}

TEST_F(ConnectionTest, StatusNamesTheConnectedDeviceNotThePickedOne) {
    auto status = [this] { return control<QLabel>("LLinkStatus")->text(); };
    m_window->FormShow();
    ASSERT_TRUE(connectCharger());
    m_window->TimerloopTimer();
    EXPECT_EQ(status(), "Terhubung: VELMORA-CHG");

    // Opening the print dialog and picking the printer connects nothing yet.
    m_window->BTPrintClick();
    control<QComboBox>("ComboDevice")->setCurrentIndex(1);
    m_window->TimerloopTimer();
    EXPECT_EQ(status(), "Terhubung: VELMORA-CHG");

    QSignalSpy finished(m_window.get(), &TVLForm::connectionFinished);
    QSignalSpy printed(m_window.get(), &TVLForm::printFinished);
    m_window->BTConnectClick();
    ASSERT_TRUE(finished.wait(20000));
    ASSERT_TRUE(printed.count() == 1 || printed.wait(20000));  // the receipt goes out first
    EXPECT_EQ(status(), "Printer: RPP02N");

    // Back in the charger dialog, the printer is still what is connected.
    m_window->BTConnectionClick();
    EXPECT_EQ(status(), "Printer: RPP02N");
}

// A long device name fits the status box: cut in the middle with "…", so its end still
// tells it apart, the whole status in the tooltip.
TEST_F(ConnectionTest, LongDeviceNameIsElidedWithTheWholeStatusInTheTooltip) {
    const struct {
        QString name;
        bool cut;
    } cases[] = {{"VELMORA-CHG", false},
                 {"Bengkel Aki Sumber Makmur Jaya Charger Nomor Dua", true},
                 {"VELMORA-CHARGER-BENGKEL-SUMBER-MAKMUR-02", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name.toStdString());
        m_bt->devices[0].name = c.name;
        m_window = std::make_unique<TVLForm>(std::make_unique<FakePlatform>(m_bt), 1366);
        m_window->FormShow();
        ASSERT_TRUE(connectCharger());
        m_window->TimerloopTimer();
        auto* status = control<QLabel>("LLinkStatus");
        const QString whole = "Terhubung: " + c.name;
        EXPECT_EQ(status->text() == whole, !c.cut);
        EXPECT_EQ(status->toolTip(), c.cut ? whole : QString());
        if (c.cut) {
            EXPECT_TRUE(status->text().contains(QChar(0x2026)));
            EXPECT_TRUE(status->text().startsWith("Terhubung: "));
            EXPECT_TRUE(status->text().endsWith(c.name.right(3))) << status->text().toStdString();
        }
        const QRect needed = status->fontMetrics().boundingRect(
            status->contentsRect(), Qt::TextWordWrap | status->alignment(), status->text());
        EXPECT_LE(needed.width(), status->contentsRect().width());
        EXPECT_LE(needed.height(), status->contentsRect().height());
    }
}

TEST_F(ConnectionTest, AChargerThatSendsNothingIsReportedUntilItSends) {
    auto now = std::chrono::steady_clock::now();
    m_window->link().setClock([&now] { return now; });
    m_window->link().setReaderTiming({100, 10});
    auto status = [this] {
        m_window->TimerloopTimer();
        return control<QLabel>("LLinkStatus")->text();
    };
    m_window->FormShow();
    ASSERT_TRUE(connectCharger());
    EXPECT_EQ(received(0), commands::kStart);

    now += ChargerLink::kAnswerPatience - std::chrono::seconds(1);
    EXPECT_EQ(status(), "Terhubung: VELMORA-CHG");
    now += std::chrono::seconds(1);
    EXPECT_EQ(status(), "Perangkat tidak menjawab");

    m_bt->peers[0]->send("#|STANDBY|*\r\n");
    EXPECT_TRUE(processEventsUntil([&] { return status() == "Terhubung: VELMORA-CHG"; }));
    now += ChargerLink::kAnswerPatience * 4;  // an answered charger is not called silent later
    EXPECT_EQ(status(), "Terhubung: VELMORA-CHG");

    // A new connection waits for an answer afresh.
    ASSERT_TRUE(connectCharger());
    now += ChargerLink::kAnswerPatience;
    EXPECT_EQ(status(), "Perangkat tidak menjawab");
}

TEST_F(ConnectionTest, PrintChargeHandsTheLinkToThePrinter) {
    m_window->FormShow();
    ASSERT_TRUE(connectCharger());
    m_window->BTPrintClick();
    control<QComboBox>("ComboDevice")->setCurrentIndex(1);
    QSignalSpy finished(m_window.get(), &TVLForm::connectionFinished);
    QSignalSpy printed(m_window.get(), &TVLForm::printFinished);
    m_window->BTConnectClick();
    ASSERT_TRUE(finished.wait(20000));
    ASSERT_TRUE(printed.count() == 1 || printed.wait(20000));
    EXPECT_FALSE(m_window->Timerloop()->isActive());
    EXPECT_FALSE(m_window->link().readerRunning());
    EXPECT_TRUE(m_window->link().connected());
    EXPECT_FALSE(connectionDialog()->isVisible());
    EXPECT_EQ(m_bt->secureFlags.back(), false);
    // The charger link is closed: the dashboard no longer follows the charger.
    EXPECT_THROW(m_bt->peers[0]->send("#|1|3|1400|1000|10|80|*\r\n"), LinkError);
}

TEST_F(ConnectionTest, UnpairedPrinterGetsOneSecureTry) {
    m_window->FormShow();
    m_window->BTPrintClick();
    control<QComboBox>("ComboDevice")->setCurrentIndex(1);
    m_bt->unpairedNow << "66:77:88:99:AA:BB";
    QSignalSpy finished(m_window.get(), &TVLForm::connectionFinished);
    m_window->BTConnectClick();
    ASSERT_TRUE(finished.wait(20000));
    ASSERT_EQ(m_bt->secureFlags.size(), 1u);
    EXPECT_TRUE(m_bt->secureFlags[0]);
}

TEST_F(ConnectionTest, ForceStopSendsOnlyOnConfirmation) {
    auto* dialog = control<ui::SlideInDialog>("LayoutForceStop");
    // Without a link: the dialog closes, nothing is said.
    m_window->BTForceStopClick();
    EXPECT_TRUE(dialog->isVisibleTo(m_window->content()));
    m_window->RForceYesClick();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_TRUE(m_messages.isEmpty());

    m_window->FormShow();
    ASSERT_TRUE(connectCharger());
    received(0);
    m_window->BTForceStopClick();
    m_window->RForceNoClick();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(received(0), "");
    for (int i = 0; i < 2; ++i) {
        m_window->BTForceStopClick();
        m_window->RForceYesClick();
    }
    EXPECT_EQ(received(0), "#4|1*#4|1*");

    // A send that fails is reported, and the dialog still closes.
    m_window->link().stopReader();
    m_bt->peers[0]->release();
    m_window->BTForceStopClick();
    m_window->RForceYesClick();
    EXPECT_FALSE(dialog->isVisible());
}

// The real connection path against the simulated charger over a loopback socket: the
// dashboard follows a charge.
TEST(ConnectionEndToEndTest, DashboardFollowsASimulatedChargeOverASocket) {
    SocketListener listener("tcp:127.0.0.1:0");
    const QString address = QString::fromStdString(listener.address());
    std::unique_ptr<ChargerSimulator> charger;
    std::thread acceptor([&] {
        std::shared_ptr<Transport> end = listener.accept(20000);
        if (!end) return;
        SimulatorOptions options;
        options.tickMs = 20;
        options.durations = {1, 1, 3, 200, 10, 8, 6};
        charger = std::make_unique<ChargerSimulator>(end, options);
        charger->start();
    });

    TVLForm window(std::make_unique<DevicePlatform>(nullptr, true, QStringList{address}), 1366);
    window.link().setReaderTiming({200, 50});
    window.setMessageSink([](const QString& text) { ADD_FAILURE() << text.toStdString(); });
    window.FormShow();
    auto* box = window.control<QComboBox>(QStringLiteral("ComboDevice"));
    const int index = box->findText(DevicePlatform::kSimulatedCharger + " (" + address + ")");
    ASSERT_GE(index, 0);
    window.BTConnectionClick();
    box->setCurrentIndex(index);
    QSignalSpy finished(&window, &TVLForm::connectionFinished);
    window.BTConnectClick();
    ASSERT_TRUE(finished.wait(20000));
    acceptor.join();
    ASSERT_TRUE(charger);

    auto* voltage = window.control<QLabel>(QStringLiteral("LVoltage"));
    auto* stage = window.control<QLabel>(QStringLiteral("LChargingProgress"));
    QStringList voltages;
    ASSERT_TRUE(processEventsUntil([&] {
        window.TimerloopTimer();
        if (!voltages.contains(voltage->text())) voltages << voltage->text();
        return stage->text() == "CONSTANT CURRENT" && voltages.size() > 3;
    }));
    EXPECT_EQ(
        window.control<QLabel>(QStringLiteral("LbStage2"))->palette().color(QPalette::WindowText),
        QColor(Qt::white));
    EXPECT_TRUE(window.control<QLabel>(QStringLiteral("LProgress"))->text().endsWith('%'));
    window.link().stopReaderAndRelease();
    charger->stop();
}

}  // namespace
