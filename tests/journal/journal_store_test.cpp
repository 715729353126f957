// Sessions and points written, read back, listed, filtered and deleted.
#include <gtest/gtest.h>

#include <algorithm>

#include "journal/Journal.h"
#include "journal_fixture.h"

namespace velmora::journal {
namespace {

using testing::chargeStart;
using testing::RawDb;
using testing::TempFolder;

constexpr int64_t kHourMs = 3'600'000;

std::vector<Point> rampPoints(int64_t firstOffsetMs, int count) {
    std::vector<Point> points;
    for (int i = 0; i < count; ++i)
        points.push_back(
            Point{firstOffsetMs + i * 1000, (1200 + i) / 100.0, (2500 - i) / 1000.0, 2 + i % 3});
    return points;
}

TEST(JournalStoreTest, OpenSetsWriteAheadLogAndFirstSchema) {
    TempFolder folder;
    const std::string path = folder.file("Velmora Tester/journal.sqlite");  // folder made too
    auto journal = Journal::open(path);
    EXPECT_FALSE(journal->readOnly());
    EXPECT_EQ(journal->schemaVersion(), latestVersion(migrations()));
    RawDb raw(path);
    EXPECT_EQ(raw.text("PRAGMA journal_mode"), "wal");
    EXPECT_EQ(raw.scalar("SELECT max(version) FROM schema_version"), journal->schemaVersion());
}

TEST(JournalStoreTest, SessionWrittenInBatchesReadsBackExactly) {
    TempFolder folder;
    auto journal = Journal::open(folder.file("journal.sqlite"));
    const int64_t id = journal->beginSession(chargeStart(1'000'000));

    SessionUpdate first;
    first.points = rampPoints(0, 10);
    first.points[3] = Point{3000, 13.25, 0.005, 2};  // the charger's resolution, exactly
    first.points[4] = Point{4000, -0.01, -1.234, 0};
    first.results.before = TestResult{410, 4.5, 11.02, 12.71, ""};
    journal->write(id, first);

    SessionUpdate second;
    second.points = rampPoints(10'000, 5);
    second.results.after = TestResult{480, 3.9, 11.6, 13.1, "GOOD"};
    Profile changed = chargeStart(0).profile;
    changed.mode = "2";
    changed.modeText = "Fast Mode";
    second.profile = changed;
    second.endMs = 1'000'000 + 2 * kHourMs;
    second.stopReason = StopReason::Finished;
    journal->write(id, second);

    const std::optional<Session> session = journal->session(id);
    ASSERT_TRUE(session);
    const SessionSummary& s = session->summary;
    EXPECT_EQ(s.start.deviceName, "VELMORA-CH1");
    EXPECT_EQ(s.start.utcOffsetMinutes, 420);
    EXPECT_EQ(s.start.profile, changed);
    EXPECT_EQ(s.stopReason, "finished");
    EXPECT_EQ(s.durationMs(), 2 * kHourMs);
    ASSERT_TRUE(s.results.before && s.results.after);
    EXPECT_FALSE(s.results.test);
    EXPECT_EQ(s.results.before->cca, 410);
    EXPECT_DOUBLE_EQ(s.results.before->diagVoltage, 11.02);
    EXPECT_EQ(s.results.after->status, "GOOD");
    EXPECT_EQ(s.pointCount, 15);
    EXPECT_EQ(s.lastPointMs, 14'000);

    ASSERT_EQ(session->points.size(), 15u);
    std::vector<Point> expected = first.points;
    expected.insert(expected.end(), second.points.begin(), second.points.end());
    for (size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(session->points[i].offsetMs, expected[i].offsetMs);
        EXPECT_EQ(session->points[i].voltage, expected[i].voltage);
        EXPECT_EQ(session->points[i].current, expected[i].current);
        EXPECT_EQ(session->points[i].stage, expected[i].stage);
    }
}

// The charger's readings are kept as sent; one too large for the point table is kept at the
// table's limit, with its sign, never as a number of the wrong sign.
TEST(JournalStoreTest, ReadingsBeyondThePointTableKeepTheirSign) {
    TempFolder folder;
    auto journal = Journal::open(folder.file("journal.sqlite"));
    const int64_t id = journal->beginSession(chargeStart(1'000'000));
    SessionUpdate update;
    update.points = {Point{0, 1e298, -1e298, 2}, Point{1000, -1.7e306, 1.7e305, 7},
                     Point{2000, 1000.0, -5000.0, -1}};
    journal->write(id, update);
    const std::vector<Point> points = journal->session(id)->points;
    ASSERT_EQ(points.size(), 3u);
    EXPECT_DOUBLE_EQ(points[0].voltage, 9.2e16);
    EXPECT_DOUBLE_EQ(points[0].current, -9.2e15);
    EXPECT_DOUBLE_EQ(points[1].voltage, -9.2e16);
    EXPECT_DOUBLE_EQ(points[1].current, 9.2e15);
    EXPECT_EQ(points[1].stage, 7);
    EXPECT_DOUBLE_EQ(points[2].voltage, 1000.0);
    EXPECT_DOUBLE_EQ(points[2].current, -5000.0);
    EXPECT_EQ(points[2].stage, -1);
}

TEST(JournalStoreTest, OpenSessionHasNoEndAndLastsToItsLastPoint) {
    TempFolder folder;
    auto journal = Journal::open(folder.file("journal.sqlite"));
    const int64_t id = journal->beginSession(chargeStart(5'000));
    SessionUpdate update;
    update.points = rampPoints(0, 30);
    journal->write(id, update);
    const SessionSummary s = *journal->summary(id);
    EXPECT_FALSE(s.endMs);
    EXPECT_EQ(s.stopReason, "");
    EXPECT_EQ(s.durationMs(), 29'000);
    EXPECT_FALSE(journal->summary(id + 1));
}

struct ListCase {
    const char* name;
    ListQuery query;
    std::vector<int> expected;  // positions in the fixture below, newest first
};

class JournalListTest : public ::testing::TestWithParam<ListCase> {};

TEST_P(JournalListTest, SelectsNewestFirst) {
    TempFolder folder;
    auto journal = Journal::open(folder.file("journal.sqlite"));
    // 0: 2025-03-01 10:00 WIB, Yuasa, GOOD.  1: 2025-03-01 23:30 WIB (16:30 UTC), GS, 100%.
    // 2: 2025-03-02 00:30 WIB (2025-03-01 17:30 UTC), test, WEAK. 3: 2025-03-05, other.
    // Bays: 0 and 3 in "Rak 1", 1 in "Rak 10", 2 in none.
    const int64_t march1 = 1'740'787'200'000;  // 2025-03-01 00:00 UTC
    const int64_t wib = 7 * kHourMs;
    std::vector<int64_t> ids;
    auto add = [&](int64_t localMs, const char* brand, SessionKind kind, const char* status,
                   const char* bay) {
        SessionStart start = chargeStart(localMs - wib);
        start.kind = kind;
        start.profile.brand = brand;
        start.bayLabel = bay;
        const int64_t id = journal->beginSession(start);
        SessionUpdate update;
        (kind == SessionKind::Test ? update.results.test : update.results.after) =
            TestResult{300, 5.0, 11.0, 12.8, status};
        journal->write(id, update);
        ids.push_back(id);
    };
    add(march1 + 10 * kHourMs, "Yuasa", SessionKind::Charge, "GOOD", "Rak 1");
    add(march1 + 23 * kHourMs + kHourMs / 2, "GSAstra", SessionKind::Charge, "100%_OK", "Rak 10");
    add(march1 + 24 * kHourMs + kHourMs / 2, "Zentor", SessionKind::Test, "WEAK", "");
    add(march1 + 4 * 24 * kHourMs, "Other", SessionKind::Charge, "RECHARGE", "Rak 1");

    const ListCase& c = GetParam();
    ListQuery query = c.query;
    if (query.fromLocalMs) query.fromLocalMs = march1 + *query.fromLocalMs;
    if (query.toLocalMs) query.toLocalMs = march1 + *query.toLocalMs;
    std::vector<int> got;
    for (const SessionSummary& s : journal->list(query))
        got.push_back(static_cast<int>(std::find(ids.begin(), ids.end(), s.id) - ids.begin()));
    EXPECT_EQ(got, c.expected);
}

ListQuery textQuery(const char* text) {
    ListQuery q;
    q.text = text;
    return q;
}
ListQuery localDays(int64_t fromDay, int64_t toDay) {  // whole local days after 2025-03-01
    ListQuery q;
    q.fromLocalMs = fromDay * 24 * kHourMs;
    q.toLocalMs = (toDay + 1) * 24 * kHourMs - 1;
    return q;
}
ListQuery bay(const char* label, const char* text = "") {
    ListQuery q;
    q.bayLabel = label;
    q.text = text;
    return q;
}
ListQuery bayOnDays(const char* label, int64_t fromDay, int64_t toDay) {
    ListQuery q = localDays(fromDay, toDay);
    q.bayLabel = label;
    return q;
}
ListQuery page(int limit, int offset) {
    ListQuery q;
    q.limit = limit;
    q.offset = offset;
    return q;
}

INSTANTIATE_TEST_SUITE_P(
    Queries, JournalListTest,
    ::testing::Values(
        ListCase{"all", {}, {3, 2, 1, 0}}, ListCase{"brand_any_case", textQuery("yuAsa"), {0}},
        ListCase{"status", textQuery("weak"), {2}}, ListCase{"kind", textQuery("test"), {2}},
        ListCase{"device_in_every_row", textQuery("velmora-ch1"), {3, 2, 1, 0}},
        ListCase{"every_word_must_match", textQuery("vario GSAstra"), {1}},
        ListCase{"percent_is_literal", textQuery("0%_"), {1}},
        ListCase{"underscore_is_literal", textQuery("A_C"), {}},
        ListCase{"local_first_day", localDays(0, 0), {1, 0}},
        ListCase{"local_second_day", localDays(1, 1), {2}},
        ListCase{"range_of_days", localDays(1, 4), {3, 2}}, ListCase{"page", page(2, 1), {2, 1}},
        ListCase{"bay_whole_label_only", bay("Rak 1"), {3, 0}},
        ListCase{"bay_of_one", bay("Rak 10"), {1}},
        ListCase{"sessions_without_a_bay", bay(""), {2}},
        ListCase{"bay_label_case_counts", bay("rak 1"), {}},
        ListCase{"bay_is_no_pattern", bay("Rak %"), {}},
        ListCase{"bay_and_words", bay("Rak 1", "recharge"), {3}},
        ListCase{"bay_and_days", bayOnDays("Rak 1", 0, 1), {0}},
        ListCase{"words_find_the_bay", textQuery("rak"), {3, 1, 0}}),
    [](const ::testing::TestParamInfo<ListCase>& info) { return info.param.name; });

TEST(JournalStoreTest, DeleteTakesThePointsWithIt) {
    TempFolder folder;
    const std::string path = folder.file("journal.sqlite");
    auto journal = Journal::open(path);
    const int64_t kept = journal->beginSession(chargeStart(1000));
    const int64_t gone = journal->beginSession(chargeStart(2000));
    SessionUpdate update;
    update.points = rampPoints(0, 20);
    journal->write(kept, update);
    journal->write(gone, update);

    EXPECT_TRUE(journal->remove(gone));
    EXPECT_FALSE(journal->remove(gone));
    EXPECT_FALSE(journal->session(gone));
    RawDb raw(path);
    EXPECT_EQ(raw.scalar("SELECT count(*) FROM points"), 20);
    EXPECT_EQ(journal->session(kept)->points.size(), 20u);
    // A batch for a deleted session fails instead of leaving orphan points.
    EXPECT_THROW(journal->write(gone, update), JournalError);
    EXPECT_EQ(raw.scalar("SELECT count(*) FROM points"), 20);
}

}  // namespace
}  // namespace velmora::journal
