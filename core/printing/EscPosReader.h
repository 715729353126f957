#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "printing/PrinterRaster.h"

namespace velmora::printing {

// One character printed on the paper, in a 12 x 24 dot cell.
struct PrintedCell {
    int x = 0;  // left edge in dots
    char32_t codePoint = U' ';
    bool bold = false;
    bool reverse = false;
};

// Bit-image dots printed on one line: width x height flags, row by row.
struct PrintedImage {
    int x = 0;
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> dots;
};

// One printed line: what the printer put on the paper at one line feed (or wrap).
struct PrintedLine {
    int top = 0;     // first dot row of the line
    int height = 0;  // dot rows the paper moved on
    bool centred = false;
    std::vector<PrintedCell> cells;
    std::vector<PrintedImage> images;

    // The characters of the line as UTF-8.
    std::string text() const;
};

// The paper roll after a byte stream, 384 dots wide.
struct Paper {
    std::vector<PrintedLine> lines;  // lines with something on them, top to bottom
    int height = 0;                  // dot rows fed in all
    bool cutShort = false;           // the stream asked for more paper than one roll holds
};

// Longest paper one stream may feed (about 2.5 m); the rest of the stream is dropped.
inline constexpr int kMaxPaperRows = 20000;

// Reads the bytes a 58 mm ESC/POS printer receives and puts on paper what it would print:
// ESC @, ESC a, ESC E, ESC 3, ESC 2, ESC J, ESC d, GS B, ESC * (modes 0, 1, 32, 33), LF,
// UTF-8 text on 32 columns of 12 x 24 dots. Unknown commands are skipped, text waiting
// without a line feed at the end is not printed, and any byte sequence is safe to read.
// maxPaperRows gives a shorter roll (1 .. kMaxPaperRows): the fuzz target reads on one so
// that drawing each input stays quick.
Paper readEscPos(std::string_view bytes, int maxPaperRows = kMaxPaperRows);

// The paper as black and white dots, kPrintWidth wide (at least one row high).
DotGrid drawPaper(const Paper& paper);

// A picture of the dots as a binary PGM file (black dots black, paper white).
std::string toPgm(const DotGrid& dots);

}  // namespace velmora::printing
