#include "link/Commands.h"

#include <cmath>

namespace velmora {

namespace {
constexpr int kReceiptColumns = 32;

std::string whole(double value) {
    return std::to_string(std::llround(value));
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
    return "#5|" + std::to_string(slot) + "|" + std::to_string(variety) + "|" +
           whole(capacity * 10) + "|" + whole(current * 10) + "|" + whole(cca) + "*";
}

std::string optionSelection(int n) {
    return "#6|" + std::to_string(n) + "*";
}

}  // namespace commands
}  // namespace velmora
