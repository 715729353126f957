#pragma once

#include <cstdint>

namespace velmora::printing {

// Dots darker than this level print black.
inline constexpr int kBlackBelow = 127;

// The brightness level of a colour as the printer images have always computed it:
// (0.3 R + 0.59 G) + 0.11 B in 80-bit extended floating point (each product and sum
// rounded to nearest, the constants held as their nearest extended values), cut toward
// zero. Done in exact integer arithmetic so every compiler gives the same level, also
// where long double has only 64 bits.
int brightnessLevel(std::uint8_t red, std::uint8_t green, std::uint8_t blue);

// True when the colour prints as a black dot (level below kBlackBelow).
bool printsBlack(std::uint8_t red, std::uint8_t green, std::uint8_t blue);

}  // namespace velmora::printing
