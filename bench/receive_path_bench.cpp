// Throughput of framing + parsing on a recorded charge against a plain line scan of the same
// bytes, and the receive path's memory under a long noise stream.
#include <benchmark/benchmark.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "link/ChargerState.h"
#include "link/FrameAssembler.h"
#include "link/MessageParser.h"
#include "simulator/ChargerModel.h"

namespace {

// One whole simulated charge as the receive loop would see it: one chunk per second.
const std::vector<std::string>& recordedCharge() {
    static const std::vector<std::string> chunks = [] {
        std::vector<std::string> result;
        velmora::ChargerModel model(7);
        for (const auto& frame : model.receive("#KWPRZ41*")) result.push_back(frame);
        while (!model.finished()) {
            std::string chunk;
            for (const auto& frame : model.tick()) chunk += frame;
            if (!chunk.empty()) result.push_back(chunk);
        }
        return result;
    }();
    return chunks;
}

void BM_FrameAndParseRecordedCharge(benchmark::State& state) {
    const auto& chunks = recordedCharge();
    size_t bytes = 0;
    for (const auto& c : chunks) bytes += c.size();
    velmora::NumberFormat format;
    int64_t messages = 0;
    for (auto _ : state) {
        velmora::LiveChargerState live;
        velmora::FrameAssembler assembler;
        velmora::Frame frame;
        for (const auto& chunk : chunks) {
            if (!assembler.append(chunk, frame)) continue;
            if (frame.endOfTest) live.modify([](velmora::ChargerState& s) { s.endOfTest = true; });
            for (const auto& message : frame.messages) {
                velmora::parseMessage(message, live, format);
                ++messages;
            }
        }
        benchmark::DoNotOptimize(live.snapshot().stageNumber);
    }
    state.SetBytesProcessed(static_cast<int64_t>(bytes) * state.iterations());
    state.counters["messages/s"] =
        benchmark::Counter(static_cast<double>(messages), benchmark::Counter::kIsRate);
    state.counters["chunks"] = static_cast<double>(chunks.size());
}
BENCHMARK(BM_FrameAndParseRecordedCharge)->Unit(benchmark::kMillisecond);

// The reference: the same chunks only scanned for line ends with memchr, the least any
// reader of this stream has to do.
void BM_MemchrLineScanRecordedCharge(benchmark::State& state) {
    const auto& chunks = recordedCharge();
    size_t bytes = 0;
    for (const auto& c : chunks) bytes += c.size();
    int64_t lines = 0;
    for (auto _ : state) {
        for (const auto& chunk : chunks) {
            const char* at = chunk.data();
            const char* end = at + chunk.size();
            while (const void* found = std::memchr(at, '\n', static_cast<size_t>(end - at))) {
                ++lines;
                at = static_cast<const char*>(found) + 1;
            }
        }
        benchmark::DoNotOptimize(lines);
    }
    state.SetBytesProcessed(static_cast<int64_t>(bytes) * state.iterations());
    state.counters["lines/s"] =
        benchmark::Counter(static_cast<double>(lines), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_MemchrLineScanRecordedCharge)->Unit(benchmark::kMillisecond);

// 10 MB of radio noise in 4 KiB receives: the buffer must stay bounded. Argument 0: random
// bytes; 1: nothing but frame starts "#", each one a place the buffer could be trimmed to.
void BM_NoiseStreamBufferBound(benchmark::State& state) {
    const bool frameStarts = state.range(0) == 1;
    std::mt19937 random(3);
    std::string noise(4096, '#');
    size_t peak = 0;
    for (auto _ : state) {
        velmora::FrameAssembler assembler;
        velmora::Frame frame;
        for (size_t sent = 0; sent < 10u * 1024 * 1024; sent += noise.size()) {
            for (char& c : noise) {
                if (frameStarts) break;
                c = static_cast<char>(random() % 256);
                if (c == '\n') c = ' ';  // never a frame end: worst case for the buffer
            }
            assembler.append(noise, frame);
            peak = std::max(peak, assembler.footprint());
        }
    }
    state.SetBytesProcessed(static_cast<int64_t>(10u * 1024 * 1024) * state.iterations());
    state.counters["bufferPeakBytes"] = static_cast<double>(peak);
}
BENCHMARK(BM_NoiseStreamBufferBound)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
