#pragma once

#include <string>
#include <string_view>

#include "link/ChargerState.h"
#include "link/NumberText.h"
#include "logger/LogRecord.h"

namespace velmora {

// The bytes of a log file: the record in Windows-1252 as uppercase hexadecimal digits,
// followed by CR LF.
std::string encodeLogFile(const ChargerState& state);

// The longest first line a log file may have: two hexadecimal digits for each byte of the
// longest record text.
inline constexpr size_t kMaxLogLine = 2 * kMaxRecordText;

// The first line of a file's bytes, without its line break (CR, LF or CR LF).
std::string_view firstLine(std::string_view bytes);

// Reads and checks the record a file carries: its first line's hexadecimal digits
// decoded, read as Windows-1252, assembled from the "#" marks and checked. `bytes` may be
// the whole file or its first line; a line longer than kMaxLogLine is no record.
RecordCheck readLogFile(std::string_view bytes, const NumberFormat& format);

}  // namespace velmora
