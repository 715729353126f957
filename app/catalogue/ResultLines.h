#pragma once

#include <QStringList>

#include "link/NumberText.h"
#include "link/TestResult.h"

namespace velmora {

// The lines of one battery test as the diagnostic screen shows them: CCA, iR,
// V Diagnostic, Voltage and, where the group has one, Status.
QStringList resultLines(const TestResult& result, bool withStatus, const NumberFormat& format);

}  // namespace velmora
