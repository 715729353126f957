#pragma once

#include <optional>
#include <string>

namespace velmora {

// One battery test result; `status` is empty for the before-charge test.
struct TestResult {
    int cca = 0;
    double resistance = 0.0;   // milliohms
    double diagVoltage = 0.0;  // volts under load
    double voltage = 0.0;      // open-circuit volts
    std::string status;
};

// The three results of a battery: before the charge, after it, and of a test-only run;
// a group is absent until the charger reported it.
struct TestResults {
    std::optional<TestResult> before, after, test;
};

}  // namespace velmora
