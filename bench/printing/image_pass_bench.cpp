// The image pass of "Print Charge" in the window: both charts rendered for the printer,
// encoded and read back, and all three pictures read and packed; and the whole step
// from the connected printer to the receipt handed to the sender (run with
// QT_QPA_PLATFORM=offscreen where there is no display).
#include <benchmark/benchmark.h>

#include "link/SimulatedDevices.h"
#include "printing/ReceiptPrinter.h"
#include "shell/TVLForm.h"

namespace {

velmora::TVLForm* window() {
    static velmora::TVLForm* form = [] {
        auto* w =
            new velmora::TVLForm(std::make_unique<velmora::DevicePlatform>(nullptr, true), 1366);
        w->setMessageSink([](const QString&) {});
        return w;
    }();
    return form;
}

void BM_ImagePass(benchmark::State& state) {
    for (auto _ : state) window()->saveimage();
}
BENCHMARK(BM_ImagePass)->Unit(benchmark::kMillisecond);

void BM_PackLogo(benchmark::State& state) {
    for (auto _ : state) window()->SusunBitmap();
}
BENCHMARK(BM_PackLogo)->Unit(benchmark::kMicrosecond);

}  // namespace
