#include "certificate/Base64.h"

#include <cstdint>

namespace velmora::certificate {

namespace {

const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

int valueOf(char c) {
    if (c >= 'A' && c <= 'Z') return c - 'A';
    if (c >= 'a' && c <= 'z') return c - 'a' + 26;
    if (c >= '0' && c <= '9') return c - '0' + 52;
    if (c == '+') return 62;
    if (c == '/') return 63;
    return -1;
}

}  // namespace

std::string toBase64(std::string_view bytes) {
    std::string text;
    text.reserve((bytes.size() + 2) / 3 * 4);
    for (size_t i = 0; i < bytes.size(); i += 3) {
        const size_t n = std::min<size_t>(3, bytes.size() - i);
        uint32_t group = 0;
        for (size_t k = 0; k < 3; ++k)
            group = (group << 8) | (k < n ? static_cast<unsigned char>(bytes[i + k]) : 0u);
        for (size_t k = 0; k < 4; ++k)
            text += k <= n ? kAlphabet[(group >> (18 - 6 * k)) & 63] : '=';
    }
    return text;
}

std::optional<std::string> fromBase64(std::string_view text) {
    if (text.size() % 4 != 0) return std::nullopt;
    std::string bytes;
    bytes.reserve(text.size() / 4 * 3);
    for (size_t i = 0; i < text.size(); i += 4) {
        const bool last = i + 4 == text.size();
        size_t padding = 0;
        uint32_t group = 0;
        for (size_t k = 0; k < 4; ++k) {
            const char c = text[i + k];
            if (c == '=' && last && k >= 2) {
                ++padding;
                group <<= 6;
                continue;
            }
            const int v = valueOf(c);
            if (v < 0 || padding > 0) return std::nullopt;
            group = (group << 6) | static_cast<uint32_t>(v);
        }
        // Bits below the last whole byte must be zero: one text per byte string.
        if ((padding == 1 && (group & 0xFF)) || (padding == 2 && (group & 0xFFFF)))
            return std::nullopt;
        for (size_t k = 0; k < 3 - padding; ++k)
            bytes += static_cast<char>((group >> (16 - 8 * k)) & 0xFF);
    }
    return bytes;
}

std::string toHex(std::string_view bytes) {
    static const char kDigits[] = "0123456789ABCDEF";
    std::string hex;
    hex.reserve(2 * bytes.size());
    for (unsigned char c : bytes) {
        hex += kDigits[c >> 4];
        hex += kDigits[c & 15];
    }
    return hex;
}

}  // namespace velmora::certificate
