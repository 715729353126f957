#include "link/StateJson.h"

#include <cstdio>
#include <vector>

namespace velmora {

namespace {

std::string number(double value) {
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.15g", value);
    return buffer;
}

// Builds one JSON object field by field.
class ObjectWriter {
public:
    ObjectWriter& raw(const char* key, const std::string& json) {
        m_text += (m_text.size() > 1 ? ", " : "") + jsonString(key) + ": " + json;
        return *this;
    }
    ObjectWriter& text(const char* key, const std::string& value) {
        return raw(key, jsonString(value));
    }
    ObjectWriter& integer(const char* key, int value) { return raw(key, std::to_string(value)); }
    ObjectWriter& real(const char* key, double value) { return raw(key, number(value)); }
    ObjectWriter& flag(const char* key, bool value) { return raw(key, value ? "true" : "false"); }
    std::string done() { return m_text + "}"; }

private:
    std::string m_text = "{";
};

std::string textList(const std::vector<std::string>& items) {
    std::string json = "[";
    for (size_t i = 0; i < items.size(); ++i) json += (i ? ", " : "") + jsonString(items[i]);
    return json + "]";
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
        slots += (i ? ", " : "") + ObjectWriter()
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
        aux += (i ? ", " : "") + ObjectWriter()
                                     .real("voltage", a.voltage)
                                     .real("current", a.current)
                                     .integer("number", a.number)
                                     .text("text", a.text)
                                     .done();
    }
    aux += "]";
    return ObjectWriter()
        .integer("stageNumber", s.stageNumber)
        .real("chargeVoltage", s.chargeVoltage)
        .real("chargeCurrent", s.chargeCurrent)
        .integer("elapsedSeconds", s.elapsedSeconds)
        .integer("chargeProgress", s.chargeProgress)
        .text("chargerStatus", s.chargerStatus)
        .text("batteryStatus", s.batteryStatus)
        .text("beforeResultTag", s.beforeResultTag)
        .integer("beforeCca", s.beforeCca)
        .real("beforeResistance", s.beforeResistance)
        .real("beforeDiagVoltage", s.beforeDiagVoltage)
        .real("beforeVoltage", s.beforeVoltage)
        .text("afterResultTag", s.afterResultTag)
        .integer("afterCca", s.afterCca)
        .real("afterResistance", s.afterResistance)
        .real("afterDiagVoltage", s.afterDiagVoltage)
        .real("afterVoltage", s.afterVoltage)
        .text("afterStatus", s.afterStatus)
        .text("testResultTag", s.testResultTag)
        .integer("testCca", s.testCca)
        .real("testResistance", s.testResistance)
        .real("testDiagVoltage", s.testDiagVoltage)
        .real("testVoltage", s.testVoltage)
        .text("testStatus", s.testStatus)
        .integer("profileBrandIndex", s.profileBrandIndex)
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
