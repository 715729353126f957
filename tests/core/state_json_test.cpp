#include <gtest/gtest.h>

#include "link/JsonValue.h"
#include "link/StateJson.h"

using namespace velmora;

namespace {

TEST(StateJsonTest, ReadsBackWhatItWrites) {
    ChargerState s;
    s.stageNumber = 3;
    s.chargeVoltage = 13.25;
    s.chargeCurrent = 2.5;
    s.afterStatus = "GOOD \"new\" \xC3\xA9";
    s.beforeCca = -5;
    s.testResistance = 7.25;
    s.profileMode = "2";
    s.profileReceived = true;
    s.voltageHistory = {"1300", "1310"};
    s.optionSlots[2] = {"OTHER 3", "Gel", "Other", 4.5, 2, 150};
    s.auxReadings[1] = {1.5, 0.25, 7, "x\ty"};
    s.auxTexts = {"a", "", "c"};
    s.endOfTest = true;
    const ChargerState back = stateFromJson(toJson(s));
    EXPECT_EQ(toJson(back), toJson(s));
    EXPECT_EQ(back.optionSlots[2].cca, 150);
    EXPECT_EQ(back.afterStatus, s.afterStatus);
}

TEST(StateJsonTest, LeftOutFieldsKeepTheirInitialValues) {
    const ChargerState s = stateFromJson(R"({"afterCca": 455, "afterStatus": "OK"})");
    EXPECT_EQ(s.afterCca, 455);
    EXPECT_EQ(s.afterStatus, "OK");
    EXPECT_EQ(s.profileBrandIndex, -1);
    EXPECT_EQ(toJson(stateFromJson(" {} ")), toJson(ChargerState()));
}

TEST(StateJsonTest, FaultsAreNamed) {
    struct Case {
        const char* json;
        const char* message;
    } cases[] = {
        {"", "unexpected end"},
        {"[]", "state must be an object"},
        {R"({"beforeCCA": 1})", "unknown field state.beforeCCA"},
        {R"({"beforeCca": 1.5})", "beforeCca must be a whole number"},
        {R"({"beforeCca": 3000000000})", "beforeCca must be a whole number"},
        {R"({"afterStatus": 5})", "afterStatus must be a string"},
        {R"({"endOfTest": 1})", "endOfTest must be true or false"},
        {R"({"voltageHistory": [1]})", "voltageHistory item must be a string"},
        {R"({"auxTexts": ["a","b","c","d"]})", "auxTexts holds at most 3 items"},
        {R"({"optionSlots": [{"nama": "x"}]})", "unknown field optionSlots.nama"},
        {R"({"afterCca": 1,})", "expected a member name"},
        {R"({"afterCca": 01})", "leading zero"},
        {R"({"afterStatus": "\ud800"})", "lone surrogate"},
        {R"({"afterStatus": "a)", "unterminated string"},
        {R"({"afterCca": 1} x)", "unexpected text after the value"},
        {R"({"afterCca": 1e999})", "number out of range"},
    };
    for (const Case& c : cases) {
        try {
            stateFromJson(c.json);
            ADD_FAILURE() << c.json;
        } catch (const JsonError& error) {
            EXPECT_NE(std::string(error.what()).find(c.message), std::string::npos)
                << c.json << " -> " << error.what();
        }
    }
    EXPECT_THROW(JsonValue::parse(std::string(1000, '[') + std::string(1000, ']')), JsonError);
}

TEST(StateJsonTest, StringEscapesBecomeUtf8) {
    const JsonValue value = JsonValue::parse(R"(["\u00e9\ud83d\ude00\n\/"])");
    EXPECT_EQ(value.array("x").at(0).string("x"), "\xC3\xA9\xF0\x9F\x98\x80\n/");
}

}  // namespace
