#pragma once

#include <atomic>
#include <memory>
#include <mutex>
#include <string>

#include "link/Transport.h"

namespace velmora {

// A stream-socket link: loopback TCP ("tcp:127.0.0.1:5555") or a Unix-domain socket
// ("unix:/path/to/socket"). The simulated charger and printer are reached this way when
// no Bluetooth adapter is present. All socket calls of the project live in this binding.
class SocketTransport : public Transport {
public:
    explicit SocketTransport(std::string address);
    ~SocketTransport() override;
    SocketTransport(const SocketTransport&) = delete;
    SocketTransport& operator=(const SocketTransport&) = delete;

    void connect() override;
    bool connected() const override;
    void send(const std::string& bytes) override;
    std::string receive(int timeoutMs) override;
    void release() override;

    const std::string& address() const { return m_address; }

private:
    friend class SocketListener;
    SocketTransport(std::string address, int acceptedFd);
    void markClosed();

    std::string m_address;
    std::atomic<int> m_fd{-1};
    std::atomic<bool> m_connected{false};
    std::mutex m_sendMutex;
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
    std::atomic<int> m_fd{-1};
};

}  // namespace velmora
