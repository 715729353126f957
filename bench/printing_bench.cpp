// Receipts in the core: packing the printer pictures, composing the chunks, and the
// virtual printer reading and drawing a whole charge receipt.
#include <benchmark/benchmark.h>

#include <random>

#include "printing/EscPosReader.h"
#include "printing/PrinterRaster.h"
#include "printing/ReceiptChunks.h"

using namespace velmora;
using namespace velmora::printing;

namespace {

// A chart-like picture: white with a dark frame, grid and a curve, some grey.
std::vector<std::uint32_t> chartPixels(int width, int height) {
    std::vector<std::uint32_t> pixels(static_cast<size_t>(width) * height, 0xFFFFFFFF);
    std::mt19937 random(3);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            std::uint32_t& p = pixels[static_cast<size_t>(y) * width + x];
            if (x == 40 || y == height - 40) p = 0xFF000000;
            if (y % 40 == 0) p = 0xFFE0E0E0;
            if (std::abs(y - (150 + static_cast<int>(60 * std::sin(x / 30.0)))) < 2)
                p = 0xFF000000 | (random() % 0x808080);
        }
    return pixels;
}

PrinterRasters rasters() {
    const auto logo = chartPixels(kPrintWidth, kLogoHeight);
    const auto chart = chartPixels(kChartWidth, kChartHeight);
    const std::string chartRaster =
        packBands(readDots({kChartWidth, kChartHeight, chart.data(), kChartWidth}));
    return {packBands(readDots({kPrintWidth, kLogoHeight, logo.data(), kPrintWidth})), chartRaster,
            chartRaster};
}

ChargerState results() {
    ChargerState s;
    s.before.voltage = 12.71;
    s.after.voltage = 13.12;
    s.after.cca = 455;
    s.after.status = "GOOD";
    return s;
}

void BM_ReadAndPackChart(benchmark::State& state) {
    const auto pixels = chartPixels(kChartWidth, kChartHeight);
    for (auto _ : state) {
        const DotGrid dots = readDots({kChartWidth, kChartHeight, pixels.data(), kChartWidth});
        benchmark::DoNotOptimize(packBands(dots));
    }
    state.SetItemsProcessed(state.iterations() * kChartWidth * kChartHeight);
}
BENCHMARK(BM_ReadAndPackChart)->Unit(benchmark::kMicrosecond);

void BM_ChargeReceiptComposition(benchmark::State& state) {
    const PrinterRasters pictures = rasters();
    const ChargerState s = results();
    ReceiptLocale locale;
    locale.number.decimalSeparator = ',';
    for (auto _ : state) {
        benchmark::DoNotOptimize(chargeReceiptChunks(s, {"Pak Budi", "MF", "YTZ5S", "3.5 Ah"},
                                                     {2026, 12, 10, 14, 5, 9, 0}, locale,
                                                     pictures));
    }
}
BENCHMARK(BM_ChargeReceiptComposition)->Unit(benchmark::kMicrosecond);

void BM_VirtualPrinterChargeReceipt(benchmark::State& state) {
    std::string bytes;
    for (const std::string& chunk :
         chargeReceiptChunks(results(), {"Pak Budi", "MF", "YTZ5S", "3.5 Ah"},
                             {2026, 12, 10, 14, 5, 9, 0}, {}, rasters()))
        bytes += chunk;
    for (auto _ : state) benchmark::DoNotOptimize(drawPaper(readEscPos(bytes)));
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bytes.size()));
}
BENCHMARK(BM_VirtualPrinterChargeReceipt)->Unit(benchmark::kMicrosecond);

}  // namespace
