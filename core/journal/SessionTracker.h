#pragma once

#include <optional>
#include <string>

#include "journal/SessionTypes.h"

namespace velmora::journal {

// What the window knows about the session's surroundings at a tick.
struct SessionContext {
    std::string deviceName, deviceAddress;  // the charger of the connection
    std::string bayLabel;                   // the user's name for its bay, may be empty
    Profile profile;                        // the selection the window shows
    int utcOffsetMinutes = 0;               // the local clock's offset now
};

// What one refresh tick saw. Status words and results are one-shot: the refresh steps take
// and clear them, so the window passes on what they took rather than a later copy.
struct TickObservation {
    bool chargerConnected = false;
    bool chargerHeard = false;  // the charger has sent something on this connection
    // The window is getting the same charger back (reconnecting by itself, or after a
    // receipt): a session the link left waits for it instead of ending.
    bool linkMayReturn = false;
    // Our start command went out since the last tick. Chargers answer it with their state,
    // some with STANDBY even while they go on charging.
    bool startCommandSent = false;
    std::string statusWord;  // the word `detect` acted on this tick, empty when none
    int stageNumber = 0;
    double chargeVoltage = 0.0;
    double chargeCurrent = 0.0;
    int elapsedSeconds = 0;  // the charger's own time of the charge or test
    Results results;         // the groups `accudiagnostic` showed this tick
    SessionContext context;
};

// Receives the session events the tracker decides on.
class SessionSink {
public:
    virtual ~SessionSink() = default;
    // joinedMidCharge: first seen part-way, without its "Charge Mode".
    virtual void sessionStarted(SessionKind kind, const SessionContext& context,
                                bool joinedMidCharge) = 0;
    virtual void pointRecorded(double voltage, double current, int stage) = 0;
    virtual void resultsReported(const Results& results) = 0;
    virtual void profileChanged(const Profile& profile) = 0;
    // The link left the session: no points until it resumes or ends (then as it left,
    // at the time it left).
    virtual void sessionSuspended() = 0;
    virtual void sessionResumed() = 0;
    virtual void sessionEnded(StopReason reason) = 0;
};

// Decides, tick by tick, when a charge or a test session starts and ends and what it
// holds. Pure logic: no clock, no file.
//
// Starts on "Charge Mode" or "Test Mode" while a charger is connected. Every tick of an
// open session adds a point. A charge finishes once the after-charge result has arrived and
// the charger is floating (stage 6), or after half a minute of floating without it (it went
// out while the link was down); a test finishes with its result. STANDBY or an
// unplugged battery before that ends the session with that reason; after it, as finished.
// A charge found going on (stages 2 to 6, heard on a new connection) is recorded from there
// on, marked as joined mid-charge: after a late connect, or a link that did not come back.
//
// A link lost while the window gets the same charger back (`linkMayReturn`) suspends the
// session: once that charger is heard again still charging (or testing), the session goes
// on after its gap; a new charge, another device or a link given up ends it as it was lost.
//
// STANDBY right after our start command may be the charger's answer to it rather than the
// end of the charge: the session waits (as a gap) for readings of the same charge going on
// (same or later stage, its time running on) and goes on with them. A STANDBY that stays
// ends it as standby, dated when the word came. A tick whose measurement is all zero (the
// word before it zeroed it, nothing read since) adds no point: it is no reading of this
// charge. Floating (stage 6) on a new connection is a charge already done: not joined.
class SessionTracker {
public:
    void observe(const TickObservation& tick, SessionSink& sink);
    // The user confirmed STOP.
    void forceStop(SessionSink& sink) { end(StopReason::ForceStop, sink); }
    // The charger link ended outside a tick and will not come back.
    void linkLost(SessionSink& sink) {
        end(StopReason::LinkLost, sink);
        m_joinable = true;
    }
    // The user stopped watching the charger: its link closes on purpose.
    void stoppedWatching(SessionSink& sink) {
        end(StopReason::StoppedWatching, sink);
        m_joinable = true;
    }
    // A receipt took the link (the timer stops meanwhile); the link comes back after it.
    void printerHandOver(SessionSink& sink) {
        suspend(StopReason::PrinterHandOver, sink);
        m_joinable = true;
    }
    // The application is closing: a suspended session ends as its link left it.
    void close(SessionSink& sink) { end(m_suspended.value_or(StopReason::AppClosed), sink); }

    bool open() const { return m_kind.has_value(); }
    bool suspended() const { return m_suspended.has_value(); }
    std::optional<SessionKind> kind() const { return m_kind; }

private:
    void end(StopReason reason, SessionSink& sink);
    void suspend(StopReason reason, SessionSink& sink);
    // A suspended session meets a connected tick: whether the tick goes on to the usual
    // steps (resumed, or ended so a new one may start) or waits for the charger's word.
    bool resumeOrEnd(const TickObservation& tick, SessionSink& sink);
    bool chargeDone() const { return m_afterSeen || m_floatingSeen; }
    // A STANDBY answering our start command: held while readings may still follow.
    void holdStandby(SessionSink& sink);
    // Ticks on while a STANDBY is held: false when the tick is done with.
    bool releaseStandby(const TickObservation& tick, SessionSink& sink);
    bool goesOnFromLastPoint(const TickObservation& tick) const;

    std::optional<SessionKind> m_kind;
    std::optional<StopReason> m_suspended;  // why the link left the open session
    std::string m_deviceAddress;            // the session's charger
    Profile m_profile;
    bool m_afterSeen = false;
    bool m_floatingSeen = false;
    bool m_joinable = true;  // no session seen start or end on this connection yet
    int m_answerTicks = 0;   // ticks left in which a STANDBY may answer our start command
    int m_standbyTicks = 0;  // ticks left for a held STANDBY's charge to show it goes on
    int m_lastStage = 0, m_lastElapsed = 0;  // of the session's last point
    int m_floatingTicks = 0;                 // floating without the after-charge result
};

}  // namespace velmora::journal
