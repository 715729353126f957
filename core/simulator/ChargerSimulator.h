#pragma once

#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <random>
#include <string>
#include <thread>

#include "link/Transport.h"
#include "simulator/ChargerModel.h"

namespace velmora {

// How the simulated charger runs in real time, and which faults it injects.
struct SimulatorOptions {
    int tickMs = 1000;  // real time between two transmissions
    int speed = 1;      // simulated seconds per transmission
    bool testOnly = false;
    bool wornBattery = false;    // the battery comes out of its charge "BAD"
    double garbageChance = 0.0;  // chance per transmission of a burst of noise first
    bool splitFrames = false;    // send each transmission in two parts
    int dropAfterTicks = 0;      // close the link after this many ticks (0: never)
    ChargerModel::StartAnswer startAnswer = ChargerModel::StartAnswer::Standby;
    // A charger on the bench: it goes on charging while no application is connected and
    // takes the next connection (`attach`). Otherwise it stops with its first link.
    bool keepsCharging = false;
    unsigned seed = 1;
    ChargerModel::Durations durations;
};

// Runs a ChargerModel on one link (the charger's end) on its own thread.
class ChargerSimulator {
public:
    ChargerSimulator(std::shared_ptr<Transport> link, SimulatorOptions options);
    ~ChargerSimulator();
    ChargerSimulator(const ChargerSimulator&) = delete;
    ChargerSimulator& operator=(const ChargerSimulator&) = delete;

    void start();
    void stop();
    // Runs on the calling thread until stopped, or until the link is lost unless it keeps
    // charging.
    void run();
    // An application connected: its link replaces the last one, the charge goes on.
    void attach(std::shared_ptr<Transport> link);
    // An application link is attached and up.
    bool linked() const;
    bool running() const { return m_running.load(); }
    int ticks() const { return m_ticks.load(); }
    // Sees every chunk as it is sent (logs, tests).
    void setSendObserver(std::function<void(const std::string&)> observer) {
        m_observer = std::move(observer);
    }

private:
    void transmit(Transport& link, const std::string& chunk);
    std::shared_ptr<Transport> currentLink() const;
    // The link is gone: true when the simulator goes on without it.
    bool detach(const std::shared_ptr<Transport>& link);
    // Waits for the next tick or a new link, whichever comes first; what arrived meanwhile.
    std::string waitForTick(const std::shared_ptr<Transport>& link, int waitMs);

    mutable std::mutex m_linkMutex;
    std::condition_variable m_linkChanged;
    std::shared_ptr<Transport> m_link;
    int m_linkTicks = 0;  // ticks since the link was attached
    SimulatorOptions m_options;
    ChargerModel m_model;
    std::mt19937 m_random;
    std::function<void(const std::string&)> m_observer;
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_running{false};
    std::atomic<int> m_ticks{0};
    std::thread m_thread;
};

}  // namespace velmora
