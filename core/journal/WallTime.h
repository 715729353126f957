#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace velmora::journal {

// Calendar texts of a UTC instant seen on a clock `offsetMinutes` ahead of UTC. Pure
// arithmetic on the proleptic Gregorian calendar: no time zone database, no globals.

// A UTC instant on a local clock, broken down.
struct LocalTime {
    int64_t year = 1970;
    int month = 1, day = 1, hour = 0, minute = 0, second = 0, millisecond = 0;
};
LocalTime localTimeOf(int64_t utcMs, int offsetMinutes);

// "2026-12-10T19:38:47+07:00"
std::string isoLocalTime(int64_t utcMs, int offsetMinutes);
// "2026-12-10 19:38:47", the form spreadsheets read as a date and time.
std::string localDateTime(int64_t utcMs, int offsetMinutes);
// Milliseconds of local midnight of "YYYY-MM-DD" on the local clock's own scale (the scale
// of ListQuery's bounds); nullopt for anything else or an impossible date.
std::optional<int64_t> parseLocalDate(std::string_view text);

constexpr int64_t kDayMs = 86'400'000;

}  // namespace velmora::journal
