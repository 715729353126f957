#include "chart/AxisLayout.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "chart/ChartClock.h"

namespace velmora {

namespace {
// Free room between two labels, as wide as a label.
constexpr double kLabelGap = 1.0;
constexpr std::int64_t kMinuteMs = 60'000;
constexpr std::int64_t kTimeSteps[] = {1,  2,   5,   10,  15,  30,
                                       60, 120, 180, 360, 720, 1440};  // minutes

// 1, 2, 5, 10, 20, 50, ... times `unit`: the smallest at least `minimum`.
double niceMultiple(double unit, double minimum) {
    for (double decade = 1;; decade *= 10)
        for (double factor : {1.0, 2.0, 5.0})
            if (unit * factor * decade >= minimum) return unit * factor * decade;
}
}  // namespace

TimeSpan timeAxisSpan(const PointSeries& points, double nextPointDays, double axisPx,
                      double minimumDays, std::optional<double> origin) {
    double first = points.empty() ? nextPointDays : points.points().front().x;
    if (origin) first = std::min(first, *origin);
    const double last = points.empty() ? first : points.points().back().x;
    if (last <= first + minimumDays) return {first, first + minimumDays};
    if (!(axisPx >= 1)) return {first, last};
    // Rounded up to a power of two milliseconds that is worth a pixel or two.
    const std::int64_t spanMs = chartMilliseconds(last - first);
    std::int64_t step = 1;
    while (static_cast<double>(step) * axisPx < static_cast<double>(spanMs)) step *= 2;
    const std::int64_t rounded = (spanMs + step - 1) / step * step;
    return {first, std::max(last, first + static_cast<double>(rounded) / kMsPerDay)};
}

std::vector<TimeLabel> timeAxisLabels(const TimeSpan& span, double axisPx, double labelPx) {
    std::vector<TimeLabel> labels;
    const double spanDays = span.last - span.first;
    if (!(spanDays > 0) || !(axisPx > 0)) return labels;
    const double pxPerDay = axisPx / spanDays;
    const double minimumDays = labelPx * (1 + kLabelGap) / pxPerDay;
    double stepMinutes = 0;
    for (std::int64_t minutes : kTimeSteps)
        if (minutes * kMinuteInDays >= minimumDays) {
            stepMinutes = static_cast<double>(minutes);
            break;
        }
    if (stepMinutes == 0) stepMinutes = niceMultiple(1440, minimumDays / kMinuteInDays);
    const auto stepMs = static_cast<std::int64_t>(stepMinutes) * kMinuteMs;

    // Whole multiples of the step from the origin: on the hour, half hour, ... of the day.
    const std::int64_t firstMs = chartMilliseconds(span.first);
    std::int64_t tickMs = firstMs / stepMs * stepMs;
    if (tickMs < firstMs) tickMs += stepMs;
    const double lastLabelDays = span.last - labelPx / 2 / pxPerDay;
    for (;; tickMs += stepMs) {
        const double x = static_cast<double>(tickMs) / kMsPerDay;
        if (x > lastLabelDays) break;
        labels.push_back({x, hourMinuteText(x)});
    }
    return labels;
}

double valueAxisStep(double baseStep, double range, double axisPx, double labelPx) {
    if (!(range > 0) || !(axisPx > 0)) return baseStep;
    return niceMultiple(baseStep, labelPx * (1 + kLabelGap) * range / axisPx);
}

}  // namespace velmora
