#pragma once

#include <ostream>
#include <vector>

#include "journal/SessionTypes.h"
#include "link/NumberText.h"

namespace velmora::journal {

// CSV for spreadsheets: UTF-8 with a byte-order mark (so they detect the encoding), one
// header row, numbers with the user's decimal separator, and ";" between fields where that
// separator is "," (else ","). Times are the workshop's local date and time.

// The field separator that goes with a decimal separator.
char fieldSeparator(const NumberFormat& format);
// One row per point of the session; its bay label in the last column.
void writePointsCsv(std::ostream& out, const Session& session, const NumberFormat& format);
// One row per session: profile, results, stop reason, duration; the bay label last.
void writeSessionsCsv(std::ostream& out, const std::vector<SessionSummary>& sessions,
                      const NumberFormat& format);

}  // namespace velmora::journal
