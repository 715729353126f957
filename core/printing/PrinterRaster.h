#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace velmora::printing {

// The printer's image width in dots: the whole 58 mm paper.
inline constexpr int kPrintWidth = 384;
// One ESC * 33 band: header, three bytes per column, line feed.
inline constexpr int kBandRows = 24;
inline constexpr std::size_t kBandHeaderBytes = 5;
inline constexpr std::size_t kBandBytes = kBandHeaderBytes + 3 * kPrintWidth + 1;
// The pictures of the receipts and their rasters.
inline constexpr int kLogoHeight = 90;
inline constexpr int kChartWidth = 384, kChartHeight = 300;
inline constexpr std::size_t kLogoRasterBytes = 4 * kBandBytes;    // 4632
inline constexpr std::size_t kChartRasterBytes = 13 * kBandBytes;  // 15054

// A picture's pixels, row by row, each 0xAARRGGBB (alpha is not used). stride counts
// pixels from one row to the next.
struct PixelView {
    int width = 0;
    int height = 0;
    const std::uint32_t* pixels = nullptr;
    std::ptrdiff_t stride = 0;
};

// One flag per pixel, 1 = black dot, row by row: the flag of (x, y) is at y * width + x.
struct DotGrid {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> flags;

    bool black(int x, int y) const {
        return flags[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                     static_cast<std::size_t>(x)] != 0;
    }
};

// Black and white by the brightness threshold.
DotGrid readDots(const PixelView& picture);

// Bytes of a picture of any height packed as ESC * 33 bands: the last band is padded
// with white rows, and a column byte equal to ESC (1B) is sent as 1A so the printer never
// reads it as a command. Throws std::invalid_argument unless the picture is kPrintWidth
// dots wide.
std::string packBands(const DotGrid& dots);

// How many bytes packBands gives for a picture this many rows high.
std::size_t rasterBytesFor(int height);

}  // namespace velmora::printing
