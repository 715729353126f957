#include "printing/PrinterRaster.h"

#include <stdexcept>

#include "printing/Brightness.h"

namespace velmora::printing {

namespace {
constexpr std::uint8_t kEsc = 0x1B, kEscStandIn = 0x1A, kLineFeed = 0x0A;
// ESC *, mode 33 (24 dots, double density), 384 columns (nL 128, nH 1).
constexpr char kBandHeader[kBandHeaderBytes] = {0x1B, 0x2A, 0x21, static_cast<char>(0x80), 0x01};
}  // namespace

DotGrid readDots(const PixelView& picture) {
    DotGrid dots;
    if (picture.width <= 0 || picture.height <= 0 || !picture.pixels) return dots;
    dots.width = picture.width;
    dots.height = picture.height;
    dots.flags.resize(static_cast<std::size_t>(picture.width) *
                      static_cast<std::size_t>(picture.height));
    std::uint8_t* flag = dots.flags.data();
    for (int y = 0; y < picture.height; ++y) {
        const std::uint32_t* row = picture.pixels + y * picture.stride;
        for (int x = 0; x < picture.width; ++x) {
            const std::uint32_t p = row[x];
            *flag++ = printsBlack(static_cast<std::uint8_t>(p >> 16),
                                  static_cast<std::uint8_t>(p >> 8), static_cast<std::uint8_t>(p))
                          ? 1
                          : 0;
        }
    }
    return dots;
}

std::size_t rasterBytesFor(int height) {
    if (height <= 0) return 0;
    return static_cast<std::size_t>((height + kBandRows - 1) / kBandRows) * kBandBytes;
}

std::string packBands(const DotGrid& dots) {
    if (dots.width != kPrintWidth)
        throw std::invalid_argument("the picture must be " + std::to_string(kPrintWidth) +
                                    " dots wide, not " + std::to_string(dots.width));
    if (dots.flags.size() != static_cast<std::size_t>(dots.width) *
                                 static_cast<std::size_t>(dots.height < 0 ? 0 : dots.height))
        throw std::invalid_argument("the dots do not match the picture's size");
    std::string raster(rasterBytesFor(dots.height), '\0');
    std::size_t at = 0;
    for (int top = 0; top < dots.height; top += kBandRows) {
        for (char c : kBandHeader) raster[at++] = c;
        for (int x = 0; x < kPrintWidth; ++x) {
            for (int part = 0; part < 3; ++part) {
                std::uint8_t byte = 0;
                for (int bit = 0; bit < 8; ++bit) {
                    const int y = top + 8 * part + bit;
                    if (y < dots.height && dots.black(x, y))
                        byte |= static_cast<std::uint8_t>(0x80 >> bit);
                }
                raster[at++] = static_cast<char>(byte == kEsc ? kEscStandIn : byte);
            }
        }
        raster[at++] = static_cast<char>(kLineFeed);
    }
    return raster;
}

}  // namespace velmora::printing
