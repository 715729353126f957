#pragma once

#include <QStringList>

#include "journal/SessionTypes.h"
#include "link/NumberText.h"

namespace velmora {

// The lines of one battery test as the diagnostic screen shows them: CCA, iR,
// V Diagnostic, Voltage and, where the group has one, Status.
QStringList resultLines(const journal::TestResult& result, bool withStatus,
                        const NumberFormat& format);

}  // namespace velmora
