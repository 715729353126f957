#include "link/StreamTransport.h"

namespace velmora {

namespace {
constexpr std::size_t kReadChunk = 4096;
}

StreamTransport::StreamTransport(sockets::Handle connected)
    : m_handle(connected), m_connected(true) {}

StreamTransport::~StreamTransport() {
    sockets::Handle handle = m_handle.exchange(sockets::kNoSocket);
    if (handle != sockets::kNoSocket) sockets::closeSocket(handle);
}

void StreamTransport::connect() {
    m_connected = false;
    sockets::Handle old = m_handle.exchange(sockets::kNoSocket);
    if (old != sockets::kNoSocket) sockets::closeSocket(old);
    m_handle = open();
    m_connected = true;
}

bool StreamTransport::connected() const {
    return m_connected.load();
}

void StreamTransport::markClosed() {
    m_connected = false;
    sockets::Handle handle = m_handle.load();
    // Shut down, not closed: a receive waiting on the socket wakes at once and the handle
    // cannot be reused under it. It is closed by the destructor.
    if (handle != sockets::kNoSocket) sockets::shutdownBoth(handle);
}

void StreamTransport::send(const std::string& bytes) {
    std::lock_guard<std::mutex> lock(m_sendMutex);
    if (!m_connected) throw LinkError("link not connected");
    std::size_t done = 0;
    while (done < bytes.size()) {
        long n = sockets::sendSome(m_handle, bytes.data() + done, bytes.size() - done);
        if (n <= 0) {
            std::string reason = sockets::lastError();
            markClosed();
            throw LinkError("send: " + reason);
        }
        done += static_cast<std::size_t>(n);
    }
}

std::string StreamTransport::receive(int timeoutMs) {
    if (!m_connected) throw LinkError("link not connected");
    const sockets::Handle handle = m_handle.load();
    int ready = sockets::waitReadable(handle, timeoutMs, m_connected);
    if (ready < 0) {
        std::string reason = sockets::lastError();
        markClosed();
        throw LinkError("wait: " + reason);
    }
    if (ready == 0) return {};
    if (!m_connected) throw LinkError("link released");
    std::string data;
    char buffer[kReadChunk];
    for (;;) {
        long n = sockets::receiveSome(handle, buffer, sizeof buffer);
        if (n > 0) {
            data.append(buffer, static_cast<std::size_t>(n));
            // A full chunk: more may be waiting; take it if it is there right now.
            if (static_cast<std::size_t>(n) == sizeof buffer &&
                sockets::waitReadable(handle, 0, m_connected) > 0)
                continue;
            return data;
        }
        // Peer closed (0) or error: hand over what was read first, fail next time.
        std::string reason = n == 0 ? "link closed by peer" : sockets::lastError();
        markClosed();
        if (!data.empty()) return data;
        throw LinkError(reason);
    }
}

void StreamTransport::release() {
    markClosed();
}

}  // namespace velmora
