#include "journal/SessionCertificate.h"

#include <cmath>

#include "journal/SessionGaps.h"
#include "journal/WallTime.h"

namespace velmora::journal {

void fillFromSession(certificate::CertificateRecord& record, const Session& session) {
    const SessionSummary& s = session.summary;
    record.deviceName = s.start.deviceName;
    record.deviceAddress = s.start.deviceAddress;
    if (s.start.kind != SessionKind::Charge) return;
    certificate::ChargeSummary& c = record.charge;
    const int offset = s.start.utcOffsetMinutes;
    c.start = isoLocalTime(s.start.startMs, offset);
    c.end = isoLocalTime(s.start.startMs + s.durationMs(), offset);
    c.durationSeconds = s.durationMs() / 1000;
    c.lastStage = session.points.empty() ? 0 : session.points.back().stage;
    c.stopReason = s.stopReason;
    c.gaps = static_cast<int64_t>(findGaps(session.points).size());
    c.points = static_cast<int64_t>(session.points.size());
    std::vector<certificate::CurvePoint> curve;
    curve.reserve(session.points.size());
    for (const Point& p : session.points)
        curve.push_back(
            {p.offsetMs, std::llround(p.voltage * 100), std::llround(p.current * 1000), p.stage});
    c.curveHash = curve.empty() ? "" : certificate::curveHash(curve);
}

}  // namespace velmora::journal
