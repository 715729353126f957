#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <random>
#include <string>

#include "delivery_gauge.h"
#include "link/SocketTransport.h"
#include "message_ledger.h"
#include "simulator/ChargerModel.h"

namespace soak {

// How the charger's side treats the link over one soak run.
struct ChargerPlan {
    int drops = 100;        // times the charger drops the link
    int takeovers = 10;     // times it waits while the printer takes the link
    int noiseEvery = 7;     // noise before every n-th transmission
    int corruptEvery = 97;  // a message without its "*" in every n-th transmission
    int deliveryWaitMs = 5000;
};

// The charger's end of the soak: one ChargerModel charging for a simulated day, one
// transmission per simulated second, served to whichever application connection the
// listener accepts. Every transmission is split in two at a moving byte position, and the
// first part is delivered before the second goes out.
class ChargerEnd {
public:
    ChargerEnd(velmora::SocketListener& listener, DeliveryGauge& gauge, MessageLedger& ledger,
               ChargerPlan plan);

    // Runs on the calling thread until the whole charge has been delivered, then holds the
    // last link open until releaseFinalLink(), so the application's side can be checked
    // while the charger is still connected.
    void run();
    void releaseFinalLink();

    // The application's side: the charger paused for a print; the link may be taken now.
    bool waitForPrintRequest(std::chrono::milliseconds deadline);
    void printDone();
    bool finished() const { return m_finished.load(); }

    std::uint64_t transmissions() const { return m_transmissions; }
    std::uint64_t bytesSent() const { return m_bytesSent; }
    int dropsDone() const { return m_dropsDone; }
    int takeoversDone() const { return m_takeoversDone; }
    int simulatedSeconds() const { return m_seconds; }
    int connections() const { return m_connections; }
    std::string failure() const { return m_failure; }

private:
    enum class Ending { Dropped, TakenOver, ChargeDone };

    Ending serve(velmora::Transport& link);
    void transmit(velmora::Transport& link, const std::string& frames);
    void waitDelivered();
    void waitUntilClosed(velmora::Transport& link);
    std::string noise();

    velmora::SocketListener& m_listener;
    DeliveryGauge& m_gauge;
    MessageLedger& m_ledger;
    ChargerPlan m_plan;
    velmora::ChargerModel m_model;
    std::mt19937 m_random{7};

    std::mutex m_printMutex;
    std::condition_variable m_printChanged;
    bool m_printRequested = false;
    bool m_finalLinkReleased = false;
    std::atomic<bool> m_finished{false};

    // Read by the application's side while the charger runs.
    std::atomic<std::uint64_t> m_transmissions{0};
    std::atomic<int> m_dropsDone{0};
    std::atomic<int> m_takeoversDone{0};
    std::atomic<int> m_seconds{0};
    std::atomic<int> m_connections{0};

    std::uint64_t m_bytesSent = 0;  // on the current connection
    std::uint64_t m_bytesTotal = 0;
    // Link events come only while the charger charges, every so many charging seconds:
    // before the start command it sends nothing and its seconds race ahead.
    int m_chargingSeconds = 0;
    int m_linkEvery = 1;
    std::string m_failure;
};

}  // namespace soak
