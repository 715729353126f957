// Reading JSON text, and the live state read back from the JSON it is written as.
#include <gtest/gtest.h>

#include "json/JsonReader.h"
#include "link/StateFromJson.h"
#include "link/StateJson.h"

using namespace velmora;

TEST(JsonReaderTest, ReadsEveryKindOfValue) {
    const std::optional<JsonValue> doc = parseJson(
        " {\"a\": [1, -2.5e1, true, false, null], \"s\": \"q\\\"\\\\\\/\\b\\f\\n\\r\\t"
        "\\u00e9\\u20AC\\ud83d\\ude00\", \"o\": {}} ");
    ASSERT_TRUE(doc);
    ASSERT_EQ(doc->kind, JsonValue::Kind::Object);
    ASSERT_EQ(doc->members.size(), 3u);
    const JsonValue& a = doc->members[0].second;
    ASSERT_EQ(a.items.size(), 5u);
    EXPECT_EQ(a.items[1].number, -25.0);
    EXPECT_TRUE(a.items[2].boolean);
    EXPECT_EQ(a.items[4].kind, JsonValue::Kind::Null);
    EXPECT_EQ(doc->members[1].second.text, "q\"\\/\b\f\n\r\t\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80");
    EXPECT_EQ(doc->members[2].second.kind, JsonValue::Kind::Object);
}

TEST(JsonReaderTest, RefusesMalformedText) {
    for (const std::string& bad : {
             std::string(""),
             std::string("{"),
             std::string("{\"a\" 1}"),
             std::string("[1,]"),
             std::string("{\"a\":1,}"),
             std::string("01"),
             std::string("1."),
             std::string("-"),
             std::string("1e"),
             std::string("tru"),
             std::string("\"\\x\""),
             std::string("\"\\ud800\""),
             std::string("\"\\udc00x\""),
             std::string("\"a\nb\""),
             std::string("\"open"),
             std::string("1 2"),
             std::string("1e999"),
             std::string(100, '[') + std::string(100, ']'),
         }) {
        std::string error;
        EXPECT_FALSE(parseJson(bad, &error)) << bad;
        EXPECT_NE(error.find(" at byte "), std::string::npos) << bad;
    }
}

TEST(StateFromJsonTest, ReadsBackWhatTheStateIsWrittenAs) {
    ChargerState s;
    s.stageNumber = 5;
    s.chargeVoltage = 13.47;
    s.after.status = "GOOD \"A\"\n";
    s.before.resistance = 4.35;
    s.profileBrandIndex = -1;
    s.profileMode = "2";
    s.profileReceived = true;
    s.voltageHistory = {"1300", "1310"};
    s.optionSlots[2] = {"OTHER 3", "Gel", "Other", 4.5, 2, 150};
    s.auxReadings[1] = {12.5, 1.25, 7, "aux"};
    s.auxTexts = {"x", "", "z"};
    s.endOfTest = true;
    const std::optional<ChargerState> back = stateFromJson(toJson(s));
    ASSERT_TRUE(back);
    EXPECT_EQ(toJson(*back), toJson(s));
}

TEST(StateFromJsonTest, LeftOutFieldsKeepTheirStart) {
    const std::optional<ChargerState> s = stateFromJson("{\"beforeCca\": 410}");
    ASSERT_TRUE(s);
    EXPECT_EQ(s->before.cca, 410);
    EXPECT_EQ(s->profileBrandIndex, -1);
    EXPECT_EQ(toJson(*stateFromJson("{}")), toJson(ChargerState()));
}

TEST(StateFromJsonTest, ReasonNamesTheField) {
    const struct {
        const char* json;
        const char* reason;
    } cases[] = {
        {"{\"beforeCCA\": 1}", "beforeCCA: unknown field"},
        {"{\"beforeCca\": \"410\"}", "beforeCca: expected number, found string"},
        {"{\"beforeCca\": 4.5}", "beforeCca: expected a whole number within 32 bits"},
        {"{\"beforeCca\": 3e9}", "beforeCca: expected a whole number within 32 bits"},
        {"{\"afterStatus\": null}", "afterStatus: expected string, found null"},
        {"{\"optionSlots\": [{}, {\"cca\": true}]}",
         "optionSlots[1].cca: expected number, found boolean"},
        {"{\"optionSlots\": [{}, {}, {}, {}, {}, {}]}", "optionSlots: at most 5 entries"},
        {"{\"voltageHistory\": [\"1\", 2]}", "voltageHistory[1]: expected string, found number"},
        {"[]", "state: expected object, found array"},
    };
    for (const auto& c : cases) {
        std::string error;
        EXPECT_FALSE(stateFromJson(c.json, &error)) << c.json;
        EXPECT_EQ(error, c.reason);
    }
    std::string error;
    EXPECT_FALSE(stateFromJson("{\"a\":", &error));
    EXPECT_EQ(error.rfind("not JSON: ", 0), 0u) << error;
}
