#pragma once

#include <cstdint>
#include <vector>

#include "chart/ExtremesIndex.h"

namespace velmora {

// Every point of one chart, kept whole for the screen, the receipt and any export; x in
// ascending order.
class PointSeries {
public:
    // A point earlier than the last one goes where its x belongs (after equal x values),
    // so the line never runs backwards when the clock has been set back.
    void add(double x, double y);
    // The next point starts a new line: nothing is drawn across the time in between (a
    // lost link). Nothing happens before the first point or twice in a row.
    void breakLine();
    void clear();

    const std::vector<ChartPoint>& points() const { return m_points; }
    // Where the line starts again after each break, ascending: the x of its first point.
    const std::vector<double>& lineStarts() const { return m_lineStarts; }
    std::size_t size() const { return m_points.size(); }
    bool empty() const { return m_points.empty(); }
    // Changes with every change of the points: the drawing redraws only when it moved.
    std::uint64_t revision() const { return m_revision; }
    // Lowest and highest of points [first, last), first < last <= size(), fast.
    Extremes extremes(std::size_t first, std::size_t last) const {
        return m_index.find(m_points, first, last);
    }

private:
    std::vector<ChartPoint> m_points;
    std::vector<double> m_lineStarts;
    bool m_breakPending = false;
    ExtremesIndex m_index;
    std::uint64_t m_revision = 0;
};

}  // namespace velmora
