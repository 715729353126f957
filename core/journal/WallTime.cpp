#include "journal/WallTime.h"

#include <cstdio>

namespace velmora::journal {

namespace {

struct Civil {
    int64_t year;
    int month, day;
};

// Days since 1970-01-01 of a civil date and back (H. Hinnant's algorithms).
int64_t daysFromCivil(int64_t y, int m, int d) {
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yoe = y - era * 400;
    const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

Civil civilFromDays(int64_t z) {
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    const int d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    const int m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    return {yoe + era * 400 + (m <= 2), m, d};
}

int64_t floorDiv(int64_t a, int64_t b) {
    return a / b - (a % b != 0 && (a < 0) != (b < 0));
}

std::string format(int64_t utcMs, int offsetMinutes, char separator) {
    const LocalTime t = localTimeOf(utcMs, offsetMinutes);
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%04lld-%02d-%02d%c%02d:%02d:%02d",
                  static_cast<long long>(t.year), t.month, t.day, separator, t.hour, t.minute,
                  t.second);
    return buffer;
}

}  // namespace

LocalTime localTimeOf(int64_t utcMs, int offsetMinutes) {
    const int64_t local = utcMs + int64_t{offsetMinutes} * 60'000;
    const int64_t days = floorDiv(local, kDayMs);
    const int64_t msOfDay = local - days * kDayMs;
    const Civil c = civilFromDays(days);
    return {c.year,
            c.month,
            c.day,
            static_cast<int>(msOfDay / 3'600'000),
            static_cast<int>(msOfDay / 60'000 % 60),
            static_cast<int>(msOfDay / 1000 % 60),
            static_cast<int>(msOfDay % 1000)};
}

std::string isoLocalTime(int64_t utcMs, int offsetMinutes) {
    const int magnitude = offsetMinutes < 0 ? -offsetMinutes : offsetMinutes;
    char zone[16];
    std::snprintf(zone, sizeof zone, "%c%02d:%02d", offsetMinutes < 0 ? '-' : '+', magnitude / 60,
                  magnitude % 60);
    return format(utcMs, offsetMinutes, 'T') + zone;
}

std::string localDateTime(int64_t utcMs, int offsetMinutes) {
    return format(utcMs, offsetMinutes, ' ');
}

std::optional<int64_t> parseLocalDate(std::string_view text) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
    int parts[3] = {0, 0, 0};
    const size_t starts[3] = {0, 5, 8}, lengths[3] = {4, 2, 2};
    for (int i = 0; i < 3; ++i)
        for (size_t k = 0; k < lengths[i]; ++k) {
            const char c = text[starts[i] + k];
            if (c < '0' || c > '9') return std::nullopt;
            parts[i] = parts[i] * 10 + (c - '0');
        }
    const int64_t days = daysFromCivil(parts[0], parts[1], parts[2]);
    const Civil back = civilFromDays(days);  // rejects 2026-02-30 and month 13
    if (parts[1] < 1 || parts[1] > 12 || back.month != parts[1] || back.day != parts[2])
        return std::nullopt;
    return days * kDayMs;
}

}  // namespace velmora::journal
