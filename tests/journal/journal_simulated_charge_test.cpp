// Whole charges and tests from the simulated charger, through the real receive path, as
// the window's refresh takes them, recorded and read back.
#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <utility>

#include "journal/ChargeJournal.h"
#include "journal/SessionChart.h"
#include "journal/SessionGaps.h"
#include "journal/SessionJson.h"
#include "journal/TickFromEvents.h"
#include "journal_fixture.h"
#include "link/ReplayTransport.h"
#include "link/TReadThread.h"
#include "simulator/ChargerModel.h"

namespace velmora::journal {
namespace {

using testing::FakeClock;
using testing::TempFolder;

// The charger, the receive path and the part of the refresh the journal sees.
class SimulatedWorkshop {
public:
    explicit SimulatedWorkshop(const std::string& path) : journal(path, time.clock(), {}, 10'000) {
        ChargerModel::Durations quick;
        quick.detectDelay = 1;
        quick.startDelay = 1;
        quick.diagnosis = 3;
        quick.constantCurrent = 40;
        quick.constantVoltage1 = 20;
        quick.constantVoltage2 = 15;
        quick.testMode = 6;
        charger.setDurations(quick);
    }

    void startCharger(bool testOnly) {
        charger.setTestOnly(testOnly);
        deliver(charger.receive("#KWPRZ41*"));
        deliver(charger.receive("#2|1|0|4|1*"));
    }

    // One second: the charger talks, then the window's tick takes what it shows. Without
    // the link the charger goes on unheard.
    void second() {
        const std::vector<std::string> frames = charger.tick();
        if (connected) deliver(frames);
        time.advance(1000);
        const TickEvents events = takeTickEvents(state);
        const Measurement& m = events.measurement;
        SessionContext context;
        context.deviceName = "Charger Simulasi";
        context.utcOffsetMinutes = 420;
        context.profile.name = "Uji";
        TickObservation tick = observationOf(events, connected, std::move(context));
        tick.linkMayReturn = reconnecting;
        tick.startCommandSent = std::exchange(startSent, false);
        if (tick.results.before) shownBefore = tick.results.before;
        if (tick.results.after) shownAfter = tick.results.after;
        if (tick.results.test) shownTest = tick.results.test;
        const bool wasRecording = journal.recordingSessionId().has_value();
        journal.observe(tick);
        const bool reading = m.stageNumber != 0 || m.chargeVoltage != 0 || m.chargeCurrent != 0;
        if ((wasRecording || journal.recordingSessionId()) && reading) {
            if (m.stageNumber >= 2 && m.stageNumber <= 4)
                chargingReadings.push_back({m.chargeVoltage, m.chargeCurrent});
            ++recordedTicks;
        }
    }

    // A new connection to the same charger: the window's start command, and the answer.
    void reconnect() {
        connected = true;
        deliver(charger.receive("#KWPRZ41*"));
        startSent = true;
    }
    // A receipt borrows the link: no ticks while the charger charges on, then it is back.
    void printReceipt(int seconds) {
        journal.printerHandOver();
        for (int i = 0; i < seconds; ++i) {
            charger.tick();
            time.advance(1000);
        }
        reconnect();
    }

    void deliver(const std::vector<std::string>& frames) {
        if (frames.empty()) return;
        std::atomic<bool> stop{false};
        TReadThread reader(std::make_shared<ReplayTransport>(frames), state, stop,
                           ReaderTiming{0, 0});
        reader.Execute();
    }

    FakeClock time;
    ChargerModel charger;
    LiveChargerState state;
    ChargeJournal journal;
    // The link drops while the window tries to get the charger back; the time it dropped.
    int64_t loseLinkAndReconnect() {
        connected = false;
        reconnecting = true;
        return time.now;
    }

    bool connected = true;
    bool reconnecting = false;  // the window tries to get the charger back
    bool startSent = false;     // the start command went out before the next tick
    std::optional<TestResult> shownBefore, shownAfter, shownTest;
    std::vector<std::pair<double, double>> chargingReadings;
    int recordedTicks = 0;
};

void expectSameResult(const std::optional<TestResult>& stored,
                      const std::optional<TestResult>& shown) {
    ASSERT_TRUE(stored && shown);
    EXPECT_EQ(stored->cca, shown->cca);
    EXPECT_EQ(stored->resistance, shown->resistance);
    EXPECT_EQ(stored->diagVoltage, shown->diagVoltage);
    EXPECT_EQ(stored->voltage, shown->voltage);
    EXPECT_EQ(stored->status, shown->status);
}

TEST(SimulatedChargeTest, WholeChargeIsRecordedAndReadBack) {
    TempFolder folder;
    const std::string path = folder.file("journal.sqlite");
    SimulatedWorkshop workshop(path);
    workshop.startCharger(false);
    for (int i = 0; i < 200 && !workshop.charger.finished(); ++i) workshop.second();
    for (int i = 0; i < 5; ++i) workshop.second();  // floating: the session has ended
    ASSERT_FALSE(workshop.journal.recordingSessionId());
    EXPECT_FALSE(workshop.journal.takeProblem());

    auto journal = Journal::open(path);
    const std::vector<SessionSummary> list = journal->list();
    ASSERT_EQ(list.size(), 1u);
    const Session session = *journal->session(list[0].id);
    const SessionSummary& s = session.summary;
    EXPECT_EQ(s.start.kind, SessionKind::Charge);
    EXPECT_EQ(s.stopReason, "finished");
    EXPECT_EQ(s.start.deviceName, "Charger Simulasi");
    EXPECT_EQ(s.start.profile.name, "Uji");
    expectSameResult(s.results.before, workshop.shownBefore);
    expectSameResult(s.results.after, workshop.shownAfter);
    EXPECT_FALSE(s.results.test);
    EXPECT_EQ(static_cast<int>(session.points.size()), workshop.recordedTicks);
    EXPECT_EQ(s.durationMs(), workshop.recordedTicks * 1000);  // the first tick is the word

    std::vector<std::pair<double, double>> charging;
    for (const Point& p : session.points)
        if (p.stage >= 2 && p.stage <= 4) charging.push_back({p.voltage, p.current});
    EXPECT_EQ(charging, workshop.chargingReadings);  // the curve exactly as the window saw it
    EXPECT_EQ(session.points.back().stage, 6);
}

TEST(SimulatedChargeTest, TestOnlyRunIsRecordedWithItsResult) {
    TempFolder folder;
    const std::string path = folder.file("journal.sqlite");
    SimulatedWorkshop workshop(path);
    workshop.startCharger(true);
    for (int i = 0; i < 30; ++i) workshop.second();
    const std::vector<SessionSummary> list = Journal::open(path)->list();
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].start.kind, SessionKind::Test);
    EXPECT_EQ(list[0].stopReason, "finished");
    expectSameResult(list[0].results.test, workshop.shownTest);
}

TEST(SimulatedChargeTest, ForceStopAndLinkLossEndTheSessionWithTheirReasons) {
    TempFolder folder;
    const std::string path = folder.file("journal.sqlite");
    SimulatedWorkshop workshop(path);

    workshop.startCharger(false);
    for (int i = 0; i < 20; ++i) workshop.second();
    workshop.deliver(workshop.charger.receive("#4|1*"));  // "Iya" sent the stop command
    workshop.journal.forceStop();
    for (int i = 0; i < 3; ++i) workshop.second();  // the charger's STANDBY ends nothing more

    workshop.startCharger(false);
    for (int i = 0; i < 30; ++i) workshop.second();
    workshop.connected = false;
    for (int i = 0; i < 3; ++i) workshop.second();

    const std::vector<SessionSummary> list = Journal::open(path)->list();
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[1].stopReason, "forceStop");
    EXPECT_TRUE(list[1].results.before.has_value());
    EXPECT_FALSE(list[1].results.after.has_value());
    EXPECT_EQ(list[0].stopReason, "linkLost");
    EXPECT_GT(list[0].pointCount, 20);
    EXPECT_TRUE(list[0].endMs);
}

TEST(SimulatedChargeTest, ChargeLostAndFoundAgainIsOneSessionWithItsGap) {
    TempFolder folder;
    const std::string path = folder.file("journal.sqlite");
    SimulatedWorkshop workshop(path);
    workshop.startCharger(false);
    for (int i = 0; i < 30; ++i) workshop.second();
    const int64_t lostAt = workshop.loseLinkAndReconnect();
    for (int i = 0; i < 25; ++i) workshop.second();  // the charger charges on, unseen
    workshop.connected = true;
    workshop.reconnecting = false;
    for (int i = 0; i < 200 && !workshop.charger.finished(); ++i) workshop.second();
    for (int i = 0; i < 5; ++i) workshop.second();

    auto journal = Journal::open(path);
    const std::vector<SessionSummary> list = journal->list();
    ASSERT_EQ(list.size(), 1u);
    const Session session = *journal->session(list[0].id);
    EXPECT_EQ(session.summary.stopReason, "finished");
    EXPECT_FALSE(session.summary.start.joinedMidCharge);
    ASSERT_TRUE(session.summary.results.after);
    const std::vector<Gap> gaps = findGaps(session.points);
    ASSERT_EQ(gaps.size(), 1u);
    EXPECT_EQ(session.summary.start.startMs + gaps[0].fromMs, lostAt);
    EXPECT_EQ(gaps[0].toMs - gaps[0].fromMs, 26'000);  // 25 unseen seconds, then a reading
    EXPECT_NE(sessionJson(session).find("\"gaps\": [{\"fromSeconds\": "), std::string::npos);

    ChartData charts;
    plotSession(session, charts);
    EXPECT_EQ(charts.voltage.lineStarts().size(), 1u);
    EXPECT_EQ(charts.current.lineStarts().size(), 1u);
}

TEST(SimulatedChargeTest, ALinkThatDoesNotComeBackEndsTheSessionWhenItWasLost) {
    TempFolder folder;
    const std::string path = folder.file("journal.sqlite");
    SimulatedWorkshop workshop(path);
    workshop.startCharger(false);
    for (int i = 0; i < 30; ++i) workshop.second();
    const int pointsBefore = workshop.recordedTicks;
    const int64_t lostAt = workshop.loseLinkAndReconnect();
    for (int i = 0; i < 40; ++i) workshop.second();
    // Nothing was lost while waiting: the points are in the file before the session ends.
    EXPECT_EQ(Journal::open(path)->list()[0].pointCount, pointsBefore);
    workshop.reconnecting = false;  // given up
    workshop.second();

    const std::vector<SessionSummary> list = Journal::open(path)->list();
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].stopReason, "linkLost");
    ASSERT_TRUE(list[0].endMs);
    EXPECT_EQ(*list[0].endMs, lostAt + 1000);  // the first tick without the link
}

// Whatever the charger answers to the start command of a new connection (STANDBY while it
// goes on charging, or just its state), a healed link and a receipt each leave a gap in
// the one session, which ends with the charge's real end and after-charge result.
class StartAnswerTest : public ::testing::TestWithParam<ChargerModel::StartAnswer> {};

TEST_P(StartAnswerTest, AHealedLinkAndAReceiptLeaveOneSessionToTheRealEnd) {
    TempFolder folder;
    const std::string path = folder.file("journal.sqlite");
    SimulatedWorkshop workshop(path);
    workshop.charger.setStartAnswer(GetParam());
    workshop.startCharger(false);
    for (int i = 0; i < 15; ++i) workshop.second();
    workshop.loseLinkAndReconnect();
    for (int i = 0; i < 10; ++i) workshop.second();  // the charger charges on, unseen
    workshop.reconnect();
    for (int i = 0; i < 20; ++i) workshop.second();
    workshop.printReceipt(8);
    workshop.reconnecting = false;
    for (int i = 0; i < 200 && !workshop.charger.finished(); ++i) workshop.second();
    for (int i = 0; i < 5; ++i) workshop.second();
    ASSERT_FALSE(workshop.journal.recordingSessionId());

    auto journal = Journal::open(path);
    const std::vector<SessionSummary> list = journal->list();
    ASSERT_EQ(list.size(), 1u);
    const Session session = *journal->session(list[0].id);
    EXPECT_EQ(session.summary.stopReason, "finished");
    expectSameResult(session.summary.results.after, workshop.shownAfter);
    EXPECT_EQ(session.points.back().stage, 6);
    const std::vector<Gap> gaps = findGaps(session.points);
    ASSERT_EQ(gaps.size(), 2u);
    // The cut's ten seconds and the receipt's eight, each up to the first reading after.
    EXPECT_GE(gaps[0].toMs - gaps[0].fromMs, 10'000);
    EXPECT_LE(gaps[0].toMs - gaps[0].fromMs, 13'000);
    EXPECT_GE(gaps[1].toMs - gaps[1].fromMs, 8'000);
    EXPECT_LE(gaps[1].toMs - gaps[1].fromMs, 11'000);
    for (const Point& p : session.points) EXPECT_GT(p.voltage, 10.0) << p.offsetMs;
}

// A charger that really stopped while the link was down answers STANDBY: the session ends
// as standby, when the word came; the start command begins the charger's next charge.
TEST_P(StartAnswerTest, AChargerFoundStandingByEndsTheSessionAsStandby) {
    TempFolder folder;
    const std::string path = folder.file("journal.sqlite");
    SimulatedWorkshop workshop(path);
    workshop.charger.setStartAnswer(GetParam());
    workshop.startCharger(false);
    for (int i = 0; i < 20; ++i) workshop.second();
    workshop.loseLinkAndReconnect();
    workshop.charger.receive("#4|1*");  // stopped at the charger itself
    for (int i = 0; i < 5; ++i) workshop.second();
    workshop.reconnect();
    const int64_t answeredAt = workshop.time.now + 1000;
    for (int i = 0; i < 10; ++i) workshop.second();

    const std::vector<SessionSummary> list = Journal::open(path)->list();
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[1].stopReason, "chargerStandby");
    ASSERT_TRUE(list[1].endMs);
    EXPECT_EQ(*list[1].endMs, answeredAt);
    EXPECT_GT(list[0].start.startMs, answeredAt);
    EXPECT_FALSE(list[0].start.joinedMidCharge);
}

INSTANTIATE_TEST_SUITE_P(Chargers, StartAnswerTest,
                         ::testing::Values(ChargerModel::StartAnswer::Standby,
                                           ChargerModel::StartAnswer::State),
                         [](const ::testing::TestParamInfo<ChargerModel::StartAnswer>& info) {
                             return info.param == ChargerModel::StartAnswer::Standby
                                        ? "AnsweredWithStandby"
                                        : "AnsweredWithItsState";
                         });

}  // namespace
}  // namespace velmora::journal
