#pragma once

#include <atomic>
#include <mutex>
#include <string>

#include "link/SocketCalls.h"
#include "link/Transport.h"

namespace velmora {

// A Transport over one stream socket of the operating system: the send loop, the receive
// with time-out and the release shared by the TCP and Unix-domain links and the Windows
// RFCOMM link. A subclass only says how the socket is opened.
class StreamTransport : public Transport {
public:
    ~StreamTransport() override;
    StreamTransport(const StreamTransport&) = delete;
    StreamTransport& operator=(const StreamTransport&) = delete;

    void connect() override;
    bool connected() const override;
    void send(const std::string& bytes) override;
    std::string receive(int timeoutMs) override;
    void release() override;

protected:
    StreamTransport() = default;
    // Takes over a socket that is already connected (an accepted client).
    explicit StreamTransport(sockets::Handle connected);
    // A new connected socket to the peer. Throws LinkError.
    virtual sockets::Handle open() = 0;

private:
    void markClosed();

    std::atomic<sockets::Handle> m_handle{sockets::kNoSocket};
    std::atomic<bool> m_connected{false};
    std::mutex m_sendMutex;
};

}  // namespace velmora
