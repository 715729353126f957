#pragma once

#include <string>

namespace velmora {

// UTF-16 text of a Windows API as UTF-8 (device names, error texts).
std::string utf8FromWide(const wchar_t* text);
// The system's words for a Win32 or Winsock error code, with the code: "... (10061)".
std::string systemErrorText(unsigned long code);

}  // namespace velmora
