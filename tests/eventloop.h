#pragma once

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>

namespace kelmot::test {

// Lets the event loop run until the condition holds or the time is up;
// returns the condition. No fixed sleeps: it ends as soon as it can.
template <typename Condition> bool processUntil(Condition condition, int timeoutMs = 5000) {
    QDeadlineTimer deadline(timeoutMs);
    while (!condition()) {
        if (deadline.hasExpired()) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::yieldCurrentThread();
    }
    return true;
}

// Runs the event loop until nothing is pending any more (posted events from
// other threads that are already on their way included).
inline void drainEvents(int quietMs = 50) {
    QDeadlineTimer deadline(quietMs);
    while (!deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

// Delivers every event already posted, and nothing that comes later. After a
// capture device has been stopped and closed its threads have ended and its
// last notification is posted, so this is enough to see all of them, on a
// busy machine too.
inline void deliverPostedEvents() {
    QCoreApplication::sendPostedEvents();
}

} // namespace kelmot::test
