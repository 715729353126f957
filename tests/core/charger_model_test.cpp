#include <gtest/gtest.h>

#include "link/FrameAssembler.h"
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

// A custom option may ask for more current than the charger gives; the charger charges
// at its own limit, and its readings stay ones the application accepts.
TEST(ChargerModelTest, ChargeCurrentStaysWithinTheChargersLimit) {
    ChargerModel model;
    model.setDurations({1, 1, 1, 30, 3, 3, 4});
    replies(model, "#5|1|1|1000|1000|110*#6|2*#KWPRZ41*");
    LiveChargerState state;
    int readings = 0;
    for (int second = 0; second < 30; ++second) {
        for (const std::string& sent : model.tick()) {
            Frame frame;
            splitFrame(sent, frame);
            for (const std::string& message : frame.messages) {
                const ParseOutcome outcome = parseMessage(message, state, {});
                EXPECT_FALSE(outcome.rejected) << message;
                if (outcome.shape != MessageShape::LiveReading || model.stage() != 2) continue;
                ++readings;
                EXPECT_LE(state.snapshot().chargeCurrent, 5.1) << message;
            }
        }
    }
    EXPECT_GT(readings, 0);
}
