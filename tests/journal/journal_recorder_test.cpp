// Batched recording: what reaches the file when, and what a killed writer leaves behind.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <memory>

#include "journal/SessionRecorder.h"
#include "journal_fixture.h"

namespace velmora::journal {
namespace {

using testing::chargeStart;
using testing::FakeClock;
using testing::RawDb;
using testing::TempFolder;

int64_t storedPoints(const std::string& path) {
    RawDb raw(path, SQLITE_OPEN_READONLY);
    return raw.scalar("SELECT count(*) FROM points");
}

// A new journal and a recorder on a fake clock that has just started a session.
class SessionRecorderTest : public ::testing::Test {
protected:
    SessionRecorderTest() {
        JournalOptions options;
        options.busyTimeoutMs = 0;  // a lock fails at once
        journal = Journal::open(path, options);
        recorder.start(*journal, chargeStart(0));
    }

    TempFolder folder;
    const std::string path = folder.file("journal.sqlite");
    std::unique_ptr<Journal> journal;
    FakeClock time;
    SessionRecorder recorder{time.clock(), 10'000};
};

TEST_F(SessionRecorderTest, PointsReachTheFileOncePerFlushInterval) {
    for (int second = 1; second <= 25; ++second) {
        time.advance(1000);
        recorder.addPoint(12.0 + second / 100.0, 2.5, 2);
        recorder.flushIfDue();
        SCOPED_TRACE(second);
        EXPECT_EQ(storedPoints(path), second / 10 * 10);
    }
    recorder.addResults(Results{TestResult{400, 4.0, 11.0, 12.5, ""}, {}, {}});
    time.advance(500);
    recorder.end(StopReason::ForceStop);
    EXPECT_FALSE(recorder.recording());
    EXPECT_EQ(storedPoints(path), 25);

    const SessionSummary s = *journal->summary(recorder.sessionId());
    EXPECT_EQ(s.start.startMs, FakeClock{}.now);  // the recorder's clock, not the caller's
    EXPECT_EQ(s.durationMs(), 25'500);
    EXPECT_EQ(s.stopReason, "forceStop");
    EXPECT_EQ(s.results.before->cca, 400);
    EXPECT_EQ(s.lastPointMs, 25'000);
}

TEST_F(SessionRecorderTest, ClockSetBackStillFlushes) {
    time.advance(1000);
    recorder.addPoint(12.0, 1.0, 2);
    time.advance(-3'600'000);  // the user corrects the system time by an hour
    recorder.addPoint(12.1, 1.0, 2);
    recorder.flushIfDue();
    EXPECT_EQ(storedPoints(path), 2);
}

TEST_F(SessionRecorderTest, FailedFlushKeepsTheBatchForTheNextOne) {
    for (int i = 0; i < 10; ++i) recorder.addPoint(12.0, 1.0, 2);

    RawDb other(path);
    ASSERT_EQ(other.exec("BEGIN IMMEDIATE"), SQLITE_OK);  // another program writes
    time.advance(10'000);
    try {
        recorder.flushIfDue();
        FAIL() << "wrote through another writer's lock";
    } catch (const JournalError& e) {
        EXPECT_EQ(e.fault(), JournalFault::Locked);
    }
    EXPECT_EQ(recorder.bufferedPoints(), 10u);
    ASSERT_EQ(other.exec("COMMIT"), SQLITE_OK);

    recorder.addPoint(12.0, 1.0, 2);
    time.advance(10'000);
    recorder.flushIfDue();
    EXPECT_EQ(storedPoints(path), 11);
    EXPECT_EQ(journal->summary(recorder.sessionId())->pointCount, 11);
}

// The writer: records one point per simulated second, flushing every 10, and after each
// flush tells the parent how many points are on disk. Never returns.
[[noreturn]] void recordUntilKilled(const std::string& path, int reportFd) {
    try {
        auto journal = Journal::open(path);
        FakeClock time;
        SessionRecorder recorder(time.clock(), 10'000);
        recorder.start(*journal, chargeStart(0));
        for (int64_t written = 0;;) {
            time.advance(1000);
            recorder.addPoint(13.0, 2.0, 2);
            if (recorder.bufferedPoints() == 10) {
                recorder.flush();
                written += 10;
                if (write(reportFd, &written, sizeof written) != sizeof written) _exit(3);
            }
        }
    } catch (...) {
        _exit(2);
    }
}

TEST(KilledWriterTest, LosesAtMostTheBatchInFlight) {
    TempFolder folder;
    const std::string path = folder.file("journal.sqlite");
    Journal::open(path);  // created up front, so every child only appends
    const int64_t killAfter[] = {10, 70, 200};
    std::vector<int64_t> reported;
    for (int64_t target : killAfter) {
        int pipeFds[2];
        ASSERT_EQ(pipe(pipeFds), 0);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            close(pipeFds[0]);
            recordUntilKilled(path, pipeFds[1]);
        }
        close(pipeFds[1]);
        int64_t written = 0;
        while (written < target)
            ASSERT_EQ(read(pipeFds[0], &written, sizeof written),
                      static_cast<ssize_t>(sizeof written));
        kill(child, SIGKILL);  // most likely in the middle of the next batch
        int status = 0;
        waitpid(child, &status, 0);
        // The writer may have run ahead of our reading: its last report is the last one sent.
        for (int64_t later = 0; read(pipeFds[0], &later, sizeof later) == sizeof later;)
            written = later;
        close(pipeFds[0]);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the writer failed on its own: " << status;
        reported.push_back(written);
    }

    RawDb raw(path);
    EXPECT_EQ(raw.text("PRAGMA integrity_check"), "ok");
    auto journal = Journal::open(path);
    const std::vector<SessionSummary> sessions = journal->list();
    ASSERT_EQ(sessions.size(), reported.size());
    for (size_t i = 0; i < reported.size(); ++i) {
        const SessionSummary& s = sessions[sessions.size() - 1 - i];  // oldest first
        SCOPED_TRACE(i);
        const Session session = *journal->session(s.id);
        // Everything reported is there; at most the batch being written is missing,
        // and never a part of one.
        EXPECT_GE(s.pointCount, reported[i]);
        EXPECT_LE(s.pointCount, reported[i] + 10);
        EXPECT_EQ(s.pointCount % 10, 0);
        EXPECT_EQ(static_cast<int64_t>(session.points.size()), s.pointCount);
        EXPECT_FALSE(s.endMs);
        EXPECT_EQ(s.lastPointMs, s.pointCount * 1000);
    }
}

}  // namespace
}  // namespace velmora::journal
