#include "shell/desktop/posix/FreedesktopNotifications.h"

#include <QDBusMessage>
#include <QDBusReply>
#include <QStringList>
#include <QVariantMap>

namespace velmora {

namespace {
const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
// A service that hangs must not hold the window up for long.
constexpr int kCallTimeoutMs = 2000;

QDBusMessage callOf(const QString& method) {
    return QDBusMessage::createMethodCall(kService, kPath, kService, method);
}
}  // namespace

FreedesktopNotifications::FreedesktopNotifications(QDBusConnection bus) : m_bus(std::move(bus)) {}

NotificationService::Shown FreedesktopNotifications::show(const QString& title,
                                                          const QString& body) {
    if (!m_bus.isConnected()) return Shown::No;
    QDBusMessage notify = callOf(QStringLiteral("Notify"));
    QVariantMap hints;
    hints.insert(QStringLiteral("sound-name"), QStringLiteral("complete"));
    hints.insert(QStringLiteral("desktop-entry"), QStringLiteral("velmora-tester"));
    hints.insert(QStringLiteral("category"), QStringLiteral("device"));
    notify << QStringLiteral("Velmora Tester") << 0u << QStringLiteral("velmora-tester") << title
           << body << QStringList() << hints << -1;
    const QDBusReply<uint> shown = m_bus.call(notify, QDBus::Block, kCallTimeoutMs);
    if (!shown.isValid()) return Shown::No;
    const QDBusReply<QStringList> capabilities =
        m_bus.call(callOf(QStringLiteral("GetCapabilities")), QDBus::Block, kCallTimeoutMs);
    const bool sounds =
        capabilities.isValid() && capabilities.value().contains(QStringLiteral("sound"));
    return sounds ? Shown::WithSound : Shown::Silently;
}

std::unique_ptr<NotificationService> createNotificationService() {
    return std::make_unique<FreedesktopNotifications>();
}

}  // namespace velmora
