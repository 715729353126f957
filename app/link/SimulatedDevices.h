#pragma once

#include <QHash>
#include <QStringList>
#include <memory>
#include <mutex>

#include "link/BluetoothPlatform.h"
#include "simulator/ChargerSimulator.h"

namespace velmora {

// The device list the window uses: the operating system's paired devices, plus, where
// no adapter exists or on request, the simulated charger and printer, so the whole
// workflow can be tried on any machine.
// Where the simulated printer's bytes go as they arrive (on the sending thread).
class PrinterOutput {
public:
    virtual ~PrinterOutput() = default;
    virtual void print(const std::string& bytes) = 0;
};

class DevicePlatform : public BluetoothPlatform {
public:
    // Names of the simulated devices as written; the device boxes show them in the
    // window's language (shownName).
    static const QString kSimulatedCharger;
    // The same charger running only the battery test ("Test Mode").
    static const QString kSimulatedTestCharger;
    static const QString kSimulatedPrinter;
    // Further chargers on the simulated bench, each with a battery of its own (the third
    // one's is worn), so several chargers can be watched without hardware.
    static const QString kSimulatedBenchCharger;
    static constexpr int kSimulatedBenchChargers = 4;
    static QString shownName(const QString& simulatedName);

    // bluetooth may be null (no stack at all). With alwaysSimulate the simulated devices
    // are offered even when a radio exists. chargerAddresses: extra chargers reached
    // over a stream socket ("tcp:127.0.0.1:5555"), e.g. velmora-charger-sim.
    DevicePlatform(std::unique_ptr<BluetoothPlatform> bluetooth, bool alwaysSimulate,
                   QStringList chargerAddresses = {}, SimulatorOptions simulator = {});

    bool radioPresent() override;
    QList<DeviceInfo> pairedDevices() override;
    void requestEnable() override;
    bool isPaired(const DeviceInfo& device) override;
    bool isKnownCharger(const DeviceInfo& device) override;
    bool isKnownPrinter(const DeviceInfo& device) override;
    bool isNetworkPrinter(const DeviceInfo& device) override;
    // Listed after every other device, whether or not a radio exists.
    bool addNetworkPrinter(const QString& address) override;
    // How a network printer is named in the device boxes.
    static QString networkPrinterName(const QString& address);
    std::unique_ptr<Transport> createSocket(const DeviceInfo& device, bool secure) override;

    // Bytes the simulated printer received since the last call.
    std::string takePrintedBytes();
    // Also hands every byte the simulated printer receives to `output` while it exists.
    void setPrinterOutput(std::weak_ptr<PrinterOutput> output);

private:
    bool simulating();
    QList<DeviceInfo> simulatedDevices() const;
    // The simulated charger at an address, made at its first connection; it lives, and
    // charges, as long as the platform.
    std::shared_ptr<ChargerSimulator> simulatedCharger(const QString& address);

    std::unique_ptr<BluetoothPlatform> m_bluetooth;
    bool m_alwaysSimulate;
    QStringList m_chargerAddresses;
    QStringList m_printerAddresses;
    SimulatorOptions m_simulator;
    std::shared_ptr<struct PrinterSink> m_printer;
    std::mutex m_chargersMutex;
    QHash<QString, std::shared_ptr<ChargerSimulator>> m_chargers;
};

}  // namespace velmora
