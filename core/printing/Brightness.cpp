#include "printing/Brightness.h"

namespace velmora::printing {

namespace {

// Every value of the computation is a whole multiple of 2^-67 below 2^9, so it fits an
// unsigned 128-bit count of 2^-67 units; two 64-bit words keep it portable.
struct Units {
    std::uint64_t hi = 0, lo = 0;
};

constexpr int kFractionBits = 67;
constexpr int kSignificandBits = 64;

// The extended constants as 64-bit significands and their weight in 2^-67 units:
// 0.3 = 0x999999999999999A * 2^-65, 0.59 = 0x970A3D70A3D70A3D * 2^-64,
// 0.11 = 0xE147AE147AE147AE * 2^-67 (each the nearest value to the decimal).
constexpr std::uint64_t kThreeTenths = 0x999999999999999AULL;
constexpr int kThreeTenthsShift = 2;
constexpr std::uint64_t kFiftyNineHundredths = 0x970A3D70A3D70A3DULL;
constexpr int kFiftyNineHundredthsShift = 3;
constexpr std::uint64_t kElevenHundredths = 0xE147AE147AE147AEULL;
constexpr int kElevenHundredthsShift = 0;

Units times(std::uint64_t significand, std::uint8_t factor, int shift) {
    const std::uint64_t low = (significand & 0xFFFFFFFFULL) * factor;
    const std::uint64_t high = (significand >> 32) * factor;
    Units product;
    product.lo = low + (high << 32);
    product.hi = (high >> 32) + (product.lo < low ? 1 : 0);
    // shift is at most 3 and the product below 2^72: nothing leaves the top word.
    if (shift > 0) {
        product.hi = (product.hi << shift) | (product.lo >> (64 - shift));
        product.lo <<= shift;
    }
    return product;
}

Units plus(Units a, Units b) {
    Units sum;
    sum.lo = a.lo + b.lo;
    sum.hi = a.hi + b.hi + (sum.lo < a.lo ? 1 : 0);
    return sum;
}

int bitLength(Units v) {
    int length = 0;
    for (std::uint64_t word = v.hi; word; word >>= 1) ++length;
    if (length) return length + 64;
    for (std::uint64_t word = v.lo; word; word >>= 1) ++length;
    return length;
}

// Rounds to a 64-bit significand, to nearest, ties to even, as the x87 unit does.
Units roundToExtended(Units v) {
    const int drop = bitLength(v) - kSignificandBits;
    if (drop <= 0) return v;
    // Values stay below 2^76, so at most 12 bits are dropped and they lie in the low word.
    const std::uint64_t dropMask = (1ULL << drop) - 1;
    const std::uint64_t remainder = v.lo & dropMask;
    const std::uint64_t half = 1ULL << (drop - 1);
    Units kept{v.hi, v.lo & ~dropMask};
    const bool lastKeptBitOdd = (v.lo >> drop) & 1ULL;
    if (remainder > half || (remainder == half && lastKeptBitOdd))
        kept = plus(kept, Units{0, 1ULL << drop});
    return kept;
}

}  // namespace

int brightnessLevel(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    const Units r = roundToExtended(times(kThreeTenths, red, kThreeTenthsShift));
    const Units g = roundToExtended(times(kFiftyNineHundredths, green, kFiftyNineHundredthsShift));
    const Units b = roundToExtended(times(kElevenHundredths, blue, kElevenHundredthsShift));
    const Units sum = roundToExtended(plus(roundToExtended(plus(r, g)), b));
    return static_cast<int>(sum.hi >> (kFractionBits - 64));  // cut toward zero
}

bool printsBlack(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    // The exact brightness is (30 R + 59 G + 11 B) / 100. Rounding moves the computed
    // value by far less than 0.01, so only an exact 127 can land on either side.
    const int hundredths = 30 * red + 59 * green + 11 * blue;
    if (hundredths != 100 * kBlackBelow) return hundredths < 100 * kBlackBelow;
    return brightnessLevel(red, green, blue) < kBlackBelow;
}

}  // namespace velmora::printing
