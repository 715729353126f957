#include <gtest/gtest.h>

#include <cfloat>

#include "printing/Brightness.h"

using velmora::printing::brightnessLevel;
using velmora::printing::printsBlack;

namespace {

struct KnownColour {
    int red, green, blue;
    int level;
    bool black;
};

// Levels as the 80-bit computation gives them; (0, 183, 173) is exactly 127 but comes
// out just below it.
const KnownColour kKnownColours[] = {
    {0, 0, 0, 0, true},          {126, 126, 126, 126, true}, {127, 127, 127, 127, false},
    {255, 0, 0, 76, true},       {0, 255, 0, 150, false},    {0, 0, 255, 28, true},
    {255, 255, 255, 255, false}, {0, 183, 173, 126, true},   {100, 100, 100, 100, true},
    {200, 100, 50, 124, true},   {10, 200, 40, 125, true},   {0, 200, 10, 119, true},
};

TEST(PrinterBrightnessTest, KnownColoursOnEveryCompiler) {
    for (const KnownColour& c : kKnownColours) {
        SCOPED_TRACE(testing::Message() << c.red << "," << c.green << "," << c.blue);
        EXPECT_EQ(brightnessLevel(c.red, c.green, c.blue), c.level);
        EXPECT_EQ(printsBlack(c.red, c.green, c.blue), c.black);
    }
}

#if (defined(__x86_64__) || defined(__i386__)) && LDBL_MANT_DIG == 64
// long double is the x87 80-bit format here: the integer arithmetic must give its result
// for every one of the 16 777 216 colours.
TEST(PrinterBrightnessTest, EveryColourMatchesTheExtendedComputation) {
    long mismatches = 0;
    int firstRed = -1, firstGreen = -1, firstBlue = -1;
    for (int r = 0; r < 256; ++r)
        for (int g = 0; g < 256; ++g)
            for (int b = 0; b < 256; ++b) {
                const long double value = (0.3L * r + 0.59L * g) + 0.11L * b;
                const int level = static_cast<int>(value);
                const auto red = static_cast<std::uint8_t>(r);
                const auto green = static_cast<std::uint8_t>(g);
                const auto blue = static_cast<std::uint8_t>(b);
                if (brightnessLevel(red, green, blue) != level ||
                    printsBlack(red, green, blue) != (level < 127)) {
                    if (mismatches++ == 0) firstRed = r, firstGreen = g, firstBlue = b;
                }
            }
    EXPECT_EQ(mismatches, 0) << "first at " << firstRed << "," << firstGreen << "," << firstBlue;
}
#endif

}  // namespace
