#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

#include "link/Transport.h"

namespace soak {

// Bytes the application's side has taken off the current connection. The charger's side
// waits on it so a frame split in two really reaches the receive thread in two receives.
class DeliveryGauge {
public:
    void reset() {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_received = 0;
    }
    void add(std::size_t bytes) {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_received += bytes;
        }
        m_changed.notify_all();
    }
    // Waits until `bytes` have been received; false when the deadline passed first.
    bool waitFor(std::uint64_t bytes, std::chrono::milliseconds deadline) {
        std::unique_lock<std::mutex> lock(m_mutex);
        return m_changed.wait_for(lock, deadline, [&] { return m_received >= bytes; });
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::uint64_t m_received = 0;
};

// The application's link, counting what each receive returns into a gauge.
class GaugedLink : public velmora::Transport {
public:
    GaugedLink(std::shared_ptr<velmora::Transport> inner, DeliveryGauge& gauge)
        : m_inner(std::move(inner)), m_gauge(gauge) {}

    void connect() override { m_inner->connect(); }
    bool connected() const override { return m_inner->connected(); }
    void send(const std::string& bytes) override { m_inner->send(bytes); }
    std::string receive(int timeoutMs) override {
        std::string bytes = m_inner->receive(timeoutMs);
        m_gauge.add(bytes.size());
        return bytes;
    }
    void release() override { m_inner->release(); }

private:
    std::shared_ptr<velmora::Transport> m_inner;
    DeliveryGauge& m_gauge;
};

}  // namespace soak
