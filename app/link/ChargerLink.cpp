#include "link/ChargerLink.h"

#include "link/Commands.h"

namespace velmora {

namespace {
// The receive thread's view of the link: notes that the device has sent something.
class ListeningTransport : public Transport {
public:
    ListeningTransport(std::shared_ptr<Transport> link, std::shared_ptr<std::atomic<bool>> heard)
        : m_link(std::move(link)), m_heard(std::move(heard)) {}
    void connect() override { m_link->connect(); }
    bool connected() const override { return m_link->connected(); }
    void send(const std::string& bytes) override { m_link->send(bytes); }
    std::string receive(int timeoutMs) override {
        std::string bytes = m_link->receive(timeoutMs);
        if (!bytes.empty()) *m_heard = true;
        return bytes;
    }
    void release() override { m_link->release(); }

private:
    std::shared_ptr<Transport> m_link;
    std::shared_ptr<std::atomic<bool>> m_heard;
};
}  // namespace

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
    setPeer(QString(), false);
}

void ChargerLink::adopt(std::shared_ptr<Transport> socket) {
    m_linkSocket = std::move(socket);
    m_awaitingSince.reset();
}

void ChargerLink::setPeer(const QString& name, bool printer) {
    m_peerName = name;
    m_peerIsPrinter = printer;
}

void ChargerLink::startReader() {
    stopReader();
    m_readerStop = false;
    *m_heard = false;
    std::shared_ptr<Transport> listened;
    if (m_linkSocket) listened = std::make_shared<ListeningTransport>(m_linkSocket, m_heard);
    m_reader = std::make_unique<TReadThread>(listened, m_state, m_readerStop, m_timing, m_format);
    if (m_observer) m_reader->setObserver(m_observer);
    m_reader->start();
}

void ChargerLink::awaitAnswer() {
    m_awaitingSince = m_clock();
    ++m_startCommands;
}

bool ChargerLink::deviceSilent() const {
    return connected() && m_awaitingSince && !*m_heard &&
           m_clock() - *m_awaitingSince >= kAnswerPatience;
}

bool ChargerLink::linkLost() const {
    return m_linkSocket && ((m_reader && m_reader->linkLost()) || !m_linkSocket->connected());
}

void ChargerLink::Kirimstringdata(const std::string& dataout) {
    velmora::Kirimstringdata(m_linkSocket.get(), dataout);
}

}  // namespace velmora
