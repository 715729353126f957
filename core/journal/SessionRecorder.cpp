#include "journal/SessionRecorder.h"

#include <utility>

namespace velmora::journal {

SessionRecorder::SessionRecorder(Clock clock, int64_t flushIntervalMs)
    : m_clock(std::move(clock)), m_flushIntervalMs(flushIntervalMs) {}

int64_t SessionRecorder::start(Journal& journal, SessionStart start) {
    if (hasUnwritten()) {
        try {
            flush();
        } catch (const JournalError&) {
            // Reported when it first failed; the new session must not wait for it.
        }
    }
    m_pending = {};
    m_recording = false;
    m_suspendedAtMs.reset();
    m_journal = &journal;
    start.startMs = m_clock();
    m_sessionId = journal.beginSession(start);
    m_startMs = start.startMs;
    m_lastFlushMs = start.startMs;
    m_recording = true;
    return m_sessionId;
}

void SessionRecorder::addPoint(double voltage, double current, int stage) {
    if (!m_recording || m_pending.points.size() >= kMaxBufferedPoints) return;
    m_pending.points.push_back(Point{m_clock() - m_startMs, voltage, current, stage});
}

void SessionRecorder::addResults(const Results& results) {
    if (!m_recording) return;
    if (results.before) m_pending.results.before = results.before;
    if (results.after) m_pending.results.after = results.after;
    if (results.test) m_pending.results.test = results.test;
}

void SessionRecorder::setProfile(const Profile& profile) {
    if (m_recording) m_pending.profile = profile;
}

void SessionRecorder::flushIfDue() {
    if (!hasUnwritten()) return;
    const int64_t now = m_clock();
    // A clock set back counts as due, so a changed system time cannot stall writing.
    if (now - m_lastFlushMs >= m_flushIntervalMs || now < m_lastFlushMs) flush();
}

void SessionRecorder::flush() {
    if (!hasUnwritten()) return;
    m_lastFlushMs = m_clock();
    m_journal->write(m_sessionId, m_pending);
    m_pending = {};
}

void SessionRecorder::suspend() {
    if (!m_recording || m_suspendedAtMs) return;
    m_suspendedAtMs = m_clock();
    flush();
}

void SessionRecorder::end(StopReason reason) {
    if (!m_recording) return;
    m_recording = false;
    m_pending.endMs = m_suspendedAtMs.value_or(m_clock());
    m_suspendedAtMs.reset();
    m_pending.stopReason = reason;
    flush();
}

void SessionRecorder::discardUnwritten() {
    m_pending = {};
    m_suspendedAtMs.reset();
    m_recording = false;
    m_journal = nullptr;
}

}  // namespace velmora::journal
