#include "chart/PointSeries.h"

#include <algorithm>

namespace velmora {

void PointSeries::add(double x, double y) {
    ++m_revision;
    if (m_breakPending) {
        m_breakPending = false;
        m_lineStarts.insert(std::upper_bound(m_lineStarts.begin(), m_lineStarts.end(), x), x);
    }
    if (m_points.empty() || m_points.back().x <= x) {
        m_points.push_back({x, y});
        m_index.appended(m_points);
        return;
    }
    const auto at = std::upper_bound(m_points.begin(), m_points.end(), x,
                                     [](double value, const ChartPoint& p) { return value < p.x; });
    m_points.insert(at, {x, y});
    m_index.rebuild(m_points);  // rare: only after the clock was set back
}

void PointSeries::breakLine() {
    m_breakPending = !m_points.empty();
}

void PointSeries::clear() {
    ++m_revision;
    m_points.clear();
    m_lineStarts.clear();
    m_breakPending = false;
    m_index.rebuild(m_points);
}

}  // namespace velmora
