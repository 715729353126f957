#include "chart/Decimation.h"

#include <algorithm>
#include <cmath>

namespace velmora {

namespace {
bool before(const ChartPoint& p, double x) {
    return p.x < x;
}

// The first index from `start` on whose x is at least `x`. The points are mostly one
// second apart, so the spacing of the rest gives a close guess; from there it gallops to
// the answer. A few reads per column instead of a search through memory the drawing has
// long pushed out of the cache.
std::size_t firstAtOrAfter(const std::vector<ChartPoint>& points, std::size_t start, double x) {
    const std::size_t last = points.size() - 1;
    if (start > last || !before(points[start], x)) return start;
    if (before(points[last], x)) return points.size();
    // points[start].x < x <= points[last].x: the answer lies in (start, last].
    const double share = (x - points[start].x) / (points[last].x - points[start].x);
    std::size_t guess = start + static_cast<std::size_t>(share * static_cast<double>(last - start));
    guess = std::clamp(guess, start + 1, last);
    std::size_t low, high;  // before(points[low], x) and !before(points[high], x)
    if (before(points[guess], x)) {
        low = guess;
        for (std::size_t step = 1;; step *= 2) {
            high = std::min(low + step, last);
            if (!before(points[high], x)) break;
            low = high;
        }
    } else {
        high = guess;
        for (std::size_t step = 1;; step *= 2) {
            low = high - std::min(step, high - start);
            if (before(points[low], x)) break;
            high = low;
        }
    }
    const auto from = points.begin() + static_cast<std::ptrdiff_t>(low);
    const auto to = points.begin() + static_cast<std::ptrdiff_t>(high);
    return static_cast<std::size_t>(std::lower_bound(from, to, x, before) - points.begin());
}
}  // namespace

namespace {
// Where the line from `from` on stays within a band `tolerance` high, only the band's first
// and last point are kept: the chord between them stays in the band, so no dropped point
// lies further than `tolerance` from the line drawn.
void straighten(std::vector<ChartPoint>& line, std::size_t from, double tolerance) {
    if (line.size() < from + 3 || !(tolerance > 0)) return;
    std::size_t kept = from + 1;
    double low = line[from].y, high = low;  // the band of the stretch since the last kept point
    for (std::size_t i = from + 1; i + 1 < line.size(); ++i) {
        const double nextLow = std::min({low, line[i].y, line[i + 1].y});
        const double nextHigh = std::max({high, line[i].y, line[i + 1].y});
        if (nextHigh - nextLow <= tolerance) {
            low = std::min(low, line[i].y);
            high = std::max(high, line[i].y);
            continue;
        }
        line[kept++] = line[i];
        low = high = line[i].y;
    }
    line[kept++] = line.back();
    line.resize(kept);
}

// The lowest and highest point per column of points [begin, end), added to `drawn`.
void keepColumnExtremes(const PointSeries& series, std::size_t begin, std::size_t end, double x0,
                        double columnDays, int columns, std::vector<ChartPoint>& drawn) {
    const std::vector<ChartPoint>& points = series.points();
    const double firstColumn = std::floor((points[begin].x - x0) / columnDays);
    int column = static_cast<int>(std::clamp(firstColumn, 0.0, columns - 1.0));
    for (std::size_t start = begin; column < columns && start < end; ++column) {
        // Points are in x order: each column is one run, ended by its right edge.
        const std::size_t runEnd =
            column < columns - 1
                ? std::min(end, firstAtOrAfter(points, start, x0 + (column + 1) * columnDays))
                : end;
        if (runEnd == start) continue;
        const Extremes e = series.extremes(start, runEnd);
        const bool lowFirst = e.low.x < e.high.x;
        drawn.push_back(lowFirst ? e.low : e.high);
        if (e.low.y != e.high.y) drawn.push_back(lowFirst ? e.high : e.low);
        start = runEnd;
    }
}
}  // namespace

void decimateMinMax(const PointSeries& series, double x0, double x1, int columns, double yTolerance,
                    std::vector<ChartPoint>& drawn) {
    const std::vector<ChartPoint>& points = series.points();
    drawn.clear();
    // Each piece of a broken line is thinned on its own, so the ends at a break stay.
    std::vector<std::size_t> bounds{0};
    for (double start : series.lineStarts()) {
        const auto at = static_cast<std::size_t>(
            std::lower_bound(points.begin(), points.end(), start, before) - points.begin());
        if (at > bounds.back() && at < points.size()) bounds.push_back(at);
    }
    bounds.push_back(points.size());
    const bool fewPoints =
        columns < 1 || !(x1 > x0) || points.size() <= 2 * static_cast<std::size_t>(columns);
    for (std::size_t piece = 0; piece + 1 < bounds.size(); ++piece) {
        const std::size_t begin = bounds[piece], end = bounds[piece + 1];
        if (begin == end) continue;
        const std::size_t pieceStart = drawn.size();
        if (fewPoints)
            drawn.insert(drawn.end(), points.begin() + static_cast<std::ptrdiff_t>(begin),
                         points.begin() + static_cast<std::ptrdiff_t>(end));
        else
            keepColumnExtremes(series, begin, end, x0, (x1 - x0) / columns, columns, drawn);
        straighten(drawn, pieceStart, yTolerance);
    }
}

}  // namespace velmora
