#include "chart/Decimation.h"

#include <algorithm>

namespace velmora {

namespace {
// The first index from `start` on whose x is at least `x`: galloping, since the answer
// is near (a column's worth of points) and the points may be many.
std::size_t firstAtOrAfter(const std::vector<ChartPoint>& points, std::size_t start, double x) {
    std::size_t below = start, step = 1;
    while (below + step < points.size() && points[below + step].x < x) {
        below += step;
        step *= 2;
    }
    const auto from = points.begin() + static_cast<std::ptrdiff_t>(below);
    const auto to =
        points.begin() + static_cast<std::ptrdiff_t>(std::min(below + step, points.size()));
    return static_cast<std::size_t>(
        std::lower_bound(from, to, x, [](const ChartPoint& p, double v) { return p.x < v; }) -
        points.begin());
}
}  // namespace

void decimateMinMax(const PointSeries& series, double x0, double x1, int columns, double yTolerance,
                    std::vector<ChartPoint>& drawn) {
    const std::vector<ChartPoint>& points = series.points();
    drawn.clear();
    if (columns < 1 || !(x1 > x0) || points.size() <= 2 * static_cast<std::size_t>(columns)) {
        drawn = points;
        return;
    }
    const double columnDays = (x1 - x0) / columns;
    std::size_t start = 0;
    for (int column = 0; column < columns && start < points.size(); ++column) {
        // Points are in x order: each column is one run, ended by its right edge.
        const std::size_t end = column < columns - 1
                                    ? firstAtOrAfter(points, start, x0 + (column + 1) * columnDays)
                                    : points.size();
        if (end == start) continue;
        const Extremes e = series.extremes(start, end);
        drawn.push_back(points[std::min(e.low, e.high)]);
        if (points[e.high].y - points[e.low].y > yTolerance)
            drawn.push_back(points[std::max(e.low, e.high)]);
        start = end;
    }
}

}  // namespace velmora
