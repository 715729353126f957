#include "logger/LogJson.h"

#include <charconv>

#include "link/StateJson.h"

namespace velmora {

namespace {
std::string number(double value) {
    char buffer[32];
    return std::string(buffer, std::to_chars(buffer, buffer + sizeof buffer, value).ptr);
}
}  // namespace

std::string logRecordJson(const LogRecord& r) {
    const LoadedRecord& l = r.loadedRecord;
    const std::pair<const char*, std::string> fields[] = {
        {"profileBrandIndex", std::to_string(r.profileBrandIndex)},
        {"profileVarietyIndex", std::to_string(r.profileVarietyIndex)},
        {"profileTypeIndex", std::to_string(r.profileTypeIndex)},
        {"profileMode", jsonString(r.profileMode)},
        {"beforeCca", std::to_string(l.before.cca)},
        {"beforeResistance", number(l.before.resistance)},
        {"beforeVoltage", number(l.before.voltage)},
        {"beforeDiagVoltage", number(l.before.diagVoltage)},
        {"afterCca", std::to_string(l.after.cca)},
        {"afterResistance", number(l.after.resistance)},
        {"afterVoltage", number(l.after.voltage)},
        {"afterDiagVoltage", number(l.after.diagVoltage)},
        {"status", jsonString(l.after.status)},
    };
    std::string json = "{";
    for (const auto& [key, value] : fields)
        json += (json.size() > 1 ? ", " : "") + jsonString(key) + ": " + value;
    return json + "}";
}

}  // namespace velmora
