// A kept session printed again: its own results, profile and end time on the receipt.
#include <gtest/gtest.h>

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
