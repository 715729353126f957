#pragma once

#include "chart/ChartData.h"
#include "journal/SessionTypes.h"

namespace velmora::journal {

// A kept session's points on the charts of the chart screen, as the live chart showed
// them: x the time since the session began (days, 0:00 at its start), voltage and current
// as recorded, of a charge only its charging stages (2 to 4), the line broken at each gap.
// Replaces what `charts` held; its clock ends a second after the last point.
void plotSession(const Session& session, ChartData& charts);

}  // namespace velmora::journal
