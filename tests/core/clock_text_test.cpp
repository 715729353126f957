#include <gtest/gtest.h>

#include "printing/ClockText.h"

using namespace velmora::printing;

namespace {

TEST(ClockTextTest, TimeFormatsWithQtLetters) {
    TimeConventions conventions;
    conventions.amText = "AM";
    conventions.pmText = "PM";
    struct Case {
        ClockReading clock;
        const char* format;
        const char* text;
    } cases[] = {
        {{2026, 12, 10, 14, 5, 9, 450}, "hh:mm:ss", "14:05:09"},
        {{2026, 12, 10, 14, 5, 9, 450}, "h:mm:ss AP", "2:05:09 PM"},
        {{2026, 12, 10, 14, 5, 9, 450}, "hh:mm:ss ap", "02:05:09 pm"},
        {{2026, 12, 10, 0, 5, 9, 0}, "h:mm A", "12:05 AM"},
        {{2026, 12, 10, 12, 0, 0, 0}, "h a", "12 pm"},
        {{2026, 12, 10, 14, 5, 9, 450}, "H.m.s", "14.5.9"},
        {{2026, 12, 10, 9, 5, 9, 450}, "HH.mm.ss", "09.05.09"},
        {{2026, 12, 10, 14, 5, 9, 450}, "hh:mm:ss.zzz", "14:05:09.450"},
        {{2026, 12, 10, 14, 5, 9, 450}, "s.z", "9.45"},
        {{2026, 12, 10, 14, 5, 9, 450}, "hh 'h' mm 'o''clock'", "14 h 05 o'clock"},
        {{2026, 12, 10, 14, 5, 9, 450}, "HH:mm:ss 'WIB'", "14:05:09 WIB"},
        {{2026, 12, 10, 14, 5, 9, 450}, "", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(formatTime(c.clock, c.format, conventions), c.text) << c.format;
}

TEST(ClockTextTest, DateLineUsesTheDateSeparatorAndLongTime) {
    TimeConventions conventions;
    conventions.dateSeparator = "-";
    conventions.longTimeFormat = "HH:mm:ss";
    EXPECT_EQ(dateTimeText({2026, 1, 2, 3, 4, 5, 0}, conventions), "02-01-2026 - 03:04:05");
    conventions.dateSeparator = ".";
    EXPECT_EQ(formatDate({987, 3, 9, 0, 0, 0, 0}, conventions), "09.03.0987");
}

TEST(ClockTextTest, ValidReadings) {
    EXPECT_TRUE(isValidReading({2024, 2, 29, 23, 59, 59, 999}));
    EXPECT_FALSE(isValidReading({2023, 2, 29, 0, 0, 0, 0}));
    EXPECT_FALSE(isValidReading({1900, 2, 29, 0, 0, 0, 0}));
    EXPECT_TRUE(isValidReading({2000, 2, 29, 0, 0, 0, 0}));
    EXPECT_FALSE(isValidReading({2026, 13, 1, 0, 0, 0, 0}));
    EXPECT_FALSE(isValidReading({2026, 4, 31, 0, 0, 0, 0}));
    EXPECT_FALSE(isValidReading({2026, 4, 30, 24, 0, 0, 0}));
    EXPECT_FALSE(isValidReading({2026, 4, 30, 0, 60, 0, 0}));
    EXPECT_FALSE(isValidReading({0, 4, 30, 0, 0, 0, 0}));
}

}  // namespace
