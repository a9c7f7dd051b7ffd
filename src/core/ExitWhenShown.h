#pragma once
#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWindow>
#include <cstdio>
#include <cstdlib>

namespace zv::core {

// For timing the start-up: when the environment variable ZV_EXIT_WHEN_SHOWN
// is set, the process writes "shown" to its standard output and ends at once
// after its first window has been exposed and painted. Without the variable
// it does nothing. Header-only, so that the start-up benchmark's minimal
// window (which links Qt Widgets alone) ends in exactly the same way.
inline void exitWhenShownIfAsked() {
    if (qEnvironmentVariableIsEmpty("ZV_EXIT_WHEN_SHOWN") || !QCoreApplication::instance())
        return;
    class Probe : public QObject {
    public:
        using QObject::QObject;

    protected:
        bool eventFilter(QObject *watched, QEvent *event) override {
            if (!m_seen && event->type() == QEvent::Expose && watched->isWindowType() &&
                static_cast<QWindow *>(watched)->isExposed()) {
                m_seen = true;
                // Queued: it runs once the window has handled the expose, that is painted.
                QTimer::singleShot(0, [] {
                    std::fputs("shown\n", stdout);
                    std::fflush(stdout);
                    std::_Exit(0);
                });
            }
            return false;
        }

    private:
        bool m_seen = false;
    };
    QCoreApplication::instance()->installEventFilter(new Probe(QCoreApplication::instance()));
}

} // namespace zv::core
