#include <gtest/gtest.h>

#include "printing/ReceiptChunks.h"

using namespace velmora;
using namespace velmora::printing;

namespace {

// Bytes written as hexadecimal pairs: "1B 40".
std::string hex(const char* pairs) {
    std::string bytes;
    for (const char* p = pairs; *p;) {
        if (*p == ' ') {
            ++p;
            continue;
        }
        bytes += static_cast<char>(std::stoi(std::string(p, 2), nullptr, 16));
        p += 2;
    }
    return bytes;
}

const std::string LE = hex("1B 0D 0A");
const std::string TITLE = hex("1B 40 1B 61 01 1D 42 01 1B 45 01");
const std::string LOGO("L\0G\x1B", 4), VOLT("V\0LT", 4), CURR("C\0RR", 4);

ChargerState fixedState() {
    ChargerState s;
    s.before.voltage = 12.71;
    s.before.diagVoltage = 11.02;
    s.before.resistance = 4.5;
    s.before.cca = 410;
    s.after.voltage = 13.12;
    s.after.diagVoltage = 11.64;
    s.after.resistance = 3.8;
    s.after.cca = 455;
    s.after.status = "GOOD";
    s.test.voltage = 12.38;
    s.test.diagVoltage = 10.86;
    s.test.resistance = 7.25;
    s.test.cca = 285;
    s.test.status = "WEAK";
    s.chargeVoltage = 99.0;  // live values are not printed
    return s;
}

const ProfileTexts kProfile{"Pak Budi", "MF", "GM5Z-3B", "5 Ah"};
const ClockReading kClock{2026, 12, 10, 14, 5, 9, 450};

ReceiptLocale commaLocale() {
    ReceiptLocale locale;
    locale.number.decimalSeparator = ',';
    locale.time.dateSeparator = "/";
    locale.time.longTimeFormat = "hh:mm:ss";
    return locale;
}

ReceiptLocale pointLocale() {
    ReceiptLocale locale;
    locale.number.decimalSeparator = '.';
    locale.time.dateSeparator = ".";
    locale.time.longTimeFormat = "h:mm:ss AP";
    return locale;
}

void expectChunks(const std::vector<std::string>& actual,
                  const std::vector<std::string>& expected) {
    ASSERT_EQ(actual.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(actual[i], expected[i]) << "chunk " << i + 1;
}

TEST(ReceiptChunksTest, ChargeReceiptWithCommaAsDecimalSeparator) {
    const auto chunks =
        chargeReceiptChunks(fixedState(), kProfile, kClock, commaLocale(), {LOGO, VOLT, CURR});
    expectChunks(chunks,
                 {
                     hex("1B 33 00 1B 61 01") + LOGO + "\n",
                     hex("1B 40 1B 61 01") + "10/12/2026 - 14:05:09" + LE,
                     TITLE + "          INFORMATION           \n",
                     hex("1B 40") + "PROFILE NAME : Pak Budi" + LE + "TYPE         : MF" + LE +
                         "SERI         : GM5Z-3B" + LE + "CAPACITY     : 5 Ah" + LE,
                     TITLE + "        BEFORE CHARGING         \n",
                     hex("1B 40") + "VOLTAGE      : 12,71 V" + LE + "V DIAGNOSTIC : 11,02 V" + LE +
                         "iR           : 4,50 mOhm" + LE + "CCA          : 410" + LE,
                     TITLE + "         AFTER CHARGING         \n",
                     hex("1B 40") + "VOLTAGE      : 13,12 V" + LE + "V DIAGNOSTIC : 11,64 V" + LE +
                         "iR           : 3,80 mOhm" + LE + "CCA          : 455" + LE +
                         "STATUS       : GOOD" + LE + "\n",
                     hex("1B 40 1B 45 01") + "Grafik Tegangan\n",
                     hex("1B 40 1B 33 00 1B 61 01") + VOLT + "\n",
                     hex("1B 40 1B 45 01") + "Grafik Arus\n",
                     hex("1B 40 1B 33 00 1B 61 01") + CURR + hex("0A 0A 1B 40"),
                 });
}

TEST(ReceiptChunksTest, ChargeReceiptWithPointAsDecimalSeparator) {
    const auto chunks =
        chargeReceiptChunks(fixedState(), kProfile, kClock, pointLocale(), {LOGO, VOLT, CURR});
    ASSERT_EQ(chunks.size(), 12u);
    EXPECT_EQ(chunks[1], hex("1B 40 1B 61 01") + "10.12.2026 - 2:05:09 PM" + LE);
    EXPECT_EQ(chunks[5], hex("1B 40") + "VOLTAGE      : 12.71 V" + LE + "V DIAGNOSTIC : 11.02 V" +
                             LE + "iR           : 4.50 mOhm" + LE + "CCA          : 410" + LE);
    EXPECT_EQ(chunks[7], hex("1B 40") + "VOLTAGE      : 13.12 V" + LE + "V DIAGNOSTIC : 11.64 V" +
                             LE + "iR           : 3.80 mOhm" + LE + "CCA          : 455" + LE +
                             "STATUS       : GOOD" + LE + "\n");
    // Nothing else depends on the locale.
    const auto comma =
        chargeReceiptChunks(fixedState(), kProfile, kClock, commaLocale(), {LOGO, VOLT, CURR});
    for (size_t i : {0, 2, 3, 4, 6, 8, 9, 10, 11}) EXPECT_EQ(chunks[i], comma[i]) << i + 1;
}

TEST(ReceiptChunksTest, TestReceiptWithBothSeparators) {
    expectChunks(testReceiptChunks(fixedState(), kProfile, kClock, commaLocale(), LOGO),
                 {
                     hex("1B 33 00 1B 61 01") + LOGO + "\n",
                     hex("1B 40 1B 61 01") + "10/12/2026 - 14:05:09" + LE,
                     TITLE + "          INFORMATION           \n",
                     hex("1B 40") + "Profile Name : Pak Budi" + LE + "TYPE         : MF" + LE +
                         "SERI         : GM5Z-3B" + LE + "CAPACITY     : 5 Ah" + LE + "\n",
                     TITLE + "          TEST REPORT           \n",
                     hex("1B 40") + "VOLTAGE      : 12,38 V" + LE + "V DIAGNOSTIC : 10,86 V" + LE +
                         "iR           : 7,25 mOhm" + LE + "CCA          : 285" + LE +
                         "STATUS       : WEAK" + LE + hex("0A 0A 1B 40"),
                 });
    const auto point = testReceiptChunks(fixedState(), kProfile, kClock, pointLocale(), LOGO);
    ASSERT_EQ(point.size(), 6u);
    EXPECT_EQ(point[5], hex("1B 40") + "VOLTAGE      : 12.38 V" + LE + "V DIAGNOSTIC : 10.86 V" +
                            LE + "iR           : 7.25 mOhm" + LE + "CCA          : 285" + LE +
                            "STATUS       : WEAK" + LE + hex("0A 0A 1B 40"));
}

TEST(ReceiptChunksTest, NothingReceivedYetPrintsZerosAndEmptyValues) {
    const auto charge =
        chargeReceiptChunks(ChargerState(), ProfileTexts(), kClock, pointLocale(), {});
    // A raster never built still sends its commands and line feeds.
    EXPECT_EQ(charge[0], hex("1B 33 00 1B 61 01 0A"));
    EXPECT_EQ(charge[9], hex("1B 40 1B 33 00 1B 61 01 0A"));
    EXPECT_EQ(charge[11], hex("1B 40 1B 33 00 1B 61 01 0A 0A 1B 40"));
    EXPECT_EQ(charge[3], hex("1B 40") + "PROFILE NAME : " + LE + "TYPE         : " + LE +
                             "SERI         : " + LE + "CAPACITY     : " + LE);
    EXPECT_EQ(charge[7], hex("1B 40") + "VOLTAGE      : 0.00 V" + LE + "V DIAGNOSTIC : 0.00 V" +
                             LE + "iR           : 0.00 mOhm" + LE + "CCA          : 0" + LE +
                             "STATUS       : " + LE + "\n");
    const auto test = testReceiptChunks(ChargerState(), ProfileTexts(), kClock, pointLocale(), {});
    EXPECT_EQ(test[0], hex("1B 33 00 1B 61 01 0A"));
}

TEST(ReceiptChunksTest, ProfileNamesAreSentWholeAsUtf8) {
    ProfileTexts profile = kProfile;
    profile.profileName = "Bengkel Jaya Abadi Motor \xC3\xA9\xE2\x82\xAC Sentosa Makmur";
    const auto chunks = testReceiptChunks(fixedState(), profile, kClock, commaLocale(), {});
    EXPECT_EQ(chunks[3].substr(0, 2 + 15 + profile.profileName.size() + 3),
              hex("1B 40") + "Profile Name : " + profile.profileName + LE);
}

// Typed names and the charger's status texts reach the paper as text, never as commands:
// each control character prints as a space and the receipt's own commands stay as they are.
TEST(ReceiptChunksTest, ControlCharactersInTextsPrintAsSpaces) {
    const std::string cut("\x1D\x56\x00", 3), drawer = "\x1B\x70\x00\x19\xFA",
                                              off("\x1B\x3D\x00", 3);
    ProfileTexts dirty = kProfile;
    dirty.profileName = "Pak" + cut + "Budi\x7F\t";
    dirty.variety = "MF" + drawer;
    ChargerState state = fixedState();
    state.after.status = "GOOD" + off + "\r\n";
    state.test.status = "BAD\x1B\x69";

    ProfileTexts clean = dirty;
    ChargerState cleanState = state;
    for (std::string* text :
         {&clean.profileName, &clean.variety, &cleanState.after.status, &cleanState.test.status})
        for (char& c : *text)
            if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = ' ';
    EXPECT_EQ(clean.profileName, "Pak V Budi  ");  // a cut command, a delete and a tab

    EXPECT_EQ(chargeReceiptChunks(state, dirty, kClock, commaLocale(), {}),
              chargeReceiptChunks(cleanState, clean, kClock, commaLocale(), {}));
    EXPECT_EQ(testReceiptChunks(state, dirty, kClock, commaLocale(), {}),
              testReceiptChunks(cleanState, clean, kClock, commaLocale(), {}));
    EXPECT_EQ(printableText("a\x1B"
                            "b\xC3\xA9\x7F"),
              "a b\xC3\xA9 ");
}

}  // namespace
