#include "qt/QtTestApp.h"

#include <QApplication>
#include <QElapsedTimer>

namespace pict::qt::test {

QApplication& testApplication() {
    static QApplication* app = [] {
        // PICT_TEST_PLATFORM picks a real platform for the tests that need one (xcb under Xvfb).
        const QByteArray platform = qgetenv("PICT_TEST_PLATFORM");
        qputenv("QT_QPA_PLATFORM", platform.isEmpty() ? QByteArray("offscreen") : platform);
        static int argc = 1;
        static char name[] = "test_qt";
        static char* argv[] = {name, nullptr};
        return new QApplication(argc, argv);
    }();
    return *app;
}

void processEventsFor(int milliseconds) {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < milliseconds)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

} // namespace pict::qt::test
