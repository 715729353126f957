// Windows has no notification bus: the tray's message shows it (EventNotifier).
#include "shell/desktop/NotificationService.h"

namespace velmora {

std::unique_ptr<NotificationService> createNotificationService() {
    return nullptr;
}

}  // namespace velmora
