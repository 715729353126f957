#include "logger/LogFileName.h"

#include <cctype>

namespace velmora {

namespace {
// Device names Windows keeps whatever the extension; "¹²³" count as digits there.
bool reservedStem(std::string_view name) {
    std::string stem(name.substr(0, name.find('.')));
    while (!stem.empty() && stem.back() == ' ') stem.pop_back();
    for (char& c : stem) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    for (const char* device : {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"})
        if (stem == device) return true;
    for (const char* port : {"COM", "LPT"}) {
        if (stem.rfind(port, 0) != 0) continue;
        const std::string_view number = std::string_view(stem).substr(3);
        if (number.size() == 1 && number[0] >= '0' && number[0] <= '9') return true;
        if (number == "\xC2\xB9" || number == "\xC2\xB2" || number == "\xC2\xB3") return true;
    }
    return false;
}

bool hasControlCharacter(std::string_view name) {
    for (size_t i = 0; i < name.size(); ++i) {
        const auto c = static_cast<unsigned char>(name[i]);
        if (c < 0x20 || c == 0x7F) return true;
        // U+0080..U+009F in UTF-8
        if (c == 0xC2 && i + 1 < name.size() && static_cast<unsigned char>(name[i + 1]) < 0xA0 &&
            static_cast<unsigned char>(name[i + 1]) >= 0x80)
            return true;
    }
    return false;
}
}  // namespace

LogNameProblem checkLogName(std::string_view name) {
    if (name.find_first_not_of(' ') == std::string_view::npos) return LogNameProblem::Empty;
    if (name.find_first_of("/\\:") != std::string_view::npos) return LogNameProblem::PathCharacter;
    if (name == "." || name == "..") return LogNameProblem::DotName;
    if (hasControlCharacter(name)) return LogNameProblem::ControlCharacter;
    if (name.find_first_of("<>\"|?*") != std::string_view::npos)
        return LogNameProblem::WindowsCharacter;
    if (reservedStem(name)) return LogNameProblem::ReservedName;
    return LogNameProblem::None;
}

std::string logFileName(std::string_view name) {
    return std::string(name) + ".log";
}

}  // namespace velmora
