// velmora-tool: command-line helpers for dealers and for testing.
//   velmora-tool decode [--chunk-size N] [--trace] [FILE]
//   velmora-tool catalogue
//   velmora-tool journal list|show|export ...
//   velmora-tool log encode | log decode FILE
//   velmora-tool receipt | raster | render-receipt (see receipt_commands.h)
//   velmora-tool certificate keygen | verify (see certificate_command.h)
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <optional>
#include <string>

#include "catalogue/CatalogueJson.h"
#include "certificate_command.h"
#include "command_line.h"
#ifdef VELMORA_HAVE_JOURNAL
#include "journal_command.h"
#endif
#include "link/ChargerState.h"
#include "link/NumberText.h"
#include "link/ReplayTransport.h"
#include "link/StateJson.h"
#include "link/TReadThread.h"
#include "log_command.h"
#include "platform/StandardStreams.h"
#include "platform/Version.h"
#include "receipt_commands.h"

namespace {

const char kProgram[] = "velmora-tool";

void printUsage() {
    std::printf(
        "usage: velmora-tool decode [--chunk-size N] [--trace] [FILE]\n"
        "       velmora-tool catalogue\n"
        "       velmora-tool journal list [--db FILE] [--filter TEXT] [--bay LABEL]\n"
        "                    [--from DATE] [--to DATE]\n"
        "       velmora-tool journal show ID [--db FILE]\n"
        "       velmora-tool journal export ID --csv OUT.csv [--db FILE] [--decimal-separator C]\n"
        "       velmora-tool journal export --from DATE --to DATE --csv OUT.csv [--db FILE]\n"
        "                    [--bay LABEL] [--decimal-separator C]\n"
        "                    (journal: DATE is YYYY-MM-DD on the workshop's clock; C is . or ,;\n"
        "                    --bay keeps one bay's sessions, its label whole, \"\" those of none;\n"
        "                    --verbose adds the database's own words to an error)\n"
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
        "       velmora-tool --version | --help\n");
}

int fail(const std::string& reason) {
    std::fprintf(stderr, "velmora-tool: %s\n", reason.c_str());
    return 1;
}

int decode(int argc, char** argv) {
    size_t chunkSize = 0;
    bool trace = false;
    const char* path = nullptr;
    for (int i = 0; i < argc; ++i) {
        if (std::strcmp(argv[i], "--trace") == 0) {
            trace = true;
        } else if (std::strcmp(argv[i], "--chunk-size") == 0) {
            const std::optional<int> value =
                i + 1 < argc ? velmora::parseInteger(argv[++i]) : std::nullopt;
            if (!value || *value <= 0)
                return refuseArguments(kProgram,
                                       "decode: --chunk-size takes a whole number above 0");
            chunkSize = static_cast<size_t>(*value);
        } else if (argv[i][0] == '-' && argv[i][1] != '\0') {
            return refuseArguments(kProgram, std::string("decode: unknown option ") + argv[i]);
        } else if (!path) {
            path = argv[i];
        } else {
            return refuseArguments(kProgram, "decode takes one capture file");
        }
    }
    // The capture is read while it is decoded: its size does not matter, and a live
    // capture piped in is traced as it arrives.
    const bool fromFile = path && std::strcmp(path, "-") != 0;
    const std::string source = fromFile ? path : "standard input";
    if (const auto problem = fromFile ? inputProblem(path) : standardInputProblem())
        return fail(*problem);
    std::ifstream file;
    std::istream* in = &std::cin;
    if (fromFile) {
        file.open(std::filesystem::u8path(path), std::ios::binary);
        if (!file) return fail("cannot read " + source);
        in = &file;
    } else {
        std::ios::sync_with_stdio(false);  // block reads instead of one call per byte
    }
    auto next = velmora::ReplayTransport::streamChunks(*in, chunkSize);
    // A read that fails part-way (a device gone, an I/O error) ends the capture; it is
    // told instead of a state that would look complete.
    auto readFailed = std::make_shared<bool>(false);
    auto link = std::make_shared<velmora::ReplayTransport>(
        [next, in, readFailed]() -> std::optional<std::string> {
            try {
                if (in->rdbuf()->in_avail() <= 0) std::fflush(stdout);  // the trace so far
                return next();
            } catch (const std::exception&) {
                *readFailed = true;
                return std::nullopt;
            }
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
    if (*readFailed || in->bad()) return fail("cannot read " + source);
    std::printf("%s\n", velmora::toJson(state.snapshot()).c_str());
    return 0;
}

int run(int argc, char** argv) {
    if (argc < 2) return refuseArguments(kProgram, "a command is missing");
    const std::string command = argv[1];
    if (command == "decode") return decode(argc - 2, argv + 2);
    if (command == "log") return logCommand(argc - 2, argv + 2);
    if (command == "catalogue") {
        if (argc != 2) return refuseArguments(kProgram, "catalogue takes no arguments");
        std::printf("%s\n", velmora::catalogueJson().c_str());
        return 0;
    }
    if (command == "journal") {
#ifdef VELMORA_HAVE_JOURNAL
        return journalCommand(argc - 2, argv + 2);
#else
        std::fprintf(stderr, "velmora-tool: this build has no journal\n");
        return 2;
#endif
    }
    if (command == "receipt") return receiptCommand(argc - 2, argv + 2);
    if (command == "certificate") return certificateCommand(argc - 2, argv + 2);
    if (command == "raster") return rasterCommand(argc - 2, argv + 2);
    if (command == "render-receipt") return renderReceiptCommand(argc - 2, argv + 2);
    return refuseArguments(kProgram, "unknown command " + command);
}

}  // namespace

int main(int argc, char** argv) {
    velmora::useBinaryStandardStreams();
    if (velmora::printVersionIfAsked(kProgram, argc, argv)) return 0;
    if (asksForHelp(argc, argv)) {
        printUsage();
        return finishOutput(kProgram, 0);
    }
    return finishOutput(kProgram, run(argc, argv));
}
