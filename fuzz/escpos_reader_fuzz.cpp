// libFuzzer target: any byte stream sent to the virtual printer must read and draw
// without a fault, and what it draws must stay on the 384-dot paper.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "printing/EscPosReader.h"
#include "printing/PrinterFont.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace velmora::printing;
    const Paper paper = readEscPos(std::string_view(reinterpret_cast<const char*>(data), size));
    for (const PrintedLine& line : paper.lines) {
        for (const PrintedCell& cell : line.cells)
            if (cell.x < 0 || cell.x + kGlyphWidth > kPrintWidth) std::abort();
        for (const PrintedImage& image : line.images)
            if (image.x < 0 || image.x + image.width > kPrintWidth) std::abort();
    }
    const DotGrid dots = drawPaper(paper);
    if (dots.width != kPrintWidth || dots.height > kMaxPaperRows || dots.height < 1) std::abort();
    return 0;
}
