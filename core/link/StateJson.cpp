#include "link/StateJson.h"

#include <cstdio>
#include <vector>

#include "link/JsonObjectWriter.h"

namespace velmora {

namespace {

std::string textList(const std::vector<std::string>& items) {
    std::string json = "[";
    for (size_t i = 0; i < items.size(); ++i) json += (i ? ", " : "") + jsonString(items[i]);
    return json + "]";
}

// One result's fields, named after its group ("beforeCca", ...), status where it has one.
void writeResult(JsonObjectWriter& json, const std::string& group, const TestResult& result,
                 bool withStatus) {
    json.integer((group + "Cca").c_str(), result.cca)
        .real((group + "Resistance").c_str(), result.resistance)
        .real((group + "DiagVoltage").c_str(), result.diagVoltage)
        .real((group + "Voltage").c_str(), result.voltage);
    if (withStatus) json.text((group + "Status").c_str(), result.status);
}

}  // namespace

std::string jsonString(const std::string& text) {
    std::string json = "\"";
    for (unsigned char c : text) {
        switch (c) {
            case '"':
                json += "\\\"";
                break;
            case '\\':
                json += "\\\\";
                break;
            case '\n':
                json += "\\n";
                break;
            case '\r':
                json += "\\r";
                break;
            case '\t':
                json += "\\t";
                break;
            default:
                if (c < 0x20) {
                    char buffer[8];
                    std::snprintf(buffer, sizeof buffer, "\\u%04x", c);
                    json += buffer;
                } else {
                    json += static_cast<char>(c);
                }
        }
    }
    return json + "\"";
}

std::string toJson(const ChargerState& s) {
    std::string slots = "[";
    for (size_t i = 0; i < s.optionSlots.size(); ++i) {
        const OptionSlot& o = s.optionSlots[i];
        slots += (i ? ", " : "") + JsonObjectWriter()
                                       .text("name", o.name)
                                       .text("variety", o.variety)
                                       .text("brand", o.brand)
                                       .real("capacity", o.capacity)
                                       .real("current", o.current)
                                       .integer("cca", o.cca)
                                       .done();
    }
    slots += "]";
    std::string aux = "[";
    for (size_t i = 0; i < s.auxReadings.size(); ++i) {
        const AuxReading& a = s.auxReadings[i];
        aux += (i ? ", " : "") + JsonObjectWriter()
                                     .real("voltage", a.voltage)
                                     .real("current", a.current)
                                     .integer("number", a.number)
                                     .text("text", a.text)
                                     .done();
    }
    aux += "]";
    JsonObjectWriter json;
    json.integer("stageNumber", s.stageNumber)
        .real("chargeVoltage", s.chargeVoltage)
        .real("chargeCurrent", s.chargeCurrent)
        .integer("elapsedSeconds", s.elapsedSeconds)
        .integer("chargeProgress", s.chargeProgress)
        .text("chargerStatus", s.chargerStatus)
        .text("batteryStatus", s.batteryStatus)
        .text("beforeResultTag", s.beforeResultTag);
    writeResult(json, "before", s.before, false);
    json.text("afterResultTag", s.afterResultTag);
    writeResult(json, "after", s.after, true);
    json.text("testResultTag", s.testResultTag);
    writeResult(json, "test", s.test, true);
    return json.integer("profileBrandIndex", s.profileBrandIndex)
        .integer("profileVarietyIndex", s.profileVarietyIndex)
        .integer("profileTypeIndex", s.profileTypeIndex)
        .text("profileMode", s.profileMode)
        .flag("profileReceived", s.profileReceived)
        .raw("voltageHistory", textList(s.voltageHistory))
        .raw("currentHistory", textList(s.currentHistory))
        .flag("historyReady", s.historyReady)
        .raw("optionSlots", slots)
        .raw("auxReadings", aux)
        .raw("auxTexts", textList({s.auxTexts.begin(), s.auxTexts.end()}))
        .flag("endOfTest", s.endOfTest)
        .done();
}

}  // namespace velmora
