#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "journal/Schema.h"
#include "journal/SessionTypes.h"

namespace velmora::journal {

struct JournalOptions {
    // The window creates the journal (and its folder); readers want an existing one.
    bool create = true;
    // Only reads: nothing is created, converted, upgraded or checkpointed, so a reader can
    // look at the journal of a running window, or at one it may not write.
    bool readOnly = false;
    // How long a write waits for another program's transaction before it reports Locked.
    int busyTimeoutMs = 250;
    // Caps the file at this many pages (0: no cap); the cap reports Full like a full disk.
    int maxPageCount = 0;
    // The schema steps; tests pass their own to exercise later versions.
    const std::vector<Migration>* migrations = nullptr;
};

// The charge journal: one SQLite file of sessions and their points. Every call throws
// JournalError on failure and leaves the file as the last committed transaction left it.
// One thread at a time.
class Journal {
public:
    // Opens (or creates) the file, migrates it to the latest schema, WAL, foreign keys on.
    // A journal of a newer schema opens read-only and is never written.
    static std::unique_ptr<Journal> open(const std::string& path, const JournalOptions& = {});

    bool readOnly() const { return m_readOnly; }
    // Set when the file is of a newer version than this program (and so read-only).
    bool newerVersion() const { return m_newerVersion; }
    int schemaVersion() const { return m_version; }
    // Set when the file was left with its log but without the log's shared memory, where
    // this user cannot make it (a writer killed, a copy, a folder only readable): it is
    // then read from a private copy with its log, and its last seconds may be missing.
    bool readFromCopy() const { return m_copy != nullptr; }
    const std::string& path() const { return m_path; }

    // Writes the session row at once, so a session exists even if nothing else follows.
    int64_t beginSession(const SessionStart& start);
    // Points, results, profile and end of one session in one transaction; points get the
    // sequence numbers following those already stored.
    void write(int64_t sessionId, const SessionUpdate& update);

    std::vector<SessionSummary> list(const ListQuery& query = {});
    std::optional<SessionSummary> summary(int64_t sessionId);
    std::optional<Session> session(int64_t sessionId);
    // Keeps the certificate printed for a session (replacing an earlier one of it).
    void keepCertificate(int64_t sessionId, const KeptCertificate& certificate);
    // The certificate kept for a session; nothing in a journal older than certificates.
    std::optional<KeptCertificate> certificate(int64_t sessionId);
    // Deletes the session and, by cascade, its points. False when there was none.
    bool remove(int64_t sessionId);

private:
    static std::unique_ptr<Journal> readOnlyJournal(const std::string& path, int latest,
                                                    int busyTimeoutMs);
    Journal(std::unique_ptr<sql::Connection> db, std::string path, int version, bool readOnly,
            bool newer);
    void requireWritable() const;

    std::shared_ptr<const std::string> m_copy;  // the private copy's folder; outlives m_db
    std::unique_ptr<sql::Connection> m_db;
    std::string m_path;
    // The session list's columns as this journal's version has them.
    std::string summaryColumns() const;
    // The stored bay label, or the empty text where the file has no such column.
    const char* bayColumn() const;
    int m_version;
    bool m_joinedColumn = false;
    bool m_bayColumn = false;
    bool m_certificateTable = false;
    bool m_readOnly;
    bool m_newerVersion;
};

}  // namespace velmora::journal
