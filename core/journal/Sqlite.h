#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "journal/JournalError.h"

struct sqlite3;
struct sqlite3_stmt;

namespace velmora::journal::sql {

// Maps an SQLite result code to the fault the user is told about.
JournalFault faultOf(int resultCode);
// The same, with the system's error number behind it (sqlite3_system_errno): a full disk
// shows as an I/O failure in some places.
JournalFault faultOf(int resultCode, int systemError);

// One open database connection; closed on destruction.
class Connection {
public:
    // ReadOnlyUri takes an SQLite "file:" URI instead of a path, for its query options.
    enum class Mode { CreateReadWrite, ExistingReadWrite, ReadOnly, ReadOnlyUri };

    Connection(const std::string& path, Mode mode);
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    sqlite3* handle() const { return m_db; }
    bool readOnly() const;
    // Runs statements without results; throws JournalError on failure.
    void exec(const char* sql);
    // Throws a JournalError for `resultCode` with the connection's message.
    [[noreturn]] void fail(int resultCode, std::string_view what) const;
    int64_t lastInsertId() const;
    int changes() const;

private:
    sqlite3* m_db = nullptr;
};

// A prepared statement with bind-by-position (from 1) and column-by-position (from 0).
class Statement {
public:
    Statement(Connection& db, const char* sql);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    Statement& bind(int index, int64_t value);
    Statement& bind(int index, int value) { return bind(index, static_cast<int64_t>(value)); }
    Statement& bind(int index, double value);
    Statement& bind(int index, std::string_view value);
    Statement& bindNull(int index);
    template <typename T>
    Statement& bind(int index, const std::optional<T>& value) {
        return value ? bind(index, *value) : bindNull(index);
    }

    // Advances to the next row; false when done. Throws on failure.
    bool step();
    // Runs a statement that returns no rows, then makes it ready to run again.
    void run();
    void reset();

    bool isNull(int column) const;
    int64_t int64(int column) const;
    int integer(int column) const { return static_cast<int>(int64(column)); }
    double real(int column) const;
    std::string text(int column) const;

private:
    Connection& m_db;
    sqlite3_stmt* m_stmt = nullptr;
};

// BEGIN .. COMMIT; rolls back unless committed. A write transaction takes the write lock
// at once (BEGIN IMMEDIATE), so it waits for other writers before doing any work.
class Transaction {
public:
    enum class Kind { Read, Write };
    explicit Transaction(Connection& db, Kind kind = Kind::Write);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    void commit();

private:
    Connection& m_db;
    bool m_open = true;
};

}  // namespace velmora::journal::sql
