#pragma once

#include <string>

#include "journal/SessionTypes.h"

namespace velmora::journal {

// A session's row as one JSON object: id, kind, local ISO times, duration, stop reason,
// device, profile positions and texts, the three results (null when not reported) and the
// point count. Result and profile keys are those of the live state.
std::string summaryJson(const SessionSummary& summary);
// The same with "points": [{"seconds", "stageNumber", "chargeVoltage", "chargeCurrent"}].
std::string sessionJson(const Session& session);

}  // namespace velmora::journal
