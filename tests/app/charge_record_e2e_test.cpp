// A charge goes on while its link is cut and healed and while a receipt borrows the link:
// whatever the charger answers to the start command of each new connection, the journal
// keeps one session to the charge's real end, and the live chart holds only that charge.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTemporaryDir>

#include "gui_wait.h"
#include "journal/Journal.h"
#include "journal/JournalRecorder.h"
#include "link/ChargerLink.h"
#include "link/LinkController.h"
#include "link/SimulatedDevices.h"
#include "monitor/ChartScreen.h"
#include "shell/TVLForm.h"
#include "simulated_window.h"

using namespace velmora;

namespace {

constexpr int kTickMs = 40;  // real time per simulated second
constexpr int kDeadlineMs = 60000;

// A charge of a few simulated minutes, long enough for a cut and a receipt in its middle.
SimulatorOptions benchCharger(ChargerModel::StartAnswer answer) {
    SimulatorOptions simulator;
    simulator.tickMs = kTickMs;
    simulator.startAnswer = answer;
    simulator.durations.diagnosis = 4;
    simulator.durations.constantCurrent = 120;
    simulator.durations.constantVoltage1 = 30;
    simulator.durations.constantVoltage2 = 20;
    return simulator;
}

class ChargeRecordTest : public ::testing::TestWithParam<ChargerModel::StartAnswer> {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_documents.isValid());
        m_window = velmora::testing::simulatedWindow(m_documents.path(), m_messages,
                                                     benchCharger(GetParam()));
        // A workshop clock that moves one second with each refresh, as the real one does.
        m_window->journal().setClock([this] { return m_now; });
        m_window->linkControl().setReconnectSchedule({{100}, 100, 600000});
        m_window->link().setReaderTiming({100, 5});  // the receive loop keeps the charger's pace
        m_window->Timerloop()->stop();               // the test gives the refresh ticks
    }
    // Refresh ticks at the charger's pace until `done`.
    bool tickUntil(const std::function<bool()>& done) {
        QElapsedTimer paced;
        paced.start();
        return processEventsUntil(
            [&] {
                if (paced.elapsed() >= kTickMs) {
                    paced.restart();
                    m_now += 1000;
                    m_window->TimerloopTimer();
                    m_window->Timerloop()->stop();
                }
                return done();
            },
            kDeadlineMs);
    }
    ChargerState state() { return m_window->state().snapshot(); }
    bool chargingPast(int elapsed) {
        const ChargerState s = state();
        return s.stageNumber >= 2 && s.elapsedSeconds > elapsed;
    }
    bool linkUpAndHeard() {
        return m_window->linkControl().chargerLinkUp() && m_window->link().heard();
    }

    QTemporaryDir m_documents;
    QStringList m_messages;
    std::unique_ptr<TVLForm> m_window;
    int64_t m_now = 1'765'370'000'000;
};

TEST_P(ChargeRecordTest, AHealedLinkAndAReceiptLeaveOneWholeSession) {
    ASSERT_TRUE(velmora::testing::connectSimulatedCharger(*m_window, kDeadlineMs));
    m_window->Timerloop()->stop();
    ASSERT_TRUE(tickUntil([&] { return chargingPast(10); }));

    // The link is cut while the charger goes on charging; it heals by itself.
    const int cutAt = state().elapsedSeconds;
    m_window->link().linkSocket()->release();
    ASSERT_TRUE(tickUntil([&] { return !m_window->linkControl().chargerLinkUp(); }));
    ASSERT_TRUE(tickUntil([&] { return linkUpAndHeard() && chargingPast(cutAt + 10); }));

    // A receipt borrows the link, which comes back to the charger afterwards.
    m_window->BTPrintClick();
    auto* devices = m_window->control<QComboBox>(QStringLiteral("ComboDevice"));
    devices->setCurrentIndex(devices->findText(DevicePlatform::kSimulatedPrinter));
    QSignalSpy printed(m_window.get(), &TVLForm::printFinished);
    const int printedAt = state().elapsedSeconds;
    m_window->BTConnectClick();
    ASSERT_TRUE(printed.wait(kDeadlineMs));
    ASSERT_TRUE(tickUntil([&] { return linkUpAndHeard() && chargingPast(printedAt + 5); }));

    // On to the charge's own end: the after-charge result, then floating.
    ASSERT_TRUE(tickUntil([&] { return !m_window->journal().recordingSessionId(); }));
    m_window->journal().sync();
    journal::JournalOptions look;
    look.create = false;
    const auto journal = journal::Journal::open(m_window->journal().nativePath(), look);
    const auto sessions = journal->list();
    ASSERT_EQ(sessions.size(), 1u);
    EXPECT_EQ(sessions[0].stopReason, "finished");
    EXPECT_FALSE(sessions[0].start.joinedMidCharge);
    const auto session = journal->session(sessions[0].id);
    ASSERT_TRUE(session);
    EXPECT_TRUE(session->summary.results.before);
    EXPECT_TRUE(session->summary.results.after);
    ASSERT_FALSE(session->points.empty());
    EXPECT_LE(session->points.front().stage, 2);
    EXPECT_GE(session->points.back().stage, 5);
    for (const journal::Point& p : session->points) EXPECT_GT(p.voltage, 10.0) << p.offsetMs;

    // The live chart has this charge only, from its start to the end of charging.
    const PointSeries& volts = m_window->chartScreen()->data().voltage;
    ASSERT_FALSE(volts.empty());
    EXPECT_LT(volts.points().front().x * 86400, 12);  // its first seconds of stage 2
    for (std::size_t i = 1; i < volts.size(); ++i)
        EXPECT_GT(volts.points()[i].x, volts.points()[i - 1].x);
    EXPECT_LE(volts.points().back().x * 86400, state().elapsedSeconds);
    EXPECT_TRUE(m_messages.isEmpty()) << m_messages.join('\n').toStdString();
}

INSTANTIATE_TEST_SUITE_P(StartAnswers, ChargeRecordTest,
                         ::testing::Values(ChargerModel::StartAnswer::Standby,
                                           ChargerModel::StartAnswer::State),
                         [](const ::testing::TestParamInfo<ChargerModel::StartAnswer>& info) {
                             return info.param == ChargerModel::StartAnswer::Standby
                                        ? "AnsweredWithStandby"
                                        : "AnsweredWithItsState";
                         });

}  // namespace
