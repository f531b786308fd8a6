#pragma once
// The one QApplication the Qt tests share, on the offscreen platform so that the tests run
// without a display.

class QApplication;

namespace pict::qt::test {

QApplication& testApplication();

// Runs the event loop until done() is true or timeoutMs passes; returns done().
template <typename Done>
bool waitUntil(Done done, int timeoutMs = 3000);

void processEventsFor(int milliseconds);

} // namespace pict::qt::test

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>

namespace pict::qt::test {
template <typename Done>
bool waitUntil(Done done, int timeoutMs) {
    QDeadlineTimer deadline(timeoutMs);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(2);
    }
    return true;
}
} // namespace pict::qt::test
