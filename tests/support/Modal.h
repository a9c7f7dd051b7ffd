#pragma once
#include <QApplication>
#include <QDeadlineTimer>
#include <QDialog>
#include <QPointer>
#include <QThread>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

// Ends a modal window whatever its close box would ask, so that the exec()
// waiting for it returns.
inline void endModal(QWidget *w) {
    if (auto *d = qobject_cast<QDialog *>(w))
        d->done(QDialog::Rejected);
    else if (w)
        w->close();
}

// A modal window a test's steps should have closed and did not fails the test
// and is ended, instead of leaving its exec() to wait for ctest's timeout. A
// close that goes through the event loop is given the moment it needs.
inline void failIfLeftOpen(QWidget *w, const char *what) {
    QPointer<QWidget> guard(w);
    const QDeadlineTimer deadline(2000);
    while (guard && guard->isVisible() && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        if (guard && guard->isVisible())
            QThread::msleep(5);
    }
    if (guard && guard->isVisible()) {
        ADD_FAILURE() << "the modal " << what << " was left open";
        endModal(guard);
    }
}

// Runs `act` on the first modal window of type T once it is shown, from
// inside its event loop. A window that never shows fails the test (and the
// modal shown instead is ended); so does one that `act` leaves open.
template <class T>
void onModal(std::function<void(T *)> act, int attempts = 200) {
    QTimer::singleShot(0, [act, attempts] {
        if (auto *w = qobject_cast<T *>(QApplication::activeModalWidget())) {
            act(w);
            failIfLeftOpen(w, T::staticMetaObject.className());
            return;
        }
        if (attempts <= 0) {
            ADD_FAILURE() << "no modal " << T::staticMetaObject.className() << " appeared";
            endModal(QApplication::activeModalWidget());
            return;
        }
        onModal<T>(act, attempts - 1);
    });
}
