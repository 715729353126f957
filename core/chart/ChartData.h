#pragma once

#include <optional>
#include <string>

#include "chart/ChartClock.h"
#include "chart/PointSeries.h"
#include "link/ChargerState.h"
#include "link/NumberText.h"

namespace velmora {

// Both charts' points on the charge's own time: x is the time since the charge began
// (days, so 0:00 is its start), as the charger counts it.
struct ChartData {
    ChartClock clock;     // the charge's time where the next point may go
    PointSeries voltage;  // volts
    PointSeries current;  // amperes

    // One point on each chart at the clock, then the clock moves on one second.
    void addPoint(double volts, double amperes);
    // Empties both charts and goes back to the charge's start.
    void clear();
};

// Places a charge history (as the charger sends it after charging: one sample every ten
// seconds, voltage items in volts x100 and current items in milliamperes, the last ending
// at `endDays`) where the live chart has nothing: the part of the charge before its first
// point, when that is longer than a minute (joined late). Ten points per sample, one second
// apart. Stops at the first sample with an item that is not a number and returns the error
// text; the samples before it stay plotted.
std::optional<std::string> plotHistory(const ChargeHistory& history, const NumberFormat& format,
                                       ChartData& charts, double endDays = 0.0);

// The chart step of each refresh tick: the history when both lists have arrived with the
// same length, then one live point of each new reading while the charger charges (stages 2
// to 4), at the charger's elapsed time. A reading whose time went back belongs to another
// charge: the charts start again. Without a live link (livePoint false) the last reading is
// no reading: no point is invented and the line breaks, so the time without readings shows
// as a gap. Returns the error text of a history item that is not a number; the step ends
// there, as any failed step does.
std::optional<std::string> chartStep(LiveChargerState& state, const NumberFormat& format,
                                     ChartData& charts, bool livePoint = true);

}  // namespace velmora
