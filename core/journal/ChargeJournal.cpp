#include "journal/ChargeJournal.h"

#include <utility>

namespace velmora::journal {

ChargeJournal::ChargeJournal(std::string path, Clock clock, JournalOptions options,
                             int64_t flushIntervalMs)
    : m_path(std::move(path)), m_options(options), m_recorder(std::move(clock), flushIntervalMs) {}

ChargeJournal::~ChargeJournal() {
    try {
        close();  // a window that forgot to: the session still ends with what it had
    } catch (...) {
    }
}

template <typename Fn>
void ChargeJournal::guarded(Fn&& fn) {
    try {
        fn();
    } catch (const JournalError& error) {
        m_failed = true;
        report(error);
    }
}

void ChargeJournal::report(const JournalError& error) {
    // The same fault again (every batch of a locked file, every session on a newer one)
    // is not repeated until recording has worked in between.
    if (m_lastReported == error.fault()) return;
    m_lastReported = error.fault();
    m_problem = JournalProblem{error.fault(), userMessage(error.fault()), error.what()};
}

void ChargeJournal::observe(const TickObservation& tick) {
    m_tracker.observe(tick, *this);
    guarded([this] { m_recorder.flushIfDue(); });
}

void ChargeJournal::forceStop() {
    m_tracker.forceStop(*this);
}

void ChargeJournal::linkLost() {
    m_tracker.linkLost(*this);
}

void ChargeJournal::stoppedWatching() {
    m_tracker.stoppedWatching(*this);
}

void ChargeJournal::printerHandOver() {
    m_tracker.printerHandOver(*this);
}

void ChargeJournal::close() {
    m_tracker.close(*this);
    guarded([this] { m_recorder.flush(); });
}

std::optional<JournalProblem> ChargeJournal::takeProblem() {
    return std::exchange(m_problem, std::nullopt);
}

std::optional<int64_t> ChargeJournal::recordingSessionId() const {
    if (!m_recorder.recording()) return std::nullopt;
    return m_recorder.sessionId();
}

Journal* ChargeJournal::openJournal() {
    if (m_journal && !m_failed && !m_journal->readOnly()) return m_journal.get();
    if (m_recorder.hasUnwritten() && m_journal) {
        try {
            m_recorder.flush();  // what the last session left, while its file is open
        } catch (const JournalError&) {
            // Told when it first failed.
        }
    }
    m_recorder.discardUnwritten();
    m_journal.reset();
    m_journal = Journal::open(m_path, m_options);
    if (m_journal->newerVersion())
        throw JournalError(JournalFault::NewerVersion, m_path + ": written by a newer version");
    if (m_journal->readOnly()) throw JournalError(JournalFault::ReadOnly, m_path + ": read-only");
    m_failed = false;
    return m_journal.get();
}

void ChargeJournal::sessionStarted(SessionKind kind, const SessionContext& context,
                                   bool joinedMidCharge) {
    guarded([&] {
        Journal* journal = openJournal();
        SessionStart start;
        start.kind = kind;
        start.utcOffsetMinutes = context.utcOffsetMinutes;
        start.deviceName = context.deviceName;
        start.deviceAddress = context.deviceAddress;
        start.bayLabel = context.bayLabel;
        start.profile = context.profile;
        start.joinedMidCharge = joinedMidCharge;
        m_recorder.start(*journal, start);
        m_lastReported.reset();  // recording works again: a new fault is worth telling
    });
}

void ChargeJournal::pointRecorded(double voltage, double current, int stage) {
    m_recorder.addPoint(voltage, current, stage);
}

void ChargeJournal::resultsReported(const Results& results) {
    m_recorder.addResults(results);
}

void ChargeJournal::profileChanged(const Profile& profile) {
    m_recorder.setProfile(profile);
}

void ChargeJournal::sessionSuspended() {
    guarded([&] { m_recorder.suspend(); });
}

void ChargeJournal::sessionResumed() {
    m_recorder.resume();
}

void ChargeJournal::sessionEnded(StopReason reason) {
    guarded([&] { m_recorder.end(reason); });
}

}  // namespace velmora::journal
