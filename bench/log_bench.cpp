// Writing and reading a log record: what a save and a load cost besides the file access,
// and reading a large file that is no log (only its first line is looked at).
#include <benchmark/benchmark.h>

#include <string>

#include "link/ChargerState.h"
#include "logger/LogFile.h"

namespace {

velmora::ChargerState chargedBattery() {
    velmora::ChargerState s;
    s.profileBrandIndex = 1;
    s.profileVarietyIndex = 0;
    s.profileTypeIndex = 11;
    s.profileMode = "1";
    s.before.cca = 410;
    s.before.resistance = 4.35;
    s.before.voltage = 12.71;
    s.before.diagVoltage = 11.02;
    s.after.cca = 455;
    s.after.resistance = 4.2;
    s.after.voltage = 13.05;
    s.after.diagVoltage = 11.8;
    s.after.status = "GOOD";
    return s;
}

void BM_EncodeLogFile(benchmark::State& state) {
    const velmora::ChargerState s = chargedBattery();
    for (auto _ : state) benchmark::DoNotOptimize(velmora::encodeLogFile(s));
}
BENCHMARK(BM_EncodeLogFile);

void BM_ReadLogFile(benchmark::State& state) {
    const std::string file = velmora::encodeLogFile(chargedBattery());
    for (auto _ : state)
        benchmark::DoNotOptimize(velmora::readLogFile(file, velmora::NumberFormat{}));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * file.size()));
}
BENCHMARK(BM_ReadLogFile);

// 8 MB of text with a line break every 80 characters, as a stray document in the folder.
void BM_ReadLargeTextFile(benchmark::State& state) {
    std::string file;
    while (file.size() < 8u << 20) file += std::string(78, 'x') + "\r\n";
    for (auto _ : state)
        benchmark::DoNotOptimize(velmora::readLogFile(file, velmora::NumberFormat{}));
}
BENCHMARK(BM_ReadLargeTextFile);

}  // namespace
