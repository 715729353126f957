#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace velmora {

// The user's number conventions, passed in by the caller.
struct NumberFormat {
    char decimalSeparator = '.';
};

// Strict decimal integer: optional sign and digits only, within 32 bits.
std::optional<int> parseInteger(std::string_view text);
// Decimal number with the given separator (and optional exponent); finite values only.
std::optional<double> parseReal(std::string_view text, const NumberFormat& format);

// "0.00": two decimals with the user's separator.
std::string formatFixed2(double value, const NumberFormat& format);
// Shortest decimal form with at most `maxDecimals` digits after the separator (7.5, 10, 0.25).
std::string formatShortest(double value, const NumberFormat& format, int maxDecimals = 3);

}  // namespace velmora
