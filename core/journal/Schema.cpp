#include "journal/Schema.h"

#include <algorithm>

namespace velmora::journal {

namespace {

void createVersion1(sql::Connection& db) {
    db.exec(R"(
CREATE TABLE schema_version (
    version INTEGER PRIMARY KEY,
    applied_ms INTEGER NOT NULL
);
CREATE TABLE sessions (
    id INTEGER PRIMARY KEY,
    kind TEXT NOT NULL,
    start_ms INTEGER NOT NULL,
    utc_offset_min INTEGER NOT NULL,
    end_ms INTEGER,
    stop_reason TEXT NOT NULL DEFAULT '',
    device_name TEXT NOT NULL DEFAULT '',
    device_address TEXT NOT NULL DEFAULT '',
    profile_brand_index INTEGER NOT NULL DEFAULT -1,
    profile_variety_index INTEGER NOT NULL DEFAULT -1,
    profile_type_index INTEGER NOT NULL DEFAULT -1,
    profile_mode TEXT NOT NULL DEFAULT '',
    profile_brand TEXT NOT NULL DEFAULT '',
    profile_variety TEXT NOT NULL DEFAULT '',
    profile_type TEXT NOT NULL DEFAULT '',
    profile_mode_text TEXT NOT NULL DEFAULT '',
    profile_capacity TEXT NOT NULL DEFAULT '',
    profile_name TEXT NOT NULL DEFAULT '',
    before_cca INTEGER, before_resistance REAL, before_diag_voltage REAL, before_voltage REAL,
    after_cca INTEGER, after_resistance REAL, after_diag_voltage REAL, after_voltage REAL,
    after_status TEXT,
    test_cca INTEGER, test_resistance REAL, test_diag_voltage REAL, test_voltage REAL,
    test_status TEXT,
    point_count INTEGER NOT NULL DEFAULT 0,
    last_point_ms INTEGER NOT NULL DEFAULT 0
);
CREATE INDEX sessions_by_start ON sessions (start_ms);
-- Clustered by session: a whole curve is one range read; readings in 10 mV and 1 mA.
CREATE TABLE points (
    session_id INTEGER NOT NULL REFERENCES sessions (id) ON DELETE CASCADE,
    seq INTEGER NOT NULL,
    offset_ms INTEGER NOT NULL,
    centivolts INTEGER NOT NULL,
    milliamps INTEGER NOT NULL,
    stage INTEGER NOT NULL,
    PRIMARY KEY (session_id, seq)
) WITHOUT ROWID;
)");
}

// A charge first seen part-way (connected while the charger was already charging) is
// marked, so its missing start is no surprise.
void addJoinedMidCharge(sql::Connection& db) {
    db.exec("ALTER TABLE sessions ADD COLUMN joined_mid_charge INTEGER NOT NULL DEFAULT 0");
}

// The warranty certificate printed for a session and the job details typed for it: a table
// of its own, so sessions without one (and older programs reading the file) are untouched.
void addCertificates(sql::Connection& db) {
    db.exec(R"(
CREATE TABLE certificates (
    session_id INTEGER PRIMARY KEY REFERENCES sessions (id) ON DELETE CASCADE,
    battery_id TEXT NOT NULL DEFAULT '',
    technician TEXT NOT NULL DEFAULT '',
    job TEXT NOT NULL DEFAULT '',
    in_vehicle INTEGER,
    qr_text TEXT NOT NULL
);
)");
}

// The name of the bay a session's charger stood in, when several chargers are watched at
// once. Sessions kept before have none (the empty text), which is also a single charger's.
void addBayLabels(sql::Connection& db) {
    db.exec(R"(
ALTER TABLE sessions ADD COLUMN bay_label TEXT NOT NULL DEFAULT '';
CREATE INDEX sessions_by_bay ON sessions (bay_label, start_ms);
)");
}

}  // namespace

const std::vector<Migration>& migrations() {
    static const std::vector<Migration> steps{
        {1, createVersion1}, {2, addJoinedMidCharge}, {3, addCertificates}, {4, addBayLabels}};
    return steps;
}

int latestVersion(const std::vector<Migration>& steps) {
    return steps.empty() ? 0 : steps.back().version;
}

int storedVersion(sql::Connection& db) {
    // One statement reads one snapshot: another connection creating the schema between two
    // separate looks would make a new journal seem a foreign database.
    sql::Statement look(db,
                        "SELECT (SELECT count(*) FROM sqlite_master WHERE type = 'table' AND "
                        "name = 'schema_version'), (SELECT count(*) FROM sqlite_master)");
    look.step();
    if (look.int64(0) == 0) {
        if (look.int64(1) != 0) throw JournalError(JournalFault::Corrupt, "not a Velmora journal");
        return 0;
    }
    sql::Statement query(db, "SELECT coalesce(max(version), 0) FROM schema_version");
    query.step();
    return query.integer(0);
}

int migrate(sql::Connection& db, const std::vector<Migration>& steps) {
    int version = storedVersion(db);
    for (const Migration& step : steps) {
        if (step.version <= version) continue;
        sql::Transaction transaction(db);
        version = storedVersion(db);  // another program may have migrated meanwhile
        if (step.version <= version) continue;
        step.apply(db);
        sql::Statement record(db,
                              "INSERT INTO schema_version (version, applied_ms) "
                              "VALUES (?, CAST(strftime('%s', 'now') AS INTEGER) * 1000)");
        record.bind(1, step.version).run();
        transaction.commit();
        version = step.version;
    }
    return version;
}

}  // namespace velmora::journal
