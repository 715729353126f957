#include "link/StateFromJson.h"

#include <cmath>
#include <functional>
#include <limits>
#include <map>
#include <stdexcept>

#include "json/JsonReader.h"

namespace velmora {

namespace {

struct WrongField : std::runtime_error {
    using std::runtime_error::runtime_error;
};

[[noreturn]] void wrong(const std::string& field, const std::string& what) {
    throw WrongField(field + ": " + what);
}

void require(const JsonValue& value, JsonValue::Kind kind, const std::string& field) {
    if (value.kind != kind)
        wrong(field, std::string("expected ") + kindName(kind) + ", found " + kindName(value.kind));
}

int integer(const JsonValue& value, const std::string& field) {
    require(value, JsonValue::Kind::Number, field);
    const double n = value.number;
    if (n != std::floor(n) || n < std::numeric_limits<int>::min() ||
        n > std::numeric_limits<int>::max())
        wrong(field, "expected a whole number within 32 bits");
    return static_cast<int>(n);
}

double real(const JsonValue& value, const std::string& field) {
    require(value, JsonValue::Kind::Number, field);
    return value.number;
}

std::string text(const JsonValue& value, const std::string& field) {
    require(value, JsonValue::Kind::String, field);
    return value.text;
}

bool flag(const JsonValue& value, const std::string& field) {
    require(value, JsonValue::Kind::Boolean, field);
    return value.boolean;
}

std::vector<std::string> texts(const JsonValue& value, const std::string& field) {
    require(value, JsonValue::Kind::Array, field);
    std::vector<std::string> out;
    for (size_t i = 0; i < value.items.size(); ++i)
        out.push_back(text(value.items[i], field + "[" + std::to_string(i) + "]"));
    return out;
}

// A record's fields by name: each reads its JSON value into the record.
template <typename Record>
using FieldReaders =
    std::map<std::string, std::function<void(Record&, const JsonValue&, const std::string&)>>;

template <typename Record, typename T, typename Read>
auto member(T Record::*field, Read read) {
    return [field, read](Record& r, const JsonValue& v, const std::string& name) {
        r.*field = read(v, name);
    };
}

// A field of one of the state's three results.
template <typename Record, typename T, typename Read>
auto resultMember(TestResult Record::*result, T TestResult::*field, Read read) {
    return [result, field, read](Record& r, const JsonValue& v, const std::string& name) {
        r.*result.*field = read(v, name);
    };
}

template <typename Record>
void readObject(Record& record, const JsonValue& value, const FieldReaders<Record>& readers,
                const std::string& path) {
    require(value, JsonValue::Kind::Object, path.empty() ? "state" : path);
    for (const auto& [name, item] : value.members) {
        const std::string field = path.empty() ? name : path + "." + name;
        const auto reader = readers.find(name);
        if (reader == readers.end()) wrong(field, "unknown field");
        reader->second(record, item, field);
    }
}

// A fixed-length list of records, at most as many entries as there are places.
template <typename Record, size_t N>
void readArray(std::array<Record, N>& records, const JsonValue& value,
               const FieldReaders<Record>& readers, const std::string& field) {
    require(value, JsonValue::Kind::Array, field);
    if (value.items.size() > N) wrong(field, "at most " + std::to_string(N) + " entries");
    for (size_t i = 0; i < value.items.size(); ++i)
        readObject(records[i], value.items[i], readers, field + "[" + std::to_string(i) + "]");
}

const FieldReaders<OptionSlot>& slotReaders() {
    static const FieldReaders<OptionSlot> readers = {
        {"name", member(&OptionSlot::name, text)},
        {"variety", member(&OptionSlot::variety, text)},
        {"brand", member(&OptionSlot::brand, text)},
        {"capacity", member(&OptionSlot::capacity, real)},
        {"current", member(&OptionSlot::current, real)},
        {"cca", member(&OptionSlot::cca, integer)},
    };
    return readers;
}

const FieldReaders<AuxReading>& auxReaders() {
    static const FieldReaders<AuxReading> readers = {
        {"voltage", member(&AuxReading::voltage, real)},
        {"current", member(&AuxReading::current, real)},
        {"number", member(&AuxReading::number, integer)},
        {"text", member(&AuxReading::text, text)},
    };
    return readers;
}

// One result's fields, named after its group ("beforeCca", ...), status where it has one.
void addResultReaders(FieldReaders<ChargerState>& readers, const std::string& group,
                      TestResult ChargerState::*result, bool withStatus) {
    readers[group + "Cca"] = resultMember(result, &TestResult::cca, integer);
    readers[group + "Resistance"] = resultMember(result, &TestResult::resistance, real);
    readers[group + "DiagVoltage"] = resultMember(result, &TestResult::diagVoltage, real);
    readers[group + "Voltage"] = resultMember(result, &TestResult::voltage, real);
    if (withStatus) readers[group + "Status"] = resultMember(result, &TestResult::status, text);
}

const FieldReaders<ChargerState>& stateReaders() {
    using S = ChargerState;
    static const FieldReaders<S> readers = [] {
        FieldReaders<S> fields = {
            {"stageNumber", member(&S::stageNumber, integer)},
            {"chargeVoltage", member(&S::chargeVoltage, real)},
            {"chargeCurrent", member(&S::chargeCurrent, real)},
            {"elapsedSeconds", member(&S::elapsedSeconds, integer)},
            {"chargeProgress", member(&S::chargeProgress, integer)},
            {"chargerStatus", member(&S::chargerStatus, text)},
            {"batteryStatus", member(&S::batteryStatus, text)},
            {"beforeResultTag", member(&S::beforeResultTag, text)},
            {"afterResultTag", member(&S::afterResultTag, text)},
            {"testResultTag", member(&S::testResultTag, text)},
            {"profileBrandIndex", member(&S::profileBrandIndex, integer)},
            {"profileVarietyIndex", member(&S::profileVarietyIndex, integer)},
            {"profileTypeIndex", member(&S::profileTypeIndex, integer)},
            {"profileMode", member(&S::profileMode, text)},
            {"profileReceived", member(&S::profileReceived, flag)},
            {"voltageHistory", member(&S::voltageHistory, texts)},
            {"currentHistory", member(&S::currentHistory, texts)},
            {"historyReady", member(&S::historyReady, flag)},
            {"endOfTest", member(&S::endOfTest, flag)},
            {"optionSlots",
             [](S& s, const JsonValue& v, const std::string& field) {
                 readArray(s.optionSlots, v, slotReaders(), field);
             }},
            {"auxReadings",
             [](S& s, const JsonValue& v, const std::string& field) {
                 readArray(s.auxReadings, v, auxReaders(), field);
             }},
            {"auxTexts",
             [](S& s, const JsonValue& v, const std::string& field) {
                 const std::vector<std::string> list = texts(v, field);
                 if (list.size() > s.auxTexts.size()) wrong(field, "at most 3 entries");
                 std::copy(list.begin(), list.end(), s.auxTexts.begin());
             }},
        };
        addResultReaders(fields, "before", &S::before, false);
        addResultReaders(fields, "after", &S::after, true);
        addResultReaders(fields, "test", &S::test, true);
        return fields;
    }();
    return readers;
}

}  // namespace

std::optional<ChargerState> stateFromJson(std::string_view json, std::string* error) {
    std::string malformed;
    const std::optional<JsonValue> document = parseJson(json, &malformed);
    if (!document) {
        if (error) *error = "not JSON: " + malformed;
        return std::nullopt;
    }
    ChargerState state;
    try {
        readObject(state, *document, stateReaders(), "");
    } catch (const WrongField& field) {
        if (error) *error = field.what();
        return std::nullopt;
    }
    return state;
}

}  // namespace velmora
