#include "chart/ChartData.h"

#include <algorithm>

namespace velmora {

namespace {
constexpr int kPointsPerSample = 10;
constexpr double kSecondDays = 1.0 / 86400;
constexpr double kSampleDays = kPointsPerSample * kSecondDays;
// Less than this missing at the start is the history's own rounding, not a late join.
constexpr double kHistoryFillMinimumDays = 60 * kSecondDays;

std::string notANumber(const std::string& item) {
    return "'" + item + "' bukan angka desimal yang sah";
}
}  // namespace

void ChartData::addPoint(double volts, double amperes) {
    voltage.add(clock.days(), volts);
    current.add(clock.days(), amperes);
    clock.advanceSecond();
}

void ChartData::clear() {
    voltage.clear();
    current.clear();
    clock.setDays(0.0);
}

std::optional<std::string> plotHistory(const ChargeHistory& history, const NumberFormat& format,
                                       ChartData& charts, double endDays) {
    const std::size_t samples = std::min(history.voltage.size(), history.current.size());
    const double startDays = endDays - static_cast<double>(samples) * kSampleDays;
    const double firstLive = charts.voltage.empty() ? endDays : charts.voltage.points().front().x;
    // A chart that has the charge from its start needs none of it.
    if (!charts.voltage.empty() && firstLive - std::max(startDays, 0.0) < kHistoryFillMinimumDays)
        return std::nullopt;
    for (std::size_t i = 0; i < samples; ++i) {
        // Both items are read before either is plotted, so the two charts stay in step.
        const auto volts = parseReal(history.voltage[i], format);
        if (!volts) return notANumber(history.voltage[i]);
        const auto milliamperes = parseReal(history.current[i], format);
        if (!milliamperes) return notANumber(history.current[i]);
        const double sampleStart = std::max(0.0, startDays + static_cast<double>(i) * kSampleDays);
        // Half a second either way is rounding, not another sample's time.
        if (sampleStart < -kSecondDays / 2 ||
            sampleStart + kSampleDays > firstLive + kSecondDays / 2)
            continue;
        for (int k = 0; k < kPointsPerSample; ++k) {
            const double x = sampleStart + k * kSecondDays;
            charts.voltage.add(x, *volts / 100);
            charts.current.add(x, *milliamperes / 1000);
        }
    }
    if (charts.voltage.size() > 0 && charts.clock.days() < charts.voltage.points().back().x)
        charts.clock.setDays(charts.voltage.points().back().x + kSecondDays);
    return std::nullopt;
}

std::optional<std::string> chartStep(LiveChargerState& state, const NumberFormat& format,
                                     ChartData& charts, bool livePoint) {
    const Measurement live = state.measurement();
    const double now = live.elapsedSeconds * kSecondDays;
    if (const auto history = state.takeHistory())
        if (auto error = plotHistory(*history, format, charts, now)) return error;
    if (live.stageNumber < 2 || live.stageNumber > 4) return std::nullopt;
    if (!livePoint) {
        // The charge goes on unseen: no line across the time without readings.
        charts.voltage.breakLine();
        charts.current.breakLine();
        return std::nullopt;
    }
    if (!charts.voltage.empty()) {
        const double last = charts.voltage.points().back().x;
        if (now < last - kSecondDays / 2) {
            charts.clear();  // its time began again: another charge
        } else if (now < last + kSecondDays / 2) {
            return std::nullopt;  // no new reading since the last point
        }
    }
    charts.clock.setDays(now);
    charts.addPoint(live.chargeVoltage, live.chargeCurrent);
    return std::nullopt;
}

}  // namespace velmora
