#pragma once

#include <QString>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>

#include "link/Transport.h"

class QBluetoothSocket;
class QObject;
class QThread;

namespace velmora {

// An RFCOMM client link to the Serial Port Profile service of one device, made with
// QtBluetooth (bluetoothd looks the channel up). Qt's socket has no blocking calls and
// belongs to a thread that runs an event loop, so each transport keeps one private I/O
// thread for its socket; the blocking calls of Transport wait on a condition variable
// that the I/O thread signals.
class RfcommTransport : public Transport {
public:
    // Long enough for paging, SDP and an authentication prompt on the device.
    static constexpr int kConnectTimeoutMs = 15000;
    // A device that stops reading must not hold the sending thread for ever.
    static constexpr int kSendTimeoutMs = 10000;

    // address is "AA:BB:CC:DD:EE:FF"; secure asks for an authenticated, encrypted link.
    RfcommTransport(QString address, bool secure);
    ~RfcommTransport() override;
    RfcommTransport(const RfcommTransport&) = delete;
    RfcommTransport& operator=(const RfcommTransport&) = delete;

    // Blocks the calling thread (never the GUI thread) until connected, failed or timed out.
    void connect() override;
    bool connected() const override;
    void send(const std::string& bytes) override;
    std::string receive(int timeoutMs) override;
    void release() override;

private:
    // Where the link stands; Closed covers failed, lost and released alike.
    enum class State { Idle, Connecting, Connected, Closed };

    // Run on the I/O thread only; they alone touch m_socket.
    void openSocket();
    void closeSocket();
    void writeBytes(const QByteArray& bytes);
    void watch(QBluetoothSocket* socket);
    void onConnected(QBluetoothSocket* socket);
    void onReadyRead(QBluetoothSocket* socket);
    void onBytesWritten(qint64 count);
    void onLost(QBluetoothSocket* socket, const QString& reason);
    void closeLater(QBluetoothSocket* socket);

    // Any thread: ends a live link with a reason; the first reason given is kept.
    void markClosed(const std::string& reason);
    std::string failure(const char* action) const;  // m_mutex held

    const QString m_address;
    const bool m_secure;
    std::unique_ptr<QThread> m_ioThread;
    QObject* m_ioContext = nullptr;  // lives in m_ioThread, owns the socket
    QBluetoothSocket* m_socket = nullptr;

    mutable std::mutex m_mutex;  // guards the members below
    std::condition_variable m_changed;
    State m_state = State::Idle;
    std::string m_inbox;
    std::string m_reason;
    qint64 m_unwritten = 0;

    std::mutex m_callMutex;  // one connect or send at a time
};

}  // namespace velmora
