#include "printing/PrinterFont.h"

#include <vector>

namespace velmora::printing {

namespace {

constexpr char32_t kFirstAscii = 0x20, kLastAscii = 0x7E;
constexpr char32_t kFirstLatin1 = 0xA0, kLastLatin1 = 0xFF;
constexpr std::size_t kLatin1Offset = kLastAscii - kFirstAscii + 1;
constexpr std::size_t kReplacement = kLatin1Offset + (kLastLatin1 - kFirstLatin1 + 1);
constexpr std::size_t kGlyphCount = kReplacement + 1;

int hexDigit(char c) {
    return c <= '9' ? c - '0' : c - 'a' + 10;
}

std::vector<GlyphRows> decode(const char* const* table) {
    std::vector<GlyphRows> glyphs(kGlyphCount);
    for (std::size_t g = 0; g < kGlyphCount; ++g)
        for (int row = 0; row < kGlyphHeight; ++row) {
            const char* digits = table[g] + 3 * row;
            glyphs[g][static_cast<std::size_t>(row)] = static_cast<std::uint16_t>(
                hexDigit(digits[0]) << 8 | hexDigit(digits[1]) << 4 | hexDigit(digits[2]));
        }
    return glyphs;
}

std::size_t indexOf(char32_t c) {
    if (c >= kFirstAscii && c <= kLastAscii) return c - kFirstAscii;
    if (c >= kFirstLatin1 && c <= kLastLatin1) return kLatin1Offset + (c - kFirstLatin1);
    return kReplacement;
}

}  // namespace

const GlyphRows& glyphFor(char32_t codePoint, bool bold) {
    static const std::vector<GlyphRows> regular = decode(font_data::kRegular);
    static const std::vector<GlyphRows> emphasised = decode(font_data::kBold);
    return (bold ? emphasised : regular)[indexOf(codePoint)];
}

}  // namespace velmora::printing
