#pragma once

#include <atomic>
#include <memory>
#include <string>

#include "link/StreamTransport.h"

namespace velmora {

// True for an address SocketTransport and SocketListener take: "tcp:HOST:PORT" (or
// "HOST:PORT") with a port from 0 to 65535, or "unix:PATH".
bool isSocketAddress(const std::string& address);

// A stream-socket link: loopback TCP ("tcp:127.0.0.1:5555") or a Unix-domain socket
// ("unix:/path/to/socket", where the platform has them). The simulated charger and
// printer are reached this way when no Bluetooth adapter is present.
class SocketTransport : public StreamTransport {
public:
    // connectTimeoutMs: how long a TCP connect may wait (-1: as long as the system does).
    explicit SocketTransport(std::string address, int connectTimeoutMs = -1);

    const std::string& address() const { return m_address; }

protected:
    sockets::Handle open() override;

private:
    friend class SocketListener;
    SocketTransport(std::string address, sockets::Handle accepted);

    std::string m_address;
    int m_connectTimeoutMs = -1;
};

// A listening socket on the simulator's side; each accept() yields a connected link.
class SocketListener {
public:
    // "tcp:127.0.0.1:0" picks a free port; address() then names the bound one.
    explicit SocketListener(const std::string& address);
    ~SocketListener();
    SocketListener(const SocketListener&) = delete;
    SocketListener& operator=(const SocketListener&) = delete;

    // Waits up to timeoutMs; returns nullptr on time-out. Throws LinkError when closed.
    std::unique_ptr<SocketTransport> accept(int timeoutMs);
    void close();
    const std::string& address() const { return m_address; }

private:
    std::string m_address;
    std::string m_unixPath;
    std::atomic<sockets::Handle> m_handle{sockets::kNoSocket};
    std::atomic<bool> m_open{false};
};

}  // namespace velmora
