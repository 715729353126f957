#include "chart/ExtremesIndex.h"

namespace velmora {

namespace {
constexpr std::size_t kBlock = 8;  // points per first-level entry

// Running extremes while a query collects points and entries.
class Collector {
public:
    explicit Collector(const std::vector<ChartPoint>& points) : m_points(points) {}
    void take(std::size_t low, std::size_t high) {
        if (!m_any || m_points[low].y < m_points[m_found.low].y) m_found.low = low;
        if (!m_any || m_points[high].y > m_points[m_found.high].y) m_found.high = high;
        m_any = true;
    }
    Extremes found() const { return m_found; }

private:
    const std::vector<ChartPoint>& m_points;
    Extremes m_found;
    bool m_any = false;
};
}  // namespace

ExtremesIndex::Entry ExtremesIndex::combine(const std::vector<ChartPoint>& points, const Entry& a,
                                            const Entry& b) {
    return {points[b.low].y < points[a.low].y ? b.low : a.low,
            points[b.high].y > points[a.high].y ? b.high : a.high};
}

void ExtremesIndex::add(const std::vector<ChartPoint>& points, std::size_t index) {
    const auto i = static_cast<std::uint32_t>(index);
    const double y = points[index].y;
    if (m_levels.empty()) m_levels.emplace_back();
    std::size_t entry = index / kBlock;
    for (std::size_t level = 0; level < m_levels.size(); ++level, entry /= 2) {
        std::vector<Entry>& entries = m_levels[level];
        if (entry == entries.size()) {
            entries.push_back({i, i});
            continue;
        }
        Entry& e = entries[entry];
        if (y < points[e.low].y) e.low = i;
        if (y > points[e.high].y) e.high = i;
    }
    // A top level of two entries gets one above it covering both.
    const std::vector<Entry>& top = m_levels.back();
    if (top.size() == 2) m_levels.push_back({combine(points, top[0], top[1])});
}

void ExtremesIndex::rebuild(const std::vector<ChartPoint>& points) {
    // Level by level from the bottom: one pass over the points, then over the entries.
    m_levels.clear();
    if (points.empty()) return;
    std::vector<Entry> level;
    for (std::size_t i = 0; i < points.size(); ++i) {
        const auto index = static_cast<std::uint32_t>(i);
        if (i % kBlock == 0) {
            level.push_back({index, index});
            continue;
        }
        Entry& e = level.back();
        if (points[i].y < points[e.low].y) e.low = index;
        if (points[i].y > points[e.high].y) e.high = index;
    }
    for (;;) {
        m_levels.push_back(std::move(level));
        const std::vector<Entry>& below = m_levels.back();
        if (below.size() < 2) return;
        level.clear();
        for (std::size_t i = 0; i < below.size(); i += 2)
            level.push_back(i + 1 < below.size() ? combine(points, below[i], below[i + 1])
                                                 : below[i]);
    }
}

Extremes ExtremesIndex::find(const std::vector<ChartPoint>& points, std::size_t first,
                             std::size_t last) const {
    Collector collect(points);
    // Loose points to the first block boundary; at the end too, unless the run goes to the
    // last point, whose (partial) block entry covers exactly the rest.
    while (first < last && first % kBlock != 0) collect.take(first, first), ++first;
    if (last != points.size())
        while (first < last && last % kBlock != 0) --last, collect.take(last, last);
    if (first == last) return collect.found();
    std::size_t lo = first / kBlock, hi = (last + kBlock - 1) / kBlock;
    for (std::size_t level = 0; lo < hi; ++level, lo /= 2, hi /= 2) {
        const std::vector<Entry>& entries = m_levels[level];
        if (lo % 2) collect.take(entries[lo].low, entries[lo].high), ++lo;
        if (hi % 2) --hi, collect.take(entries[hi].low, entries[hi].high);
    }
    return collect.found();
}

}  // namespace velmora
