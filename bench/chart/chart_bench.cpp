// One chart step plus the repaint of both charts, with 1 000 to 100 000 points stored
// (a day's charge holds about 90 000). What is drawn is reduced to the pixel columns, so
// the cost should hardly grow with the stored points. Run with QT_QPA_PLATFORM=offscreen
// or on a display.
#include <benchmark/benchmark.h>

#include <QChartView>
#include <QGraphicsLayout>
#include <QLineSeries>
#include <cmath>

#include "link/Commands.h"
#include "monitor/ChartScreen.h"
#include "simulator/ModelFeed.h"

namespace {

// A simulated charge stretched so that its history holds `stored` / 10 samples (one
// every 30 simulated seconds, ten points each), left in `live` ready to be plotted.
void chargeWithHistory(velmora::LiveChargerState& live, int stored) {
    velmora::ChargerModel model(3);
    velmora::ChargerModel::Durations durations;
    const int chargeSeconds = stored * 3;
    durations.constantCurrent = chargeSeconds * 8 / 15;
    durations.constantVoltage1 = chargeSeconds * 4 / 15;
    durations.constantVoltage2 =
        chargeSeconds - durations.constantCurrent - durations.constantVoltage1;
    model.setDurations(durations);
    velmora::ModelFeed feed(model, live);
    feed.command(velmora::commands::kStart);
    while (model.stage() != 5) feed.tick();
}

// A screen with a charge of `stored` points plotted.
struct PlottedCharge {
    explicit PlottedCharge(int stored) : charts(&main) {
        main.resize(960, 478);
        main.show();
        chargeWithHistory(live, stored);
        charts.chartStep(live, format);
    }
    void repaint() {
        charts.ChartVoltage->viewport()->repaint();
        charts.ChartCurrent->viewport()->repaint();
    }
    void count(benchmark::State& state) {
        state.counters["stored"] = static_cast<double>(charts.data().voltage.size());
        state.counters["drawn"] = charts.Series1->count();
    }

    QWidget main;
    velmora::ChartScreen charts;
    velmora::LiveChargerState live;
    const velmora::NumberFormat format;
};

// A tick of a running charge: one live point more. The time axis moves only when the
// line has grown by a pixel, so most ticks redraw the line alone.
void BM_ChartStepAndRepaint(benchmark::State& state) {
    PlottedCharge charge(static_cast<int>(state.range(0)));
    int tick = 0;
    for (auto _ : state) {
        charge.live.modify([&](velmora::ChargerState& s) {
            s.stageNumber = 4;
            ++s.elapsedSeconds;  // a new reading each tick, as the charger sends
            s.chargeVoltage = 14.7 + 0.01 * std::sin(++tick);
            s.chargeCurrent = 0.1 + 0.01 * std::cos(tick);
        });
        charge.charts.chartStep(charge.live, charge.format);
        charge.repaint();
    }
    charge.count(state);
}
BENCHMARK(BM_ChartStepAndRepaint)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Iterations(300)  // each adds a point: the stored count stays near its figure
    ->Unit(benchmark::kMillisecond);

// The dearest tick: everything laid out and reduced anew (here because the charts change
// size by a pixel), then repainted.
void BM_ChartWholeRedrawAndRepaint(benchmark::State& state) {
    PlottedCharge charge(static_cast<int>(state.range(0)));
    int width = 960;
    for (auto _ : state) {
        width = width == 960 ? 959 : 960;
        for (QChartView* view : {charge.charts.ChartVoltage, charge.charts.ChartCurrent}) {
            view->resize(width, view->height());
            view->chart()->layout()->activate();
        }
        charge.repaint();
    }
    charge.count(state);
}
BENCHMARK(BM_ChartWholeRedrawAndRepaint)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);

}  // namespace
