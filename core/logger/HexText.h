#pragma once

#include <string>
#include <string_view>

namespace velmora {

// Every byte as two uppercase hexadecimal digits, high half first, nothing between.
std::string String2Hex(std::string_view bytes);
// The bytes of hexadecimal text (either case), pair by pair from the start. Decoding stops
// at the first pair that is not two hexadecimal digits; a lone digit at the end is ignored.
std::string Hex2String(std::string_view text);

}  // namespace velmora
