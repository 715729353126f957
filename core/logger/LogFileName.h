#pragma once

#include <string>
#include <string_view>

namespace velmora {

// Why a typed log name cannot be used. A name is taken as typed (no trimming), but it must
// name a file inside the log folder on every platform the logs travel to.
enum class LogNameProblem {
    None,
    Empty,             // nothing, or only spaces
    PathCharacter,     // "/", "\" or ":" (a folder, a drive or a Windows file stream)
    DotName,           // "." or "..": the folders themselves
    ControlCharacter,  // C0 or C1 control characters, DEL
    ReservedName,      // a Windows device name (CON, NUL, COM1, ...), with or without extension
    WindowsCharacter,  // < > " | ? *: no such file can be copied to a Windows PC
};

// Checks a typed name (UTF-8) before ".log" is appended to it.
LogNameProblem checkLogName(std::string_view name);

// The file name a typed name is saved under: the name as typed and ".log".
std::string logFileName(std::string_view name);

}  // namespace velmora
