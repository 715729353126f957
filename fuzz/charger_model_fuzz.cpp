// The simulated charger fed arbitrary command bytes between simulated seconds: whatever
// it is sent, everything it says back is a message the application accepts whole.
#include <fuzzer/FuzzedDataProvider.h>

#include <string>

#include "fuzz_checks.h"
#include "link/FrameAssembler.h"
#include "link/MessageParser.h"
#include "simulator/ChargerModel.h"

using namespace velmora;
using fuzzcheck::require;

namespace {

// Simulated seconds one input may run: with the short stages below a whole charge takes
// about twenty, so this holds several charges, stops and restarts. Without a budget a long
// input ticks tens of thousands of identical finished seconds and the run crawls.
constexpr int kSecondsPerInput = 256;

void requireAccepted(const std::string& sent, LiveChargerState& state) {
    require(
        sent.size() >= 2 && sent.front() == '#' && sent.compare(sent.size() - 2, 2, "\r\n") == 0,
        "the charger sends whole lines");
    Frame frame;
    splitFrame(sent, frame);
    require(!frame.messages.empty(), "a transmission holds a message");
    for (const std::string& message : frame.messages) {
        const ParseOutcome outcome = parseMessage(message, state, NumberFormat{});
        require(outcome.shape != MessageShape::None, "the application knows the message", message);
        require(!outcome.rejected, "the application accepts the message", message);
    }
    fuzzcheck::requireFiniteState(state.snapshot());
}

// Commands the application sends, with fuzzed values, so the handling is reached often.
std::string command(FuzzedDataProvider& in) {
    static constexpr const char* kHeads[] = {"#KWPRZ41", "#2|", "#3|", "#4|", "#5|", "#6|"};
    std::string text = in.PickValueInArray(kHeads);
    const int fields = in.ConsumeIntegralInRange(0, 6);
    for (int i = 0; i < fields; ++i) {
        if (i > 0) text += '|';
        text += in.ConsumeRandomLengthString(12);
    }
    return text + "*";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    ChargerModel model(in.ConsumeIntegral<unsigned>());
    model.setDurations({1, 1, 2, 4, 3, 3, 4});  // every stage within a few seconds
    model.setTestOnly(in.ConsumeBool());
    LiveChargerState state;
    int secondsLeft = kSecondsPerInput;
    while (in.remaining_bytes() > 0 && secondsLeft > 0) {
        switch (in.ConsumeIntegralInRange(0, 2)) {
            case 0:
                for (const std::string& reply : model.receive(command(in)))
                    requireAccepted(reply, state);
                break;
            case 1:
                for (const std::string& reply : model.receive(in.ConsumeRandomLengthString(64)))
                    requireAccepted(reply, state);
                break;
            default:
                for (int s = in.ConsumeIntegralInRange(1, 30); s > 0 && secondsLeft > 0;
                     --s, --secondsLeft)
                    for (const std::string& frame : model.tick()) requireAccepted(frame, state);
                break;
        }
    }
    return 0;
}
