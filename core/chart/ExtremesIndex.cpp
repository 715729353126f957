#include "chart/ExtremesIndex.h"

namespace velmora {

namespace {
constexpr std::size_t kBlock = 8;  // points per first-level entry
}  // namespace

void ExtremesIndex::add(const std::vector<ChartPoint>& points, std::size_t index) {
    const Entry point = Entry::of(points[index]);
    if (m_levels.empty()) m_levels.emplace_back();
    std::size_t entry = index / kBlock;
    for (std::size_t level = 0; level < m_levels.size(); ++level, entry /= 2) {
        std::vector<Entry>& entries = m_levels[level];
        if (entry == entries.size())
            entries.push_back(point);
        else
            entries[entry].take(point);
    }
    // A top level of two entries gets one above it covering both.
    const std::vector<Entry>& top = m_levels.back();
    if (top.size() == 2) {
        Entry both = top[0];
        both.take(top[1]);
        m_levels.push_back({both});
    }
}

void ExtremesIndex::rebuild(const std::vector<ChartPoint>& points) {
    // Level by level from the bottom: one pass over the points, then over the entries.
    m_levels.clear();
    if (points.empty()) return;
    std::vector<Entry> level;
    for (std::size_t i = 0; i < points.size(); ++i) {
        if (i % kBlock == 0)
            level.push_back(Entry::of(points[i]));
        else
            level.back().take(Entry::of(points[i]));
    }
    for (;;) {
        m_levels.push_back(std::move(level));
        const std::vector<Entry>& below = m_levels.back();
        if (below.size() < 2) return;
        level.clear();
        for (std::size_t i = 0; i < below.size(); i += 2) {
            level.push_back(below[i]);
            if (i + 1 < below.size()) level.back().take(below[i + 1]);
        }
    }
}

Extremes ExtremesIndex::find(const std::vector<ChartPoint>& points, std::size_t first,
                             std::size_t last) const {
    Entry found = Entry::of(points[first++]);
    // Loose points to the first block boundary; at the end too, unless the run goes to the
    // last point, whose (partial) block entry covers exactly the rest.
    for (; first < last && first % kBlock != 0; ++first) found.take(Entry::of(points[first]));
    if (last != points.size())
        while (first < last && last % kBlock != 0) found.take(Entry::of(points[--last]));
    std::size_t lo = first / kBlock, hi = (last + kBlock - 1) / kBlock;
    for (std::size_t level = 0; first < last && lo < hi; ++level, lo /= 2, hi /= 2) {
        const std::vector<Entry>& entries = m_levels[level];
        if (lo % 2) found.take(entries[lo++]);
        if (hi % 2) found.take(entries[--hi]);
    }
    return {found.low, found.high};
}

}  // namespace velmora
