// Soak of the receive path: a charger simulator charges for a simulated day over a real
// socket into the real receive thread, with noise, split frames, dropped links and the
// printer taking the link over. Prints its figures; exits non-zero when one is wrong.
#include <atomic>
#include <chrono>
#include <cstdio>
#include <memory>
#include <thread>

#include "charger_end.h"
#include "delivery_gauge.h"
#include "link/ChargerState.h"
#include "link/Commands.h"
#include "link/SocketTransport.h"
#include "link/TReadThread.h"
#include "message_ledger.h"
#include "printer_end.h"
#include "process_figures.h"
#include "soak_report.h"

using namespace velmora;
using namespace std::string_literals;
using namespace soak;

namespace {

constexpr std::chrono::seconds kStallDeadline{30};

std::string sampleReceipt() {
    std::string bytes = "\x1b@";
    for (int line = 0; line < 40; ++line)
        bytes += "Velmora Tester  baris " + std::to_string(line) + "\n";
    return bytes + "\x1dV\x00"s;
}

// The application's side: one charger connection with its receive thread, as "Sambungkan".
class Application {
public:
    Application(std::string chargerAddress, DeliveryGauge& gauge, MessageLedger& ledger)
        : m_address(std::move(chargerAddress)), m_gauge(gauge), m_ledger(ledger) {}
    ~Application() { disconnect(); }

    void connectCharger() {
        disconnect();
        m_gauge.reset();
        auto socket = std::make_shared<SocketTransport>(m_address);
        socket->connect();
        m_link = std::make_shared<GaugedLink>(socket, m_gauge);
        m_readerStop = false;
        m_reader =
            std::make_unique<TReadThread>(m_link, m_state, m_readerStop, ReaderTiming{100, 0});
        m_reader->setObserver([this](const std::string& message, const ParseOutcome& outcome) {
            m_ledger.parsed(message, outcome.shape != MessageShape::None && !outcome.rejected);
        });
        m_reader->start();
        ++m_connections;
        try {
            m_link->send(commands::kStart);
        } catch (const LinkError&) {
            // The charger dropped the link at once: the receive thread ends with it and the
            // next round connects again, as a user would.
        }
    }
    // "Print Charge": the receive thread ends, the link goes to the printer and stays there.
    void print(const std::string& printerAddress, const std::string& receipt) {
        disconnect();
        auto printer = std::make_shared<SocketTransport>(printerAddress);
        printer->connect();
        printer->send(receipt);
        printer->release();
    }
    void disconnect() {
        if (m_reader) m_reader->stop();
        if (m_link) m_link->release();
        m_reader.reset();
        m_link.reset();
    }
    bool readerEndedByLostLink() const {
        return m_reader && !m_reader->running() && m_reader->linkLost();
    }
    bool readerRunning() const { return m_reader && m_reader->running(); }
    int connections() const { return m_connections; }
    ChargerState state() const { return m_state.snapshot(); }

private:
    std::string m_address;
    DeliveryGauge& m_gauge;
    MessageLedger& m_ledger;
    LiveChargerState m_state;
    std::atomic<bool> m_readerStop{false};
    std::shared_ptr<Transport> m_link;
    std::unique_ptr<TReadThread> m_reader;
    int m_connections = 0;
};

}  // namespace

int main() {
    const auto started = std::chrono::steady_clock::now();
    SoakRun run;
    run.title = "Soak";
    run.threadsAtStart = threadCount();
    run.residentAtStart = residentKiB();

    SocketListener chargerListener("tcp:127.0.0.1:0");
    DeliveryGauge gauge;
    MessageLedger ledger;
    const ChargerPlan plan;
    ChargerEnd charger(chargerListener, gauge, ledger, plan);
    const std::string receipt = sampleReceipt();
    PrinterEnd printer(receipt);
    Application app(chargerListener.address(), gauge, ledger);

    std::thread chargerThread([&] { charger.run(); });
    app.connectCharger();
    run.residentAfterFirstConnection = residentKiB();
    auto lastProgress = std::chrono::steady_clock::now();
    int lastSeconds = -1;
    while (!charger.finished()) {
        if (charger.waitForPrintRequest(std::chrono::milliseconds(10))) {
            app.print(printer.address(), receipt);
            charger.printDone();
            app.connectCharger();
        } else if (app.readerEndedByLostLink()) {
            app.connectCharger();
        }
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
    run.readerAliveAtEnd = app.readerRunning();
    run.finalState = app.state();
    charger.releaseFinalLink();
    chargerThread.join();
    app.disconnect();
    printer.stop();
    chargerListener.close();
    run.residentAtEnd = residentKiB();
    run.threadsAtEnd = threadCount();
    run.realSeconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    run.connections = app.connections();
    return reportSoak(run, charger, plan, printer, ledger) ? 0 : 1;
}
