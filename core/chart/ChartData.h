#pragma once

#include <optional>
#include <string>

#include "chart/ChartClock.h"
#include "chart/PointSeries.h"
#include "link/ChargerState.h"
#include "link/NumberText.h"

namespace velmora {

// Both charts' points and the date-time of the next point.
struct ChartData {
    ChartClock clock;
    PointSeries voltage;  // volts
    PointSeries current;  // amperes

    // One point on each chart at the clock, then the clock moves on one second.
    void addPoint(double volts, double amperes);
    // Empties both charts; the clock goes on from where it is.
    void clear();
};

// Plots a charge history: ten points per sample, one second apart, voltage items in
// volts x100 and current items in milliamperes. Stops at the first sample with an item
// that is not a number and returns the error text; the samples before it stay plotted.
std::optional<std::string> plotHistory(const ChargeHistory& history, const NumberFormat& format,
                                       ChartData& charts);

// The chart step of each refresh tick: the history when both lists have arrived with the
// same length, then one live point while the charger charges (stages 2 to 4), also when no
// new reading came. Without a live link (livePoint false) the last reading is no reading:
// no point is invented, but the second passes, so the chart shows the time without readings
// as a gap in its line. Returns the error text of a history item that is not a number;
// the step ends there, as any failed step does.
std::optional<std::string> chartStep(LiveChargerState& state, const NumberFormat& format,
                                     ChartData& charts, bool livePoint = true);

}  // namespace velmora
