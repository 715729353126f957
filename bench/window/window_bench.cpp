// The window's cost: time to the first painted frame, and CPU and memory while it
// monitors a charge with every animation running and records it in the charge journal
// (in a temporary folder; the journal writer's own share is counted apart). Run on a real
// display or under QT_QPA_PLATFORM=offscreen; VELMORA_BENCH_SECONDS sets the monitoring
// time (60).
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QGraphicsView>
#include <QPaintEvent>
#include <QPropertyAnimation>
#include <QTemporaryDir>
#include <QTimer>
#include <fstream>
#include <string>

#include "journal/JournalRecorder.h"
#include "link/SimulatedDevices.h"
#include "shell/TVLForm.h"

namespace {

// Notes the first paint of a widget.
class PaintWatch : public QObject {
public:
    bool painted = false;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) painted = true;
        return false;
    }
};

// Milliseconds since this process was started by the kernel.
double processAgeMs() {
    std::ifstream stat("/proc/self/stat");
    std::string field;
    for (int i = 0; i < 22 && stat >> field; ++i) {
    }
    std::ifstream uptime("/proc/uptime");
    double up = 0;
    uptime >> up;
    return (up - std::stod(field) / static_cast<double>(sysconf(_SC_CLK_TCK))) * 1000.0;
}

double residentMegabytes() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024;
    return 0;
}

double cpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// CPU seconds of this process's thread of that name, to the nanosecond (schedstat); -1 when
// there is none.
double threadCpuSeconds(const QString& name) {
    const QDir tasks(QStringLiteral("/proc/self/task"));
    for (const QString& tid : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile comm(tasks.filePath(tid + QStringLiteral("/comm")));
        if (!comm.open(QIODevice::ReadOnly) || comm.readAll().trimmed() != name.toLatin1())
            continue;
        QFile schedstat(tasks.filePath(tid + QStringLiteral("/schedstat")));
        if (!schedstat.open(QIODevice::ReadOnly)) return -1;
        return schedstat.readAll().split(' ').value(0).toDouble() / 1e9;  // time on a CPU
    }
    return -1;
}

void runFor(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

void BM_StartupToFirstPaint(benchmark::State& state) {
    double firstPaintSinceProcessStart = 0;
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        velmora::TVLForm window(std::make_unique<velmora::DevicePlatform>(nullptr, true), 1366);
        QTemporaryDir documents;
        window.setDocumentsFolder(documents.path());
        PaintWatch watch;
        window.findChild<QGraphicsView*>()->viewport()->installEventFilter(&watch);
        window.show();
        while (!watch.painted) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        state.SetIterationTime(static_cast<double>(clock.nsecsElapsed()) / 1e9);
        if (firstPaintSinceProcessStart == 0) firstPaintSinceProcessStart = processAgeMs();
    }
    state.counters["processStartToFirstPaintMs"] = firstPaintSinceProcessStart;
}
BENCHMARK(BM_StartupToFirstPaint)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_MonitoringChargeCpuAndMemory(benchmark::State& state) {
    const int configured = qEnvironmentVariableIntValue("VELMORA_BENCH_SECONDS");
    const int seconds = configured > 0 ? configured : 60;
    for (auto _ : state) {
        velmora::SimulatorOptions simulator;
        simulator.speed = qEnvironmentVariableIntValue("VELMORA_BENCH_SPEED") > 0
                              ? qEnvironmentVariableIntValue("VELMORA_BENCH_SPEED")
                              : 1;  // a real charger: one reading a second
        velmora::TVLForm window(
            std::make_unique<velmora::DevicePlatform>(nullptr, true, QStringList{}, simulator),
            1366);
        window.setMessageSink([](const QString&) {});
        QTemporaryDir documents;
        window.setDocumentsFolder(documents.path());
        window.show();
        window.FormShow();
        window.BTConnectionClick();
        bool connected = false;
        QObject::connect(&window, &velmora::TVLForm::connectionFinished,
                         [&](bool ok) { connected = ok; });
        window.BTConnectClick();
        while (!connected) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
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
        state.counters["journalKB"] =
            static_cast<double>(
                QFileInfo(window.journal().path()).size() +
                QFileInfo(window.journal().path() + QStringLiteral("-wal")).size()) /
            1024;
        state.counters["residentMB"] = residentMegabytes();
        state.counters["paints"] = counter.count;
        state.counters["avgArea"] = counter.count ? counter.area / counter.count : 0;
        state.counters["stageReached"] = window.state().snapshot().stageNumber;
    }
}
BENCHMARK(BM_MonitoringChargeCpuAndMemory)
    ->UseManualTime()
    ->Unit(benchmark::kSecond)
    ->Iterations(1);

}  // namespace
