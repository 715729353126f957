// The charge journal's cost: opening the list of 10 000 sessions, reading a 24-hour
// session, writing one 10-second batch (with its flush to disk), one refresh tick's share,
// and the file's growth per hour of charge. Read fixtures live in VELMORA_BENCH_DIR
// (default /dev/shm, built fast there); batches are written under VELMORA_BENCH_DISK_DIR
// (default the temporary folder) so the disk flush is counted.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "journal/ChargeJournal.h"
#include "journal/Journal.h"

namespace {

using namespace velmora::journal;
namespace fs = std::filesystem;

constexpr int kSessions = 10'000;
constexpr int kDaySeconds = 86'400;

std::string folder(const char* variable, const fs::path& fallback) {
    const char* configured = std::getenv(variable);
    fs::path base = configured && *configured ? fs::path(configured) : fallback;
    base /= "velmora_journal_bench_" + std::to_string(getpid());
    fs::create_directories(base);
    return base.string();
}

const std::string& readFolder() {
    static const std::string path = folder(
        "VELMORA_BENCH_DIR", fs::exists("/dev/shm") ? "/dev/shm" : fs::temp_directory_path());
    return path;
}
const std::string& diskFolder() {
    static const std::string path = folder("VELMORA_BENCH_DISK_DIR", fs::temp_directory_path());
    return path;
}

struct Cleanup {
    ~Cleanup() {
        std::error_code ignored;
        fs::remove_all(readFolder(), ignored);
        fs::remove_all(diskFolder(), ignored);
    }
} cleanup;

SessionStart start(int64_t startMs) {
    SessionStart s;
    s.startMs = startMs;
    s.utcOffsetMinutes = 420;
    s.deviceName = "VELMORA-CH1";
    s.deviceAddress = "00:11:22:33:44:55";
    s.profile = {1, 0, 4, "1", "Yuasa", "MF", "YTZ5S", "Normal Mode", "3.5 Ah", "Pak Budi"};
    return s;
}

// One second of a charge, the way a charger moves through its stages.
Point pointAt(int second) {
    const int stage = second < 10 ? 1 : second < 36'000 ? 2 + second % 3 : 6;
    return Point{second * 1000LL, 12.2 + (second % 250) / 100.0, 2.5 - (second % 2000) / 1000.0,
                 stage};
}

SessionUpdate finishedCharge(int seconds) {
    SessionUpdate u;
    for (int s = 0; s < seconds; ++s) u.points.push_back(pointAt(s));
    u.results.before = TestResult{410, 4.5, 11.02, 12.71, ""};
    u.results.after = TestResult{480, 3.9, 11.6, 13.1, "GOOD"};
    u.endMs = seconds * 1000LL;
    u.stopReason = StopReason::Finished;
    return u;
}

// 10 000 sessions of ten minutes each, one per hour or so.
const std::string& tenThousandSessions() {
    static const std::string path = [] {
        const std::string file = readFolder() + "/sessions.sqlite";
        auto journal = Journal::open(file);
        const SessionUpdate charge = finishedCharge(600);
        for (int i = 0; i < kSessions; ++i)
            journal->write(journal->beginSession(start(1'700'000'000'000 + i * 3'600'000LL)),
                           charge);
        return file;
    }();
    return path;
}

void BM_ListTenThousandSessions(benchmark::State& state) {
    auto journal = Journal::open(tenThousandSessions());
    size_t rows = 0;
    for (auto _ : state) rows = journal->list().size();
    state.counters["sessions"] = static_cast<double>(rows);
}
BENCHMARK(BM_ListTenThousandSessions)->Unit(benchmark::kMillisecond);

void BM_ListFirstPageFiltered(benchmark::State& state) {
    auto journal = Journal::open(tenThousandSessions());
    ListQuery query;
    query.text = "yuasa good";
    query.limit = 100;
    for (auto _ : state) benchmark::DoNotOptimize(journal->list(query));
}
BENCHMARK(BM_ListFirstPageFiltered)->Unit(benchmark::kMillisecond);

void BM_ReadDaySession(benchmark::State& state) {
    static const std::pair<std::string, int64_t> fixture = [] {
        const std::string file = readFolder() + "/day.sqlite";
        auto journal = Journal::open(file);
        const int64_t id = journal->beginSession(start(1'700'000'000'000));
        journal->write(id, finishedCharge(kDaySeconds));
        return std::pair{file, id};
    }();
    auto journal = Journal::open(fixture.first);
    size_t points = 0;
    for (auto _ : state) points = journal->session(fixture.second)->points.size();
    state.counters["points"] = static_cast<double>(points);
}
BENCHMARK(BM_ReadDaySession)->Unit(benchmark::kMillisecond);

// One flush of the recorder: ten points in one transaction, on disk when it returns.
void BM_WriteTenSecondBatch(benchmark::State& state) {
    const std::string file = diskFolder() + "/batches.sqlite";
    auto journal = Journal::open(file);
    const int64_t id = journal->beginSession(start(1'700'000'000'000));
    int second = 0;
    for (auto _ : state) {
        SessionUpdate batch;
        for (int i = 0; i < 10; ++i) batch.points.push_back(pointAt(second++));
        journal->write(id, batch);
    }
    state.counters["points"] = second;
}
BENCHMARK(BM_WriteTenSecondBatch)->Unit(benchmark::kMicrosecond);

// The journal's share of one refresh tick without a flush (nine ticks in ten).
void BM_ObserveTick(benchmark::State& state) {
    int64_t now = 1'700'000'000'000;
    ChargeJournal journal(
        diskFolder() + "/ticks.sqlite", [&now] { return now; }, {},
        1'000'000'000);  // never due: only the tick's own work
    TickObservation tick;
    tick.chargerConnected = true;
    tick.statusWord = "Charge Mode";
    tick.context.deviceName = "VELMORA-CH1";
    tick.context.profile = start(0).profile;
    journal.observe(tick);
    tick.statusWord.clear();
    tick.stageNumber = 2;
    int second = 0;
    for (auto _ : state) {
        now += 1000;
        tick.chargeVoltage = 12.0 + (second++ % 200) / 100.0;
        journal.observe(tick);
        if (second % 20'000 == 0) {  // keep the buffer below its cap
            state.PauseTiming();
            journal.forceStop();
            tick.statusWord = "Charge Mode";
            journal.observe(tick);
            tick.statusWord.clear();
            state.ResumeTiming();
        }
    }
    journal.close();
}
BENCHMARK(BM_ObserveTick);

// File size of one hour of charge, recorded the way the window records it.
void BM_BytesPerHourOfCharge(benchmark::State& state) {
    double bytesPerHour = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const std::string file = readFolder() + "/hour.sqlite";
        for (const char* suffix : {"", "-wal", "-shm"}) fs::remove(file + suffix);
        state.ResumeTiming();
        {
            auto journal = Journal::open(file);
            const int64_t id = journal->beginSession(start(1'700'000'000'000));
            for (int batch = 0; batch < 4 * 360; ++batch) {  // four hours, 10 s batches
                SessionUpdate u;
                for (int i = 0; i < 10; ++i) u.points.push_back(pointAt(batch * 10 + i));
                journal->write(id, u);
            }
        }  // closing checkpoints the log into the file
        bytesPerHour = static_cast<double>(fs::file_size(file)) / 4;
    }
    state.counters["bytes_per_hour"] = bytesPerHour;
    state.counters["bytes_per_point"] = bytesPerHour / 3600;
}
BENCHMARK(BM_BytesPerHourOfCharge)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
