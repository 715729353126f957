#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "certificate/CertificateRecord.h"
#include "link/TestResult.h"

namespace velmora::journal {

// What started a session: a charge ("Charge Mode") or a test-only run ("Test Mode").
enum class SessionKind { Charge, Test };

// Why a session ended. Stored as its name so older and newer versions read each other's.
enum class StopReason {
    Finished,          // charge done (after-charge result, floating) or test result in
    ForceStop,         // the user confirmed STOP
    LinkLost,          // the charger connection ended
    AppClosed,         // the application closed while recording
    BatteryUnplugged,  // the charger reported the battery unplugged
    ChargerStandby,    // the charger went to STANDBY before finishing
    Interrupted,       // a new charge or test started before this one ended
    PrinterHandOver,   // the user handed the link to the printer
    StoppedWatching,   // the user stopped watching the charger (removed from the bench)
};

const char* kindName(SessionKind kind);  // "charge", "test"
std::optional<SessionKind> kindFromName(const std::string& name);
const char* stopReasonName(StopReason reason);  // "finished", "forceStop", ...
std::optional<StopReason> stopReasonFromName(const std::string& name);

// The charge profile as the window showed it: positions, the charger's mode and the texts.
struct Profile {
    int brandIndex = -1;
    int varietyIndex = -1;
    int typeIndex = -1;
    std::string mode;  // "1" normal, "2" fast, empty when unknown
    std::string brand, variety, type, modeText, capacity;
    std::string name;  // the profile name the user typed

    bool operator==(const Profile& o) const {
        return brandIndex == o.brandIndex && varietyIndex == o.varietyIndex &&
               typeIndex == o.typeIndex && mode == o.mode && brand == o.brand &&
               variety == o.variety && type == o.type && modeText == o.modeText &&
               capacity == o.capacity && name == o.name;
    }
    bool operator!=(const Profile& o) const { return !(*this == o); }
};

using velmora::TestResult;
// The results a session holds; a group is absent until the charger reported it.
using Results = velmora::TestResults;

// One recorded reading. Volts and amperes keep the charger's resolution (0.01 V, 1 mA).
struct Point {
    int64_t offsetMs = 0;  // since the session started
    double voltage = 0.0;
    double current = 0.0;
    int stage = 0;
};

// Written when a session starts.
struct SessionStart {
    SessionKind kind = SessionKind::Charge;
    int64_t startMs = 0;       // UTC, milliseconds since 1970
    int utcOffsetMinutes = 0;  // the workshop's local offset at the start
    std::string deviceName, deviceAddress;
    // The user's name for the bay the charger stood in ("Rak 1"); empty for a single charger
    // and for sessions kept before bays had names.
    std::string bayLabel;
    Profile profile;
    bool joinedMidCharge = false;  // first seen part-way through the charge
};

// One row of the session list.
struct SessionSummary {
    int64_t id = 0;
    SessionStart start;
    std::optional<int64_t> endMs;  // absent while recording, or when the writer died
    std::string stopReason;        // a stopReasonName, empty when not ended
    Results results;
    int64_t pointCount = 0;
    int64_t lastPointMs = 0;  // offset of the last point written

    // Up to the end, or up to the last point written when the session never ended.
    int64_t durationMs() const { return endMs ? *endMs - start.startMs : lastPointMs; }
};

struct Session {
    SessionSummary summary;
    std::vector<Point> points;
};

// Everything one flush writes, in one transaction.
struct SessionUpdate {
    std::vector<Point> points;
    Results results;                 // groups present here are (re)written
    std::optional<Profile> profile;  // when the profile changed during the session
    std::optional<int64_t> endMs;
    std::optional<StopReason> stopReason;

    bool empty() const {
        return points.empty() && !results.before && !results.after && !results.test && !profile &&
               !endMs;
    }
};

// The job details typed for a session and the warranty certificate printed for it, as the
// QR code carries it (signed): a reprint prints it again unchanged.
struct KeptCertificate {
    certificate::JobDetails job;
    std::string qrText;
};

// Selection of the session list, newest first.
struct ListQuery {
    std::string text;  // matched anywhere in bay, device, profile texts, statuses, stop reason
    // Only the sessions of this bay, its label matched whole (empty: those without one).
    std::optional<std::string> bayLabel;
    // Start time on the workshop's own clock (UTC + the session's offset), inclusive bounds.
    std::optional<int64_t> fromLocalMs, toLocalMs;
    int limit = -1;  // no limit
    int offset = 0;
};

}  // namespace velmora::journal
