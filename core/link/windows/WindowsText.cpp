#include "link/windows/WindowsText.h"

#include <windows.h>

#include <cwchar>

namespace velmora {

std::string utf8FromWide(const wchar_t* text) {
    if (!text || !*text) return {};
    const int length = static_cast<int>(std::wcslen(text));
    int size = ::WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
    if (size <= 0) return {};
    std::string utf8(static_cast<size_t>(size), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text, length, utf8.data(), size, nullptr, nullptr);
    return utf8;
}

std::string systemErrorText(unsigned long code) {
    wchar_t buffer[512] = {};
    DWORD length = ::FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                    nullptr, code, 0, buffer, 512, nullptr);
    // The system's texts end in ".\r\n"; the code goes after the sentence.
    while (length > 0 && (buffer[length - 1] == L'\r' || buffer[length - 1] == L'\n' ||
                          buffer[length - 1] == L'.' || buffer[length - 1] == L' '))
        buffer[--length] = L'\0';
    std::string words = utf8FromWide(buffer);
    if (words.empty()) words = "error";
    return words + " (" + std::to_string(code) + ")";
}

}  // namespace velmora
