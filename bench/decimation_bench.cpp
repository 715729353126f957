// Reducing a chart's stored points to what its pixel columns can show, per chart step.
#include <benchmark/benchmark.h>

#include <cmath>
#include <random>

#include "chart/AxisLayout.h"
#include "chart/Decimation.h"

namespace {

void BM_DecimateMinMax(benchmark::State& state) {
    velmora::PointSeries series;
    std::mt19937 random(5);
    std::uniform_real_distribution<double> jitter(-0.01, 0.01);
    for (int i = 0; i < state.range(0); ++i)
        series.add(i / 86400.0, 13 + std::sin(i / 3000.0) + jitter(random));
    const velmora::TimeSpan span = velmora::timeAxisSpan(series, 0, 900);
    std::vector<velmora::ChartPoint> drawn;
    for (auto _ : state) {
        velmora::decimateMinMax(series, span.first, span.last, 900, 0.03,
                                drawn);  // a pixel row of the voltage chart
        benchmark::DoNotOptimize(drawn.data());
    }
    state.counters["drawn"] = static_cast<double>(drawn.size());
}
BENCHMARK(BM_DecimateMinMax)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);

}  // namespace
