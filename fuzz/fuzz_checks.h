#pragma once

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <string_view>

#include "link/ChargerState.h"

// Checks shared by the fuzz targets. A broken expectation aborts, which libFuzzer reports
// as a crash and keeps the input that caused it.
namespace fuzzcheck {

inline void require(bool holds, const char* what, std::string_view about = {}) {
    if (holds) return;
    std::fprintf(stderr, "broken expectation: %s %.*s\n", what, static_cast<int>(about.size()),
                 about.data());
    std::abort();
}

// Whatever was stored is a number as the charger sent it: values are kept whatever their
// size, but nothing that overflowed, no infinity and no NaN reaches the screens, the
// charts or a log file.
inline void requireFiniteState(const velmora::ChargerState& s) {
    for (double v : {s.chargeVoltage, s.chargeCurrent, s.before.resistance, s.after.resistance,
                     s.test.resistance, s.before.diagVoltage, s.before.voltage, s.after.diagVoltage,
                     s.after.voltage, s.test.diagVoltage, s.test.voltage})
        require(std::isfinite(v), "finite reading or result");
    for (const velmora::OptionSlot& slot : s.optionSlots)
        require(std::isfinite(slot.capacity) && std::isfinite(slot.current), "finite option slot");
    for (const velmora::AuxReading& aux : s.auxReadings)
        require(std::isfinite(aux.voltage) && std::isfinite(aux.current), "finite aux reading");
}

}  // namespace fuzzcheck
