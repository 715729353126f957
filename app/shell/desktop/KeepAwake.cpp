#include "shell/desktop/KeepAwake.h"

#include <utility>

namespace velmora {

KeepAwake::KeepAwake(std::unique_ptr<SleepBlocker> blocker, QObject* parent)
    : QObject(parent), m_blocker(std::move(blocker)) {}

KeepAwake::~KeepAwake() {
    follow(false);
}

void KeepAwake::follow(bool chargerLinkUp) {
    if (!chargerLinkUp) {
        if (m_held && m_blocker) m_blocker->unblock();
        m_held = false;
        m_refused = false;
        return;
    }
    if (m_held || m_refused || !m_blocker) return;
    m_held = m_blocker->block();
    m_refused = !m_held;
}

void KeepAwake::setBlocker(std::unique_ptr<SleepBlocker> blocker) {
    const bool wasUp = m_held;
    follow(false);
    m_blocker = std::move(blocker);
    follow(wasUp);
}

}  // namespace velmora
