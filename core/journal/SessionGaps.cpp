#include "journal/SessionGaps.h"

namespace velmora::journal {

std::vector<Gap> findGaps(const std::vector<Point>& points, int64_t minGapMs) {
    std::vector<Gap> gaps;
    for (size_t i = 1; i < points.size(); ++i)
        if (points[i].offsetMs - points[i - 1].offsetMs >= minGapMs)
            gaps.push_back({points[i - 1].offsetMs, points[i].offsetMs});
    return gaps;
}

}  // namespace velmora::journal
