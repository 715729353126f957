#pragma once

#include <functional>

#include <array>
#include <mutex>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "link/TestResult.h"

namespace velmora {

// One custom charge option stored on the charger ("OTHER 1" .. "OTHER 5").
struct OptionSlot {
    std::string name;
    std::string variety;
    std::string brand;
    double capacity = 0.0;  // Ah
    double current = 0.0;   // A
    int cca = 0;
};

// Auxiliary reading the charger reports; kept, shown nowhere.
struct AuxReading {
    double voltage = 0.0;
    double current = 0.0;
    int number = 0;
    std::string text;
};

// Everything the charger has reported, as plain data. Copies are handed to readers.
struct ChargerState {
    // Live measurement
    int stageNumber = 0;
    double chargeVoltage = 0.0;
    double chargeCurrent = 0.0;
    int elapsedSeconds = 0;
    int chargeProgress = 0;

    // Status words
    std::string chargerStatus;
    std::string batteryStatus;
    // The last status-word message not yet acted on. A Test_Charge report overwrites
    // chargerStatus, and one arriving right after "Test Mode" must not hide it.
    std::string unseenStatusWord;

    // The three results, each with the tag that marks it as not yet shown: before the
    // charge ("1"), after it ("4" or "5", with its status) and of a test-only run ("0").
    std::string beforeResultTag;
    TestResult before;
    std::string afterResultTag;
    TestResult after;
    std::string testResultTag;
    TestResult test;

    // Charge profile
    int profileBrandIndex = -1;
    int profileVarietyIndex = -1;
    int profileTypeIndex = -1;
    std::string profileMode;
    bool profileReceived = false;

    // Charge history, texts as the charger sent them
    std::vector<std::string> voltageHistory;
    std::vector<std::string> currentHistory;
    bool historyReady = false;
    // Stores a current history. The empty one that marks the end of a test does not
    // replace a history still waiting to be plotted: on a fast link both come in one receive.
    void storeCurrentHistory(std::vector<std::string> items);
    // "Charge Mode" or "Test Mode": a new charge or test begins, so the readings, results and
    // history held are the last one's and are shown, recorded and printed no more.
    void beginRun();

    std::array<OptionSlot, 5> optionSlots;
    std::array<AuxReading, 3> auxReadings;
    std::array<std::string, 3> auxTexts;

    // Set when a frame ends with the empty current history; results then arrive reversed.
    bool endOfTest = false;
};

// The live measurement the dashboard shows every second, copied without the history.
struct Measurement {
    int stageNumber = 0;
    double chargeVoltage = 0.0;
    double chargeCurrent = 0.0;
    int elapsedSeconds = 0;
    int chargeProgress = 0;
    std::string afterStatus;
};

// Voltage and current history handed to the chart in one piece.
struct ChargeHistory {
    std::vector<std::string> voltage;
    std::vector<std::string> current;
};

// The one shared live state: the receive thread writes it, the window reads it.
// Every access goes through the lock; readers get copies.
class LiveChargerState {
public:
    ChargerState snapshot() const {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_state;
    }
    // Only the measurement: the refresh reads it every second, the lists stay put.
    Measurement measurement() const {
        std::lock_guard<std::mutex> lock(m_mutex);
        return {m_state.stageNumber,    m_state.chargeVoltage,  m_state.chargeCurrent,
                m_state.elapsedSeconds, m_state.chargeProgress, m_state.after.status};
    }

    // Runs fn on the record under one hold of the lock and returns its result.
    template <typename Fn>
    auto modify(Fn&& fn) -> decltype(fn(std::declval<ChargerState&>())) {
        std::lock_guard<std::mutex> lock(m_mutex);
        return fn(m_state);
    }

    // Both history lists when they are ready, non-empty and of equal length;
    // they and historyReady are cleared in the same step.
    std::optional<ChargeHistory> takeHistory();

private:
    mutable std::mutex m_mutex;
    ChargerState m_state;
};

// The live state of the charger the window's screens show now (with several chargers
// watched, the one chosen on the bench): asked afresh at each use.
using ShownChargerState = std::function<LiveChargerState&()>;

}  // namespace velmora
