#pragma once

#include <chrono>
#include <cstddef>

#include "charger_end.h"
#include "link/ChargerState.h"
#include "message_ledger.h"
#include "printer_end.h"

namespace soak {

// What a soak run measured, for its report.
struct SoakRun {
    const char* title = "";
    std::chrono::steady_clock::time_point started = std::chrono::steady_clock::now();
    double realSeconds = 0;
    int connections = 0;
    bool stalled = false;
    bool readerAliveAtEnd = false;
    velmora::ChargerState finalState;
    std::size_t residentAtStart = 0, residentAfterFirstConnection = 0, residentAtFirstHour = 0,
                residentAtMidday = 0, residentAtHour23 = 0, residentAtEnd = 0;
    std::size_t threadsAtStart = 0, threadsAtEnd = 0;
    // Growth allowed between hours 1 and 23, where only live readings flow (and drops).
    long flatWhileChargingKiB = 512;

    // Where the simulated clock stood and since when, to notice a stall.
    int lastSeconds = -1;
    std::chrono::steady_clock::time_point lastProgress = started;
};

// Called on every turn of a soak's loop: samples resident memory at hours 1, 12 and 23 of
// the simulated day, and returns false (stalled) once the charger's clock has not moved
// for 30 s.
bool keepsMoving(const ChargerEnd& charger, SoakRun& run);
// Takes the figures at the end: memory, threads, real time.
void finishRun(SoakRun& run);

// Prints the figures and checks them against the plan; true when all hold.
bool reportSoak(const SoakRun& run, const ChargerEnd& charger, const ChargerPlan& plan,
                const PrinterEnd& printer, const MessageLedger& ledger);

}  // namespace soak
