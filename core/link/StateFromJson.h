#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "link/ChargerState.h"

namespace velmora {

// Reads a state written as `toJson` writes it. Fields may be left out (they keep their
// starting values); an unknown field, a value of the wrong type or a number that does not
// fit gives nothing and, when `error` is given, a one-line reason naming the field.
std::optional<ChargerState> stateFromJson(std::string_view json, std::string* error = nullptr);

}  // namespace velmora
