#pragma once

#include <string>

#include "link/ChargerState.h"

namespace velmora {

// Escapes a text for a JSON string literal (quotes included).
std::string jsonString(const std::string& text);
// The whole state as one JSON object keyed by the field names.
std::string toJson(const ChargerState& state);

}  // namespace velmora
