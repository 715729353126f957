#pragma once

#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "link/ChargerState.h"
#include "link/FrameAssembler.h"
#include "link/MessageParser.h"
#include "link/Transport.h"

namespace velmora {

// Pacing of the receive loop; tests shorten it instead of sleeping.
struct ReaderTiming {
    int receiveTimeoutMs = 5000;
    int pauseMs = 1000;  // after every receive, data or not; also the idle poll
};

// The receive thread of one charger connection: receives, frames, parses into the live
// state. It ends when readerStop is set or the link is lost; stop() makes that prompt.
class TReadThread {
public:
    // Called on the thread for each parsed message (decoder traces, tests).
    using MessageObserver = std::function<void(const std::string&, const ParseOutcome&)>;

    TReadThread(std::shared_ptr<Transport> link, LiveChargerState& state,
                std::atomic<bool>& readerStop, ReaderTiming timing = {}, NumberFormat format = {});
    ~TReadThread();
    TReadThread(const TReadThread&) = delete;
    TReadThread& operator=(const TReadThread&) = delete;

    void setObserver(MessageObserver observer) { m_observer = std::move(observer); }
    void start();
    // Sets readerStop, wakes the pause and cuts a waiting receive short, then joins.
    void stop();
    // Waits for the thread to end by itself.
    void join();
    bool running() const { return !m_finished.load(); }
    // The thread ended because the link was lost or closed (not because it was stopped).
    bool linkLost() const { return m_linkLost.load(); }

    // Parses one message into the live state.
    ParseOutcome Parsedatastring(const std::string& DataIn);
    // Runs the loop on the calling thread (the thread body).
    void Execute();

private:
    void handleFrame(const Frame& frame);
    void pause(int ms);

    std::shared_ptr<Transport> m_link;
    LiveChargerState& m_state;
    std::atomic<bool>& m_readerStop;
    ReaderTiming m_timing;
    NumberFormat m_format;
    MessageObserver m_observer;

    std::mutex m_wakeMutex;
    std::condition_variable m_wake;
    std::atomic<bool> m_finished{true};
    std::atomic<bool> m_linkLost{false};
    std::thread m_thread;
};

}  // namespace velmora
