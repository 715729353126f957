#pragma once

#include <string>
#include <vector>

#include "journal/SessionTypes.h"
#include "printing/ReceiptChunks.h"

namespace velmora::journal {

// A kept session's receipt as the printer would have printed it when the session ended:
// the charge receipt for a charge, the test receipt for a test, with the session's results
// (zeros for a group that never came), its profile texts and the time it ended on the
// workshop's clock, and the bay's label below the profile when it has one. `rasters`: the
// logo and, for a charge, the session's own charts.
std::vector<std::string> sessionReceiptChunks(const SessionSummary& session,
                                              const printing::ReceiptLocale& locale,
                                              const printing::PrinterRasters& rasters);

}  // namespace velmora::journal
