#include "widgets/FramePacer.h"

#include <QAbstractAnimation>
#include <QTimerEvent>

namespace velmora::ui {

FramePacer& FramePacer::instance() {
    static FramePacer* pacer = [] {
        auto* created = new FramePacer;  // lives as long as the thread's animations
        created->install();
        return created;
    }();
    return *pacer;
}

void FramePacer::fullRateWhileRunning(QAbstractAnimation* animation) {
    FramePacer& pacer = instance();
    QObject::connect(animation, &QAbstractAnimation::stateChanged, &pacer,
                     [&pacer, animation](QAbstractAnimation::State state) {
                         pacer.setFullRate(animation, state == QAbstractAnimation::Running);
                     });
    QObject::connect(animation, &QObject::destroyed, &pacer,
                     [&pacer, animation] { pacer.setFullRate(animation, false); });
    if (animation->state() == QAbstractAnimation::Running) pacer.setFullRate(animation, true);
}

void FramePacer::setFullRate(QAbstractAnimation* animation, bool running) {
    const int before = intervalMs();
    if (running)
        m_fullRate.insert(animation);
    else
        m_fullRate.remove(animation);
    followPace(before);
}

void FramePacer::setResting(bool resting) {
    const int before = intervalMs();
    m_resting = resting;
    followPace(before);
}

void FramePacer::followPace(int before) {
    if (intervalMs() != before && m_timer.isActive()) restartTimer();
}

void FramePacer::restartTimer() {
    m_timer.start(intervalMs(), Qt::PreciseTimer, this);
}

void FramePacer::start() {
    QAnimationDriver::start();
    restartTimer();
}

void FramePacer::stop() {
    m_timer.stop();
    QAnimationDriver::stop();
}

void FramePacer::timerEvent(QTimerEvent* event) {
    if (event->timerId() != m_timer.timerId()) return QAnimationDriver::timerEvent(event);
    m_advancing = true;
    advance();
    m_advancing = false;
    emit ticked();
}

}  // namespace velmora::ui
