#include "link/ChargerState.h"

#include <algorithm>

namespace velmora {

void ChargerState::storeCurrentHistory(std::vector<std::string> items) {
    const bool waiting = historyReady && !currentHistory.empty();
    if (items.empty() && waiting) return;
    currentHistory = std::move(items);
    historyReady = true;
}

std::optional<std::string> LiveChargerState::takeChargerStatusIfAny(
    const std::vector<std::string>& words) {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (std::find(words.begin(), words.end(), m_state.chargerStatus) == words.end())
        return std::nullopt;
    std::string word;
    word.swap(m_state.chargerStatus);
    return word;
}

bool LiveChargerState::takeBatteryStatusIf(const std::string& word) {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_state.batteryStatus != word) return false;
    m_state.batteryStatus.clear();
    return true;
}

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
