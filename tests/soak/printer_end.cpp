#include "printer_end.h"

namespace soak {

PrinterEnd::PrinterEnd(std::string receipt) : m_receipt(std::move(receipt)) {
    m_thread = std::thread([this] { run(); });
}

PrinterEnd::~PrinterEnd() {
    stop();
}

void PrinterEnd::stop() {
    m_stop = true;
    if (m_thread.joinable()) m_thread.join();
}

void PrinterEnd::run() {
    while (!m_stop) {
        std::unique_ptr<velmora::SocketTransport> link = m_listener.accept(100);
        if (!link) continue;
        std::string paper;
        try {
            // The application closes the link once the receipt is sent.
            while (!m_stop) paper += link->receive(100);
        } catch (const velmora::LinkError&) {
        }
        (paper == m_receipt ? m_intact : m_damaged)++;
    }
}

}  // namespace soak
