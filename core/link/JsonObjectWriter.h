#pragma once

#include <cstdio>
#include <string>

#include "link/StateJson.h"

namespace velmora {

// Builds one JSON object field by field; numbers in the C locale's shortest exact form.
class JsonObjectWriter {
public:
    JsonObjectWriter& raw(const char* key, const std::string& json) {
        m_text += (m_text.size() > 1 ? ", " : "") + jsonString(key) + ": " + json;
        return *this;
    }
    JsonObjectWriter& text(const char* key, const std::string& value) {
        return raw(key, jsonString(value));
    }
    JsonObjectWriter& integer(const char* key, long long value) {
        return raw(key, std::to_string(value));
    }
    JsonObjectWriter& real(const char* key, double value) { return raw(key, jsonNumber(value)); }
    JsonObjectWriter& flag(const char* key, bool value) {
        return raw(key, value ? "true" : "false");
    }
    JsonObjectWriter& null(const char* key) { return raw(key, "null"); }
    std::string done() { return m_text + "}"; }

    static std::string jsonNumber(double value) {
        char buffer[40];
        std::snprintf(buffer, sizeof buffer, "%.15g", value);
        return buffer;
    }

private:
    std::string m_text = "{";
};

}  // namespace velmora
