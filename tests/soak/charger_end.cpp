#include "charger_end.h"

#include <stdexcept>

namespace soak {

namespace {
constexpr int kDaySeconds = 24 * 60 * 60;
constexpr int kQuietSecondsAtEnd = 5;  // the finished charger still ticks a little

velmora::ChargerModel::Durations dayLongCharge() {
    velmora::ChargerModel::Durations d;
    d.constantCurrent = kDaySeconds / 2;
    d.constantVoltage1 = kDaySeconds / 3;
    // The rest of the day, less the detection, start and the two diagnoses.
    d.constantVoltage2 = kDaySeconds - d.constantCurrent - d.constantVoltage1 - d.detectDelay -
                         d.startDelay - 2 * d.diagnosis;
    return d;
}

// Each message of a transmission (they end in "*" CR LF).
template <typename Fn>
void forEachMessage(const std::string& frames, Fn&& fn) {
    size_t start = 0;
    for (size_t end; (end = frames.find("*\r\n", start)) != std::string::npos; start = end + 3)
        fn(frames.substr(start, end + 1 - start));
}
}  // namespace

ChargerEnd::ChargerEnd(velmora::SocketListener& listener, DeliveryGauge& gauge,
                       MessageLedger& ledger, ChargerPlan plan)
    : m_listener(listener), m_gauge(gauge), m_ledger(ledger), m_plan(plan) {
    const velmora::ChargerModel::Durations d = dayLongCharge();
    m_model.setDurations(d);
    m_linkEvery = (d.constantCurrent + d.constantVoltage1 + d.constantVoltage2) /
                  (m_plan.drops + m_plan.takeovers + 1);
}

std::string ChargerEnd::noise() {
    // Any byte but a frame start or a message end, then a line end as a glitch leaves it.
    std::string bytes;
    const int length = 1 + static_cast<int>(m_random() % 24);
    while (static_cast<int>(bytes.size()) < length) {
        const char c = static_cast<char>(m_random() % 256);
        if (c != '#' && c != '*') bytes += c;
    }
    return bytes + "\r\n";
}

void ChargerEnd::waitDelivered() {
    if (!m_gauge.waitFor(m_bytesSent, std::chrono::milliseconds(m_plan.deliveryWaitMs)))
        throw std::runtime_error("the receive thread stopped taking bytes");
}

void ChargerEnd::transmit(velmora::Transport& link, const std::string& frames) {
    if (frames.empty()) return;
    ++m_transmissions;
    std::string bytes;
    if (m_transmissions % m_plan.noiseEvery == 0) bytes += noise();
    bool corruptFirst = m_transmissions % m_plan.corruptEvery == 0;
    forEachMessage(frames, [&](const std::string& message) {
        if (corruptFirst) {
            // The closing "*" lost on the radio: the message cannot be read.
            bytes += message.substr(0, message.size() - 1) + "\r\n";
            m_ledger.corrupted();
            corruptFirst = false;
            return;
        }
        bytes += message + "\r\n";
        m_ledger.sent(message);
    });
    // A different cut for each transmission walks every byte position of the frames.
    const size_t cut = 1 + m_transmissions % (bytes.size() > 1 ? bytes.size() - 1 : 1);
    link.send(bytes.substr(0, cut));
    m_bytesSent += cut;
    waitDelivered();
    if (cut < bytes.size()) {
        link.send(bytes.substr(cut));
        m_bytesSent += bytes.size() - cut;
    }
    m_bytesTotal += bytes.size();
}

void ChargerEnd::waitUntilClosed(velmora::Transport& link) {
    try {
        for (;;) m_model.receive(link.receive(100));  // commands now go nowhere
    } catch (const velmora::LinkError&) {
    }
}

ChargerEnd::Ending ChargerEnd::serve(velmora::Transport& link) {
    int quiet = 0;
    for (;;) {
        std::string replies;
        for (const std::string& r : m_model.receive(link.receive(0))) replies += r;
        transmit(link, replies);
        if (m_model.finished() && ++quiet > kQuietSecondsAtEnd) {
            waitDelivered();
            return Ending::ChargeDone;
        }
        std::string frames;
        for (const std::string& f : m_model.tick()) frames += f;
        ++m_seconds;
        transmit(link, frames);
        if (!m_model.charging() || ++m_chargingSeconds % m_linkEvery != 0) continue;
        // Link events fall between whole transmissions, once everything sent was read.
        waitDelivered();
        if (m_takeoversDone * (m_plan.drops / std::max(1, m_plan.takeovers)) < m_dropsDone &&
            m_takeoversDone < m_plan.takeovers) {
            {
                std::lock_guard<std::mutex> lock(m_printMutex);
                m_printRequested = true;
            }
            m_printChanged.notify_all();
            waitUntilClosed(link);
            ++m_takeoversDone;
            return Ending::TakenOver;
        }
        if (m_dropsDone < m_plan.drops) {
            link.release();
            ++m_dropsDone;
            return Ending::Dropped;
        }
    }
}

void ChargerEnd::run() {
    try {
        for (;;) {
            std::unique_ptr<velmora::SocketTransport> link;
            while (!link) link = m_listener.accept(100);
            ++m_connections;
            m_bytesSent = 0;
            if (serve(*link) == Ending::ChargeDone) {
                m_finished = true;
                m_printChanged.notify_all();
                std::unique_lock<std::mutex> lock(m_printMutex);
                m_printChanged.wait(lock, [this] { return m_finalLinkReleased; });
                return;
            }
        }
    } catch (const std::exception& e) {
        m_failure = e.what();
    }
    m_finished = true;
    m_printChanged.notify_all();
}

void ChargerEnd::releaseFinalLink() {
    {
        std::lock_guard<std::mutex> lock(m_printMutex);
        m_finalLinkReleased = true;
    }
    m_printChanged.notify_all();
}

bool ChargerEnd::waitForPrintRequest(std::chrono::milliseconds deadline) {
    std::unique_lock<std::mutex> lock(m_printMutex);
    return m_printChanged.wait_for(lock, deadline, [this] {
        return m_printRequested || m_finished;
    }) && m_printRequested;
}

void ChargerEnd::printDone() {
    std::lock_guard<std::mutex> lock(m_printMutex);
    m_printRequested = false;
}

}  // namespace soak
