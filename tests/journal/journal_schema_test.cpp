// Schema versions: migrations from the first version on, and journals of a newer version.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "journal/ChargeJournal.h"
#include "journal/Journal.h"
#include "journal_fixture.h"

namespace velmora::journal {
namespace {

using testing::chargeStart;
using testing::RawDb;
using testing::TempFolder;

void addNoteColumn(sql::Connection& db) {
    db.exec("ALTER TABLE sessions ADD COLUMN note TEXT NOT NULL DEFAULT ''");
    db.exec("UPDATE sessions SET note = 'migrated'");
}

void brokenStep(sql::Connection& db) {
    db.exec("CREATE TABLE half_done (x INTEGER)");
    db.exec("INSERT INTO no_such_table VALUES (1)");
}

std::vector<Migration> withStep(void (*step)(sql::Connection&)) {
    std::vector<Migration> steps = migrations();
    steps.push_back({latestVersion(migrations()) + 1, step});
    return steps;
}

std::string bytesOf(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// A journal as the first version wrote it, with one session and its points.
int64_t writeVersion1Journal(const std::string& path) {
    static const std::vector<Migration> firstOnly{migrations().front()};
    JournalOptions options;
    options.migrations = &firstOnly;
    auto journal = Journal::open(path, options);
    EXPECT_EQ(journal->schemaVersion(), 1);
    const int64_t id = journal->beginSession(chargeStart(42'000));
    SessionUpdate update;
    update.points = {{0, 12.5, 2.0, 2}, {1000, 12.6, 1.9, 3}};
    update.results.before = TestResult{410, 4.5, 11.02, 12.71, ""};
    update.endMs = 50'000;
    update.stopReason = StopReason::ForceStop;
    journal->write(id, update);
    return id;
}

TEST(JournalSchemaTest, Version1JournalMigratesAndKeepsItsSessions) {
    TempFolder folder;
    const std::string path = folder.file("journal.sqlite");
    const int64_t id = writeVersion1Journal(path);

    const std::vector<Migration> steps = withStep(addNoteColumn);
    JournalOptions options;
    options.migrations = &steps;
    auto journal = Journal::open(path, options);
    EXPECT_EQ(journal->schemaVersion(), latestVersion(steps));
    const std::optional<Session> session = journal->session(id);
    ASSERT_TRUE(session);
    EXPECT_EQ(session->points.size(), 2u);
    EXPECT_EQ(session->summary.stopReason, "forceStop");
    EXPECT_EQ(session->summary.results.before->cca, 410);
    journal.reset();

    RawDb raw(path);
    EXPECT_EQ(raw.text("SELECT note FROM sessions"), "migrated");
    EXPECT_EQ(raw.scalar("SELECT count(*) FROM schema_version"), latestVersion(steps));
}

TEST(JournalSchemaTest, FailedMigrationLeavesThePreviousVersionWhole) {
    TempFolder folder;
    const std::string path = folder.file("journal.sqlite");
    const int64_t id = writeVersion1Journal(path);

    const std::vector<Migration> steps = withStep(brokenStep);
    JournalOptions options;
    options.migrations = &steps;
    EXPECT_THROW(Journal::open(path, options), JournalError);

    RawDb raw(path);
    // Each step is whole or not at all: the good ones stay, the broken one left nothing.
    EXPECT_EQ(raw.scalar("SELECT max(version) FROM schema_version"), latestVersion(migrations()));
    EXPECT_EQ(raw.scalar("SELECT count(*) FROM sqlite_master WHERE name = 'half_done'"), 0);
    EXPECT_EQ(Journal::open(path)->session(id)->points.size(), 2u);
}

// A certificate kept with a session reads back as printed; an older journal read as it
// stands has none and reads whole; the upgrade keeps its sessions; deleting a session takes
// its certificate along.
TEST(JournalSchemaTest, CertificatesAreKeptWithTheirSessionAndOlderJournalsStillOpen) {
    TempFolder folder;
    const std::string path = folder.file("journal.sqlite");
    const int64_t old = writeVersion1Journal(path);
    JournalOptions reading;
    reading.readOnly = true;
    EXPECT_FALSE(Journal::open(path, reading)->certificate(old));

    auto journal = Journal::open(path);  // upgrades
    ASSERT_EQ(journal->list().size(), 1u);
    EXPECT_FALSE(journal->certificate(old));
    const KeptCertificate kept{{"SN 4471", "Budi", "INV/118", false}, "velmora-certificate 1\n"};
    journal->keepCertificate(old, kept);
    const std::optional<KeptCertificate> back = Journal::open(path, reading)->certificate(old);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->job, kept.job);
    EXPECT_EQ(back->qrText, kept.qrText);
    KeptCertificate again = kept;
    again.job.inVehicle.reset();
    journal->keepCertificate(old, again);  // printed again: the later one is kept
    EXPECT_FALSE(journal->certificate(old)->job.inVehicle);
    EXPECT_TRUE(journal->remove(old));
    EXPECT_EQ(RawDb(path).scalar("SELECT count(*) FROM certificates"), 0);
}

// A charge first seen part-way keeps its mark; a first-version journal, read as it stands
// by a reader that never migrates, has none and reads whole.
TEST(JournalSchemaTest, JoinedMidChargeMarkIsKeptAndOlderJournalsReadWithoutIt) {
    TempFolder folder;
    const std::string path = folder.file("journal.sqlite");
    const int64_t old = writeVersion1Journal(path);
    JournalOptions reading;
    reading.readOnly = true;
    {
        auto reader = Journal::open(path, reading);
        EXPECT_EQ(reader->schemaVersion(), 1);
        ASSERT_EQ(reader->list().size(), 1u);
        EXPECT_FALSE(reader->session(old)->summary.start.joinedMidCharge);
    }
    SessionStart joined = chargeStart(60'000);
    joined.joinedMidCharge = true;
    const int64_t id = Journal::open(path)->beginSession(joined);  // upgrades, then writes
    auto reader = Journal::open(path, reading);
    EXPECT_EQ(reader->schemaVersion(), latestVersion(migrations()));
    EXPECT_TRUE(reader->session(id)->summary.start.joinedMidCharge);
    EXPECT_FALSE(reader->session(old)->summary.start.joinedMidCharge);
}

// An older program may share the file: looking at it, and a window that has not recorded
// yet, leave it at its version; the first session recorded upgrades it.
TEST(JournalSchemaTest, Version1JournalIsUpgradedAtTheFirstWriteOnly) {
    TempFolder folder;
    const std::string path = folder.file("journal.sqlite");
    writeVersion1Journal(path);
    JournalOptions browsing;
    browsing.create = false;
    browsing.readOnly = true;
    EXPECT_EQ(Journal::open(path, browsing)->list().size(), 1u);
    testing::FakeClock time;
    ChargeJournal window(path, time.clock());
    window.observe(testing::connectedTick());  // monitoring, nothing to record yet
    EXPECT_EQ(RawDb(path).scalar("SELECT max(version) FROM schema_version"), 1);
    EXPECT_FALSE(std::filesystem::exists(path + "-wal"));

    window.observe(testing::connectedTick("Charge Mode"));
    EXPECT_FALSE(window.takeProblem());
    EXPECT_EQ(RawDb(path).scalar("SELECT max(version) FROM schema_version"),
              latestVersion(migrations()));
}

TEST(JournalSchemaTest, NewerJournalOpensReadOnlyAndIsNeverWritten) {
    TempFolder folder;
    const std::string path = folder.file("journal.sqlite");
    const int64_t id = writeVersion1Journal(path);
    {
        RawDb raw(path);
        ASSERT_EQ(raw.exec("INSERT INTO schema_version VALUES (99, 0)"), SQLITE_OK);
        ASSERT_EQ(raw.exec("PRAGMA wal_checkpoint(TRUNCATE)"), SQLITE_OK);
    }
    const std::string before = bytesOf(path);

    auto journal = Journal::open(path);
    EXPECT_TRUE(journal->readOnly());
    EXPECT_TRUE(journal->newerVersion());
    EXPECT_EQ(journal->schemaVersion(), 99);
    EXPECT_EQ(journal->list().size(), 1u);  // still readable
    try {
        journal->beginSession(chargeStart(1));
        FAIL() << "wrote into a newer journal";
    } catch (const JournalError& e) {
        EXPECT_EQ(e.fault(), JournalFault::NewerVersion);
    }
    EXPECT_THROW(journal->remove(id), JournalError);
    journal.reset();
    EXPECT_EQ(bytesOf(path), before);
}

TEST(JournalSchemaTest, DatabaseOfAnotherProgramIsNotTakenOver) {
    TempFolder folder;
    const std::string path = folder.file("journal.sqlite");
    {
        RawDb raw(path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
        raw.exec("CREATE TABLE customers (name TEXT)");
    }
    try {
        Journal::open(path);
        FAIL() << "opened a foreign database";
    } catch (const JournalError& e) {
        EXPECT_EQ(e.fault(), JournalFault::Corrupt);
    }
    RawDb raw(path);
    EXPECT_EQ(raw.scalar("SELECT count(*) FROM sqlite_master"), 1);
}

}  // namespace
}  // namespace velmora::journal
