#include "link/StateJson.h"

#include <cstdio>
#include <functional>
#include <map>
#include <vector>

#include "link/JsonValue.h"

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

namespace {

using Members = std::vector<std::pair<std::string, JsonValue>>;
template <typename Record>
using FieldReaders = std::map<std::string, std::function<void(Record&, const JsonValue&)>>;

// Applies each member to the record by its field name; unknown names are faults, so a
// misspelt field is not silently left at its initial value.
template <typename Record>
void readMembers(Record& record, const JsonValue& object, const std::string& where,
                 const FieldReaders<Record>& readers) {
    for (const auto& [name, value] : object.object(where)) {
        const auto reader = readers.find(name);
        if (reader == readers.end()) throw JsonError("unknown field " + where + "." + name);
        reader->second(record, value);
    }
}

template <typename Record>
void integerField(FieldReaders<Record>& readers, const char* name, int Record::*field) {
    readers[name] = [name, field](Record& r, const JsonValue& v) { r.*field = v.integer(name); };
}
template <typename Record>
void realField(FieldReaders<Record>& readers, const char* name, double Record::*field) {
    readers[name] = [name, field](Record& r, const JsonValue& v) { r.*field = v.number(name); };
}
template <typename Record>
void textField(FieldReaders<Record>& readers, const char* name, std::string Record::*field) {
    readers[name] = [name, field](Record& r, const JsonValue& v) { r.*field = v.string(name); };
}

std::vector<std::string> texts(const JsonValue& value, const std::string& name) {
    std::vector<std::string> items;
    for (const JsonValue& item : value.array(name)) items.push_back(item.string(name + " item"));
    return items;
}

// The items of a fixed-size list: at most as many as it holds.
template <typename Item, size_t N>
void readList(std::array<Item, N>& list, const JsonValue& value, const std::string& name,
              const std::function<void(Item&, const JsonValue&)>& readItem) {
    const auto& items = value.array(name);
    if (items.size() > N) throw JsonError(name + " holds at most " + std::to_string(N) + " items");
    for (size_t i = 0; i < items.size(); ++i) readItem(list[i], items[i]);
}

FieldReaders<ChargerState> stateReaders() {
    FieldReaders<ChargerState> r;
    using S = ChargerState;
    for (auto [name, field] : std::initializer_list<std::pair<const char*, int S::*>>{
             {"stageNumber", &S::stageNumber},
             {"elapsedSeconds", &S::elapsedSeconds},
             {"chargeProgress", &S::chargeProgress},
             {"beforeCca", &S::beforeCca},
             {"afterCca", &S::afterCca},
             {"testCca", &S::testCca},
             {"profileBrandIndex", &S::profileBrandIndex},
             {"profileVarietyIndex", &S::profileVarietyIndex},
             {"profileTypeIndex", &S::profileTypeIndex}})
        integerField(r, name, field);
    for (auto [name, field] : std::initializer_list<std::pair<const char*, double S::*>>{
             {"chargeVoltage", &S::chargeVoltage},
             {"chargeCurrent", &S::chargeCurrent},
             {"beforeResistance", &S::beforeResistance},
             {"beforeDiagVoltage", &S::beforeDiagVoltage},
             {"beforeVoltage", &S::beforeVoltage},
             {"afterResistance", &S::afterResistance},
             {"afterDiagVoltage", &S::afterDiagVoltage},
             {"afterVoltage", &S::afterVoltage},
             {"testResistance", &S::testResistance},
             {"testDiagVoltage", &S::testDiagVoltage},
             {"testVoltage", &S::testVoltage}})
        realField(r, name, field);
    for (auto [name, field] : std::initializer_list<std::pair<const char*, std::string S::*>>{
             {"chargerStatus", &S::chargerStatus},
             {"batteryStatus", &S::batteryStatus},
             {"beforeResultTag", &S::beforeResultTag},
             {"afterResultTag", &S::afterResultTag},
             {"afterStatus", &S::afterStatus},
             {"testResultTag", &S::testResultTag},
             {"testStatus", &S::testStatus},
             {"profileMode", &S::profileMode}})
        textField(r, name, field);
    for (auto [name, field] : std::initializer_list<std::pair<const char*, bool S::*>>{
             {"profileReceived", &S::profileReceived},
             {"historyReady", &S::historyReady},
             {"endOfTest", &S::endOfTest}})
        r[name] = [name = name, field = field](S& s, const JsonValue& v) {
            s.*field = v.boolean(name);
        };
    r["voltageHistory"] = [](S& s, const JsonValue& v) {
        s.voltageHistory = texts(v, "voltageHistory");
    };
    r["currentHistory"] = [](S& s, const JsonValue& v) {
        s.currentHistory = texts(v, "currentHistory");
    };
    r["auxTexts"] = [](S& s, const JsonValue& v) {
        readList<std::string, 3>(
            s.auxTexts, v, "auxTexts",
            [](std::string& t, const JsonValue& item) { t = item.string("auxTexts item"); });
    };
    r["optionSlots"] = [](S& s, const JsonValue& v) {
        FieldReaders<OptionSlot> slot;
        textField(slot, "name", &OptionSlot::name);
        textField(slot, "variety", &OptionSlot::variety);
        textField(slot, "brand", &OptionSlot::brand);
        realField(slot, "capacity", &OptionSlot::capacity);
        realField(slot, "current", &OptionSlot::current);
        integerField(slot, "cca", &OptionSlot::cca);
        readList<OptionSlot, 5>(s.optionSlots, v, "optionSlots",
                                [&slot](OptionSlot& o, const JsonValue& item) {
                                    readMembers(o, item, "optionSlots", slot);
                                });
    };
    r["auxReadings"] = [](S& s, const JsonValue& v) {
        FieldReaders<AuxReading> aux;
        realField(aux, "voltage", &AuxReading::voltage);
        realField(aux, "current", &AuxReading::current);
        integerField(aux, "number", &AuxReading::number);
        textField(aux, "text", &AuxReading::text);
        readList<AuxReading, 3>(s.auxReadings, v, "auxReadings",
                                [&aux](AuxReading& a, const JsonValue& item) {
                                    readMembers(a, item, "auxReadings", aux);
                                });
    };
    return r;
}

}  // namespace

ChargerState stateFromJson(std::string_view json) {
    static const FieldReaders<ChargerState> readers = stateReaders();
    ChargerState state;
    readMembers(state, JsonValue::parse(json), "state", readers);
    return state;
}

}  // namespace velmora
