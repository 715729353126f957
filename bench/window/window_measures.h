#pragma once

// What the window benchmarks measure, shared by the application's window and the empty
// reference window so both are read the same way.
#include <QHash>
#include <QObject>
#include <QString>

class QWidget;

namespace velmora::bench {

// Notes the first paint of a widget.
class PaintWatch : public QObject {
public:
    bool painted = false;
    bool eventFilter(QObject*, QEvent* event) override;
};

// Milliseconds since this process was started by the kernel.
double processAgeMs();
double residentMegabytes();
// CPU time of this process, user and system.
double cpuSeconds();
// CPU time of this process's thread of that name, to the nanosecond; -1 when there is none.
double threadCpuSeconds(const QString& name);
// CPU time of each of this process's threads so far, summed by thread name; the main thread
// under "main" (threads started with std::thread carry the program's name, as it does).
QHash<QString, double> threadCpuSecondsByName();
// The threads this process runs now.
int threadCount();
// Runs the event loop for ms milliseconds.
void runFor(int ms);
// The process's CPU use while the event loop runs for `seconds`.
struct CpuUse {
    double percentOfOneCore = 0;
    double wallSeconds = 0;
};
CpuUse measureCpuWhileRunning(int seconds);
// Shows the window and returns when `painted` has seen its first paint.
void showAndWaitForFirstPaint(QWidget& window, QWidget& painted);
// Seconds of VELMORA_BENCH_SECONDS, else the fallback.
int benchSeconds(int fallback);

}  // namespace velmora::bench
