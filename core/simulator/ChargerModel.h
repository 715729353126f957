#pragma once

#include <array>
#include <random>
#include <string>
#include <vector>

#include "catalogue/Dataaki.h"

namespace velmora {

// A simulated charger: takes the application's commands and, advanced one simulated
// second at a time, produces the frames a real charger would send (each frame one or
// more messages, every message ending in CR LF). Pure logic: no threads, no clock.
class ChargerModel {
public:
    // Stage lengths in simulated seconds.
    struct Durations {
        int detectDelay = 3;  // start command .. battery detected
        int startDelay = 2;   // detected .. charge starts
        int diagnosis = 8;    // stages 1 and 5
        int constantCurrent = 2400;
        int constantVoltage1 = 1200;
        int constantVoltage2 = 900;
        int testMode = 12;  // test-only run
    };

    // What the charger says to a start command while it is already charging or testing.
    // Real chargers may do either; the application must record the charge right for both.
    enum class StartAnswer {
        Standby,  // "#|STANDBY|*" and the option list, then goes on as before
        State,    // only the option list: its readings go on
    };

    explicit ChargerModel(unsigned seed = 1);

    void setDurations(const Durations& durations) { m_durations = durations; }
    // Starts the test-only mode at the next start command instead of a charge.
    void setTestOnly(bool testOnly) { m_testOnly = testOnly; }
    // A worn battery: it charges, but holds little cranking current after ("BAD").
    void setWornBattery(bool worn) { m_worn = worn; }
    void setStartAnswer(StartAnswer answer) { m_startAnswer = answer; }

    // Feeds bytes received from the application; commands end with "*".
    std::vector<std::string> receive(const std::string& bytes);
    // Advances simulated time by one second and returns the frames to send.
    std::vector<std::string> tick();

    int stage() const { return m_stage; }
    bool charging() const { return m_phase == Phase::Charging; }
    bool finished() const { return m_stage == 6; }
    const std::string& dealerInformation() const { return m_dealer; }
    const std::string& lastCommand() const { return m_lastCommand; }

private:
    enum class Phase { Off, Waiting, Detected, Charging, TestOnly, Standby };
    struct Slot {
        std::string name, variety, brand;
        int capacityX10 = 0, currentX10 = 0, cca = 0;
    };

    std::vector<std::string> handleCommand(const std::string& command);
    void chargeSecond(std::vector<std::string>& out);
    void testSecond(std::vector<std::string>& out);
    void enterStage(int stage, std::vector<std::string>& out);
    std::string liveReading() const;
    std::string optionSlotsMessage() const;
    std::string historyFrame() const;
    // A defined option slot: its name, and variety and brand texts from the catalogue.
    Slot customSlot(int slot, int variety, int capacityX10, int currentX10, int cca) const;
    // Charge current for a catalogue battery; the fallback when it is not in the catalogue.
    double profileCurrent(int brand, int variety, int type, bool fast) const;
    void sampleHistory();
    double jitter(double amplitude);

    Durations m_durations;
    bool m_testOnly = false;
    bool m_worn = false;
    StartAnswer m_startAnswer = StartAnswer::Standby;
    Phase m_phase = Phase::Off;
    int m_phaseSeconds = 0;  // seconds spent in the current phase or stage
    int m_stage = 0;
    int m_elapsed = 0;  // seconds since the charge started
    double m_voltage = 0.0;
    double m_current = 0.0;
    double m_restVoltage = 12.4;
    int m_progress = 0;
    double m_targetCurrent = 2.5;
    bool m_fastMode = false;
    int m_profile[3] = {-1, -1, -1};
    std::array<Slot, 5> m_slots;
    std::vector<int> m_voltageSamples;  // volts x100
    std::vector<int> m_currentSamples;  // milliamperes
    std::string m_afterStatus;
    std::string m_pending;  // command bytes not yet ended by "*"
    std::string m_dealer;
    std::string m_lastCommand;
    std::mt19937 m_random;
    Dataaki m_catalogue;  // the same catalogue the application sends positions of
};

}  // namespace velmora
