#include "link/SimulatedDevices.h"

#include <QCoreApplication>
#include <mutex>

#include "link/MemoryTransport.h"
#include "link/SocketTransport.h"

namespace velmora {

const QString DevicePlatform::kSimulatedCharger =
    QString::fromUtf8(QT_TRANSLATE_NOOP("velmora::DevicePlatform", "Charger Simulasi"));
const QString DevicePlatform::kSimulatedTestCharger =
    QString::fromUtf8(QT_TRANSLATE_NOOP("velmora::DevicePlatform", "Charger Simulasi (Tes)"));
const QString DevicePlatform::kSimulatedPrinter =
    QString::fromUtf8(QT_TRANSLATE_NOOP("velmora::DevicePlatform", "Printer Simulasi"));

const QString DevicePlatform::kSimulatedBenchCharger =
    QString::fromUtf8(QT_TRANSLATE_NOOP("velmora::DevicePlatform", "Charger Simulasi %1"));

QString DevicePlatform::shownName(const QString& simulatedName) {
    return QCoreApplication::translate("velmora::DevicePlatform",
                                       simulatedName.toUtf8().constData());
}

namespace {
const QString kChargerAddress = QStringLiteral("sim:charger");
const QString kTestChargerAddress = QStringLiteral("sim:charger-test");
const QString kPrinterAddress = QStringLiteral("sim:printer");
const QString kBenchChargerPrefix = QStringLiteral("sim:charger-");
// "sim:charger-2" .. : the further chargers of the simulated bench, numbered from 2.
int benchChargerNumber(const QString& address) {
    if (!address.startsWith(kBenchChargerPrefix)) return 0;
    bool number = false;
    const int n = address.mid(kBenchChargerPrefix.size()).toInt(&number);
    return number && n >= 2 && n < 2 + DevicePlatform::kSimulatedBenchChargers ? n : 0;
}
bool isSimulatedCharger(const QString& address) {
    return address == kChargerAddress || address == kTestChargerAddress ||
           benchChargerNumber(address) != 0;
}
// A printer on the shop's network answers within a second when it is on.
constexpr int kNetworkPrinterConnectTimeoutMs = 5000;

// The application's end of an in-memory link to a simulated charger. The charger is a
// device on the bench: it goes on charging while no link is up and takes the next one.
class SimulatedChargerSocket : public Transport {
public:
    explicit SimulatedChargerSocket(std::shared_ptr<ChargerSimulator> charger)
        : m_charger(std::move(charger)) {}
    ~SimulatedChargerSocket() override { release(); }
    void connect() override {
        auto [app, charger] = MemoryTransport::createPair();
        m_app = app;
        m_charger->attach(charger);
        m_charger->start();
    }
    bool connected() const override { return m_app && m_app->connected(); }
    void send(const std::string& bytes) override {
        if (!m_app) throw LinkError("not connected");
        m_app->send(bytes);
    }
    std::string receive(int timeoutMs) override {
        if (!m_app) throw LinkError("not connected");
        return m_app->receive(timeoutMs);
    }
    void release() override {
        if (m_app) m_app->release();
    }

private:
    std::shared_ptr<ChargerSimulator> m_charger;
    std::shared_ptr<MemoryTransport> m_app;
};

}  // namespace

// Collects what is "printed" on the simulated printer.
struct PrinterSink {
    std::mutex mutex;
    std::string bytes;
    std::weak_ptr<PrinterOutput> output;
};

namespace {
// A printer that takes every byte and never answers.
class SimulatedPrinterSocket : public Transport {
public:
    explicit SimulatedPrinterSocket(std::shared_ptr<PrinterSink> sink) : m_sink(std::move(sink)) {}
    void connect() override { m_connected = true; }
    bool connected() const override { return m_connected; }
    void send(const std::string& bytes) override {
        if (!m_connected) throw LinkError("not connected");
        std::shared_ptr<PrinterOutput> output;
        {
            std::lock_guard<std::mutex> lock(m_sink->mutex);
            m_sink->bytes += bytes;
            output = m_sink->output.lock();
        }
        if (output) output->print(bytes);
    }
    std::string receive(int) override {
        if (!m_connected) throw LinkError("not connected");
        return {};
    }
    void release() override { m_connected = false; }

private:
    std::shared_ptr<PrinterSink> m_sink;
    std::atomic<bool> m_connected{false};
};
}  // namespace

DevicePlatform::DevicePlatform(std::unique_ptr<BluetoothPlatform> bluetooth, bool alwaysSimulate,
                               QStringList chargerAddresses, SimulatorOptions simulator)
    : m_bluetooth(std::move(bluetooth)),
      m_alwaysSimulate(alwaysSimulate),
      m_chargerAddresses(std::move(chargerAddresses)),
      m_simulator(simulator),
      m_printer(std::make_shared<PrinterSink>()) {}

bool DevicePlatform::simulating() {
    if (m_alwaysSimulate || !m_bluetooth) return true;
    try {
        return !m_bluetooth->radioPresent();
    } catch (const LinkError&) {
        return true;
    }
}

QList<DeviceInfo> DevicePlatform::simulatedDevices() const {
    // Named in the window's language; the addresses are what scripts and settings keep.
    QList<DeviceInfo> devices{{shownName(kSimulatedCharger), kChargerAddress, true},
                              {shownName(kSimulatedTestCharger), kTestChargerAddress, true}};
    for (const QString& address : m_chargerAddresses)
        devices.append(
            {shownName(kSimulatedCharger) + QStringLiteral(" (") + address + QStringLiteral(")"),
             address, true});
    devices.append({shownName(kSimulatedPrinter), kPrinterAddress, true});
    for (int n = 2; n < 2 + kSimulatedBenchChargers; ++n)
        devices.append({shownName(kSimulatedBenchCharger).arg(n),
                        kBenchChargerPrefix + QString::number(n), true});
    return devices;
}

bool DevicePlatform::radioPresent() {
    if (simulating()) return true;
    return m_bluetooth->radioPresent();
}

QList<DeviceInfo> DevicePlatform::pairedDevices() {
    QList<DeviceInfo> devices;
    bool radio = false;
    if (m_bluetooth) {
        try {
            radio = m_bluetooth->radioPresent();
            if (radio) devices = m_bluetooth->pairedDevices();
        } catch (const LinkError&) {
            radio = false;
        }
    }
    if (m_alwaysSimulate || !radio) devices += simulatedDevices();
    for (const QString& address : m_printerAddresses)
        devices.append({networkPrinterName(address), address, true});
    return devices;
}

void DevicePlatform::requestEnable() {
    if (!m_bluetooth) return;
    try {
        m_bluetooth->requestEnable();
    } catch (const LinkError&) {
        // nobody reads the result of the request
    }
}

bool DevicePlatform::isKnownCharger(const DeviceInfo& device) {
    return isSimulatedCharger(device.address) || m_chargerAddresses.contains(device.address) ||
           (m_bluetooth && m_bluetooth->isKnownCharger(device));
}

bool DevicePlatform::isKnownPrinter(const DeviceInfo& device) {
    return device.address == kPrinterAddress ||
           (m_bluetooth && m_bluetooth->isKnownPrinter(device));
}

bool DevicePlatform::isNetworkPrinter(const DeviceInfo& device) {
    return m_printerAddresses.contains(device.address);
}

bool DevicePlatform::addNetworkPrinter(const QString& address) {
    // A charger's socket stays a charger: the same address cannot be both.
    if (!m_printerAddresses.contains(address) && !m_chargerAddresses.contains(address))
        m_printerAddresses.append(address);
    return m_printerAddresses.contains(address);
}

QString DevicePlatform::networkPrinterName(const QString& address) {
    // The host and port alone tell two network printers apart in a narrow box.
    QString shown = address;
    if (shown.startsWith(QStringLiteral("tcp:"))) shown.remove(0, 4);
    return QStringLiteral("Printer ") + shown;
}

bool DevicePlatform::isPaired(const DeviceInfo& device) {
    if (isNetworkPrinter(device)) return true;
    for (const DeviceInfo& simulated : simulatedDevices())
        if (simulated.address == device.address) return true;
    return m_bluetooth && m_bluetooth->isPaired(device);
}

std::shared_ptr<ChargerSimulator> DevicePlatform::simulatedCharger(const QString& address) {
    std::lock_guard<std::mutex> lock(m_chargersMutex);
    std::shared_ptr<ChargerSimulator>& charger = m_chargers[address];
    if (!charger) {
        SimulatorOptions options = m_simulator;
        options.keepsCharging = true;
        options.testOnly = address == kTestChargerAddress;  // Test Mode without hardware
        if (const int n = benchChargerNumber(address)) {
            options.seed = static_cast<unsigned>(n);  // a battery of its own
            options.wornBattery = n == 3;
        }
        charger = std::make_shared<ChargerSimulator>(nullptr, options);
    }
    return charger;
}

std::unique_ptr<Transport> DevicePlatform::createSocket(const DeviceInfo& device, bool secure) {
    if (isSimulatedCharger(device.address))
        return std::make_unique<SimulatedChargerSocket>(simulatedCharger(device.address));
    if (device.address == kPrinterAddress)
        return std::make_unique<SimulatedPrinterSocket>(m_printer);
    if (isNetworkPrinter(device))  // one switched off must not keep a receipt waiting for minutes
        return std::make_unique<SocketTransport>(device.address.toStdString(),
                                                 kNetworkPrinterConnectTimeoutMs);
    if (m_chargerAddresses.contains(device.address))
        return std::make_unique<SocketTransport>(device.address.toStdString());
    if (!m_bluetooth) throw LinkError("no Bluetooth");
    return m_bluetooth->createSocket(device, secure);
}

std::string DevicePlatform::takePrintedBytes() {
    std::lock_guard<std::mutex> lock(m_printer->mutex);
    std::string bytes;
    bytes.swap(m_printer->bytes);
    return bytes;
}

void DevicePlatform::setPrinterOutput(std::weak_ptr<PrinterOutput> output) {
    std::lock_guard<std::mutex> lock(m_printer->mutex);
    m_printer->output = std::move(output);
}

}  // namespace velmora
