#pragma once

#include <QDBusConnection>

#include "shell/desktop/NotificationService.h"

namespace velmora {

// org.freedesktop.Notifications: a notification with the "complete" sound asked for,
// which the service plays when it says it plays sounds.
class FreedesktopNotifications : public NotificationService {
public:
    explicit FreedesktopNotifications(QDBusConnection bus = QDBusConnection::sessionBus());
    Shown show(const QString& title, const QString& body) override;

private:
    QDBusConnection m_bus;
};

}  // namespace velmora
