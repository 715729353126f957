#pragma once

#include <optional>
#include <string>

#include "link/ChargerState.h"
#include "link/TestResult.h"

namespace velmora {

// The status words the refresh acts on.
enum class StatusWord { None, Standby, Reverse, Unplug, ChargeMode, TestMode };

// The one-shot status of a tick: the word taken (its text for the charge journal) and
// whether a battery was just detected.
struct StatusEvents {
    StatusWord word = StatusWord::None;
    std::string wordText;  // empty when no word was taken
    bool batteryDetected = false;
};

// The charge profile the charger reported.
struct ReportedProfile {
    int brand = -1, variety = -1, type = -1;
    std::string mode;  // "1" normal, "2" fast, else left as it is
};

// What one refresh tick takes from the live state. Status words, results and the reported
// profile are one-shot: taking them clears them, so each is shown once.
struct TickEvents {
    StatusEvents status;
    TestResults results;
    std::optional<ReportedProfile> profile;
    Measurement measurement;  // after the status word: STANDBY and an unplug zero it
};

// The parts of a tick, each taken from the record (the caller holds the state's lock).
// The status word is cleared only when it is one the refresh acts on.
StatusEvents takeStatusEvents(ChargerState& s);
TestResults takeTestResults(ChargerState& s);
std::optional<ReportedProfile> takeReportedProfile(ChargerState& s);
Measurement measurementOf(const ChargerState& s);

// All of a tick's events under one hold of the lock, so nothing the receive thread stores
// meanwhile is cleared unseen.
TickEvents takeTickEvents(LiveChargerState& state);

// Back to the start for the next battery: measurement, results, profile and their tags.
// The option slots, the charge history and the status word stay.
void resetForNextBattery(ChargerState& s);

}  // namespace velmora
