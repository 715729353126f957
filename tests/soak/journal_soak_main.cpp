// Soak of the charge record across cut links: whole charges on the simulated charger, its
// link cut every simulated minute for a few seconds and made again (a new connection, the
// start command, a new receive thread), the window's tick every simulated second. Run once
// for each answer a charger may give to the start command mid-charge. Every charge must be
// one session to its real end, with no point of another charge and one gap per cut, as long
// as the cut. Prints its figures; exits non-zero when one is wrong.
//   velmora_journal_soak [CHARGES]   (default 6 for each answer)
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <utility>

#include "journal/ChargeJournal.h"
#include "journal/SessionGaps.h"
#include "journal/TickFromEvents.h"
#include "link/Commands.h"
#include "link/MemoryTransport.h"
#include "link/TReadThread.h"
#include "simulator/ChargerSimulator.h"

using namespace velmora;

namespace {

constexpr int kTickMs = 20;  // real time per simulated second
// Every minute of charge, so the cuts miss the charger's results (at the end of stages 1
// and 5, which a cut would hide from any program).
constexpr int kCutEverySeconds = 60;
constexpr int kCutSeconds = 6;
constexpr int64_t kGapSlackMs = 4000;  // reconnecting and the first reading after it

struct Figures {
    int charges = 0, sessions = 0, cuts = 0, gaps = 0, points = 0, faults = 0;
    int64_t longestGapOverCutMs = 0;
};

void fault(Figures& figures, const std::string& what) {
    ++figures.faults;
    std::fprintf(stderr, "FAULT: %s\n", what.c_str());
}

// The charger on the bench and the window's side of its link.
class Bench {
public:
    Bench(ChargerModel::StartAnswer answer, const std::string& path)
        : m_journal(
              path, [this] { return m_now.load(); }, {}, 10'000) {
        SimulatorOptions options;
        options.tickMs = kTickMs;
        options.keepsCharging = true;
        options.startAnswer = answer;
        options.durations.detectDelay = 1;
        options.durations.startDelay = 1;
        options.durations.diagnosis = 4;
        options.durations.constantCurrent = 240;
        options.durations.constantVoltage1 = 90;
        options.durations.constantVoltage2 = 60;
        m_charger = std::make_unique<ChargerSimulator>(nullptr, options);
    }
    ~Bench() {
        cut();
        m_charger->stop();
    }

    void connect() {
        auto [app, charger] = MemoryTransport::createPair();
        m_app = app;
        m_charger->attach(charger);
        m_charger->start();
        m_readerStop = false;
        m_reader = std::make_unique<TReadThread>(m_app, m_state, m_readerStop, ReaderTiming{50, 1});
        m_reader->start();
        send(commands::kStart);
    }
    void cut() {
        if (m_app) m_app->release();
        if (m_reader) m_reader->stop();
        m_reader.reset();
        m_app.reset();
    }
    void send(const std::string& command) {
        m_app->send(command);
        if (command == commands::kStart) m_startSent = true;
    }

    // One simulated second of the window: the tick's events to the journal.
    void tick(bool connected, bool mayReturn) {
        std::this_thread::sleep_for(std::chrono::milliseconds(kTickMs));
        m_now += 1000;
        const TickEvents events = takeTickEvents(m_state);
        journal::SessionContext context;
        context.deviceName = "Soak charger";
        context.deviceAddress = "sim:soak";
        journal::TickObservation observed =
            journal::observationOf(events, connected, std::move(context), connected);
        observed.linkMayReturn = mayReturn;
        observed.startCommandSent = std::exchange(m_startSent, false);
        m_journal.observe(observed);
    }
    bool recording() const { return m_journal.recordingSessionId().has_value(); }
    void close() { m_journal.close(); }

private:
    std::atomic<int64_t> m_now{1'765'370'000'000};
    journal::ChargeJournal m_journal;
    std::unique_ptr<ChargerSimulator> m_charger;
    LiveChargerState m_state;
    std::shared_ptr<MemoryTransport> m_app;
    std::atomic<bool> m_readerStop{false};
    std::unique_ptr<TReadThread> m_reader;
    bool m_startSent = false;
};

// Charges one battery after another, cutting the link every minute of charge.
std::vector<int> chargeWithCuts(Bench& bench, int charges, Figures& figures) {
    std::vector<int> cutsPerCharge;
    bench.connect();
    for (int charge = 0; charge < charges; ++charge) {
        if (charge > 0) {
            bench.send(commands::kForceStop);  // the battery before is taken off
            bench.send(commands::kStart);
        }
        int seconds = 0, cuts = 0;
        bool started = false;
        for (; seconds < 2000; ++seconds) {
            bench.tick(true, false);
            if (!started) {
                started = bench.recording();
                continue;
            }
            if (!bench.recording()) break;  // the charge's end
            if (seconds % kCutEverySeconds == 0) {
                bench.cut();
                for (int s = 0; s < kCutSeconds; ++s) bench.tick(false, true);
                seconds += kCutSeconds;  // the charge went on meanwhile
                bench.connect();
                ++cuts;
            }
        }
        if (seconds >= 2000) fault(figures, "charge " + std::to_string(charge) + " never ended");
        cutsPerCharge.push_back(cuts);
        figures.cuts += cuts;
        ++figures.charges;
    }
    bench.cut();
    bench.close();
    return cutsPerCharge;
}

void checkSessions(const std::string& path, const std::vector<int>& cutsPerCharge,
                   Figures& figures) {
    const auto journal = journal::Journal::open(path);
    std::vector<journal::SessionSummary> list = journal->list();
    std::reverse(list.begin(), list.end());  // oldest first, as charged
    figures.sessions = static_cast<int>(list.size());
    if (list.size() != cutsPerCharge.size())
        fault(figures, std::to_string(list.size()) + " sessions for " +
                           std::to_string(cutsPerCharge.size()) + " charges");
    for (std::size_t i = 0; i < list.size() && i < cutsPerCharge.size(); ++i) {
        const std::string name = "session " + std::to_string(i);
        const auto session = journal->session(list[i].id);
        if (!session) {
            fault(figures, name + " unreadable");
            continue;
        }
        if (session->summary.stopReason != "finished")
            fault(figures, name + " ended as " + session->summary.stopReason);
        if (!session->summary.results.before || !session->summary.results.after)
            fault(figures, name + " lacks a result");
        int stage = 0;
        for (const journal::Point& p : session->points) {
            if (p.stage < stage || p.voltage < 10.0)
                fault(figures, name + ": a point of another charge at " +
                                   std::to_string(p.offsetMs) + " ms");
            stage = p.stage;
        }
        // Stage 1 lasts a few ticks here: a busy machine may show the first reading of stage 2.
        if (!session->points.empty() && session->points.front().stage > 2)
            fault(figures,
                  name + " begins at stage " + std::to_string(session->points.front().stage));
        figures.points += static_cast<int>(session->points.size());
        const std::vector<journal::Gap> gaps = journal::findGaps(session->points);
        figures.gaps += static_cast<int>(gaps.size());
        if (static_cast<int>(gaps.size()) != cutsPerCharge[i])
            fault(figures, name + ": " + std::to_string(gaps.size()) + " gaps for " +
                               std::to_string(cutsPerCharge[i]) + " cuts");
        for (const journal::Gap& gap : gaps) {
            const int64_t over = gap.toMs - gap.fromMs - kCutSeconds * 1000;
            figures.longestGapOverCutMs = std::max(figures.longestGapOverCutMs, over);
            if (over < 0 || over > kGapSlackMs)
                fault(figures, name + ": a gap of " + std::to_string(gap.toMs - gap.fromMs) +
                                   " ms for a cut of " + std::to_string(kCutSeconds) + " s");
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    const int charges = argc > 1 ? std::max(1, std::atoi(argv[1])) : 6;
    const auto folder = std::filesystem::temp_directory_path() /
                        ("velmora_journal_soak_" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    int faults = 0;
    for (const auto answer :
         {ChargerModel::StartAnswer::Standby, ChargerModel::StartAnswer::State}) {
        const bool standby = answer == ChargerModel::StartAnswer::Standby;
        const std::string path = (folder / (standby ? "standby.sqlite" : "state.sqlite")).string();
        Figures figures;
        std::vector<int> cuts;
        {
            Bench bench(answer, path);
            cuts = chargeWithCuts(bench, charges, figures);
        }
        checkSessions(path, cuts, figures);
        std::printf(
            "start answered with %-7s: %d charges, %d sessions, %d cuts, %d gaps, %d points, "
            "longest gap %lld ms over its cut, %d faults\n",
            standby ? "STANDBY" : "state", figures.charges, figures.sessions, figures.cuts,
            figures.gaps, figures.points, static_cast<long long>(figures.longestGapOverCutMs),
            figures.faults);
        faults += figures.faults;
    }
    std::filesystem::remove_all(folder);
    return faults == 0 ? 0 : 1;
}
