#include "chart/Decimation.h"

#include <algorithm>

namespace velmora {

void decimateMinMax(const PointSeries& series, double x0, double x1, int columns,
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
        std::size_t end = points.size();
        if (column < columns - 1) {
            const double edge = x0 + (column + 1) * columnDays;
            end = static_cast<std::size_t>(
                std::lower_bound(points.begin() + static_cast<std::ptrdiff_t>(start), points.end(),
                                 edge, [](const ChartPoint& p, double x) { return p.x < x; }) -
                points.begin());
        }
        if (end == start) continue;
        const Extremes e = series.extremes(start, end);
        drawn.push_back(points[std::min(e.low, e.high)]);
        if (e.low != e.high) drawn.push_back(points[std::max(e.low, e.high)]);
        start = end;
    }
}

}  // namespace velmora
