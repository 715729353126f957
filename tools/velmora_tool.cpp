// velmora-tool: command-line helpers for dealers and for testing.
//   velmora-tool decode [--chunk-size N] [--trace] [FILE]
//   velmora-tool catalogue
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <memory>
#include <string>

#include "catalogue/CatalogueJson.h"
#include "link/ChargerState.h"
#include "link/ReplayTransport.h"
#include "link/StateJson.h"
#include "link/TReadThread.h"

namespace {

int usage() {
    std::fprintf(stderr,
                 "usage: velmora-tool decode [--chunk-size N] [--trace] [FILE]\n"
                 "       velmora-tool catalogue\n");
    return 2;
}

int decode(int argc, char** argv) {
    size_t chunkSize = 0;
    bool trace = false;
    const char* path = nullptr;
    for (int i = 0; i < argc; ++i) {
        if (std::strcmp(argv[i], "--trace") == 0) {
            trace = true;
        } else if (std::strcmp(argv[i], "--chunk-size") == 0 && i + 1 < argc) {
            char* end = nullptr;
            long value = std::strtol(argv[++i], &end, 10);
            if (*end != '\0' || value <= 0) return usage();
            chunkSize = static_cast<size_t>(value);
        } else if (argv[i][0] == '-' && argv[i][1] != '\0') {
            return usage();
        } else if (!path) {
            path = argv[i];
        } else {
            return usage();
        }
    }
    // The capture is read while it is decoded: its size does not matter, and a live
    // capture piped in is traced as it arrives.
    std::ifstream file;
    std::istream* in = &std::cin;
    if (path && std::strcmp(path, "-") != 0) {
        file.open(path, std::ios::binary);
        if (!file) {
            std::fprintf(stderr, "velmora-tool: cannot read %s\n", path);
            return 1;
        }
        in = &file;
    } else {
        std::ios::sync_with_stdio(false);  // block reads instead of one call per byte
    }
    auto next = velmora::ReplayTransport::streamChunks(*in, chunkSize);
    auto link = std::make_shared<velmora::ReplayTransport>([next, in] {
        if (in->rdbuf()->in_avail() <= 0) std::fflush(stdout);  // the trace so far, before waiting
        return next();
    });
    velmora::LiveChargerState state;
    std::atomic<bool> readerStop{false};
    velmora::TReadThread reader(link, state, readerStop, velmora::ReaderTiming{0, 0});
    if (trace) {
        reader.setObserver([](const std::string& message, const velmora::ParseOutcome& outcome) {
            std::printf("%s%s\t%s\n", velmora::shapeName(outcome.shape),
                        outcome.rejected ? " (rejected)" : "", message.c_str());
        });
    }
    reader.Execute();  // same loop as a live link; ends when the recording does
    std::printf("%s\n", velmora::toJson(state.snapshot()).c_str());
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return usage();
    if (std::strcmp(argv[1], "decode") == 0) return decode(argc - 2, argv + 2);
    if (std::strcmp(argv[1], "catalogue") == 0 && argc == 2) {
        std::printf("%s\n", velmora::catalogueJson().c_str());
        return 0;
    }
    return usage();
}
