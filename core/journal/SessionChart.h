#pragma once

#include "chart/ChartData.h"
#include "journal/SessionTypes.h"

namespace velmora::journal {

// A kept session's points on the charts of the chart screen: x on the workshop's clock
// at the time of the session (days since 30 December 1899), voltage and current as
// recorded, the line broken at each gap. Replaces what `charts` held; its clock ends a
// second after the last point.
void plotSession(const Session& session, ChartData& charts);

}  // namespace velmora::journal
