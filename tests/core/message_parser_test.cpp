#include <gtest/gtest.h>

#include <cmath>

#include "link/MessageParser.h"

using namespace velmora;

namespace {

ChargerState parse(const std::string& text, bool endOfTest = false, ParseOutcome* outcome = nullptr,
                   NumberFormat format = {}) {
    LiveChargerState live;
    live.modify([&](ChargerState& s) { s.endOfTest = endOfTest; });
    ParseOutcome result = parseMessage(text, live, format);
    if (outcome) *outcome = result;
    return live.snapshot();
}

// The message is reported rejected and nothing of it reaches the state.
void expectDroppedWhole(const char* text) {
    ParseOutcome outcome;
    ChargerState s = parse(text, false, &outcome);
    EXPECT_TRUE(outcome.rejected) << text;
    EXPECT_EQ(s.stageNumber, 0) << text;
    EXPECT_EQ(s.chargeVoltage, 0.0) << text;
    EXPECT_EQ(s.profileBrandIndex, -1) << text;
    EXPECT_TRUE(s.batteryStatus.empty()) << text;
    EXPECT_TRUE(s.beforeResultTag.empty()) << text;
    EXPECT_TRUE(s.optionSlots[0].name.empty()) << text;
}

struct ShapeCase {
    const char* text;
    MessageShape shape;
};

// The shapes are tried in a fixed order; the order decides the ambiguous cases.
TEST(MessageParserTest, ShapesAreRecognisedInOrder) {
    const ShapeCase cases[] = {
        {"#|1|2|1325|2500|61|45|*", MessageShape::LiveReading},
        {"#|2|1|0|4|1|*", MessageShape::ProfileReport},
        {"#|3|1|150|1234|1100|1280|*", MessageShape::BeforeResult},
        {"#|3|5|520|850|1210|1300|X|*", MessageShape::AfterResult},
        {"#|3|4|520|850|1210|1300|X|*", MessageShape::AfterResult},
        {"#|4|1300|1310|*", MessageShape::VoltageHistory},
        {"#|4|x|*", MessageShape::VoltageHistory},    // not a detection report
        {"#|5|a|b|*", MessageShape::CurrentHistory},  // not a three-value message
        {"#|5|*", MessageShape::CurrentHistory},
        {"#|6|0|300|650|1140|1270|GOOD|*", MessageShape::TestResult},
        {"#|7|OTHER 1|||||MF|||||C|||||50|0|0|0|0|10|0|0|0|0|90|0|0|0|0|*",
         MessageShape::OptionSlots},
        {"#|12|1|2|3|4|5|6|7|8|9|a|b|c|*", MessageShape::AuxReadings},
        {"#|Baterai_Detected|1262|*", MessageShape::DetectionReport},
        {"#|a|b|c|*", MessageShape::ThreeValue},
        {"#|Test_Charge|1250|1500|12|*", MessageShape::TestCharge},
        {"#|Diag_Test_Charge|1140|0|7|*", MessageShape::DiagTestCharge},
        {"#|STANDBY|*", MessageShape::StatusWord},
        {"#|1|*", MessageShape::StatusWord},
        {"#|2|*", MessageShape::StatusWord},
        {"#|9|x|*", MessageShape::DetectionReport},
        // No match: wrong counts, wrong sub-types, bad delimiters, case.
        {"#|9|a|b|c|d|*", MessageShape::None},
        {"#|3|2|150|1234|1100|1280|*", MessageShape::None},
        {"#|3|1|520|850|1210|1300|X|*", MessageShape::None},
        {"#|1|2|1325|2500|61|45*", MessageShape::None},
        {"x#|STANDBY|*", MessageShape::None},
        {"#|test_charge|1250|1500|12|*", MessageShape::None},
        {"#|1|2|1325|2500|61|45|*|", MessageShape::None},
        {"", MessageShape::None},
        {"*", MessageShape::None},
    };
    for (const ShapeCase& c : cases)
        EXPECT_EQ(classifyMessage(splitFields(c.text)), c.shape) << c.text;
}

TEST(MessageParserTest, LiveReadingScalesWireValues) {
    ChargerState s = parse("#|1|2|1325|2500|61|45|*");
    EXPECT_EQ(s.stageNumber, 2);
    EXPECT_DOUBLE_EQ(s.chargeVoltage, 13.25);
    EXPECT_DOUBLE_EQ(s.chargeCurrent, 2.5);
    EXPECT_EQ(s.elapsedSeconds, 61);
    EXPECT_EQ(s.chargeProgress, 45);
    EXPECT_EQ(parse("#|1|2|1325|2500|61|104|*").chargeProgress, 104);  // stored as sent
}

TEST(MessageParserTest, BeforeResultReadsReversedPositionsAfterEndOfTest) {
    ChargerState normal = parse("#|3|1|150|1234|1100|1280|*", false);
    EXPECT_EQ(normal.beforeResultTag, "1");
    EXPECT_EQ(normal.before.cca, 150);
    EXPECT_DOUBLE_EQ(normal.before.resistance, 12.34);
    EXPECT_DOUBLE_EQ(normal.before.diagVoltage, 11.0);
    EXPECT_DOUBLE_EQ(normal.before.voltage, 12.8);

    ChargerState reversed = parse("#|3|1|150|1234|1100|1280|*", true);
    EXPECT_EQ(reversed.before.cca, 1280);
    EXPECT_DOUBLE_EQ(reversed.before.resistance, 11.0);
    EXPECT_DOUBLE_EQ(reversed.before.diagVoltage, 12.34);
    EXPECT_DOUBLE_EQ(reversed.before.voltage, 1.5);
    EXPECT_TRUE(reversed.endOfTest);  // only an after-charge result clears it
}

TEST(MessageParserTest, AfterResultClearsEndOfTestOnlyWhenStored) {
    ChargerState reversed = parse("#|3|5|520|850|1210|1300|X|*", true);
    EXPECT_EQ(reversed.afterResultTag, "5");
    EXPECT_EQ(reversed.after.cca, 1300);
    EXPECT_DOUBLE_EQ(reversed.after.resistance, 12.1);
    EXPECT_DOUBLE_EQ(reversed.after.diagVoltage, 8.5);
    EXPECT_DOUBLE_EQ(reversed.after.voltage, 5.2);
    EXPECT_EQ(reversed.after.status, "X");
    EXPECT_FALSE(reversed.endOfTest);

    ChargerState normal = parse("#|3|4|520|850|1210|1300|WEAK|*", false);
    EXPECT_EQ(normal.afterResultTag, "4");
    EXPECT_EQ(normal.after.cca, 520);
    EXPECT_DOUBLE_EQ(normal.after.voltage, 13.0);
    EXPECT_EQ(normal.after.status, "WEAK");

    ChargerState garbled = parse("#|3|5|520|850|12x0|1300|X|*", true);
    EXPECT_TRUE(garbled.endOfTest);
    EXPECT_EQ(garbled.afterResultTag, "");
}

TEST(MessageParserTest, HistoryListsAreReplacedWhole) {
    LiveChargerState live;
    NumberFormat format;
    parseMessage("#|4|1300|1310|1320|*", live, format);
    parseMessage("#|4|1400|1410|*", live, format);
    parseMessage("#|5|*", live, format);
    ChargerState s = live.snapshot();
    EXPECT_EQ(s.voltageHistory, (std::vector<std::string>{"1400", "1410"}));
    EXPECT_TRUE(s.currentHistory.empty());
    EXPECT_TRUE(s.historyReady);
    EXPECT_FALSE(live.takeHistory().has_value());  // lengths differ: nothing to plot
    EXPECT_TRUE(live.snapshot().historyReady);

    parseMessage("#|5|2500|2400|*", live, format);
    auto history = live.takeHistory();
    ASSERT_TRUE(history.has_value());
    EXPECT_EQ(history->current, (std::vector<std::string>{"2500", "2400"}));
    s = live.snapshot();
    EXPECT_TRUE(s.voltageHistory.empty());
    EXPECT_FALSE(s.historyReady);

    parseMessage("#|4|*", live, format);
    EXPECT_TRUE(live.snapshot().voltageHistory.empty());
    EXPECT_TRUE(live.snapshot().historyReady);
}

TEST(MessageParserTest, OptionSlotsAreReadColumnByColumn) {
    ChargerState s = parse(
        "#|7|OTHER 1||OTHER 3|||MF||Gel|||Custom||Yuasa|||45|0|70|0|0|20|0|15|0|0|"
        "110|0|150|0|0|*");
    EXPECT_EQ(s.optionSlots[0].name, "OTHER 1");
    EXPECT_EQ(s.optionSlots[0].variety, "MF");
    EXPECT_EQ(s.optionSlots[0].brand, "Custom");
    EXPECT_DOUBLE_EQ(s.optionSlots[0].capacity, 4.5);
    EXPECT_DOUBLE_EQ(s.optionSlots[0].current, 2.0);
    EXPECT_EQ(s.optionSlots[0].cca, 110);
    EXPECT_EQ(s.optionSlots[2].name, "OTHER 3");
    EXPECT_EQ(s.optionSlots[2].variety, "Gel");
    EXPECT_EQ(s.optionSlots[2].brand, "Yuasa");
    EXPECT_DOUBLE_EQ(s.optionSlots[2].capacity, 7.0);
    EXPECT_DOUBLE_EQ(s.optionSlots[2].current, 1.5);
    EXPECT_EQ(s.optionSlots[2].cca, 150);
    EXPECT_EQ(s.optionSlots[1].name, "");
}

TEST(MessageParserTest, AuxiliaryAndUntypedShapes) {
    ChargerState aux = parse("#|12|1200|1300|1400|500|600|700|1|2|3|a|b|c|*");
    EXPECT_DOUBLE_EQ(aux.auxReadings[1].voltage, 13.0);
    EXPECT_DOUBLE_EQ(aux.auxReadings[2].current, 0.7);
    EXPECT_EQ(aux.auxReadings[0].number, 1);
    EXPECT_EQ(aux.auxReadings[2].text, "c");

    ChargerState detected = parse("#|Baterai_Detected|1262|*");
    EXPECT_EQ(detected.batteryStatus, "Baterai_Detected");
    EXPECT_DOUBLE_EQ(detected.chargeVoltage, 12.62);

    EXPECT_EQ(parse("#|a|b|c|*").auxTexts, (std::array<std::string, 3>{"a", "b", "c"}));

    ChargerState test = parse("#|Diag_Test_Charge|1140|1500|7|*");
    EXPECT_EQ(test.chargerStatus, "Diag_Test_Charge");
    EXPECT_DOUBLE_EQ(test.chargeVoltage, 11.4);
    EXPECT_DOUBLE_EQ(test.chargeCurrent, 1.5);
    EXPECT_EQ(test.elapsedSeconds, 7);

    ChargerState result = parse("#|6|0|300|650|1140|1270|GOOD|*");
    EXPECT_EQ(result.testResultTag, "0");
    EXPECT_EQ(result.test.cca, 300);
    EXPECT_DOUBLE_EQ(result.test.resistance, 6.5);
    EXPECT_DOUBLE_EQ(result.test.diagVoltage, 11.4);
    EXPECT_DOUBLE_EQ(result.test.voltage, 12.7);
    EXPECT_EQ(result.test.status, "GOOD");

    ChargerState profile = parse("#|2|-1|0|4|2|*");
    EXPECT_EQ(profile.profileBrandIndex, -1);
    EXPECT_EQ(profile.profileTypeIndex, 4);
    EXPECT_EQ(profile.profileMode, "2");
    EXPECT_TRUE(profile.profileReceived);
}

// A garbled field drops the whole message: nothing half-stored, and the caller goes on.
TEST(MessageParserTest, MessageWithBadFieldChangesNothing) {
    const char* bad[] = {
        "#|1|2|x|2500|61|45|*",
        "#|1|2|1325|2500|61|4 5|*",
        "#|2|a|0|4|1|*",
        "#|Baterai_Detected|12,6|*",
        "#|1|99999999999|0|0|0|0|*",
        "#|1|2|nan|0|0|0|*",
        "#|1|2|1e999|0|0|0|*",
        "#|1|2||0|0|0|*",
    };
    for (const char* text : bad) expectDroppedWhole(text);
}

// Numbers no screen can show sensibly are still the charger's numbers: every field that
// converts is kept as sent, and only a number that overflows drops its message.
TEST(MessageParserTest, ValuesOutsideWhatAScreenShowsAreKeptAsSent) {
    ChargerState stage7 = parse("#|1|7|1325|2500|61|45|*");
    EXPECT_EQ(stage7.stageNumber, 7);
    EXPECT_DOUBLE_EQ(stage7.chargeVoltage, 13.25);
    EXPECT_DOUBLE_EQ(stage7.chargeCurrent, 2.5);
    EXPECT_EQ(stage7.elapsedSeconds, 61);
    EXPECT_EQ(stage7.chargeProgress, 45);

    ChargerState odd = parse("#|1|-1|1e300|-100001|-1|-1|*");
    EXPECT_EQ(odd.stageNumber, -1);
    EXPECT_DOUBLE_EQ(odd.chargeVoltage, 1e298);
    EXPECT_DOUBLE_EQ(odd.chargeCurrent, -100.001);
    EXPECT_EQ(odd.elapsedSeconds, -1);
    EXPECT_EQ(odd.chargeProgress, -1);

    // A profile index the catalogue does not have: the report still arrives.
    ChargerState profile = parse("#|2|1|10000|4|1|*");
    EXPECT_TRUE(profile.profileReceived);
    EXPECT_EQ(profile.profileVarietyIndex, 10000);
    EXPECT_EQ(profile.profileTypeIndex, 4);

    EXPECT_EQ(parse("#|3|1|-1|1000001|1100|1280|*").before.resistance, 10000.01);
    EXPECT_EQ(parse("#|6|0|300|650|1140|7000|GOOD|*").test.voltage, 70.0);

    // An erased slot (65535 everywhere) does not cost the defined slots.
    ChargerState slots = parse(
        "#|7|OTHER 1|||||MF|||||C|||||50|65535|65535|65535|65535|10|65535|65535|65535|65535|"
        "90|65535|65535|65535|65535|*");
    EXPECT_EQ(slots.optionSlots[0].name, "OTHER 1");
    EXPECT_DOUBLE_EQ(slots.optionSlots[0].capacity, 5.0);
    EXPECT_EQ(slots.optionSlots[0].cca, 90);
    EXPECT_DOUBLE_EQ(slots.optionSlots[1].capacity, 6553.5);
    EXPECT_EQ(slots.optionSlots[4].cca, 65535);

    // Overflowing numbers are no numbers: the message is dropped whole.
    for (const char* text : {"#|1|2|1e400|2500|61|45|*", "#|1|2|1325|inf|61|45|*",
                             "#|1|2|1325|2500|61|99999999999|*", "#|Baterai_Detected|1e309|*"})
        expectDroppedWhole(text);
}

// Below the smallest double a number reads as zero, however far below it is.
TEST(MessageParserTest, TinyNumbersReadAsZero) {
    for (const char* tiny : {"1e-400", "4e-320", "-4e-320", "0.0000e-99999999999", "-0"}) {
        ParseOutcome outcome;
        ChargerState s =
            parse(std::string("#|1|2|") + tiny + "|" + tiny + "|61|45|*", false, &outcome);
        EXPECT_FALSE(outcome.rejected) << tiny;
        EXPECT_EQ(s.stageNumber, 2) << tiny;
        EXPECT_EQ(s.chargeVoltage, 0.0) << tiny;
        EXPECT_FALSE(std::signbit(s.chargeVoltage)) << tiny;  // never shown as "-0.00"
        EXPECT_EQ(s.chargeCurrent, 0.0) << tiny;
    }
    EXPECT_DOUBLE_EQ(parse("#|1|2|0.0132500e5|2500|61|45|*").chargeVoltage, 13.25);
    EXPECT_FALSE(parseReal("1e400", {}));
    EXPECT_FALSE(parseReal("-1e99999999999999999999", {}));
}

TEST(MessageParserTest, InitialStateAndZeroReading) {
    ChargerState initial;
    EXPECT_EQ(initial.profileBrandIndex, -1);
    EXPECT_EQ(initial.profileVarietyIndex, -1);
    EXPECT_EQ(initial.profileTypeIndex, -1);
    EXPECT_EQ(initial.stageNumber, 0);
    EXPECT_FALSE(initial.endOfTest);
    ChargerState zero = parse("#|1|0|0|0|0|0|*");
    EXPECT_EQ(zero.stageNumber, 0);
    EXPECT_EQ(zero.chargeVoltage, 0.0);
}

TEST(MessageParserTest, RealFieldsFollowTheUsersDecimalSeparator) {
    NumberFormat comma{','};
    EXPECT_DOUBLE_EQ(parse("#|1|2|1325,5|0|0|0|*", false, nullptr, comma).chargeVoltage, 13.255);
    ParseOutcome outcome;
    parse("#|1|2|1325.5|0|0|0|*", false, &outcome, comma);
    EXPECT_TRUE(outcome.rejected);
}

}  // namespace
