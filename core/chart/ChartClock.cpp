#include "chart/ChartClock.h"

#include <cmath>

namespace velmora {

namespace {
// 31 December 9999, the last day a date-time can hold, and as far before the origin.
constexpr double kLargestDays = 2'958'466.0;

// Days from 1 January 1970 to a civil date (proleptic Gregorian calendar).
std::int64_t daysFromCivil(std::int64_t y, int m, int d) {
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const std::int64_t yearOfEra = y - era * 400;
    const std::int64_t dayOfYear = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

constexpr std::int64_t kOriginFromUnixDays = -25569;  // 30 December 1899
}  // namespace

bool ChartClock::setDays(double days) {
    if (!std::isfinite(days) || std::fabs(days) > kLargestDays) return false;
    m_ms = chartMilliseconds(days);
    return true;
}

double chartDays(int year, int month, int day, std::int64_t msOfDay) {
    const std::int64_t wholeDays = daysFromCivil(year, month, day) - kOriginFromUnixDays;
    return static_cast<double>(wholeDays * kMsPerDay + msOfDay) / kMsPerDay;
}

std::int64_t chartMilliseconds(double days) {
    return std::llround(days * static_cast<double>(kMsPerDay));
}

std::string hourMinuteText(double days) {
    std::int64_t msOfDay = chartMilliseconds(days) % kMsPerDay;
    if (msOfDay < 0) msOfDay += kMsPerDay;
    const std::int64_t minutes = msOfDay / 60'000;
    const std::int64_t minute = minutes % 60;
    return std::to_string(minutes / 60) + (minute < 10 ? ":0" : ":") + std::to_string(minute);
}

}  // namespace velmora
