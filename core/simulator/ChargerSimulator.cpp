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
    m_model.setWornBattery(options.wornBattery);
    m_model.setStartAnswer(options.startAnswer);
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
    {
        std::lock_guard<std::mutex> lock(m_linkMutex);
        m_stop = true;
    }
    m_linkChanged.notify_all();
    if (m_thread.joinable()) m_thread.join();
}

void ChargerSimulator::attach(std::shared_ptr<Transport> link) {
    {
        std::lock_guard<std::mutex> lock(m_linkMutex);
        if (m_link && m_link != link) m_link->release();
        m_link = std::move(link);
        m_linkTicks = 0;
    }
    m_linkChanged.notify_all();
}

bool ChargerSimulator::linked() const {
    const std::shared_ptr<Transport> link = currentLink();
    return link && link->connected();
}

std::shared_ptr<Transport> ChargerSimulator::currentLink() const {
    std::lock_guard<std::mutex> lock(m_linkMutex);
    return m_link;
}

bool ChargerSimulator::detach(const std::shared_ptr<Transport>& link) {
    std::lock_guard<std::mutex> lock(m_linkMutex);
    if (m_link == link) m_link.reset();
    return m_options.keepsCharging;
}

void ChargerSimulator::transmit(Transport& link, const std::string& chunk) {
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
        link.send(data.substr(0, cut));
        link.send(data.substr(cut));
    } else {
        link.send(data);
    }
}

std::string ChargerSimulator::waitForTick(const std::shared_ptr<Transport>& link, int waitMs) {
    if (link) return link->receive(std::min(waitMs, 100));
    // Nobody listens: the charge goes on, and a new link is taken at once.
    std::unique_lock<std::mutex> lock(m_linkMutex);
    m_linkChanged.wait_for(lock, std::chrono::milliseconds(waitMs),
                           [this] { return m_stop || m_link; });
    return {};
}

void ChargerSimulator::run() {
    m_running = true;
    using Clock = std::chrono::steady_clock;
    auto nextTick = Clock::now() + std::chrono::milliseconds(m_options.tickMs);
    int quietTicks = 0;
    while (!m_stop) {
        const std::shared_ptr<Transport> link = currentLink();
        if (!link && !m_options.keepsCharging) break;
        try {
            const auto now = Clock::now();
            const int waitMs = static_cast<int>(std::max<long long>(
                0, std::chrono::duration_cast<std::chrono::milliseconds>(nextTick - now).count()));
            const std::string incoming = waitForTick(link, waitMs);
            if (!incoming.empty()) {
                std::string replies;
                for (const std::string& r : m_model.receive(incoming)) replies += r;
                transmit(*link, replies);
            }
            if (Clock::now() < nextTick) continue;
            nextTick += std::chrono::milliseconds(m_options.tickMs);
            ++m_ticks;
            bool dropNow = false;
            if (link) {
                std::lock_guard<std::mutex> lock(m_linkMutex);
                dropNow = m_options.dropAfterTicks > 0 && ++m_linkTicks >= m_options.dropAfterTicks;
            }
            if (dropNow) {
                link->release();
                if (!detach(link)) break;
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
            if (link && !dropNow) transmit(*link, chunk);
            if (endsWith(chunk, kEndOfTestTail)) quietTicks = kQuietTicksAfterMarker;
        } catch (const LinkError&) {
            // The application went away; a real charger just waits for the next one.
            if (!detach(link)) break;
        }
    }
    m_running = false;
}

}  // namespace velmora
