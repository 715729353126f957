// velmora-tool: command-line helpers for dealers and for testing.
//   velmora-tool decode [--chunk-size N] [--trace] [FILE]
//   velmora-tool catalogue
//   velmora-tool journal list|show|export ...
//   velmora-tool log encode | log decode FILE
//   velmora-tool receipt | raster | render-receipt (see receipt_commands.h)
//   velmora-tool certificate keygen | verify (see certificate_command.h)
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <memory>
#include <string>

#include "catalogue/CatalogueJson.h"
#include "certificate_command.h"
#ifdef VELMORA_HAVE_JOURNAL
#include "journal_command.h"
#endif
#include "link/ChargerState.h"
#include "link/ReplayTransport.h"
#include "link/StateJson.h"
#include "link/TReadThread.h"
#include "log_command.h"
#include "platform/StandardStreams.h"
#include "platform/Version.h"
#include "receipt_commands.h"

namespace {

int usage() {
    std::fprintf(
        stderr,
        "usage: velmora-tool decode [--chunk-size N] [--trace] [FILE]\n"
        "       velmora-tool catalogue\n"
        "       velmora-tool journal list|show|export ...\n"
        "       velmora-tool log encode < state.json > name.log\n"
        "       velmora-tool log decode FILE\n"
        "       velmora-tool receipt charge|test --state STATE.json --texts TEXTS.json\n"
        "                    --clock 2026-12-10T14:05:09 [--decimal ,] [--date-sep /]\n"
        "                    [--time-format hh:mm:ss] [--am AM] [--pm PM] [--logo L.bin]\n"
        "                    [--voltage-raster V.bin] [--current-raster C.bin] [--chunks]\n"
        "                    [--certificate PRIV [--battery-id T] [--technician T] [--job T]\n"
        "                     [--in-vehicle yes|no] [--dealer T] [--utc-offset +07:00]]\n"
        "       velmora-tool certificate keygen --private PRIV --public PUB\n"
        "       velmora-tool certificate verify --public PUB|DIR (--text QR | --image FILE)\n"
        "       velmora-tool raster IN.png OUT.bin\n"
        "       velmora-tool render-receipt IN.bin OUT.png|OUT.pgm\n"
        "       velmora-tool --version\n");
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
    velmora::useBinaryStandardStreams();
    if (velmora::printVersionIfAsked("velmora-tool", argc, argv)) return 0;
    if (argc < 2) return usage();
    if (std::strcmp(argv[1], "decode") == 0) return decode(argc - 2, argv + 2);
    if (std::strcmp(argv[1], "log") == 0) return logCommand(argc - 2, argv + 2);
    if (std::strcmp(argv[1], "catalogue") == 0 && argc == 2) {
        std::printf("%s\n", velmora::catalogueJson().c_str());
        return 0;
    }
    if (std::strcmp(argv[1], "journal") == 0) {
#ifdef VELMORA_HAVE_JOURNAL
        return journalCommand(argc - 2, argv + 2);
#else
        std::fprintf(stderr, "velmora-tool: this build has no journal\n");
        return 2;
#endif
    }
    if (std::strcmp(argv[1], "receipt") == 0) return receiptCommand(argc - 2, argv + 2);
    if (std::strcmp(argv[1], "certificate") == 0) return certificateCommand(argc - 2, argv + 2);
    if (std::strcmp(argv[1], "raster") == 0) return rasterCommand(argc - 2, argv + 2);
    if (std::strcmp(argv[1], "render-receipt") == 0)
        return renderReceiptCommand(argc - 2, argv + 2);
    return usage();
}
