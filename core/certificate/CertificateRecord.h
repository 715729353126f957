#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "link/TestResult.h"

namespace velmora::certificate {

// The version of the record this build writes; docs/CERTIFICATE.md describes it.
inline constexpr int kRecordVersion = 1;
// The first line of every record: "velmora-certificate" and the version.
inline constexpr const char* kRecordMagic = "velmora-certificate";

// What the user typed before printing; kept with the session and printed.
struct JobDetails {
    std::string batteryId;  // serial or date code, often from a barcode scanner
    std::string technician;
    std::string job;                // job or invoice number
    std::optional<bool> inVehicle;  // tested in the vehicle; absent when not said

    bool empty() const {
        return batteryId.empty() && technician.empty() && job.empty() && !inVehicle;
    }
    bool operator==(const JobDetails& o) const {
        return batteryId == o.batteryId && technician == o.technician && job == o.job &&
               inVehicle == o.inVehicle;
    }
};

// The charge's summary; every field empty (and numbers zero) for a test-only run.
struct ChargeSummary {
    std::string start;  // local time with offset, "2026-12-10T12:59:04+07:00"
    std::string end;
    int64_t durationSeconds = 0;
    int lastStage = 0;
    std::string stopReason;  // the journal's name: "finished", "forceStop", ...
    int64_t gaps = 0;        // times the link was lost and came back
    int64_t points = 0;      // recorded points the curve hash covers
    std::string curveHash;   // lower-case hex SHA-256 of the points (curveHash()), or empty
};

// One point of the recorded curve as the journal keeps it: the charger's own resolution.
struct CurvePoint {
    int64_t offsetMs = 0;
    int64_t centivolts = 0;
    int64_t milliamps = 0;
    int stage = 0;
};

// The signed record: everything a battery maker reads from the certificate.
struct CertificateRecord {
    int version = kRecordVersion;
    std::string dealer;          // the dealer's name as the workshop set it
    std::string keyFingerprint;  // fingerprintOf(the dealer's public key)
    std::string deviceName, deviceAddress;
    std::string kind;  // "charge" or "test"
    std::string brand, variety, type, capacity;
    std::string mode;  // "1" normal, "2" fast, empty when unknown
    JobDetails job;
    std::optional<TestResult> before;
    ChargeSummary charge;
    std::optional<TestResult> after;
    std::optional<TestResult> test;
    std::string time;  // when it was printed, local time with offset
};

// The record's fields as (name, value) in their fixed order, values as they are encoded
// (texts with control characters made spaces, numbers in the C locale).
std::vector<std::pair<std::string, std::string>> recordFields(const CertificateRecord& record);

// The canonical text: the magic and version on the first line, then one "name=value"
// line per field in order, every line ending in LF; values percent-encoded (bytes outside
// 0x20..0x7E and "%" as "%XX"), so the text is plain ASCII.
std::string encodeRecord(const CertificateRecord& record);

enum class RecordProblem { None, Unreadable, UnsupportedVersion };
// The record of a canonical text; Unreadable for any other text (a field missing, out of
// order or malformed), UnsupportedVersion for another version's record.
std::optional<CertificateRecord> decodeRecord(std::string_view text, RecordProblem* problem);

// The hash of a curve as the record carries it: SHA-256 over one line per point,
// "offset_ms,centivolts,milliamps,stage\n", in lower-case hexadecimal.
std::string curveHash(const std::vector<CurvePoint>& points);

// A local time as the record carries it: "YYYY-MM-DDTHH:MM:SS+HH:MM".
std::string recordTime(int year, int month, int day, int hour, int minute, int second,
                       int utcOffsetMinutes);

}  // namespace velmora::certificate
