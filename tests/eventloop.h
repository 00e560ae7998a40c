// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>

namespace kelmot::test {

// Lets the event loop run until the condition holds or the time is up;
// returns the condition. No fixed sleeps: it ends as soon as it can, and
// the default limit is generous enough for a busy machine.
template <typename Condition> bool processUntil(Condition condition, int timeoutMs = 60000) {
    QDeadlineTimer deadline(timeoutMs);
    while (!condition()) {
        if (deadline.hasExpired()) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::yieldCurrentThread();
    }
    return true;
}

// Delivers every event already posted, and nothing that comes later. After a
// capture device has been stopped and closed its threads have ended and its
// last notification is posted, so this is enough to see all of them, on a
// busy machine too.
inline void deliverPostedEvents() {
    QCoreApplication::sendPostedEvents();
}

} // namespace kelmot::test
