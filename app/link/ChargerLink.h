#pragma once

#include <QObject>
#include <atomic>
#include <memory>
#include <string>

#include "link/ChargerState.h"
#include "link/NumberText.h"
#include "link/TReadThread.h"
#include "link/Transport.h"

namespace velmora {

// The one open link (charger or printer) and the charger's receive thread. Lives on the
// user-interface thread; the receive thread only uses the socket it was started with.
class ChargerLink : public QObject {
    Q_OBJECT
public:
    explicit ChargerLink(LiveChargerState& state, QObject* parent = nullptr);
    ~ChargerLink() override;

    LiveChargerState& state() { return m_state; }
    std::atomic<bool>& readerStop() { return m_readerStop; }
    const std::shared_ptr<Transport>& linkSocket() const { return m_linkSocket; }
    void setNumberFormat(NumberFormat format) { m_format = format; }
    void setReaderTiming(ReaderTiming timing) { m_timing = timing; }

    bool readerRunning() const { return m_reader && m_reader->running(); }
    // Sets readerStop and waits for the receive thread; closing the socket first cuts a
    // waiting receive short, so this returns promptly. The socket is released after.
    void stopReaderAndRelease();
    // Stops the receive thread but keeps the (possibly broken) socket.
    void stopReader();
    // Takes a connected socket as the link.
    void adopt(std::shared_ptr<Transport> socket);
    // Clears readerStop and starts a new receive thread on the current socket.
    void startReader();
    // Connected link whose receive thread ended because the link went down.
    bool linkLost() const;
    bool connected() const { return m_linkSocket && m_linkSocket->connected(); }

    // Sends a command as UTF-8 with no line end; nothing without a connected link.
    // A failing send throws LinkError to the caller.
    void Kirimstringdata(const std::string& dataout);

private:
    LiveChargerState& m_state;
    std::atomic<bool> m_readerStop{false};
    std::shared_ptr<Transport> m_linkSocket;
    std::unique_ptr<TReadThread> m_reader;
    ReaderTiming m_timing;
    NumberFormat m_format;
};

}  // namespace velmora
