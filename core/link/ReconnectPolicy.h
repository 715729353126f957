#pragma once

#include <cstdint>
#include <optional>

#include "link/ReconnectSchedule.h"

namespace velmora {

// Getting a lost charger back by itself, as a plain state machine on the caller's clock
// (milliseconds of a steady clock): when the next attempt is due, counting the attempts,
// giving up once the charger has been gone for long, and what counts as back. The caller
// makes the attempts and tells how each went; nothing here waits or connects.
class ReconnectPolicy {
public:
    // A link that closes this soon after it was made, the charger having said nothing on
    // it, is the same loss going on rather than a charger that was back.
    static constexpr int64_t kShortLivedLinkMs = 30000;

    explicit ReconnectPolicy(ReconnectSchedule schedule = {}) : m_schedule(schedule) {}
    void setSchedule(const ReconnectSchedule& schedule) { m_schedule = schedule; }
    const ReconnectSchedule& schedule() const { return m_schedule; }

    // The charger link was lost at nowMs, having been up for upForMs (none: it never came
    // up), the charger having answered on it or not. Attempts begin; a loss going on keeps
    // its attempts and its time to give up. True for a new loss.
    bool lost(int64_t nowMs, std::optional<int64_t> upForMs, bool answered);
    // After a loss or a failed attempt: whether another attempt follows (after
    // pauseBeforeNext); false once it is time to give up.
    bool goOn(int64_t nowMs);
    // The pause until the next attempt (from nowMs), or none: not reconnecting, or given up.
    std::optional<int> pauseBeforeNext(int64_t nowMs) const;
    // The next attempt is being made: its number, from 1.
    int startAttempt();
    // The attempt could not even start (a dialog or a receipt holds the link): it does not
    // count, and the next comes after the pause for its number.
    void postpone();
    // The charger is back, or the user stopped the attempts.
    void back() { m_reconnecting = false; }
    void stop() { m_reconnecting = false; }

    bool reconnecting() const { return m_reconnecting; }
    bool gaveUp() const { return m_gaveUp; }
    int attempt() const { return m_attempt; }

private:
    ReconnectSchedule m_schedule;
    bool m_reconnecting = false;
    bool m_gaveUp = false;
    int m_attempt = 0;
    std::optional<int64_t> m_lostAtMs;
};

}  // namespace velmora
