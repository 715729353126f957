#include "link/bluez/RfcommTransport.h"

#include <QBluetoothAddress>
#include <QBluetoothSocket>
#include <QBluetoothUuid>
#include <QThread>
#include <algorithm>
#include <chrono>
#include <utility>

#include "link/BluetoothPlatform.h"

namespace velmora {

namespace {

using std::chrono::milliseconds;

template <typename Function>
void post(QObject* context, Function&& function) {
    QMetaObject::invokeMethod(context, std::forward<Function>(function), Qt::QueuedConnection);
}

}  // namespace

RfcommTransport::RfcommTransport(QString address, bool secure)
    : m_address(std::move(address)), m_secure(secure), m_ioThread(std::make_unique<QThread>()) {
    m_ioThread->setObjectName(QStringLiteral("rfcomm-io"));
    m_ioContext = new QObject;
    m_ioContext->moveToThread(m_ioThread.get());
    // Deleted on its own thread as the thread ends, and the socket with it.
    QObject::connect(m_ioThread.get(), &QThread::finished, m_ioContext, &QObject::deleteLater);
    m_ioThread->start();
}

RfcommTransport::~RfcommTransport() {
    release();
    // Queued behind the close that release() posted, so the socket is shut first.
    post(m_ioContext, [] { QThread::currentThread()->quit(); });
    m_ioThread->wait();
}

void RfcommTransport::connect() {
    std::lock_guard call(m_callMutex);
    {
        std::lock_guard lock(m_mutex);
        if (m_state == State::Connected) return;
        m_state = State::Connecting;
        m_reason.clear();
        m_inbox.clear();
        m_unwritten = 0;
    }
    post(m_ioContext, [this] { openSocket(); });

    std::unique_lock lock(m_mutex);
    const bool settled = m_changed.wait_for(lock, milliseconds(kConnectTimeoutMs),
                                            [this] { return m_state != State::Connecting; });
    if (m_state == State::Connected) return;
    if (!settled) {
        m_state = State::Closed;
        m_reason = "no answer from the device";
        m_changed.notify_all();
        post(m_ioContext, [this] { closeSocket(); });
    }
    throw LinkError(failure("connecting"));
}

bool RfcommTransport::connected() const {
    std::lock_guard lock(m_mutex);
    return m_state == State::Connected;
}

void RfcommTransport::send(const std::string& bytes) {
    std::lock_guard call(m_callMutex);
    std::unique_lock lock(m_mutex);
    if (m_state != State::Connected) throw LinkError(failure("sending"));
    if (bytes.empty()) return;
    m_unwritten = static_cast<qint64>(bytes.size());
    const QByteArray data(bytes.data(), static_cast<qsizetype>(bytes.size()));
    post(m_ioContext, [this, data] { writeBytes(data); });

    m_changed.wait_for(lock, milliseconds(kSendTimeoutMs),
                       [this] { return m_unwritten == 0 || m_state != State::Connected; });
    if (m_unwritten == 0) return;
    if (m_state == State::Connected) {
        m_state = State::Closed;
        m_reason = "the device stopped accepting data";
        m_changed.notify_all();
        post(m_ioContext, [this] { closeSocket(); });
    }
    throw LinkError(failure("sending"));
}

std::string RfcommTransport::receive(int timeoutMs) {
    std::unique_lock lock(m_mutex);
    m_changed.wait_for(lock, milliseconds(std::max(timeoutMs, 0)),
                       [this] { return !m_inbox.empty() || m_state != State::Connected; });
    // Bytes that arrived before the link went down are still handed out first.
    if (!m_inbox.empty()) return std::exchange(m_inbox, {});
    if (m_state != State::Connected) throw LinkError(failure("receiving"));
    return {};
}

void RfcommTransport::release() {
    {
        std::lock_guard lock(m_mutex);
        if (m_state != State::Closed) m_reason = "the link was released";
        m_state = State::Closed;
        m_inbox.clear();
    }
    m_changed.notify_all();
    post(m_ioContext, [this] { closeSocket(); });
}

void RfcommTransport::markClosed(const std::string& reason) {
    {
        std::lock_guard lock(m_mutex);
        if (m_state != State::Connecting && m_state != State::Connected) return;
        m_state = State::Closed;
        m_reason = reason;
    }
    m_changed.notify_all();
}

std::string RfcommTransport::failure(const char* action) const {
    const std::string reason = m_reason.empty() ? std::string("not connected") : m_reason;
    return "Bluetooth link to " + m_address.toStdString() + ", " + action + ": " + reason;
}

void RfcommTransport::openSocket() {
    closeSocket();  // what is left of an earlier attempt
    {
        std::lock_guard lock(m_mutex);
        if (m_state != State::Connecting) return;  // released or timed out meanwhile
    }
    m_socket = new QBluetoothSocket(QBluetoothServiceInfo::RfcommProtocol, m_ioContext);
    m_socket->setPreferredSecurityFlags(
        m_secure ? QBluetooth::Security::Authentication | QBluetooth::Security::Encryption
                 : QBluetooth::SecurityFlags(QBluetooth::Security::NoSecurity));
    watch(m_socket);
    m_socket->connectToService(QBluetoothAddress(m_address),
                               QBluetoothUuid(QUuid::fromString(QLatin1String(kSerialPortUuid))));
}

void RfcommTransport::watch(QBluetoothSocket* socket) {
    QObject::connect(socket, &QBluetoothSocket::connected, m_ioContext,
                     [this, socket] { onConnected(socket); });
    QObject::connect(socket, &QBluetoothSocket::readyRead, m_ioContext,
                     [this, socket] { onReadyRead(socket); });
    QObject::connect(socket, &QBluetoothSocket::bytesWritten, m_ioContext,
                     [this](qint64 count) { onBytesWritten(count); });
    QObject::connect(socket, &QBluetoothSocket::errorOccurred, m_ioContext,
                     [this, socket] { onLost(socket, socket->errorString()); });
    QObject::connect(socket, &QBluetoothSocket::stateChanged, m_ioContext,
                     [this, socket](QBluetoothSocket::SocketState state) {
                         if (state == QBluetoothSocket::SocketState::UnconnectedState) {
                             onLost(socket, QStringLiteral("the device closed the connection"));
                         }
                     });
}

void RfcommTransport::closeSocket() {
    QBluetoothSocket* socket = std::exchange(m_socket, nullptr);
    if (socket == nullptr) return;
    QObject::disconnect(socket, nullptr, m_ioContext, nullptr);
    socket->abort();
    socket->deleteLater();
}

void RfcommTransport::closeLater(QBluetoothSocket* socket) {
    // Not from inside the socket's own signal: Qt is still working on it there.
    post(m_ioContext, [this, socket] {
        if (socket == m_socket) closeSocket();
    });
}

void RfcommTransport::writeBytes(const QByteArray& bytes) {
    if (m_socket == nullptr || m_socket->state() != QBluetoothSocket::SocketState::ConnectedState) {
        markClosed("not connected");
        return;
    }
    if (m_socket->write(bytes) != bytes.size()) {
        markClosed("write failed: " + m_socket->errorString().toStdString());
        closeLater(m_socket);
    }
}

void RfcommTransport::onConnected(QBluetoothSocket* socket) {
    if (socket != m_socket) return;
    {
        std::lock_guard lock(m_mutex);
        if (m_state != State::Connecting) {
            closeLater(socket);  // the caller gave up or released meanwhile
            return;
        }
        m_state = State::Connected;
    }
    m_changed.notify_all();
}

void RfcommTransport::onReadyRead(QBluetoothSocket* socket) {
    if (socket != m_socket) return;
    const QByteArray data = socket->readAll();
    if (data.isEmpty()) return;
    {
        std::lock_guard lock(m_mutex);
        if (m_state != State::Connected) return;
        m_inbox.append(data.constData(), static_cast<size_t>(data.size()));
    }
    m_changed.notify_all();
}

void RfcommTransport::onBytesWritten(qint64 count) {
    {
        std::lock_guard lock(m_mutex);
        m_unwritten = std::max<qint64>(0, m_unwritten - count);
    }
    m_changed.notify_all();
}

void RfcommTransport::onLost(QBluetoothSocket* socket, const QString& reason) {
    if (socket != m_socket) return;
    markClosed(reason.isEmpty() ? "connection lost" : reason.toStdString());
    closeLater(socket);
}

}  // namespace velmora
