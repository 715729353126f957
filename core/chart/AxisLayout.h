#pragma once

#include <optional>
#include <string>
#include <vector>

#include "chart/PointSeries.h"

namespace velmora {

// The time axis range in days.
struct TimeSpan {
    double first = 0.0;
    double last = 0.0;
};

// The narrowest time axis of the live charts: ten minutes.
inline constexpr double kLiveMinimumSpanDays = 10.0 / 1440;

// The whole charge so far: from `origin` (its start; the first point when none is given)
// to the last point, at least `minimumDays` wide; that wide from the origin, or the next
// point's time, while the chart is empty. Past the minimum the end is rounded up by less
// than two pixels of an axis `axisPx` long, so the axis and its labels move once per pixel
// the line grows, not with every point.
TimeSpan timeAxisSpan(const PointSeries& points, double nextPointDays, double axisPx,
                      double minimumDays = kLiveMinimumSpanDays,
                      std::optional<double> origin = std::nullopt);

struct TimeLabel {
    double x = 0.0;    // days
    std::string text;  // "h:mm"
};

// Time labels on whole multiples of a step (1, 2, 5, 10, 15, 30 minutes, 1, 2, 3, 6, 12
// hours, then whole days), the smallest step that keeps neighbouring labels apart on an
// axis `axisPx` long; none that would stick out past the right end of the axis.
std::vector<TimeLabel> timeAxisLabels(const TimeSpan& span, double axisPx, double labelPx);

// The value axis step: `baseStep` times 1, 2, 5, 10, 20, 50, ..., the smallest that keeps
// labels `labelPx` high apart on an axis `axisPx` long.
double valueAxisStep(double baseStep, double range, double axisPx, double labelPx);

}  // namespace velmora
