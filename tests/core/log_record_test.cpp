// The log record and its file: building, rounding, code page, hexadecimal line, and the
// reading side (decoding, assembly from the "#" marks, checks).
#include <gtest/gtest.h>

#include "log_example.h"
#include "logger/HexText.h"
#include "logger/LogFile.h"
#include "logger/LogJson.h"
#include "logger/LogNumbers.h"
#include "logger/LogRecord.h"
#include "logger/Windows1252.h"

using namespace velmora;
using velmora::testing::kExampleLine;
using velmora::testing::kExampleRecord;

namespace {

ChargerState exampleState() {
    ChargerState s;
    velmora::testing::exampleResults(s);
    return s;
}

std::string lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// What a state reads back as after being saved and loaded.
ChargerState roundTrip(const ChargerState& saved) {
    const RecordCheck check = readLogFile(encodeLogFile(saved), NumberFormat{});
    EXPECT_EQ(check.outcome, RecordCheck::Outcome::Valid) << check.reason;
    ChargerState loaded;
    storeLoadedRecord(loaded, check.record);
    return loaded;
}

}  // namespace

TEST(LogRecordTest, WorkedExampleByteForByte) {
    EXPECT_EQ(logRecordText(exampleState()), kExampleRecord);
    EXPECT_EQ(std::string(kExampleLine).size(), 96u);
    EXPECT_EQ(encodeLogFile(exampleState()), std::string(kExampleLine) + "\r\n");
}

TEST(LogRecordTest, IndicesAndModeBeforeAndAfterAReset) {
    ChargerState start;  // nothing reported or sent yet
    EXPECT_EQ(logRecordText(start), "#|-1|-1|-1|1|0|0|0|0|0|0|0|0||*");
    ChargerState reset;  // what the reset leaves
    reset.profileBrandIndex = reset.profileVarietyIndex = reset.profileTypeIndex = 0;
    EXPECT_EQ(logRecordText(reset).substr(0, 10), "#|0|0|0|1|");
    ChargerState odd = exampleState();
    odd.profileBrandIndex = -7;
    odd.profileMode = "2";
    odd.after.status = "GOOD";
    EXPECT_EQ(logRecordText(odd), "#|-1|1|3|2|410|450|1271|1102|455|420|1305|1180|GOOD|*");
}

TEST(LogRecordTest, HundredthsRoundHalvesAwayFromZero) {
    const struct {
        double value;
        std::string text;
    } cases[] = {
        {4.5, "450"},
        {4.35, "435"},      // 434.99999999999994 in binary
        {1.005, "101"},     // 100.49999999999999: a plain round gives 100
        {2.675, "268"},     // 267.49999999999997
        {0.145, "15"},      // 14.499999999999998
        {0.125, "13"},      // an exact half goes up, not to even
        {0.005, "1"},       // 0.5
        {-0.005, "-1"},     // halves away from zero on the negative side too
        {-4.35, "-435"},    //
        {-0.004, "0"},      // never "-0"
        {0.004, "0"},       //
        {0.0, "0"},         //
        {1e-300, "0"},      //
        {99.995, "10000"},  // the carry runs through every digit
        {123456789.125, "12345678913"},
        {1e300, "1" + std::string(302, '0')},  // far beyond 64 bits, still exact text
    };
    for (const auto& c : cases) EXPECT_EQ(hundredthsText(c.value), c.text) << c.value;
}

TEST(LogRecordTest, SignificantTextIsShortestWithTheUsersSeparator) {
    EXPECT_EQ(significantText(4.2, NumberFormat{}), "4.2");
    EXPECT_EQ(significantText(4.0, NumberFormat{}), "4");
    EXPECT_EQ(significantText(0.1 + 0.2, NumberFormat{}), "0.3");
    EXPECT_EQ(significantText(435 / 100.0, NumberFormat{','}), "4,35");
    EXPECT_EQ(significantText(-0.0, NumberFormat{}), "0");
}

TEST(LogRecordTest, Windows1252OnEveryPlatform) {
    // é, €, – and ™ live in the code page; Ā, → and emoji do not; broken UTF-8 neither.
    EXPECT_EQ(utf8ToWindows1252("Caf\xC3\xA9 \xE2\x82\xAC"
                                "5 \xE2\x80\x93 \xE2\x84\xA2"),
              "Caf\xE9 \x80"
              "5 \x96 \x99");
    EXPECT_EQ(utf8ToWindows1252("\xC4\x80|\xE2\x86\x92|\xF0\x9F\x98\x80|\xFF|\xC3|\xC2\x80"),
              "?|?|?|?|?|?");
    EXPECT_EQ(utf8ToWindows1252("\xE0\x80\xAF"), "???");  // overlong "/" is no slash
    // Every byte survives a trip through UTF-8, the five unassigned ones included.
    std::string all;
    for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
    EXPECT_EQ(utf8ToWindows1252(windows1252ToUtf8(all)), all);
    EXPECT_EQ(windows1252ToUtf8("\x80\x81\xE9"), "\xE2\x82\xAC\xC2\x81\xC3\xA9");
}

TEST(LogRecordTest, HexadecimalBothWays) {
    EXPECT_EQ(String2Hex(std::string("\x00\xFF#\x7C", 4)), "00FF237C");
    const struct {
        const char* hex;
        std::string bytes;
    } cases[] = {
        {"237c7C2a", "#||*"},  // either case
        {"41G242", "A"},       // stops at the first pair that is not hex
        {"414", "A"},          // a lone last digit is ignored
        {"4 41", ""},          // a space breaks the first pair
        {"", ""},              //
        {"00ff", std::string("\x00\xFF", 2)},
    };
    for (const auto& c : cases) EXPECT_EQ(Hex2String(c.hex), c.bytes) << c.hex;
}

TEST(LogRecordTest, RecordAssembledFromEveryMark) {
    EXPECT_EQ(assembleRecord("xx#a#b"), "#a#b#b");
    EXPECT_EQ(assembleRecord("junk#|1|*"), "#|1|*");
    EXPECT_EQ(assembleRecord("no marks"), "");
    EXPECT_EQ(assembleRecord(""), "");
}

TEST(LogRecordTest, LinesLongerThanAnyRecordAreRefusedWithoutBuildingThem) {
    // 100 000 marks would repeat the text five thousand million times.
    EXPECT_EQ(assembleRecord(std::string(100000, '#')), std::nullopt);
    EXPECT_EQ(assembleRecord("#ab#c", 7), "#ab#c#c");
    EXPECT_EQ(assembleRecord("#ab#c", 6), std::nullopt);

    const std::string valid = kExampleLine;
    const std::string marks = String2Hex(std::string(kMaxLogLine / 2 - 200, '#'));
    const std::string tooLong = String2Hex(std::string(kMaxLogLine / 2 + 1, 'A'));
    for (const std::string& line : {valid + marks, tooLong, tooLong + valid}) {
        const RecordCheck check = readLogFile(line + "\r\n", NumberFormat{});
        EXPECT_EQ(check.outcome, RecordCheck::Outcome::NotARecord);
        EXPECT_FALSE(check.reason.empty());
    }
}

TEST(LogRecordTest, ChecksShapeAndMarks) {
    const std::string valid = kExampleRecord;
    const RecordCheck ok = checkLogRecord(valid, NumberFormat{});
    ASSERT_EQ(ok.outcome, RecordCheck::Outcome::Valid);
    EXPECT_EQ(ok.record.profileTypeIndex, 3);
    EXPECT_EQ(ok.record.profileMode, "1");
    EXPECT_EQ(ok.record.loadedRecord.before.cca, 410);
    EXPECT_DOUBLE_EQ(ok.record.loadedRecord.before.voltage, 12.71);
    EXPECT_DOUBLE_EQ(ok.record.loadedRecord.after.diagVoltage, 11.80);
    EXPECT_EQ(ok.record.loadedRecord.after.status, "");

    for (const std::string& bad : {
             std::string("#|0|1|3|1|410|450|1271|1102|455|420|1305|1180|*"),    // 14 fields
             std::string("#|0|1|3|1|410|450|1271|1102|455|420|1305|1180|||*"),  // 16 fields
             std::string("# |0|1|3|1|410|450|1271|1102|455|420|1305|1180||*"),  // spaces count
             std::string("#|0|1|3|1|410|450|1271|1102|455|420|1305|1180||* "),  //
             std::string(""),
         }) {
        const RecordCheck check = checkLogRecord(bad, NumberFormat{});
        EXPECT_EQ(check.outcome, RecordCheck::Outcome::NotARecord) << bad;
        EXPECT_FALSE(check.reason.empty());
    }
    EXPECT_EQ(checkLogRecord(valid.substr(0, valid.size() - 4) + "|*", NumberFormat{}).reason,
              "the record has 14 fields, not 15");
}

TEST(LogRecordTest, ANumberThatDoesNotConvertKeepsNothing) {
    // The bad field comes last: the fields before it must not come back either.
    const RecordCheck late =
        checkLogRecord("#|0|1|3|1|410|450|1271|1102|455|420|1305|11x80||*", NumberFormat{});
    EXPECT_EQ(late.outcome, RecordCheck::Outcome::BadNumber);
    EXPECT_EQ(late.badText, "11x80");
    EXPECT_EQ(late.record.profileBrandIndex, -1);
    EXPECT_EQ(late.record.loadedRecord.before.cca, 0);
    EXPECT_EQ(late.reason, "field 12 \"11x80\" is not a number");

    const RecordCheck index =
        checkLogRecord("#|0|x|3|1|410|450|1271|1102|455|420|1305|1180||*", NumberFormat{});
    EXPECT_EQ(index.badText, "x");
    EXPECT_EQ(
        checkLogRecord("#|0|1|3|1|4.5|450|1271|1102|455|420|1305|1180||*", NumberFormat{}).outcome,
        RecordCheck::Outcome::BadNumber);  // CCA is a whole number
    EXPECT_EQ(
        checkLogRecord("#|0|1|3|1|410|450|1271|1102|455|420|1305|99999999999||*", NumberFormat{})
            .outcome,
        RecordCheck::Outcome::Valid);  // scaled fields are decimal numbers
}

TEST(LogRecordTest, ScaledFieldsUseTheUsersSeparator) {
    const char* record = "#|0|1|3|1|410|12,5|1271|1102|455|420|1305|1180||*";
    const RecordCheck comma = checkLogRecord(record, NumberFormat{','});
    ASSERT_EQ(comma.outcome, RecordCheck::Outcome::Valid);
    EXPECT_DOUBLE_EQ(comma.record.loadedRecord.before.resistance, 0.125);
    EXPECT_DOUBLE_EQ(comma.record.loadedRecord.before.voltage, 12.71);
    EXPECT_EQ(checkLogRecord(record, NumberFormat{'.'}).outcome, RecordCheck::Outcome::BadNumber);
}

TEST(LogRecordTest, FilesAsTheyAreFoundOnDisk) {
    const std::string line = kExampleLine;
    const struct {
        std::string bytes;
        RecordCheck::Outcome outcome;
    } cases[] = {
        {line + "\r\n", RecordCheck::Outcome::Valid},
        {lower(line) + "\r\n", RecordCheck::Outcome::Valid},
        {line, RecordCheck::Outcome::Valid},                       // no line break at the end
        {line + "\nFFFF\n", RecordCheck::Outcome::Valid},          // later lines are ignored
        {String2Hex("junk") + line, RecordCheck::Outcome::Valid},  // text before "#"
        {line.substr(0, 94) + "\r\n", RecordCheck::Outcome::NotARecord},  // "*" missing
        {"Catatan bengkel: aki Yuasa\r\n", RecordCheck::Outcome::NotARecord},
        {"", RecordCheck::Outcome::NotARecord},
        {"\r\n" + line, RecordCheck::Outcome::NotARecord},  // only the first line counts
    };
    for (const auto& c : cases) {
        const RecordCheck check = readLogFile(c.bytes, NumberFormat{});
        EXPECT_EQ(check.outcome, c.outcome) << c.bytes;
        if (c.outcome == RecordCheck::Outcome::Valid) {
            EXPECT_EQ(check.record.loadedRecord.after.cca, 455);
            EXPECT_DOUBLE_EQ(check.record.loadedRecord.after.resistance, 4.2);
        } else {
            EXPECT_FALSE(check.reason.empty());
        }
    }
    EXPECT_EQ(readLogFile("hello\r\n", NumberFormat{}).reason,
              "the first line holds no hexadecimal text");
}

TEST(LogRecordTest, SaveThenLoadGivesTheSameRecord) {
    ChargerState full = exampleState();
    full.after.status = "GOOD";
    ChargerState noAfter = exampleState();
    noAfter.after.cca = 0;
    noAfter.after.resistance = noAfter.after.voltage = noAfter.after.diagVoltage = 0;
    ChargerState negative = exampleState();
    negative.before.resistance = -4.35;
    ChargerState latin = exampleState();
    latin.after.status = "Baik \xE2\x80\x93 siap \xE2\x82\xAC";  // – and € are in the code page
    for (const ChargerState& saved : {full, noAfter, negative, latin, ChargerState()}) {
        const ChargerState loaded = roundTrip(saved);
        EXPECT_EQ(logRecordText(loaded), logRecordText(saved));
        EXPECT_EQ(loaded.after.status, saved.after.status);
        EXPECT_TRUE(loaded.profileReceived);
    }
    EXPECT_EQ(roundTrip(negative).before.resistance, -4.35);
}

TEST(LogRecordTest, MarksInTextFieldsBecomeSpacesSoTheResultLoads) {
    ChargerState s = exampleState();
    s.after.status = "GOOD|#1*";
    s.profileMode = "2#";
    EXPECT_EQ(logRecordText(s), "#|0|1|3|2 |410|450|1271|1102|455|420|1305|1180|GOOD  1 |*");
    const ChargerState loaded = roundTrip(s);
    EXPECT_EQ(loaded.after.status, "GOOD  1 ");
    EXPECT_EQ(loaded.after.cca, 455);
    // A character the code page lacks reads back as "?".
    s.after.status = "\xC4\x80KI";
    EXPECT_EQ(roundTrip(s).after.status, "?KI");
}

TEST(LogRecordTest, LoadedRecordKnowsWhatItHolds) {
    LoadedRecord zero;
    EXPECT_TRUE(zero.empty());
    LoadedRecord negativeOnly;
    negativeOnly.before.voltage = -1;
    EXPECT_TRUE(negativeOnly.empty());  // nothing above 0
    LoadedRecord diagOnly;
    diagOnly.after.diagVoltage = 0.01;
    EXPECT_FALSE(diagOnly.empty());
    LoadedRecord half;
    half.after.cca = 455;
    EXPECT_FALSE(half.hasAfterResult());
    half.after.resistance = 4.2;
    EXPECT_TRUE(half.hasAfterResult());
}

TEST(LogRecordTest, StoringALoadTakesProfileResultsAndStatus) {
    ChargerState live;
    live.after.status = "previous battery";
    live.test.cca = 285;
    LogRecord record;
    record.profileBrandIndex = 1;
    record.profileVarietyIndex = 0;
    record.profileTypeIndex = 11;
    record.profileMode = "2";
    record.loadedRecord.before.cca = 300;
    record.loadedRecord.after.diagVoltage = 11.8;
    record.loadedRecord.after.status = "GOOD";
    storeLoadedRecord(live, record);
    EXPECT_EQ(live.profileTypeIndex, 11);
    EXPECT_EQ(live.profileMode, "2");
    EXPECT_EQ(live.before.cca, 300);
    EXPECT_EQ(live.after.diagVoltage, 11.8);
    EXPECT_EQ(live.after.status, "GOOD");
    EXPECT_TRUE(live.profileReceived);
    EXPECT_EQ(live.test.cca, 285);  // test-mode results are not part of a log
}

TEST(LogRecordTest, RecordAsJson) {
    LogRecord record = readLogFile(kExampleLine, NumberFormat{}).record;
    record.loadedRecord.after.status = "A \"B\"";
    EXPECT_EQ(logRecordJson(record),
              "{\"profileBrandIndex\": 0, \"profileVarietyIndex\": 1, \"profileTypeIndex\": 3, "
              "\"profileMode\": \"1\", \"beforeCca\": 410, \"beforeResistance\": 4.5, "
              "\"beforeVoltage\": 12.71, \"beforeDiagVoltage\": 11.02, \"afterCca\": 455, "
              "\"afterResistance\": 4.2, \"afterVoltage\": 13.05, \"afterDiagVoltage\": 11.8, "
              "\"status\": \"A \\\"B\\\"\"}");
}
