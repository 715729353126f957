#pragma once

#include <string>
#include <string_view>

namespace velmora {

// Appends the UTF-8 form of one code point (up to U+10FFFF).
void appendUtf8(std::string& out, char32_t code);
// Decodes the UTF-8 sequence at `pos` into `code` and returns its length in bytes, or 0
// when it is not valid UTF-8 (truncated, overlong, a surrogate or beyond U+10FFFF).
size_t decodeUtf8(std::string_view text, size_t pos, char32_t& code);

}  // namespace velmora
