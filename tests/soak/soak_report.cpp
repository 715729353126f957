// The figures and checks shared by the soaks.
#include "soak_report.h"

#include <cstdio>

#include "process_figures.h"

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define VELMORA_SOAK_UNDER_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer)
#define VELMORA_SOAK_UNDER_SANITIZER 1
#endif
#endif
#ifndef VELMORA_SOAK_UNDER_SANITIZER
#define VELMORA_SOAK_UNDER_SANITIZER 0
#endif

namespace soak {

namespace {
// Memory may settle a little after the first connection; a leak per message or per
// connection would show as megabytes over a simulated day.
[[maybe_unused]] constexpr long kFlatMemoryKiB = 2048;

bool check(bool ok, const char* what) {
    std::printf("  %-58s %s\n", what, ok ? "ok" : "FAILED");
    return ok;
}
}  // namespace

void sampleMemory(const ChargerEnd& charger, SoakRun& run) {
    const int seconds = charger.simulatedSeconds();
    if (run.residentAtFirstHour == 0 && seconds >= 3600) run.residentAtFirstHour = residentKiB();
    if (run.residentAtMidday == 0 && seconds >= 12 * 3600) run.residentAtMidday = residentKiB();
    if (run.residentAtHour23 == 0 && seconds >= 23 * 3600) run.residentAtHour23 = residentKiB();
}

bool reportSoak(const SoakRun& run, const ChargerEnd& charger, const ChargerPlan& plan,
                const PrinterEnd& printer, const MessageLedger& ledger) {
    const MessageLedger::Figures f = ledger.figures();
    std::printf("%s: %d simulated seconds (%.1f h) in %.1f s of real time\n", run.title,
                charger.simulatedSeconds(), charger.simulatedSeconds() / 3600.0, run.realSeconds);
    std::printf("  transmissions %llu, each split in two at a moving byte position\n",
                static_cast<unsigned long long>(charger.transmissions()));
    std::printf("  connections %d (link dropped %d times, printer took it %d times)\n",
                run.connections, charger.dropsDone(), charger.takeoversDone());
    std::printf("  messages sent intact %llu, deliberately corrupted %llu\n",
                static_cast<unsigned long long>(f.sent),
                static_cast<unsigned long long>(f.corrupted));
    std::printf(
        "  messages parsed %llu: matching %llu, lost %llu, not yet parsed %llu, noise %llu"
        " (stored as messages: %llu)\n",
        static_cast<unsigned long long>(f.parsed), static_cast<unsigned long long>(f.matched),
        static_cast<unsigned long long>(f.lost), static_cast<unsigned long long>(f.outstanding),
        static_cast<unsigned long long>(f.noise), static_cast<unsigned long long>(f.noiseStored));
    std::printf("  receipts printed intact %d, damaged %d\n", printer.receiptsIntact(),
                printer.receiptsDamaged());
    std::printf(
        "  resident memory KiB: at start %zu, first connection %zu, hour 1 %zu,"
        " hour 12 %zu, hour 23 %zu, end %zu\n",
        run.residentAtStart, run.residentAfterFirstConnection, run.residentAtFirstHour,
        run.residentAtMidday, run.residentAtHour23, run.residentAtEnd);
    std::printf("  threads: at start %zu, at end %zu\n", run.threadsAtStart, run.threadsAtEnd);
    std::printf("  final stage %d, charger failure: %s\n", run.finalState.stageNumber,
                charger.failure().empty() ? "none" : charger.failure().c_str());

    bool ok = true;
    ok &= check(!run.stalled && charger.failure().empty(), "the charge ran to its end");
    ok &= check(charger.simulatedSeconds() >= 24 * 3600, "a whole simulated day");
    ok &= check(charger.dropsDone() == plan.drops, "every planned drop happened");
    ok &= check(charger.takeoversDone() == plan.takeovers &&
                    printer.receiptsIntact() == plan.takeovers && printer.receiptsDamaged() == 0,
                "every receipt reached the printer intact");
    ok &= check(f.lost == 0 && f.outstanding == 0 && f.matched == f.sent,
                "every intact message parsed, in order");
    ok &= check(f.noiseStored == 0, "no noise stored as a message");
    ok &= check(run.readerAliveAtEnd, "the receive thread still ran at the end");
    ok &= check(run.finalState.stageNumber == 6, "the charge finished on the application's side");
#if VELMORA_SOAK_UNDER_SANITIZER
    // A sanitizer keeps freed memory in quarantine and runs threads of its own: neither
    // figure says anything about leaks there.
    std::printf("  memory and thread figures not checked under a sanitizer\n");
#else
    ok &=
        check(static_cast<long>(run.residentAtHour23) - static_cast<long>(run.residentAtFirstHour) <
                      run.flatWhileChargingKiB &&
                  static_cast<long>(run.residentAtEnd) -
                          static_cast<long>(run.residentAfterFirstConnection) <
                      kFlatMemoryKiB,
              "resident memory flat");
    ok &= check(run.threadsAtEnd <= run.threadsAtStart, "no thread left behind");
#endif
    return ok;
}

}  // namespace soak
