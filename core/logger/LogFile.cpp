#include "logger/LogFile.h"

#include "logger/HexText.h"
#include "logger/Windows1252.h"

#include <optional>
#include <string>

namespace velmora {

std::string encodeLogFile(const ChargerState& state) {
    return String2Hex(utf8ToWindows1252(logRecordText(state))) + "\r\n";
}

std::string_view firstLine(std::string_view bytes) {
    return bytes.substr(0, bytes.find_first_of("\r\n"));
}

RecordCheck readLogFile(std::string_view bytes, const NumberFormat& format) {
    RecordCheck check;
    const std::string_view line = firstLine(bytes);
    if (line.size() > kMaxLogLine) {
        check.reason = "the first line is longer than any record (" +
                       std::to_string(line.size()) + " characters)";
        return check;
    }
    const std::string decoded = windows1252ToUtf8(Hex2String(line));
    std::optional<std::string> record;
    if (decoded.empty()) {
        check.reason = "the first line holds no hexadecimal text";
    } else if (decoded.find('#') == std::string::npos) {
        check.reason = "the decoded text holds no record mark \"#\"";
    } else if (!(record = assembleRecord(decoded))) {
        check.reason = "the record marks repeat the text beyond any record's length";
    } else {
        check = checkLogRecord(*record, format);
    }
    return check;
}

}  // namespace velmora
