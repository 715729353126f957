#pragma once

#include <array>
#include <cstdint>

namespace velmora::printing {

// The virtual printer's character cell (font A of a 58 mm printer: 32 per line).
inline constexpr int kGlyphWidth = 12, kGlyphHeight = 24;

// Rows of one glyph, top first; bit 11 is the leftmost dot.
using GlyphRows = std::array<std::uint16_t, kGlyphHeight>;

// The glyph of a character; characters the font lacks get the replacement glyph.
const GlyphRows& glyphFor(char32_t codePoint, bool bold);

namespace font_data {
// Generated tables: 0x20..0x7E, 0xA0..0xFF, then U+FFFD; 72 hexadecimal digits each.
extern const char* const kRegular[];
extern const char* const kBold[];
}  // namespace font_data

}  // namespace velmora::printing
