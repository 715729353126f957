#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace velmora::certificate {

// Standard Base64 (RFC 4648, "+" and "/", with "=" padding).
std::string toBase64(std::string_view bytes);
// Nothing when the text is not canonical Base64 (wrong length, stray characters, padding
// anywhere but the end, or bits left over in the last character).
std::optional<std::string> fromBase64(std::string_view text);

// Upper-case hexadecimal.
std::string toHex(std::string_view bytes);

}  // namespace velmora::certificate
