#include "link/MessageParser.h"

#include <cmath>
#include <optional>
#include <utility>

namespace velmora {

namespace {

using Fields = std::vector<std::string_view>;

// Converts the fields a shape needs; a field that does not convert marks the whole
// message bad. Values are kept as sent, whatever their size: what a screen cannot show
// sensibly it decides for itself, field by field.
class FieldReader {
public:
    FieldReader(const Fields& fields, const NumberFormat& format)
        : m_fields(fields), m_format(format) {}

    // A 32-bit integer; larger ones do not convert.
    int integer(size_t pos) {
        auto value = parseInteger(m_fields[pos]);
        if (!value) m_ok = false;
        return value.value_or(0);
    }
    // The wire value divided by `scale`; one that overflows does not convert.
    double real(size_t pos, double scale) {
        auto value = parseReal(m_fields[pos], m_format);
        const double scaled = value.value_or(0.0) / scale;
        if (!value || !std::isfinite(scaled)) m_ok = false;
        return scaled;
    }
    std::string text(size_t pos) const { return std::string(m_fields[pos]); }
    bool ok() const { return m_ok; }

private:
    const Fields& m_fields;
    const NumberFormat& m_format;
    bool m_ok = true;
};

bool is(const Fields& f, size_t pos, std::string_view value) {
    return pos < f.size() && f[pos] == value;
}

// Result numbers sit at 3..6, or reversed (6..3) after the end-of-test marker.
TestResult readResult(FieldReader& r, bool reversed) {
    if (reversed) return {r.integer(6), r.real(5, 100), r.real(4, 100), r.real(3, 100), {}};
    return {r.integer(3), r.real(4, 100), r.real(5, 100), r.real(6, 100), {}};
}

std::vector<std::string> historyItems(const Fields& f) {
    std::vector<std::string> items;
    if (f.size() > 3) {
        items.reserve(f.size() - 3);
        for (size_t i = 2; i + 1 < f.size(); ++i) items.emplace_back(f[i]);
    }
    return items;
}

// Applies a matched shape; returns false (and stores nothing) when a field is bad.
bool apply(MessageShape shape, const Fields& f, ChargerState& s, const NumberFormat& format) {
    FieldReader r(f, format);
    switch (shape) {
        case MessageShape::LiveReading: {
            int stage = r.integer(2);
            double volts = r.real(3, 100), amps = r.real(4, 1000);
            int seconds = r.integer(5), progress = r.integer(6);
            if (!r.ok()) return false;
            s.stageNumber = stage;
            s.chargeVoltage = volts;
            s.chargeCurrent = amps;
            s.elapsedSeconds = seconds;
            s.chargeProgress = progress;
            return true;
        }
        case MessageShape::ProfileReport: {
            int brand = r.integer(2), variety = r.integer(3), type = r.integer(4);
            if (!r.ok()) return false;
            s.profileBrandIndex = brand;
            s.profileVarietyIndex = variety;
            s.profileTypeIndex = type;
            s.profileMode = r.text(5);
            s.profileReceived = true;
            return true;
        }
        case MessageShape::BeforeResult: {
            TestResult result = readResult(r, s.endOfTest);
            if (!r.ok()) return false;
            s.beforeResultTag = r.text(2);
            s.before = std::move(result);
            return true;
        }
        case MessageShape::AfterResult: {
            TestResult result = readResult(r, s.endOfTest);
            if (!r.ok()) return false;
            s.afterResultTag = r.text(2);
            result.status = r.text(7);
            s.after = std::move(result);
            s.endOfTest = false;
            return true;
        }
        case MessageShape::VoltageHistory:
            s.voltageHistory = historyItems(f);
            s.historyReady = true;
            return true;
        case MessageShape::CurrentHistory:
            s.storeCurrentHistory(historyItems(f));
            return true;
        case MessageShape::TestResult: {
            TestResult result = readResult(r, false);
            if (!r.ok()) return false;
            s.testResultTag = r.text(2);
            result.status = r.text(7);
            s.test = std::move(result);
            return true;
        }
        case MessageShape::OptionSlots: {
            std::array<OptionSlot, 5> slots;
            for (size_t i = 0; i < 5; ++i) {
                slots[i].name = r.text(2 + i);
                slots[i].variety = r.text(7 + i);
                slots[i].brand = r.text(12 + i);
                slots[i].capacity = r.real(17 + i, 10);
                slots[i].current = r.real(22 + i, 10);
                slots[i].cca = r.integer(27 + i);
            }
            if (!r.ok()) return false;
            s.optionSlots = std::move(slots);
            return true;
        }
        case MessageShape::AuxReadings: {
            std::array<AuxReading, 3> aux;
            for (size_t i = 0; i < 3; ++i) {
                aux[i].voltage = r.real(2 + i, 100);
                aux[i].current = r.real(5 + i, 1000);
                aux[i].number = r.integer(8 + i);
                aux[i].text = r.text(11 + i);
            }
            if (!r.ok()) return false;
            s.auxReadings = std::move(aux);
            return true;
        }
        case MessageShape::DetectionReport: {
            double volts = r.real(2, 100);
            if (!r.ok()) return false;
            s.batteryStatus = r.text(1);
            s.chargeVoltage = volts;
            return true;
        }
        case MessageShape::ThreeValue:
            s.auxTexts = {r.text(1), r.text(2), r.text(3)};
            return true;
        case MessageShape::TestCharge:
        case MessageShape::DiagTestCharge: {
            double volts = r.real(2, 100), amps = r.real(3, 1000);
            int seconds = r.integer(4);
            if (!r.ok()) return false;
            s.chargerStatus = r.text(1);
            s.chargeVoltage = volts;
            s.chargeCurrent = amps;
            s.elapsedSeconds = seconds;
            return true;
        }
        case MessageShape::StatusWord:
            s.chargerStatus = r.text(1);
            s.unseenStatusWord = s.chargerStatus;
            if (s.chargerStatus == "Charge Mode" || s.chargerStatus == "Test Mode") s.beginRun();
            return true;
        case MessageShape::None:
            break;
    }
    return true;
}

}  // namespace

const char* shapeName(MessageShape shape) {
    switch (shape) {
        case MessageShape::None:
            return "none";
        case MessageShape::LiveReading:
            return "live-reading";
        case MessageShape::ProfileReport:
            return "profile-report";
        case MessageShape::BeforeResult:
            return "before-charge-result";
        case MessageShape::AfterResult:
            return "after-charge-result";
        case MessageShape::VoltageHistory:
            return "voltage-history";
        case MessageShape::CurrentHistory:
            return "current-history";
        case MessageShape::TestResult:
            return "test-result";
        case MessageShape::OptionSlots:
            return "option-slots";
        case MessageShape::AuxReadings:
            return "aux-readings";
        case MessageShape::DetectionReport:
            return "detection-report";
        case MessageShape::ThreeValue:
            return "three-value";
        case MessageShape::TestCharge:
            return "test-charge";
        case MessageShape::DiagTestCharge:
            return "diag-test-charge";
        case MessageShape::StatusWord:
            return "status-word";
    }
    return "none";
}

std::vector<std::string_view> splitFields(std::string_view text) {
    std::vector<std::string_view> fields;
    size_t start = 0;
    for (;;) {
        size_t bar = text.find('|', start);
        if (bar == std::string_view::npos) {
            fields.push_back(text.substr(start));
            return fields;
        }
        fields.push_back(text.substr(start, bar - start));
        start = bar + 1;
    }
}

MessageShape classifyMessage(const Fields& f) {
    const size_t n = f.size();
    if (n < 2 || f[0] != "#" || f[n - 1] != "*") return MessageShape::None;
    if (n == 8 && is(f, 1, "1")) return MessageShape::LiveReading;
    if (n == 7 && is(f, 1, "2")) return MessageShape::ProfileReport;
    if (n == 8 && is(f, 1, "3") && is(f, 2, "1")) return MessageShape::BeforeResult;
    if (n == 9 && is(f, 1, "3") && (is(f, 2, "5") || is(f, 2, "4")))
        return MessageShape::AfterResult;
    if (is(f, 1, "4")) return MessageShape::VoltageHistory;
    if (is(f, 1, "5")) return MessageShape::CurrentHistory;
    if (n == 9 && is(f, 1, "6")) return MessageShape::TestResult;
    if (n == 33 && is(f, 1, "7")) return MessageShape::OptionSlots;
    if (n == 15 && is(f, 1, "12")) return MessageShape::AuxReadings;
    if (n == 4) return MessageShape::DetectionReport;
    if (n == 5) return MessageShape::ThreeValue;
    if (n == 6 && is(f, 1, "Test_Charge")) return MessageShape::TestCharge;
    if (n == 6 && is(f, 1, "Diag_Test_Charge")) return MessageShape::DiagTestCharge;
    if (n == 3) return MessageShape::StatusWord;
    return MessageShape::None;
}

ParseOutcome parseMessage(std::string_view text, LiveChargerState& state,
                          const NumberFormat& format) {
    const Fields fields = splitFields(text);
    ParseOutcome outcome;
    outcome.shape = classifyMessage(fields);
    if (outcome.shape == MessageShape::None) return outcome;
    outcome.rejected =
        !state.modify([&](ChargerState& s) { return apply(outcome.shape, fields, s, format); });
    return outcome;
}

}  // namespace velmora
