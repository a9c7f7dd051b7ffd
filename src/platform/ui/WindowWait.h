#pragma once
#include <QString>
#include <atomic>
#include <functional>

class QWidget;

namespace zv::ui {

// What work run by runWhileWindowWaits shares with the window's thread.
struct WorkProgress {
    std::atomic<int> percent{-1};              // 0 to 100; below 0 while not known
    std::atomic<bool> cancelRequested{false};  // Cancel was pressed: stop at the next step
};

struct WaitOptions {
    // A Cancel button (and Esc) on the busy window.
    bool cancellable = false;
    // Runs on the window's thread once, when Cancel is pressed: stops what the
    // work is doing at that moment (an SQL statement, say).
    std::function<void()> onCancel;
};

enum class WaitOutcome { Finished, Cancelled };

// Runs work on a worker thread while the window's thread keeps the event loop
// going (timers fire, windows repaint). Meanwhile a small window over owner
// shows label and the progress (a moving bar until the work tells a percent)
// and, when asked, Cancel; the pointer is busy; no key, click or wheel reaches
// any other window and owner's close box does nothing, so nothing the user
// does acts on a form until the work has ended. The work must touch no widget,
// and the window's thread must not use what the work uses until it returns.
// A failure of the work is rethrown here. Once Cancel was pressed the outcome
// is Cancelled, whatever the work did afterwards (a failure it met included).
WaitOutcome runWhileWindowWaits(QWidget *owner, const QString &label, const std::function<void(WorkProgress &)> &work,
                                const WaitOptions &options = {});

// The busy window of a wait in progress (tests press its Cancel); nullptr when none.
QWidget *busyWindow();

} // namespace zv::ui
