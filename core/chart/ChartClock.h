#pragma once

#include <cstdint>
#include <string>

namespace velmora {

// Chart x values are date-times: days since 30 December 1899 00:00, the fraction being
// the time of day.
constexpr std::int64_t kMsPerDay = 86'400'000;
constexpr double kMinuteInDays = 1.0 / 1440;

// The date-time of the next chart point. Kept in whole milliseconds, so a day of
// one-second steps ends exactly on the next day instead of drifting with each addition.
class ChartClock {
public:
    double days() const { return static_cast<double>(m_ms) / kMsPerDay; }
    std::int64_t milliseconds() const { return m_ms; }
    // Rounds to the millisecond. A value that is no date-time (not finite, or past the
    // year 9999 either way) is refused and the clock keeps its value.
    bool setDays(double days);
    void advanceSecond() { m_ms += 1000; }

private:
    std::int64_t m_ms = 0;
};

// Days since 30 December 1899 for a civil date (Gregorian) and a time of day.
double chartDays(int year, int month, int day, std::int64_t msOfDay);

// Whole milliseconds since 30 December 1899 of a chart x value.
std::int64_t chartMilliseconds(double days);

// The time of day of a chart x value as "h:mm" (hours without a leading zero, 0 to 23).
std::string hourMinuteText(double days);

}  // namespace velmora
