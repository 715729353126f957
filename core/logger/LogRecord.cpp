#include "logger/LogRecord.h"

#include <vector>

#include "logger/LogNumbers.h"

namespace velmora {

namespace {
constexpr size_t kFieldCount = 15;

std::string index(int value) {
    return std::to_string(value < 0 ? -1 : value);
}

// A text field must not carry the record's own marks.
std::string markFree(std::string text) {
    for (char& c : text)
        if (c == '|' || c == '#' || c == '*') c = ' ';
    return text;
}

std::vector<std::string_view> splitFields(std::string_view record) {
    std::vector<std::string_view> fields;
    for (size_t start = 0;;) {
        const size_t bar = record.find('|', start);
        fields.push_back(record.substr(start, bar == std::string_view::npos ? bar : bar - start));
        if (bar == std::string_view::npos) return fields;
        start = bar + 1;
    }
}
}  // namespace

bool LoadedRecord::empty() const {
    const auto holdsAny = [](const TestResult& r) {
        return r.cca > 0 || r.resistance > 0 || r.voltage > 0 || r.diagVoltage > 0;
    };
    return !holdsAny(before) && !holdsAny(after);
}

bool LoadedRecord::hasAfterResult() const {
    return after.cca != 0 && after.resistance != 0;
}

std::string logRecordText(const ChargerState& s) {
    const std::string fields[kFieldCount] = {
        "#",
        index(s.profileBrandIndex),
        index(s.profileVarietyIndex),
        index(s.profileTypeIndex),
        s.profileMode.empty() ? "1" : markFree(s.profileMode),
        std::to_string(s.before.cca),
        hundredthsText(s.before.resistance),
        hundredthsText(s.before.voltage),
        hundredthsText(s.before.diagVoltage),
        std::to_string(s.after.cca),
        hundredthsText(s.after.resistance),
        hundredthsText(s.after.voltage),
        hundredthsText(s.after.diagVoltage),
        markFree(s.after.status),
        "*",
    };
    std::string record;
    for (const std::string& field : fields) record += (record.empty() ? "" : "|") + field;
    return record;
}

std::optional<std::string> assembleRecord(std::string_view decoded, size_t limit) {
    // Every mark repeats the rest of the text, so the length is summed first: a line of
    // marks would otherwise grow with the square of its length.
    size_t length = 0;
    for (size_t mark = decoded.find('#'); mark != std::string_view::npos;
         mark = decoded.find('#', mark + 1)) {
        length += decoded.size() - mark;
        if (length > limit) return std::nullopt;
    }
    std::string record;
    record.reserve(length);
    for (size_t mark = decoded.find('#'); mark != std::string_view::npos;
         mark = decoded.find('#', mark + 1))
        record += decoded.substr(mark);
    return record;
}

RecordCheck checkLogRecord(std::string_view text, const NumberFormat& format) {
    RecordCheck check;
    const std::vector<std::string_view> fields = splitFields(text);
    if (fields.size() != kFieldCount) {
        check.reason = "the record has " + std::to_string(fields.size()) +
                       (fields.size() == 1 ? " field" : " fields") + ", not 15";
        return check;
    }
    if (fields.front() != "#" || fields.back() != "*") {
        check.reason = "the record does not run from \"#\" to \"*\"";
        return check;
    }
    // Every field is converted before anything is kept: half a record is never stored.
    bool converted = true;
    const auto fail = [&](size_t position) {
        if (!converted) return;
        converted = false;
        check.outcome = RecordCheck::Outcome::BadNumber;
        check.badText = std::string(fields[position]);
        check.reason =
            "field " + std::to_string(position) + " \"" + check.badText + "\" is not a number";
    };
    const auto whole = [&](size_t position) {
        const std::optional<int> value = parseInteger(fields[position]);
        if (!value) fail(position);
        return value.value_or(0);
    };
    const auto scaled = [&](size_t position) {
        const std::optional<double> value = parseReal(fields[position], format);
        if (!value) fail(position);
        return value.value_or(0.0) / 100;
    };
    LogRecord& r = check.record;
    r.profileBrandIndex = whole(1);
    r.profileVarietyIndex = whole(2);
    r.profileTypeIndex = whole(3);
    r.profileMode = std::string(fields[4]);
    LoadedRecord& l = r.loadedRecord;
    l.before.cca = whole(5);
    l.before.resistance = scaled(6);
    l.before.voltage = scaled(7);
    l.before.diagVoltage = scaled(8);
    l.after.cca = whole(9);
    l.after.resistance = scaled(10);
    l.after.voltage = scaled(11);
    l.after.diagVoltage = scaled(12);
    l.after.status = std::string(fields[13]);
    if (!converted) {
        check.record = LogRecord();
        return check;
    }
    check.outcome = RecordCheck::Outcome::Valid;
    return check;
}

void storeLoadedRecord(ChargerState& s, const LogRecord& record) {
    const LoadedRecord& l = record.loadedRecord;
    s.profileBrandIndex = record.profileBrandIndex;
    s.profileVarietyIndex = record.profileVarietyIndex;
    s.profileTypeIndex = record.profileTypeIndex;
    s.profileMode = record.profileMode;
    s.before = l.before;
    // A receipt or a log made right after the load must carry this battery's status.
    s.after = l.after;
    s.profileReceived = true;
}

}  // namespace velmora
