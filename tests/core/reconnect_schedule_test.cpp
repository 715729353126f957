#include <gtest/gtest.h>

#include <vector>

#include "link/ReconnectPolicy.h"
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

// The policy on a clock the test moves: what it decides after each event.
class ReconnectPolicyTest : public ::testing::Test {
protected:
    ReconnectPolicyTest() : policy({{1000, 2000}, 5000, 20000}) {}
    // Waits the pause the policy asks for, then makes the attempt; its number.
    int waitAndAttempt() {
        const std::optional<int> pause = policy.pauseBeforeNext(now);
        EXPECT_TRUE(pause);
        now += pause.value_or(0);
        return policy.startAttempt();
    }
    ReconnectPolicy policy;
    int64_t now = 100'000;
};

TEST_F(ReconnectPolicyTest, AttemptsFollowTheScheduleUntilTheTimeToGiveUp) {
    EXPECT_FALSE(policy.reconnecting());
    EXPECT_FALSE(policy.pauseBeforeNext(now));
    EXPECT_TRUE(policy.lost(now, 60'000, true));
    const int64_t lostAt = now;
    ASSERT_TRUE(policy.reconnecting());
    EXPECT_EQ(policy.pauseBeforeNext(now), 1000);
    std::vector<int64_t> attemptsAt;
    while (policy.reconnecting()) {
        EXPECT_EQ(waitAndAttempt(), static_cast<int>(attemptsAt.size()) + 1);
        attemptsAt.push_back(now - lostAt);
        now += 300;  // each attempt takes a moment to fail
        policy.goOn(now);
    }
    EXPECT_EQ(attemptsAt, (std::vector<int64_t>{1000, 3300, 8600, 13900, 19200}));
    EXPECT_TRUE(policy.gaveUp());
    EXPECT_EQ(policy.attempt(), 5);
    EXPECT_FALSE(policy.pauseBeforeNext(now));
}

TEST_F(ReconnectPolicyTest, APostponedAttemptDoesNotCount) {
    policy.lost(now, std::nullopt, false);
    waitAndAttempt();
    policy.postpone();  // a dialog held the link
    EXPECT_EQ(policy.attempt(), 0);
    EXPECT_EQ(policy.pauseBeforeNext(now), 1000);
    EXPECT_EQ(waitAndAttempt(), 1);
}

// A charger that accepts and closes at once, having said nothing, is the same loss going on:
// it is given up on time. One that answered was really back, however soon it dropped.
TEST_F(ReconnectPolicyTest, WhatCountsAsBack) {
    const struct {
        const char* name;
        int64_t upForMs;
        bool answered;
        int attemptAfter;  // the number of the attempt after the second loss
    } rows[] = {
        {"closed at once without a word", 200, false, 2},
        {"answered, then dropped", 200, true, 1},
        {"up for long", ReconnectPolicy::kShortLivedLinkMs, false, 1},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        ReconnectPolicy fresh({{1000, 2000}, 5000, 20000});
        policy = fresh;
        policy.lost(now, 60'000, true);
        waitAndAttempt();
        policy.back();  // the attempt connected
        EXPECT_FALSE(policy.reconnecting());
        now += row.upForMs;
        EXPECT_EQ(policy.lost(now, row.upForMs, row.answered), row.attemptAfter == 1);
        EXPECT_EQ(waitAndAttempt(), row.attemptAfter);
    }
}

TEST_F(ReconnectPolicyTest, StoppingEndsTheAttemptsAndALossStartsThemAgain) {
    policy.lost(now, 60'000, true);
    waitAndAttempt();
    policy.stop();
    EXPECT_FALSE(policy.reconnecting());
    EXPECT_FALSE(policy.gaveUp());
    EXPECT_FALSE(policy.goOn(now));  // an attempt that was running when stopped
    EXPECT_FALSE(policy.pauseBeforeNext(now));
    now += 100'000;
    policy.lost(now, 60'000, true);
    EXPECT_EQ(waitAndAttempt(), 1);
}
