#include "link/TReadThread.h"

#include <algorithm>
#include <chrono>

namespace velmora {

namespace {
// Without a connected link there is nothing to wait on; poll gently.
constexpr int kIdlePollMs = 20;
}  // namespace

TReadThread::TReadThread(std::shared_ptr<Transport> link, LiveChargerState& state,
                         std::atomic<bool>& readerStop, ReaderTiming timing, NumberFormat format)
    : m_link(std::move(link)),
      m_state(state),
      m_readerStop(readerStop),
      m_timing(timing),
      m_format(format) {}

TReadThread::~TReadThread() {
    stop();
}

void TReadThread::start() {
    if (m_thread.joinable()) return;  // a thread is never restarted
    m_finished = false;
    m_thread = std::thread([this] {
        Execute();
        m_finished = true;
    });
}

void TReadThread::stop() {
    {
        std::lock_guard<std::mutex> lock(m_wakeMutex);
        m_readerStop = true;
    }
    m_wake.notify_all();
    if (m_link && !m_finished) m_link->release();
    join();
}

void TReadThread::join() {
    if (m_thread.joinable() && m_thread.get_id() != std::this_thread::get_id()) m_thread.join();
}

ParseOutcome TReadThread::Parsedatastring(const std::string& DataIn) {
    return parseMessage(DataIn, m_state, m_format);
}

void TReadThread::pause(int ms) {
    if (ms <= 0) return;  // a timed wait of nothing still costs the kernel's timer slack
    std::unique_lock<std::mutex> lock(m_wakeMutex);
    m_wake.wait_for(lock, std::chrono::milliseconds(ms), [this] { return m_readerStop.load(); });
}

void TReadThread::handleFrame(const Frame& frame) {
    // The marker is set before any message of its frame is parsed.
    if (frame.endOfTest) m_state.modify([](ChargerState& s) { s.endOfTest = true; });
    for (const std::string& message : frame.messages) {
        ParseOutcome outcome = Parsedatastring(message);
        if (m_observer) m_observer(message, outcome);
    }
}

void TReadThread::Execute() {
    FrameAssembler assembler;
    Frame frame;
    while (!m_readerStop) {
        if (!m_link || !m_link->connected()) {
            pause(std::max(m_timing.pauseMs, kIdlePollMs));  // idle: nothing to read from
            continue;
        }
        while (!m_readerStop && m_link->connected()) {
            std::string chunk;
            try {
                chunk = m_link->receive(m_timing.receiveTimeoutMs);
            } catch (const LinkError&) {
                m_linkLost = !m_readerStop;
                return;
            }
            if (assembler.append(chunk, frame)) handleFrame(frame);
            pause(m_timing.pauseMs);
        }
    }
}

}  // namespace velmora
