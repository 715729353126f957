#pragma once

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QThread>

// Runs the event loop until the condition holds or the deadline passes.
template <typename Pred>
bool processEventsUntil(Pred pred, int deadlineMs = 20000) {
    QDeadlineTimer deadline(deadlineMs);
    while (!pred()) {
        if (deadline.hasExpired()) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(1);
    }
    return true;
}
