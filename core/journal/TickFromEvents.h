#pragma once

#include "journal/SessionTracker.h"
#include "link/TickEvents.h"

namespace velmora::journal {

// What the journal needs of a refresh tick's events: the status word, the measurement and
// the results the screens showed, with the connection and its surroundings.
// chargerHeard: the charger has sent something on this connection.
TickObservation observationOf(const TickEvents& events, bool chargerConnected,
                              SessionContext context, bool chargerHeard = true);

}  // namespace velmora::journal
