// The charge history in the window: opening the list of 10 000 kept sessions (reading them,
// filling the list, drawing it), narrowing it by a typed word, and showing a 24-hour
// session with its two charts. Run with QT_QPA_PLATFORM=offscreen or on a display; the
// journal lives in a temporary folder.
#include <benchmark/benchmark.h>

#include <QAbstractButton>
#include <QLineEdit>
#include <QTableView>
#include <QTemporaryDir>

#include "journal/HistoryBrowser.h"
#include "journal/HistoryDialog.h"
#include "journal/Journal.h"
#include "journal/JournalRecorder.h"
#include "journal/SessionListModel.h"
#include "journal/SessionPage.h"
#include "link/SimulatedDevices.h"
#include "shell/TVLForm.h"

namespace {

using namespace velmora;

constexpr int kSessions = 10'000;
constexpr int kDaySeconds = 86'400;

journal::SessionStart start(int64_t startMs, int i) {
    static const char* const kBrands[] = {"Yuasa", "GSAstra", "Zentor", "Other"};
    static const char* const kTypes[] = {"YTZ5S", "GM5Z-3B", "ZRM7A 4B", "YTX16-BS"};
    journal::SessionStart s;
    s.startMs = startMs;
    s.utcOffsetMinutes = 420;
    s.deviceName = "VELMORA-CH1";
    s.profile = {1, 0, 4, "1", kBrands[i % 4], "MF", kTypes[i % 4], "Normal Mode", "3,5 Ah", ""};
    return s;
}

journal::SessionUpdate charge(int seconds, const char* status) {
    journal::SessionUpdate u;
    for (int t = 0; t < seconds; ++t)
        u.points.push_back(
            {t * 1000LL, 12.2 + t % 250 / 100.0, 2.5 - t % 2000 / 1000.0, t < 10 ? 1 : 2 + t % 3});
    u.results.before = journal::TestResult{410, 4.5, 11.02, 12.71, ""};
    u.results.after = journal::TestResult{480, 3.9, 11.6, 13.1, status};
    u.endMs = seconds * 1000LL;
    u.stopReason = journal::StopReason::Finished;
    return u;
}

// A window whose journal holds 10 000 short sessions and, newest, one of a whole day.
struct Workshop {
    QTemporaryDir documents;
    TVLForm window{std::make_unique<DevicePlatform>(nullptr, true), 1366};

    Workshop() {
        window.setMessageSink([](const QString&) {});
        window.setDocumentsFolder(documents.path());
        auto journal = journal::Journal::open(window.journal().nativePath());
        const int64_t first = 1'700'000'000'000;
        for (int i = 0; i < kSessions; ++i) {
            journal::SessionUpdate u = charge(60, i % 7 ? "GOOD" : "RECHARGE");
            u.endMs = first + i * 3'600'000LL + *u.endMs;
            journal->write(journal->beginSession(start(first + i * 3'600'000LL, i)), u);
        }
        const int64_t dayStart = first + int64_t{kSessions} * 3'600'000;
        journal::SessionUpdate day = charge(kDaySeconds, "GOOD");
        day.endMs = dayStart + *day.endMs;
        journal->write(journal->beginSession(start(dayStart, 0)), day);
        window.show();
    }
    QTableView* list() { return window.control<QTableView>(QStringLiteral("ListRiwayat")); }
};

Workshop& workshop() {
    static Workshop shared;
    return shared;
}

void BM_OpenListOfTenThousandSessions(benchmark::State& state) {
    Workshop& w = workshop();
    int rows = 0;
    for (auto _ : state) {
        w.window.RRiwayatClick();
        benchmark::DoNotOptimize(w.list()->grab());  // laid out and drawn as shown
        rows = w.list()->model()->rowCount();
        state.PauseTiming();
        w.window.history().close();
        state.ResumeTiming();
    }
    state.counters["sessions"] = rows;
}
BENCHMARK(BM_OpenListOfTenThousandSessions)->Unit(benchmark::kMillisecond);

void BM_FilterTenThousandSessions(benchmark::State& state) {
    Workshop& w = workshop();
    w.window.RRiwayatClick();
    auto* edit = w.window.control<QLineEdit>(QStringLiteral("EditCariRiwayat"));
    int rows = 0;
    for (auto _ : state) {
        edit->setText(QStringLiteral("zentor recharge"));
        rows = w.list()->model()->rowCount();
        edit->clear();
    }
    state.counters["rowsLeft"] = rows;
    w.window.history().close();
}
BENCHMARK(BM_FilterTenThousandSessions)->Unit(benchmark::kMillisecond);

void BM_ShowDaySession(benchmark::State& state) {
    Workshop& w = workshop();
    w.window.RRiwayatClick();
    w.list()->selectRow(0);  // newest: the day-long charge
    auto* page = w.window.control<SessionPage>(QStringLiteral("PageSesi"));
    for (auto _ : state) {
        w.window.history().showSelected();
        benchmark::DoNotOptimize(page->grab());  // both charts laid out and drawn
    }
    state.counters["points"] = static_cast<double>(page->data().voltage.size());
    w.window.history().close();
}
BENCHMARK(BM_ShowDaySession)->Unit(benchmark::kMillisecond);

}  // namespace
