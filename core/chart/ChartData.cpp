#include "chart/ChartData.h"

#include <algorithm>

namespace velmora {

namespace {
constexpr int kPointsPerSample = 10;

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
}

std::optional<std::string> plotHistory(const ChargeHistory& history, const NumberFormat& format,
                                       ChartData& charts) {
    const std::size_t samples = std::min(history.voltage.size(), history.current.size());
    for (std::size_t i = 0; i < samples; ++i) {
        // Both items are read before either is plotted, so the two charts stay in step.
        const auto volts = parseReal(history.voltage[i], format);
        if (!volts) return notANumber(history.voltage[i]);
        const auto milliamperes = parseReal(history.current[i], format);
        if (!milliamperes) return notANumber(history.current[i]);
        for (int k = 0; k < kPointsPerSample; ++k)
            charts.addPoint(*volts / 100, *milliamperes / 1000);
    }
    return std::nullopt;
}

std::optional<std::string> chartStep(LiveChargerState& state, const NumberFormat& format,
                                     ChartData& charts, bool livePoint) {
    if (const auto history = state.takeHistory())
        if (auto error = plotHistory(*history, format, charts)) return error;
    const Measurement live = state.measurement();
    if (live.stageNumber < 2 || live.stageNumber > 4) return std::nullopt;
    if (livePoint) {
        charts.addPoint(live.chargeVoltage, live.chargeCurrent);
    } else {
        // The charge goes on unseen: its time passes on the chart, with no line across it.
        charts.voltage.breakLine();
        charts.current.breakLine();
        charts.clock.advanceSecond();
    }
    return std::nullopt;
}

}  // namespace velmora
