#include "journal/SessionJson.h"

#include "journal/SessionGaps.h"
#include "journal/WallTime.h"
#include "link/JsonObjectWriter.h"

namespace velmora::journal {

namespace {

void result(JsonObjectWriter& json, const std::string& group, const std::optional<TestResult>& r,
            bool hasStatus) {
    const std::string keys[] = {group + "Cca", group + "Resistance", group + "DiagVoltage",
                                group + "Voltage", group + "Status"};
    if (!r) {
        for (int i = 0; i < (hasStatus ? 5 : 4); ++i) json.null(keys[i].c_str());
        return;
    }
    json.integer(keys[0].c_str(), r->cca)
        .real(keys[1].c_str(), r->resistance)
        .real(keys[2].c_str(), r->diagVoltage)
        .real(keys[3].c_str(), r->voltage);
    if (hasStatus) json.text(keys[4].c_str(), r->status);
}

JsonObjectWriter summaryWriter(const SessionSummary& s) {
    const SessionStart& start = s.start;
    const Profile& p = start.profile;
    JsonObjectWriter json;
    json.integer("id", s.id)
        .text("kind", kindName(start.kind))
        .flag("joinedMidCharge", start.joinedMidCharge)
        .text("startTime", isoLocalTime(start.startMs, start.utcOffsetMinutes));
    if (s.endMs)
        json.text("endTime", isoLocalTime(*s.endMs, start.utcOffsetMinutes));
    else
        json.null("endTime");
    json.real("durationSeconds", s.durationMs() / 1000.0)
        .text("stopReason", s.stopReason)
        .text("deviceName", start.deviceName)
        .text("deviceAddress", start.deviceAddress)
        .text("bayLabel", start.bayLabel)
        .integer("profileBrandIndex", p.brandIndex)
        .integer("profileVarietyIndex", p.varietyIndex)
        .integer("profileTypeIndex", p.typeIndex)
        .text("profileMode", p.mode)
        .text("profileBrand", p.brand)
        .text("profileVariety", p.variety)
        .text("profileType", p.type)
        .text("profileModeText", p.modeText)
        .text("profileCapacity", p.capacity)
        .text("profileName", p.name);
    result(json, "before", s.results.before, false);
    result(json, "after", s.results.after, true);
    result(json, "test", s.results.test, true);
    json.integer("pointCount", s.pointCount);
    return json;
}

}  // namespace

std::string summaryJson(const SessionSummary& summary) {
    return summaryWriter(summary).done();
}

std::string sessionJson(const Session& session) {
    std::string points = "[";
    points.reserve(session.points.size() * 80);
    for (size_t i = 0; i < session.points.size(); ++i) {
        const Point& p = session.points[i];
        points += (i ? ", " : "") + JsonObjectWriter()
                                        .real("seconds", p.offsetMs / 1000.0)
                                        .integer("stageNumber", p.stage)
                                        .real("chargeVoltage", p.voltage)
                                        .real("chargeCurrent", p.current)
                                        .done();
    }
    std::string gaps = "[";
    for (const Gap& gap : findGaps(session.points)) {
        gaps += (gaps.size() > 1 ? ", " : "") + JsonObjectWriter()
                                                    .real("fromSeconds", gap.fromMs / 1000.0)
                                                    .real("toSeconds", gap.toMs / 1000.0)
                                                    .done();
    }
    return summaryWriter(session.summary)
        .raw("gaps", gaps + "]")
        .raw("points", points + "]")
        .done();
}

}  // namespace velmora::journal
