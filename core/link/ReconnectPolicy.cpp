#include "link/ReconnectPolicy.h"

namespace velmora {

bool ReconnectPolicy::lost(int64_t nowMs, std::optional<int64_t> upForMs, bool answered) {
    const bool sameLoss =
        m_lostAtMs && upForMs && *upForMs < kShortLivedLinkMs && m_attempt > 0 && !answered;
    m_reconnecting = true;
    m_gaveUp = false;
    if (!sameLoss) {
        m_attempt = 0;
        m_lostAtMs = nowMs;
    }
    return !sameLoss;
}

std::optional<int> ReconnectPolicy::pauseBeforeNext(int64_t nowMs) const {
    if (!m_reconnecting || !m_lostAtMs) return std::nullopt;
    return m_schedule.pauseBefore(m_attempt + 1, nowMs - *m_lostAtMs);
}

int ReconnectPolicy::startAttempt() {
    return ++m_attempt;
}

void ReconnectPolicy::postpone() {
    if (m_attempt > 0) --m_attempt;
}

bool ReconnectPolicy::goOn(int64_t nowMs) {
    if (!m_reconnecting) return false;
    if (pauseBeforeNext(nowMs)) return true;
    m_reconnecting = false;
    m_gaveUp = true;
    return false;
}

}  // namespace velmora
