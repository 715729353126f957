#include <gtest/gtest.h>

#include "link/MessageParser.h"
#include "simulator/ChargerModel.h"

using namespace velmora;

namespace {

std::string replies(ChargerModel& model, const std::string& command) {
    std::string text;
    for (const std::string& frame : model.receive(command)) text += frame;
    return text;
}

// The simulated charger reads numbers as strictly as the application does and reports
// back what it understood, so its answers are never refused by the application.
TEST(ChargerModelTest, ProfileCommandIsParsedStrictly) {
    struct Case {
        const char* command;
        const char* reply;  // empty: ignored
    } cases[] = {
        {"#2|1|0|4|1*", "#|2|1|0|4|1|*\r\n"},
        {"#2|-1|-1|-1|2*", "#|2|-1|-1|-1|2|*\r\n"},
        {"#2|+1|007|4|1*", "#|2|1|7|4|1|*\r\n"},
        {"#2| 1|0|4|1*", ""},
        {"#2|1 |0|4|1*", ""},
        {"#2|1|0x1|4|1*", ""},
        {"#2|1||4|1*", ""},
        {"#2|99999999999|0|4|1*", ""},
        {"#2|10000|0|4|1*", ""},
        {"#2|-2|0|4|1*", ""},
        {"#2|1|0|4|3*", ""},
        {"#2|1|0|4| 1*", ""},
    };
    for (const Case& c : cases) {
        ChargerModel model;
        EXPECT_EQ(replies(model, c.command), c.reply) << c.command;
    }
}

TEST(ChargerModelTest, OptionSlotDefinitionOutsideWhatCanBeReportedIsIgnored) {
    for (const char* bad :
         {"#5|2|2|10001|20|110*", "#5|2|2|70|1001|110*", "#5|2|2|70|20|20001*", "#5|2|2|70|-1|110*",
          "#5|5|2|70|20|110*", "#5|2|99|70|20|110*", "#5|2|2| 70|20|110*"}) {
        ChargerModel model;
        EXPECT_EQ(replies(model, bad), "") << bad;
    }
    ChargerModel model;
    const std::string slots = replies(model, "#5|2|2|10000|1000|20000*");
    LiveChargerState state;
    ParseOutcome outcome = parseMessage(slots.substr(0, slots.size() - 2), state, {});
    EXPECT_EQ(outcome.shape, MessageShape::OptionSlots);
    EXPECT_FALSE(outcome.rejected);
    EXPECT_DOUBLE_EQ(state.snapshot().optionSlots[2].capacity, 1000.0);
}

}  // namespace
