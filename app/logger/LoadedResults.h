#pragma once

#include "link/NumberText.h"
#include "logger/LogRecord.h"

namespace velmora {

class DashboardScreen;
class DiagnosticScreen;

// Shows a loaded record on the diagnostic screen's result panels and the dashboard's CCA
// and iR figures, as if the charger had just reported it. The dashboard shows the
// after-charging figures when the record has them, else those before charging.
void showLoadedResults(const LoadedRecord& record, DiagnosticScreen* diagnostic,
                       DashboardScreen* dashboard, const NumberFormat& format);

}  // namespace velmora
