#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <memory>

#include "shell/desktop/NotificationService.h"

class QSystemTrayIcon;
class QWidget;

namespace velmora {

// Makes the end of a charge, a test result or a charger given up on noticed from across
// the room: a desktop notification and a short sound, unless the user turned them off
// (remembered across runs). Where no notification service answers, the tray's message
// where there is a tray, and the window's entry in the task bar asks for attention.
class EventNotifier : public QObject {
    Q_OBJECT
public:
    // window: whose task-bar entry asks for attention.
    EventNotifier(QWidget* window, std::unique_ptr<NotificationService> service,
                  QObject* parent = nullptr);
    ~EventNotifier() override;

    bool enabled() const;
    void setEnabled(bool on);

    void notify(const QString& title, const QString& body);

    // Another notification service, or none (tests).
    void setService(std::unique_ptr<NotificationService> service);
    // What sounds when the service plays none (tests count it).
    void setSound(std::function<void()> sound) { m_sound = std::move(sound); }

signals:
    // Notified, with how (tests).
    void notified(const QString& title, bool byService);

private:
    bool showInTray(const QString& title, const QString& body);

    QWidget* m_window;
    std::unique_ptr<NotificationService> m_service;
    std::function<void()> m_sound;
    QSystemTrayIcon* m_tray = nullptr;
};

}  // namespace velmora
