// The window's cost: time to the first painted frame, CPU and memory while it monitors a
// charge with every animation running and records it in the charge journal (in a temporary
// folder; the journal writer thread's share is counted apart), and while it waits
// unconnected. The reference
// figures come from velmora_empty_window_bench. Run on a real display or under
// QT_QPA_PLATFORM=offscreen; VELMORA_BENCH_SECONDS sets the monitoring time (60).
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QGraphicsView>
#include <QPaintEvent>
#include <QPropertyAnimation>
#include <QTemporaryDir>
#include <QTimer>

#include "journal/JournalRecorder.h"
#include "link/SimulatedDevices.h"
#include "monitor/ChartScreen.h"
#include "shell/TVLForm.h"
#include "simulated_window.h"
#include "window_measures.h"

namespace {

using namespace velmora::bench;

void BM_StartupToFirstPaint(benchmark::State& state) {
    double firstPaintSinceProcessStart = 0, residentAtFirstPaint = 0;
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        velmora::TVLForm window(std::make_unique<velmora::DevicePlatform>(nullptr, true), 1366);
        QTemporaryDir documents;
        window.setDocumentsFolder(documents.path());
        showAndWaitForFirstPaint(window, *window.findChild<QGraphicsView*>()->viewport());
        state.SetIterationTime(static_cast<double>(clock.nsecsElapsed()) / 1e9);
        if (firstPaintSinceProcessStart == 0) {
            firstPaintSinceProcessStart = processAgeMs();
            residentAtFirstPaint = residentMegabytes();
        }
    }
    state.counters["processStartToFirstPaintMs"] = firstPaintSinceProcessStart;
    state.counters["residentMBAtFirstPaint"] = residentAtFirstPaint;
}
BENCHMARK(BM_StartupToFirstPaint)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_MonitoringChargeCpuAndMemory(benchmark::State& state) {
    const int seconds = benchSeconds(60);
    for (auto _ : state) {
        velmora::SimulatorOptions simulator;
        simulator.speed = qEnvironmentVariableIntValue("VELMORA_BENCH_SPEED") > 0
                              ? qEnvironmentVariableIntValue("VELMORA_BENCH_SPEED")
                              : 1;  // a real charger: one reading a second
        SimulatedWindow simulated(simulator);
        velmora::TVLForm& window = simulated.window;
        connectSimulatedCharger(window);
        if (state.range(0) == 1) {  // the user looks at the charts, then goes back
            runFor(1000);
            window.BT3ChartClick();
            runFor(1000);
            window.BT1Dashboard2Click();
        }
        runFor(2000);  // past connecting and the first frames
        // Counts the frames the view paints and their size.
        struct Counter : QObject {
            long area = 0, count = 0;
            bool eventFilter(QObject*, QEvent* e) override {
                if (e->type() == QEvent::Paint) {
                    auto r = static_cast<QPaintEvent*>(e)->rect();
                    area += r.width() * r.height();
                    ++count;
                }
                return false;
            }
        } counter;
        window.findChild<QGraphicsView*>()->viewport()->installEventFilter(&counter);
        const double cpuBefore = cpuSeconds();
        const double writerBefore = threadCpuSeconds(QStringLiteral("JournalWriter"));
        QElapsedTimer wall;
        wall.start();
        runFor(seconds * 1000);
        const double elapsed = static_cast<double>(wall.nsecsElapsed()) / 1e9;
        state.SetIterationTime(elapsed);
        state.counters["cpuPercentOfOneCore"] = 100.0 * (cpuSeconds() - cpuBefore) / elapsed;
        const double writerAfter = threadCpuSeconds(QStringLiteral("JournalWriter"));
        if (writerBefore < 0 || writerAfter < 0) state.SkipWithError("no journal writer thread");
        state.counters["journalWriterCpuPercent"] = 100.0 * (writerAfter - writerBefore) / elapsed;
        window.journal().sync();
        const QString journal = window.journal().path();
        state.counters["journalKB"] =
            static_cast<double>(QFileInfo(journal).size() +
                                QFileInfo(journal + QStringLiteral("-wal")).size()) /
            1024;
        state.counters["residentMB"] = residentMegabytes();
        state.counters["paints"] = counter.count;
        state.counters["avgArea"] = counter.count ? counter.area / counter.count : 0;
        state.counters["stageReached"] = window.state().snapshot().stageNumber;
    }
}
// Argument 1: the chart screen was looked at before (its charts, made then, stay).
BENCHMARK(BM_MonitoringChargeCpuAndMemory)
    ->Arg(0)
    ->Arg(1)
    ->UseManualTime()
    ->Unit(benchmark::kSecond)
    ->Iterations(1);

// A long charge on one charger: `hours` hours at the charger's own pace
// (one reading per charge second) through the real receive path, refresh, charts and
// journal, with time compressed: the simulated charger sends a reading every `tickMs` and the
// window's refresh ticks as often, so every tick still sees one new reading. CPU per
// refresh tick and resident memory are taken over the first hour of charge and over the last
// one; the day's cost is flat when the last hour costs what the first did. Counters:
// firstHour/lastHour CPU in microseconds per tick, resident MB at the end of each hour, the
// points stored and the reading's stage at the end.
void BM_LongChargeFlatCost(benchmark::State& state) {
    const int hours = static_cast<int>(state.range(0));
    const int tickMs = static_cast<int>(state.range(1));
    constexpr int kHour = 3600;
    for (auto _ : state) {
        velmora::SimulatorOptions simulator;
        simulator.tickMs = tickMs;
        simulator.speed = 1;
        // Still in the constant-current stage at the end, as a large battery on a small
        // charger is: the whole run is one charge being recorded.
        simulator.durations.constantCurrent = (hours + 1) * kHour;
        SimulatedWindow simulated(simulator);
        velmora::TVLForm& window = simulated.window;
        window.Timerloop()->setInterval(tickMs);
        connectSimulatedCharger(window);

        // Counts refresh ticks; measures CPU and memory over `ticks` of them.
        long ticksSeen = 0;
        QObject::connect(window.Timerloop(), &QTimer::timeout, [&] { ++ticksSeen; });
        auto measureTicks = [&](long ticks) {
            const double cpuBefore = cpuSeconds();
            const long start = ticksSeen;
            while (ticksSeen - start < ticks)
                QCoreApplication::processEvents(
                    QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 50);
            return 1e6 * (cpuSeconds() - cpuBefore) / static_cast<double>(ticksSeen - start);
        };
        QElapsedTimer wall;
        wall.start();
        const double firstHourUs = measureTicks(kHour);
        const double firstHourMB = residentMegabytes();
        measureTicks(static_cast<long>(hours - 2) * kHour);
        const double lastHourUs = measureTicks(kHour);
        state.SetIterationTime(static_cast<double>(wall.nsecsElapsed()) / 1e9);
        state.counters["firstHourCpuUsPerTick"] = firstHourUs;
        state.counters["lastHourCpuUsPerTick"] = lastHourUs;
        state.counters["cpuLastOverFirst"] = lastHourUs / firstHourUs;
        state.counters["firstHourResidentMB"] = firstHourMB;
        state.counters["lastHourResidentMB"] = residentMegabytes();
        state.counters["residentLastOverFirst"] = residentMegabytes() / firstHourMB;
        state.counters["pointsStored"] =
            static_cast<double>(window.chartScreen()->data().voltage.size());
        state.counters["stageReached"] = window.state().snapshot().stageNumber;
        // About 1 when the window kept up with the charger: one reading per refresh tick.
        state.counters["chargeSecondsPerTick"] =
            window.state().snapshot().elapsedSeconds / static_cast<double>(ticksSeen);
    }
}
// A 10-hour charge, a reading every 5 ms (3 minutes): slow enough for the whole process
// (charger, receive thread, refresh, journal writer) to keep up on a loaded 2-core machine.
BENCHMARK(BM_LongChargeFlatCost)
    ->Args({10, 5})
    ->UseManualTime()
    ->Unit(benchmark::kSecond)
    ->Iterations(1);

// The window as the user leaves it before connecting: shown, devices listed, timer off.
void BM_IdleUnconnectedCpuAndMemory(benchmark::State& state) {
    const int seconds = benchSeconds(60);
    for (auto _ : state) {
        velmora::TVLForm window(std::make_unique<velmora::DevicePlatform>(nullptr, true), 1366);
        window.setMessageSink([](const QString&) {});
        QTemporaryDir documents;
        window.setDocumentsFolder(documents.path());
        showAndWaitForFirstPaint(window, *window.findChild<QGraphicsView*>()->viewport());
        window.FormShow();
        runFor(2000);  // past the start-up animations
        const CpuUse use = measureCpuWhileRunning(seconds);
        state.SetIterationTime(use.wallSeconds);
        state.counters["cpuPercentOfOneCore"] = use.percentOfOneCore;
        state.counters["residentMB"] = residentMegabytes();
    }
}
BENCHMARK(BM_IdleUnconnectedCpuAndMemory)->UseManualTime()->Unit(benchmark::kSecond)->Iterations(1);

}  // namespace
