#include "shell/desktop/EventNotifier.h"

#include <QApplication>
#include <QSettings>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QWidget>

namespace velmora {

namespace {
const QString kSettingKey = QStringLiteral("notifyEvents");
// How long the tray's icon stays after its message.
constexpr int kTrayShownMs = 15000;

QSettings settings() {
    return QSettings(QStringLiteral("Velmora"), QStringLiteral("Velmora Tester"));
}
}  // namespace

EventNotifier::EventNotifier(QWidget* window, std::unique_ptr<NotificationService> service,
                             QObject* parent)
    : QObject(parent),
      m_window(window),
      m_service(std::move(service)),
      m_sound([] { QApplication::beep(); }) {}

EventNotifier::~EventNotifier() = default;

bool EventNotifier::enabled() const {
    return settings().value(kSettingKey, true).toBool();
}

void EventNotifier::setEnabled(bool on) {
    settings().setValue(kSettingKey, on);
}

void EventNotifier::setService(std::unique_ptr<NotificationService> service) {
    m_service = std::move(service);
}

void EventNotifier::notify(const QString& title, const QString& body) {
    if (!enabled()) return;
    using Shown = NotificationService::Shown;
    const Shown shown = m_service ? m_service->show(title, body) : Shown::No;
    if (shown == Shown::No) {
        showInTray(title, body);
        if (m_window) QApplication::alert(m_window);  // the task bar's entry asks to be seen
    }
    if (shown != Shown::WithSound && m_sound) m_sound();
    emit notified(title, shown != Shown::No);
}

bool EventNotifier::showInTray(const QString& title, const QString& body) {
    if (!QSystemTrayIcon::isSystemTrayAvailable() || !QSystemTrayIcon::supportsMessages())
        return false;
    if (!m_tray) {
        m_tray = new QSystemTrayIcon(QApplication::windowIcon(), this);
        m_tray->setToolTip(QStringLiteral("Velmora Tester"));
    }
    m_tray->show();
    m_tray->showMessage(title, body, QSystemTrayIcon::Information, kTrayShownMs);
    QTimer::singleShot(kTrayShownMs, m_tray, &QSystemTrayIcon::hide);
    return true;
}

}  // namespace velmora
