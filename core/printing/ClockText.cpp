#include "printing/ClockText.h"

#include <cctype>

namespace velmora::printing {

namespace {

bool isLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(int year, int month) {
    static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeapYear(year) ? 29 : kDays[month - 1];
}

std::string padded(int value, int width) {
    std::string digits = std::to_string(value);
    if (static_cast<int>(digits.size()) < width)
        digits.insert(0, static_cast<size_t>(width) - digits.size(), '0');
    return digits;
}

size_t runLength(std::string_view text, size_t at) {
    size_t end = at;
    while (end < text.size() && text[end] == text[at]) ++end;
    return end - at;
}

bool hasAmPm(std::string_view format) {
    bool quoted = false;
    for (char c : format) {
        if (c == '\'') quoted = !quoted;
        if (!quoted && (c == 'A' || c == 'a')) return true;
    }
    return false;
}

std::string lowerCase(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

}  // namespace

bool isValidReading(const ClockReading& c) {
    return c.year >= 1 && c.year <= 9999 && c.month >= 1 && c.month <= 12 && c.day >= 1 &&
           c.day <= daysInMonth(c.year, c.month) && c.hour >= 0 && c.hour <= 23 && c.minute >= 0 &&
           c.minute <= 59 && c.second >= 0 && c.second <= 59 && c.millisecond >= 0 &&
           c.millisecond <= 999;
}

std::string formatDate(const ClockReading& clock, const TimeConventions& conventions) {
    return padded(clock.day, 2) + conventions.dateSeparator + padded(clock.month, 2) +
           conventions.dateSeparator + padded(clock.year, 4);
}

std::string formatTime(const ClockReading& clock, std::string_view format,
                       const TimeConventions& conventions) {
    const bool twelveHour = hasAmPm(format);
    const int hour12 = clock.hour % 12 == 0 ? 12 : clock.hour % 12;
    const bool morning = clock.hour < 12;
    std::string text;
    for (size_t i = 0; i < format.size();) {
        const char c = format[i];
        if (c == '\'') {
            // Quoted text; two quotes stand for one.
            size_t end = i + 1;
            if (end < format.size() && format[end] == '\'') {
                text += '\'';
                i += 2;
                continue;
            }
            while (end < format.size()) {
                if (format[end] == '\'' && end + 1 < format.size() && format[end + 1] == '\'') {
                    text += '\'';
                    end += 2;
                } else if (format[end] == '\'') {
                    break;
                } else {
                    text += format[end++];
                }
            }
            i = end + 1;
            continue;
        }
        const size_t run = runLength(format, i);
        const int width = run >= 2 ? 2 : 1;
        switch (c) {
            case 'h':
                text += padded(twelveHour ? hour12 : clock.hour, width);
                i += width;
                break;
            case 'H':
                text += padded(clock.hour, width);
                i += width;
                break;
            case 'm':
                text += padded(clock.minute, width);
                i += width;
                break;
            case 's':
                text += padded(clock.second, width);
                i += width;
                break;
            case 'z':
                if (run >= 3) {
                    text += padded(clock.millisecond, 3);
                    i += 3;
                } else {
                    std::string ms = padded(clock.millisecond, 3);
                    while (ms.size() > 1 && ms.back() == '0') ms.pop_back();
                    text += ms;
                    i += 1;
                }
                break;
            case 'A':
            case 'a': {
                const std::string marker = morning ? conventions.amText : conventions.pmText;
                const bool upper = c == 'A';
                text += upper ? marker : lowerCase(marker);
                // "AP", "ap", "A" or "a"
                i += (i + 1 < format.size() && (format[i + 1] == 'P' || format[i + 1] == 'p')) ? 2
                                                                                               : 1;
                break;
            }
            default:
                text += c;
                i += 1;
        }
    }
    return text;
}

std::string dateTimeText(const ClockReading& clock, const TimeConventions& conventions) {
    return formatDate(clock, conventions) + " - " +
           formatTime(clock, conventions.longTimeFormat, conventions);
}

}  // namespace velmora::printing
