#include "printing/EscPosReader.h"

#include <algorithm>
#include <cstring>

#include "printing/PrinterFont.h"
#include "text/Utf8.h"

namespace velmora::printing {

namespace {

constexpr unsigned char kLf = 0x0A, kEsc = 0x1B, kGs = 0x1D;
constexpr int kDefaultLineSpacing = 30;
constexpr char32_t kReplacementCharacter = 0xFFFD;

enum class Justification { Left, Centre, Right };

// Printer modes and the line waiting in the print buffer.
class PrinterState {
public:
    PrinterState(Paper& paper, int maxPaperRows) : m_paper(paper), m_maxPaperRows(maxPaperRows) {}

    void initialise() {
        m_justification = Justification::Left;
        m_bold = m_reverse = false;
        m_lineSpacing = kDefaultLineSpacing;
        m_pending = PrintedLine();
        m_pendingWidth = 0;
    }
    void setJustification(unsigned char n) {
        if (n == 0 || n == '0') m_justification = Justification::Left;
        if (n == 1 || n == '1') m_justification = Justification::Centre;
        if (n == 2 || n == '2') m_justification = Justification::Right;
    }
    void setBold(unsigned char n) { m_bold = n & 1; }
    void setReverse(unsigned char n) { m_reverse = n & 1; }
    void setLineSpacing(int dots) { m_lineSpacing = dots; }

    void addCharacter(char32_t c) {
        makeRoomFor(kGlyphWidth);
        m_pending.cells.push_back({m_pendingWidth, c, m_bold, m_reverse});
        m_pendingWidth += kGlyphWidth;
    }

    // The image must fit the room left on the line (see makeRoomFor).
    void addImage(PrintedImage image) {
        image.x = m_pendingWidth;
        m_pendingWidth += image.width;
        m_pending.images.push_back(std::move(image));
    }
    int roomLeft() const { return kPrintWidth - m_pendingWidth; }

    // Prints the buffer and moves the paper on by `advance` dots, by default the line
    // spacing; never less than the line's own height, so printed lines do not overlap.
    void printLine(int advance = -1) {
        int contentHeight = m_pending.cells.empty() ? 0 : kGlyphHeight;
        for (const PrintedImage& image : m_pending.images)
            contentHeight = std::max(contentHeight, image.height);
        if (advance < 0) advance = m_lineSpacing;
        advance = std::max(advance, contentHeight);
        if (m_pendingWidth > 0) {
            int shift = 0;
            if (m_justification == Justification::Centre)
                shift = (kPrintWidth - m_pendingWidth) / 2;
            if (m_justification == Justification::Right) shift = kPrintWidth - m_pendingWidth;
            for (PrintedCell& cell : m_pending.cells) cell.x += shift;
            for (PrintedImage& image : m_pending.images) image.x += shift;
            m_pending.top = m_paper.height;
            m_pending.height = advance;
            m_pending.centred = m_justification == Justification::Centre;
            if (m_paper.height + contentHeight <= m_maxPaperRows)
                m_paper.lines.push_back(std::move(m_pending));
        }
        m_pending = PrintedLine();
        m_pendingWidth = 0;
        feed(advance);
    }
    // Starts a new line when `width` dots no longer fit on the one in the buffer.
    void makeRoomFor(int width) {
        if (m_pendingWidth > 0 && m_pendingWidth + width > kPrintWidth) printLine();
    }
    void feed(int dots) {
        m_paper.height += dots;
        if (m_paper.height > m_maxPaperRows) {
            m_paper.height = m_maxPaperRows;
            m_paper.cutShort = true;
        }
    }
    int lineSpacing() const { return m_lineSpacing; }

private:
    Paper& m_paper;
    const int m_maxPaperRows;
    Justification m_justification = Justification::Left;
    bool m_bold = false;
    bool m_reverse = false;
    int m_lineSpacing = kDefaultLineSpacing;
    PrintedLine m_pending;
    int m_pendingWidth = 0;
};

// Walks the bytes; every read is bounds-checked, so truncated commands simply end.
class Reader {
public:
    Reader(std::string_view bytes, Paper& paper, int maxPaperRows)
        : m_bytes(bytes), m_state(paper, maxPaperRows), m_paper(paper) {}

    void run() {
        while (m_at < m_bytes.size() && !m_paper.cutShort) step();
    }

private:
    bool has(size_t count) const { return m_bytes.size() - m_at >= count; }
    unsigned char next() { return static_cast<unsigned char>(m_bytes[m_at++]); }

    void step() {
        const unsigned char c = next();
        if (c == kLf) {
            m_state.printLine();
        } else if (c == kEsc) {
            escape();
        } else if (c == kGs) {
            groupSeparator();
        } else if (c >= 0x20 && c != 0x7F) {
            m_state.addCharacter(utf8(c));
        }
        // Other control bytes (CR among them) do nothing.
    }

    void escape() {
        if (!has(1)) return;
        const unsigned char command = next();
        switch (command) {
            case '@':
                m_state.initialise();
                break;
            case 'a':
                if (has(1)) m_state.setJustification(next());
                break;
            case 'E':
                if (has(1)) m_state.setBold(next());
                break;
            case '3':
                if (has(1)) m_state.setLineSpacing(next());
                break;
            case '2':
                m_state.setLineSpacing(kDefaultLineSpacing);
                break;
            case 'J':
                if (has(1)) m_state.printLine(next());
                break;
            case 'd':
                if (has(1)) m_state.printLine(next() * m_state.lineSpacing());
                break;
            case '*':
                bitImage();
                break;
            case '!':
            case '-':
            case 'G':
            case 'M':
            case 'R':
            case 't':
            case '{':
            case 'V':
            case ' ':
                if (has(1)) next();  // modes the virtual printer does not show
                break;
            default:
                break;  // ESC and one byte, e.g. the ESC CR before a line feed
        }
    }

    void groupSeparator() {
        if (!has(1)) return;
        const unsigned char command = next();
        if (command == 'B') {
            if (has(1)) m_state.setReverse(next());
        } else if (command == 'V') {
            // Cut: modes 65 and 66 carry a feed amount.
            if (has(1)) {
                const unsigned char mode = next();
                if ((mode == 65 || mode == 66) && has(1)) next();
            }
        } else if (command == '!' || command == 'L' || command == 'W' || command == 'H' ||
                   command == 'f' || command == 'h' || command == 'w') {
            if (has(1)) next();
        }
    }

    // ESC * m nL nH, then the column data. Modes 0 and 1 are 8 dots high, 32 and 33 are
    // 24; the single-density modes 0 and 32 print each column twice as wide.
    void bitImage() {
        if (!has(3)) {
            m_at = m_bytes.size();
            return;
        }
        const unsigned char mode = next();
        const int columns = next() | next() << 8;
        if (mode != 0 && mode != 1 && mode != 32 && mode != 33) return;
        const int bytesPerColumn = mode >= 32 ? 3 : 1;
        const int repeat = (mode == 0 || mode == 32) ? 2 : 1;
        const size_t dataBytes = static_cast<size_t>(columns) * bytesPerColumn;
        const std::string_view data =
            m_bytes.substr(m_at, std::min(dataBytes, m_bytes.size() - m_at));
        m_at += data.size();
        if (columns == 0) return;

        PrintedImage image;
        image.height = 8 * bytesPerColumn;
        m_state.makeRoomFor(columns * repeat);
        image.width = std::min(columns * repeat, m_state.roomLeft());
        image.dots.assign(static_cast<size_t>(image.width) * image.height, 0);
        for (int x = 0; x < image.width; ++x) {
            const size_t column = static_cast<size_t>(x / repeat);
            for (int part = 0; part < bytesPerColumn; ++part) {
                const size_t index = column * bytesPerColumn + part;
                const unsigned char byte =
                    index < data.size() ? static_cast<unsigned char>(data[index]) : 0;
                for (int bit = 0; bit < 8; ++bit)
                    if (byte & (0x80 >> bit))
                        image.dots[static_cast<size_t>(8 * part + bit) * image.width + x] = 1;
            }
        }
        m_state.addImage(std::move(image));
    }

    // One UTF-8 character starting with lead; a broken sequence gives one replacement
    // character for its first byte and reading goes on after it.
    char32_t utf8(unsigned char lead) {
        if (lead < 0x80) return lead;
        char32_t code = 0;
        const size_t length = decodeUtf8(m_bytes, m_at - 1, code);
        if (length == 0) return kReplacementCharacter;
        m_at += length - 1;
        return code;
    }

    std::string_view m_bytes;
    size_t m_at = 0;
    PrinterState m_state;
    Paper& m_paper;
};

}  // namespace

std::string PrintedLine::text() const {
    std::string utf8;
    for (const PrintedCell& cell : cells) appendUtf8(utf8, cell.codePoint);
    return utf8;
}

Paper readEscPos(std::string_view bytes, int maxPaperRows) {
    Paper paper;
    Reader(bytes, paper, std::clamp(maxPaperRows, 1, kMaxPaperRows)).run();
    return paper;
}

namespace {

// The rows and columns of a w x h block at (x, y) that lie on the grid.
struct Clip {
    int fromX, toX, fromY, toY;
    Clip(const DotGrid& grid, int x, int y, int w, int h)
        : fromX(std::max(0, -x)),
          toX(std::min(w, grid.width - x)),
          fromY(std::max(0, -y)),
          toY(std::min(h, grid.height - y)) {}
};

std::uint8_t* gridRow(DotGrid& grid, int y) {
    return grid.flags.data() + static_cast<size_t>(y) * grid.width;
}

// Four dots of a glyph row (a nibble, leftmost dot in its high bit) as four flags.
constexpr std::uint8_t kNibbleDots[16][4] = {
    {0, 0, 0, 0}, {0, 0, 0, 1}, {0, 0, 1, 0}, {0, 0, 1, 1}, {0, 1, 0, 0}, {0, 1, 0, 1},
    {0, 1, 1, 0}, {0, 1, 1, 1}, {1, 0, 0, 0}, {1, 0, 0, 1}, {1, 0, 1, 0}, {1, 0, 1, 1},
    {1, 1, 0, 0}, {1, 1, 0, 1}, {1, 1, 1, 0}, {1, 1, 1, 1}};
static_assert(kGlyphWidth == 12, "a glyph row is drawn as three nibbles");

void drawCell(DotGrid& grid, const PrintedCell& cell, int top) {
    const std::uint16_t* rows = glyphFor(cell.codePoint, cell.bold).data();
    const Clip clip(grid, cell.x, top, kGlyphWidth, kGlyphHeight);
    const unsigned paper = cell.reverse ? 0xFFF : 0;  // reverse prints the paper black
    const bool wholeWidth = clip.fromX == 0 && clip.toX == kGlyphWidth;
    for (int row = clip.fromY; row < clip.toY; ++row) {
        const unsigned dots = (rows[row] ^ paper) & 0xFFF;
        std::uint8_t* out = gridRow(grid, top + row);
        if (wholeWidth) {
            std::memcpy(out + cell.x, kNibbleDots[dots >> 8], 4);
            std::memcpy(out + cell.x + 4, kNibbleDots[(dots >> 4) & 15], 4);
            std::memcpy(out + cell.x + 8, kNibbleDots[dots & 15], 4);
            continue;
        }
        for (int col = clip.fromX; col < clip.toX; ++col)
            out[cell.x + col] = static_cast<std::uint8_t>((dots >> (kGlyphWidth - 1 - col)) & 1);
    }
}

void drawImage(DotGrid& grid, const PrintedImage& image, int top) {
    const Clip clip(grid, image.x, top, image.width, image.height);
    for (int y = clip.fromY; y < clip.toY; ++y) {
        const std::uint8_t* dots = image.dots.data() + static_cast<size_t>(y) * image.width;
        std::uint8_t* out = gridRow(grid, top + y);
        for (int x = clip.fromX; x < clip.toX; ++x)
            if (dots[x]) out[image.x + x] = 1;
    }
}

}  // namespace

// Whole cells and image rows are clipped once and written row by row: a long receipt is
// millions of dots, too many for a bounds check on each.
DotGrid drawPaper(const Paper& paper) {
    DotGrid grid;
    grid.width = kPrintWidth;
    grid.height = std::max(paper.height, 1);
    grid.flags.assign(static_cast<size_t>(grid.width) * grid.height, 0);
    for (const PrintedLine& line : paper.lines) {
        for (const PrintedCell& cell : line.cells) drawCell(grid, cell, line.top);
        for (const PrintedImage& image : line.images) drawImage(grid, image, line.top);
    }
    return grid;
}

std::string toPgm(const DotGrid& dots) {
    std::string pgm =
        "P5\n" + std::to_string(dots.width) + " " + std::to_string(dots.height) + "\n255\n";
    pgm.reserve(pgm.size() + dots.flags.size());
    for (std::uint8_t flag : dots.flags) pgm += static_cast<char>(flag ? 0 : 255);
    return pgm;
}

}  // namespace velmora::printing
