#include "logger/LogFile.h"

#include "logger/HexText.h"
#include "logger/Windows1252.h"

namespace velmora {

std::string encodeLogFile(const ChargerState& state) {
    return String2Hex(utf8ToWindows1252(logRecordText(state))) + "\r\n";
}

std::string_view firstLine(std::string_view bytes) {
    return bytes.substr(0, bytes.find_first_of("\r\n"));
}

RecordCheck readLogFile(std::string_view bytes, const NumberFormat& format) {
    const std::string decoded = windows1252ToUtf8(Hex2String(firstLine(bytes)));
    RecordCheck check;
    if (decoded.empty()) {
        check.reason = "the first line holds no hexadecimal text";
    } else if (decoded.find('#') == std::string::npos) {
        check.reason = "the decoded text holds no record mark \"#\"";
    } else {
        check = checkLogRecord(assembleRecord(decoded), format);
    }
    return check;
}

}  // namespace velmora
