#include "window_measures.h"

#include <sys/resource.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEvent>
#include <QEventLoop>
#include <QFile>
#include <QTimer>
#include <QWidget>
#include <fstream>
#include <string>

namespace velmora::bench {

bool PaintWatch::eventFilter(QObject*, QEvent* event) {
    if (event->type() == QEvent::Paint) painted = true;
    return false;
}

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

void runFor(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

CpuUse measureCpuWhileRunning(int seconds) {
    const double cpuBefore = cpuSeconds();
    QElapsedTimer wall;
    wall.start();
    runFor(seconds * 1000);
    CpuUse use;
    use.wallSeconds = static_cast<double>(wall.nsecsElapsed()) / 1e9;
    use.percentOfOneCore = 100.0 * (cpuSeconds() - cpuBefore) / use.wallSeconds;
    return use;
}

void showAndWaitForFirstPaint(QWidget& window, QWidget& painted) {
    PaintWatch watch;
    painted.installEventFilter(&watch);
    window.show();
    while (!watch.painted) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    painted.removeEventFilter(&watch);
}

int benchSeconds(int fallback) {
    const int configured = qEnvironmentVariableIntValue("VELMORA_BENCH_SECONDS");
    return configured > 0 ? configured : fallback;
}

namespace {
const QDir& tasks() {
    static const QDir dir(QStringLiteral("/proc/self/task"));
    return dir;
}
QStringList taskIds() {
    return tasks().entryList(QDir::Dirs | QDir::NoDotAndDotDot);
}
QByteArray taskName(const QString& tid) {
    QFile comm(tasks().filePath(tid + QStringLiteral("/comm")));
    return comm.open(QIODevice::ReadOnly) ? comm.readAll().trimmed() : QByteArray();
}
// Time on a CPU, to the nanosecond; -1 when the thread has gone.
double taskCpuSeconds(const QString& tid) {
    QFile schedstat(tasks().filePath(tid + QStringLiteral("/schedstat")));
    if (!schedstat.open(QIODevice::ReadOnly)) return -1;
    return schedstat.readAll().split(' ').value(0).toDouble() / 1e9;
}
}  // namespace

double threadCpuSeconds(const QString& name) {
    for (const QString& tid : taskIds())
        if (taskName(tid) == name.toLatin1()) return taskCpuSeconds(tid);
    return -1;
}

QHash<QString, double> threadCpuSecondsByName() {
    const QString mainTid = QString::number(getpid());
    QHash<QString, double> byName;
    for (const QString& tid : taskIds()) {
        const double seconds = taskCpuSeconds(tid);
        if (seconds < 0) continue;
        byName[tid == mainTid ? QStringLiteral("main") : QString::fromLatin1(taskName(tid))] +=
            seconds;
    }
    return byName;
}

int threadCount() {
    return static_cast<int>(taskIds().size());
}

}  // namespace velmora::bench
