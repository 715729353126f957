#pragma once

#include <QDBusConnection>
#include <QDBusUnixFileDescriptor>

#include "shell/desktop/SleepBlocker.h"

namespace velmora {

// logind's inhibitor lock ("sleep:idle", blocking): held as long as its file descriptor
// is open. Where no logind answers, nothing is held.
class LogindSleepBlocker : public SleepBlocker {
public:
    explicit LogindSleepBlocker(QDBusConnection bus = QDBusConnection::systemBus());
    ~LogindSleepBlocker() override;

    bool block() override;
    void unblock() override;

private:
    QDBusConnection m_bus;
    QDBusUnixFileDescriptor m_lock;
};

}  // namespace velmora
