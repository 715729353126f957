// Locked, read-only, full and corrupt journals: a clear error, never a crash, and the
// recording side tells the window once and tries again at the next session.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>

#include "journal/ChargeJournal.h"
#include "journal/Journal.h"
#include "journal_fixture.h"

namespace velmora::journal {
namespace {

using testing::asUnprivileged;
using testing::chargeStart;
using testing::connectedTick;
using testing::FakeClock;
using testing::RawDb;
using testing::TempFolder;

void writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

std::optional<JournalFault> faultOfOpenAndRead(const std::string& path) {
    try {
        auto journal = Journal::open(path);
        for (const SessionSummary& s : journal->list()) journal->session(s.id);
        return std::nullopt;
    } catch (const JournalError& e) {
        return e.fault();
    }
}

// A closed journal with one long session (a few hundred pages).
void writeLongSession(const std::string& path) {
    auto journal = Journal::open(path);
    const int64_t id = journal->beginSession(chargeStart(0));
    SessionUpdate update;
    for (int i = 0; i < 20'000; ++i) update.points.push_back({i * 1000, 13.0, 2.0, 2});
    journal->write(id, update);
}

TEST(JournalFaultTest, CorruptFilesAreReportedAsCorrupt) {
    TempFolder folder;
    const std::string garbage = folder.file("garbage.sqlite");
    writeFile(garbage, std::string(5000, '\xA5'));
    const std::string text = folder.file("text.sqlite");
    writeFile(text, "Velmora log file, not a journal\n");
    const std::string truncated = folder.file("truncated.sqlite");
    writeLongSession(truncated);
    std::filesystem::resize_file(truncated, std::filesystem::file_size(truncated) / 2);
    const std::string damaged = folder.file("damaged.sqlite");
    writeLongSession(damaged);
    {
        std::fstream file(damaged, std::ios::binary | std::ios::in | std::ios::out);
        file.seekp(4096 * 20);
        const std::string noise(4096 * 30, '\x5A');
        file.write(noise.data(), static_cast<std::streamsize>(noise.size()));
    }
    for (const std::string& path : {garbage, text, truncated, damaged}) {
        SCOPED_TRACE(path);
        EXPECT_EQ(faultOfOpenAndRead(path), JournalFault::Corrupt);
    }
}

TEST(JournalFaultTest, FullDiskFailsTheBatchAndKeepsWhatWasWritten) {
    TempFolder folder;
    const std::string path = folder.file("journal.sqlite");
    JournalOptions options;
    options.maxPageCount = 16;  // stands in for a full disk: SQLite reports the same
    auto journal = Journal::open(path, options);
    const int64_t id = journal->beginSession(chargeStart(0));
    SessionUpdate small;
    small.points = {{0, 12.0, 1.0, 2}};
    journal->write(id, small);
    SessionUpdate huge;
    for (int i = 1; i < 5000; ++i) huge.points.push_back({i * 1000, 12.0, 1.0, 2});
    try {
        journal->write(id, huge);
        FAIL() << "a full disk went unnoticed";
    } catch (const JournalError& e) {
        EXPECT_EQ(e.fault(), JournalFault::Full);
    }
    EXPECT_EQ(journal->session(id)->points.size(), 1u);  // the failed batch left nothing half
}

TEST(JournalFaultTest, LockedJournalIsReportedAsLocked) {
    TempFolder folder;
    const std::string path = folder.file("journal.sqlite");
    JournalOptions options;
    options.busyTimeoutMs = 0;
    auto journal = Journal::open(path, options);
    RawDb other(path);
    ASSERT_EQ(other.exec("BEGIN EXCLUSIVE"), SQLITE_OK);
    try {
        journal->beginSession(chargeStart(0));
        FAIL() << "wrote through another writer's lock";
    } catch (const JournalError& e) {
        EXPECT_EQ(e.fault(), JournalFault::Locked);
    }
}

TEST(JournalFaultTest, MissingJournalIsNotCreatedByReaders) {
    TempFolder folder;
    JournalOptions readers;
    readers.create = false;
    try {
        Journal::open(folder.file("none.sqlite"), readers);
        FAIL();
    } catch (const JournalError& e) {
        EXPECT_EQ(e.fault(), JournalFault::Missing);
    }
    EXPECT_FALSE(std::filesystem::exists(folder.file("none.sqlite")));
}

TEST(JournalFaultTest, ReadOnlyFileReadsButRefusesToWrite) {
    TempFolder folder;
    const std::string path = folder.file("journal.sqlite");
    writeLongSession(path);
    chmod(path.c_str(), 0444);
    chmod(folder.path().c_str(), 0777);  // the log's shared memory may still be made beside it
    const int code = asUnprivileged([&] {
        std::unique_ptr<Journal> journal;
        try {
            journal = Journal::open(path);
        } catch (const JournalError&) {
            return 1;
        }
        if (!journal->readOnly()) return 2;
        if (journal->list().size() != 1) return 3;
        try {
            journal->beginSession(chargeStart(0));
            return 4;
        } catch (const JournalError& e) {
            return e.fault() == JournalFault::ReadOnly ? 0 : 5;
        }
    });
    EXPECT_EQ(code, 0);
}

TEST(JournalFaultTest, UnwritableFolderCreatesNothingButReadsWhatIsThere) {
    TempFolder folder;
    const std::string existing = folder.file("journal.sqlite");
    writeLongSession(existing);
    chmod(existing.c_str(), 0444);
    chmod(folder.path().c_str(), 0555);
    const int code = asUnprivileged([&] {
        try {
            Journal::open(folder.file("Velmora Tester/journal.sqlite"));
            return 1;
        } catch (const JournalError& e) {
            if (e.fault() != JournalFault::ReadOnly) return 2;
        }
        for (bool readerOnly : {false, true}) {
            JournalOptions options;
            options.readOnly = readerOnly;
            std::unique_ptr<Journal> journal;
            try {
                journal = Journal::open(existing, options);
                if (journal->list().size() != 1 || !journal->session(journal->list()[0].id))
                    return 3;
            } catch (const JournalError& e) {
                std::fprintf(stderr, "%d: %s\n", readerOnly, e.what());
                return 4;  // a journal the user may not write must still read
            }
            try {
                journal->beginSession(chargeStart(0));
                return 5;
            } catch (const JournalError& e) {
                if (e.fault() != JournalFault::ReadOnly) return 6;
            }
        }
        return 0;
    });
    EXPECT_EQ(code, 0);
}

// A reader looks and leaves: no journal made of an empty or foreign file, no file beside.
TEST(JournalFaultTest, ReadersNeverWriteAFile) {
    TempFolder folder;
    const std::string empty = folder.file("empty.sqlite");
    writeFile(empty, "");
    JournalOptions reader;
    reader.create = false;
    reader.readOnly = true;
    try {
        Journal::open(empty, reader);
        FAIL();
    } catch (const JournalError& e) {
        EXPECT_EQ(e.fault(), JournalFault::Corrupt);
    }
    EXPECT_EQ(std::filesystem::file_size(empty), 0u);
    EXPECT_FALSE(std::filesystem::exists(empty + "-wal"));
    EXPECT_FALSE(std::filesystem::exists(empty + "-shm"));

    // An older schema is not upgraded by a reader either.
    const std::string closed = folder.file("closed.sqlite");
    writeLongSession(closed);
    const auto before = std::filesystem::last_write_time(closed);
    const auto size = std::filesystem::file_size(closed);
    Journal::open(closed, reader)->list();
    EXPECT_EQ(std::filesystem::last_write_time(closed), before);
    EXPECT_EQ(std::filesystem::file_size(closed), size);
    EXPECT_FALSE(std::filesystem::exists(closed + "-wal"));
}

// A reader in another process while the window records: the window's journal, its log and
// shared memory stay as they are and recording goes on.
TEST(JournalFaultTest, ReaderInAnotherProcessLeavesTheWindowsJournalAlone) {
    TempFolder folder;
    const std::string path = folder.file("journal.sqlite");
    auto window = Journal::open(path);
    const int64_t id = window->beginSession(chargeStart(0));
    SessionUpdate update;
    for (int i = 0; i < 500; ++i) update.points.push_back({i * 1000, 13.0, 2.0, 2});
    window->write(id, update);
    ASSERT_TRUE(std::filesystem::exists(path + "-shm"));
    const auto logSize = std::filesystem::file_size(path + "-wal");

    const pid_t child = fork();
    if (child == 0) {
        JournalOptions reader;
        reader.create = false;
        reader.readOnly = true;
        try {
            auto journal = Journal::open(path, reader);
            const std::vector<SessionSummary> list = journal->list();
            _exit(list.size() == 1 && journal->session(list[0].id)->points.size() == 500 ? 0 : 1);
        } catch (const JournalError&) {
            _exit(2);
        }
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);

    EXPECT_TRUE(std::filesystem::exists(path + "-shm"));
    EXPECT_EQ(std::filesystem::file_size(path + "-wal"), logSize);  // no checkpoint
    update.points = {{500'000, 13.1, 1.9, 3}};
    window->write(id, update);
    EXPECT_EQ(window->session(id)->points.size(), 501u);
}

TEST(ChargeJournalTest, UnusableJournalIsToldOnceAndTriedAgainNextSession) {
    TempFolder folder;
    const std::string path = folder.file("journal.sqlite");
    writeFile(path, std::string(5000, '\xA5'));
    FakeClock time;
    ChargeJournal journal(path, time.clock(), {}, 10'000);

    journal.observe(connectedTick("Charge Mode"));
    const std::optional<JournalProblem> problem = journal.takeProblem();
    ASSERT_TRUE(problem);
    EXPECT_EQ(problem->fault, JournalFault::Corrupt);
    EXPECT_EQ(problem->message, "Riwayat tidak tersedia: berkas rusak");
    for (int i = 0; i < 30; ++i) {  // monitoring goes on, nothing more to tell
        time.advance(1000);
        journal.observe(connectedTick());
        EXPECT_FALSE(journal.takeProblem());
    }
    journal.forceStop();
    EXPECT_FALSE(journal.recordingSessionId());

    // The same fault at the next session is not told again; a repaired file records.
    journal.observe(connectedTick("Charge Mode"));
    EXPECT_FALSE(journal.takeProblem());
    std::filesystem::remove(path);
    journal.observe(connectedTick("Charge Mode"));
    EXPECT_FALSE(journal.takeProblem());
    ASSERT_TRUE(journal.recordingSessionId());
    for (int i = 0; i < 5; ++i) {
        time.advance(1000);
        journal.observe(connectedTick());
    }
    journal.close();
    const std::vector<SessionSummary> sessions = Journal::open(path)->list();
    ASSERT_EQ(sessions.size(), 1u);
    EXPECT_EQ(sessions[0].stopReason, "appClosed");
    EXPECT_EQ(sessions[0].pointCount, 6);  // the starting tick and five more
}

TEST(ChargeJournalTest, NewerJournalIsToldAndLeftAlone) {
    TempFolder folder;
    const std::string path = folder.file("journal.sqlite");
    Journal::open(path);
    {
        RawDb raw(path);
        raw.exec("INSERT INTO schema_version VALUES (99, 0)");
    }
    FakeClock time;
    ChargeJournal journal(path, time.clock());
    journal.observe(connectedTick("Charge Mode"));
    const std::optional<JournalProblem> problem = journal.takeProblem();
    ASSERT_TRUE(problem);
    EXPECT_EQ(problem->fault, JournalFault::NewerVersion);
    journal.close();
    RawDb raw(path);
    EXPECT_EQ(raw.scalar("SELECT count(*) FROM sessions"), 0);
}

TEST(ChargeJournalTest, LockDuringChargeLosesNothingOnceReleased) {
    TempFolder folder;
    const std::string path = folder.file("journal.sqlite");
    JournalOptions options;
    options.busyTimeoutMs = 0;
    FakeClock time;
    ChargeJournal journal(path, time.clock(), options, 10'000);
    journal.observe(connectedTick("Charge Mode"));
    ASSERT_FALSE(journal.takeProblem());
    auto other = std::make_unique<RawDb>(path);
    ASSERT_EQ(other->exec("BEGIN IMMEDIATE"), SQLITE_OK);
    int told = 0;
    for (int i = 0; i < 25; ++i) {
        time.advance(1000);
        journal.observe(connectedTick());
        told += journal.takeProblem().has_value();
    }
    EXPECT_EQ(told, 1);
    other.reset();  // the other program lets go
    for (int i = 0; i < 10; ++i) {
        time.advance(1000);
        journal.observe(connectedTick());
    }
    journal.close();
    EXPECT_EQ(Journal::open(path)->list().at(0).pointCount, 36);  // every tick, start included
}

}  // namespace
}  // namespace velmora::journal
