#include "simulator/ChargerSimulator.h"

#include <algorithm>
#include <chrono>

namespace velmora {

namespace {
constexpr const char kEndOfTestTail[] = "#|5|*\r\n";
constexpr int kQuietTicksAfterMarker = 2;

bool endsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() &&
           text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}
}  // namespace

ChargerSimulator::ChargerSimulator(std::shared_ptr<Transport> link, SimulatorOptions options)
    : m_link(std::move(link)), m_options(options), m_model(options.seed), m_random(options.seed) {
    m_model.setDurations(options.durations);
    m_model.setTestOnly(options.testOnly);
}

ChargerSimulator::~ChargerSimulator() {
    stop();
}

void ChargerSimulator::start() {
    if (m_thread.joinable()) return;
    m_running = true;
    m_thread = std::thread([this] { run(); });
}

void ChargerSimulator::stop() {
    m_stop = true;
    if (m_thread.joinable()) m_thread.join();
}

void ChargerSimulator::transmit(const std::string& chunk) {
    if (chunk.empty()) return;
    std::string data = chunk;
    if (m_options.garbageChance > 0 &&
        std::uniform_real_distribution<double>(0, 1)(m_random) < m_options.garbageChance) {
        std::string noise;
        for (int i = 0; i < 12; ++i) noise += static_cast<char>(m_random() % 256);
        data = noise + "\r\n" + data;  // noise ending in LF, as a glitching radio would
    }
    if (m_observer) m_observer(data);
    if (m_options.splitFrames && data.size() > 1) {
        const size_t cut = 1 + m_random() % (data.size() - 1);
        m_link->send(data.substr(0, cut));
        m_link->send(data.substr(cut));
    } else {
        m_link->send(data);
    }
}

void ChargerSimulator::run() {
    m_running = true;
    using Clock = std::chrono::steady_clock;
    auto nextTick = Clock::now() + std::chrono::milliseconds(m_options.tickMs);
    int quietTicks = 0;
    try {
        while (!m_stop) {
            const auto now = Clock::now();
            const int waitMs = static_cast<int>(std::max<long long>(
                0, std::chrono::duration_cast<std::chrono::milliseconds>(nextTick - now).count()));
            const std::string incoming = m_link->receive(std::min(waitMs, 100));
            if (!incoming.empty()) {
                std::string replies;
                for (const std::string& r : m_model.receive(incoming)) replies += r;
                transmit(replies);
            }
            if (Clock::now() < nextTick) continue;
            nextTick += std::chrono::milliseconds(m_options.tickMs);
            ++m_ticks;
            if (m_options.dropAfterTicks > 0 && m_ticks >= m_options.dropAfterTicks) {
                m_link->release();
                break;
            }
            if (quietTicks > 0) {
                // The charger pauses so the marker frame is read on its own.
                --quietTicks;
                continue;
            }
            std::string chunk;
            for (int i = 0; i < m_options.speed; ++i) {
                for (const std::string& frame : m_model.tick()) chunk += frame;
                if (endsWith(chunk, kEndOfTestTail)) break;
            }
            transmit(chunk);
            if (endsWith(chunk, kEndOfTestTail)) quietTicks = kQuietTicksAfterMarker;
        }
    } catch (const LinkError&) {
        // The application went away; a real charger just waits for the next one.
    }
    m_running = false;
}

}  // namespace velmora
