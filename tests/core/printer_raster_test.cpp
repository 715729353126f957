#include <gtest/gtest.h>

#include <stdexcept>

#include "printing/PrinterRaster.h"

using namespace velmora::printing;

namespace {

DotGrid blank(int width, int height) {
    DotGrid dots;
    dots.width = width;
    dots.height = height;
    dots.flags.assign(static_cast<size_t>(width) * height, 0);
    return dots;
}

void setDot(DotGrid& dots, int x, int y) {
    dots.flags[static_cast<size_t>(y) * dots.width + x] = 1;
}

// Byte of band `band`, column x, part k (0 top, 1 middle, 2 bottom).
unsigned char columnByte(const std::string& raster, int band, int x, int part) {
    return static_cast<unsigned char>(raster[band * kBandBytes + kBandHeaderBytes + 3 * x + part]);
}

TEST(PrinterRasterTest, PicturesOfTheReceiptsHaveTheirExactSizes) {
    struct Case {
        int height;
        size_t bytes;
    } cases[] = {{kLogoHeight, 4632}, {kChartHeight, 15054}, {24, 1158}, {1, 1158}, {25, 2316}};
    for (const Case& c : cases) {
        const std::string raster = packBands(blank(kPrintWidth, c.height));
        EXPECT_EQ(raster.size(), c.bytes) << c.height;
        EXPECT_EQ(rasterBytesFor(c.height), c.bytes);
        for (size_t band = 0; band < raster.size() / kBandBytes; ++band) {
            EXPECT_EQ(raster.substr(band * kBandBytes, kBandHeaderBytes),
                      std::string("\x1B\x2A\x21\x80\x01"));
            EXPECT_EQ(raster[(band + 1) * kBandBytes - 1], '\x0A');
        }
    }
    EXPECT_EQ(kLogoRasterBytes, 4632u);
    EXPECT_EQ(kChartRasterBytes, 15054u);
    EXPECT_TRUE(packBands(blank(kPrintWidth, 0)).empty());
}

TEST(PrinterRasterTest, ColumnsAreThreeBytesTopFirstHighestBitTopmost) {
    DotGrid dots = blank(kPrintWidth, 48);
    setDot(dots, 0, 0);     // band 0, column 0, top byte, bit 7
    setDot(dots, 5, 15);    // band 0, column 5, middle byte, bit 0
    setDot(dots, 383, 23);  // band 0, last column, bottom byte, bit 0
    setDot(dots, 2, 24);    // band 1, column 2, top byte, bit 7
    const std::string raster = packBands(dots);
    EXPECT_EQ(columnByte(raster, 0, 0, 0), 0x80);
    EXPECT_EQ(columnByte(raster, 0, 5, 1), 0x01);
    EXPECT_EQ(columnByte(raster, 0, 383, 2), 0x01);
    EXPECT_EQ(columnByte(raster, 1, 2, 0), 0x80);
    EXPECT_EQ(columnByte(raster, 0, 1, 0), 0x00);
}

TEST(PrinterRasterTest, EscByteIsSentAs1A) {
    // Dots top to bottom: white, white, white, black, black, white, black, black = 1B.
    DotGrid dots = blank(kPrintWidth, 24);
    for (int y : {3, 4, 6, 7}) setDot(dots, 7, y);
    // 1C next to it stays as it is.
    for (int y : {3, 4, 5}) setDot(dots, 8, y);
    const std::string raster = packBands(dots);
    EXPECT_EQ(columnByte(raster, 0, 7, 0), 0x1A);
    EXPECT_EQ(columnByte(raster, 0, 8, 0), 0x1C);
}

TEST(PrinterRasterTest, LastBandIsPaddedWithWhiteRows) {
    // The logo's fourth band holds rows 72..89 and six white rows; a chart's thirteenth
    // holds rows 288..299 and twelve white rows.
    for (int height : {kLogoHeight, kChartHeight}) {
        DotGrid dots = blank(kPrintWidth, height);
        for (int y = 0; y < height; ++y) setDot(dots, 10, y);
        const std::string raster = packBands(dots);
        const int last = (height - 1) / kBandRows;
        const int rowsInLast = height - last * kBandRows;
        unsigned int column = 0;
        for (int part = 0; part < 3; ++part)
            column = column << 8 | columnByte(raster, last, 10, part);
        const unsigned int expected = ((1u << rowsInLast) - 1) << (24 - rowsInLast);
        EXPECT_EQ(column, expected) << height;
    }
}

TEST(PrinterRasterTest, OnlyPicturesOfThePrintWidthArePacked) {
    EXPECT_THROW(packBands(blank(383, 24)), std::invalid_argument);
    EXPECT_THROW(packBands(blank(385, 24)), std::invalid_argument);
    DotGrid inconsistent = blank(kPrintWidth, 24);
    inconsistent.flags.pop_back();
    EXPECT_THROW(packBands(inconsistent), std::invalid_argument);
}

TEST(PrinterRasterTest, ReadingAppliesTheThresholdPixelByPixel) {
    // One row per threshold pair, with a stride wider than the picture.
    const std::uint32_t pixels[] = {
        0xFF7E7E7E, 0xFF7F7F7F, 0xDEADBEEF,  // grey 126 black, grey 127 white, padding
        0xFFFF0000, 0xFF00FF00, 0xDEADBEEF,  // red black, green white
        0x0000B7AD, 0x00FFFFFF, 0xDEADBEEF,  // (0, 183, 173) black, white; alpha unused
    };
    const DotGrid dots = readDots({2, 3, pixels, 3});
    ASSERT_EQ(dots.width, 2);
    ASSERT_EQ(dots.height, 3);
    EXPECT_EQ(dots.flags, (std::vector<std::uint8_t>{1, 0, 1, 0, 1, 0}));
    EXPECT_TRUE(readDots({0, 0, nullptr, 0}).flags.empty());
}

}  // namespace
