// CSV export read back as a spreadsheet would, and local calendar texts.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "journal/CsvExport.h"
#include "journal/WallTime.h"
#include "journal_fixture.h"

namespace velmora::journal {
namespace {

using Rows = std::vector<std::vector<std::string>>;

// A plain RFC 4180 reader: quoted fields, doubled quotes, CR LF rows.
Rows readCsv(const std::string& text, char separator) {
    Rows rows(1);
    std::string cell;
    bool quoted = false, wasQuoted = false;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                cell += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                cell += c;
            }
        } else if (c == '"' && cell.empty() && !wasQuoted) {
            quoted = wasQuoted = true;
        } else if (c == separator) {
            rows.back().push_back(cell);
            cell.clear();
            wasQuoted = false;
        } else if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            rows.back().push_back(cell);
            cell.clear();
            wasQuoted = false;
            rows.emplace_back();
            ++i;
        } else {
            cell += c;
        }
    }
    if (rows.back().empty()) rows.pop_back();
    return rows;
}

Session sampleSession() {
    Session s;
    s.summary.id = 7;
    s.summary.start = testing::chargeStart(1'740'787'200'000);  // 2025-03-01 00:00 UTC
    s.summary.start.profile.name = "=HYPERLINK(\"x\"); Pak Budi";
    s.summary.start.bayLabel = "Rak 2; kiri";
    s.summary.endMs = s.summary.start.startMs + 3'725'000;
    s.summary.stopReason = "finished";
    s.summary.results.after = TestResult{480, 3.91, 11.6, 13.1, "GOOD; \"full\""};
    s.points = {{0, 12.45, 0.0, 1}, {1500, 13.25, 2.505, 2}, {3'725'000, 14.7, 0.08, 4}};
    s.summary.pointCount = 3;
    return s;
}

constexpr const char* kBom = "\xEF\xBB\xBF";

TEST(CsvExportTest, PointsRoundTripUnderACommaDecimalSeparator) {
    const NumberFormat comma{','};
    const Session session = sampleSession();
    std::ostringstream out;
    writePointsCsv(out, session, comma);
    const std::string text = out.str();
    ASSERT_EQ(text.rfind(kBom, 0), 0u);
    const Rows rows = readCsv(text.substr(3), ';');

    ASSERT_EQ(rows.size(), 1 + session.points.size());
    EXPECT_EQ(rows[0], (std::vector<std::string>{"Session", "Time", "Seconds", "Stage",
                                                 "Voltage (V)", "Current (A)", "Bay"}));
    for (size_t i = 0; i < session.points.size(); ++i) {
        SCOPED_TRACE(i);
        const std::vector<std::string>& row = rows[i + 1];
        ASSERT_EQ(row.size(), 7u);
        EXPECT_EQ(row[6], "Rak 2; kiri");
        const Point& p = session.points[i];
        EXPECT_EQ(row[0], "7");
        EXPECT_EQ(parseReal(row[2], comma), p.offsetMs / 1000.0);
        EXPECT_EQ(parseInteger(row[3]), p.stage);
        EXPECT_EQ(parseReal(row[4], comma), p.voltage);
        EXPECT_EQ(parseReal(row[5], comma), p.current);
    }
    EXPECT_EQ(rows[2][4], "13,25");
    EXPECT_EQ(rows[1][1], "2025-03-01 07:00:00");  // the workshop's clock, +07:00
    EXPECT_EQ(rows[3][1], "2025-03-01 08:02:05");
}

TEST(CsvExportTest, SessionRowsQuoteTextAndDefuseFormulas) {
    for (const NumberFormat format : {NumberFormat{','}, NumberFormat{'.'}}) {
        SCOPED_TRACE(format.decimalSeparator);
        const char separator = format.decimalSeparator == ',' ? ';' : ',';
        EXPECT_EQ(fieldSeparator(format), separator);
        Session other = sampleSession();
        other.summary.id = 8;
        other.summary.start.bayLabel = "=Rak 3";
        other.summary.endMs.reset();
        other.summary.stopReason.clear();
        other.summary.results = {};
        other.summary.lastPointMs = 90'500;
        std::ostringstream out;
        writeSessionsCsv(out, {sampleSession().summary, other.summary}, format);
        const Rows rows = readCsv(out.str().substr(3), separator);
        ASSERT_EQ(rows.size(), 3u);
        for (const auto& row : rows) ASSERT_EQ(row.size(), rows[0].size());
        auto column = [&](const char* name) {
            return static_cast<size_t>(std::find(rows[0].begin(), rows[0].end(), name) -
                                       rows[0].begin());
        };
        const std::vector<std::string>& done = rows[1];
        EXPECT_EQ(done[column("Profile name")], "'=HYPERLINK(\"x\"); Pak Budi");
        EXPECT_EQ(done[column("After status")], "GOOD; \"full\"");
        EXPECT_EQ(parseReal(done[column("After iR (mOhm)")], format), 3.91);
        EXPECT_EQ(done[column("Duration (s)")], "3725");
        EXPECT_EQ(done[column("End")], "2025-03-01 08:02:05");
        EXPECT_EQ(done[column("Before CCA")], "");
        const std::vector<std::string>& open = rows[2];
        EXPECT_EQ(open[column("End")], "");
        EXPECT_EQ(open[column("Stop reason")], "");
        EXPECT_EQ(parseReal(open[column("Duration (s)")], format), 90.5);
        EXPECT_EQ(open[column("After CCA")], "");
        // The bay came after the other columns: it is the last, so readers of the columns
        // by their place find them where they always were.
        EXPECT_EQ(rows[0].back(), "Bay");
        EXPECT_EQ(rows[0][rows[0].size() - 2], "Points");
        EXPECT_EQ(done.back(), "Rak 2; kiri");
        EXPECT_EQ(open.back(), "'=Rak 3");
    }
}

struct WallCase {
    int64_t utcMs;
    int offset;
    const char* iso;
};

TEST(WallTimeTest, LocalTextsOfUtcInstants) {
    const WallCase cases[] = {
        {0, 0, "1970-01-01T00:00:00+00:00"},
        {1'740'787'200'000, 420, "2025-03-01T07:00:00+07:00"},
        {1'740'787'200'000, -210, "2025-02-28T20:30:00-03:30"},  // across a month end
        {951'782'400'000 - 1, 0, "2000-02-28T23:59:59+00:00"},   // leap year, before the day
        {951'782'400'000, 0, "2000-02-29T00:00:00+00:00"},
        {-1000, 0, "1969-12-31T23:59:59+00:00"},
    };
    for (const WallCase& c : cases) {
        SCOPED_TRACE(c.iso);
        EXPECT_EQ(isoLocalTime(c.utcMs, c.offset), c.iso);
        EXPECT_EQ(localDateTime(c.utcMs, c.offset),
                  std::string(c.iso, 10) + " " + std::string(c.iso + 11, 8));
    }
}

TEST(WallTimeTest, LocalDatesParseOnlyWhenReal) {
    EXPECT_EQ(parseLocalDate("1970-01-01"), 0);
    EXPECT_EQ(parseLocalDate("2025-03-01"), int64_t{1'740'787'200'000});
    EXPECT_EQ(parseLocalDate("2024-02-29"), int64_t{1'709'164'800'000});
    for (const char* bad : {"2025-02-29", "2025-13-01", "2025-00-10", "2025-3-01", "2025/03/01",
                            "2025-03-01x", "", "abcd-ef-gh"}) {
        SCOPED_TRACE(bad);
        EXPECT_FALSE(parseLocalDate(bad));
    }
}

}  // namespace
}  // namespace velmora::journal
