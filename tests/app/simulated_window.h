#pragma once

#include <QComboBox>
#include <QLabel>
#include <QSignalSpy>
#include <QStringList>
#include <memory>

#include "link/SimulatedDevices.h"
#include "shell/TVLForm.h"

namespace velmora::testing {

// A window on the simulated devices, the built-in charger running `simulator`, keeping its
// files in `documents` and its messages in `messages`.
inline std::unique_ptr<TVLForm> simulatedWindow(const QString& documents, QStringList& messages,
                                                const SimulatorOptions& simulator) {
    auto window = std::make_unique<TVLForm>(
        std::make_unique<DevicePlatform>(nullptr, true, QStringList{}, simulator), 1366);
    window->setMessageSink([&messages](const QString& text) { messages << text; });
    window->setDocumentsFolder(documents);
    return window;
}

// The same with a charger whose stages take a few simulated seconds. tickMs: real time per
// simulated second. dropAfterTicks: the charger closes each link after that many seconds
// (0: never).
inline std::unique_ptr<TVLForm> simulatedWindow(const QString& documents, QStringList& messages,
                                                int tickMs, int dropAfterTicks = 0) {
    SimulatorOptions simulator;
    simulator.tickMs = tickMs;
    simulator.dropAfterTicks = dropAfterTicks;
    simulator.durations.constantCurrent = 30;
    simulator.durations.constantVoltage1 = 15;
    simulator.durations.constantVoltage2 = 10;
    simulator.durations.diagnosis = 4;
    return simulatedWindow(documents, messages, simulator);
}

// Picks the simulated charger and presses "Sambungkan"; true when it connected.
inline bool connectSimulatedCharger(TVLForm& window, int deadlineMs,
                                    const QString& device = DevicePlatform::kSimulatedCharger) {
    window.BTConnectionClick();
    QComboBox* devices = window.control<QComboBox>(QStringLiteral("ComboDevice"));
    devices->setCurrentIndex(devices->findText(device));
    QSignalSpy finished(&window, &TVLForm::connectionFinished);
    window.BTConnectClick();
    return finished.wait(deadlineMs) && finished.at(0).at(0).toBool();
}

inline QString labelText(TVLForm& window, const char* name) {
    return window.control<QLabel>(QString::fromLatin1(name))->text();
}

}  // namespace velmora::testing
