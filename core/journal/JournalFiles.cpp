#include "journal/JournalFiles.h"

#include <filesystem>

namespace velmora::journal {

bool isJournalFile(const std::string& path, const std::string& journalPath) {
    namespace fs = std::filesystem;
    const fs::path candidate = fs::u8path(path);
    for (const char* ending : {"", "-wal", "-shm", "-journal"}) {
        std::error_code error;
        // Device and inode compared: links and paths resolved.
        if (fs::equivalent(candidate, fs::u8path(journalPath + ending), error)) return true;
    }
    return false;
}

}  // namespace velmora::journal
