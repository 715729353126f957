// Journals as they are found after something went wrong elsewhere: a log left without its
// shared memory, a damaged point count, a disk already full when a charge starts, and files
// that are the journal under another name.
#include <gtest/gtest.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>

#include "journal/ChargeJournal.h"
#include "journal/Journal.h"
#include "journal/JournalFiles.h"
#include "journal_fixture.h"

namespace velmora::journal {
namespace {

namespace fs = std::filesystem;
using testing::asUnprivileged;
using testing::chargeStart;
using testing::connectedTick;
using testing::FakeClock;
using testing::RawDb;
using testing::TempFolder;

// A session of `points` points written by a window that is still open: they are in the log.
int64_t writeIntoTheLog(Journal& window, int points) {
    const int64_t id = window.beginSession(chargeStart(0));
    SessionUpdate update;
    for (int i = 0; i < points; ++i) update.points.push_back({i * 1000, 13.0, 2.0, 2});
    window.write(id, update);
    return id;
}

// The window was killed (or its files copied) with the session only in its log, and the
// log's shared memory is gone, in a folder this user may only read: SQLite alone cannot
// open it. It is read whole from a private copy, and the reader knows to say so.
TEST(JournalLeftBehindTest, LogWithoutItsSharedMemoryIsReadFromAPrivateCopy) {
    TempFolder folder;
    const std::string left = folder.file("left");
    fs::create_directory(left);
    const std::string path = left + "/journal.sqlite";
    {
        auto window = Journal::open(folder.file("journal.sqlite"));
        writeIntoTheLog(*window, 300);
        fs::copy_file(folder.file("journal.sqlite"), path);
        fs::copy_file(folder.file("journal.sqlite-wal"), path + "-wal");
    }
    ASSERT_FALSE(fs::exists(path + "-shm"));
    chmod(path.c_str(), 0444);
    chmod((path + "-wal").c_str(), 0444);
    chmod(left.c_str(), 0555);
    chmod(folder.path().c_str(), 0755);
    const int code = asUnprivileged([&] {
        JournalOptions reader;
        reader.create = false;
        reader.readOnly = true;
        JournalOptions window;  // the window's way: falls back to reading
        window.create = false;
        int failed = 0;
        for (const JournalOptions& options : {reader, window}) {
            ++failed;
            try {
                auto journal = Journal::open(path, options);
                const std::vector<SessionSummary> sessions = journal->list();
                if (!journal->readFromCopy() || !journal->readOnly() || sessions.size() != 1 ||
                    journal->session(sessions[0].id)->points.size() != 300)
                    return failed;
            } catch (const JournalError& e) {
                std::fprintf(stderr, "%s\n", e.what());
                return 10 + failed;
            }
        }
        return 0;
    });
    EXPECT_EQ(code, 0);
    EXPECT_FALSE(fs::exists(path + "-shm"));  // nothing was made beside it

    // With its shared memory in place it is read as ever, not copied.
    chmod(left.c_str(), 0755);
    JournalOptions reader;
    reader.readOnly = true;
    reader.create = false;
    auto journal = Journal::open(folder.file("journal.sqlite"), reader);
    EXPECT_FALSE(journal->readFromCopy());
}

// The stored count only hints at the size: damaged, it must not decide what is allocated;
// the points themselves are read.
TEST(JournalLeftBehindTest, WrongStoredPointCountStillShowsEveryPoint) {
    TempFolder folder;
    const std::string path = folder.file("journal.sqlite");
    auto journal = Journal::open(path);
    const int64_t id = writeIntoTheLog(*journal, 3);
    RawDb raw(path);
    for (const char* count :
         {"-1", "-9223372036854775807", "9223372036854775807", "4611686018427387904", "0"}) {
        SCOPED_TRACE(count);
        const std::string update = std::string("UPDATE sessions SET point_count = ") + count;
        ASSERT_EQ(raw.exec(update.c_str()), SQLITE_OK);
        std::optional<Session> session;
        EXPECT_NO_THROW(session = journal->session(id));
        ASSERT_TRUE(session);
        EXPECT_EQ(session->points.size(), 3u);
        EXPECT_EQ(session->summary.pointCount, 3);  // the session as read tells the truth
    }
}

// Runs `check` in a child of its own with a small file system mounted at `folder`; false
// when no file system can be mounted here (neither root nor a user namespace).
template <typename Fn>
std::optional<int> onSmallDisk(const std::string& folder, Fn check) {
    const uid_t uid = geteuid();
    const gid_t gid = getegid();
    const pid_t child = fork();
    if (child == 0) {
        if (uid != 0) {
            if (unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0) _exit(77);
            std::ofstream("/proc/self/setgroups") << "deny";
            std::ofstream("/proc/self/uid_map") << "0 " << uid << " 1";
            std::ofstream("/proc/self/gid_map") << "0 " << gid << " 1";
        } else if (unshare(CLONE_NEWNS) != 0) {
            _exit(77);
        }
        // The mount stays in this child's own view of the file systems.
        if (mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            mount("tmpfs", folder.c_str(), "tmpfs", 0, "size=512k") != 0)
            _exit(77);
        _exit(check());
    }
    int status = 0;
    waitpid(child, &status, 0);
    if (WIFEXITED(status) && WEXITSTATUS(status) == 77) return std::nullopt;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 101;
}

// Fills the disk of `folder` to the last byte.
void fill(const std::string& folder) {
    std::ofstream filler(folder + "/filler", std::ios::binary);
    const std::string block(4096, 'x');
    while (filler.write(block.data(), block.size()) && filler.flush()) {
    }
}

// A disk already full when a charge starts: SQLite says "disk I/O error" while growing the
// log's shared memory, yet the user is told the disk is full.
TEST(JournalLeftBehindTest, DiskFullBeforeTheChargeIsToldAsAFullDisk) {
    TempFolder folder;
    const std::string disk = folder.file("disk");
    fs::create_directory(disk);
    const std::optional<int> code = onSmallDisk(disk, [&] {
        int failed = 0;
        for (const bool existing : {true, false}) {
            ++failed;
            const std::string path =
                disk + (existing ? "/journal.sqlite" : "/Velmora Tester/journal.sqlite");
            if (existing) Journal::open(path)->beginSession(chargeStart(0));
            fill(disk);
            FakeClock time;
            ChargeJournal journal(path, time.clock());
            journal.observe(connectedTick("Charge Mode"));
            const std::optional<JournalProblem> problem = journal.takeProblem();
            if (!problem) return 10 + failed;
            std::fprintf(stderr, "%s: %s\n", problem->message.c_str(), problem->detail.c_str());
            if (problem->fault != JournalFault::Full) return 20 + failed;
            if (problem->message != "Riwayat tidak tersedia: disk penuh") return 30 + failed;
            fs::remove(disk + "/filler");
        }
        return 0;
    });
    if (!code) GTEST_SKIP() << "no file system can be mounted here";
    EXPECT_EQ(*code, 0);
}

TEST(JournalFilesTest, TheJournalIsKnownUnderEveryNameAndNothingElseIs) {
    TempFolder folder;
    const std::string path = folder.file("journal.sqlite");
    auto window = Journal::open(path);
    writeIntoTheLog(*window, 2);
    fs::create_hard_link(path, folder.file("hard link"));
    fs::create_symlink(path, folder.file("symbolic link"));
    fs::create_directory(folder.file("sub"));
    std::ofstream(folder.file("other.csv")) << "x";
    for (const std::string& same :
         {path, folder.file("hard link"), folder.file("symbolic link"),
          folder.file("sub/../journal.sqlite"), folder.path() + "//./journal.sqlite", path + "-wal",
          path + "-shm"})
        EXPECT_TRUE(isJournalFile(same, path)) << same;
    for (const std::string& other :
         {folder.file("other.csv"), folder.file("missing.csv"), folder.path(), std::string()})
        EXPECT_FALSE(isJournalFile(other, path)) << other;
    EXPECT_FALSE(isJournalFile(folder.file("other.csv"), folder.file("no journal.sqlite")));
}

}  // namespace
}  // namespace velmora::journal
