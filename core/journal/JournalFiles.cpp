#include "journal/JournalFiles.h"

#include <filesystem>

namespace velmora::journal {

bool isJournalFile(const std::string& path, const std::string& journalPath) {
    namespace fs = std::filesystem;
    const fs::path candidate = fs::u8path(path);
    std::error_code error;
    const fs::path resolved = fs::weakly_canonical(candidate, error);
    for (const char* ending : {"", "-wal", "-shm", "-journal"}) {
        const fs::path file = fs::u8path(journalPath + ending);
        // Device and inode compared: links and paths resolved.
        if (fs::equivalent(candidate, file, error)) return true;
        // A file SQLite makes beside the journal only while it is open, not there now.
        std::error_code unresolved;
        if (!resolved.empty() && resolved == fs::weakly_canonical(file, unresolved) && !unresolved)
            return true;
    }
    return false;
}

}  // namespace velmora::journal
