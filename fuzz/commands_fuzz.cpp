// The command composers with arbitrary texts and numbers: every command that comes out
// has exactly its own delimiters ("#", "|" and "*" typed into a text go out as spaces),
// its fields say what was asked, and the only refusals are of numbers the charger cannot
// store.
#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "fuzz_checks.h"
#include "link/Commands.h"
#include "link/MessageParser.h"
#include "link/NumberText.h"
#include "link/ValueRanges.h"

using namespace velmora;
using fuzzcheck::require;

namespace {

std::string delimitersAsSpaces(std::string text) {
    for (char& c : text)
        if (c == '#' || c == '|' || c == '*') c = ' ';
    return text;
}

// "#<number>" then the fields, then "*": no other "#" or "*", and `fields` "|"-separated
// values after the number.
std::vector<std::string> requireShape(const std::string& command, const std::string& number,
                                      size_t fields) {
    require(command.size() >= number.size() + 2, "a command has a head and an end");
    require(command.compare(0, number.size() + 1, "#" + number) == 0, "command starts #<n>");
    require(command.back() == '*', "command ends with *");
    const std::string body = command.substr(number.size() + 1, command.size() - number.size() - 2);
    require(body.find_first_of("#*") == std::string::npos, "no # or * inside the command");
    std::vector<std::string> values;
    for (std::string_view field : splitFields(body)) values.emplace_back(field);
    require(values.size() == fields + 1 && values[0].empty(), "the command's field count");
    values.erase(values.begin());
    return values;
}

double anyDouble(FuzzedDataProvider& in) {
    // Raw bits: NaN, infinities and subnormals come up as often as ordinary numbers.
    const uint64_t bits = in.ConsumeIntegral<uint64_t>();
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return in.ConsumeBool() ? value : in.ConsumeFloatingPointInRange<double>(-30000, 30000);
}

// Rounds to a whole number within the range the composer accepts for the value.
bool storable(double value, ValueRange range) {
    const double rounded = std::round(value);
    return std::isfinite(rounded) && range.contains(rounded);
}

void dealerInformation(FuzzedDataProvider& in) {
    std::string texts[5];
    for (std::string& text : texts) text = in.ConsumeRandomLengthString(80);
    const std::string command =
        commands::dealerInformation(texts[0], texts[1], texts[2], texts[3], texts[4]);
    const std::vector<std::string> fields = requireShape(command, "3", 5);
    require(fields[0] == delimitersAsSpaces(texts[0]), "the printer name goes as typed");
    for (int i = 1; i < 5; ++i)
        require(fields[i] == information(delimitersAsSpaces(texts[i])), "dealer text centred");
}

void optionSlotDefinition(FuzzedDataProvider& in) {
    using namespace ranges;
    const int slot = in.ConsumeIntegralInRange(0, 4);
    const int variety = in.ConsumeIntegralInRange(0, 3);
    const double capacity = anyDouble(in), current = anyDouble(in), cca = anyDouble(in);
    const bool fits = storable(capacity * 10, kCapacity.times(10)) &&
                      storable(current * 10, kOptionCurrent.times(10)) && storable(cca, kCca);
    std::string command;
    try {
        command = commands::optionSlotDefinition(slot, variety, capacity, current, cca);
    } catch (const CommandError&) {
        require(!fits, "only values the charger cannot store are refused");
        return;
    }
    require(fits, "a value the charger cannot store is refused");
    const std::vector<std::string> fields = requireShape(command, "5", 5);
    require(fields[0] == std::to_string(slot) && fields[1] == std::to_string(variety),
            "slot and variety as given");
    require(parseInteger(fields[2]) == std::lround(capacity * 10), "capacity x10, rounded");
    require(parseInteger(fields[3]) == std::lround(current * 10), "current x10, rounded");
    require(parseInteger(fields[4]) == std::lround(cca), "CCA rounded");
}

void profileAndSelection(FuzzedDataProvider& in) {
    const int brand = in.ConsumeIntegral<int>(), variety = in.ConsumeIntegral<int>(),
              type = in.ConsumeIntegral<int>();
    const bool normal = in.ConsumeBool();
    const std::vector<std::string> fields =
        requireShape(commands::profile(brand, variety, type, normal), "2", 4);
    require(parseInteger(fields[0]) == brand && parseInteger(fields[1]) == variety &&
                parseInteger(fields[2]) == type && fields[3] == (normal ? "1" : "2"),
            "profile fields as given");
    const int n = in.ConsumeIntegral<int>();
    require(requireShape(commands::optionSelection(n), "6", 1)[0] == std::to_string(n),
            "option number as given");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    switch (in.ConsumeIntegralInRange(0, 2)) {
        case 0:
            dealerInformation(in);
            break;
        case 1:
            optionSlotDefinition(in);
            break;
        default:
            profileAndSelection(in);
            break;
    }
    return 0;
}
