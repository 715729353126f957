#pragma once

#include <vector>

namespace velmora {

struct ChartPoint {
    double x = 0.0;  // date-time, days (see ChartClock)
    double y = 0.0;
};

// The lowest and the highest point of a run of points.
struct Extremes {
    ChartPoint low;
    ChartPoint high;
};

// Answers "lowest and highest of points [first, last)" in about log(last - first) steps
// instead of last - first, so a day of points reduces to pixel columns about as fast as a
// minute does. A pyramid of (lowest, highest) entries: the first level over blocks of a
// few points, each next level over pairs of the one below; appending a point updates one
// entry per level. Entries hold copies of their points, so a query reads the pyramid and
// only the loose points at its ends, not points scattered over the whole series.
class ExtremesIndex {
public:
    // Call after each push_back: the new last point joins the pyramid.
    void appended(const std::vector<ChartPoint>& points) { add(points, points.size() - 1); }
    // Call after any other change (a point inserted before others, clearing).
    void rebuild(const std::vector<ChartPoint>& points);
    // Requires first < last <= points.size().
    Extremes find(const std::vector<ChartPoint>& points, std::size_t first, std::size_t last) const;

private:
    struct Entry {
        ChartPoint low;
        ChartPoint high;

        static Entry of(const ChartPoint& p) { return {p, p}; }
        void take(const Entry& other) {
            if (other.low.y < low.y) low = other.low;
            if (other.high.y > high.y) high = other.high;
        }
    };
    void add(const std::vector<ChartPoint>& points, std::size_t index);

    std::vector<std::vector<Entry>> m_levels;
};

}  // namespace velmora
