#pragma once

#include <cstdint>
#include <functional>
#include <optional>

#include "journal/Journal.h"

namespace velmora::journal {

// Milliseconds since 1970 (UTC); the window passes the system clock, tests a fake one.
using Clock = std::function<int64_t()>;

// Records one session at a time: the session row at the start, then points, results and
// the end buffered and written in one transaction per flush. A crash loses at most the
// points since the last flush. A failed flush keeps the batch for the next one.
class SessionRecorder {
public:
    static constexpr int64_t kDefaultFlushIntervalMs = 10'000;
    // Beyond this many unwritten points (six hours) new ones are dropped.
    static constexpr size_t kMaxBufferedPoints = 6 * 3600;

    explicit SessionRecorder(Clock clock, int64_t flushIntervalMs = kDefaultFlushIntervalMs);

    // Starts a session now (start.startMs is taken from the clock). Throws JournalError;
    // whatever an earlier session left unwritten is tried once more, then dropped.
    int64_t start(Journal& journal, SessionStart start);
    void addPoint(double voltage, double current, int stage);
    // Present groups replace earlier ones at the next flush.
    void addResults(const Results& results);
    void setProfile(const Profile& profile);
    // Writes the buffer when the flush interval has passed since the last write.
    void flushIfDue();
    // Writes the buffer now. Throws JournalError and keeps the buffer.
    void flush();
    // The link left the session: what is buffered is written now (the wait for the link may
    // be long), and an end before resume() is dated when the link left. Throws JournalError.
    void suspend();
    void resume() { m_suspendedAtMs.reset(); }
    // Ends the session now, or when it was suspended, and writes everything. Throws
    // JournalError; the end stays buffered and a later flush writes it.
    void end(StopReason reason);
    // Forgets what is unwritten (before the journal it belongs to is closed).
    void discardUnwritten();

    bool recording() const { return m_recording; }
    int64_t sessionId() const { return m_sessionId; }
    bool hasUnwritten() const { return m_journal && !m_pending.empty(); }
    size_t bufferedPoints() const { return m_pending.points.size(); }

private:
    Clock m_clock;
    int64_t m_flushIntervalMs;
    Journal* m_journal = nullptr;
    int64_t m_sessionId = 0;
    int64_t m_startMs = 0;
    int64_t m_lastFlushMs = 0;
    bool m_recording = false;
    std::optional<int64_t> m_suspendedAtMs;
    SessionUpdate m_pending;
};

}  // namespace velmora::journal
