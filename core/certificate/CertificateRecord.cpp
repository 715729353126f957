#include "certificate/CertificateRecord.h"

#include <cstdio>
#include <cstdlib>

#include "certificate/Base64.h"
#include "certificate/Ed25519.h"

namespace velmora::certificate {

namespace {

// Control characters become spaces: a value is one line, and the same text is printed.
std::string clean(std::string text) {
    for (char& c : text)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = ' ';
    return text;
}

std::string percentEncode(const std::string& value) {
    static const char kDigits[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : value) {
        if (c >= 0x20 && c <= 0x7E && c != '%') {
            out += static_cast<char>(c);
        } else {
            out += '%';
            out += kDigits[c >> 4];
            out += kDigits[c & 15];
        }
    }
    return out;
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::optional<std::string> percentDecode(std::string_view text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            out += text[i];
            continue;
        }
        if (i + 2 >= text.size()) return std::nullopt;
        const int high = hexDigit(text[i + 1]), low = hexDigit(text[i + 2]);
        if (high < 0 || low < 0) return std::nullopt;
        out += static_cast<char>(high * 16 + low);
        i += 2;
    }
    return out;
}

std::string fixed2(double value) {
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%.2f", value);
    return buffer;
}

// "CCA;iR;V diagnostic;V" in the C locale, or empty when the charger reported none.
std::string resultText(const std::optional<TestResult>& r) {
    if (!r) return "";
    return std::to_string(r->cca) + ";" + fixed2(r->resistance) + ";" + fixed2(r->diagVoltage) +
           ";" + fixed2(r->voltage);
}

std::optional<int64_t> integerOf(const std::string& text) {
    if (text.empty() || text.size() > 19) return std::nullopt;
    char* end = nullptr;
    const long long value = std::strtoll(text.c_str(), &end, 10);
    if (*end != '\0') return std::nullopt;
    return value;
}

std::optional<double> decimalOf(const std::string& text) {
    if (text.empty() || text.size() > 40) return std::nullopt;
    for (char c : text)
        if (!((c >= '0' && c <= '9') || c == '.' || c == '-')) return std::nullopt;
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (*end != '\0') return std::nullopt;
    return value;
}

// Nothing for an empty text; the result for "CCA;iR;Vd;V" (the status comes separately).
bool parseResult(const std::string& text, const std::string& status,
                 std::optional<TestResult>* out) {
    if (text.empty()) {
        out->reset();
        return status.empty();
    }
    std::vector<std::string> parts(1);
    for (char c : text) {
        if (c == ';')
            parts.emplace_back();
        else
            parts.back() += c;
    }
    if (parts.size() != 4) return false;
    const auto cca = integerOf(parts[0]);
    const auto resistance = decimalOf(parts[1]), diag = decimalOf(parts[2]),
               volts = decimalOf(parts[3]);
    if (!cca || !resistance || !diag || !volts) return false;
    *out = TestResult{static_cast<int>(*cca), *resistance, *diag, *volts, status};
    return true;
}

std::string inVehicleText(const std::optional<bool>& inVehicle) {
    if (!inVehicle) return "";
    return *inVehicle ? "yes" : "no";
}

}  // namespace

std::vector<std::pair<std::string, std::string>> recordFields(const CertificateRecord& r) {
    const ChargeSummary& c = r.charge;
    return {
        {"dealer", clean(r.dealer)},
        {"key", clean(r.keyFingerprint)},
        {"device", clean(r.deviceName)},
        {"device_address", clean(r.deviceAddress)},
        {"kind", clean(r.kind)},
        {"brand", clean(r.brand)},
        {"variety", clean(r.variety)},
        {"type", clean(r.type)},
        {"capacity", clean(r.capacity)},
        {"mode", clean(r.mode)},
        {"battery_id", clean(r.job.batteryId)},
        {"technician", clean(r.job.technician)},
        {"job", clean(r.job.job)},
        {"in_vehicle", inVehicleText(r.job.inVehicle)},
        {"before", resultText(r.before)},
        {"charge_start", clean(c.start)},
        {"charge_end", clean(c.end)},
        {"charge_duration_s", std::to_string(c.durationSeconds)},
        {"charge_last_stage", std::to_string(c.lastStage)},
        {"charge_stop", clean(c.stopReason)},
        {"charge_gaps", std::to_string(c.gaps)},
        {"charge_points", std::to_string(c.points)},
        {"charge_curve", clean(c.curveHash)},
        {"after", resultText(r.after)},
        {"after_status", r.after ? clean(r.after->status) : ""},
        {"test", resultText(r.test)},
        {"test_status", r.test ? clean(r.test->status) : ""},
        {"time", clean(r.time)},
    };
}

std::string encodeRecord(const CertificateRecord& record) {
    std::string text = std::string(kRecordMagic) + " " + std::to_string(record.version) + "\n";
    for (const auto& [name, value] : recordFields(record))
        text += name + "=" + percentEncode(value) + "\n";
    return text;
}

std::optional<CertificateRecord> decodeRecord(std::string_view text, RecordProblem* problem) {
    auto fail = [problem](RecordProblem kind) {
        if (problem) *problem = kind;
        return std::nullopt;
    };
    if (problem) *problem = RecordProblem::None;
    std::vector<std::string> lines;
    size_t at = 0;
    while (at < text.size()) {
        const size_t end = text.find('\n', at);
        if (end == std::string_view::npos) return fail(RecordProblem::Unreadable);
        lines.emplace_back(text.substr(at, end - at));
        at = end + 1;
    }
    const std::string magic = std::string(kRecordMagic) + " ";
    if (lines.empty() || lines[0].compare(0, magic.size(), magic) != 0)
        return fail(RecordProblem::Unreadable);
    const std::optional<int64_t> version = integerOf(lines[0].substr(magic.size()));
    if (!version) return fail(RecordProblem::Unreadable);
    if (*version != kRecordVersion) return fail(RecordProblem::UnsupportedVersion);

    std::vector<std::string> values;
    const auto names = recordFields(CertificateRecord{});
    if (lines.size() != names.size() + 1) return fail(RecordProblem::Unreadable);
    for (size_t i = 0; i < names.size(); ++i) {
        const std::string& line = lines[i + 1];
        const std::string& name = names[i].first;
        if (line.compare(0, name.size() + 1, name + "=") != 0)
            return fail(RecordProblem::Unreadable);
        const std::optional<std::string> value = percentDecode(line.substr(name.size() + 1));
        if (!value) return fail(RecordProblem::Unreadable);
        values.push_back(*value);
    }
    CertificateRecord r;
    size_t i = 0;
    for (std::string* field : {&r.dealer, &r.keyFingerprint, &r.deviceName, &r.deviceAddress,
                               &r.kind, &r.brand, &r.variety, &r.type, &r.capacity, &r.mode,
                               &r.job.batteryId, &r.job.technician, &r.job.job})
        *field = values[i++];
    const std::string& inVehicle = values[i++];
    if (inVehicle == "yes" || inVehicle == "no")
        r.job.inVehicle = inVehicle == "yes";
    else if (!inVehicle.empty())
        return fail(RecordProblem::Unreadable);
    const std::string& before = values[i++];
    ChargeSummary& c = r.charge;
    c.start = values[i++];
    c.end = values[i++];
    const auto duration = integerOf(values[i++]);
    const auto lastStage = integerOf(values[i++]);
    c.stopReason = values[i++];
    const auto gaps = integerOf(values[i++]);
    const auto points = integerOf(values[i++]);
    c.curveHash = values[i++];
    const std::string& after = values[i++];
    const std::string& afterStatus = values[i++];
    const std::string& test = values[i++];
    const std::string& testStatus = values[i++];
    r.time = values[i++];
    if (!duration || !lastStage || !gaps || !points) return fail(RecordProblem::Unreadable);
    c.durationSeconds = *duration;
    c.lastStage = static_cast<int>(*lastStage);
    c.gaps = *gaps;
    c.points = *points;
    if (!parseResult(before, "", &r.before) || !parseResult(after, afterStatus, &r.after) ||
        !parseResult(test, testStatus, &r.test))
        return fail(RecordProblem::Unreadable);
    // One text per record: whatever does not come back byte for byte is not canonical.
    if (encodeRecord(r) != text) return fail(RecordProblem::Unreadable);
    return r;
}

std::string curveHash(const std::vector<CurvePoint>& points) {
    std::string lines;
    lines.reserve(points.size() * 24);
    for (const CurvePoint& p : points)
        lines += std::to_string(p.offsetMs) + "," + std::to_string(p.centivolts) + "," +
                 std::to_string(p.milliamps) + "," + std::to_string(p.stage) + "\n";
    std::string hex = toHex(sha256(lines));
    for (char& c : hex)
        if (c >= 'A' && c <= 'F') c = static_cast<char>(c - 'A' + 'a');
    return hex;
}

std::string recordTime(int year, int month, int day, int hour, int minute, int second,
                       int utcOffsetMinutes) {
    const int offset = utcOffsetMinutes < 0 ? -utcOffsetMinutes : utcOffsetMinutes;
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02dT%02d:%02d:%02d%c%02d:%02d", year, month,
                  day, hour, minute, second, utcOffsetMinutes < 0 ? '-' : '+', offset / 60,
                  offset % 60);
    return buffer;
}

}  // namespace velmora::certificate
