#pragma once

#include <cstdint>
#include <vector>

#include "journal/SessionTypes.h"

namespace velmora::journal {

// A stretch of a session without readings: the link was lost and found again, or a
// receipt had the link. Points come once a second, so a few seconds without one is a gap.
struct Gap {
    int64_t fromMs = 0;  // offset of the last point before it
    int64_t toMs = 0;    // offset of the first point after it
};

constexpr int64_t kMinGapMs = 5000;

// The gaps between consecutive points, in order.
std::vector<Gap> findGaps(const std::vector<Point>& points, int64_t minGapMs = kMinGapMs);

}  // namespace velmora::journal
