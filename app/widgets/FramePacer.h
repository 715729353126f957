#pragma once

#include <QAnimationDriver>
#include <QBasicTimer>
#include <QSet>

class QAbstractAnimation;

namespace velmora::ui {

// Drives the animations of the GUI thread. Qt's own driver wakes the process 60 times a
// second whatever runs; the gauge, whose waves roll all day, is drawn 20 times a second
// (each frame costs more than the strip of an empty window, and a workshop PC shows it all
// day; the slow roll needs no more), so the pacer ticks at that pace. Animations that move
// large parts of the window (a panel sliding in, the guide's pages) ask for the full pace
// while they run. While the window is at rest (only the gauge's idle waves move, a sliver
// at the bottom of the filling) it ticks 5 times a second.
class FramePacer : public QAnimationDriver {
    Q_OBJECT
public:
    static constexpr int kAmbientMs = 50;
    static constexpr int kFullRateMs = 16;
    static constexpr int kRestingMs = 200;

    // The pacer of this thread, installed on first use.
    static FramePacer& instance();
    // Ticks at the full pace while this animation runs.
    static void fullRateWhileRunning(QAbstractAnimation* animation);

    int intervalMs() const {
        return !m_fullRate.isEmpty() ? kFullRateMs : m_resting ? kRestingMs : kAmbientMs;
    }
    // At rest, nothing but decoration moves; any full-pace animation still gets its pace.
    void setResting(bool resting);
    // True while the animations are being moved on by a tick.
    bool isAdvancing() const { return m_advancing; }

signals:
    // Every animation has taken its new value: the moment to ask for the frame.
    void ticked();

protected:
    void start() override;
    void stop() override;
    void timerEvent(QTimerEvent* event) override;

private:
    FramePacer() = default;
    void setFullRate(QAbstractAnimation* animation, bool running);
    // Restarts the timer when the pace differs from the one before a change.
    void followPace(int before);
    void restartTimer();

    QBasicTimer m_timer;
    bool m_advancing = false;
    bool m_resting = false;
    QSet<QAbstractAnimation*> m_fullRate;
};

}  // namespace velmora::ui
