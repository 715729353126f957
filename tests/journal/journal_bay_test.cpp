// Sessions of several chargers watched at once, each kept with its bay's label: the upgrade
// of a journal kept before bays had labels, the label read back everywhere it shows, and
// two bays recording into the same file side by side.
#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <thread>
#include <vector>

#include "journal/ChargeJournal.h"
#include "journal/Journal.h"
#include "journal/SessionJson.h"
#include "journal/SessionReceipt.h"
#include "journal_fixture.h"

namespace velmora::journal {
namespace {

using testing::chargeStart;
using testing::connectedTick;
using testing::FakeClock;
using testing::RawDb;
using testing::TempFolder;

// The steps up to the version before bay labels.
const std::vector<Migration>& stepsBeforeBays() {
    static const std::vector<Migration> steps(migrations().begin(), migrations().begin() + 3);
    return steps;
}

// A journal as the version before bay labels wrote it: a finished charge with points and a
// kept certificate, and a test.
struct OlderJournal {
    int64_t charge = 0, test = 0;
};
OlderJournal writeVersion3Journal(const std::string& path) {
    JournalOptions options;
    options.migrations = &stepsBeforeBays();
    auto journal = Journal::open(path, options);
    EXPECT_EQ(journal->schemaVersion(), 3);
    OlderJournal kept;
    kept.charge = journal->beginSession(chargeStart(1'765'000'000'000));
    SessionUpdate update;
    update.points = {{0, 12.5, 2.0, 2}, {1000, 12.61, 1.9, 3}, {2000, 14.4, 0.2, 6}};
    update.results.after = TestResult{455, 3.8, 11.64, 13.12, "GOOD"};
    update.endMs = 1'765'000'003'000;
    update.stopReason = StopReason::Finished;
    journal->write(kept.charge, update);
    journal->keepCertificate(kept.charge, {{"SN 1", "Budi", "INV/1", true}, "velmora-cert"});
    SessionStart test = chargeStart(1'765'000'100'000);
    test.kind = SessionKind::Test;
    kept.test = journal->beginSession(test);
    return kept;
}

TickObservation bayTick(const char* word, const char* address, const char* label) {
    TickObservation tick = connectedTick(word);
    tick.context.deviceAddress = address;
    tick.context.bayLabel = label;
    return tick;
}

// Browsing a journal kept before bays leaves it as it is and lists every session without a
// bay; the first session of a bay upgrades it, and the older sessions, their points and
// their certificate are all still there, without a bay.
TEST(JournalBayTest, Version3JournalBrowsesAsItStandsAndTheFirstBaySessionUpgradesIt) {
    TempFolder folder;
    const std::string path = folder.file("journal.sqlite");
    const OlderJournal kept = writeVersion3Journal(path);
    {
        JournalOptions browsing;
        browsing.create = false;
        browsing.readOnly = true;
        auto reader = Journal::open(path, browsing);
        EXPECT_EQ(reader->schemaVersion(), 3);
        const std::vector<SessionSummary> all = reader->list();
        ASSERT_EQ(all.size(), 2u);
        for (const SessionSummary& s : all) EXPECT_EQ(s.start.bayLabel, "");
        ListQuery noBay;
        noBay.bayLabel = "";
        EXPECT_EQ(reader->list(noBay).size(), 2u);
        ListQuery rak1;
        rak1.bayLabel = "Rak 1";
        EXPECT_TRUE(reader->list(rak1).empty());
        ListQuery words;
        words.text = "yuasa good";
        EXPECT_EQ(reader->list(words).size(), 1u);
    }
    EXPECT_EQ(RawDb(path).scalar("SELECT max(version) FROM schema_version"), 3);

    FakeClock time;
    ChargeJournal bay(path, time.clock());
    bay.observe(bayTick("Charge Mode", "00:11:22:33:44:66", "Rak 1"));
    time.advance(1000);
    bay.observe(bayTick("", "00:11:22:33:44:66", "Rak 1"));
    bay.close();
    EXPECT_FALSE(bay.takeProblem());

    auto journal = Journal::open(path);
    EXPECT_EQ(journal->schemaVersion(), latestVersion(migrations()));
    const std::vector<SessionSummary> all = journal->list();
    ASSERT_EQ(all.size(), 3u);
    EXPECT_EQ(all[0].start.bayLabel, "Rak 1");
    const std::optional<Session> charge = journal->session(kept.charge);
    ASSERT_TRUE(charge);
    EXPECT_EQ(charge->summary.start.bayLabel, "");
    EXPECT_EQ(charge->points.size(), 3u);
    EXPECT_EQ(charge->points[1].voltage, 12.61);
    EXPECT_EQ(charge->summary.results.after->status, "GOOD");
    EXPECT_EQ(charge->summary.stopReason, "finished");
    ASSERT_TRUE(journal->certificate(kept.charge));
    EXPECT_EQ(journal->certificate(kept.charge)->qrText, "velmora-cert");
    EXPECT_EQ(journal->summary(kept.test)->start.kind, SessionKind::Test);
    ListQuery noBay;
    noBay.bayLabel = "";
    EXPECT_EQ(journal->list(noBay).size(), 2u);
}

// Whatever the user named the bay (any script, quotes, a formula's sign, spaces) comes
// back exactly: in the list, the session, the tool's JSON and the receipt.
TEST(JournalBayTest, LabelReadsBackAsTypedInEveryView) {
    TempFolder folder;
    const std::string path = folder.file("journal.sqlite");
    const std::string labels[] = {"Rak 1", "Rak \"Kiri\" atas", "=1+1", " rak spasi ",
                                  "\xE6\x9E\xB6 3"};
    auto journal = Journal::open(path);
    for (const std::string& label : labels) {
        SCOPED_TRACE(label);
        SessionStart start = chargeStart(1'765'000'000'000);
        start.bayLabel = label;
        const int64_t id = journal->beginSession(start);
        EXPECT_EQ(journal->summary(id)->start.bayLabel, label);
        EXPECT_EQ(journal->session(id)->summary.start.bayLabel, label);
        ListQuery bay;
        bay.bayLabel = label;
        const std::vector<SessionSummary> found = journal->list(bay);
        ASSERT_EQ(found.size(), 1u);
        EXPECT_EQ(found[0].id, id);
    }
    SessionSummary s = journal->list().front();
    s.start.bayLabel = "Rak \"Kiri\" atas";
    EXPECT_NE(summaryJson(s).find(R"("bayLabel": "Rak \"Kiri\" atas")"), std::string::npos)
        << summaryJson(s);
    s.start.bayLabel.clear();
    EXPECT_NE(summaryJson(s).find(R"("bayLabel": "")"), std::string::npos);
}

// Each bay has its own recorder on the same file: two charges recorded side by side stay
// two whole sessions, each with its bay, its charger and its own points.
TEST(JournalBayTest, TwoBaysRecordSideBySideIntoOneFile) {
    TempFolder folder;
    const std::string path = folder.file("journal.sqlite");
    FakeClock time;
    ChargeJournal rak1(path, time.clock(), {}, 2000);
    ChargeJournal rak2(path, time.clock(), {}, 3000);
    rak1.observe(bayTick("Charge Mode", "00:00:00:00:00:01", "Rak 1"));
    rak2.observe(bayTick("Test Mode", "00:00:00:00:00:02", "Rak 2"));
    for (int second = 1; second <= 20; ++second) {
        time.advance(1000);
        TickObservation one = bayTick("", "00:00:00:00:00:01", "Rak 1");
        one.chargeVoltage = 13.0 + second / 100.0;
        rak1.observe(one);
        TickObservation two = bayTick("", "00:00:00:00:00:02", "Rak 2");
        two.chargeVoltage = 12.0;
        rak2.observe(two);
    }
    ASSERT_TRUE(rak1.recordingSessionId());
    ASSERT_TRUE(rak2.recordingSessionId());
    EXPECT_NE(*rak1.recordingSessionId(), *rak2.recordingSessionId());
    rak1.close();
    rak2.close();
    EXPECT_FALSE(rak1.takeProblem());
    EXPECT_FALSE(rak2.takeProblem());

    auto journal = Journal::open(path);
    for (const char* label : {"Rak 1", "Rak 2"}) {
        SCOPED_TRACE(label);
        ListQuery bay;
        bay.bayLabel = label;
        const std::vector<SessionSummary> found = journal->list(bay);
        ASSERT_EQ(found.size(), 1u);
        const Session session = *journal->session(found[0].id);
        EXPECT_EQ(session.summary.stopReason, "appClosed");
        EXPECT_EQ(session.points.size(), 21u);  // the start tick's and twenty more
        const bool first = std::string(label) == "Rak 1";
        EXPECT_EQ(session.summary.start.deviceAddress,
                  first ? "00:00:00:00:00:01" : "00:00:00:00:00:02");
        EXPECT_EQ(session.summary.start.kind, first ? SessionKind::Charge : SessionKind::Test);
        EXPECT_EQ(session.points.back().voltage, first ? 13.2 : 12.0);
    }
}

// A bay's kept receipt names the bay below the profile; one without a bay prints as the
// receipt always did, byte for byte.
TEST(JournalBayTest, KeptReceiptNamesItsBay) {
    SessionSummary charge;
    charge.start = chargeStart(1'765'370'000'000);
    charge.endMs = charge.start.startMs + 60'000;
    SessionSummary test = charge;
    test.start.kind = SessionKind::Test;
    for (const SessionSummary& plain : {charge, test}) {
        SCOPED_TRACE(kindName(plain.start.kind));
        const printing::ReceiptLocale locale;
        const std::vector<std::string> without =
            sessionReceiptChunks(plain, locale, {"L", "V", "I"});
        SessionSummary inBay = plain;
        inBay.start.bayLabel = "Rak 2\x1B\x69";  // a control character never reaches the printer
        const std::vector<std::string> with = sessionReceiptChunks(inBay, locale, {"L", "V", "I"});
        ASSERT_EQ(with.size(), without.size());
        for (size_t i = 0; i < with.size(); ++i) {
            if (i == 3) continue;  // the profile's block, looked at below
            EXPECT_EQ(with[i], without[i]) << i;
        }
        const std::string bayLine = "RAK          : Rak 2 i\x1B\x0D\x0A";
        const size_t at = with[3].find(bayLine);
        ASSERT_NE(at, std::string::npos) << with[3];
        EXPECT_EQ(with[3].substr(0, at) + with[3].substr(at + bayLine.size()), without[3]);
        EXPECT_LT(with[3].find("CAPACITY"), at);  // below the profile's lines
    }
}

// Several chargers' recorders start at the same moment (the bench at start-up): every one
// of them gets the new journal, none takes it for a foreign file or a locked one.
TEST(JournalOpenTogetherTest, RecordersOpeningANewJournalAtOnceAllGetIt) {
    TempFolder folder;
    for (int round = 0; round < 60; ++round) {
        const std::string path = folder.file("together" + std::to_string(round) + ".sqlite");
        std::atomic<bool> go{false};
        std::atomic<int> opened{0};
        std::vector<std::string> failures(4);
        std::vector<std::thread> recorders;
        for (int r = 0; r < 4; ++r)
            recorders.emplace_back([&, r] {
                while (!go) std::this_thread::yield();
                try {
                    JournalOptions writing;
                    writing.busyTimeoutMs = 10000;
                    if (Journal::open(path, writing)) ++opened;
                } catch (const JournalError& e) {
                    failures[static_cast<size_t>(r)] = e.what();
                }
            });
        go = true;
        for (std::thread& t : recorders) t.join();
        ASSERT_EQ(opened, 4) << "round " << round << ": " << failures[0] << failures[1]
                             << failures[2] << failures[3];
    }
}

}  // namespace
}  // namespace velmora::journal
