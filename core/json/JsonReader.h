#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace velmora {

// One JSON value as read from text. Object members keep their order; strings are UTF-8.
struct JsonValue {
    enum class Kind { Null, Boolean, Number, String, Array, Object };
    Kind kind = Kind::Null;
    bool boolean = false;
    double number = 0.0;
    std::string text;
    std::vector<JsonValue> items;
    std::vector<std::pair<std::string, JsonValue>> members;
};

// Reads one JSON document (RFC 8259, nesting up to 64 levels). On malformed text returns
// nothing and, when `error` is given, a one-line reason with the byte offset.
std::optional<JsonValue> parseJson(std::string_view text, std::string* error = nullptr);

// The name of a kind, for messages ("number", "array", ...).
const char* kindName(JsonValue::Kind kind);

}  // namespace velmora
