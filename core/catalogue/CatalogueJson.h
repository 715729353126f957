#pragma once

#include <string>
#include <string_view>

namespace velmora {

// The whole battery catalogue as one JSON object, "." as decimal separator:
// {"brands": [...], "varieties": [{"name": ..., "title": ...}, ...],
//  "brandVarieties": [[...], ...], "typeLists": [[{"name": ..., "scale": ...,
//  "capacity": ...}, ...], ...], "capacityScale": [...]}
std::string catalogueJson();

// A JSON string literal, quotes included, with quotes, backslashes and control
// characters escaped; other bytes (UTF-8) pass through unchanged.
std::string jsonQuoted(std::string_view text);

}  // namespace velmora
