#pragma once

#include <vector>

#include "journal/Sqlite.h"

namespace velmora::journal {

// One step of the schema: brings a database from version - 1 to version.
struct Migration {
    int version;
    void (*apply)(sql::Connection& db);
};

// Every step from the first version on, in order; a new version appends one function.
const std::vector<Migration>& migrations();
int latestVersion(const std::vector<Migration>& steps);

// The version recorded in the database: 0 for an empty file. Throws Corrupt when the file
// holds tables but is not a journal.
int storedVersion(sql::Connection& db);
// Applies every step above the stored version, each in its own transaction with its row in
// schema_version, so a failed step leaves the previous version intact. Returns the version.
int migrate(sql::Connection& db, const std::vector<Migration>& steps);

}  // namespace velmora::journal
