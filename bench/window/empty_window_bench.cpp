// The reference for velmora_window_bench: an empty Qt Widgets window of the application's
// size (960 x 540 on a 1366-pixel screen) in a process that has QtCharts loaded. Same
// measures, same way: time to the first painted frame, resident memory, CPU while idle, and
// CPU while repainting a small strip at a steady frame rate (the floor of any animation).
#include <benchmark/benchmark.h>

#include <QChart>
#include <QElapsedTimer>
#include <QPainter>
#include <QTimer>
#include <QWidget>

#include "window_measures.h"

namespace {

using namespace velmora::bench;

constexpr int kWidth = 960;
constexpr int kHeight = 540;

// A chart object keeps QtCharts loaded and initialised, as the application has it.
struct EmptyWindow {
    QChart chart;
    QWidget window;
    EmptyWindow() { window.setFixedSize(kWidth, kHeight); }
};

void BM_EmptyWindowStartupToFirstPaint(benchmark::State& state) {
    double firstPaintSinceProcessStart = 0, residentAtFirstPaint = 0;
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        EmptyWindow empty;
        showAndWaitForFirstPaint(empty.window, empty.window);
        state.SetIterationTime(static_cast<double>(clock.nsecsElapsed()) / 1e9);
        if (firstPaintSinceProcessStart == 0) {
            firstPaintSinceProcessStart = processAgeMs();
            residentAtFirstPaint = residentMegabytes();
        }
    }
    state.counters["processStartToFirstPaintMs"] = firstPaintSinceProcessStart;
    state.counters["residentMBAtFirstPaint"] = residentAtFirstPaint;
}
BENCHMARK(BM_EmptyWindowStartupToFirstPaint)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);

void BM_EmptyWindowIdleCpuAndMemory(benchmark::State& state) {
    const int seconds = benchSeconds(60);
    for (auto _ : state) {
        EmptyWindow empty;
        showAndWaitForFirstPaint(empty.window, empty.window);
        runFor(2000);  // as the application's window is given
        const CpuUse use = measureCpuWhileRunning(seconds);
        state.SetIterationTime(use.wallSeconds);
        state.counters["cpuPercentOfOneCore"] = use.percentOfOneCore;
        state.counters["residentMB"] = residentMegabytes();
    }
}
BENCHMARK(BM_EmptyWindowIdleCpuAndMemory)->UseManualTime()->Unit(benchmark::kSecond)->Iterations(1);

// The floor under any animation: the empty window repainting a strip the size of a wave
// frame (185 x 27) at a given number of frames a second, with nothing else to do.
class StripWindow : public QWidget {
public:
    static constexpr QRect kStrip{388, 367, 185, 27};
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(kStrip, (++m_frames % 2) ? Qt::darkCyan : Qt::darkBlue);
    }
    long frames() const { return m_frames; }

private:
    long m_frames = 0;
};

void BM_EmptyWindowStripRepaints(benchmark::State& state) {
    const int seconds = benchSeconds(60);
    const int framesPerSecond = static_cast<int>(state.range(0));
    for (auto _ : state) {
        QChart chart;
        StripWindow window;
        window.setFixedSize(kWidth, kHeight);
        showAndWaitForFirstPaint(window, window);
        QTimer frames;
        frames.setTimerType(Qt::PreciseTimer);
        QObject::connect(&frames, &QTimer::timeout, &window,
                         [&window] { window.update(StripWindow::kStrip); });
        frames.start(1000 / framesPerSecond);
        runFor(2000);
        const long before = window.frames();
        const CpuUse use = measureCpuWhileRunning(seconds);
        state.SetIterationTime(use.wallSeconds);
        state.counters["cpuPercentOfOneCore"] = use.percentOfOneCore;
        state.counters["framesPerSecond"] =
            static_cast<double>(window.frames() - before) / use.wallSeconds;
    }
}
BENCHMARK(BM_EmptyWindowStripRepaints)
    ->Arg(30)
    ->Arg(8)
    ->UseManualTime()
    ->Unit(benchmark::kSecond)
    ->Iterations(1);

}  // namespace
