#pragma once

#include <optional>
#include <string>

#include "journal/SessionTypes.h"

namespace velmora::journal {

// What the window knows about the session's surroundings at a tick.
struct SessionContext {
    std::string deviceName, deviceAddress;  // the charger of the connection
    Profile profile;                        // the selection the window shows
    int utcOffsetMinutes = 0;               // the local clock's offset now
};

// What one refresh tick saw. Status words and results are one-shot: the refresh steps take
// and clear them, so the window passes on what they took rather than a later copy.
struct TickObservation {
    bool chargerConnected = false;
    bool chargerHeard = false;  // the charger has sent something on this connection
    std::string statusWord;     // the word `detect` acted on this tick, empty when none
    int stageNumber = 0;
    double chargeVoltage = 0.0;
    double chargeCurrent = 0.0;
    Results results;  // the groups `accudiagnostic` showed this tick
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
    virtual void sessionEnded(StopReason reason) = 0;
};

// Decides, tick by tick, when a charge or a test session starts and ends and what it
// holds. Pure logic: no clock, no file.
//
// Starts on "Charge Mode" or "Test Mode" while a charger is connected. Every tick of an
// open session adds a point. A charge finishes once the after-charge result has arrived and
// the charger is floating (stage 6); a test finishes with its result. STANDBY or an
// unplugged battery before that ends the session with that reason; after it, as finished.
// A charge found going on (stages 2 to 6, heard on a new connection) is recorded from there
// on, marked as joined mid-charge: after a lost link, a receipt or a late connect.
class SessionTracker {
public:
    void observe(const TickObservation& tick, SessionSink& sink);
    // The user confirmed STOP.
    void forceStop(SessionSink& sink) { end(StopReason::ForceStop, sink); }
    // The charger link ended outside a tick (the timer stops when the printer takes it).
    void linkLost(SessionSink& sink) {
        end(StopReason::LinkLost, sink);
        m_joinable = true;
    }
    void printerHandOver(SessionSink& sink) {
        end(StopReason::PrinterHandOver, sink);
        m_joinable = true;
    }
    // The application is closing.
    void close(SessionSink& sink) { end(StopReason::AppClosed, sink); }

    bool open() const { return m_kind.has_value(); }
    std::optional<SessionKind> kind() const { return m_kind; }

private:
    void end(StopReason reason, SessionSink& sink);
    bool chargeDone() const { return m_afterSeen || m_floatingSeen; }

    std::optional<SessionKind> m_kind;
    Profile m_profile;
    bool m_afterSeen = false;
    bool m_floatingSeen = false;
    bool m_joinable = true;  // no session seen start or end on this connection yet
};

}  // namespace velmora::journal
