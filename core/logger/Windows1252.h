#pragma once

#include <string>
#include <string_view>

namespace velmora {

// Log files carry their text in Windows-1252 on every platform, so a log written on one
// machine reads the same on any other.

// UTF-8 to Windows-1252. Every character the code page lacks, and every byte that is not
// valid UTF-8, becomes "?".
std::string utf8ToWindows1252(std::string_view utf8);
// Windows-1252 to UTF-8. The five unassigned bytes (81, 8D, 8F, 90, 9D) stand for the
// control characters of the same number, as Windows reads them.
std::string windows1252ToUtf8(std::string_view bytes);

}  // namespace velmora
