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
