// velmora-charger-sim: a charger that speaks the protocol, for workshops without one
// and for tests. Listens on a socket, or with --monitor runs a charge against the
// application's own receive loop in this process and prints the live state.
#include <atomic>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <limits>
#include <optional>
#include <string>
#include <thread>

#include "command_line.h"
#include "link/ChargerState.h"
#include "link/MemoryTransport.h"
#include "link/NumberText.h"
#include "link/SocketTransport.h"
#include "link/TReadThread.h"
#include "platform/StandardStreams.h"
#include "platform/Version.h"
#include "simulator/ChargerSimulator.h"

namespace {

constexpr int kMaxSpeed = 100'000;
constexpr int kMaxTickMs = 3'600'000;  // an hour

std::atomic<bool> g_quit{false};
void onSignal(int) {
    g_quit = true;
}

const char kProgram[] = "velmora-charger-sim";

void printUsage() {
    std::printf(
        "usage: velmora-charger-sim [--listen ADDRESS] [--speed N] [--tick-ms N]\n"
        "         [--quick] [--test-mode] [--garbage P] [--split] [--drop-after N]\n"
        "         [--seed N] [--start-answer standby|state] [--once] [--monitor]\n"
        "         [--verbose] [--version] [--help]\n"
        "  ADDRESS: tcp:127.0.0.1:5555 (default) or unix:/path\n"
        "  --speed N: simulated seconds per transmission, 1 to %d\n"
        "  --tick-ms N: real milliseconds between transmissions, 1 to %d\n"
        "  --garbage P: chance (0 to 1) of a burst of noise before a transmission\n"
        "  --drop-after N: close each link after N ticks (0: never); the charge goes on\n"
        "  --start-answer: a start command during a charge is answered with STANDBY\n"
        "    (default) or with the option list only\n"
        "  --quick: short stages, a whole charge in about a minute of ticks\n"
        "  --monitor: no socket; run a charge here and print the decoded state\n",
        kMaxSpeed, kMaxTickMs);
}

void printState(const velmora::ChargerState& s) {
    velmora::NumberFormat format;
    std::printf(
        "stage %d  %s V  %s A  %02d:%02d:%02d  %d%%  status '%s'  before CCA %d  "
        "after CCA %d '%s'\n",
        s.stageNumber, velmora::formatFixed2(s.chargeVoltage, format).c_str(),
        velmora::formatFixed2(s.chargeCurrent, format).c_str(), s.elapsedSeconds / 3600,
        s.elapsedSeconds / 60 % 60, s.elapsedSeconds % 60, s.chargeProgress,
        s.chargerStatus.c_str(), s.before.cca, s.after.cca, s.after.status.c_str());
    std::fflush(stdout);
}

int monitor(velmora::SimulatorOptions options) {
    auto [appEnd, chargerEnd] = velmora::MemoryTransport::createPair();
    velmora::ChargerSimulator charger(chargerEnd, options);
    charger.start();
    velmora::LiveChargerState state;
    std::atomic<bool> readerStop{false};
    velmora::TReadThread reader(appEnd, state, readerStop,
                                velmora::ReaderTiming{5000, options.tickMs});
    reader.start();
    appEnd->send("#KWPRZ41*");
    while (!g_quit && reader.running()) {
        std::this_thread::sleep_for(std::chrono::milliseconds(options.tickMs));
        printState(state.snapshot());
    }
    reader.stop();
    charger.stop();
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    velmora::useBinaryStandardStreams();  // --verbose passes the charger's bytes through
    if (velmora::printVersionIfAsked(kProgram, argc, argv)) return 0;
    if (asksForHelp(argc, argv)) {
        printUsage();
        return finishOutput(kProgram, 0);
    }
    velmora::SimulatorOptions options;
    std::string address = "tcp:127.0.0.1:5555";
    bool once = false, runMonitor = false, verbose = false;
    // Each value is read whole and within its range: a typing error is refused, never
    // taken as some other number.
    auto whole = [](const char* text, int low, int high) -> std::optional<int> {
        const std::optional<int> value = velmora::parseInteger(text);
        if (!value || *value < low || *value > high) return std::nullopt;
        return value;
    };
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool valued = arg == "--listen" || arg == "--speed" || arg == "--tick-ms" ||
                            arg == "--garbage" || arg == "--drop-after" || arg == "--seed" ||
                            arg == "--start-answer";
        if (valued && i + 1 >= argc) return refuseArguments(kProgram, arg + " needs a value");
        const char* value = valued ? argv[++i] : "";
        std::optional<int> number;
        if (arg == "--listen") {
            if (!velmora::isSocketAddress(value))
                return refuseArguments(kProgram, std::string("--listen takes tcp:HOST:PORT or "
                                                             "unix:PATH, not '") +
                                                     value + "'");
            address = value;
        } else if (arg == "--speed") {
            if (!(number = whole(value, 1, kMaxSpeed)))
                return refuseArguments(kProgram, "--speed takes a whole number from 1 to " +
                                                     std::to_string(kMaxSpeed));
            options.speed = *number;
        } else if (arg == "--tick-ms") {
            if (!(number = whole(value, 1, kMaxTickMs)))
                return refuseArguments(kProgram, "--tick-ms takes a whole number from 1 to " +
                                                     std::to_string(kMaxTickMs));
            options.tickMs = *number;
        } else if (arg == "--quick") {
            options.durations.constantCurrent = 30;
            options.durations.constantVoltage1 = 15;
            options.durations.constantVoltage2 = 10;
            options.durations.diagnosis = 4;
        } else if (arg == "--test-mode") {
            options.testOnly = true;
        } else if (arg == "--garbage") {
            const std::optional<double> chance = velmora::parseReal(value, velmora::NumberFormat{});
            if (!chance || *chance < 0 || *chance > 1)
                return refuseArguments(kProgram, "--garbage takes a chance from 0 to 1");
            options.garbageChance = *chance;
        } else if (arg == "--split") {
            options.splitFrames = true;
        } else if (arg == "--drop-after") {
            if (!(number = whole(value, 0, std::numeric_limits<int>::max())))
                return refuseArguments(kProgram, "--drop-after takes a whole number, 0 or more");
            options.dropAfterTicks = *number;
        } else if (arg == "--seed") {
            if (!(number = whole(value, 0, std::numeric_limits<int>::max())))
                return refuseArguments(kProgram, "--seed takes a whole number, 0 or more");
            options.seed = static_cast<unsigned>(*number);
        } else if (arg == "--start-answer") {
            if (std::strcmp(value, "standby") != 0 && std::strcmp(value, "state") != 0)
                return refuseArguments(kProgram, "--start-answer takes standby or state");
            options.startAnswer = std::strcmp(value, "state") == 0
                                      ? velmora::ChargerModel::StartAnswer::State
                                      : velmora::ChargerModel::StartAnswer::Standby;
        } else if (arg == "--once") {
            once = true;
        } else if (arg == "--monitor") {
            runMonitor = true;
        } else if (arg == "--verbose") {
            verbose = true;
        } else {
            return refuseArguments(kProgram, "unknown option " + arg);
        }
    }
    std::signal(SIGINT, onSignal);
    std::signal(SIGTERM, onSignal);
    if (runMonitor) return monitor(options);

    try {
        velmora::SocketListener listener(address);
        std::printf("listening on %s\n", listener.address().c_str());
        std::fflush(stdout);
        // One charger on the bench: it charges on between connections, as a real one does.
        options.keepsCharging = true;
        velmora::ChargerSimulator charger(nullptr, options);
        if (verbose)
            charger.setSendObserver([](const std::string& chunk) {
                std::fwrite(chunk.data(), 1, chunk.size(), stdout);
                std::fflush(stdout);
            });
        while (!g_quit) {
            auto client = listener.accept(200);
            if (!client) continue;
            std::printf("application connected\n");
            std::fflush(stdout);
            charger.attach(std::shared_ptr<velmora::Transport>(std::move(client)));
            charger.start();
            while (!g_quit && charger.linked())
                std::this_thread::sleep_for(std::chrono::milliseconds(50));
            std::printf("application disconnected\n");
            std::fflush(stdout);
            if (once) break;
        }
        charger.stop();
    } catch (const velmora::LinkError& error) {
        std::fprintf(stderr, "velmora-charger-sim: %s\n", error.what());
        return 1;
    }
    return 0;
}
