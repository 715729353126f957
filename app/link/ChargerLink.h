#pragma once

#include <QObject>
#include <QString>
#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>
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
    using Clock = std::function<std::chrono::steady_clock::time_point()>;
    // How long a connected charger may stay silent after the start command before the
    // user is told that it does not answer.
    static constexpr std::chrono::seconds kAnswerPatience{15};

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
    // The device the link was made to: its name, and whether it is the printer. Only a
    // made connection names it, so the status says what is connected, not what is picked.
    void setPeer(const QString& name, bool printer);
    const QString& peerName() const { return m_peerName; }
    bool peerIsPrinter() const { return m_peerIsPrinter; }
    // Clears readerStop and starts a new receive thread on the current socket.
    void startReader();
    // Called on the receive thread for every message it parses (soaks, traces).
    void setMessageObserver(TReadThread::MessageObserver observer) {
        m_observer = std::move(observer);
    }
    // Connected link whose receive thread ended because the link went down.
    bool linkLost() const;
    bool connected() const { return m_linkSocket && m_linkSocket->connected(); }

    // The start command went out: from now on the charger is expected to send.
    void awaitAnswer();
    // How many start commands went out: a change tells a tick that one went since.
    int startCommandsSent() const { return m_startCommands; }
    // Connected, and nothing at all received for kAnswerPatience since the start command.
    bool deviceSilent() const;
    // Whether the device has sent anything since the receive thread started.
    bool heard() const { return *m_heard; }
    void setClock(Clock clock) { m_clock = std::move(clock); }

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
    TReadThread::MessageObserver m_observer;
    QString m_peerName;
    bool m_peerIsPrinter = false;
    // Set by the receive thread on the first bytes of the current connection.
    std::shared_ptr<std::atomic<bool>> m_heard = std::make_shared<std::atomic<bool>>(false);
    Clock m_clock = std::chrono::steady_clock::now;
    std::optional<std::chrono::steady_clock::time_point> m_awaitingSince;
    int m_startCommands = 0;
};

}  // namespace velmora
