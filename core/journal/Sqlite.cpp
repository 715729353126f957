#include "journal/Sqlite.h"

#include <sqlite3.h>

#include <cerrno>

namespace velmora::journal::sql {

namespace {
// A full disk that SQLite reports as an I/O failure (growing the log's shared memory, or
// creating a file, on a disk with no room left): the system's own error tells.
bool diskFull(int systemError) {
#ifdef _WIN32
    return systemError == 112 /* ERROR_DISK_FULL */ || systemError == 39 /* HANDLE_DISK_FULL */;
#else
    return systemError == ENOSPC || systemError == EDQUOT;
#endif
}
}  // namespace

JournalFault faultOf(int resultCode, int systemError) {
    const int primary = resultCode & 0xff;
    if ((primary == SQLITE_IOERR || primary == SQLITE_CANTOPEN) && diskFull(systemError))
        return JournalFault::Full;
    return faultOf(resultCode);
}

JournalFault faultOf(int resultCode) {
    switch (resultCode & 0xff) {
        case SQLITE_BUSY:
        case SQLITE_LOCKED:
            return JournalFault::Locked;
        case SQLITE_READONLY:
        case SQLITE_PERM:
        case SQLITE_CANTOPEN:
        case SQLITE_AUTH:
            return JournalFault::ReadOnly;
        case SQLITE_FULL:
            return JournalFault::Full;
        case SQLITE_CORRUPT:
        case SQLITE_NOTADB:
        case SQLITE_FORMAT:
            return JournalFault::Corrupt;
        default:
            return JournalFault::Io;
    }
}

Connection::Connection(const std::string& path, Mode mode) {
    int flags = SQLITE_OPEN_NOMUTEX;  // one connection per thread
    switch (mode) {
        case Mode::CreateReadWrite:
            flags |= SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
            break;
        case Mode::ExistingReadWrite:
            flags |= SQLITE_OPEN_READWRITE;
            break;
        case Mode::ReadOnly:
            flags |= SQLITE_OPEN_READONLY;
            break;
        case Mode::ReadOnlyUri:
            flags |= SQLITE_OPEN_READONLY | SQLITE_OPEN_URI;
            break;
    }
    const int rc = sqlite3_open_v2(path.c_str(), &m_db, flags, nullptr);
    if (rc != SQLITE_OK) {
        const std::string message = m_db ? sqlite3_errmsg(m_db) : sqlite3_errstr(rc);
        const int systemError = m_db ? sqlite3_system_errno(m_db) : 0;
        sqlite3_close(m_db);
        m_db = nullptr;
        throw JournalError(faultOf(rc, systemError), path + ": " + message);
    }
    sqlite3_extended_result_codes(m_db, 1);
    // A reader never folds the log back into the file when it closes: the file may belong
    // to a window that is writing it, or to a user who may not write it.
    if (flags & SQLITE_OPEN_READONLY)
        sqlite3_db_config(m_db, SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, 1, nullptr);
}

Connection::~Connection() {
    sqlite3_close_v2(m_db);
}

bool Connection::readOnly() const {
    return sqlite3_db_readonly(m_db, "main") == 1;
}

void Connection::exec(const char* sql) {
    const int rc = sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) fail(rc, sql);
}

void Connection::fail(int resultCode, std::string_view what) const {
    std::string message = sqlite3_errmsg(m_db);
    if (!what.empty()) message += " (" + std::string(what.substr(0, 60)) + ")";
    throw JournalError(faultOf(resultCode, sqlite3_system_errno(m_db)), message);
}

int64_t Connection::lastInsertId() const {
    return sqlite3_last_insert_rowid(m_db);
}

int Connection::changes() const {
    return sqlite3_changes(m_db);
}

Statement::Statement(Connection& db, const char* sql) : m_db(db) {
    const int rc = sqlite3_prepare_v2(db.handle(), sql, -1, &m_stmt, nullptr);
    if (rc != SQLITE_OK) db.fail(rc, sql);
}

Statement::~Statement() {
    sqlite3_finalize(m_stmt);
}

Statement& Statement::bind(int index, int64_t value) {
    const int rc = sqlite3_bind_int64(m_stmt, index, value);
    if (rc != SQLITE_OK) m_db.fail(rc, "bind");
    return *this;
}

Statement& Statement::bind(int index, double value) {
    const int rc = sqlite3_bind_double(m_stmt, index, value);
    if (rc != SQLITE_OK) m_db.fail(rc, "bind");
    return *this;
}

Statement& Statement::bind(int index, std::string_view value) {
    const int rc = sqlite3_bind_text(m_stmt, index, value.data(), static_cast<int>(value.size()),
                                     SQLITE_TRANSIENT);
    if (rc != SQLITE_OK) m_db.fail(rc, "bind");
    return *this;
}

Statement& Statement::bindNull(int index) {
    const int rc = sqlite3_bind_null(m_stmt, index);
    if (rc != SQLITE_OK) m_db.fail(rc, "bind");
    return *this;
}

bool Statement::step() {
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW) return true;
    if (rc == SQLITE_DONE) return false;
    sqlite3_reset(m_stmt);
    m_db.fail(rc, sqlite3_sql(m_stmt));
}

void Statement::run() {
    while (step()) {
    }
    reset();
}

void Statement::reset() {
    sqlite3_reset(m_stmt);
    sqlite3_clear_bindings(m_stmt);
}

bool Statement::isNull(int column) const {
    return sqlite3_column_type(m_stmt, column) == SQLITE_NULL;
}

int64_t Statement::int64(int column) const {
    return sqlite3_column_int64(m_stmt, column);
}

double Statement::real(int column) const {
    return sqlite3_column_double(m_stmt, column);
}

std::string Statement::text(int column) const {
    const unsigned char* text = sqlite3_column_text(m_stmt, column);
    const int size = sqlite3_column_bytes(m_stmt, column);
    return text ? std::string(reinterpret_cast<const char*>(text), static_cast<size_t>(size))
                : std::string();
}

Transaction::Transaction(Connection& db, Kind kind) : m_db(db) {
    db.exec(kind == Kind::Write ? "BEGIN IMMEDIATE" : "BEGIN");
}

Transaction::~Transaction() {
    if (m_open) sqlite3_exec(m_db.handle(), "ROLLBACK", nullptr, nullptr, nullptr);
}

void Transaction::commit() {
    m_db.exec("COMMIT");
    m_open = false;
}

}  // namespace velmora::journal::sql
