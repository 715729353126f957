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

void setLive(LiveChargerState& state, int stage, int elapsed, double volts = 13.47,
             double amperes = 3.2) {
    state.modify([&](ChargerState& s) {
        s.stageNumber = stage;
        s.elapsedSeconds = elapsed;
        s.chargeVoltage = volts;
        s.chargeCurrent = amperes;
    });
}

std::vector<double> xsInSeconds(const PointSeries& series) {
    std::vector<double> xs;
    for (const ChartPoint& p : series.points()) xs.push_back(std::round(p.x / kSecond));
    return xs;
}

// The history the charger sends after charging fills the part of the charge the chart did
// not see (joined late), ten points per sample one second apart, ending where the charge
// stands; a chart that has the charge from its start gets nothing after its end.
TEST(ChartStepTest, HistoryFillsOnlyWhatTheChartMissed) {
    std::vector<std::string> volts, milliamps;
    for (int i = 0; i < 30; ++i) {
        volts.push_back(std::to_string(1250 + i));
        milliamps.push_back(std::to_string(2000 - i));
    }
    {
        SCOPED_TRACE("joined at 250 s");
        LiveChargerState state;
        ChartData charts;
        setLive(state, 3, 250);
        chartStep(state, NumberFormat{}, charts);
        setHistory(state, volts, milliamps);
        setLive(state, 5, 300);  // the history comes as the charge leaves stage 4
        EXPECT_FALSE(chartStep(state, NumberFormat{}, charts).has_value());
        ASSERT_EQ(charts.voltage.size(), 251u);  // samples 0 to 24, then the live point
        ASSERT_EQ(charts.current.size(), 251u);
        for (std::size_t i = 0; i < 250; ++i) {
            SCOPED_TRACE(i);
            EXPECT_NEAR(charts.voltage.points()[i].x, static_cast<double>(i) * kSecond, 1e-12);
            EXPECT_EQ(charts.current.points()[i].x, charts.voltage.points()[i].x);
            EXPECT_DOUBLE_EQ(charts.voltage.points()[i].y, (1250 + i / 10) / 100.0);
            EXPECT_DOUBLE_EQ(charts.current.points()[i].y, (2000 - i / 10) / 1000.0);
        }
        EXPECT_NEAR(charts.voltage.points()[250].x, 250 * kSecond, 1e-12);
        const ChargerState after = state.snapshot();
        EXPECT_TRUE(after.voltageHistory.empty());
        EXPECT_TRUE(after.currentHistory.empty());
        EXPECT_FALSE(after.historyReady);
    }
    {
        SCOPED_TRACE("seen from its start");
        LiveChargerState state;
        ChartData charts;
        for (int elapsed = 9; elapsed < 300; ++elapsed) {
            setLive(state, 2, elapsed);
            chartStep(state, NumberFormat{}, charts);
        }
        setHistory(state, volts, milliamps);
        setLive(state, 5, 310);
        chartStep(state, NumberFormat{}, charts);
        EXPECT_EQ(charts.voltage.size(), 291u);
        EXPECT_NEAR(charts.voltage.points().back().x, 299 * kSecond, 1e-12);
        EXPECT_FALSE(state.snapshot().historyReady);
    }
    {
        SCOPED_TRACE("nothing seen before the history");
        LiveChargerState state;
        ChartData charts;
        setHistory(state, {"1250", "1300", "1320"}, {"2000", "1500", "500"});
        setLive(state, 5, 45);
        chartStep(state, NumberFormat{}, charts);
        ASSERT_EQ(charts.voltage.size(), 30u);
        EXPECT_NEAR(charts.voltage.points().front().x, 15 * kSecond, 1e-12);
        EXPECT_EQ(ys(charts.current).back(), 0.5);
    }
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

// One point for each new reading of a charging stage, at the charge's own time: a tick
// without a new reading invents none.
TEST(ChartStepTest, LivePointOfEachNewReadingOfTheChargingStagesOnly) {
    for (int stage = 0; stage <= 7; ++stage) {
        SCOPED_TRACE(stage);
        LiveChargerState state;
        ChartData charts;
        for (int elapsed : {100, 100, 101}) {
            setLive(state, stage, elapsed);
            chartStep(state, NumberFormat{}, charts);
        }
        const bool charging = stage >= 2 && stage <= 4;
        ASSERT_EQ(charts.voltage.size(), charging ? 2u : 0u);
        ASSERT_EQ(charts.current.size(), charging ? 2u : 0u);
        if (charging) {
            EXPECT_EQ(xsInSeconds(charts.voltage), (std::vector<double>{100, 101}));
            EXPECT_EQ(ys(charts.voltage), (std::vector<double>{13.47, 13.47}));
            EXPECT_EQ(ys(charts.current), (std::vector<double>{3.2, 3.2}));
        }
    }
}

TEST(ChartStepTest, ALostLinkLeavesItsTimeOpenOnTheLiveChart) {
    LiveChargerState state;
    ChartData charts;
    for (int elapsed : {10, 11}) {
        setLive(state, 3, elapsed, 14.1, 1.5);
        chartStep(state, NumberFormat{}, charts);
    }
    for (int tick = 0; tick < 5; ++tick) chartStep(state, NumberFormat{}, charts, false);
    EXPECT_EQ(charts.voltage.size(), 2u);  // nothing invented
    setLive(state, 3, 77, 14.2, 1.4);      // the charge went on meanwhile
    chartStep(state, NumberFormat{}, charts);
    EXPECT_EQ(xsInSeconds(charts.voltage), (std::vector<double>{10, 11, 77}));
    EXPECT_EQ(charts.voltage.lineStarts(), std::vector<double>{charts.voltage.points()[2].x});
    EXPECT_EQ(charts.current.lineStarts().size(), 1u);
}

// A reading whose time went back is another charge's: nothing of the one before stays.
TEST(ChartStepTest, AReadingWhoseTimeWentBackStartsTheChartsAgain) {
    LiveChargerState state;
    ChartData charts;
    for (int elapsed : {5000, 5001}) {
        setLive(state, 4, elapsed, 14.7, 0.2);
        chartStep(state, NumberFormat{}, charts);
    }
    setLive(state, 2, 12, 12.9, 2.5);
    chartStep(state, NumberFormat{}, charts);
    EXPECT_EQ(xsInSeconds(charts.voltage), std::vector<double>{12});
    EXPECT_EQ(ys(charts.current), std::vector<double>{2.5});
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
        setLive(state, 5, 30);
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

TEST(ChartStepTest, ClearingStartsAgainFromTheChargesStart) {
    ChartData charts;
    charts.addPoint(13, 2);
    charts.addPoint(13.1, 1.9);
    charts.clear();
    EXPECT_TRUE(charts.voltage.empty());
    EXPECT_TRUE(charts.current.empty());
    charts.addPoint(12.9, 2.1);
    EXPECT_EQ(charts.voltage.points().front().x, 0.0);
}
