#pragma once

#include "journal/SessionTracker.h"
#include "link/TickEvents.h"

namespace velmora::journal {

// What the journal needs of a refresh tick's events: the status word, the measurement and
// the results the screens showed, with the connection and its surroundings.
TickObservation observationOf(const TickEvents& events, bool chargerConnected,
                              SessionContext context);

}  // namespace velmora::journal
