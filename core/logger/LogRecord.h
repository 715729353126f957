#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "link/ChargerState.h"
#include "link/NumberText.h"

namespace velmora {

// The results a log file carries (loadedRecord): resistances in milliohms, voltages in
// volts.
struct LoadedRecord {
    TestResult before;
    TestResult after;  // with the after-charging status

    // None of the eight numbers is above 0: nothing worth showing.
    bool empty() const;
    // The after-charging test gave both CCA and iR.
    bool hasAfterResult() const;
};

// One log record: the charge profile and the results.
struct LogRecord {
    int profileBrandIndex = -1;
    int profileVarietyIndex = -1;
    int profileTypeIndex = -1;
    std::string profileMode;
    LoadedRecord loadedRecord;
};

// The 15 "|"-separated fields from "#" to "*", as UTF-8, built from the state. The marks
// "|", "#" and "*" in a text field become spaces: the record must read back.
std::string logRecordText(const ChargerState& state);

// The longest record text worth checking: the charger's frames, and so its status text,
// are at most 64 KiB long, and the other fourteen fields take a few hundred characters.
inline constexpr size_t kMaxRecordText = 65 * 1024;

// The record text inside decoded file text: for every "#", from the first to the last,
// the text from that "#" to the end, one after the other. Nothing when that text would be
// longer than `limit`: no record is, and the marks of a long line would repeat it
// thousands of times.
std::optional<std::string> assembleRecord(std::string_view decoded, size_t limit = kMaxRecordText);

// The result of checking a record text.
struct RecordCheck {
    enum class Outcome {
        Valid,       // `record` holds every field
        NotARecord,  // wrong field count or marks
        BadNumber,   // a number field does not convert; `badText` holds it
    };
    Outcome outcome = Outcome::NotARecord;
    LogRecord record;
    std::string reason;   // one line, for messages and the command line
    std::string badText;  // the field that did not convert
};

// Checks a record text: exactly 15 fields split at "|", "#" first and "*" last, every
// number field converting. Integers are decimal; the six scaled fields are read with the
// user's separator and divided by 100.
RecordCheck checkLogRecord(std::string_view record, const NumberFormat& format);

// Puts a loaded record into the live state: profile, results and after-charging status,
// and marks the profile as received so the selection follows it.
void storeLoadedRecord(ChargerState& state, const LogRecord& record);

}  // namespace velmora
