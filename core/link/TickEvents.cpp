#include "link/TickEvents.h"

#include <utility>

namespace velmora {

namespace {
void zeroMeasurement(ChargerState& s) {
    s.chargeVoltage = 0.0;
    s.chargeCurrent = 0.0;
    s.stageNumber = 0;
    s.elapsedSeconds = 0;
    s.chargeProgress = 0;
}
StatusWord actionableWord(const std::string& text) {
    static const std::pair<const char*, StatusWord> kWords[] = {
        {"STANDBY", StatusWord::Standby},
        {"Reverse_Polarity", StatusWord::Reverse},
        {"Baterai_Unplug", StatusWord::Unplug},
        {"Charge Mode", StatusWord::ChargeMode},
        {"Test Mode", StatusWord::TestMode}};
    for (const auto& [word, kind] : kWords)
        if (text == word) return kind;
    return StatusWord::None;
}
}  // namespace

StatusEvents takeStatusEvents(ChargerState& s) {
    StatusEvents events;
    events.word = actionableWord(s.chargerStatus);
    if (events.word != StatusWord::None) {
        events.wordText = std::exchange(s.chargerStatus, {});
    } else {
        // A report that followed the word within the same tick took its place.
        events.word = actionableWord(s.unseenStatusWord);
        if (events.word != StatusWord::None) events.wordText = s.unseenStatusWord;
    }
    s.unseenStatusWord.clear();
    if (events.word == StatusWord::Standby || events.word == StatusWord::Unplug) zeroMeasurement(s);
    events.batteryDetected = s.batteryStatus == "Baterai_Detected";
    if (events.batteryDetected) s.batteryStatus.clear();
    return events;
}

TestResults takeTestResults(ChargerState& s) {
    TestResults results;
    if (s.beforeResultTag == "1") {
        s.beforeResultTag.clear();
        results.before = s.before;
    }
    if (s.afterResultTag == "5" || s.afterResultTag == "4") {
        s.afterResultTag.clear();
        results.after = s.after;
    }
    if (s.testResultTag == "0") {
        s.testResultTag.clear();
        results.test = s.test;
    }
    return results;
}

std::optional<ReportedProfile> takeReportedProfile(ChargerState& s) {
    if (!s.profileReceived) return std::nullopt;
    s.profileReceived = false;
    return ReportedProfile{s.profileBrandIndex, s.profileVarietyIndex, s.profileTypeIndex,
                           s.profileMode};
}

Measurement measurementOf(const ChargerState& s) {
    return {s.stageNumber,    s.chargeVoltage,  s.chargeCurrent,
            s.elapsedSeconds, s.chargeProgress, s.after.status};
}

TickEvents takeTickEvents(LiveChargerState& state) {
    return state.modify([](ChargerState& s) {
        TickEvents tick;
        tick.status = takeStatusEvents(s);
        tick.results = takeTestResults(s);
        tick.profile = takeReportedProfile(s);
        tick.measurement = measurementOf(s);
        return tick;
    });
}

void resetForNextBattery(ChargerState& s) {
    s.elapsedSeconds = 0;
    s.chargeVoltage = s.chargeCurrent = 0.0;
    s.before = s.after = s.test = TestResult{};
    s.chargeProgress = s.stageNumber = 0;
    s.batteryStatus.clear();
    s.beforeResultTag.clear();
    s.afterResultTag.clear();
    s.testResultTag.clear();
    s.profileMode.clear();
    s.auxTexts = {};
    s.profileReceived = false;
    s.profileBrandIndex = s.profileVarietyIndex = s.profileTypeIndex = 0;
}

}  // namespace velmora
