#pragma once

#include <stdexcept>
#include <string>

#include "link/Transport.h"

namespace velmora {

// A command that cannot be composed safely: a number that is not finite or beyond what
// the charger can store. Nothing is sent; the message is the one the user sees.
class CommandError : public std::invalid_argument {
public:
    using std::invalid_argument::invalid_argument;
};

// Outgoing charger commands: "#", the number, values joined by "|", "*"; no line end.
namespace commands {

inline constexpr const char* kStart = "#KWPRZ41*";
inline constexpr const char* kForceStop = "#4|1*";

// mode: true for normal ("1"), false for fast ("2").
std::string profile(int brand, int variety, int type, bool normalMode);
// The four dealer texts are centred to 32 columns here; the printer name is not padded.
// "|", "*" and "#" in any of the five texts are sent as spaces.
std::string dealerInformation(const std::string& printerName, const std::string& store,
                              const std::string& address, const std::string& city,
                              const std::string& phone);
// slot 0..4; capacity in Ah and current in A are sent x10, all rounded to whole numbers.
// Throws CommandError for a value that is not finite or that the charger could not report
// back (capacity 0..1000 Ah, current 0..100 A, CCA 0..20000).
std::string optionSlotDefinition(int slot, int variety, double capacity, double current,
                                 double cca);
// n is 1..5.
std::string optionSelection(int n);

}  // namespace commands

// Centres a text on a 32-column receipt line the way the charger prints dealer details.
std::string information(const std::string& text);

// Sends a command (UTF-8, no line end) on the link. Without a link, or when the link is
// not connected, the command is dropped without a word; a failing send throws LinkError.
void Kirimstringdata(Transport* linkSocket, const std::string& dataout);

}  // namespace velmora
