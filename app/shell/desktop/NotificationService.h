#pragma once

#include <QString>
#include <memory>

namespace velmora {

// The desktop's notification service, as the platform offers one.
class NotificationService {
public:
    enum class Shown { No, Silently, WithSound };
    virtual ~NotificationService() = default;
    // Shows a notification; says whether it was shown and whether the service plays its
    // sound (else the caller sounds one).
    virtual Shown show(const QString& title, const QString& body) = 0;
};

// The platform's: org.freedesktop.Notifications on the session bus on Linux; none on
// Windows, where the tray's message is the way.
std::unique_ptr<NotificationService> createNotificationService();

}  // namespace velmora
