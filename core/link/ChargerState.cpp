#include "link/ChargerState.h"

namespace velmora {

std::optional<ChargeHistory> LiveChargerState::takeHistory() {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!m_state.historyReady || m_state.voltageHistory.empty() ||
        m_state.voltageHistory.size() != m_state.currentHistory.size())
        return std::nullopt;
    ChargeHistory history;
    history.voltage.swap(m_state.voltageHistory);
    history.current.swap(m_state.currentHistory);
    m_state.historyReady = false;
    return history;
}

}  // namespace velmora
