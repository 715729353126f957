#pragma once

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <string_view>

#include "link/ChargerState.h"
#include "link/ValueRanges.h"

// Checks shared by the fuzz targets. A broken expectation aborts, which libFuzzer reports
// as a crash and keeps the input that caused it.
namespace fuzzcheck {

inline void require(bool holds, const char* what, std::string_view about = {}) {
    if (holds) return;
    std::fprintf(stderr, "broken expectation: %s %.*s\n", what, static_cast<int>(about.size()),
                 about.data());
    std::abort();
}

inline bool within(double value, velmora::ValueRange range) {
    return std::isfinite(value) && range.contains(value);
}

// Whatever was stored, every number lies in the range of its field: a stray 1e300 or a
// NaN never reaches the screens, the charts or a log file.
inline void requireSaneState(const velmora::ChargerState& s) {
    using namespace velmora::ranges;
    require(within(s.stageNumber, kStage), "stage in range");
    require(within(s.chargeVoltage, kVoltage), "voltage in range");
    require(within(s.chargeCurrent, kCurrent), "current in range");
    require(within(s.elapsedSeconds, kElapsedSeconds), "seconds in range");
    require(within(s.chargeProgress, kProgress), "progress in range");
    for (int cca : {s.beforeCca, s.afterCca, s.testCca}) require(within(cca, kCca), "CCA in range");
    for (double r : {s.beforeResistance, s.afterResistance, s.testResistance})
        require(within(r, kResistance), "resistance in range");
    for (double v : {s.beforeDiagVoltage, s.beforeVoltage, s.afterDiagVoltage, s.afterVoltage,
                     s.testDiagVoltage, s.testVoltage})
        require(within(v, kVoltage), "result voltage in range");
    for (int p : {s.profileBrandIndex, s.profileVarietyIndex, s.profileTypeIndex})
        require(within(p, kPosition), "profile position in range");
    for (const velmora::OptionSlot& slot : s.optionSlots) {
        require(within(slot.capacity, kCapacity), "option capacity in range");
        require(within(slot.current, kOptionCurrent), "option current in range");
        require(within(slot.cca, kCca), "option CCA in range");
    }
    for (const velmora::AuxReading& aux : s.auxReadings) {
        require(within(aux.voltage, kVoltage), "aux voltage in range");
        require(within(aux.current, kCurrent), "aux current in range");
    }
}

}  // namespace fuzzcheck
