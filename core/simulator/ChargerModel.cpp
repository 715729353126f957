#include "simulator/ChargerModel.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "link/NumberText.h"
#include "link/ValueRanges.h"

namespace velmora {

namespace {
constexpr const char* kEnd = "\r\n";
constexpr double kAbsorptionVoltage = 14.4;
constexpr double kTopVoltage = 14.7;
constexpr double kFloatVoltage = 13.6;
constexpr int kHistoryInterval = 30;  // simulated seconds between history samples
// Charge current as a share of capacity per hour (C rate), and its limits.
constexpr double kNormalRate = 0.1, kFastRate = 0.2;
constexpr double kMinCurrent = 0.5, kMaxCurrent = 5.0;
// Currents for a battery the catalogue does not know.
constexpr double kUnknownNormalCurrent = 2.0, kUnknownFastCurrent = 4.0;
constexpr int kPresetVariety = 1;  // "MF" in the catalogue's variety list

int x100(double value) {
    return static_cast<int>(std::lround(value * 100));
}
int milli(double value) {
    return static_cast<int>(std::lround(value * 1000));
}

std::vector<std::string> splitBars(const std::string& text) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (;;) {
        size_t bar = text.find('|', start);
        parts.push_back(text.substr(start, bar == std::string::npos ? bar : bar - start));
        if (bar == std::string::npos) return parts;
        start = bar + 1;
    }
}

// Strict, as the application reads numbers: no spaces, no trailing text. The value must
// also lie in `range`, or whatever is built from it would be refused on the other side.
bool toInt(const std::string& text, int& value, ValueRange range = {INT_MIN, INT_MAX}) {
    const std::optional<int> parsed = parseInteger(text);
    if (!parsed || !range.contains(*parsed)) return false;
    value = *parsed;
    return true;
}
}  // namespace

ChargerModel::ChargerModel(unsigned seed) : m_random(seed) {
    // One option ("MF", 5 Ah, 1 A, CCA 90) is defined out of the box, the others are free.
    m_slots[0] = customSlot(0, kPresetVariety, 50, 10, 90);
}

double ChargerModel::jitter(double amplitude) {
    std::uniform_real_distribution<double> dist(-amplitude, amplitude);
    return dist(m_random);
}

std::vector<std::string> ChargerModel::receive(const std::string& bytes) {
    std::vector<std::string> out;
    for (char c : bytes) {
        if (c == '\r' || c == '\n') continue;
        m_pending += c;
        if (c == '*') {
            auto replies = handleCommand(m_pending);
            out.insert(out.end(), replies.begin(), replies.end());
            m_pending.clear();
        }
    }
    if (m_pending.size() > 4096) m_pending.clear();  // noise, not a command
    return out;
}

std::vector<std::string> ChargerModel::handleCommand(const std::string& command) {
    std::vector<std::string> out;
    const size_t hash = command.rfind('#');
    if (hash == std::string::npos) return out;
    const std::string body = command.substr(hash + 1, command.size() - hash - 2);
    m_lastCommand = command.substr(hash);
    if (body == "KWPRZ41") {
        const bool busy = m_phase == Phase::Charging || m_phase == Phase::TestOnly;
        if (busy && m_startAnswer == StartAnswer::State)
            out.push_back(optionSlotsMessage());
        else
            out.push_back(std::string("#|STANDBY|*") + kEnd + optionSlotsMessage());
        if (m_phase == Phase::Off || m_phase == Phase::Standby) {
            m_phase = Phase::Waiting;
            m_phaseSeconds = 0;
            m_stage = 0;
        }
        return out;
    }
    const std::vector<std::string> f = splitBars(body);
    if (f.empty()) return out;
    if (f[0] == "2" && f.size() == 5) {  // profile
        int values[3];
        for (int i = 0; i < 3; ++i)
            if (!toInt(f[1 + i], values[i], ranges::kPosition)) return out;
        if (f[4] != "1" && f[4] != "2") return out;
        std::copy(values, values + 3, m_profile);
        m_fastMode = f[4] == "2";
        m_targetCurrent = profileCurrent(values[0], values[1], values[2], m_fastMode);
        // Reported back as understood, not as typed.
        out.push_back("#|2|" + std::to_string(values[0]) + "|" + std::to_string(values[1]) + "|" +
                      std::to_string(values[2]) + "|" + f[4] + "|*" + kEnd);
    } else if (f[0] == "3" && f.size() == 6) {  // dealer details, kept for the receipt
        m_dealer = body.substr(2);
    } else if (f[0] == "4" && f.size() == 2 && f[1] == "1") {  // force stop
        m_phase = Phase::Standby;
        m_stage = 0;
        m_voltage = m_restVoltage;
        m_current = 0;
        out.push_back(std::string("#|STANDBY|*") + kEnd);
    } else if (f[0] == "5" && f.size() == 6) {  // option slot definition
        using namespace ranges;
        const int varieties = static_cast<int>(m_catalogue.varietyList().size());
        int slot, variety, capacity, current, cca;
        if (!toInt(f[1], slot, {0, 4}) || !toInt(f[2], variety, {0, varieties - 1.0}) ||
            !toInt(f[3], capacity, kCapacity.times(10)) ||
            !toInt(f[4], current, kOptionCurrent.times(10)) || !toInt(f[5], cca, kCca))
            return out;
        m_slots[static_cast<size_t>(slot)] = customSlot(slot, variety, capacity, current, cca);
        out.push_back(optionSlotsMessage());
    } else if (f[0] == "6" && f.size() == 2) {  // option selection
        int n;
        if (toInt(f[1], n) && n >= 1 && n <= 5 && !m_slots[static_cast<size_t>(n - 1)].name.empty())
            // An option may ask for more than the charger can give: it gives its limit.
            m_targetCurrent = std::clamp(m_slots[static_cast<size_t>(n - 1)].currentX10 / 10.0,
                                         kMinCurrent, kMaxCurrent);
    }
    return out;
}

ChargerModel::Slot ChargerModel::customSlot(int slot, int variety, int capacityX10, int currentX10,
                                            int cca) const {
    // Custom options belong to the catalogue's "Other" brand.
    return {"OTHER " + std::to_string(slot + 1),
            m_catalogue.varietyList()[static_cast<size_t>(variety)],
            m_catalogue.brands()[Dataaki::kOtherBrand],
            capacityX10,
            currentX10,
            cca};
}

double ChargerModel::profileCurrent(int brand, int variety, int type, bool fast) const {
    const std::optional<int> list = m_catalogue.typeList(brand, variety);
    const std::optional<TypeRow> row = list ? m_catalogue.typeRow(*list, type) : std::nullopt;
    int tenths = 0;
    if (!row || !toInt(row->scale, tenths) || tenths <= 0)
        return fast ? kUnknownFastCurrent : kUnknownNormalCurrent;
    const double capacity = tenths / 10.0;
    return std::clamp(capacity * (fast ? kFastRate : kNormalRate), kMinCurrent, kMaxCurrent);
}

std::string ChargerModel::optionSlotsMessage() const {
    std::string text = "#|7";
    auto column = [&](auto field) {
        for (const Slot& slot : m_slots) text += "|" + field(slot);
    };
    column([](const Slot& s) { return s.name; });
    column([](const Slot& s) { return s.variety; });
    column([](const Slot& s) { return s.brand; });
    column([](const Slot& s) { return std::to_string(s.capacityX10); });
    column([](const Slot& s) { return std::to_string(s.currentX10); });
    column([](const Slot& s) { return std::to_string(s.cca); });
    return text + "|*" + kEnd;
}

std::string ChargerModel::liveReading() const {
    return "#|1|" + std::to_string(m_stage) + "|" + std::to_string(x100(m_voltage)) + "|" +
           std::to_string(milli(m_current)) + "|" + std::to_string(m_elapsed) + "|" +
           std::to_string(m_progress) + "|*" + kEnd;
}

std::string ChargerModel::historyFrame() const {
    std::string voltages = "#|4", currents = "#|5";
    for (int v : m_voltageSamples) voltages += "|" + std::to_string(v);
    for (int c : m_currentSamples) currents += "|" + std::to_string(c);
    return voltages + "|*" + kEnd + currents + "|*" + kEnd;
}

void ChargerModel::sampleHistory() {
    if (m_elapsed % kHistoryInterval != 0) return;
    m_voltageSamples.push_back(x100(m_voltage));
    m_currentSamples.push_back(milli(m_current));
}

void ChargerModel::enterStage(int stage, std::vector<std::string>& out) {
    m_stage = stage;
    m_phaseSeconds = 0;
    if (stage == 5) out.push_back(historyFrame());
}

void ChargerModel::chargeSecond(std::vector<std::string>& out) {
    const Durations& d = m_durations;
    const double t = m_phaseSeconds;
    switch (m_stage) {
        case 1:
            m_voltage = m_restVoltage + jitter(0.01);
            m_current = 0;
            m_progress = 0;
            if (m_phaseSeconds >= d.diagnosis) {
                const int cca = 180 + static_cast<int>(m_random() % 120);
                const double ir = 9.0 + jitter(3.0);
                const double diag = m_restVoltage - 1.4 + jitter(0.2);
                out.push_back("#|3|1|" + std::to_string(cca) + "|" + std::to_string(x100(ir)) +
                              "|" + std::to_string(x100(diag)) + "|" +
                              std::to_string(x100(m_restVoltage)) + "|*" + kEnd);
                enterStage(2, out);
            }
            break;
        case 2: {
            const double share = std::min(1.0, t / d.constantCurrent);
            m_voltage = m_restVoltage +
                        (kAbsorptionVoltage - m_restVoltage) * std::pow(share, 0.7) + jitter(0.01);
            m_current = m_targetCurrent + jitter(0.03);
            m_progress = static_cast<int>(70 * share);
            if (m_phaseSeconds >= d.constantCurrent) enterStage(3, out);
            break;
        }
        case 3: {
            const double share = std::min(1.0, t / d.constantVoltage1);
            m_voltage = kAbsorptionVoltage + jitter(0.01);
            m_current = std::max(0.4, m_targetCurrent * std::exp(-2.5 * share)) + jitter(0.02);
            m_progress = 70 + static_cast<int>(20 * share);
            if (m_phaseSeconds >= d.constantVoltage1) enterStage(4, out);
            break;
        }
        case 4: {
            const double share = std::min(1.0, t / d.constantVoltage2);
            m_voltage = kTopVoltage + jitter(0.01);
            m_current = 0.4 * std::exp(-1.5 * share) + 0.08 + jitter(0.01);
            m_progress = 90 + static_cast<int>(10 * share);
            if (m_phaseSeconds >= d.constantVoltage2) enterStage(5, out);
            break;
        }
        case 5:
            m_current = 0;
            m_voltage = 13.1 + 0.5 * std::exp(-t / 3.0) + jitter(0.01);
            m_progress = 100;
            if (m_phaseSeconds >= d.diagnosis) {
                const int cca = (m_worn ? 110 : 320) + static_cast<int>(m_random() % 160);
                const double ir = (m_worn ? 14.0 : 4.0) + jitter(1.5);
                const double diag = (m_worn ? 9.8 : 11.6) + jitter(0.2);
                m_afterStatus = m_worn ? "BAD" : cca >= 300 ? "GOOD" : "RECHARGE";
                // After the end-of-test marker the numbers come in reverse order.
                out.push_back("#|3|5|" + std::to_string(x100(m_voltage)) + "|" +
                              std::to_string(x100(diag)) + "|" + std::to_string(x100(ir)) + "|" +
                              std::to_string(cca) + "|" + m_afterStatus + "|*" + kEnd + "#|5|*" +
                              kEnd);
                enterStage(6, out);
            }
            break;
        case 6:
            m_voltage = kFloatVoltage + jitter(0.01);
            m_current = 0.1 + jitter(0.02);
            m_progress = 100;
            break;
        default:
            break;
    }
    if (m_stage >= 2 && m_stage <= 4) sampleHistory();
}

void ChargerModel::testSecond(std::vector<std::string>& out) {
    const int half = m_durations.testMode / 2;
    const bool diagnosing = m_phaseSeconds > half;
    m_voltage = diagnosing ? 11.4 + jitter(0.1) : m_restVoltage + jitter(0.01);
    m_current = diagnosing ? 0 : 1.5 + jitter(0.05);
    out.push_back(std::string(diagnosing ? "#|Diag_Test_Charge|" : "#|Test_Charge|") +
                  std::to_string(x100(m_voltage)) + "|" + std::to_string(milli(m_current)) + "|" +
                  std::to_string(m_phaseSeconds) + "|*" + kEnd);
    if (m_phaseSeconds >= m_durations.testMode) {
        const int cca = 250 + static_cast<int>(m_random() % 200);
        const double ir = 6.0 + jitter(2.0);
        out.push_back("#|6|0|" + std::to_string(cca) + "|" + std::to_string(x100(ir)) + "|" +
                      std::to_string(x100(11.4)) + "|" + std::to_string(x100(m_restVoltage)) + "|" +
                      (cca >= 300 ? "GOOD" : "WEAK") + "|*" + kEnd);
        m_phase = Phase::Standby;
        out.push_back(std::string("#|STANDBY|*") + kEnd);
    }
}

std::vector<std::string> ChargerModel::tick() {
    std::vector<std::string> out;
    ++m_phaseSeconds;
    switch (m_phase) {
        case Phase::Off:
        case Phase::Standby:
            break;
        case Phase::Waiting:
            if (m_phaseSeconds >= m_durations.detectDelay) {
                m_restVoltage = 12.2 + jitter(0.3);
                m_voltage = m_restVoltage;
                out.push_back("#|Baterai_Detected|" + std::to_string(x100(m_voltage)) + "|*" +
                              kEnd);
                m_phase = Phase::Detected;
                m_phaseSeconds = 0;
            }
            break;
        case Phase::Detected:
            if (m_phaseSeconds >= m_durations.startDelay) {
                m_phaseSeconds = 0;
                m_elapsed = 0;
                m_voltageSamples.clear();
                m_currentSamples.clear();
                if (m_testOnly) {
                    m_phase = Phase::TestOnly;
                    out.push_back(std::string("#|Test Mode|*") + kEnd);
                } else {
                    m_phase = Phase::Charging;
                    m_stage = 1;
                    out.push_back(std::string("#|Charge Mode|*") + kEnd);
                }
            }
            break;
        case Phase::Charging: {
            ++m_elapsed;
            std::vector<std::string> events;
            chargeSecond(events);
            // Events go last: the end-of-test marker must close the chunk it travels in.
            out.push_back(liveReading());
            out.insert(out.end(), events.begin(), events.end());
            break;
        }
        case Phase::TestOnly:
            testSecond(out);
            break;
    }
    return out;
}

}  // namespace velmora
