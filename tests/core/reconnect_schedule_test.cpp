#include <gtest/gtest.h>

#include "link/ReconnectSchedule.h"

using namespace velmora;

TEST(ReconnectScheduleTest, PausesGrowThenStayAndEndAfterTheTimeToGiveUp) {
    const ReconnectSchedule schedule;
    const struct {
        int attempt;
        int64_t sinceLossMs;
        std::optional<int> pause;
    } rows[] = {
        {1, 0, 1000},
        {2, 1000, 2000},
        {3, 3000, 4000},
        {4, 7000, 8000},
        {5, 15000, 15000},
        {40, 500000, 15000},
        {41, 585000, 15000},  // the last that starts in time
        {42, 590000, std::nullopt},
        {0, 0, 1000},  // counted from the first
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.attempt);
        EXPECT_EQ(schedule.pauseBefore(row.attempt, row.sinceLossMs), row.pause);
    }
}
