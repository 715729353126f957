#pragma once

#include <QObject>
#include <memory>

#include "shell/desktop/SleepBlocker.h"

namespace velmora {

// Keeps the computer awake while a charger link is up: a laptop that sleeps mid-charge
// cuts the link and the charge goes unwatched. Let go as soon as the link ends.
class KeepAwake : public QObject {
    Q_OBJECT
public:
    explicit KeepAwake(std::unique_ptr<SleepBlocker> blocker, QObject* parent = nullptr);
    ~KeepAwake() override;

    // Follows the charger link: up takes the promise (once), down gives it back. A system
    // that refused is not asked again until the next link.
    void follow(bool chargerLinkUp);
    bool held() const { return m_held; }
    // Another platform binding (tests); a promise held is given back first.
    void setBlocker(std::unique_ptr<SleepBlocker> blocker);

private:
    std::unique_ptr<SleepBlocker> m_blocker;
    bool m_held = false;
    bool m_refused = false;
};

}  // namespace velmora
