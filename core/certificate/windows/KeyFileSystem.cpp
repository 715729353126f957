#include <windows.h>

#include "certificate/KeyFiles.h"

namespace velmora::certificate {

namespace {

std::wstring wide(const std::string& utf8) {
    const int n =
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring text(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), text.data(), n);
    return text;
}

}  // namespace

// The user's application data folder is private to the user on Windows: its access list
// is what keeps a private key to its owner.
void createFileExclusively(const std::string& path, const std::string& bytes, bool) {
    const std::wstring target = wide(path);
    const std::wstring temporary = target + L".tmp-" + std::to_wstring(GetCurrentProcessId());
    HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        throw KeyFileError(KeyFileFault::WriteFailed, "cannot write " + path);
    DWORD written = 0;
    const bool ok =
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
        written == bytes.size() && FlushFileBuffers(file);
    CloseHandle(file);
    if (!ok) {
        DeleteFileW(temporary.c_str());
        throw KeyFileError(KeyFileFault::WriteFailed, "cannot write " + path);
    }
    // Without MOVEFILE_REPLACE_EXISTING the move fails rather than replace a file.
    if (!MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH)) {
        const DWORD error = GetLastError();
        DeleteFileW(temporary.c_str());
        if (error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS)
            throw KeyFileError(KeyFileFault::Exists, path + " exists; keys are never overwritten");
        throw KeyFileError(KeyFileFault::WriteFailed, "cannot write " + path);
    }
}

bool readableByOthers(const std::string&) {
    return false;
}

}  // namespace velmora::certificate
