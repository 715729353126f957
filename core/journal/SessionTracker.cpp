#include "journal/SessionTracker.h"

namespace velmora::journal {

namespace {
constexpr int kFloatingStage = 6;
}

void SessionTracker::observe(const TickObservation& tick, SessionSink& sink) {
    if (!tick.chargerConnected) {
        end(StopReason::LinkLost, sink);
        return;
    }
    const std::string& word = tick.statusWord;
    if (word == "Charge Mode" || word == "Test Mode") {
        end(StopReason::Interrupted, sink);
        m_kind = word == "Test Mode" ? SessionKind::Test : SessionKind::Charge;
        m_profile = tick.context.profile;
        m_afterSeen = m_floatingSeen = false;
        sink.sessionStarted(*m_kind, tick.context);
    }
    if (!m_kind) return;

    // The charger leaves the run: a finished one when the charge had come to its end.
    const bool done = *m_kind == SessionKind::Charge && chargeDone();
    if (word == "STANDBY") {
        end(done ? StopReason::Finished : StopReason::ChargerStandby, sink);
        return;
    }
    if (word == "Baterai_Unplug") {
        end(done ? StopReason::Finished : StopReason::BatteryUnplugged, sink);
        return;
    }

    sink.pointRecorded(tick.chargeVoltage, tick.chargeCurrent, tick.stageNumber);
    const Results& r = tick.results;
    if (r.before || r.after || r.test) sink.resultsReported(r);
    if (tick.context.profile != m_profile) {
        m_profile = tick.context.profile;
        sink.profileChanged(m_profile);
    }
    m_afterSeen = m_afterSeen || r.after.has_value();
    m_floatingSeen = m_floatingSeen || tick.stageNumber == kFloatingStage;

    if (*m_kind == SessionKind::Test ? r.test.has_value() : m_afterSeen && m_floatingSeen)
        end(StopReason::Finished, sink);
}

void SessionTracker::end(StopReason reason, SessionSink& sink) {
    if (!m_kind) return;
    m_kind.reset();
    sink.sessionEnded(reason);
}

}  // namespace velmora::journal
