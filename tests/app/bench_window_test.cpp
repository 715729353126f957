// Several chargers watched at once: every bay has its own link, state, reconnecting and
// journal; the detail screens and their commands follow the bay chosen; a receipt goes
// out beside the chargers' links; one bay's troubles leave the others alone.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <map>

#include "bench/Bench.h"
#include "gui_wait.h"
#include "journal/Journal.h"
#include "journal/JournalRecorder.h"
#include "link/ChargerLink.h"
#include "link/LinkController.h"
#include "link/RememberedDevices.h"
#include "link/SimulatedDevices.h"
#include "link/Transport.h"
#include "monitor/ChartScreen.h"
#include "shell/TVLForm.h"
#include "simulated_window.h"

using namespace velmora;

namespace {

constexpr int kTickMs = 40;  // real time per simulated second
constexpr int kDeadlineMs = 60000;
const QStringList kChargers{QStringLiteral("sim:charger"), QStringLiteral("sim:charger-2"),
                            QStringLiteral("sim:charger-3")};

SimulatorOptions benchCharger() {
    SimulatorOptions simulator;
    simulator.tickMs = kTickMs;
    simulator.durations.diagnosis = 4;
    simulator.durations.constantCurrent =
        600;  // charging all through a test, even on a busy machine
    simulator.durations.constantVoltage1 = 20;
    simulator.durations.constantVoltage2 = 10;
    return simulator;
}

class BenchWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_documents.isValid());
        m_window =
            velmora::testing::simulatedWindow(m_documents.path(), m_messages, benchCharger());
        m_window->linkControl().setReconnectSchedule({{100}, 100, 600000});
        m_window->Timerloop()->stop();  // the test gives the refresh ticks
        // The bench it remembers stays with this test, out of every other window's way.
        bench().setRemembered(RememberedDevices(m_documents.filePath(QStringLiteral("bench.ini"))));
        for (const QString& address : kChargers) addBay(address);
        ASSERT_EQ(bench().count(), 3);
        ASSERT_TRUE(tickUntil([&] { return allUp(); })) << m_messages.join('\n').toStdString();
    }
    Bench& bench() { return m_window->bench(); }
    void addBay(const QString& address) {
        const auto refused = bench().add(address);
        ASSERT_FALSE(refused) << refused->toStdString();
        for (int i = 0; i < bench().count(); ++i) {
            bench().bay(i).link().setReaderTiming({100, 5});  // keeps the charger's pace
            bench().bay(i).control().setReconnectSchedule({{100}, 100, 600000});
        }
    }
    bool allUp() {
        for (int i = 0; i < bench().count(); ++i)
            if (!bench().bay(i).control().chargerLinkUp()) return false;
        return true;
    }
    // Refresh ticks at the chargers' pace until `done`.
    bool tickUntil(const std::function<bool()>& done) {
        QElapsedTimer paced;
        paced.start();
        return processEventsUntil(
            [&] {
                if (paced.elapsed() >= kTickMs) {
                    paced.restart();
                    m_window->TimerloopTimer();
                    m_window->Timerloop()->stop();
                }
                return done();
            },
            kDeadlineMs);
    }
    Measurement measured(int bay) { return bench().bay(bay).state().measurement(); }
    bool charging(int bay) {
        const Measurement m = measured(bay);
        return m.stageNumber >= 2 && m.stageNumber <= 4;
    }
    std::string bayStates() {
        std::string text;
        for (int i = 0; i < bench().count(); ++i) {
            ChargerBay& bay = bench().bay(i);
            const auto id = bay.journal().recordingSessionId();
            text += QStringLiteral("[%1 stage %2 recording %3 heard %4] ")
                        .arg(i)
                        .arg(bay.state().measurement().stageNumber)
                        .arg(id ? *id : -1)
                        .arg(bay.link().heard())
                        .toStdString();
        }
        return text;
    }
    std::vector<journal::SessionSummary> sessions() {
        journal::JournalOptions look;
        look.create = false;
        look.readOnly = true;
        return journal::Journal::open(m_window->journal().nativePath(), look)->list();
    }
    void closeJournals() {
        for (int i = 0; i < bench().count(); ++i) bench().bay(i).journal().sync();
    }

    QTemporaryDir m_documents;
    QStringList m_messages;
    std::unique_ptr<TVLForm> m_window;
};

TEST_F(BenchWindowTest, EveryBayWatchesItsOwnChargerAndRecordsItsOwnCharge) {
    ASSERT_TRUE(tickUntil([&] { return charging(0) && charging(1) && charging(2); }));
    // The window's own bay is the first; the others own their link and receive thread.
    EXPECT_FALSE(bench().bay(0).ownsParts());
    EXPECT_TRUE(bench().bay(1).ownsParts());
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(bench().bay(i).link().readerRunning()) << i;
        EXPECT_EQ(bench().bay(i).device()->address, kChargers.at(i));
        EXPECT_EQ(bench().bay(i).label(), QStringLiteral("Rak %1").arg(i + 1));
    }
    EXPECT_NE(&bench().bay(1).state(), &bench().bay(2).state());
    // The same device is never watched twice.
    EXPECT_TRUE(bench().add(kChargers.at(1)));
    EXPECT_EQ(bench().count(), 3);

    std::map<std::string, int> byDevice;
    ASSERT_TRUE(tickUntil([&] {
        closeJournals();
        byDevice.clear();
        for (const auto& s : sessions()) ++byDevice[s.start.deviceAddress];
        return byDevice.size() == 3;
    })) << bayStates()
        << m_messages.join('\n').toStdString();
    for (const auto& s : sessions()) {
        EXPECT_EQ(s.start.kind, journal::SessionKind::Charge);
        // Kept with the bay's name, beside the charger's.
        const int bay =
            static_cast<int>(kChargers.indexOf(QString::fromStdString(s.start.deviceAddress)));
        ASSERT_GE(bay, 0);
        EXPECT_EQ(s.start.bayLabel, QStringLiteral("Rak %1").arg(bay + 1).toStdString());
    }
    // Every card follows its own charger.
    const QVector<BayView> views = bench().views();
    ASSERT_EQ(views.size(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(views.at(i).link, BayView::Link::Live) << i;
        EXPECT_EQ(views.at(i).deviceAddress, kChargers.at(i));
    }
}

TEST_F(BenchWindowTest, TheScreensAndTheirCommandsFollowTheChosenBay) {
    ASSERT_TRUE(tickUntil([&] { return charging(0) && charging(1) && charging(2); }));
    ASSERT_TRUE(tickUntil([&] { return m_window->chartScreen()->data().voltage.size() > 3; }));
    // A bay not shown gathers its own points and draws them on its card.
    ASSERT_TRUE(tickUntil([&] { return bench().views().at(2).curve.size() >= 3; }));
    const std::size_t ownPoints = m_window->chartScreen()->data().voltage.size();
    const std::size_t thirdPoints = bench().bay(2).chart().voltage.size();
    ASSERT_GT(thirdPoints, 0u);

    bench().select(2);
    EXPECT_EQ(&m_window->shownState(), &bench().bay(2).state());
    // The charts now hold the third bay's points, gathered while it was not shown.
    EXPECT_EQ(m_window->chartScreen()->data().voltage.size(), thirdPoints);
    EXPECT_EQ(bench().bay(0).chart().voltage.size(), ownPoints);
    ASSERT_TRUE(tickUntil([&] { return m_window->chartScreen()->data().voltage.size() > 3; }));

    // Force stop goes to the shown charger only.
    m_window->RForceYesClick();
    ASSERT_TRUE(tickUntil([&] { return measured(2).stageNumber == 0; }));
    const int before0 = measured(0).elapsedSeconds, before1 = measured(1).elapsedSeconds;
    ASSERT_TRUE(tickUntil([&] {
        return measured(0).elapsedSeconds > before0 + 3 && measured(1).elapsedSeconds > before1 + 3;
    }));
    EXPECT_TRUE(charging(0));
    EXPECT_TRUE(charging(1));
    EXPECT_EQ(measured(2).stageNumber, 0);

    // Back to the first bay: its own points come back to the charts.
    bench().select(0);
    EXPECT_EQ(&m_window->shownState(), &m_window->state());
    EXPECT_GE(m_window->chartScreen()->data().voltage.size(), ownPoints);
}

TEST_F(BenchWindowTest, ABayThatDropsLeavesTheOthersGoingAndComesBack) {
    ASSERT_TRUE(tickUntil([&] { return charging(1); }));
    bench().bay(1).link().linkSocket()->release();  // the charger goes out of range
    const int before0 = measured(0).elapsedSeconds, before2 = measured(2).elapsedSeconds;
    ASSERT_TRUE(tickUntil([&] { return bench().bay(1).control().reconnecting(); }));
    EXPECT_EQ(bench().views().at(1).link, BayView::Link::Reconnecting);
    ASSERT_TRUE(tickUntil([&] {
        return measured(0).elapsedSeconds > before0 + 3 && measured(2).elapsedSeconds > before2 + 3;
    }));
    EXPECT_TRUE(bench().bay(0).control().chargerLinkUp());
    EXPECT_TRUE(bench().bay(2).control().chargerLinkUp());
    ASSERT_TRUE(tickUntil([&] { return bench().views().at(1).link == BayView::Link::Live; }));
    EXPECT_TRUE(bench().bay(1).control().chargerLinkUp());
}

TEST_F(BenchWindowTest, AReceiptGoesOutBesideTheChargersLinks) {
    ASSERT_TRUE(tickUntil([&] { return charging(0) && charging(1); }));
    bench().select(1);
    QSignalSpy printed(m_window.get(), &TVLForm::printFinished);
    m_window->BTPrintClick();
    QComboBox* devices = m_window->control<QComboBox>(QStringLiteral("ComboDevice"));
    devices->setCurrentIndex(devices->findText(DevicePlatform::kSimulatedPrinter));
    m_window->BTConnectClick();
    ASSERT_TRUE(tickUntil([&] { return printed.count() > 0; }))
        << m_messages.join('\n').toStdString();
    EXPECT_TRUE(printed.at(0).at(0).toString().isEmpty());
    EXPECT_FALSE(static_cast<DevicePlatform&>(m_window->platform()).takePrintedBytes().empty());
    // No charger was handed over: every link stayed up the whole time.
    EXPECT_TRUE(allUp());
    EXPECT_FALSE(m_window->link().peerIsPrinter());
}

TEST_F(BenchWindowTest, RemovingABayDuringAChargeEndsItsThreadAndKeepsItsSession) {
    ASSERT_TRUE(
        tickUntil([&] { return charging(2) && bench().bay(2).journal().recordingSessionId(); }));
    bench().select(2);
    bench().remove(2);
    EXPECT_EQ(bench().count(), 2);
    EXPECT_EQ(bench().shownIndex(), 0);
    const int before = measured(1).elapsedSeconds;
    ASSERT_TRUE(tickUntil([&] { return measured(1).elapsedSeconds > before + 3; }));
    closeJournals();
    int removed = 0;
    for (const auto& s : sessions()) {
        if (s.start.deviceAddress != "sim:charger-3") continue;
        ++removed;
        EXPECT_TRUE(s.endMs.has_value());  // ended, and written whole
        EXPECT_EQ(s.stopReason, "stoppedWatching");
        EXPECT_GT(s.pointCount, 0);
    }
    EXPECT_EQ(removed, 1);
    // Free again: it can be watched anew.
    EXPECT_FALSE(bench().add(QStringLiteral("sim:charger-3")));
}

}  // namespace

namespace {

// `--connect` and the remembered bench: chargers watched from start-up without a click.
class BenchStartTest : public ::testing::Test {
protected:
    std::unique_ptr<TVLForm> window() {
        auto w = velmora::testing::simulatedWindow(m_documents.path(), m_messages, benchCharger());
        w->bench().setRemembered(RememberedDevices(m_documents.filePath("settings.ini")));
        return w;
    }
    static bool watching(TVLForm& w, const QStringList& addresses) {
        if (w.bench().count() != addresses.size()) return false;
        for (int i = 0; i < addresses.size(); ++i) {
            const auto device = w.bench().bay(i).device();
            if (!device || device->address != addresses.at(i) ||
                !w.bench().bay(i).control().chargerLinkUp())
                return false;
        }
        return true;
    }
    QTemporaryDir m_documents;
    QStringList m_messages;
};

TEST_F(BenchStartTest, ChargersNamedAtStartUpAreWatchedOneBayEach) {
    auto w = window();
    const QStringList chargers{QStringLiteral("sim:charger-2"), QStringLiteral("sim:charger-4")};
    w->setChargersToWatch(chargers + QStringList{QStringLiteral("sim:nothing-here")});
    w->FormShow();
    EXPECT_TRUE(processEventsUntil([&] { return watching(*w, chargers); }, kDeadlineMs));
    // The address no device answers to is said, the others are watched all the same.
    ASSERT_EQ(m_messages.size(), 1);
    EXPECT_TRUE(m_messages.first().startsWith(QStringLiteral("sim:nothing-here")));
}

TEST_F(BenchStartTest, TheBenchComesBackWithItsLabels) {
    const QStringList chargers{QStringLiteral("sim:charger"), QStringLiteral("sim:charger-3")};
    {
        auto first = window();
        for (const QString& address : chargers) ASSERT_FALSE(first->bench().add(address));
        first->bench().setLabel(1, QStringLiteral("Rak Aki Basah"));
        ASSERT_TRUE(processEventsUntil([&] { return watching(*first, chargers); }, kDeadlineMs));
    }
    auto again = window();
    again->bench().restoreBays();
    EXPECT_TRUE(processEventsUntil([&] { return watching(*again, chargers); }, kDeadlineMs));
    EXPECT_EQ(again->bench().bay(1).label(), QStringLiteral("Rak Aki Basah"));
}

}  // namespace
