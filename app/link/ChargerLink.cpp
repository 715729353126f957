#include "link/ChargerLink.h"

#include "link/Commands.h"

namespace velmora {

ChargerLink::ChargerLink(LiveChargerState& state, QObject* parent)
    : QObject(parent), m_state(state) {}

ChargerLink::~ChargerLink() {
    stopReaderAndRelease();
}

void ChargerLink::stopReader() {
    if (!m_reader) return;
    m_reader->stop();  // sets readerStop, closes the socket under a waiting receive, joins
    m_reader.reset();
}

void ChargerLink::stopReaderAndRelease() {
    m_readerStop = true;
    stopReader();
    if (m_linkSocket) m_linkSocket->release();
    m_linkSocket.reset();
}

void ChargerLink::adopt(std::shared_ptr<Transport> socket) {
    m_linkSocket = std::move(socket);
}

void ChargerLink::startReader() {
    stopReader();
    m_readerStop = false;
    m_reader =
        std::make_unique<TReadThread>(m_linkSocket, m_state, m_readerStop, m_timing, m_format);
    m_reader->start();
}

bool ChargerLink::linkLost() const {
    return m_linkSocket && ((m_reader && m_reader->linkLost()) || !m_linkSocket->connected());
}

void ChargerLink::Kirimstringdata(const std::string& dataout) {
    velmora::Kirimstringdata(m_linkSocket.get(), dataout);
}

}  // namespace velmora
