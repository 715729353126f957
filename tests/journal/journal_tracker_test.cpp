// When sessions start and end, and what they hold, tick by tick.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "journal/SessionTracker.h"

namespace velmora::journal {
namespace {

// Writes down every event as a short text.
struct EventLog : SessionSink {
    std::vector<std::string> events;
    void sessionStarted(SessionKind kind, const SessionContext& context, bool joined) override {
        events.push_back(std::string("start ") + kindName(kind) + " " + context.deviceName +
                         (joined ? " joined" : ""));
    }
    void pointRecorded(double, double, int stage) override {
        events.push_back("point " + std::to_string(stage));
    }
    void resultsReported(const Results& r) override {
        events.push_back(std::string("results") + (r.before ? " before" : "") +
                         (r.after ? " after" : "") + (r.test ? " test" : ""));
    }
    void profileChanged(const Profile& p) override { events.push_back("profile " + p.name); }
    void sessionSuspended() override { events.push_back("gap"); }
    void sessionResumed() override { events.push_back("resumed"); }
    void sessionEnded(StopReason reason) override {
        events.push_back(std::string("end ") + stopReasonName(reason));
    }
};

// One tick in a compact form: connected, status word, stage, results taken.
struct Tick {
    bool connected = true;
    const char* word = "";
    int stage = 0;
    const char* results = "";  // letters b, a, t
    const char* profileName = "";
    bool heard = false;  // the charger has answered on this connection
    bool mayReturn = false;
    const char* address = "A1";
    bool startSent = false;  // our start command went out before this tick
    int elapsed = 0;
    double volts = 0.0;
};
// A tick with this word is no tick: a receipt takes the link.
constexpr const char* kPrinterTakesTheLink = "@printer";

struct Scenario {
    const char* name;
    std::vector<Tick> ticks;
    const char* then = "";  // "force" or "close" after the ticks
    std::vector<std::string> expected;
};

class SessionTrackerTest : public ::testing::TestWithParam<Scenario> {};

TEST_P(SessionTrackerTest, Events) {
    SessionTracker tracker;
    EventLog log;
    for (const Tick& t : GetParam().ticks) {
        if (std::string(t.word) == kPrinterTakesTheLink) {
            tracker.printerHandOver(log);
            continue;
        }
        TickObservation tick;
        tick.linkMayReturn = t.mayReturn;
        tick.context.deviceAddress = t.address;
        tick.chargerConnected = t.connected;
        tick.chargerHeard = t.heard;
        tick.statusWord = t.word;
        tick.stageNumber = t.stage;
        tick.startCommandSent = t.startSent;
        tick.elapsedSeconds = t.elapsed;
        tick.chargeVoltage = t.volts;
        tick.context.deviceName = "CH1";
        tick.context.profile.name = t.profileName;
        const std::string r = t.results;
        if (r.find('b') != std::string::npos) tick.results.before = TestResult{};
        if (r.find('a') != std::string::npos) tick.results.after = TestResult{};
        if (r.find('t') != std::string::npos) tick.results.test = TestResult{};
        tracker.observe(tick, log);
    }
    const std::string then = GetParam().then;
    if (then == "force") tracker.forceStop(log);
    if (then == "close") tracker.close(log);
    if (then == "link") tracker.linkLost(log);
    EXPECT_EQ(log.events, GetParam().expected);
    EXPECT_FALSE(tracker.open());
}

INSTANTIATE_TEST_SUITE_P(
    Scenarios, SessionTrackerTest,
    ::testing::Values(
        Scenario{"whole_charge_finishes_when_floating_after_the_result",
                 {{true, "STANDBY"},
                  {true, "Charge Mode", 1},
                  {true, "", 1, "b"},
                  {true, "", 2},
                  {true, "", 5, "a"},
                  {true, "", 6},
                  {true, "", 6}},
                 "",
                 {"start charge CH1", "point 1", "point 1", "results before", "point 2", "point 5",
                  "results after", "point 6", "end finished"}},
        Scenario{
            "result_arriving_while_floating_also_finishes",
            {{true, "Charge Mode", 1}, {true, "", 6}, {true, "", 6, "a"}},
            "",
            {"start charge CH1", "point 1", "point 6", "point 6", "results after", "end finished"}},
        Scenario{"force_stop",
                 {{true, "Charge Mode", 1}, {true, "", 2}},
                 "force",
                 {"start charge CH1", "point 1", "point 2", "end forceStop"}},
        Scenario{"link_lost",
                 {{true, "Charge Mode", 1}, {true, "", 3}, {false, "", 3}, {false, "", 3}},
                 "",
                 {"start charge CH1", "point 1", "point 3", "end linkLost"}},
        Scenario{"printer_takes_the_link",
                 {{true, "Charge Mode", 2}},
                 "link",
                 {"start charge CH1", "point 2", "end linkLost"}},
        // Found charging on a new connection: recorded from there on, marked; not before
        // the charger is heard, and a charge seen to its end is not joined again.
        Scenario{
            "charge_found_going_on_after_a_lost_link",
            {{true, "Charge Mode", 1, "", "", true},
             {true, "", 3, "", "", true},
             {false, "", 3},
             {true, "", 3},  // the old reading, nothing heard yet
             {true, "", 4, "", "", true},
             {true, "", 5, "a", "", true},
             {true, "", 6, "", "", true},
             {true, "", 6, "", "", true}},
            "",
            {"start charge CH1", "point 1", "point 3", "end linkLost", "start charge CH1 joined",
             "point 4", "point 5", "results after", "point 6", "end finished"}},
        // A link lost while the same charger is expected back: one session with its gap.
        Scenario{"lost_link_comes_back_to_the_same_charge",
                 {{true, "Charge Mode", 1, "", "", true},
                  {true, "", 3, "", "", true},
                  {false, "", 3, "", "", false, true},
                  {false, "", 3, "", "", false, true},
                  {true, "", 3, "", "", false, true},  // connected, not heard yet
                  {true, "", 4, "", "", true},
                  {true, "", 5, "a", "", true},
                  {true, "", 6, "", "", true}},
                 "",
                 {"start charge CH1", "point 1", "point 3", "gap", "resumed", "point 4", "point 5",
                  "results after", "point 6", "end finished"}},
        Scenario{"link_given_up_ends_the_session_as_lost",
                 {{true, "Charge Mode", 2, "", "", true},
                  {false, "", 2, "", "", false, true},
                  {false, "", 2}},
                 "",
                 {"start charge CH1", "point 2", "gap", "end linkLost"}},
        Scenario{"new_charge_after_the_gap_ends_the_old_one",
                 {{true, "Charge Mode", 3, "", "", true},
                  {false, "", 3, "", "", false, true},
                  {true, "Charge Mode", 1, "", "", true}},
                 "close",
                 {"start charge CH1", "point 3", "gap", "end linkLost", "start charge CH1",
                  "point 1", "end appClosed"}},
        Scenario{"another_charger_after_the_gap_is_its_own_session",
                 {{true, "Charge Mode", 3, "", "", true},
                  {false, "", 3, "", "", false, true},
                  {true, "", 4, "", "", true, true, "B2"}},
                 "close",
                 {"start charge CH1", "point 3", "gap", "end linkLost", "start charge CH1 joined",
                  "point 4", "end appClosed"}},
        Scenario{
            "charge_that_ended_meanwhile_ends_when_heard",
            {{true, "Charge Mode", 5, "a", "", true},
             {false, "", 5, "", "", false, true},
             {true, "STANDBY", 0, "", "", true}},
            "",
            {"start charge CH1", "point 5", "results after", "gap", "resumed", "end finished"}},
        Scenario{"receipt_takes_the_link_and_gives_it_back",
                 {{true, "Charge Mode", 2, "", "", true},
                  {true, kPrinterTakesTheLink},
                  {true, "", 3, "", "", true}},
                 "close",
                 {"start charge CH1", "point 2", "gap", "resumed", "point 3", "end appClosed"}},
        Scenario{"closing_during_a_receipt_ends_as_handed_over",
                 {{true, "Charge Mode", 2, "", "", true}, {true, kPrinterTakesTheLink}},
                 "close",
                 {"start charge CH1", "point 2", "gap", "end printerHandOver"}},
        // Chargers may answer our start command with STANDBY while they go on charging: the
        // readings that follow tell whether the charge went on.
        Scenario{"standby_answering_our_start_command_after_a_drop",
                 {{true, "Charge Mode", 1, "", "", true, false, "A1", true},
                  {true, "", 3, "", "", true, false, "A1", false, 100},
                  {false, "", 3, "", "", false, true},
                  {true, "STANDBY", 0, "", "", true, true, "A1", true},
                  {true, "", 0, "", "", true, true},
                  {true, "", 3, "", "", true, false, "A1", false, 170}},
                 "close",
                 {"start charge CH1", "point 1", "point 3", "gap", "resumed", "gap", "resumed",
                  "point 3", "end appClosed"}},
        Scenario{"standby_answering_our_start_command_after_a_receipt",
                 {{true, "Charge Mode", 1, "", "", true, false, "A1", true},
                  {true, "", 4, "", "", true, false, "A1", false, 100},
                  {true, kPrinterTakesTheLink},
                  {true, "STANDBY", 0, "", "", true, false, "A1", true},
                  {true, "", 5, "a", "", true, false, "A1", false, 140},
                  {true, "", 6, "", "", true, false, "A1", false, 141}},
                 "",
                 {"start charge CH1", "point 1", "point 4", "gap", "resumed", "gap", "resumed",
                  "point 5", "results after", "point 6", "end finished"}},
        Scenario{"standby_that_stays_after_our_start_command_ends_the_charge",
                 {{true, "Charge Mode", 1, "", "", true, false, "A1", true},
                  {true, "", 3, "", "", true, false, "A1", false, 100},
                  {true, "STANDBY", 0, "", "", true, false, "A1", true},
                  {true, "", 0, "", "", true},
                  {true, "", 0, "", "", true},
                  {true, "", 0, "", "", true},
                  {true, "", 0, "", "", true},
                  {true, "", 0, "", "", true}},
                 "",
                 {"start charge CH1", "point 1", "point 3", "gap", "end chargerStandby"}},
        Scenario{"earlier_readings_after_the_answer_are_no_going_on",
                 {{true, "Charge Mode", 1, "", "", true, false, "A1", true},
                  {true, "", 3, "", "", true, false, "A1", false, 100},
                  {true, "STANDBY", 0, "", "", true, false, "A1", true},
                  {true, "", 2, "", "", true, false, "A1", false, 5},
                  {true, "", 2, "", "", true, false, "A1", false, 6},
                  {true, "", 2, "", "", true, false, "A1", false, 7},
                  {true, "", 2, "", "", true, false, "A1", false, 8},
                  {true, "", 2, "", "", true, false, "A1", false, 9}},
                 "",
                 {"start charge CH1", "point 1", "point 3", "gap", "end chargerStandby"}},
        Scenario{"new_charge_while_a_standby_is_held",
                 {{true, "Charge Mode", 3, "", "", true, false, "A1", true},
                  {true, "STANDBY", 0, "", "", true, false, "A1", true},
                  {true, "Charge Mode", 1, "", "", true}},
                 "close",
                 {"start charge CH1", "point 3", "gap", "end chargerStandby", "start charge CH1",
                  "point 1", "end appClosed"}},
        Scenario{"standby_long_after_our_start_command_ends_at_once",
                 {{true, "Charge Mode", 1, "", "", true, false, "A1", true},
                  {true, "", 2, "", "", true},
                  {true, "", 2, "", "", true},
                  {true, "", 2, "", "", true},
                  {true, "", 2, "", "", true},
                  {true, "", 2, "", "", true},
                  {true, "STANDBY", 0, "", "", true}},
                 "",
                 {"start charge CH1", "point 1", "point 2", "point 2", "point 2", "point 2",
                  "point 2", "end chargerStandby"}},
        Scenario{"floating_on_a_new_connection_is_no_charge_to_join",
                 {{true, "", 6, "", "", true}, {true, "", 6, "", "", true}},
                 "close",
                 {}},
        Scenario{"idle_charger_is_not_joined",
                 {{true, "STANDBY", 0, "", "", true}, {true, "", 2, "", "", true}},
                 "close",
                 {}},
        Scenario{"floating_after_a_finished_charge_is_not_joined",
                 {{true, "Charge Mode", 5, "a", "", true},
                  {true, "", 6, "", "", true},
                  {true, "", 6, "", "", true}},
                 "",
                 {"start charge CH1", "point 5", "results after", "point 6", "end finished"}},
        Scenario{"application_closes",
                 {{true, "Charge Mode", 2}},
                 "close",
                 {"start charge CH1", "point 2", "end appClosed"}},
        Scenario{"standby_before_the_end",
                 {{true, "Charge Mode", 1}, {true, "", 3}, {true, "STANDBY", 0}},
                 "",
                 {"start charge CH1", "point 1", "point 3", "end chargerStandby"}},
        Scenario{"standby_while_floating_without_result_is_finished",
                 {{true, "Charge Mode", 1}, {true, "", 6}, {true, "STANDBY", 0}},
                 "",
                 {"start charge CH1", "point 1", "point 6", "end finished"}},
        Scenario{"battery_unplugged",
                 {{true, "Charge Mode", 1}, {true, "Baterai_Unplug", 0}},
                 "",
                 {"start charge CH1", "point 1", "end batteryUnplugged"}},
        Scenario{"test_mode_ends_with_its_result",
                 {{true, "Test Mode", 0}, {true, "", 0}, {true, "", 0, "t"}, {true, "STANDBY"}},
                 "",
                 {"start test CH1", "results test", "end finished"}},
        Scenario{"test_readings_are_points",
                 {{true, "Test Mode", 0},
                  {true, "", 0, "", "", true, false, "A1", false, 3, 12.2},
                  {true, "", 0, "t", "", true, false, "A1", false, 4, 11.4}},
                 "",
                 {"start test CH1", "point 0", "point 0", "results test", "end finished"}},
        Scenario{"test_result_and_standby_in_one_tick",
                 {{true, "Test Mode", 0}, {true, "STANDBY", 0, "t"}},
                 "",
                 {"start test CH1", "results test", "end finished"}},
        Scenario{"test_mode_left_by_standby",
                 {{true, "Test Mode", 0}, {true, "STANDBY", 0}},
                 "",
                 {"start test CH1", "end chargerStandby"}},
        Scenario{"new_charge_interrupts_the_open_one",
                 {{true, "Charge Mode", 1}, {true, "Charge Mode", 1}},
                 "force",
                 {"start charge CH1", "point 1", "end interrupted", "start charge CH1", "point 1",
                  "end forceStop"}},
        Scenario{"nothing_without_a_connection_or_a_start",
                 {{false, "Charge Mode", 1}, {true, "", 2, "ba"}, {true, "STANDBY"}},
                 "close",
                 {}},
        Scenario{
            "profile_change_during_the_session",
            {{true, "Charge Mode", 1, "", "A"}, {true, "", 1, "", "A"}, {true, "", 2, "", "B"}},
            "force",
            {"start charge CH1", "point 1", "point 1", "point 2", "profile B", "end forceStop"}}),
    [](const ::testing::TestParamInfo<Scenario>& info) { return info.param.name; });

// The after-charge result went out while the link was down: once the charger has floated
// for half a minute without it, the charge is done all the same.
TEST(SessionTrackerFloatingTest, FloatingWithoutTheResultEndsTheChargeAfterHalfAMinute) {
    SessionTracker tracker;
    EventLog log;
    TickObservation tick;
    tick.chargerConnected = tick.chargerHeard = true;
    tick.context.deviceAddress = "A1";
    tick.statusWord = "Charge Mode";
    tick.stageNumber = 1;
    tracker.observe(tick, log);
    tick.statusWord.clear();
    tick.stageNumber = 6;
    tick.chargeVoltage = 13.6;
    int floating = 0;
    while (tracker.open() && floating < 100) {
        tick.elapsedSeconds = 500 + floating++;
        tracker.observe(tick, log);
    }
    EXPECT_EQ(floating, 30);
    EXPECT_EQ(log.events.back(), "end finished");
}

}  // namespace
}  // namespace velmora::journal
