#include "link/ChargerState.h"

namespace velmora {

void ChargerState::storeCurrentHistory(std::vector<std::string> items) {
    const bool waiting = historyReady && !currentHistory.empty();
    if (items.empty() && waiting) return;
    currentHistory = std::move(items);
    historyReady = true;
}

void ChargerState::beginRun() {
    stageNumber = 0;
    chargeVoltage = chargeCurrent = 0.0;
    elapsedSeconds = chargeProgress = 0;
    before = after = test = TestResult{};
    beforeResultTag.clear();
    afterResultTag.clear();
    testResultTag.clear();
    voltageHistory.clear();
    currentHistory.clear();
    historyReady = false;
    endOfTest = false;
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
