#include "link/MemoryTransport.h"

#include <chrono>

namespace velmora {

// Both directions of the pipe and the open/closed state, under one lock.
struct MemoryTransport::Shared {
    std::mutex mutex;
    std::condition_variable changed;
    std::string inbox[2];  // inbox[i]: bytes waiting for side i
    bool connected[2] = {true, true};
    bool closed = false;  // either side released: the pair is down
    bool refuse[2] = {false, false};
};

std::pair<std::shared_ptr<MemoryTransport>, std::shared_ptr<MemoryTransport>>
MemoryTransport::createPair() {
    auto shared = std::make_shared<Shared>();
    return {std::shared_ptr<MemoryTransport>(new MemoryTransport(shared, 0)),
            std::shared_ptr<MemoryTransport>(new MemoryTransport(shared, 1))};
}

MemoryTransport::MemoryTransport(std::shared_ptr<Shared> shared, int side)
    : m_shared(std::move(shared)), m_side(side) {}

void MemoryTransport::connect() {
    std::lock_guard<std::mutex> lock(m_shared->mutex);
    if (m_shared->refuse[m_side] || m_shared->closed) throw LinkError("connection refused");
    m_shared->connected[m_side] = true;
}

bool MemoryTransport::connected() const {
    std::lock_guard<std::mutex> lock(m_shared->mutex);
    // Like a socket: a peer that went away is noticed by the next receive or send.
    return m_shared->connected[m_side];
}

void MemoryTransport::send(const std::string& bytes) {
    {
        std::lock_guard<std::mutex> lock(m_shared->mutex);
        if (m_shared->closed || !m_shared->connected[m_side]) throw LinkError("link closed");
        m_shared->inbox[1 - m_side] += bytes;
    }
    m_shared->changed.notify_all();
}

std::string MemoryTransport::receive(int timeoutMs) {
    std::unique_lock<std::mutex> lock(m_shared->mutex);
    std::string& inbox = m_shared->inbox[m_side];
    m_shared->changed.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                               [&] { return !inbox.empty() || m_shared->closed; });
    if (inbox.empty() && m_shared->closed) {
        m_shared->connected[m_side] = false;
        throw LinkError("link closed");
    }
    std::string bytes;
    bytes.swap(inbox);
    return bytes;
}

void MemoryTransport::release() {
    {
        std::lock_guard<std::mutex> lock(m_shared->mutex);
        m_shared->closed = true;
        m_shared->connected[m_side] = false;
    }
    m_shared->changed.notify_all();
}

void MemoryTransport::refuseConnect(bool refuse) {
    std::lock_guard<std::mutex> lock(m_shared->mutex);
    m_shared->refuse[m_side] = refuse;
}

}  // namespace velmora
