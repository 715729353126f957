// What the chart draws: the reduced line and the axis labels.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <set>

#include "chart/AxisLayout.h"
#include "chart/ChartClock.h"
#include "chart/Decimation.h"

using namespace velmora;

namespace {

constexpr double kSecond = 1.0 / 86400;

// A day of one-second points with noise, a spike and a dip.
PointSeries noisyDay(double start) {
    PointSeries series;
    std::mt19937 random(7);
    std::uniform_real_distribution<double> noise(-0.05, 0.05);
    for (int i = 0; i < 86400; ++i) {
        double y = 13 + std::sin(i / 5000.0) + noise(random);
        if (i == 40000) y = 19;
        if (i == 40001) y = 3;
        series.add(start + i * kSecond, y);
    }
    return series;
}

}  // namespace

TEST(DecimationTest, KeepsEveryColumnsLowestAndHighestPointInOrder) {
    const PointSeries day = noisyDay(45429.25);
    const std::vector<ChartPoint>& points = day.points();
    const double x0 = points.front().x, x1 = points.back().x;
    for (int columns : {1, 3, 384, 901}) {
        SCOPED_TRACE(columns);
        std::vector<ChartPoint> drawn;
        decimateMinMax(day, x0, x1, columns, 0.0, drawn);
        ASSERT_LE(drawn.size(), 2u * columns);
        EXPECT_TRUE(std::is_sorted(drawn.begin(), drawn.end(),
                                   [](const auto& a, const auto& b) { return a.x < b.x; }));
        // Per column, the extremes of the stored points are exactly those of the drawn ones.
        std::vector<double> low(columns, HUGE_VAL), high(columns, -HUGE_VAL);
        std::vector<double> drawnLow = low, drawnHigh = high;
        const auto column = [&](double x) {
            return std::min(columns - 1, static_cast<int>((x - x0) * columns / (x1 - x0)));
        };
        for (const ChartPoint& p : points) {
            low[column(p.x)] = std::min(low[column(p.x)], p.y);
            high[column(p.x)] = std::max(high[column(p.x)], p.y);
        }
        for (const ChartPoint& p : drawn) {
            drawnLow[column(p.x)] = std::min(drawnLow[column(p.x)], p.y);
            drawnHigh[column(p.x)] = std::max(drawnHigh[column(p.x)], p.y);
        }
        EXPECT_EQ(drawnLow, low);
        EXPECT_EQ(drawnHigh, high);
        // Each drawn point is a stored one, not an average.
        for (const ChartPoint& p : drawn)
            EXPECT_TRUE(std::binary_search(points.begin(), points.end(), p,
                                           [](const auto& a, const auto& b) { return a.x < b.x; }));
    }
}

TEST(ExtremesIndexTest, FindsTheExtremesOfAnyRunAsAScanWould) {
    std::mt19937 random(11);
    std::uniform_int_distribution<int> level(0, 40);
    for (std::size_t size : {1u, 7u, 8u, 9u, 16u, 17u, 64u, 1000u, 4097u}) {
        SCOPED_TRACE(size);
        PointSeries series;
        for (std::size_t i = 0; i < size; ++i) series.add(static_cast<double>(i), level(random));
        if (size > 2) series.add(0.5, 99);    // an earlier point: the index is rebuilt
        for (std::size_t i = 0; i < 20; ++i)  // and grows on from there
            series.add(static_cast<double>(size + i), level(random));
        const auto& points = series.points();
        std::uniform_int_distribution<std::size_t> pick(0, points.size() - 1);
        for (int run = 0; run < 300; ++run) {
            std::size_t first = pick(random), last = pick(random) + 1;
            if (first >= last) std::swap(first, last), ++last;
            if (last > points.size()) last = points.size();
            if (first >= last) continue;
            double low = HUGE_VAL, high = -HUGE_VAL;
            for (std::size_t i = first; i < last; ++i) {
                low = std::min(low, points[i].y);
                high = std::max(high, points[i].y);
            }
            const Extremes found = series.extremes(first, last);
            SCOPED_TRACE(std::to_string(first) + ".." + std::to_string(last));
            for (const ChartPoint& p : {found.low, found.high}) {  // points of the run
                ASSERT_GE(p.x, points[first].x);
                ASSERT_LE(p.x, points[last - 1].x);
            }
            ASSERT_EQ(found.low.y, low);
            ASSERT_EQ(found.high.y, high);
        }
    }
}

TEST(DecimationTest, FewPointsAreDrawnAsTheyAre) {
    PointSeries series;
    for (int i = 0; i < 20; ++i) series.add(i * kSecond, 12 + i % 3);
    std::vector<ChartPoint> drawn;
    decimateMinMax(series, 0, 600 * kSecond, 10, 0.0, drawn);
    ASSERT_EQ(drawn.size(), 20u);
    for (std::size_t i = 0; i < drawn.size(); ++i) EXPECT_EQ(drawn[i].y, series.points()[i].y);
    decimateMinMax(PointSeries{}, 0, 1, 10, 0.0, drawn);
    EXPECT_TRUE(drawn.empty());
}

TEST(DecimationTest, EachPieceOfABrokenLineKeepsItsEnds) {
    // Two flat hours at the same voltage with an hour without readings between them: thinned
    // as one line, the ends at the gap would go and the line would run across it.
    PointSeries series;
    for (int i = 0; i < 3600; ++i) series.add(i * kSecond, 12.5);
    series.breakLine();
    for (int i = 7200; i < 10800; ++i) series.add(i * kSecond, 12.5);
    ASSERT_EQ(series.lineStarts(), std::vector<double>{7200 * kSecond});
    for (double tolerance : {0.0, 0.01}) {
        std::vector<ChartPoint> drawn;
        decimateMinMax(series, 0, 10800 * kSecond, 300, tolerance, drawn);
        const auto gap = std::find_if(drawn.begin(), drawn.end(),
                                      [](const ChartPoint& p) { return p.x >= 7200 * kSecond; });
        ASSERT_NE(gap, drawn.begin());
        ASSERT_NE(gap, drawn.end());
        // Each piece ends within its last pixel column (36 s) and starts on its first point.
        EXPECT_GE((gap - 1)->x, (3600 - 36) * kSecond) << tolerance;
        EXPECT_EQ(gap->x, 7200 * kSecond) << tolerance;
        EXPECT_EQ(drawn.front().x, 0);
        EXPECT_GE(drawn.back().x, (10800 - 36) * kSecond);
    }
    series.clear();
    EXPECT_TRUE(series.lineStarts().empty());
}

TEST(DecimationTest, WithAToleranceNoColumnExtremeStraysFurtherFromTheLine) {
    // A day with a pause: the clock jumped 3 hours (a receipt), so the spacing is uneven.
    PointSeries day = noisyDay(0.25);
    PointSeries series;
    for (std::size_t i = 0; i < day.size(); ++i)
        series.add(day.points()[i].x + (i >= 50000 ? 0.125 : 0.0), day.points()[i].y);
    const auto& points = series.points();
    const double x0 = points.front().x, x1 = points.back().x, tolerance = 0.15;
    const int columns = 900;
    std::vector<ChartPoint> exact, drawn;
    decimateMinMax(series, x0, x1, columns, 0.0, exact);
    decimateMinMax(series, x0, x1, columns, tolerance, drawn);
    EXPECT_LT(drawn.size(), exact.size() / 2);
    // The line drawn at x, between the drawn points around it.
    const auto lineAt = [&](double x) {
        auto right = std::lower_bound(drawn.begin(), drawn.end(), x,
                                      [](const ChartPoint& p, double v) { return p.x < v; });
        if (right == drawn.begin()) return right->y;
        const auto left = right - 1;
        if (right == drawn.end()) return left->y;
        return left->y + (right->y - left->y) * (x - left->x) / (right->x - left->x);
    };
    for (const ChartPoint& p : exact) ASSERT_NEAR(lineAt(p.x), p.y, tolerance + 1e-9) << p.x;
    EXPECT_EQ(drawn.front().x, exact.front().x);
    EXPECT_EQ(drawn.back().x, exact.back().x);
    const auto highest = [](const std::vector<ChartPoint>& line) {
        return std::max_element(line.begin(), line.end(),
                                [](const auto& a, const auto& b) { return a.y < b.y; })
            ->y;
    };
    EXPECT_EQ(highest(drawn), 19);  // the spike
}

TEST(TimeAxisTest, SpansTheWholeChargeAndAtLeastTenMinutes) {
    PointSeries series;
    TimeSpan span = timeAxisSpan(series, 0.5, 900);
    EXPECT_EQ(span.first, 0.5);
    EXPECT_NEAR(span.last, 0.5 + 600 * kSecond, 1e-12);
    series.add(0.0, 13);
    series.add(30 * kSecond, 13);
    span = timeAxisSpan(series, 31 * kSecond, 900);
    EXPECT_EQ(span.first, 0.0);
    EXPECT_NEAR(span.last, 600 * kSecond, 1e-12);
    // Longer: to the last point, give or take two pixels, moving once per pixel or so.
    std::set<double> ends;
    for (int s = 5000; s < 6000; ++s) {
        series.add(s * kSecond, 13);
        span = timeAxisSpan(series, (s + 1) * kSecond, 900);
        EXPECT_EQ(span.first, 0.0);
        EXPECT_GE(span.last, s * kSecond);
        EXPECT_LT(span.last, s * kSecond * (1 + 2.0 / 900));
        ends.insert(span.last);
    }
    EXPECT_LT(ends.size(), 1000u / 4);
}

TEST(TimeAxisTest, LabelsThinThemselvesSoTheyNeverMeet) {
    struct Case {
        double minutes, axisPx, labelPx;
        const char* firstLabels;  // the first three
    } cases[] = {
        {10, 900, 26, "0:00 0:01 0:02"},
        {10, 320, 26, "0:00 0:02 0:04"},
        {120, 900, 26, "0:00 0:10 0:20"},
        {24 * 60, 900, 30, "0:00 2:00 4:00"},
        {26 * 60 + 7, 320, 30, "0:00 6:00 12:00"},
        {40 * 24 * 60, 900, 30, "0:00 0:00 0:00"},  // whole days
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.firstLabels);
        const TimeSpan span{0.0, c.minutes * kMinuteInDays};
        const auto labels = timeAxisLabels(span, c.axisPx, c.labelPx);
        ASSERT_GE(labels.size(), 3u);
        EXPECT_EQ(labels[0].text + " " + labels[1].text + " " + labels[2].text, c.firstLabels);
        const double pxPerDay = c.axisPx / (span.last - span.first);
        for (std::size_t i = 1; i < labels.size(); ++i)
            EXPECT_GE((labels[i].x - labels[i - 1].x) * pxPerDay, c.labelPx * 2);
        for (const TimeLabel& label : labels) {
            EXPECT_GE(label.x, span.first);
            // No label sticks out past the right end of the axis.
            EXPECT_LE((label.x - span.first) * pxPerDay + c.labelPx / 2, c.axisPx + 1e-6);
        }
    }
}

TEST(TimeAxisTest, LabelsSitOnWholeStepsOfTheDay) {
    // A charge printed at 14:23:40 goes on from there: labels on the whole minutes.
    const double start = chartDays(2024, 5, 17, (14 * 3600 + 23 * 60 + 40) * 1000);
    const auto labels = timeAxisLabels({start, start + 10 * kMinuteInDays}, 900, 26);
    ASSERT_FALSE(labels.empty());
    EXPECT_EQ(labels.front().text, "14:24");
    EXPECT_NEAR(labels.front().x, chartDays(2024, 5, 17, (14 * 3600 + 24 * 60) * 1000), 1e-9);
}

TEST(ValueAxisTest, StepGrowsOnlyWhenLabelsWouldCrowd) {
    EXPECT_EQ(valueAxisStep(1, 5, 170, 14), 1);   // voltage on screen
    EXPECT_EQ(valueAxisStep(4, 20, 170, 14), 4);  // current on screen
    EXPECT_EQ(valueAxisStep(1, 5, 30, 14), 5);    // a squeezed chart
    EXPECT_EQ(valueAxisStep(1, 5, 90, 14), 2);
}
