// Soak of the healing link: the same simulated day of charging as the receive path's soak,
// but every drop is healed by the window's connection controller on its own schedule, and
// after every receipt the controller takes the link back to the charger. One receive
// thread at a time, flat memory, every message parsed. Prints its figures; exits non-zero
// when one is wrong.
#include <QCoreApplication>
#include <QTemporaryDir>
#include <chrono>
#include <cstdlib>
#include <memory>
#include <string>

#include "charger_end.h"
#include "delivery_gauge.h"
#include "link/ChargerLink.h"
#include "link/Commands.h"
#include "link/LinkController.h"
#include "link/SocketTransport.h"
#include "message_ledger.h"
#include "printer_end.h"
#include "process_figures.h"
#include "soak_report.h"

using namespace velmora;
using namespace std::string_literals;
using namespace soak;

namespace {

constexpr std::chrono::seconds kStallDeadline{30};

// The charger and the printer of the soak as the paired devices of a Bluetooth stack.
class SoakPlatform : public BluetoothPlatform {
public:
    SoakPlatform(const std::string& charger, const std::string& printer, DeliveryGauge& gauge)
        : m_charger{QStringLiteral("Soak charger"), QString::fromStdString(charger), true},
          m_printer{QStringLiteral("Soak printer"), QString::fromStdString(printer), true},
          m_gauge(gauge) {}

    bool radioPresent() override { return true; }
    QList<DeviceInfo> pairedDevices() override { return {m_charger, m_printer}; }
    void requestEnable() override {}
    bool isPaired(const DeviceInfo&) override { return true; }
    bool isKnownCharger(const DeviceInfo& device) override {
        return device.address == m_charger.address;
    }
    std::unique_ptr<Transport> createSocket(const DeviceInfo& device, bool) override {
        auto socket = std::make_shared<SocketTransport>(device.address.toStdString());
        if (device.address != m_charger.address)
            return std::make_unique<GaugedLink>(socket, m_none);
        m_gauge.reset();  // a new connection: the charger counts its bytes again
        return std::make_unique<GaugedLink>(socket, m_gauge);
    }

private:
    DeviceInfo m_charger, m_printer;
    DeliveryGauge& m_gauge;
    DeliveryGauge m_none;  // the printer's bytes count nowhere
};

std::string sampleReceipt() {
    std::string bytes = "\x1b@";
    for (int line = 0; line < 40; ++line)
        bytes += "Velmora Tester  baris " + std::to_string(line) + "\n";
    return bytes + "\x1dV\x00"s;
}

// The window's part around the controller: what it does when an attempt is due, when a
// connection is made, and for a receipt.
class Workshop {
public:
    Workshop(LinkController& links, ChargerLink& link, ChargerEnd& charger,
             const std::string& receipt)
        : m_links(links), m_link(link), m_charger(charger), m_receipt(receipt) {
        QObject::connect(&links, &LinkController::reconnectDue, [this] { reconnectDue(); });
        QObject::connect(&links, &LinkController::finished,
                         [this](LinkController::Purpose purpose, bool ok, const QString& error) {
                             finished(purpose, ok && error.isEmpty());
                         });
    }

    void print() {
        m_printing = true;
        m_links.holdChargerForPrint();
        m_link.stopReaderAndRelease();
        if (!m_links.connectTo(LinkController::Purpose::PrintCharge, 1)) printed();
    }
    bool printing() const { return m_printing; }
    int connections() const { return m_connections; }

private:
    void reconnectDue() {
        if (m_links.connecting() || m_printing) {
            m_links.postponeReconnect();
            return;
        }
        m_links.setAutomaticAttempt(true);
        m_link.stopReaderAndRelease();
        if (!m_links.reconnectCharger(true)) m_links.reconnectFailed();
    }
    void finished(LinkController::Purpose purpose, bool ok) {
        if (purpose != LinkController::Purpose::Charger) {
            if (ok) {
                try {
                    m_link.linkSocket()->send(m_receipt);
                } catch (const LinkError&) {
                    // counted by the printer's end as a missing receipt
                }
            }
            m_link.stopReaderAndRelease();
            printed();
            return;
        }
        if (!ok) return;  // the controller tries again on its schedule
        ++m_connections;
        m_link.startReader();
        try {
            m_link.awaitAnswer();
            m_link.Kirimstringdata(commands::kStart);
        } catch (const LinkError&) {
            // Dropped at once: the controller sees the link go down and heals it.
        }
    }
    void printed() {
        m_printing = false;
        m_charger.printDone();
        m_links.returnToCharger();
    }

    LinkController& m_links;
    ChargerLink& m_link;
    ChargerEnd& m_charger;
    const std::string& m_receipt;
    bool m_printing = false;
    int m_connections = 0;
};

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    QTemporaryDir settings;  // the remembered devices stay out of the user's store
    const auto started = std::chrono::steady_clock::now();
    SoakRun run;
    run.title = "Link soak";
    // Qt's own allocations settle over the first connections: measured 240 to 544 KiB
    // between hours 1 and 23 for 500 to 4000 drops, not growing with them. A leak per
    // connection would grow with the drops, by megabytes.
    run.flatWhileChargingKiB = 1024;

    SocketListener chargerListener("tcp:127.0.0.1:0");
    DeliveryGauge gauge;
    MessageLedger ledger;
    ChargerPlan plan;
    plan.drops = argc > 1 ? std::atoi(argv[1]) : 2000;  // a first argument for a shorter run
    plan.takeovers = 20;
    ChargerEnd charger(chargerListener, gauge, ledger, plan);
    const std::string receipt = sampleReceipt();
    PrinterEnd printer(receipt);

    SoakPlatform platform(chargerListener.address(), printer.address(), gauge);
    LiveChargerState state;
    ChargerLink link(state);
    link.setReaderTiming({100, 0});
    link.setMessageObserver([&ledger](const std::string& message, const ParseOutcome& outcome) {
        ledger.parsed(message, outcome.shape != MessageShape::None && !outcome.rejected);
    });
    LinkController links(platform, link, RememberedDevices(settings.filePath("soak.ini")));
    links.setReconnectSchedule({{1}, 1, 24 * 3600 * 1000});
    links.listPairedDevices();
    Workshop workshop(links, link, charger, receipt);
    run.threadsAtStart = threadCount();
    run.residentAtStart = residentKiB();

    std::thread chargerThread([&] { charger.run(); });
    links.connectTo(LinkController::Purpose::Charger, 0);
    auto lastProgress = std::chrono::steady_clock::now();
    int lastSeconds = -1;
    while (!charger.finished()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        if (run.residentAfterFirstConnection == 0 && workshop.connections() > 0)
            run.residentAfterFirstConnection = residentKiB();
        links.watchChargerLink();  // the refresh tick's look at the link
        if (!workshop.printing() && !links.connecting() &&
            charger.waitForPrintRequest(std::chrono::milliseconds(1)))
            workshop.print();
        sampleMemory(charger, run);
        if (charger.simulatedSeconds() != lastSeconds) {
            lastSeconds = charger.simulatedSeconds();
            lastProgress = std::chrono::steady_clock::now();
        } else if (std::chrono::steady_clock::now() - lastProgress > kStallDeadline) {
            run.stalled = true;
            break;
        }
    }
    if (run.stalled) chargerListener.close();  // lets the charger's accept give up
    // The charger holds its last link until these are read.
    run.readerAliveAtEnd = link.readerRunning();
    run.finalState = state.snapshot();
    charger.releaseFinalLink();
    chargerThread.join();
    links.shutDown();
    link.stopReaderAndRelease();
    printer.stop();
    chargerListener.close();
    run.residentAtEnd = residentKiB();
    run.threadsAtEnd = threadCount();
    run.realSeconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    run.connections = workshop.connections();
    return reportSoak(run, charger, plan, printer, ledger) ? 0 : 1;
}
