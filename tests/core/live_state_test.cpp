#include <gtest/gtest.h>

#include "link/ChargerState.h"
#include "link/MessageParser.h"
#include "link/TickEvents.h"

using namespace velmora;

TEST(LiveChargerStateTest, StatusWordIsTakenOnceAndOnlyWhenKnown) {
    LiveChargerState live;
    live.modify([](ChargerState& s) { s.chargerStatus = "Test_Charge"; });
    EXPECT_EQ(takeTickEvents(live).status.word, StatusWord::None);
    EXPECT_EQ(live.snapshot().chargerStatus, "Test_Charge");

    live.modify([](ChargerState& s) { s.chargerStatus = "STANDBY"; });
    const StatusEvents taken = takeTickEvents(live).status;
    EXPECT_EQ(taken.word, StatusWord::Standby);
    EXPECT_EQ(taken.wordText, "STANDBY");
    EXPECT_EQ(takeTickEvents(live).status.word, StatusWord::None);

    live.modify([](ChargerState& s) { s.batteryStatus = "Baterai_Detected"; });
    EXPECT_TRUE(takeTickEvents(live).status.batteryDetected);
    EXPECT_FALSE(takeTickEvents(live).status.batteryDetected);
}

// "Test Mode" and the first Test_Charge report often arrive between two ticks; the report
// replaces the state word, yet the tick still sees the mode change, once.
TEST(LiveChargerStateTest, ModeWordFollowedByAReportInOneTickIsStillTaken) {
    LiveChargerState live;
    const NumberFormat format{};
    parseMessage("#|Test Mode|*", live, format);
    parseMessage("#|Test_Charge|1220|1500|1|*", live, format);
    EXPECT_EQ(live.snapshot().chargerStatus, "Test_Charge");
    const StatusEvents taken = takeTickEvents(live).status;
    EXPECT_EQ(taken.word, StatusWord::TestMode);
    EXPECT_EQ(taken.wordText, "Test Mode");
    EXPECT_EQ(live.snapshot().chargerStatus, "Test_Charge");  // a report is never cleared
    EXPECT_EQ(takeTickEvents(live).status.word, StatusWord::None);

    // A later report alone is no new word.
    parseMessage("#|Diag_Test_Charge|1140|0|9|*", live, format);
    EXPECT_EQ(takeTickEvents(live).status.word, StatusWord::None);
}

// A mode word begins a new charge or test: nothing of the last one is shown, recorded or
// printed with it, while a reading that follows the word in the same tick is its own.
TEST(LiveChargerStateTest, AModeWordLeavesNothingOfTheRunBefore) {
    const NumberFormat format{};
    for (const char* word : {"#|Charge Mode|*", "#|Test Mode|*"}) {
        SCOPED_TRACE(word);
        LiveChargerState live;
        parseMessage("#|1|6|1360|117|9000|100|*", live, format);
        parseMessage("#|3|1|250|900|1100|1240|*", live, format);
        parseMessage("#|3|5|1320|1160|400|380|GOOD|*", live, format);
        parseMessage("#|6|0|300|650|1140|1250|GOOD|*", live, format);
        parseMessage(word, live, format);
        const ChargerState before = live.snapshot();
        EXPECT_EQ(before.stageNumber, 0);
        EXPECT_EQ(before.chargeVoltage, 0.0);
        EXPECT_EQ(before.chargeCurrent, 0.0);
        EXPECT_EQ(before.elapsedSeconds, 0);
        EXPECT_EQ(before.after.cca, 0);
        EXPECT_EQ(before.after.status, "");
        EXPECT_EQ(before.test.voltage, 0.0);
        const TickEvents tick = takeTickEvents(live);
        EXPECT_FALSE(tick.results.before || tick.results.after || tick.results.test);

        parseMessage(word, live, format);
        parseMessage("#|1|1|1230|0|1|0|*", live, format);
        EXPECT_EQ(takeTickEvents(live).measurement.chargeVoltage, 12.3);
    }
}

TEST(LiveChargerStateTest, EachStatusWordIsRecognisedAndOnlyStandbyAndUnplugZeroTheMeasurement) {
    const struct {
        const char* text;
        StatusWord word;
        bool zeroes;
    } rows[] = {{"STANDBY", StatusWord::Standby, true},
                {"Reverse_Polarity", StatusWord::Reverse, false},
                {"Baterai_Unplug", StatusWord::Unplug, true},
                {"Charge Mode", StatusWord::ChargeMode, false},
                {"Test Mode", StatusWord::TestMode, false}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        LiveChargerState live;
        live.modify([&](ChargerState& s) {
            s.chargerStatus = row.text;
            s.chargeVoltage = 13.5;
            s.stageNumber = 3;
        });
        const TickEvents tick = takeTickEvents(live);
        EXPECT_EQ(tick.status.word, row.word);
        EXPECT_EQ(tick.measurement.stageNumber, row.zeroes ? 0 : 3);
        EXPECT_EQ(live.measurement().chargeVoltage, row.zeroes ? 0.0 : 13.5);
    }
}

TEST(LiveChargerStateTest, ResultsAndReportedProfileAreTakenOnceWithTheirTagsCleared) {
    LiveChargerState live;
    live.modify([](ChargerState& s) {
        s.beforeResultTag = "1";
        s.before.cca = 410;
        s.afterResultTag = "4";
        s.after.cca = 350;
        s.after.status = "GOOD";
        s.testResultTag = "1";  // not a test result's tag: left alone
        s.profileReceived = true;
        s.profileBrandIndex = 2;
        s.profileMode = "2";
    });
    const TickEvents tick = takeTickEvents(live);
    ASSERT_TRUE(tick.results.before && tick.results.after);
    EXPECT_EQ(tick.results.before->cca, 410);
    EXPECT_EQ(tick.results.after->status, "GOOD");
    EXPECT_FALSE(tick.results.test);
    ASSERT_TRUE(tick.profile);
    EXPECT_EQ(tick.profile->brand, 2);
    EXPECT_EQ(tick.profile->mode, "2");
    EXPECT_EQ(live.snapshot().testResultTag, "1");

    const TickEvents next = takeTickEvents(live);
    EXPECT_FALSE(next.results.before || next.results.after || next.results.test);
    EXPECT_FALSE(next.profile);
}

TEST(LiveChargerStateTest, EmptyCurrentHistoryNeverReplacesOneWaitingToBePlotted) {
    using List = std::vector<std::string>;
    struct Case {
        const char* name;
        bool ready;     // a history is waiting for the chart
        List stored;    // the current history stored before
        List incoming;  // the current history that arrives
        List expected;
    };
    const Case cases[] = {
        {"end marker after a waiting history", true, {"2000", "1500"}, {}, {"2000", "1500"}},
        {"new history replaces a waiting one", true, {"2000"}, {"900", "800"}, {"900", "800"}},
        {"end marker with nothing waiting", false, {"2000"}, {}, {}},
        {"end marker after an empty list", true, {}, {}, {}},
    };
    for (const Case& c : cases) {
        ChargerState s;
        s.historyReady = c.ready;
        s.currentHistory = c.stored;
        s.storeCurrentHistory(c.incoming);
        EXPECT_EQ(s.currentHistory, c.expected) << c.name;
        EXPECT_TRUE(s.historyReady) << c.name;
    }
}
