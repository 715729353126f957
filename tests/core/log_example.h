#pragma once

#include <string>

#include "link/ChargerState.h"

namespace velmora::testing {

// The worked example of the log format: brand 0, variety 1, type 3, normal mode; before
// 410 CCA, 4.50 mOhm, 12.71 V, 11.02 V; after 455 CCA, 4.20 mOhm, 13.05 V, 11.80 V; no
// status.
inline void exampleResults(ChargerState& s) {
    s.profileBrandIndex = 0;
    s.profileVarietyIndex = 1;
    s.profileTypeIndex = 3;
    s.profileMode = "1";
    s.before.cca = 410;
    s.before.resistance = 4.5;
    s.before.voltage = 12.71;
    s.before.diagVoltage = 11.02;
    s.after.cca = 455;
    s.after.resistance = 4.2;
    s.after.voltage = 13.05;
    s.after.diagVoltage = 11.80;
}

inline const char kExampleRecord[] = "#|0|1|3|1|410|450|1271|1102|455|420|1305|1180||*";
// Its file line, without the CR LF that ends it.
inline const char kExampleLine[] =
    "237C307C317C337C317C3431307C3435307C313237317C313130327C3435357C3432307C313330357C31313830"
    "7C7C2A";

}  // namespace velmora::testing
