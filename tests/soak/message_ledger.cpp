#include "message_ledger.h"

#include <algorithm>

namespace soak {

namespace {
// A corrupted message may at worst swallow its neighbours; look no further ahead.
constexpr std::size_t kLookAhead = 64;
}  // namespace

void MessageLedger::sent(const std::string& message) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_expected.push_back(message);
    ++m_figures.sent;
}

void MessageLedger::corrupted() {
    std::lock_guard<std::mutex> lock(m_mutex);
    ++m_figures.corrupted;
}

void MessageLedger::parsed(const std::string& message, bool stored) {
    std::lock_guard<std::mutex> lock(m_mutex);
    ++m_figures.parsed;
    const auto end =
        m_expected.begin() + static_cast<std::ptrdiff_t>(std::min(kLookAhead, m_expected.size()));
    const auto hit = std::find(m_expected.begin(), end, message);
    if (hit == end) {
        ++m_figures.noise;
        if (stored) ++m_figures.noiseStored;
        return;
    }
    m_figures.lost += static_cast<std::uint64_t>(hit - m_expected.begin());
    ++m_figures.matched;
    m_expected.erase(m_expected.begin(), hit + 1);
}

MessageLedger::Figures MessageLedger::figures() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    Figures figures = m_figures;
    figures.outstanding = m_expected.size();
    return figures;
}

}  // namespace soak
