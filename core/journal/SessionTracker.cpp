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

    // STANDBY and an unplugged battery zero the measurement: no point for that tick. A
    // result arriving in the same tick still belongs to the session.
    const bool leaving = word == "STANDBY" || word == "Baterai_Unplug";
    if (!leaving) sink.pointRecorded(tick.chargeVoltage, tick.chargeCurrent, tick.stageNumber);
    const Results& r = tick.results;
    if (r.before || r.after || r.test) sink.resultsReported(r);
    if (tick.context.profile != m_profile) {
        m_profile = tick.context.profile;
        sink.profileChanged(m_profile);
    }
    m_afterSeen = m_afterSeen || r.after.has_value();
    m_floatingSeen = m_floatingSeen || tick.stageNumber == kFloatingStage;

    const bool charge = *m_kind == SessionKind::Charge;
    if (charge ? m_afterSeen && m_floatingSeen : r.test.has_value())
        end(StopReason::Finished, sink);
    else if (leaving && charge && chargeDone())  // left after the charge had come to its end
        end(StopReason::Finished, sink);
    else if (leaving)
        end(word == "STANDBY" ? StopReason::ChargerStandby : StopReason::BatteryUnplugged, sink);
}

void SessionTracker::end(StopReason reason, SessionSink& sink) {
    if (!m_kind) return;
    m_kind.reset();
    sink.sessionEnded(reason);
}

}  // namespace velmora::journal
