#pragma once

#include <QString>
#include <QStringList>
#include <optional>

#include "widgets/Language.h"

namespace velmora {

// What the window program was asked to do on its command line.
struct WindowArguments {
    bool demo = false;             // offer the simulated devices in any case
    QStringList chargerAddresses;  // chargers over a socket (velmora-charger-sim)
    QStringList printerAddresses;  // network receipt printers, "tcp:HOST:PORT"
    QStringList connectAddresses;  // chargers watched from start-up, one bay each
    int simulatorSpeed = 20;       // simulated seconds per second of the built-in charger
    // The built-in charger answers a start command during a charge with its readings only,
    // not with STANDBY first.
    bool simulatorAnswersWithState = false;
    std::optional<ui::Language> language;  // this run's language, whatever was chosen
};

// The command line read, before the window's application object exists (it needs a
// display): either the arguments to run with, or what to print and the exit status (help on
// standard output with 0, a refusal in one line on the error stream with 2).
struct CommandLineAnswer {
    std::optional<WindowArguments> run;
    QString output;
    QString error;
    int exitStatus = 0;
};

// `arguments` as QCoreApplication::arguments() gives them, the program first. Qt's own
// options (-platform, -style, ...) are let through for the application object.
CommandLineAnswer readWindowArguments(const QStringList& arguments);

}  // namespace velmora
