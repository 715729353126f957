#pragma once

#include <string>

namespace velmora::journal {

// True when `path` names the journal at `journalPath` or a file SQLite keeps beside it
// (its log, shared memory or rollback journal, whether there now or not) — the same file
// however reached: another spelling, a symbolic or a hard link. A file written there would
// destroy the history, so exports refuse it.
bool isJournalFile(const std::string& path, const std::string& journalPath);

}  // namespace velmora::journal
