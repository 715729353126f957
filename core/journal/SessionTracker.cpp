#include "journal/SessionTracker.h"

#include <algorithm>

namespace velmora::journal {

namespace {
constexpr int kFloatingStage = 6;
// A STANDBY this many ticks after our start command may be its answer.
constexpr int kStartAnswerTicks = 5;
// How long a STANDBY answering our start command waits for the charge's next reading.
constexpr int kStandbyPatience = 5;
// Floating this long without the after-charge result: the result went out while the link
// was down and will not come again; the charge is done all the same.
constexpr int kFloatingWithoutResultTicks = 30;

bool isModeWord(const std::string& word) {
    return word == "Charge Mode" || word == "Test Mode";
}
bool isCharging(const TickObservation& tick) {
    return tick.stageNumber >= 2 && tick.stageNumber <= kFloatingStage;
}
// Nothing read since a word zeroed the measurement (or the charger never sent one).
bool noReading(const TickObservation& tick) {
    return tick.stageNumber == 0 && tick.chargeVoltage == 0.0 && tick.chargeCurrent == 0.0;
}
}  // namespace

void SessionTracker::observe(const TickObservation& tick, SessionSink& sink) {
    if (tick.startCommandSent)
        m_answerTicks = kStartAnswerTicks;
    else if (m_answerTicks > 0)
        --m_answerTicks;
    if (!tick.chargerConnected) {
        m_standbyTicks = 0;  // a held STANDBY now waits as the link's gap
        if (m_kind && tick.linkMayReturn) {
            suspend(StopReason::LinkLost, sink);
            return;
        }
        end(m_suspended.value_or(StopReason::LinkLost), sink);
        m_joinable = true;  // the next connection may find the charge going on
        return;
    }
    if (m_standbyTicks > 0) {
        if (!releaseStandby(tick, sink)) return;
    } else if (m_suspended && !resumeOrEnd(tick, sink)) {
        return;
    }
    const std::string& word = tick.statusWord;
    const bool modeWord = isModeWord(word);
    // Floating on its own is a charge already done: nothing to join.
    const bool charging = isCharging(tick) && tick.stageNumber != kFloatingStage;
    const bool join = !m_kind && m_joinable && word.empty() && tick.chargerHeard && charging;
    if (modeWord || join) {
        end(StopReason::Interrupted, sink);
        m_kind = word == "Test Mode" ? SessionKind::Test : SessionKind::Charge;
        m_profile = tick.context.profile;
        m_deviceAddress = tick.context.deviceAddress;
        m_afterSeen = m_floatingSeen = false;
        m_floatingTicks = 0;
        m_joinable = false;
        sink.sessionStarted(*m_kind, tick.context, join);
    } else if (!word.empty() && !m_kind) {
        m_joinable = false;  // the charger said where it stands: nothing going on to join
    }
    if (!m_kind) return;

    // STANDBY and an unplugged battery zero the measurement: no point for that tick. A
    // result arriving in the same tick still belongs to the session.
    const bool leaving = word == "STANDBY" || word == "Baterai_Unplug";
    if (!leaving && !noReading(tick)) {
        sink.pointRecorded(tick.chargeVoltage, tick.chargeCurrent, tick.stageNumber);
        m_lastStage = tick.stageNumber;
        m_lastElapsed = tick.elapsedSeconds;
    }
    const Results& r = tick.results;
    if (r.before || r.after || r.test) sink.resultsReported(r);
    if (tick.context.profile != m_profile) {
        m_profile = tick.context.profile;
        sink.profileChanged(m_profile);
    }
    m_afterSeen = m_afterSeen || r.after.has_value();
    m_floatingSeen = m_floatingSeen || tick.stageNumber == kFloatingStage;
    if (m_floatingSeen && !m_afterSeen) ++m_floatingTicks;

    const bool charge = *m_kind == SessionKind::Charge;
    if (charge ? m_afterSeen && m_floatingSeen : r.test.has_value())
        end(StopReason::Finished, sink);
    else if (charge && m_floatingTicks >= kFloatingWithoutResultTicks)
        end(StopReason::Finished, sink);
    else if (word == "STANDBY" && m_answerTicks > 0)
        holdStandby(sink);
    else if (leaving && charge && chargeDone())  // left after the charge had come to its end
        end(StopReason::Finished, sink);
    else if (leaving)
        end(word == "STANDBY" ? StopReason::ChargerStandby : StopReason::BatteryUnplugged, sink);
}

bool SessionTracker::resumeOrEnd(const TickObservation& tick, SessionSink& sink) {
    const bool sameCharger = tick.context.deviceAddress == m_deviceAddress;
    if (sameCharger && !tick.chargerHeard) return false;  // its readings are the old ones
    // Heard, but the reading is still the one from before the gap: wait for a new one.
    const bool stale = m_lastElapsed > 0 && tick.elapsedSeconds == m_lastElapsed &&
                       tick.stageNumber == m_lastStage && tick.statusWord.empty();
    if (sameCharger && stale) return false;
    // Heard again: a mode word is a new charge; a charge still going on, a test, or a word
    // about how it went on meanwhile (STANDBY, unplugged) continue this one.
    const bool goesOn =
        sameCharger && !isModeWord(tick.statusWord) &&
        (*m_kind == SessionKind::Test || !tick.statusWord.empty() || isCharging(tick));
    if (goesOn) {
        m_suspended.reset();
        sink.sessionResumed();
        return true;
    }
    end(*m_suspended, sink);
    m_joinable = true;  // a charge going on may still be joined
    return true;
}

void SessionTracker::holdStandby(SessionSink& sink) {
    m_answerTicks = 0;  // one answer per start command
    suspend(StopReason::ChargerStandby, sink);
    m_standbyTicks = kStandbyPatience;
}

bool SessionTracker::goesOnFromLastPoint(const TickObservation& tick) const {
    if (noReading(tick) || tick.elapsedSeconds < m_lastElapsed) return false;
    if (*m_kind == SessionKind::Test) return true;
    return tick.stageNumber >= std::max(1, m_lastStage) && tick.stageNumber <= kFloatingStage;
}

bool SessionTracker::releaseStandby(const TickObservation& tick, SessionSink& sink) {
    const bool sameCharger = tick.context.deviceAddress == m_deviceAddress;
    const std::string& word = tick.statusWord;
    if (!sameCharger || isModeWord(word)) {  // the charger did stop: something new begins
        end(chargeDone() ? StopReason::Finished : StopReason::ChargerStandby, sink);
        m_standbyTicks = 0;
        return true;
    }
    if (goesOnFromLastPoint(tick) || (!word.empty() && word != "STANDBY")) {
        // The STANDBY only answered our start command: the charge went on meanwhile.
        m_standbyTicks = 0;
        m_suspended.reset();
        sink.sessionResumed();
        return true;
    }
    if (--m_standbyTicks == 0)
        end(chargeDone() ? StopReason::Finished : StopReason::ChargerStandby, sink);
    return false;
}

void SessionTracker::suspend(StopReason reason, SessionSink& sink) {
    if (!m_kind || m_suspended) return;
    m_suspended = reason;
    sink.sessionSuspended();
}

void SessionTracker::end(StopReason reason, SessionSink& sink) {
    if (!m_kind) return;
    m_joinable = false;
    m_standbyTicks = 0;
    m_lastStage = m_lastElapsed = 0;
    m_kind.reset();
    m_suspended.reset();
    sink.sessionEnded(reason);
}

}  // namespace velmora::journal
