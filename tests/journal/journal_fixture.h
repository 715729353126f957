#pragma once

#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "journal/Journal.h"
#include "journal/SessionRecorder.h"
#include "journal/SessionTracker.h"

namespace velmora::journal::testing {

// A fresh folder per test, removed afterwards.
class TempFolder {
public:
    TempFolder() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "velmora_journal_XXXXXX").string();
        m_path = mkdtemp(pattern.data());
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    std::string file(const std::string& name) const { return m_path + "/" + name; }
    const std::string& path() const { return m_path; }

private:
    std::string m_path;
};

// A clock the test moves by hand.
struct FakeClock {
    int64_t now = 1'765'370'000'000;  // 2025-12-10, a plain UTC instant
    Clock clock() {
        return [this] { return now; };
    }
    void advance(int64_t ms) { now += ms; }
};

// A plain SQLite connection to look at the file behind the journal's back.
struct RawDb {
    explicit RawDb(const std::string& path, int flags = SQLITE_OPEN_READWRITE) {
        sqlite3_open_v2(path.c_str(), &db, flags, nullptr);
    }
    ~RawDb() { sqlite3_close(db); }
    int exec(const char* sql) { return sqlite3_exec(db, sql, nullptr, nullptr, nullptr); }
    int64_t scalar(const char* sql) {
        sqlite3_stmt* stmt = nullptr;
        int64_t value = -1;
        if (sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr) == SQLITE_OK &&
            sqlite3_step(stmt) == SQLITE_ROW)
            value = sqlite3_column_int64(stmt, 0);
        sqlite3_finalize(stmt);
        return value;
    }
    std::string text(const char* sql) {
        sqlite3_stmt* stmt = nullptr;
        std::string value;
        if (sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr) == SQLITE_OK &&
            sqlite3_step(stmt) == SQLITE_ROW && sqlite3_column_text(stmt, 0))
            value = reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0));
        sqlite3_finalize(stmt);
        return value;
    }
    sqlite3* db = nullptr;
};

inline Profile yuasaProfile() {
    Profile p;
    p.brandIndex = 1;
    p.varietyIndex = 0;
    p.typeIndex = 4;
    p.mode = "1";
    p.brand = "Yuasa";
    p.variety = "MF";
    p.type = "YTZ5S";
    p.modeText = "Normal Mode";
    p.capacity = "3.5 Ah";
    p.name = "Pak Budi; \"Vario\"";
    return p;
}

inline SessionStart chargeStart(int64_t startMs, int offsetMinutes = 420) {
    SessionStart s;
    s.kind = SessionKind::Charge;
    s.startMs = startMs;
    s.utcOffsetMinutes = offsetMinutes;
    s.deviceName = "VELMORA-CH1";
    s.deviceAddress = "00:11:22:33:44:55";
    s.profile = yuasaProfile();
    return s;
}

// Runs `check` in a child without root's right to write anything, so file modes count
// (as another user, modes count anyway).
// Returns the child's exit code.
template <typename Fn>
inline int asUnprivileged(Fn check) {
    const pid_t child = fork();
    if (child == 0) {
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(100);
        _exit(check());
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 101;
}

inline TickObservation connectedTick(const char* word = "") {
    TickObservation tick;
    tick.chargerConnected = true;
    tick.statusWord = word;
    tick.stageNumber = 2;
    tick.chargeVoltage = 13.1;
    tick.chargeCurrent = 2.0;
    tick.context.deviceName = "VELMORA-CH1";
    return tick;
}

}  // namespace velmora::journal::testing
