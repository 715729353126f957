#include <gtest/gtest.h>

#include "link/ChargerState.h"

using namespace velmora;

TEST(LiveChargerStateTest, StatusWordIsTakenOnceAndOnlyWhenKnown) {
    LiveChargerState live;
    live.modify([](ChargerState& s) { s.chargerStatus = "Test_Charge"; });
    EXPECT_FALSE(live.takeChargerStatusIfAny({"STANDBY", "Charge Mode"}).has_value());
    EXPECT_EQ(live.snapshot().chargerStatus, "Test_Charge");

    live.modify([](ChargerState& s) { s.chargerStatus = "STANDBY"; });
    EXPECT_EQ(live.takeChargerStatusIfAny({"STANDBY", "Charge Mode"}).value(), "STANDBY");
    EXPECT_FALSE(live.takeChargerStatusIfAny({"STANDBY"}).has_value());

    live.modify([](ChargerState& s) { s.batteryStatus = "Baterai_Detected"; });
    EXPECT_TRUE(live.takeBatteryStatusIf("Baterai_Detected"));
    EXPECT_FALSE(live.takeBatteryStatusIf("Baterai_Detected"));
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
