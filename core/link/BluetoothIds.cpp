#include "link/BluetoothIds.h"

#include <cstdio>

namespace velmora {

namespace {

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Reads `digits` hex digits at pos into value; false on any other character.
bool readHex(std::string_view text, size_t& pos, int digits, std::uint64_t& value) {
    value = 0;
    for (int i = 0; i < digits; ++i, ++pos) {
        if (pos >= text.size() || hexDigit(text[pos]) < 0) return false;
        value = value << 4 | static_cast<std::uint64_t>(hexDigit(text[pos]));
    }
    return true;
}

bool expect(std::string_view text, size_t& pos, char c) {
    if (pos >= text.size() || text[pos] != c) return false;
    ++pos;
    return true;
}

}  // namespace

std::string formatBluetoothAddress(std::uint64_t address) {
    char text[18];
    std::snprintf(
        text, sizeof text, "%02X:%02X:%02X:%02X:%02X:%02X",
        static_cast<unsigned>(address >> 40 & 0xFF), static_cast<unsigned>(address >> 32 & 0xFF),
        static_cast<unsigned>(address >> 24 & 0xFF), static_cast<unsigned>(address >> 16 & 0xFF),
        static_cast<unsigned>(address >> 8 & 0xFF), static_cast<unsigned>(address & 0xFF));
    return text;
}

std::optional<std::uint64_t> parseBluetoothAddress(std::string_view text) {
    std::uint64_t address = 0;
    size_t pos = 0;
    for (int byte = 0; byte < 6; ++byte) {
        std::uint64_t value;
        if (byte > 0 && !expect(text, pos, ':')) return std::nullopt;
        if (!readHex(text, pos, 2, value)) return std::nullopt;
        address = address << 8 | value;
    }
    if (pos != text.size()) return std::nullopt;
    return address;
}

std::optional<Uuid> parseUuid(std::string_view text) {
    const bool braced = !text.empty() && text.front() == '{';
    if (braced) {
        if (text.back() != '}') return std::nullopt;
        text = text.substr(1, text.size() - 2);
    }
    Uuid uuid;
    size_t pos = 0;
    std::uint64_t value;
    if (!readHex(text, pos, 8, value)) return std::nullopt;
    uuid.data1 = static_cast<std::uint32_t>(value);
    if (!expect(text, pos, '-') || !readHex(text, pos, 4, value)) return std::nullopt;
    uuid.data2 = static_cast<std::uint16_t>(value);
    if (!expect(text, pos, '-') || !readHex(text, pos, 4, value)) return std::nullopt;
    uuid.data3 = static_cast<std::uint16_t>(value);
    if (!expect(text, pos, '-')) return std::nullopt;
    for (size_t i = 0; i < uuid.data4.size(); ++i) {
        if (i == 2 && !expect(text, pos, '-')) return std::nullopt;
        if (!readHex(text, pos, 2, value)) return std::nullopt;
        uuid.data4[i] = static_cast<std::uint8_t>(value);
    }
    if (pos != text.size()) return std::nullopt;
    return uuid;
}

}  // namespace velmora
