#include "link/ReconnectSchedule.h"

namespace velmora {

std::optional<int> ReconnectSchedule::pauseBefore(int attempt, int64_t sinceLossMs) const {
    if (attempt < 1) attempt = 1;
    const auto index = static_cast<size_t>(attempt - 1);
    const int pause = index < firstPausesMs.size() ? firstPausesMs[index] : steadyPauseMs;
    if (sinceLossMs + pause > giveUpAfterMs) return std::nullopt;
    return pause;
}

}  // namespace velmora
