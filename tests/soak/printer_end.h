#pragma once

#include <atomic>
#include <string>
#include <thread>

#include "link/SocketTransport.h"

namespace soak {

// A printer that takes every connection and checks it received exactly the receipt.
class PrinterEnd {
public:
    explicit PrinterEnd(std::string receipt);
    ~PrinterEnd();

    const std::string& address() const { return m_listener.address(); }
    int receiptsIntact() const { return m_intact.load(); }
    int receiptsDamaged() const { return m_damaged.load(); }
    void stop();

private:
    void run();

    std::string m_receipt;
    velmora::SocketListener m_listener{"tcp:127.0.0.1:0"};
    std::atomic<bool> m_stop{false};
    std::atomic<int> m_intact{0};
    std::atomic<int> m_damaged{0};
    std::thread m_thread;
};

}  // namespace soak
