#include "logger/LogNumbers.h"

#include <charconv>
#include <cstdlib>

namespace velmora {

namespace {
constexpr int kSignificant = 15;

// Adds one to a string of decimal digits.
void increment(std::string& digits) {
    for (size_t i = digits.size(); i-- > 0;) {
        if (digits[i] != '9') {
            ++digits[i];
            return;
        }
        digits[i] = '0';
    }
    digits.insert(digits.begin(), '1');
}
}  // namespace

std::string hundredthsText(double value) {
    // d.dddddddddddddde+X: the 15 digits and the power of ten of the first one.
    char buffer[64];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value,
                                   std::chars_format::scientific, kSignificant - 1)
                         .ptr;
    const std::string_view text(buffer, static_cast<size_t>(end - buffer));
    const bool negative = text.front() == '-';
    const std::string_view mantissa = text.substr(negative ? 1 : 0);
    const size_t e = mantissa.find('e');
    std::string digits;
    for (const char c : mantissa.substr(0, e))
        if (c != '.') digits += c;
    const int exponent = std::atoi(std::string(mantissa.substr(e + 1)).c_str());

    // Times 100 moves the point two places; `whole` digits stand before it.
    const long whole = exponent + 2 + 1;
    std::string result;
    if (whole <= 0) {
        result = whole == 0 && digits[0] >= '5' ? "1" : "0";
    } else if (whole >= static_cast<long>(digits.size())) {
        result = digits + std::string(static_cast<size_t>(whole) - digits.size(), '0');
    } else {
        result = digits.substr(0, static_cast<size_t>(whole));
        if (digits[static_cast<size_t>(whole)] >= '5') increment(result);
    }
    const size_t first = result.find_first_not_of('0');
    result = first == std::string::npos ? "0" : result.substr(first);
    return negative && result != "0" ? "-" + result : result;
}

std::string significantText(double value, const NumberFormat& format) {
    char buffer[64];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value,
                                   std::chars_format::general, kSignificant)
                         .ptr;
    std::string text(buffer, end);
    for (char& c : text)
        if (c == '.') c = format.decimalSeparator;
    return text == "-0" ? "0" : text;
}

}  // namespace velmora
