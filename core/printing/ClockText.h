#pragma once

#include <string>
#include <string_view>

namespace velmora::printing {

// One reading of the local clock.
struct ClockReading {
    int year = 1899, month = 12, day = 30;
    int hour = 0, minute = 0, second = 0, millisecond = 0;
};

// The user's date and time conventions, passed in by the caller.
struct TimeConventions {
    std::string dateSeparator = "/";
    // Qt's time letters: h hh H HH m mm s ss z zzz AP A ap a, 'quoted text'; any other
    // character stands for itself.
    std::string longTimeFormat = "hh:mm:ss";
    std::string amText = "AM";
    std::string pmText = "PM";
};

// True for a real calendar date with a time of day.
bool isValidReading(const ClockReading& clock);

// "dd/mm/yyyy" with the user's date separator in place of "/".
std::string formatDate(const ClockReading& clock, const TimeConventions& conventions);
// The time in the given Qt-style format.
std::string formatTime(const ClockReading& clock, std::string_view format,
                       const TimeConventions& conventions);
// Date, " - ", long time: the date line of the receipts (without its line end).
std::string dateTimeText(const ClockReading& clock, const TimeConventions& conventions);

}  // namespace velmora::printing
