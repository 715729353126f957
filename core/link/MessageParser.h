#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "link/ChargerState.h"
#include "link/NumberText.h"

namespace velmora {

// The incoming message shapes, in the order they are tried.
enum class MessageShape {
    None,
    LiveReading,
    ProfileReport,
    BeforeResult,
    AfterResult,
    VoltageHistory,
    CurrentHistory,
    TestResult,
    OptionSlots,
    AuxReadings,
    DetectionReport,
    ThreeValue,
    TestCharge,
    DiagTestCharge,
    StatusWord,
};

const char* shapeName(MessageShape shape);

// What one parse did: the shape that matched, and whether it was dropped because a
// field did not convert (then nothing of it was stored).
struct ParseOutcome {
    MessageShape shape = MessageShape::None;
    bool rejected = false;
};

// Splits at every "|"; empty fields count.
std::vector<std::string_view> splitFields(std::string_view text);
// The first shape whose field tests match, or None.
MessageShape classifyMessage(const std::vector<std::string_view>& fields);
// Parses one message (no line end) into the state under its lock. The whole message is
// validated before anything is stored, so a garbled one changes nothing.
ParseOutcome parseMessage(std::string_view text, LiveChargerState& state,
                          const NumberFormat& format);

}  // namespace velmora
