// Soak of the bench: four simulated chargers watched at once in the window, whole charges
// one after another, the second charger's link dropped every simulated minute. Every
// charge of every bay must be one finished session (the dropped one's with its gaps), no
// receive thread may be left over, and memory must stay flat from round to round. Prints
// its figures; exits non-zero when one is wrong.
//   velmora_bench_soak [ROUNDS]   (default 3)
#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

#include "bench/Bench.h"
#include "journal/Journal.h"
#include "journal/JournalRecorder.h"
#include "journal/SessionGaps.h"
#include "link/ChargerLink.h"
#include "link/Commands.h"
#include "link/LinkController.h"
#include "link/SimulatedDevices.h"
#include "link/Transport.h"
#include "process_figures.h"
#include "shell/TVLForm.h"

using namespace velmora;

namespace {

constexpr int kTickMs = 10;  // real time per simulated second
constexpr int kDropEverySeconds = 60;
constexpr int kDroppedBay = 1;
const char* const kChargers[] = {"sim:charger", "sim:charger-2", "sim:charger-4", "sim:charger-5"};
constexpr int kBays = 4;

int g_faults = 0;
void fault(const std::string& what) {
    ++g_faults;
    std::fprintf(stderr, "FAULT: %s\n", what.c_str());
}

void settle(int ms) {
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, ms);
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 3;
    QTemporaryDir documents;
    SimulatorOptions simulator;
    simulator.tickMs = kTickMs;
    simulator.durations.diagnosis = 4;
    simulator.durations.constantCurrent = 300;
    simulator.durations.constantVoltage1 = 90;
    simulator.durations.constantVoltage2 = 60;
    TVLForm window(std::make_unique<DevicePlatform>(nullptr, true, QStringList{}, simulator), 1366);
    window.setMessageSink(
        [](const QString& text) { std::fprintf(stderr, "message: %s\n", qPrintable(text)); });
    window.setDocumentsFolder(documents.path());
    window.Timerloop()->stop();
    Bench& bench = window.bench();
    const std::size_t threadsBefore = soak::threadCount();
    for (const char* address : kChargers)
        if (const auto refused = bench.add(QString::fromLatin1(address)))
            fault(std::string(address) + ": " + refused->toStdString());
    // The workshop's clock moves one second with each refresh, as the real one does.
    int64_t now = 1'765'370'000'000;
    for (int i = 0; i < bench.count(); ++i) {
        bench.bay(i).journal().setClock([&now] { return now; });
        bench.bay(i).link().setReaderTiming({50, 1});
        bench.bay(i).control().setReconnectSchedule({{100}, 100, 600000});
    }

    int drops = 0;
    std::size_t firstKiB = 0, lastKiB = 0, firstThreads = 0, lastThreads = 0;
    for (int round = 1; round <= rounds && g_faults == 0; ++round) {
        // One whole charge on every bay, the second one's link cut every minute.
        QElapsedTimer took;
        took.start();
        int ticks = 0;
        const auto allFinished = [&] {
            for (int i = 0; i < kBays; ++i)
                if (bench.bay(i).view().outcome == BayView::Outcome::None) return false;
            return true;
        };
        while (!allFinished()) {
            if (took.elapsed() > 600000) {
                fault("round " + std::to_string(round) + " did not finish");
                break;
            }
            settle(kTickMs);
            now += 1000;
            window.TimerloopTimer();
            window.Timerloop()->stop();
            ChargerBay& dropped = bench.bay(kDroppedBay);
            const int stage = dropped.state().measurement().stageNumber;
            if (++ticks % kDropEverySeconds == 0 && stage >= 2 && stage <= 4 &&
                dropped.control().chargerLinkUp()) {
                dropped.link().linkSocket()->release();
                ++drops;
            }
        }
        for (int i = 0; i < kBays; ++i) bench.bay(i).journal().sync();
        const std::size_t kib = soak::residentKiB(), threads = soak::threadCount();
        if (round == 1) firstKiB = kib, firstThreads = threads;
        lastKiB = kib;
        lastThreads = threads;
        std::printf("round %d: %lld ms, %d drops so far, %zu KiB, %zu threads\n", round,
                    static_cast<long long>(took.elapsed()), drops, kib, threads);
        // The next battery on every charger: stopped, then started again.
        for (int i = 0; i < kBays; ++i) {
            ChargerBay& bay = bench.bay(i);
            try {
                bay.link().Kirimstringdata(commands::kForceStop);
                settle(5 * kTickMs);
                bay.link().awaitAnswer();
                bay.link().Kirimstringdata(commands::kStart);
            } catch (const LinkError& e) {
                fault(std::string("bay ") + std::to_string(i) + ": " + e.what());
            }
        }
        for (int i = 0; i < 10; ++i) {
            settle(kTickMs);
            now += 1000;
            window.TimerloopTimer();
            window.Timerloop()->stop();
        }
    }

    // Every charge of every bay: one finished session of its own charger.
    std::map<std::string, int> finished;
    std::size_t gaps = 0;
    journal::JournalOptions look;
    look.create = false;
    look.readOnly = true;
    const auto journal = journal::Journal::open(window.journal().nativePath(), look);
    for (const journal::SessionSummary& s : journal->list()) {
        if (s.start.kind != journal::SessionKind::Charge) continue;
        if (s.stopReason == "finished") ++finished[s.start.deviceAddress];
        if (s.start.deviceAddress == kChargers[kDroppedBay])
            gaps += journal::findGaps(journal->session(s.id)->points).size();
    }
    for (const char* address : kChargers)
        if (finished[address] < rounds)
            fault(std::string(address) + ": " + std::to_string(finished[address]) + " of " +
                  std::to_string(rounds) + " charges finished whole");
    if (gaps < static_cast<std::size_t>(drops))
        fault("the dropped bay's sessions show " + std::to_string(gaps) + " gaps for " +
              std::to_string(drops) + " drops");
    // One receive thread and one journal writer per further bay, the same in every round.
    if (lastThreads > firstThreads) fault("threads grew from round to round");
    if (firstKiB > 0 && lastKiB > firstKiB + firstKiB / 10)
        fault("memory grew by more than a tenth");
    bench.shutDown();
    std::printf(
        "bench soak: %d rounds, %d bays, %d drops, %zu gaps; threads %zu before, %zu after the "
        "first round, %zu after the last; %zu KiB after the first round, %zu after the last; "
        "%d faults\n",
        rounds, kBays, drops, gaps, threadsBefore, firstThreads, lastThreads, firstKiB, lastKiB,
        g_faults);
    return g_faults == 0 ? 0 : 1;
}
