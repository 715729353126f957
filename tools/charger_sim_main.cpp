// velmora-charger-sim: a charger that speaks the protocol, for workshops without one
// and for tests. Listens on a socket, or with --monitor runs a charge against the
// application's own receive loop in this process and prints the live state.
#include <atomic>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <string>
#include <thread>

#include "link/ChargerState.h"
#include "link/MemoryTransport.h"
#include "link/NumberText.h"
#include "link/SocketTransport.h"
#include "link/TReadThread.h"
#include "platform/StandardStreams.h"
#include "platform/Version.h"
#include "simulator/ChargerSimulator.h"

namespace {

std::atomic<bool> g_quit{false};
void onSignal(int) {
    g_quit = true;
}

int usage() {
    std::fprintf(stderr,
                 "usage: velmora-charger-sim [--listen ADDRESS] [--speed N] [--tick-ms N]\n"
                 "         [--quick] [--test-mode] [--garbage P] [--split] [--drop-after N]\n"
                 "         [--seed N] [--start-answer standby|state] [--once] [--monitor]\n"
                 "         [--verbose] [--version]\n"
                 "  ADDRESS: tcp:127.0.0.1:5555 (default) or unix:/path\n"
                 "  --start-answer: a start command during a charge is answered with STANDBY\n"
                 "    (default) or with the option list only\n"
                 "  --quick: short stages, a whole charge in about a minute of ticks\n"
                 "  --monitor: no socket; run a charge here and print the decoded state\n");
    return 2;
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
    if (velmora::printVersionIfAsked("velmora-charger-sim", argc, argv)) return 0;
    velmora::SimulatorOptions options;
    std::string address = "tcp:127.0.0.1:5555";
    bool once = false, runMonitor = false, verbose = false;
    for (int i = 1; i < argc; ++i) {
        auto next = [&]() -> const char* { return i + 1 < argc ? argv[++i] : nullptr; };
        const char* arg = argv[i];
        const char* value = nullptr;
        if (!std::strcmp(arg, "--listen") && (value = next())) {
            address = value;
        } else if (!std::strcmp(arg, "--speed") && (value = next())) {
            options.speed = std::max(1, std::atoi(value));
        } else if (!std::strcmp(arg, "--tick-ms") && (value = next())) {
            options.tickMs = std::max(1, std::atoi(value));
        } else if (!std::strcmp(arg, "--quick")) {
            options.durations.constantCurrent = 30;
            options.durations.constantVoltage1 = 15;
            options.durations.constantVoltage2 = 10;
            options.durations.diagnosis = 4;
        } else if (!std::strcmp(arg, "--test-mode")) {
            options.testOnly = true;
        } else if (!std::strcmp(arg, "--garbage") && (value = next())) {
            options.garbageChance = std::atof(value);
        } else if (!std::strcmp(arg, "--split")) {
            options.splitFrames = true;
        } else if (!std::strcmp(arg, "--drop-after") && (value = next())) {
            options.dropAfterTicks = std::atoi(value);
        } else if (!std::strcmp(arg, "--seed") && (value = next())) {
            options.seed = static_cast<unsigned>(std::strtoul(value, nullptr, 10));
        } else if (!std::strcmp(arg, "--start-answer") && (value = next()) &&
                   (!std::strcmp(value, "standby") || !std::strcmp(value, "state"))) {
            options.startAnswer = !std::strcmp(value, "state")
                                      ? velmora::ChargerModel::StartAnswer::State
                                      : velmora::ChargerModel::StartAnswer::Standby;
        } else if (!std::strcmp(arg, "--once")) {
            once = true;
        } else if (!std::strcmp(arg, "--monitor")) {
            runMonitor = true;
        } else if (!std::strcmp(arg, "--verbose")) {
            verbose = true;
        } else {
            return usage();
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
