// libFuzzer target: any byte stream sent to the virtual printer must read and draw
// without a fault, and what it draws must stay on the 384-dot paper.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "printing/EscPosReader.h"
#include "printing/PrinterFont.h"

namespace {
// A short roll, eight lines at the default spacing: every command and the cut at the end
// of the paper are reached as on a full roll, and each input draws a small grid instead
// of zero-filling and drawing up to 20 000 rows.
constexpr int kFuzzPaperRows = 256;
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace velmora::printing;
    const Paper paper =
        readEscPos(std::string_view(reinterpret_cast<const char*>(data), size), kFuzzPaperRows);
    for (const PrintedLine& line : paper.lines) {
        for (const PrintedCell& cell : line.cells)
            if (cell.x < 0 || cell.x + kGlyphWidth > kPrintWidth) std::abort();
        for (const PrintedImage& image : line.images)
            if (image.x < 0 || image.x + image.width > kPrintWidth) std::abort();
    }
    const DotGrid dots = drawPaper(paper);
    if (dots.width != kPrintWidth || dots.height > kFuzzPaperRows || dots.height < 1) std::abort();
    return 0;
}
