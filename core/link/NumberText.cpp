#include "link/NumberText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace velmora {

namespace {
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string replaceSeparator(std::string text, char separator) {
    if (separator == '.') return text;
    for (char& c : text)
        if (c == '.') c = separator;
    return text;
}

// Fixed notation with "." whatever the process locale says: the window's toolkit sets the C
// locale from the user's environment, where printf would already write ",".
std::string fixedText(double value, int decimals) {
    char buffer[400];  // enough for any double in fixed notation
    auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    if (result.ec != std::errc()) return "0";
    return std::string(buffer, result.ptr);
}
}  // namespace

std::optional<int> parseInteger(std::string_view text) {
    size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    if (i == text.size()) return std::nullopt;
    long long value = 0;
    for (; i < text.size(); ++i) {
        if (!isDigit(text[i])) return std::nullopt;
        value = value * 10 + (text[i] - '0');
        if (value > static_cast<long long>(std::numeric_limits<int>::max()) + 1)
            return std::nullopt;
    }
    if (negative) value = -value;
    if (value > std::numeric_limits<int>::max() || value < std::numeric_limits<int>::min())
        return std::nullopt;
    return static_cast<int>(value);
}

std::optional<double> parseReal(std::string_view text, const NumberFormat& format) {
    // Validate the shape ourselves so "inf", "nan", hex floats and stray characters fail.
    std::string normal;
    normal.reserve(text.size());
    size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        if (text[i] == '-') normal += '-';
        ++i;
    }
    // Decimal order of the first significant digit, to tell underflow from overflow.
    long long order = 0;
    bool significant = false;
    size_t digits = 0;
    for (; i < text.size() && isDigit(text[i]); ++i, ++digits) {
        normal += text[i];
        if (significant)
            ++order;
        else
            significant = text[i] != '0';
    }
    if (i < text.size() && text[i] == format.decimalSeparator) {
        normal += '.';
        for (++i; i < text.size() && isDigit(text[i]); ++i, ++digits) {
            normal += text[i];
            if (!significant) {
                --order;
                significant = text[i] != '0';
            }
        }
    }
    if (digits == 0) return std::nullopt;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        normal += 'e';
        ++i;
        bool negative = false;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
            negative = text[i] == '-';
            normal += text[i++];
        }
        size_t expDigits = 0;
        long long exponent = 0;
        for (; i < text.size() && isDigit(text[i]); ++i, ++expDigits) {
            normal += text[i];
            exponent = std::min(exponent * 10 + (text[i] - '0'), 1000000LL);  // saturates
        }
        if (expDigits == 0) return std::nullopt;
        order += negative ? -exponent : exponent;
    }
    if (i != text.size()) return std::nullopt;
    if (!significant) return 0.0;
    double value = 0.0;
    auto result = std::from_chars(normal.data(), normal.data() + normal.size(), value);
    // Too small for a double reads as zero, whether it falls short of the smallest normal
    // number (4e-320) or of every number (1e-400); too large is refused.
    if (result.ec == std::errc::result_out_of_range && order < 0) return 0.0;
    if (result.ec != std::errc() || !std::isfinite(value)) return std::nullopt;
    if (std::fabs(value) < std::numeric_limits<double>::min()) return 0.0;
    return value;
}

std::string formatFixed2(double value, const NumberFormat& format) {
    return replaceSeparator(fixedText(value, 2), format.decimalSeparator);
}

std::string formatShortest(double value, const NumberFormat& format, int maxDecimals) {
    std::string text = fixedText(value, maxDecimals);
    if (text.find('.') != std::string::npos) {
        while (!text.empty() && text.back() == '0') text.pop_back();
        if (!text.empty() && text.back() == '.') text.pop_back();
    }
    if (text == "-0") text = "0";
    return replaceSeparator(text, format.decimalSeparator);
}

}  // namespace velmora
