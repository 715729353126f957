#include "journal/TickFromEvents.h"

#include <utility>

namespace velmora::journal {

TickObservation observationOf(const TickEvents& events, bool chargerConnected,
                              SessionContext context, bool chargerHeard) {
    TickObservation tick;
    tick.chargerConnected = chargerConnected;
    tick.chargerHeard = chargerHeard;
    tick.statusWord = events.status.wordText;
    tick.stageNumber = events.measurement.stageNumber;
    tick.chargeVoltage = events.measurement.chargeVoltage;
    tick.chargeCurrent = events.measurement.chargeCurrent;
    tick.elapsedSeconds = events.measurement.elapsedSeconds;
    tick.results = events.results;
    tick.context = std::move(context);
    return tick;
}

}  // namespace velmora::journal
