#include "printing/ReceiptChunks.h"

namespace velmora::printing {

namespace {

const std::string kInitialise = "\x1B\x40";
const std::string kCentre = "\x1B\x61\x01";
const std::string kBold = "\x1B\x45\x01";
const std::string kReverse = "\x1D\x42\x01";
// Image bands touch when the line spacing is 0.
const std::string kNoLineSpacing = std::string("\x1B\x33\x00", 3);
const std::string kLineEnd = "\x1B\x0D\x0A";
const std::string kFeed = "\x0A";
const std::string kTitlePrefix = kInitialise + kCentre + kReverse + kBold;
const std::string kImagePrefix = kNoLineSpacing + kCentre;

// Titles span the 32 columns of a line, so the reverse band covers it whole.
const std::string kInformationTitle = "          INFORMATION           ";
const std::string kBeforeTitle = "        BEFORE CHARGING         ";
const std::string kAfterTitle = "         AFTER CHARGING         ";
const std::string kTestTitle = "          TEST REPORT           ";

std::string line(const char* label, const std::string& value) {
    return label + printableText(value) + kLineEnd;
}

std::string title(const std::string& text) {
    return kTitlePrefix + text + kFeed;
}

std::string profileBlock(const char* nameLabel, const ProfileTexts& profile) {
    return line(nameLabel, profile.profileName) + line("TYPE         : ", profile.variety) +
           line("SERI         : ", profile.type) + line("CAPACITY     : ", profile.capacity);
}

// The lines every result has: voltage, diagnostic voltage, internal resistance, CCA.
std::string resultBlock(const TestResult& result, const NumberFormat& number) {
    return line("VOLTAGE      : ", formatFixed2(result.voltage, number) + " V") +
           line("V DIAGNOSTIC : ", formatFixed2(result.diagVoltage, number) + " V") +
           line("iR           : ", formatFixed2(result.resistance, number) + " mOhm") +
           line("CCA          : ", std::to_string(result.cca));
}

std::string statusLine(const std::string& status) {
    return line("STATUS       : ", status);
}

std::string dateChunk(const ClockReading& clock, const ReceiptLocale& locale) {
    return kInitialise + kCentre + printableText(dateTimeText(clock, locale.time)) + kLineEnd;
}

}  // namespace

std::string printableText(std::string text) {
    for (char& c : text)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = ' ';
    return text;
}

std::vector<std::string> chargeReceiptChunks(const ChargerState& s, const ProfileTexts& profile,
                                             const ClockReading& clock, const ReceiptLocale& locale,
                                             const PrinterRasters& rasters) {
    const NumberFormat& n = locale.number;
    return {
        kImagePrefix + rasters.logo + kFeed,
        dateChunk(clock, locale),
        title(kInformationTitle),
        kInitialise + profileBlock("PROFILE NAME : ", profile),
        title(kBeforeTitle),
        kInitialise + resultBlock(s.before, n),
        title(kAfterTitle),
        kInitialise + resultBlock(s.after, n) + statusLine(s.after.status) + kFeed,
        kInitialise + kBold + "Grafik Tegangan" + kFeed,
        kInitialise + kImagePrefix + rasters.voltage + kFeed,
        kInitialise + kBold + "Grafik Arus" + kFeed,
        kInitialise + kImagePrefix + rasters.current + kFeed + kFeed + kInitialise,
    };
}

std::vector<std::string> testReceiptChunks(const ChargerState& s, const ProfileTexts& profile,
                                           const ClockReading& clock, const ReceiptLocale& locale,
                                           const std::string& logoRaster) {
    return {
        kImagePrefix + logoRaster + kFeed,
        dateChunk(clock, locale),
        title(kInformationTitle),
        kInitialise + profileBlock("Profile Name : ", profile) + kFeed,
        title(kTestTitle),
        kInitialise + resultBlock(s.test, locale.number) + statusLine(s.test.status) + kFeed +
            kFeed + kInitialise,
    };
}

}  // namespace velmora::printing
