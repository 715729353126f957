// Receipt printers on the network, the printer box keeping its choice and devices told apart
// by the names shown: through the window's own dialog and print path.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSettings>
#include <QSignalSpy>
#include <QTest>
#include <thread>

#include "fake_platform.h"
#include "gui_wait.h"
#include "link/ConnectionDialog.h"
#include "link/DeviceComboBox.h"
#include "link/LinkStatus.h"
#include "link/SimulatedDevices.h"
#include "link/SocketTransport.h"
#include "monitor/DashboardScreen.h"
#include "shell/TVLForm.h"

using namespace velmora;
using namespace velmora::testing;

namespace {

// A receipt printer listening on a local socket: takes one connection and keeps every byte
// until the window closes it.
class SocketPrinter {
public:
    SocketPrinter() : m_listener("tcp:127.0.0.1:0") {
        m_thread = std::thread([this] {
            std::shared_ptr<Transport> end = m_listener.accept(20000);
            if (!end) return;
            try {
                for (;;) m_bytes += end->receive(100);
            } catch (const LinkError&) {
                m_closed = true;  // the window let go once the receipt was out
            }
        });
    }
    ~SocketPrinter() {
        m_listener.close();
        if (m_thread.joinable()) m_thread.join();
    }
    QString address() const { return QString::fromStdString(m_listener.address()); }
    // Everything printed, once the window closed the connection (or the deadline passed).
    std::string printed() {
        m_thread.join();
        return m_bytes;
    }
    bool closedByWindow() const { return m_closed; }

private:
    SocketListener m_listener;
    std::thread m_thread;
    std::string m_bytes;
    bool m_closed = false;
};

class NetworkPrinterTest : public ::testing::Test {
protected:
    void SetUp() override {
        QSettings(QStringLiteral("Velmora"), QStringLiteral("Velmora Tester")).clear();
        m_bt = std::make_shared<FakePlatform::Shared>();
        m_bt->devices = {{QStringLiteral("VELMORA-CHG"), QStringLiteral("00:11:22:33:44:55"), true},
                         {QStringLiteral("RPP02N"), QStringLiteral("66:77:88:99:AA:BB"), true}};
    }
    // A window on the scripted Bluetooth stack with the network printers given.
    void makeWindow(const QStringList& networkPrinters = {}) {
        auto platform =
            std::make_unique<DevicePlatform>(std::make_unique<FakePlatform>(m_bt), false);
        for (const QString& address : networkPrinters) platform->addNetworkPrinter(address);
        m_window = std::make_unique<TVLForm>(std::move(platform), 1366);
        m_window->setMessageSink([this](const QString& text) { m_messages << text; });
        m_window->FormShow();
    }
    QComboBox* devices() { return m_window->control<QComboBox>(QStringLiteral("ComboDevice")); }
    bool connectCharger() {
        m_window->BTConnectionClick();
        devices()->setCurrentIndex(devices()->findText(QStringLiteral("VELMORA-CHG")));
        QSignalSpy finished(m_window.get(), &TVLForm::connectionFinished);
        m_window->BTConnectClick();
        return finished.wait(20000) && finished.at(0).at(0).toBool();
    }
    void choose(const QString& name) {
        const int index = devices()->findText(name);
        ASSERT_GE(index, 0) << name.toStdString();
        devices()->setCurrentIndex(index);
    }

    std::shared_ptr<FakePlatform::Shared> m_bt;
    std::unique_ptr<TVLForm> m_window;
    QStringList m_messages;
};

TEST_F(NetworkPrinterTest, BothReceiptsGoToANetworkPrinterWhileTheChargerIsWatchedOn) {
    struct Case {
        const char* name;
        bool charge;
        const char* title;  // on the receipt
    };
    for (const Case& c : {Case{"Print Charge", true, "BEFORE CHARGING"},
                          Case{"Print Test", false, "TEST REPORT"}}) {
        SCOPED_TRACE(c.name);
        SocketPrinter printer;
        makeWindow({printer.address()});
        ASSERT_TRUE(connectCharger());
        const size_t sockets = m_bt->peers.size();

        m_window->BTPrintClick();
        choose(DevicePlatform::networkPrinterName(printer.address()));
        QSignalSpy printed(m_window.get(), &TVLForm::printFinished);
        if (c.charge)
            m_window->BTConnectClick();
        else
            m_window->BTReportClick();
        ASSERT_TRUE(printed.wait(20000));
        EXPECT_TRUE(printed.at(0).at(0).toString().isEmpty())
            << printed.at(0).at(0).toString().toStdString();

        const std::string bytes = printer.printed();
        EXPECT_TRUE(printer.closedByWindow());
        EXPECT_EQ(bytes.rfind("\x1B\x33\x00\x1B\x61\x01", 0), 0u);
        EXPECT_NE(bytes.find("INFORMATION"), std::string::npos);
        EXPECT_NE(bytes.find(c.title), std::string::npos);
        // No Bluetooth link was made or handed over: the charger is still watched.
        EXPECT_EQ(m_bt->peers.size(), sockets);
        EXPECT_TRUE(m_window->link().connected());
        EXPECT_FALSE(m_window->link().peerIsPrinter());
        EXPECT_TRUE(m_window->link().readerRunning());
        EXPECT_TRUE(m_window->Timerloop()->isActive());
        EXPECT_TRUE(m_window->linkControl().chargerLinkUp());
        EXPECT_FALSE(m_window->connectionDialog()->isVisible());
        EXPECT_TRUE(m_messages.isEmpty()) << m_messages.join(" | ").toStdString();
        // The next print dialog starts from it.
        m_window->BTPrintClick();
        EXPECT_EQ(devices()->currentText(), DevicePlatform::networkPrinterName(printer.address()));
        m_window->RectLayoutBTClick();
        m_window.reset();
        QSettings(QStringLiteral("Velmora"), QStringLiteral("Velmora Tester")).clear();
    }
}

TEST_F(NetworkPrinterTest, APrinterThatDoesNotAnswerIsSaidAndTheChargerStaysUp) {
    QString address;
    {
        SocketListener gone("tcp:127.0.0.1:0");  // a port nobody listens on once closed
        address = QString::fromStdString(gone.address());
    }
    makeWindow({address});
    ASSERT_TRUE(connectCharger());
    m_window->BTPrintClick();
    choose(DevicePlatform::networkPrinterName(address));
    QSignalSpy printed(m_window.get(), &TVLForm::printFinished);
    m_window->BTConnectClick();
    ASSERT_TRUE(printed.wait(20000));
    EXPECT_TRUE(
        printed.at(0).at(0).toString().startsWith(QStringLiteral("Printer tidak dapat dihubungi")))
        << printed.at(0).at(0).toString().toStdString();
    EXPECT_TRUE(m_window->linkControl().chargerLinkUp());
    EXPECT_FALSE(m_window->printing());
}

TEST_F(NetworkPrinterTest, APrinterAddedByItsAddressIsChosenAndRemembered) {
    makeWindow();
    m_window->BTPrintClick();
    ConnectionDialog* dialog = m_window->connectionDialog();
    ASSERT_TRUE(dialog->BTAddPrinter->isVisible());
    dialog->BTAddPrinter->click();
    ASSERT_TRUE(dialog->EditPrinterAddress->isVisible());
    EXPECT_FALSE(dialog->ComboDevice->isVisible());

    QTest::keyClicks(dialog->EditPrinterAddress, QStringLiteral("192.168.1.300"));
    QTest::keyClick(dialog->EditPrinterAddress, Qt::Key_Return);
    ASSERT_EQ(m_messages.size(), 1);  // refused, the field stays for a correction
    EXPECT_TRUE(dialog->EditPrinterAddress->isVisible());
    EXPECT_TRUE(dialog->isVisible());  // Enter in the field never prints

    dialog->EditPrinterAddress->setText(QStringLiteral("192.168.1.30"));
    QTest::keyClick(dialog->EditPrinterAddress, Qt::Key_Return);
    EXPECT_EQ(m_messages.size(), 1);
    EXPECT_FALSE(dialog->EditPrinterAddress->isVisible());
    EXPECT_EQ(devices()->currentText(), QStringLiteral("Printer 192.168.1.30:9100"));

    dialog->BTAddPrinter->click();  // Escape gives up typing, the dialog stays
    QTest::keyClick(dialog->EditPrinterAddress, Qt::Key_Escape);
    EXPECT_FALSE(dialog->EditPrinterAddress->isVisible());
    EXPECT_TRUE(dialog->isVisible());

    m_window.reset();  // remembered with the other devices across runs
    makeWindow();
    m_window->BTPrintClick();
    EXPECT_GE(devices()->findText(QStringLiteral("Printer 192.168.1.30:9100")), 0);
}

TEST_F(NetworkPrinterTest, ThePrinterBoxKeepsItsChoiceWhenOpenedAndClosedWithoutAPick) {
    makeWindow();
    m_window->linkControl().remembered().remember(RememberedDevices::Role::Printer,
                                                  m_bt->devices.at(1));
    m_window->BTPrintClick();
    EXPECT_EQ(devices()->currentText(), QStringLiteral("RPP02N"));  // the printer used last
    m_window->show();
    QComboBox* box = devices();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(m_window.get()));

    // By the keyboard: Alt+Down opens the list, Escape closes it.
    box->setFocus();
    QTest::keyClick(box, Qt::Key_Down, Qt::AltModifier);
    ASSERT_TRUE(processEventsUntil([&] { return box->view()->isVisible(); }));
    QTest::keyClick(box->view(), Qt::Key_Escape);
    ASSERT_TRUE(processEventsUntil([&] { return !box->view()->isVisible(); }));
    EXPECT_EQ(box->currentText(), QStringLiteral("RPP02N"));

    // By the mouse: a click opens it, the list is closed without a pick.
    QTest::mouseClick(box, Qt::LeftButton);
    ASSERT_TRUE(processEventsUntil([&] { return box->view()->isVisible(); }));
    box->hidePopup();
    EXPECT_EQ(box->currentText(), QStringLiteral("RPP02N"));

    // So the next receipt goes to the printer, not refused as a charger.
    QSignalSpy finished(m_window.get(), &TVLForm::connectionFinished);
    m_window->BTReportClick();
    ASSERT_TRUE(finished.wait(20000));
    EXPECT_TRUE(m_messages.isEmpty()) << m_messages.join(" | ").toStdString();
    EXPECT_TRUE(m_window->link().peerIsPrinter());
}

TEST_F(NetworkPrinterTest, DevicesAreToldApartByTheNamesShown) {
    const QString first = QStringLiteral("tcp:127.0.0.1:5555"),
                  second = QStringLiteral("tcp:127.0.0.1:5556");
    auto platform = std::make_unique<DevicePlatform>(nullptr, true, QStringList{first, second});
    m_window = std::make_unique<TVLForm>(std::move(platform), 1366);
    m_window->setMessageSink([this](const QString& text) { m_messages << text; });
    m_window->FormShow();
    m_window->BTConnectionClick();
    m_window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(m_window.get()));
    auto* box = qobject_cast<DeviceComboBox*>(devices());
    ASSERT_NE(box, nullptr);

    // What the box draws for each socket charger: distinct, and clear of the arrow.
    QStringList drawn;
    for (const QString& address : {first, second}) {
        choose(DevicePlatform::kSimulatedCharger + " (" + address + ")");
        box->grab();  // drawn, as on the screen
        const QString shown = box->shownText();
        drawn << shown;
        EXPECT_NE(shown, box->currentText()) << "long enough to be shortened";
        EXPECT_TRUE(shown.endsWith(address.right(3) + ")")) << shown.toStdString();
        EXPECT_LE(box->fontMetrics().horizontalAdvance(shown), box->textField().width());
        EXPECT_EQ(box->toolTip(), box->currentText());
        EXPECT_EQ(box->itemData(box->currentIndex(), Qt::ToolTipRole).toString(),
                  box->currentText());
    }
    EXPECT_NE(drawn.at(0), drawn.at(1));

    // The dashboard's line names the charger connected, however long its name.
    auto* status = m_window->control<QLabel>(QStringLiteral("LLinkStatus"));
    QStringList lines;
    for (const QString& address : {first, second}) {
        m_window->dashboard()->showLinkStatus({QStringLiteral("Terhubung: ") +
                                                   DevicePlatform::kSimulatedCharger + " (" +
                                                   address + ")",
                                               LinkStatus::Tone::Up});
        lines << status->text();
        EXPECT_TRUE(status->text().startsWith(QStringLiteral("Terhubung: Charger")));
        EXPECT_TRUE(status->text().endsWith(address.right(4) + ")"))
            << status->text().toStdString();
        EXPECT_TRUE(status->toolTip().endsWith(address + ")"));
    }
    EXPECT_NE(lines.at(0), lines.at(1));
}

}  // namespace
