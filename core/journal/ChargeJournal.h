#pragma once

#include <memory>
#include <optional>
#include <string>

#include "journal/Journal.h"
#include "journal/SessionRecorder.h"
#include "journal/SessionTracker.h"

namespace velmora::journal {

// Something the user should be told once: the journal cannot record, and why.
struct JournalProblem {
    JournalFault fault;
    std::string message;  // short Indonesian text for the message box
    std::string detail;   // the engine's own words, for a log or a tooltip
};

// What the window drives each tick: tracks sessions, records them and never throws.
// The file is opened at the first session; when a session cannot be recorded the problem
// is handed out once, monitoring goes on, and the next session tries the file again.
class ChargeJournal : private SessionSink {
public:
    ChargeJournal(std::string path, Clock clock, JournalOptions options = {},
                  int64_t flushIntervalMs = SessionRecorder::kDefaultFlushIntervalMs);
    ~ChargeJournal() override;

    void observe(const TickObservation& tick);
    void forceStop();
    // The charger link ended while no tick runs, and will not come back.
    void linkLost();
    // The user stopped watching the charger (removed it from the bench).
    void stoppedWatching();
    // The user handed the link to the printer; it comes back after the receipt.
    void printerHandOver();
    // Ends a running session as closed by the application and writes what is buffered.
    void close();

    // The problem to show, once; nothing while the journal works or was already told.
    std::optional<JournalProblem> takeProblem();
    // The session being recorded, if any (the list can mark it and refuse to delete it).
    std::optional<int64_t> recordingSessionId() const;

private:
    void sessionStarted(SessionKind kind, const SessionContext& context,
                        bool joinedMidCharge) override;
    void pointRecorded(double voltage, double current, int stage) override;
    void resultsReported(const Results& results) override;
    void profileChanged(const Profile& profile) override;
    void sessionSuspended() override;
    void sessionResumed() override;
    void sessionEnded(StopReason reason) override;

    template <typename Fn>
    void guarded(Fn&& fn);
    void report(const JournalError& error);
    Journal* openJournal();

    std::string m_path;
    JournalOptions m_options;
    std::unique_ptr<Journal> m_journal;
    bool m_failed = false;  // the last write failed: reopen at the next session
    SessionTracker m_tracker;
    SessionRecorder m_recorder;
    std::optional<JournalProblem> m_problem;
    std::optional<JournalFault> m_lastReported;
};

}  // namespace velmora::journal
