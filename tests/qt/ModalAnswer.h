#pragma once
// Answers the next modal dialog of a given class from a timer, so that a call which runs the
// dialog's own event loop (exec) returns. A dialog the answer leaves open is rejected and the
// test fails, rather than hanging.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QTimer>

#include <functional>

namespace pict::qt::test {

template <class Dialog> void answerNextModal(std::function<void(Dialog&)> answer) {
    auto* timer = new QTimer(qApp);
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, qApp, [timer, answer] {
        auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        timer->stop();
        timer->deleteLater();
        QPointer<Dialog> open(dialog);
        answer(*dialog);
        QTimer::singleShot(100, qApp, [open] {
            if (open && open->isVisible()) {
                ADD_FAILURE() << "the answer left the dialog open";
                if (auto* asDialog = qobject_cast<QDialog*>(open.data()))
                    asDialog->reject();
            }
        });
    });
    timer->start();
}

} // namespace pict::qt::test
