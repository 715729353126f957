// Several chargers watched at once against one: the window on the simulated bench, every bay
// on a simulated charger at a real charger's pace (one reading a second) with its own link,
// receive thread and journal recorder, the dashboard or the bench screen shown. CPU of the
// whole process and its share by thread, and resident memory, over VELMORA_BENCH_SECONDS
// (60). One benchmark per process: a second one in the same process would count the first
// one's memory too.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGraphicsView>
#include <QProcess>
#include <QTimer>
#include <algorithm>
#include <memory>
#include <vector>

#include "bench/Bench.h"
#include "link/ChargerLink.h"
#include "link/LinkController.h"
#include "monitor/BenchScreen.h"
#include "simulated_window.h"
#include "window_measures.h"

namespace {

using namespace velmora::bench;

// Six of the simulated devices' chargers, the window's own bay first.
const QStringList kChargers{QStringLiteral("sim:charger"),   QStringLiteral("sim:charger-2"),
                            QStringLiteral("sim:charger-3"), QStringLiteral("sim:charger-4"),
                            QStringLiteral("sim:charger-5"), QStringLiteral("sim:charger-test")};
constexpr int kLinksUpWithinMs = 30000;  // and every charger sending readings

bool allLinksUp(velmora::Bench& bench) {
    for (int i = 0; i < bench.count(); ++i)
        if (!bench.bay(i).control().chargerLinkUp()) return false;
    return true;
}

int baysCharging(velmora::Bench& bench) {
    int charging = 0;
    for (int i = 0; i < bench.count(); ++i)
        charging += bench.bay(i).state().measurement().elapsedSeconds > 0 ? 1 : 0;
    return charging;
}

// Simulated chargers as programs of their own (velmora-charger-sim), each reached over a
// local socket as the window reaches a socket charger: the window's process then runs only
// its own threads, as with real chargers, not the simulated chargers' too.
class ChargerPrograms {
public:
    explicit ChargerPrograms(int count) {
        for (int i = 0; i < count; ++i) {
            auto program = std::make_unique<QProcess>();
            program->start(QStringLiteral(VELMORA_CHARGER_SIM),
                           {QStringLiteral("--listen"), QStringLiteral("tcp:127.0.0.1:0"),
                            QStringLiteral("--seed"), QString::number(i + 2)});
            // Its first line names the port it listens on.
            while (!program->canReadLine() && program->waitForReadyRead(5000)) {
            }
            const QString line = QString::fromUtf8(program->readLine()).trimmed();
            const QString prefix = QStringLiteral("listening on ");
            if (!line.startsWith(prefix)) return;
            addresses.append(line.mid(prefix.size()));
            m_programs.push_back(std::move(program));
        }
    }
    ~ChargerPrograms() {
        for (auto& program : m_programs) {
            program->terminate();  // it ends its charge on SIGTERM
            if (!program->waitForFinished(3000)) program->kill();
            program->waitForFinished(3000);
        }
    }
    QStringList addresses;

private:
    std::vector<std::unique_ptr<QProcess>> m_programs;
};

// Where the window does not yet hand the bays' views to the bench screen itself, the
// benchmark does it on every refresh tick, as that hand-over would. True when it does.
bool feedBenchScreenIfUnfed(velmora::TVLForm& window, velmora::BenchScreen& screen) {
    if (screen.bayCount() == window.bench().count()) return false;
    QObject::connect(window.Timerloop(), &QTimer::timeout, &screen,
                     [&screen, &window] { screen.setBays(window.bench().views()); });
    return true;
}

// Each bay's charge (or test) time as its charger last reported it.
std::vector<int> chargeSeconds(velmora::Bench& bench) {
    std::vector<int> seconds;
    for (int i = 0; i < bench.count(); ++i)
        seconds.push_back(bench.bay(i).state().measurement().elapsedSeconds);
    return seconds;
}

// The share of one core each kind of thread took between two readings of
// threadCpuSeconds(): the window's thread, the journal writers, the program's own
// std::threads (receive threads, the simulated chargers, connecting) and Qt's (display
// connection, raster thread pool).
void countThreadShares(benchmark::State& state, const QHash<QString, double>& before,
                       const QHash<QString, double>& after, double seconds) {
    const QString program =
        QFileInfo(QCoreApplication::applicationFilePath()).fileName().left(15);  // as comm
    double window = 0, journal = 0, links = 0, qt = 0;
    for (auto it = after.begin(); it != after.end(); ++it) {
        const double used = it.value() - before.value(it.key());
        if (it.key() == QLatin1String("main"))
            window += used;
        else if (it.key() == QLatin1String("JournalWriter"))
            journal += used;
        else if (it.key() == program)
            links += used;
        else
            qt += used;
    }
    state.counters["windowThreadCpuPercent"] = 100 * window / seconds;
    state.counters["journalWritersCpuPercent"] = 100 * journal / seconds;
    state.counters["linkThreadsCpuPercent"] = 100 * links / seconds;
    state.counters["qtThreadsCpuPercent"] = 100 * qt / seconds;
}

void BM_MonitoringBays(benchmark::State& state) {
    const int bays = static_cast<int>(state.range(0));
    const bool benchScreen = state.range(1) == 1;
    const bool ownPrograms = state.range(2) == 1;
    const int seconds = benchSeconds(60);
    for (auto _ : state) {
        ChargerPrograms programs(ownPrograms ? bays : 0);
        if (programs.addresses.size() < (ownPrograms ? bays : 0)) {
            state.SkipWithError("a charger program did not start");
            return;
        }
        const QStringList& chargers = ownPrograms ? programs.addresses : kChargers;
        velmora::SimulatorOptions simulator;  // a real charger: one reading a second
        // The test-only charger goes on testing through the run instead of resting after 12 s.
        simulator.durations.testMode = 24 * 3600;
        SimulatedWindow simulated(simulator, programs.addresses);
        velmora::TVLForm& window = simulated.window;
        velmora::Bench& bench = window.bench();
        // The bays are remembered beside the documents, not in this machine's settings.
        bench.setRemembered(velmora::RememberedDevices(simulated.documents.filePath("bays.ini")));
        showAndWaitForFirstPaint(window, *window.findChild<QGraphicsView*>()->viewport());
        for (int i = 0; i < bays; ++i) {
            if (const auto refused = bench.add(chargers.at(i))) {
                state.SkipWithError(refused->toStdString().c_str());
                return;
            }
        }
        QElapsedTimer connecting;
        connecting.start();
        while (!allLinksUp(bench) && connecting.elapsed() < kLinksUpWithinMs)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        if (!allLinksUp(bench)) {
            state.SkipWithError("not every charger's link came up");
            return;
        }
        // Every charger past its battery check and charging (or testing), and the refresh
        // past its "Charge Mode", which brings the dashboard to the front.
        while (baysCharging(bench) < bays && connecting.elapsed() < kLinksUpWithinMs)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        if (baysCharging(bench) < bays) {
            state.SkipWithError("not every charger started its charge");
            return;
        }
        runFor(2000);
        bool fedHere = false;
        if (benchScreen) {
            window.BT5BenchClick();
            runFor(1500);
            auto* screen = window.content()->findChild<velmora::BenchScreen*>();
            if (!screen || !screen->isVisible()) {
                state.SkipWithError("the bench screen is not shown");
                return;
            }
            fedHere = feedBenchScreenIfUnfed(window, *screen);
        }
        runFor(2000);

        long refreshTicks = 0;
        QObject::connect(window.Timerloop(), &QTimer::timeout, [&] { ++refreshTicks; });
        const std::vector<int> chargeSecondsBefore = chargeSeconds(bench);
        const double cpuBefore = cpuSeconds();
        const QHash<QString, double> threadsBefore = threadCpuSecondsByName();
        QElapsedTimer wall;
        wall.start();
        runFor(seconds * 1000);
        const double elapsed = static_cast<double>(wall.nsecsElapsed()) / 1e9;
        state.SetIterationTime(elapsed);
        state.counters["cpuPercentOfOneCore"] = 100.0 * (cpuSeconds() - cpuBefore) / elapsed;
        countThreadShares(state, threadsBefore, threadCpuSecondsByName(), elapsed);
        state.counters["residentMB"] = residentMegabytes();
        state.counters["threads"] = threadCount();
        // Every bay still live and charging (or testing), so the run measured what it says.
        int live = 0;
        for (int i = 0; i < bench.count(); ++i)
            live += bench.bay(i).control().chargerLinkUp() ? 1 : 0;
        state.counters["bays"] = bench.count();
        state.counters["baysLive"] = live;
        if (benchScreen && !window.content()->findChild<velmora::BenchScreen*>()->isVisible())
            state.SkipWithError("the bench screen was left during the run");
        // About the run's seconds when every bay kept up with its charger.
        const std::vector<int> chargeSecondsAfter = chargeSeconds(bench);
        int slowest = seconds * 2;
        for (std::size_t i = 0; i < chargeSecondsAfter.size(); ++i)
            slowest = std::min(slowest, chargeSecondsAfter[i] - chargeSecondsBefore.at(i));
        state.counters["slowestBayChargeSeconds"] = slowest;
        state.counters["refreshTicks"] = refreshTicks;
        state.counters["benchScreenFedByBenchmark"] = fedHere ? 1 : 0;
    }
}
// Arguments: the bays watched; whether the bench screen (1) or the dashboard (0) is shown;
// whether the chargers are the window's built-in simulated ones (0), whose threads count in
// the figures, or programs of their own on local sockets (1), whose threads do not.
BENCHMARK(BM_MonitoringBays)
    ->ArgsProduct({{1, 6}, {0, 1}, {0, 1}})
    ->ArgNames({"bays", "benchScreen", "chargerPrograms"})
    ->UseManualTime()
    ->Unit(benchmark::kSecond)
    ->Iterations(1);

}  // namespace
