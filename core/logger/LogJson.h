#pragma once

#include <string>

#include "logger/LogRecord.h"

namespace velmora {

// A log record as one JSON object: the profile (profileBrandIndex, profileVarietyIndex,
// profileTypeIndex, profileMode) and the loadedRecord fields, status included.
std::string logRecordJson(const LogRecord& record);

}  // namespace velmora
