#include "shell/desktop/posix/LogindSleepBlocker.h"

#include <QCoreApplication>
#include <QDBusMessage>
#include <QDBusReply>

namespace velmora {

namespace {
// logind answers at once; a bus that hangs must not hold the window up for long.
constexpr int kCallTimeoutMs = 2000;
}  // namespace

LogindSleepBlocker::LogindSleepBlocker(QDBusConnection bus) : m_bus(std::move(bus)) {}

LogindSleepBlocker::~LogindSleepBlocker() {
    unblock();
}

bool LogindSleepBlocker::block() {
    if (m_lock.isValid()) return true;
    if (!m_bus.isConnected()) return false;
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
        QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("Inhibit"));
    // The reason is shown by the system (e.g. when the user asks it to suspend).
    call << QStringLiteral("sleep:idle") << QStringLiteral("Velmora Tester")
         << QCoreApplication::translate("KeepAwake", "Pengisian aki sedang dipantau")
         << QStringLiteral("block");
    const QDBusReply<QDBusUnixFileDescriptor> reply =
        m_bus.call(call, QDBus::Block, kCallTimeoutMs);
    if (!reply.isValid() || !reply.value().isValid()) return false;
    m_lock = reply.value();
    return true;
}

void LogindSleepBlocker::unblock() {
    m_lock = QDBusUnixFileDescriptor();  // closing the descriptor releases the lock
}

std::unique_ptr<SleepBlocker> createSleepBlocker() {
    return std::make_unique<LogindSleepBlocker>();
}

}  // namespace velmora
