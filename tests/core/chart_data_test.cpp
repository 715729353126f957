// The chart step's pure part: the clock, the stored points, history and live points.
#include <gtest/gtest.h>

#include <cmath>

#include "chart/ChartData.h"

using namespace velmora;

namespace {

constexpr double kSecond = 1.0 / 86400;

std::vector<double> ys(const PointSeries& series) {
    std::vector<double> values;
    for (const ChartPoint& p : series.points()) values.push_back(p.y);
    return values;
}

void setHistory(LiveChargerState& state, std::vector<std::string> volts,
                std::vector<std::string> milliamps) {
    state.modify([&](ChargerState& s) {
        s.voltageHistory = std::move(volts);
        s.currentHistory = std::move(milliamps);
        s.historyReady = true;
    });
}

}  // namespace

TEST(ChartClockTest, StepsWholeSecondsWithoutDrift) {
    ChartClock clock;
    EXPECT_EQ(clock.days(), 0.0);
    for (int i = 0; i < 86400; ++i) clock.advanceSecond();
    EXPECT_EQ(clock.days(), 1.0);  // adding 1/86400 a day long would miss 1.0
    clock.advanceSecond();
    EXPECT_EQ(clock.days(), 1.0 + kSecond);
}

TEST(ChartClockTest, IsSetToADateTimeAndRefusesNonDates) {
    ChartClock clock;
    const double printed = chartDays(2024, 5, 17, (14 * 3600 + 30 * 60 + 5) * 1000);
    EXPECT_DOUBLE_EQ(printed, 45429 + (14 * 3600 + 30 * 60 + 5) * kSecond);
    EXPECT_EQ(chartDays(1899, 12, 30, 0), 0.0);
    EXPECT_EQ(chartDays(1900, 3, 1, 0), 61.0);
    ASSERT_TRUE(clock.setDays(printed));
    clock.advanceSecond();
    EXPECT_DOUBLE_EQ(clock.days(), printed + kSecond);
    for (double bad : {std::nan(""), HUGE_VAL, -HUGE_VAL, 1e300, -3e6})
        EXPECT_FALSE(clock.setDays(bad)) << bad;
    EXPECT_DOUBLE_EQ(clock.days(), printed + kSecond);
}

TEST(ChartClockTest, HourMinuteTextOfTheTimeOfDay) {
    const std::pair<double, const char*> cases[] = {
        {0.0, "0:00"},
        {59 * kSecond, "0:00"},
        {60 * kSecond, "0:01"},
        {0.5, "12:00"},
        {45429 + (14 * 3600 + 24 * 60 + 59) * kSecond, "14:24"},
        {3.0 - kSecond, "23:59"},
        {1.0 - 0.0001 * kSecond, "0:00"},  // a hair before midnight is midnight
    };
    for (const auto& [days, text] : cases) EXPECT_EQ(hourMinuteText(days), text) << days;
}

TEST(PointSeriesTest, KeepsXAscendingWhenAPointComesEarlier) {
    PointSeries series;
    for (auto [x, y] : {std::pair{1.0, 10.0}, {3.0, 30.0}, {2.0, 20.0}, {3.0, 31.0}, {0.5, 5.0}})
        series.add(x, y);
    EXPECT_EQ(ys(series), (std::vector<double>{5, 10, 20, 30, 31}));
    const auto before = series.revision();
    series.clear();
    EXPECT_TRUE(series.empty());
    EXPECT_NE(series.revision(), before);
}

TEST(ChartStepTest, ThreeSampleHistoryAddsTenPointsPerSampleOneSecondApart) {
    LiveChargerState state;
    ChartData charts;
    charts.clock.setDays(0.25);
    setHistory(state, {"1250", "1300", "1320"}, {"2000", "1500", "500"});
    EXPECT_FALSE(chartStep(state, NumberFormat{}, charts).has_value());

    ASSERT_EQ(charts.voltage.size(), 30u);
    ASSERT_EQ(charts.current.size(), 30u);
    for (std::size_t i = 0; i < 30; ++i) {
        SCOPED_TRACE(i);
        const double x = 0.25 + static_cast<double>(i) * kSecond;
        EXPECT_NEAR(charts.voltage.points()[i].x, x, 1e-9);
        EXPECT_EQ(charts.current.points()[i].x, charts.voltage.points()[i].x);
        EXPECT_DOUBLE_EQ(charts.voltage.points()[i].y, (i < 10 ? 12.5 : i < 20 ? 13.0 : 13.2));
        EXPECT_DOUBLE_EQ(charts.current.points()[i].y, (i < 10 ? 2.0 : i < 20 ? 1.5 : 0.5));
    }
    EXPECT_NEAR(charts.clock.days(), 0.25 + 30 * kSecond, 1e-12);
    const ChargerState after = state.snapshot();
    EXPECT_TRUE(after.voltageHistory.empty());
    EXPECT_TRUE(after.currentHistory.empty());
    EXPECT_FALSE(after.historyReady);
}

TEST(ChartStepTest, HistoryThatIsNotCompleteStaysWaiting) {
    const std::pair<std::vector<std::string>, std::vector<std::string>> cases[] = {
        {{"1250", "1300", "1320"}, {"2000", "1500"}},  // current list still short
        {{"1250"}, {}},                                // empty current history
        {{}, {}},
    };
    for (const auto& [volts, milliamps] : cases) {
        SCOPED_TRACE(volts.size() * 10 + milliamps.size());
        LiveChargerState state;
        ChartData charts;
        setHistory(state, volts, milliamps);
        EXPECT_FALSE(chartStep(state, NumberFormat{}, charts).has_value());
        EXPECT_TRUE(charts.voltage.empty());
        EXPECT_EQ(charts.clock.days(), 0.0);
        const ChargerState after = state.snapshot();
        EXPECT_EQ(after.voltageHistory, volts);
        EXPECT_EQ(after.currentHistory, milliamps);
        EXPECT_TRUE(after.historyReady);
    }
}

TEST(ChartStepTest, LivePointEveryTickOfTheChargingStagesOnly) {
    for (int stage = 0; stage <= 7; ++stage) {
        SCOPED_TRACE(stage);
        LiveChargerState state;
        state.modify([&](ChargerState& s) {
            s.stageNumber = stage;
            s.chargeVoltage = 13.47;
            s.chargeCurrent = 3.2;
        });
        ChartData charts;
        // No new reading between the ticks: a charging stage still plots each second.
        for (int tick = 0; tick < 3; ++tick) chartStep(state, NumberFormat{}, charts);
        const bool charging = stage >= 2 && stage <= 4;
        ASSERT_EQ(charts.voltage.size(), charging ? 3u : 0u);
        ASSERT_EQ(charts.current.size(), charging ? 3u : 0u);
        EXPECT_NEAR(charts.clock.days(), charging ? 3 * kSecond : 0.0, 1e-15);
        if (charging) {
            EXPECT_EQ(charts.voltage.points().front().x, 0.0);  // shown as 0:00
            EXPECT_EQ(ys(charts.voltage), (std::vector<double>{13.47, 13.47, 13.47}));
            EXPECT_EQ(ys(charts.current), (std::vector<double>{3.2, 3.2, 3.2}));
        }
    }
}

TEST(ChartStepTest, ALostLinkLeavesItsTimeOpenOnTheLiveChart) {
    LiveChargerState state;
    state.modify([](ChargerState& s) {
        s.stageNumber = 3;
        s.chargeVoltage = 14.1;
        s.chargeCurrent = 1.5;
    });
    ChartData charts;
    for (int tick = 0; tick < 2; ++tick) chartStep(state, NumberFormat{}, charts);
    for (int tick = 0; tick < 5; ++tick) chartStep(state, NumberFormat{}, charts, false);
    EXPECT_EQ(charts.voltage.size(), 2u);  // nothing invented
    chartStep(state, NumberFormat{}, charts);
    ASSERT_EQ(charts.voltage.size(), 3u);
    EXPECT_NEAR(charts.voltage.points()[2].x, 7 * kSecond, 1e-15);  // after the five seconds
    EXPECT_EQ(charts.voltage.lineStarts(), std::vector<double>{charts.voltage.points()[2].x});
    EXPECT_EQ(charts.current.lineStarts().size(), 1u);
}

TEST(ChartStepTest, HistoryComesBeforeTheLivePointOfTheSameTick) {
    LiveChargerState state;
    ChartData charts;
    setHistory(state, {"1400"}, {"800"});
    state.modify([](ChargerState& s) {
        s.stageNumber = 4;
        s.chargeVoltage = 14.7;
        s.chargeCurrent = 0.2;
    });
    chartStep(state, NumberFormat{}, charts);
    ASSERT_EQ(charts.voltage.size(), 11u);
    EXPECT_EQ(charts.voltage.points()[9].y, 14.0);
    EXPECT_EQ(charts.voltage.points()[10].y, 14.7);
    EXPECT_NEAR(charts.voltage.points()[10].x, 10 * kSecond, 1e-15);
}

TEST(ChartStepTest, BadHistoryItemStopsThePlottingAndIsReported) {
    struct Case {
        std::vector<std::string> volts, milliamps;
        std::size_t kept;
        const char* error;
    } cases[] = {
        {{"1250", "13x0", "1320"},
         {"2000", "1500", "500"},
         10,
         "'13x0' bukan angka desimal yang sah"},
        {{"1250", "1300", "1320"}, {"2000", "1500", ""}, 20, "'' bukan angka desimal yang sah"},
        {{"12.5"}, {"2000"}, 0, "'12.5' bukan angka desimal yang sah"},  // separator is ','
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.error);
        LiveChargerState state;
        ChartData charts;
        setHistory(state, c.volts, c.milliamps);
        state.modify([](ChargerState& s) { s.stageNumber = 2; });
        const auto error = chartStep(state, NumberFormat{','}, charts);
        EXPECT_EQ(error.value_or(""), c.error);
        // The samples before the bad one stay, on both charts alike; the step ends there.
        EXPECT_EQ(charts.voltage.size(), c.kept);
        EXPECT_EQ(charts.current.size(), c.kept);
        const ChargerState after = state.snapshot();
        EXPECT_TRUE(after.voltageHistory.empty());
        EXPECT_FALSE(after.historyReady);
    }
}

TEST(ChartStepTest, ClearingEmptiesTheChartsButTheClockGoesOn) {
    ChartData charts;
    charts.addPoint(13, 2);
    charts.addPoint(13.1, 1.9);
    charts.clear();
    EXPECT_TRUE(charts.voltage.empty());
    EXPECT_TRUE(charts.current.empty());
    charts.addPoint(12.9, 2.1);
    EXPECT_NEAR(charts.voltage.points().front().x, 2 * kSecond, 1e-15);
}
