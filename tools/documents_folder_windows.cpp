// Documents on Windows: the known folder, converted to UTF-8.
#include <shlobj.h>
#include <windows.h>

#include <string>

#include "documents_folder.h"

std::string documentsFolder() {
    PWSTR wide = nullptr;
    std::string folder;
    if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_Documents, 0, nullptr, &wide))) {
        const int size = WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
        if (size > 1) {
            folder.resize(static_cast<size_t>(size - 1));
            WideCharToMultiByte(CP_UTF8, 0, wide, -1, folder.data(), size, nullptr, nullptr);
        }
    }
    CoTaskMemFree(wide);
    return folder;
}
