#pragma once

#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace velmora {

// Raised for text that is not well-formed JSON, or JSON of the wrong shape.
class JsonError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// One parsed JSON value. Objects keep their members in order.
class JsonValue {
public:
    enum class Kind { Null, Boolean, Number, String, Array, Object };

    // Parses a whole document; throws JsonError with the position of the first fault.
    static JsonValue parse(std::string_view text);

    Kind kind() const { return m_kind; }
    bool isObject() const { return m_kind == Kind::Object; }

    // Each accessor throws JsonError naming `what` when the value has another kind.
    bool boolean(const std::string& what) const;
    double number(const std::string& what) const;
    // A whole number within 32 bits.
    int integer(const std::string& what) const;
    const std::string& string(const std::string& what) const;
    const std::vector<JsonValue>& array(const std::string& what) const;
    const std::vector<std::pair<std::string, JsonValue>>& object(const std::string& what) const;

private:
    friend class JsonParser;
    Kind m_kind = Kind::Null;
    bool m_boolean = false;
    double m_number = 0.0;
    std::string m_string;
    std::vector<JsonValue> m_items;
    std::vector<std::pair<std::string, JsonValue>> m_members;
};

}  // namespace velmora
