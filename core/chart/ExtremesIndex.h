#pragma once

#include <cstdint>
#include <vector>

namespace velmora {

struct ChartPoint {
    double x = 0.0;  // date-time, days (see ChartClock)
    double y = 0.0;
};

// Where the lowest and the highest y of a run of points lie (indices).
struct Extremes {
    std::size_t low = 0;
    std::size_t high = 0;
};

// Answers "lowest and highest of points [first, last)" in about log(last - first) steps
// instead of last - first, so a day of points reduces to pixel columns about as fast as a
// minute does. A pyramid of (lowest, highest) entries: the first level over blocks of a
// few points, each next level over pairs of the one below; appending a point updates one
// entry per level. Entries carry the y values too, so a query reads the pyramid and only
// the loose points at its ends, not points scattered over the whole series.
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
        double lowY;
        double highY;
        std::uint32_t low;
        std::uint32_t high;

        static Entry of(const std::vector<ChartPoint>& points, std::size_t i);
        void take(const Entry& other);
    };
    void add(const std::vector<ChartPoint>& points, std::size_t index);

    std::vector<std::vector<Entry>> m_levels;
};

}  // namespace velmora
