#pragma once

#include <string>
#include <string_view>

#include "link/ChargerState.h"

namespace velmora {

// Escapes a text for a JSON string literal (quotes included).
std::string jsonString(const std::string& text);
// The whole state as one JSON object keyed by the field names.
std::string toJson(const ChargerState& state);
// The state from such an object; fields left out keep their initial values. Throws
// JsonError for malformed text, an unknown field or a value of the wrong kind.
ChargerState stateFromJson(std::string_view json);

}  // namespace velmora
