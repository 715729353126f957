// A kept session printed again: its own results, profile and end time on the receipt.
#include <gtest/gtest.h>

#include "journal/SessionCertificate.h"
#include "journal/SessionReceipt.h"
#include "journal_fixture.h"

namespace velmora::journal {
namespace {

using testing::chargeStart;

SessionSummary keptCharge() {
    SessionSummary s;
    s.id = 7;
    s.start = chargeStart(1'765'370'000'000);  // 2025-12-10 12:33:20 UTC, 19:33:20 in Jakarta
    s.endMs = s.start.startMs + 3'725'000;
    s.stopReason = "finished";
    s.results.before = TestResult{410, 4.5, 11.02, 12.71, ""};
    s.results.after = TestResult{455, 3.8, 11.64, 13.12, "GOOD"};
    return s;
}

printing::ReceiptLocale commaLocale() {
    printing::ReceiptLocale locale;
    locale.number.decimalSeparator = ',';
    locale.time.dateSeparator = ".";
    locale.time.longTimeFormat = "HH:mm:ss";
    return locale;
}

TEST(SessionReceiptTest, ChargeReceiptHoldsTheSessionsResultsProfileAndEndTime) {
    const auto chunks = sessionReceiptChunks(keptCharge(), commaLocale(), {"L", "V", "I"});
    ASSERT_EQ(chunks.size(), 12u);
    EXPECT_NE(chunks[1].find("10.12.2025 - 20:35:25"), std::string::npos) << chunks[1];
    EXPECT_NE(chunks[3].find("PROFILE NAME : Pak Budi; \"Vario\""), std::string::npos);
    EXPECT_NE(chunks[3].find("TYPE         : MF"), std::string::npos);
    EXPECT_NE(chunks[3].find("SERI         : YTZ5S"), std::string::npos);
    EXPECT_NE(chunks[5].find("VOLTAGE      : 12,71 V"), std::string::npos);
    EXPECT_NE(chunks[5].find("CCA          : 410"), std::string::npos);
    EXPECT_NE(chunks[7].find("iR           : 3,80 mOhm"), std::string::npos);
    EXPECT_NE(chunks[7].find("STATUS       : GOOD"), std::string::npos);
    EXPECT_NE(chunks[9].find('V'), std::string::npos);  // the session's own chart bands
    EXPECT_NE(chunks[11].find('I'), std::string::npos);
}

TEST(SessionReceiptTest, TestAndUnfinishedSessionsPrintWhatTheyHave) {
    SessionSummary test = keptCharge();
    test.start.kind = SessionKind::Test;
    test.results = {};
    test.results.test = TestResult{285, 7.25, 10.86, 12.38, "WEAK"};
    const auto testChunks = sessionReceiptChunks(test, commaLocale(), {"L", "V", "I"});
    ASSERT_EQ(testChunks.size(), 6u);
    EXPECT_NE(testChunks[4].find("TEST REPORT"), std::string::npos);
    EXPECT_NE(testChunks[5].find("STATUS       : WEAK"), std::string::npos);

    // Cut off before any result, never ended: zeros, and the time of its last point.
    SessionSummary cut = keptCharge();
    cut.results = {};
    cut.endMs.reset();
    cut.lastPointMs = 60'000;
    const auto cutChunks = sessionReceiptChunks(cut, commaLocale(), {});
    ASSERT_EQ(cutChunks.size(), 12u);
    EXPECT_NE(cutChunks[1].find("10.12.2025 - 19:34:20"), std::string::npos) << cutChunks[1];
    EXPECT_NE(cutChunks[7].find("CCA          : 0"), std::string::npos);
}

}  // namespace
}  // namespace velmora::journal

namespace velmora::journal {
// A kept charge's summary as its certificate carries it: the charger, the workshop's clock,
// the gap, the last stage and the hash of the points in the journal's resolution.
TEST(SessionCertificateTest, ChargeSummaryOfAKeptSession) {
    Session session;
    SessionSummary& s = session.summary;
    s.start.kind = SessionKind::Charge;
    s.start.startMs = 1'765'350'000'000;  // 2025-12-10T07:00:00Z
    s.start.utcOffsetMinutes = 420;
    s.start.deviceName = "VELMORA-CHG";
    s.start.deviceAddress = "00:11:22:33:44:55";
    s.endMs = s.start.startMs + 3'725'000;
    s.stopReason = "finished";
    session.points = {{0, 12.31, 1.5, 1}, {1000, 12.4, 1.49, 2}, {9000, 13.1, 0.2, 6}};
    certificate::CertificateRecord record;
    fillFromSession(record, session);
    EXPECT_EQ(record.deviceName, "VELMORA-CHG");
    EXPECT_EQ(record.deviceAddress, "00:11:22:33:44:55");
    const certificate::ChargeSummary& c = record.charge;
    EXPECT_EQ(c.start, "2025-12-10T14:00:00+07:00");
    EXPECT_EQ(c.end, "2025-12-10T15:02:05+07:00");
    EXPECT_EQ(c.durationSeconds, 3725);
    EXPECT_EQ(c.lastStage, 6);
    EXPECT_EQ(c.stopReason, "finished");
    EXPECT_EQ(c.gaps, 1);
    EXPECT_EQ(c.points, 3);
    EXPECT_EQ(c.curveHash, certificate::curveHash(
                               {{0, 1231, 1500, 1}, {1000, 1240, 1490, 2}, {9000, 1310, 200, 6}}));

    session.summary.start.kind = SessionKind::Test;  // a test has no charge summary
    certificate::CertificateRecord test;
    fillFromSession(test, session);
    EXPECT_EQ(test.deviceName, "VELMORA-CHG");
    EXPECT_EQ(test.charge.points, 0);
    EXPECT_EQ(test.charge.start, "");
}

}  // namespace velmora::journal
