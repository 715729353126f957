#pragma once

// A window on the simulated devices for the window benchmarks, its documents (logs, the
// charge journal, the bays' journals) in a temporary folder that outlives it.
#include <QTemporaryDir>

#include "link/SimulatedDevices.h"
#include "shell/TVLForm.h"

namespace velmora::bench {

struct SimulatedWindow {
    QTemporaryDir documents;
    TVLForm window;
    // chargerAddresses: chargers on sockets ("tcp:127.0.0.1:5601") listed beside them.
    explicit SimulatedWindow(const SimulatorOptions& simulator,
                             const QStringList& chargerAddresses = {});
};

// Presses the Bluetooth button and "Sambungkan" on the simulated charger; returns once the
// link is up.
void connectSimulatedCharger(TVLForm& window);

}  // namespace velmora::bench
