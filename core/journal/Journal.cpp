#include "journal/Journal.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <new>
#include <random>
#include <sstream>
#include <stdexcept>
#include <thread>

namespace velmora::journal {

namespace {

using sql::Connection;
using sql::Statement;

constexpr const char* kSummaryColumns =
    "id, kind, start_ms, utc_offset_min, end_ms, stop_reason, device_name, device_address, "
    "profile_brand_index, profile_variety_index, profile_type_index, profile_mode, "
    "profile_brand, profile_variety, profile_type, profile_mode_text, profile_capacity, "
    "profile_name, "
    "before_cca, before_resistance, before_diag_voltage, before_voltage, "
    "after_cca, after_resistance, after_diag_voltage, after_voltage, after_status, "
    "test_cca, test_resistance, test_diag_voltage, test_voltage, test_status, "
    "point_count, last_point_ms, ";
// A journal of the first version, read without migrating it, has no mark yet.
constexpr const char* kJoinedColumn = "joined_mid_charge";
constexpr const char* kNoJoinedColumn = "0";

// Bay labels came in version 4; an older journal read as it stands has none, which is the
// empty label its sessions have once upgraded.
constexpr const char* kBayColumn = "bay_label";
constexpr const char* kNoBayColumn = "''";

// Text the list filter searches, one string per session, with the bay label's expression.
std::string searchText(const char* bay) {
    return std::string("(kind || ' ' || stop_reason || ' ' || ") + bay +
           " || ' ' || device_name || ' ' || device_address || ' ' || "
           "profile_brand || ' ' || profile_variety || ' ' || profile_type || ' ' || "
           "profile_mode_text || ' ' || profile_capacity || ' ' || profile_name || ' ' || "
           "coalesce(after_status, '') || ' ' || coalesce(test_status, ''))";
}

std::optional<TestResult> resultAt(const Statement& row, int column, bool hasStatus) {
    if (row.isNull(column)) return std::nullopt;
    TestResult r;
    r.cca = row.integer(column);
    r.resistance = row.real(column + 1);
    r.diagVoltage = row.real(column + 2);
    r.voltage = row.real(column + 3);
    if (hasStatus) r.status = row.text(column + 4);
    return r;
}

SessionSummary summaryAt(const Statement& row) {
    SessionSummary s;
    s.id = row.int64(0);
    s.start.kind = kindFromName(row.text(1)).value_or(SessionKind::Charge);
    s.start.startMs = row.int64(2);
    s.start.utcOffsetMinutes = row.integer(3);
    if (!row.isNull(4)) s.endMs = row.int64(4);
    s.stopReason = row.text(5);
    s.start.deviceName = row.text(6);
    s.start.deviceAddress = row.text(7);
    Profile& p = s.start.profile;
    p.brandIndex = row.integer(8);
    p.varietyIndex = row.integer(9);
    p.typeIndex = row.integer(10);
    p.mode = row.text(11);
    p.brand = row.text(12);
    p.variety = row.text(13);
    p.type = row.text(14);
    p.modeText = row.text(15);
    p.capacity = row.text(16);
    p.name = row.text(17);
    s.results.before = resultAt(row, 18, false);
    s.results.after = resultAt(row, 22, true);
    s.results.test = resultAt(row, 27, true);
    s.pointCount = row.int64(32);
    s.lastPointMs = row.int64(33);
    s.start.joinedMidCharge = row.integer(34) != 0;
    s.start.bayLabel = row.text(35);
    return s;
}

// "%", "_" and the escape itself match literally.
std::string likePattern(const std::string& word) {
    std::string pattern = "%";
    for (char c : word) {
        if (c == '%' || c == '_' || c == '\\') pattern += '\\';
        pattern += c;
    }
    return pattern + "%";
}

std::vector<std::string> words(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> out;
    for (std::string word; in >> word;) out.push_back(word);
    return out;
}

void writeResult(Connection& db, int64_t id, const char* group, const TestResult& r,
                 bool hasStatus) {
    const std::string prefix = group;
    std::string text = "UPDATE sessions SET " + prefix + "_cca = ?, " + prefix +
                       "_resistance = ?, " + prefix + "_diag_voltage = ?, " + prefix +
                       "_voltage = ?";
    if (hasStatus) text += ", " + prefix + "_status = ?";
    text += " WHERE id = ?";
    Statement update(db, text.c_str());
    update.bind(1, r.cca).bind(2, r.resistance).bind(3, r.diagVoltage).bind(4, r.voltage);
    int next = 5;
    if (hasStatus) update.bind(next++, std::string_view(r.status));
    update.bind(next, id).run();
}

void writeProfile(Connection& db, int64_t id, const Profile& p) {
    Statement update(db,
                     "UPDATE sessions SET profile_brand_index = ?, profile_variety_index = ?, "
                     "profile_type_index = ?, profile_mode = ?, profile_brand = ?, "
                     "profile_variety = ?, profile_type = ?, profile_mode_text = ?, "
                     "profile_capacity = ?, profile_name = ? WHERE id = ?");
    update.bind(1, p.brandIndex)
        .bind(2, p.varietyIndex)
        .bind(3, p.typeIndex)
        .bind(4, std::string_view(p.mode))
        .bind(5, std::string_view(p.brand))
        .bind(6, std::string_view(p.variety))
        .bind(7, std::string_view(p.type))
        .bind(8, std::string_view(p.modeText))
        .bind(9, std::string_view(p.capacity))
        .bind(10, std::string_view(p.name))
        .bind(11, id)
        .run();
}

void prepareFolder(const std::string& path) {
    const std::filesystem::path folder = std::filesystem::u8path(path).parent_path();
    if (folder.empty()) return;
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error == std::errc::no_space_on_device)
        throw JournalError(JournalFault::Full, path + ": " + error.message());
    if (error) throw JournalError(JournalFault::ReadOnly, path + ": " + error.message());
}

// An SQLite URI for a file path: "%", "?" and "#" would start an escape, the query or a
// fragment; Windows paths need the URI's slashes.
std::string fileUri(const std::string& path) {
    std::string uri = "file:";
    const bool drive = path.size() > 1 && path[1] == ':';
    if (drive) uri += "///";
    static const char kHex[] = "0123456789ABCDEF";
    for (char c : path) {
        if (c == '%' || c == '?' || c == '#') {
            uri += '%';
            uri += kHex[static_cast<unsigned char>(c) >> 4];
            uri += kHex[static_cast<unsigned char>(c) & 0xF];
        } else {
            uri += drive && c == '\\' ? '/' : c;
        }
    }
    return uri;
}

// Opens for reading only. Without a write-ahead log beside it the file is read as it
// stands (immutable), which needs no shared-memory file and so works where the user may
// not write; with a log, a window is writing it and the reader joins its shared memory.
std::unique_ptr<Connection> openForReading(const std::string& path) {
    const std::filesystem::path file = std::filesystem::u8path(path);
    std::error_code error;
    if (!std::filesystem::exists(file, error))
        throw JournalError(JournalFault::Missing, path + ": no journal");
    if (std::filesystem::is_regular_file(file, error) &&
        std::filesystem::file_size(file, error) == 0)
        throw JournalError(JournalFault::Corrupt, path + ": an empty file, not a journal");
    const bool logBeside = std::filesystem::exists(std::filesystem::u8path(path + "-wal"), error);
    return std::make_unique<Connection>(
        fileUri(path) + (logBeside ? "?mode=ro" : "?mode=ro&immutable=1"),
        Connection::Mode::ReadOnlyUri);
}

// A log left behind without the shared memory that goes with it (the writer was killed, or
// the files were copied without it), where SQLite cannot make that memory anew.
bool logWithoutSharedMemory(const std::string& path) {
    std::error_code error;
    return std::filesystem::exists(std::filesystem::u8path(path + "-wal"), error) &&
           !std::filesystem::exists(std::filesystem::u8path(path + "-shm"), error);
}

// A folder of this user's own in the temporary folder, removed with the last reference.
std::shared_ptr<const std::string> privateFolder() {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path base = fs::temp_directory_path(error);
    if (error) throw JournalError(JournalFault::Io, "no temporary folder: " + error.message());
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const fs::path folder = base / ("velmora-journal-" + std::to_string(random()));
        if (!fs::create_directory(folder, error)) continue;
        fs::permissions(folder, fs::perms::owner_all, error);  // the history is the user's
        return std::shared_ptr<const std::string>(new std::string(folder.u8string()),
                                                  [](const std::string* made) {
                                                      std::error_code ignored;
                                                      fs::remove_all(fs::u8path(*made), ignored);
                                                      delete made;
                                                  });
    }
    throw JournalError(JournalFault::Io, "no private temporary folder");
}

// The journal and its log copied into a private folder, where SQLite may build the
// shared memory and read the log in: everything the log holds is read.
std::shared_ptr<const std::string> copyWithLog(const std::string& path) {
    namespace fs = std::filesystem;
    std::shared_ptr<const std::string> folder = privateFolder();
    for (const char* ending : {"", "-wal"}) {
        std::error_code error;
        fs::copy_file(fs::u8path(path + ending), fs::u8path(*folder + "/journal.sqlite" + ending),
                      error);
        if (error) throw JournalError(JournalFault::Io, path + ending + ": " + error.message());
    }
    return folder;
}

// A reading in whole 10 mV or 1 mA units. The charger's values are kept as sent, however
// large; one beyond what the column holds is stored at its limit with its sign, where a
// plain rounding would give an unspecified number.
int64_t wholeUnits(double value, double unitsPerValue) {
    constexpr double kLimit = 9.2e18;  // just inside the 64-bit range
    return static_cast<int64_t>(std::clamp(std::round(value * unitsPerValue), -kLimit, kLimit));
}

}  // namespace

std::unique_ptr<Journal> Journal::readOnlyJournal(const std::string& path, int latest,
                                                  int busyTimeoutMs) {
    std::unique_ptr<Connection> db = openForReading(path);
    // Another connection may be writing (a second charger's recorder): wait for it.
    const std::string timeout = "PRAGMA busy_timeout = " + std::to_string(busyTimeoutMs);
    db->exec(timeout.c_str());
    std::shared_ptr<const std::string> copy;
    int version = 0;
    try {
        version = storedVersion(*db);
    } catch (const JournalError&) {
        if (!logWithoutSharedMemory(path)) throw;
        db.reset();
        copy = copyWithLog(path);
        db = std::make_unique<Connection>(*copy + "/journal.sqlite",
                                          Connection::Mode::ExistingReadWrite);
        db->exec(timeout.c_str());
        version = storedVersion(*db);
    }
    if (version == 0) throw JournalError(JournalFault::Corrupt, path + ": not a journal");
    // An older journal reads as it stands (its list lacks only the newer columns); the
    // window upgrades it when it next writes.
    std::unique_ptr<Journal> journal(
        new Journal(std::move(db), path, version, true, version > latest));
    journal->m_copy = std::move(copy);
    return journal;
}

namespace {
constexpr int kModeRetryMs = 10;
}  // namespace

std::unique_ptr<Journal> Journal::open(const std::string& path, const JournalOptions& options) {
    const std::vector<Migration>& steps =
        options.migrations ? *options.migrations : journal::migrations();
    const int latest = latestVersion(steps);
    if (options.readOnly) return readOnlyJournal(path, latest, options.busyTimeoutMs);

    std::error_code error;
    const bool exists = std::filesystem::exists(std::filesystem::u8path(path), error);
    if (!exists) {
        if (!options.create) throw JournalError(JournalFault::Missing, path + ": no journal");
        prepareFolder(path);
    }
    // Look before writing anything: a newer program's journal must stay as it is. A journal
    // in a folder this user cannot write refuses a plain read-only look (SQLite cannot place
    // the log's shared memory beside it); it can only be read, and is read as it stands.
    int version = 0;
    bool versionKnown = false;
    const std::string timeout = "PRAGMA busy_timeout = " + std::to_string(options.busyTimeoutMs);
    if (exists) {
        try {
            Connection probe(path, Connection::Mode::ReadOnly);
            // Another connection may be creating or writing it: wait rather than fail.
            probe.exec(timeout.c_str());
            version = storedVersion(probe);
            versionKnown = true;
        } catch (const JournalError& e) {
            if (e.fault() != JournalFault::ReadOnly) throw;
            return readOnlyJournal(path, latest, options.busyTimeoutMs);
        }
    }
    auto db = std::make_unique<Connection>(
        path, versionKnown && version > latest
                  ? Connection::Mode::ReadOnly
                  : (options.create ? Connection::Mode::CreateReadWrite
                                    : Connection::Mode::ExistingReadWrite));
    db->exec(timeout.c_str());
    if (!versionKnown) version = storedVersion(*db);
    db->exec("PRAGMA foreign_keys = ON");
    if (version > latest)
        return std::unique_ptr<Journal>(new Journal(std::move(db), path, version, true, true));
    if (db->readOnly()) {
        // A file or folder the user may not write: read it the way that needs no writing.
        db.reset();
        return readOnlyJournal(path, latest, options.busyTimeoutMs);
    }
    // Switching to the write-ahead log takes the file whole, and SQLite does not wait for
    // that: another recorder opening the journal at the same moment is waited for here.
    for (int waitedMs = 0;; waitedMs += kModeRetryMs) {
        try {
            Statement mode(*db, "PRAGMA journal_mode = WAL");
            if (!mode.step() || mode.text(0) != "wal")
                throw JournalError(JournalFault::Io, path + ": write-ahead log not available");
            break;
        } catch (const JournalError& e) {
            if (e.fault() != JournalFault::Locked || waitedMs >= options.busyTimeoutMs) throw;
            std::this_thread::sleep_for(std::chrono::milliseconds(kModeRetryMs));
        }
    }
    // Each batch is on disk when its commit returns: a crash or power cut loses at most the
    // batch being written.
    db->exec("PRAGMA synchronous = FULL");
    if (options.maxPageCount > 0) {
        const std::string cap = "PRAGMA max_page_count = " + std::to_string(options.maxPageCount);
        db->exec(cap.c_str());
    }
    version = migrate(*db, steps);
    return std::unique_ptr<Journal>(new Journal(std::move(db), path, version, false, false));
}

Journal::Journal(std::unique_ptr<sql::Connection> db, std::string path, int version, bool readOnly,
                 bool newer)
    : m_db(std::move(db)),
      m_path(std::move(path)),
      m_version(version),
      m_readOnly(readOnly),
      m_newerVersion(newer) {
    // Asked of the file itself: an older journal read as it stands has no such column.
    Statement column(
        *m_db, "SELECT 1 FROM pragma_table_info('sessions') WHERE name = 'joined_mid_charge'");
    m_joinedColumn = column.step();
    Statement bay(*m_db, "SELECT 1 FROM pragma_table_info('sessions') WHERE name = 'bay_label'");
    m_bayColumn = bay.step();
    Statement table(*m_db,
                    "SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = 'certificates'");
    m_certificateTable = table.step();
}

std::string Journal::summaryColumns() const {
    return std::string(kSummaryColumns) + (m_joinedColumn ? kJoinedColumn : kNoJoinedColumn) +
           ", " + bayColumn();
}

const char* Journal::bayColumn() const {
    return m_bayColumn ? kBayColumn : kNoBayColumn;
}

void Journal::requireWritable() const {
    if (m_newerVersion)
        throw JournalError(JournalFault::NewerVersion, m_path + ": written by a newer version");
    if (m_readOnly) throw JournalError(JournalFault::ReadOnly, m_path + ": read-only");
}

int64_t Journal::beginSession(const SessionStart& start) {
    requireWritable();
    Statement insert(*m_db,
                     "INSERT INTO sessions (kind, start_ms, utc_offset_min, device_name, "
                     "device_address) VALUES (?, ?, ?, ?, ?)");
    sql::Transaction transaction(*m_db);
    insert.bind(1, std::string_view(kindName(start.kind)))
        .bind(2, start.startMs)
        .bind(3, start.utcOffsetMinutes)
        .bind(4, std::string_view(start.deviceName))
        .bind(5, std::string_view(start.deviceAddress))
        .run();
    const int64_t id = m_db->lastInsertId();
    if (start.joinedMidCharge && m_joinedColumn) {
        Statement joined(*m_db, "UPDATE sessions SET joined_mid_charge = 1 WHERE id = ?");
        joined.bind(1, id).run();
    }
    if (!start.bayLabel.empty() && m_bayColumn) {
        Statement bay(*m_db, "UPDATE sessions SET bay_label = ? WHERE id = ?");
        bay.bind(1, std::string_view(start.bayLabel)).bind(2, id).run();
    }
    writeProfile(*m_db, id, start.profile);
    transaction.commit();
    return id;
}

void Journal::write(int64_t sessionId, const SessionUpdate& update) {
    requireWritable();
    if (update.empty()) return;
    sql::Transaction transaction(*m_db);
    Statement count(*m_db, "SELECT point_count FROM sessions WHERE id = ?");
    count.bind(1, sessionId);
    if (!count.step())
        throw JournalError(JournalFault::Io,
                           "session " + std::to_string(sessionId) + " no longer exists");
    const int64_t firstSeq = count.int64(0);
    if (!update.points.empty()) {
        Statement insert(*m_db, "INSERT INTO points VALUES (?, ?, ?, ?, ?, ?)");
        int64_t seq = firstSeq;
        for (const Point& p : update.points) {
            insert.bind(1, sessionId)
                .bind(2, seq++)
                .bind(3, p.offsetMs)
                .bind(4, wholeUnits(p.voltage, 100))
                .bind(5, wholeUnits(p.current, 1000))
                .bind(6, p.stage)
                .run();
        }
        Statement counters(*m_db,
                           "UPDATE sessions SET point_count = ?, last_point_ms = ? WHERE id = ?");
        counters.bind(1, seq).bind(2, update.points.back().offsetMs).bind(3, sessionId).run();
    }
    if (update.results.before)
        writeResult(*m_db, sessionId, "before", *update.results.before, false);
    if (update.results.after) writeResult(*m_db, sessionId, "after", *update.results.after, true);
    if (update.results.test) writeResult(*m_db, sessionId, "test", *update.results.test, true);
    if (update.profile) writeProfile(*m_db, sessionId, *update.profile);
    if (update.endMs) {
        Statement end(*m_db, "UPDATE sessions SET end_ms = ?, stop_reason = ? WHERE id = ?");
        end.bind(1, *update.endMs)
            .bind(2, std::string_view(update.stopReason ? stopReasonName(*update.stopReason) : ""))
            .bind(3, sessionId)
            .run();
    }
    transaction.commit();
}

std::vector<SessionSummary> Journal::list(const ListQuery& query) {
    std::string text = "SELECT " + summaryColumns() + " FROM sessions WHERE 1";
    const std::vector<std::string> filter = words(query.text);
    const std::string search = searchText(bayColumn());
    for (size_t i = 0; i < filter.size(); ++i) text += " AND " + search + " LIKE ? ESCAPE '\\'";
    if (query.bayLabel) text += std::string(" AND ") + bayColumn() + " = ?";
    if (query.fromLocalMs) text += " AND start_ms + utc_offset_min * 60000 >= ?";
    if (query.toLocalMs) text += " AND start_ms + utc_offset_min * 60000 <= ?";
    text += " ORDER BY start_ms DESC, id DESC LIMIT ? OFFSET ?";
    Statement select(*m_db, text.c_str());
    int next = 1;
    for (const std::string& word : filter) select.bind(next++, std::string_view(likePattern(word)));
    if (query.bayLabel) select.bind(next++, std::string_view(*query.bayLabel));
    if (query.fromLocalMs) select.bind(next++, *query.fromLocalMs);
    if (query.toLocalMs) select.bind(next++, *query.toLocalMs);
    select.bind(next, query.limit);
    select.bind(next + 1, query.offset);
    std::vector<SessionSummary> rows;
    while (select.step()) rows.push_back(summaryAt(select));
    return rows;
}

std::optional<SessionSummary> Journal::summary(int64_t sessionId) {
    const std::string text = "SELECT " + summaryColumns() + " FROM sessions WHERE id = ?";
    Statement select(*m_db, text.c_str());
    select.bind(1, sessionId);
    if (!select.step()) return std::nullopt;
    return summaryAt(select);
}

std::optional<Session> Journal::session(int64_t sessionId) {
    // One read transaction, so the points match the summary even while a batch lands.
    sql::Transaction snapshot(*m_db, sql::Transaction::Kind::Read);
    std::optional<SessionSummary> head = summary(sessionId);
    if (!head) return std::nullopt;
    std::optional<Session> result(Session{std::move(*head), {}});
    // The stored count only hints at the size: a damaged one (negative, huge) must not
    // decide how much memory is taken. The rows themselves are what is read.
    constexpr int64_t kMostReserved = 7 * 86'400;  // a week of points, a few MB
    result->points.reserve(
        static_cast<size_t>(std::clamp<int64_t>(result->summary.pointCount, 0, kMostReserved)));
    Statement select(*m_db,
                     "SELECT offset_ms, centivolts, milliamps, stage FROM points "
                     "WHERE session_id = ? ORDER BY seq");
    select.bind(1, sessionId);
    try {
        while (select.step())
            result->points.push_back(Point{select.int64(0), select.int64(1) / 100.0,
                                           select.int64(2) / 1000.0, select.integer(3)});
    } catch (const std::bad_alloc&) {
        throw JournalError(JournalFault::Io, "session " + std::to_string(sessionId) +
                                                 ": too many points for the memory");
    } catch (const std::length_error&) {
        throw JournalError(JournalFault::Io, "session " + std::to_string(sessionId) +
                                                 ": too many points for the memory");
    }
    result->summary.pointCount = static_cast<int64_t>(result->points.size());  // as read
    return result;
}

void Journal::keepCertificate(int64_t sessionId, const KeptCertificate& kept) {
    requireWritable();
    Statement insert(*m_db,
                     "INSERT OR REPLACE INTO certificates (session_id, battery_id, technician, "
                     "job, in_vehicle, qr_text) VALUES (?, ?, ?, ?, ?, ?)");
    insert.bind(1, sessionId)
        .bind(2, std::string_view(kept.job.batteryId))
        .bind(3, std::string_view(kept.job.technician))
        .bind(4, std::string_view(kept.job.job));
    if (kept.job.inVehicle)
        insert.bind(5, *kept.job.inVehicle ? 1 : 0);
    else
        insert.bindNull(5);
    insert.bind(6, std::string_view(kept.qrText)).run();
}

std::optional<KeptCertificate> Journal::certificate(int64_t sessionId) {
    if (!m_certificateTable) return std::nullopt;
    Statement query(*m_db,
                    "SELECT battery_id, technician, job, in_vehicle, qr_text FROM certificates "
                    "WHERE session_id = ?");
    query.bind(1, sessionId);
    if (!query.step()) return std::nullopt;
    KeptCertificate kept;
    kept.job.batteryId = query.text(0);
    kept.job.technician = query.text(1);
    kept.job.job = query.text(2);
    if (!query.isNull(3)) kept.job.inVehicle = query.integer(3) != 0;
    kept.qrText = query.text(4);
    return kept;
}

bool Journal::remove(int64_t sessionId) {
    requireWritable();
    Statement erase(*m_db, "DELETE FROM sessions WHERE id = ?");
    erase.bind(1, sessionId).run();
    return m_db->changes() > 0;
}

}  // namespace velmora::journal
