#pragma once

#include <cstddef>

#include "charger_end.h"
#include "link/ChargerState.h"
#include "message_ledger.h"
#include "printer_end.h"

namespace soak {

// What a soak run measured, for its report.
struct SoakRun {
    const char* title = "";
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
};

// Samples resident memory at hours 1, 12 and 23 of the simulated day.
void sampleMemory(const ChargerEnd& charger, SoakRun& run);

// Prints the figures and checks them against the plan; true when all hold.
bool reportSoak(const SoakRun& run, const ChargerEnd& charger, const ChargerPlan& plan,
                const PrinterEnd& printer, const MessageLedger& ledger);

}  // namespace soak
