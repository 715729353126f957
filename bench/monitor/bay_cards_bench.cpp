// The bench screen's share of a second: every bay's card given its new view and the
// changed parts drawn, with one and with six bays, and what the cards add to the resident
// memory. Each card holds a curve of 300 points, as a long charge's card does. Run with
// QT_QPA_PLATFORM=offscreen or on a display.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <cmath>

#include "monitor/BenchScreen.h"
#include "window/window_measures.h"

namespace {

using velmora::BayView;

BayView bayAt(int bay, int second) {
    BayView view;
    view.label = QStringLiteral("Rak %1").arg(bay + 1);
    view.deviceName = QStringLiteral("VELMORA-CHG-%1").arg(bay + 1);
    view.deviceAddress = QStringLiteral("00:1A:7D:DA:71:%1").arg(bay + 10);
    view.link = BayView::Link::Live;
    view.battery = QStringLiteral("Yuasa YTX7L-BS");
    view.stage = 3;
    view.voltage = 14.2 + 0.01 * std::sin(second + bay);
    view.current = 0.8 + 0.01 * std::cos(second + bay);
    view.progress = 60 + second / 60 % 40;
    view.elapsedSeconds = 3600 + second;
    for (int i = 0; i < 300; ++i)  // a point a minute, the newest moving on each second
        view.curve.append(
            {double(second + (i - 299) * 60), 12.4 + 2.0 * (1 - std::exp(-i / 80.0))});
    return view;
}

struct Bench {
    explicit Bench() : screen(&main, velmora::NumberFormat{','}) {
        main.resize(960, 478);
        main.show();
    }
    void show(int bays, int second) {
        QVector<BayView> views;
        for (int b = 0; b < bays; ++b) views.append(bayAt(b, second));
        screen.setBays(views);
        QCoreApplication::processEvents();  // the changed parts drawn
    }
    QWidget main;
    velmora::BenchScreen screen;
};

// One refresh: each card a new reading, time and curve point.
void BM_BenchSecond(benchmark::State& state) {
    const int bays = static_cast<int>(state.range(0));
    Bench bench;
    int second = 0;
    bench.show(bays, second);
    for (auto _ : state) bench.show(bays, ++second);
    state.counters["bays"] = bays;
}
BENCHMARK(BM_BenchSecond)->Arg(1)->Arg(6)->Unit(benchmark::kMicrosecond);

// The same views again: nothing is redrawn.
void BM_BenchSecondUnchanged(benchmark::State& state) {
    Bench bench;
    bench.show(6, 1);
    for (auto _ : state) bench.show(6, 1);
}
BENCHMARK(BM_BenchSecondUnchanged)->Unit(benchmark::kMicrosecond);

// Resident memory each card past the first adds, drawn twice (the first card also loads
// the fonts and pictures all of them share). Sixty cards, so that the figure stands above
// the pages the allocator keeps anyway.
void BM_CardMemory(benchmark::State& state) {
    for (auto _ : state) {
        Bench bench;
        bench.show(1, 1);
        bench.show(1, 2);
        const double before = velmora::bench::residentMegabytes();
        bench.show(61, 1);
        bench.show(61, 2);
        const double after = velmora::bench::residentMegabytes();
        state.counters["MBPerCard"] = (after - before) / 60;
    }
}
BENCHMARK(BM_CardMemory)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
