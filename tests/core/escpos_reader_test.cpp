#include <gtest/gtest.h>

#include <random>

#include "printing/EscPosReader.h"
#include "printing/PrinterFont.h"
#include "printing/ReceiptChunks.h"

using namespace velmora;
using namespace velmora::printing;

namespace {

const std::string ESC = "\x1B", GS = "\x1D";

std::vector<std::string> texts(const Paper& paper) {
    std::vector<std::string> lines;
    for (const PrintedLine& line : paper.lines) lines.push_back(line.text());
    return lines;
}

TEST(EscPosReaderTest, TextLinesWithTheirModes) {
    const Paper paper =
        readEscPos(ESC + "@" + ESC + "a\x01" + "Tengah\n" + ESC + "@" + "Kiri" + ESC + "\r\n" + GS +
                   "B\x01" + ESC + "E\x01" + "Tebal\n" + ESC + "a2" + "Kanan\n");
    ASSERT_EQ(texts(paper), (std::vector<std::string>{"Tengah", "Kiri", "Tebal", "Kanan"}));
    const auto& centred = paper.lines[0];
    EXPECT_TRUE(centred.centred);
    EXPECT_EQ(centred.cells.front().x, (384 - 6 * 12) / 2);
    EXPECT_FALSE(centred.cells.front().bold);
    const auto& left = paper.lines[1];  // ESC @ cleared the centring
    EXPECT_EQ(left.cells.front().x, 0);
    EXPECT_EQ(left.top, 30);  // default line spacing of 30 dots
    const auto& bold = paper.lines[2];
    EXPECT_TRUE(bold.cells.front().bold);
    EXPECT_TRUE(bold.cells.front().reverse);
    EXPECT_EQ(paper.lines[3].cells.back().x, 384 - 12);  // right, with the ASCII '2'
    EXPECT_TRUE(paper.lines[3].cells.back().reverse);    // modes last until ESC @
    EXPECT_EQ(paper.height, 4 * 30);
}

TEST(EscPosReaderTest, LongLinesWrapAfter32CharactersAndTextWithoutLineFeedWaits) {
    const Paper paper = readEscPos(std::string(33, 'x') + "\n" + "waiting");
    ASSERT_EQ(texts(paper), (std::vector<std::string>{std::string(32, 'x'), "x"}));
    EXPECT_EQ(paper.height, 60);
}

TEST(EscPosReaderTest, Utf8TextAndBrokenSequences) {
    const Paper paper = readEscPos(
        "Caf\xC3\xA9 \xE2\x82\xAC\n"
        "a\xC3(b\xFF\xED\xA0\x80\n");
    ASSERT_EQ(paper.lines.size(), 2u);
    EXPECT_EQ(paper.lines[0].text(), "Caf\xC3\xA9 \xE2\x82\xAC");
    EXPECT_EQ(paper.lines[0].cells.size(), 6u);
    const std::string bad = "\xEF\xBF\xBD";
    EXPECT_EQ(paper.lines[1].text(), "a" + bad + "(b" + bad + bad + bad + bad);
}

TEST(EscPosReaderTest, BandsWithZeroLineSpacingTouch) {
    std::string band = ESC + "*\x21\x80\x01";
    std::string columns(3 * 384, '\0');
    columns[0] = '\x80';            // column 0, top dot
    columns[3 * 383 + 2] = '\x01';  // column 383, bottom dot
    band += columns + "\n";
    const Paper paper = readEscPos(ESC + "3" + std::string(1, '\0') + ESC + "a\x01" + band + band +
                                   "\n" + ESC + "@" + "x\n");
    ASSERT_EQ(paper.lines.size(), 3u);
    EXPECT_EQ(paper.lines[0].top, 0);
    EXPECT_EQ(paper.lines[1].top, 24);
    EXPECT_EQ(paper.lines[2].top, 48);  // the empty line fed nothing at spacing 0
    const DotGrid dots = drawPaper(paper);
    EXPECT_TRUE(dots.black(0, 0));
    EXPECT_TRUE(dots.black(383, 23));
    EXPECT_TRUE(dots.black(0, 24));
    EXPECT_FALSE(dots.black(1, 0));
    EXPECT_EQ(dots.height, 48 + 30);
}

TEST(EscPosReaderTest, ReversedTitleIsABlackBandWithWhiteLetters) {
    const std::string title = "          INFORMATION           ";
    const Paper paper =
        readEscPos(ESC + "@" + ESC + "a\x01" + GS + "B\x01" + ESC + "E\x01" + title + "\n");
    ASSERT_EQ(paper.lines.size(), 1u);
    EXPECT_EQ(paper.lines[0].cells.size(), 32u);
    const DotGrid dots = drawPaper(paper);
    for (int x : {0, 100, 383}) EXPECT_TRUE(dots.black(x, 0)) << x;  // spaces are black too
    // Inside the 'I' (cell 10) the bold glyph's dots are white.
    const GlyphRows& letter = glyphFor(U'I', true);
    int white = 0;
    for (int row = 0; row < kGlyphHeight; ++row)
        for (int col = 0; col < kGlyphWidth; ++col)
            if (letter[row] & (1 << (11 - col))) {
                EXPECT_FALSE(dots.black(120 + col, row));
                ++white;
            }
    EXPECT_GT(white, 20);
    EXPECT_FALSE(dots.black(0, 25));  // the gap below the band
}

TEST(EscPosReaderTest, PackedPictureComesBackDotForDot) {
    DotGrid picture;
    picture.width = 384;
    picture.height = 50;
    std::mt19937 random(7);
    for (int i = 0; i < 384 * 50; ++i) picture.flags.push_back(random() % 2);
    // Keep clear of the byte that is sent as 1A.
    const std::string raster = packBands(picture);
    const Paper paper = readEscPos(ESC + "3" + std::string(1, '\0') + raster);
    const DotGrid dots = drawPaper(paper);
    ASSERT_EQ(dots.height, 72);
    int differences = 0, substituted = 0;
    for (size_t i = kBandHeaderBytes; i < raster.size(); ++i)
        if (raster[i] == '\x1A') ++substituted;
    for (int y = 0; y < 50; ++y)
        for (int x = 0; x < 384; ++x)
            if (dots.black(x, y) != picture.black(x, y)) ++differences;
    EXPECT_LE(differences, substituted);  // only where 1B went out as 1A (one dot each)
    for (int y = 50; y < 72; ++y) EXPECT_FALSE(dots.black(5, y));
}

TEST(EscPosReaderTest, WholeChargeReceiptReadsAsPrinted) {
    ChargerState state;
    state.after.status = "GOOD";
    ReceiptLocale locale;
    const std::string logo = packBands([] {
        DotGrid g;
        g.width = 384;
        g.height = 90;
        g.flags.assign(384 * 90, 1);
        return g;
    }());
    std::string stream;
    for (const std::string& chunk :
         chargeReceiptChunks(state, {"Budi", "MF", "GTZ5S", "3.5 Ah"}, {2026, 12, 10, 14, 5, 9, 0},
                             locale, {logo, {}, {}}))
        stream += chunk;
    const Paper paper = readEscPos(stream);
    const auto lines = texts(paper);
    ASSERT_GE(lines.size(), 20u);
    EXPECT_EQ(paper.lines[0].images.size(), 1u);  // logo band 1 of 4
    EXPECT_EQ(paper.lines[3].top, 72);
    EXPECT_EQ(lines[4], "10/12/2026 - 14:05:09");
    EXPECT_TRUE(paper.lines[4].centred);
    EXPECT_EQ(lines[5], "          INFORMATION           ");
    EXPECT_TRUE(paper.lines[5].cells[0].reverse);
    EXPECT_EQ(lines[6], "PROFILE NAME : Budi");
    EXPECT_FALSE(paper.lines[6].cells[0].reverse);
    EXPECT_EQ(lines[9], "CAPACITY     : 3.5 Ah");
    EXPECT_EQ(lines[15], "         AFTER CHARGING         ");
    EXPECT_EQ(lines[20], "STATUS       : GOOD");
    EXPECT_EQ(lines[21], "Grafik Tegangan");
    EXPECT_TRUE(paper.lines[21].cells[0].bold);
    EXPECT_FALSE(paper.lines[21].centred);
    EXPECT_EQ(lines.back(), "Grafik Arus");
    EXPECT_FALSE(paper.cutShort);
}

TEST(EscPosReaderTest, TruncatedAndHostileStreamsAreSafe) {
    const std::string cases[] = {
        "",
        ESC,
        GS,
        ESC + "*",
        ESC + "*\x21",
        ESC + "*\x21\xFF\xFF" + "abc",  // announces 65535 columns, sends 3 bytes
        ESC + "*\x00\x10\x00" + "\xFF\xFF",
        ESC + "*\x07\x80\x01" + "text\n",  // unknown mode
        ESC + "a",
        GS + "B",
        GS + "V",
        GS + "V\x41",
        "\xF0\x9F\x98",  // cut inside a character
        ESC + "3\xFF" + std::string(5000, '\n'),
        ESC + "d\xFF" + ESC + "d\xFF" + ESC + "d\xFF" + ESC + "J\xFF",
    };
    for (const std::string& bytes : cases) {
        const Paper paper = readEscPos(bytes);
        EXPECT_LE(paper.height, kMaxPaperRows);
        const DotGrid dots = drawPaper(paper);
        EXPECT_EQ(dots.width, 384);
        EXPECT_GE(dots.height, 1);
    }
    EXPECT_TRUE(readEscPos(ESC + "3\xFF" + std::string(5000, '\n')).cutShort);

    // Random streams rich in command bytes.
    std::mt19937 random(2026);
    const char alphabet[] = {'\x1B', '\x1D', '\n',   '*',    '!',    '@',    'a', '3', 'B', 'E',
                             '\x21', '\x00', '\x01', '\x80', '\xC3', '\xFF', 'x', 'J', 'd', 'V'};
    for (int round = 0; round < 300; ++round) {
        std::string bytes(random() % 3000, '\0');
        for (char& c : bytes)
            c = random() % 4 ? alphabet[random() % sizeof alphabet] : static_cast<char>(random());
        const Paper paper = readEscPos(bytes);
        const DotGrid dots = drawPaper(paper);
        ASSERT_EQ(dots.flags.size(), 384u * dots.height);
        for (const PrintedLine& line : paper.lines) {
            for (const PrintedCell& cell : line.cells) ASSERT_LE(cell.x + 12, 384);
            for (const PrintedImage& image : line.images) ASSERT_LE(image.x + image.width, 384);
        }
    }
}

TEST(EscPosReaderTest, PgmPictureOfThePaper) {
    DotGrid dots;
    dots.width = 2;
    dots.height = 1;
    dots.flags = {1, 0};
    EXPECT_EQ(toPgm(dots), std::string("P5\n2 1\n255\n\x00\xFF", 13));
}

}  // namespace
