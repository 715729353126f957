#pragma once

#include <string>
#include <vector>

#include "link/ChargerState.h"
#include "link/NumberText.h"
#include "printing/ClockText.h"

namespace velmora::printing {

// The profile as the diagnostic screen shows it, texts as shown (UTF-8).
struct ProfileTexts {
    std::string profileName;
    std::string variety;   // printed as TYPE; empty when nothing is selected
    std::string type;      // printed as SERI; empty when nothing is selected
    std::string capacity;  // the capacity label, e.g. "5 Ah"
};

// The user's locale facts the receipt uses.
struct ReceiptLocale {
    NumberFormat number;
    TimeConventions time;
};

// Complete ESC * bands of the three pictures; empty when never built.
struct PrinterRasters {
    std::string logo;
    std::string voltage;
    std::string current;
};

// A text as it may stand on a receipt: control characters (below 0x20, and 0x7F) become
// spaces, so a typed name or a charger's status can never reach the printer as a command
// (paper cut, drawer pulse, printer off). The receipt's own commands are added around it.
std::string printableText(std::string text);

// The charge receipt: 12 chunks, each meant for one send, in order.
std::vector<std::string> chargeReceiptChunks(const ChargerState& state, const ProfileTexts& profile,
                                             const ClockReading& clock, const ReceiptLocale& locale,
                                             const PrinterRasters& rasters);

// The test receipt: 6 chunks.
std::vector<std::string> testReceiptChunks(const ChargerState& state, const ProfileTexts& profile,
                                           const ClockReading& clock, const ReceiptLocale& locale,
                                           const std::string& logoRaster);

}  // namespace velmora::printing
