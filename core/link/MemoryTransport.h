#pragma once

#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <utility>

#include "link/Transport.h"

namespace velmora {

// One end of an in-memory byte pipe pair; what one end sends the other receives.
// Used by tests and by the simulated devices that run inside the application.
class MemoryTransport : public Transport {
public:
    // Two connected ends. Once either end is released the pair stays down, like a socket.
    static std::pair<std::shared_ptr<MemoryTransport>, std::shared_ptr<MemoryTransport>>
    createPair();

    void connect() override;
    bool connected() const override;
    void send(const std::string& bytes) override;
    std::string receive(int timeoutMs) override;
    void release() override;

    // Makes the next connect() fail, as a device that is switched off would.
    void refuseConnect(bool refuse);

private:
    struct Shared;
    MemoryTransport(std::shared_ptr<Shared> shared, int side);

    std::shared_ptr<Shared> m_shared;
    int m_side;
};

}  // namespace velmora
