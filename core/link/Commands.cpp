#include "link/Commands.h"

#include <cmath>

#include "link/ValueRanges.h"

namespace velmora {

namespace {
constexpr int kReceiptColumns = 32;

constexpr const char* kValueOutOfRange = "Nilai opsi di luar batas";

std::string whole(double value, ValueRange range) {
    const double rounded = std::round(value);
    // Also refuses NaN and infinity, which would turn into a huge negative number.
    if (!range.contains(rounded)) throw CommandError(kValueOutOfRange);
    return std::to_string(static_cast<long long>(rounded));
}

// "|", "*" and "#" typed into a dealer text would end or start the charger's fields:
// "Toko*#4|1*" would reach it as a force stop. Each becomes a space.
std::string withoutFraming(std::string text) {
    for (char& c : text)
        if (c == '|' || c == '*' || c == '#') c = ' ';
    return text;
}

// Characters, not bytes: dealer names may hold UTF-8 letters.
long characterCount(const std::string& text) {
    long count = 0;
    for (unsigned char c : text)
        if ((c & 0xC0) != 0x80) ++count;
    return count;
}
}  // namespace

std::string information(const std::string& text) {
    const long length = characterCount(text);
    if (length == 0) return text;
    const long pad = (kReceiptColumns - length) / 2;  // truncates towards zero
    const long after = length % 2 == 0 ? pad : pad + 1;
    std::string result;
    if (pad >= 1) result.append(static_cast<size_t>(pad), ' ');
    result += text;
    if (after >= 1) result.append(static_cast<size_t>(after), ' ');
    return result;
}

void Kirimstringdata(Transport* linkSocket, const std::string& dataout) {
    if (!linkSocket || !linkSocket->connected()) return;
    linkSocket->send(dataout);
}

namespace commands {

std::string profile(int brand, int variety, int type, bool normalMode) {
    return "#2|" + std::to_string(brand) + "|" + std::to_string(variety) + "|" +
           std::to_string(type) + (normalMode ? "|1" : "|2") + "*";
}

std::string dealerInformation(const std::string& printerName, const std::string& store,
                              const std::string& address, const std::string& city,
                              const std::string& phone) {
    return "#3|" + withoutFraming(printerName) + "|" + information(withoutFraming(store)) + "|" +
           information(withoutFraming(address)) + "|" + information(withoutFraming(city)) + "|" +
           information(withoutFraming(phone)) + "*";
}

std::string optionSlotDefinition(int slot, int variety, double capacity, double current,
                                 double cca) {
    using namespace ranges;
    const std::string values = whole(capacity * 10, kCapacity.times(10)) + "|" +
                               whole(current * 10, kOptionCurrent.times(10)) + "|" +
                               whole(cca, kCca);
    return "#5|" + std::to_string(slot) + "|" + std::to_string(variety) + "|" + values + "*";
}

std::string optionSelection(int n) {
    return "#6|" + std::to_string(n) + "*";
}

}  // namespace commands
}  // namespace velmora
