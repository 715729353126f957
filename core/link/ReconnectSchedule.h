#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace velmora {

// When a lost charger is tried again by itself: soon at first, then at a steady pace, and
// not at all once it has been gone for long (the workshop has moved on).
struct ReconnectSchedule {
    std::vector<int> firstPausesMs{1000, 2000, 4000, 8000};
    int steadyPauseMs = 15000;
    int64_t giveUpAfterMs = 10 * 60 * 1000;

    // The pause before attempt `attempt` (1 for the first), or nullopt when that attempt
    // would start after the time to give up, counted from the loss.
    std::optional<int> pauseBefore(int attempt, int64_t sinceLossMs) const;
};

}  // namespace velmora
