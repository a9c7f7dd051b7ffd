#include "WindowWait.h"
#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QEventLoop>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>
#include <exception>
#include <thread>

namespace zv::ui {

namespace {

// Shown while the work runs. Nobody can close it; Esc and Cancel (where
// offered) ask the work to stop. Cancel takes no focus, so a key meant for the
// form (Enter, Space) never presses it.
class BusyWindow : public QDialog {
public:
    BusyWindow(QWidget *owner, const QString &label, bool cancellable)
        : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
        setObjectName(QStringLiteral("BusyWindow"));
        if (owner)
            setWindowTitle(owner->window()->windowTitle());
        setWindowModality(Qt::ApplicationModal);
        auto *layout = new QVBoxLayout(this);
        auto *text = new QLabel(label, this);
        text->setObjectName(QStringLiteral("label"));
        text->setWordWrap(true);
        layout->addWidget(text);
        bar = new QProgressBar(this);
        bar->setObjectName(QStringLiteral("progress"));
        bar->setRange(0, 0);   // not known yet: a moving bar
        bar->setMinimumWidth(420);
        layout->addWidget(bar);
        if (cancellable) {
            cancel = new QPushButton(QStringLiteral("Cancel"), this);
            cancel->setObjectName(QStringLiteral("cmdCancel"));
            cancel->setAutoDefault(false);
            cancel->setFocusPolicy(Qt::NoFocus);
            auto *row = new QHBoxLayout;
            row->addStretch(1);
            row->addWidget(cancel);
            layout->addLayout(row);
        }
    }
    QProgressBar *bar = nullptr;
    QPushButton *cancel = nullptr;

protected:
    void reject() override {
        if (cancel && cancel->isEnabled())
            cancel->click();
    }
    void closeEvent(QCloseEvent *event) override { event->ignore(); }
};

bool isUserInput(QEvent::Type type) {
    switch (type) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::NonClientAreaMouseButtonPress:
    case QEvent::NonClientAreaMouseButtonRelease:
    case QEvent::NonClientAreaMouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::InputMethod:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TabletPress:
    case QEvent::TabletRelease:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
        return true;
    default:
        return false;
    }
}

// Watches every event of the application while the work runs: user input
// reaches the busy window alone, and the owner's window is not closed. Modality
// keeps the window system's input away already; this also holds for events
// sent to a widget directly and for keys already queued when the work began.
class InputRefusal : public QObject {
public:
    InputRefusal(QWidget *busy, QWidget *ownerWindow) : m_busy(busy), m_ownerWindow(ownerWindow) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() == QEvent::Close && watched == m_ownerWindow) {
            event->ignore();
            return true;
        }
        if (!isUserInput(event->type()) || belongsToBusyWindow(watched))
            return false;
        // An accepted override keeps the key from becoming a shortcut.
        event->accept();
        return true;
    }

private:
    bool belongsToBusyWindow(QObject *o) const {
        if (auto *w = qobject_cast<QWidget *>(o))
            return w->window() == m_busy;
        if (auto *win = qobject_cast<QWindow *>(o))
            return m_busy->windowHandle() == win;
        return false;
    }
    QWidget *m_busy;
    QPointer<QWidget> m_ownerWindow;
};

// Pushes a pointer for as long as it lives.
struct PointerOverride {
    explicit PointerOverride(Qt::CursorShape shape) { QGuiApplication::setOverrideCursor(shape); }
    ~PointerOverride() { QGuiApplication::restoreOverrideCursor(); }
};

QWidget *g_busyWindow = nullptr;

} // namespace

QWidget *busyWindow() { return g_busyWindow; }

WaitOutcome runWhileWindowWaits(QWidget *owner, const QString &label, const std::function<void(WorkProgress &)> &work,
                                const WaitOptions &options) {
    WorkProgress progress;
    std::atomic<bool> finished{false};
    std::exception_ptr failure;
    QEventLoop loop;

    BusyWindow busy(owner, label, options.cancellable);
    InputRefusal refusal(&busy, owner ? owner->window() : nullptr);
    // Input is the user's again when the wait ends, however it ends.
    struct Watching {
        InputRefusal &refusal;
        QWidget *outerBusy = g_busyWindow;
        Watching(InputRefusal &r, QWidget *busy) : refusal(r) {
            qApp->installEventFilter(&refusal);
            g_busyWindow = busy;
        }
        ~Watching() {
            g_busyWindow = outerBusy;
            qApp->removeEventFilter(&refusal);
        }
    } watching(refusal, &busy);
    PointerOverride pointer(options.cancellable ? Qt::BusyCursor : Qt::WaitCursor);
    if (busy.cancel)
        QObject::connect(busy.cancel, &QPushButton::clicked, &busy, [&] {
            busy.cancel->setEnabled(false);
            progress.cancelRequested = true;
            if (options.onCancel)
                options.onCancel();
        });
    QTimer bar;
    bar.setInterval(100);
    QObject::connect(&bar, &QTimer::timeout, &busy, [&] {
        const int p = progress.percent.load();
        if (p >= 0) {
            busy.bar->setRange(0, 100);
            busy.bar->setValue(p);
        }
    });
    bar.start();
    busy.show();

    std::thread worker([&] {
        try {
            work(progress);
        } catch (...) {
            failure = std::current_exception();
        }
        finished = true;
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    // The quit may have been delivered already, by events run before exec.
    while (!finished.load())
        loop.exec();
    worker.join();

    bar.stop();
    busy.hide();
    // The keys go back where they were.
    if (owner && owner->window()->isVisible())
        owner->window()->activateWindow();
    if (progress.cancelRequested.load())
        return WaitOutcome::Cancelled;
    if (failure)
        std::rethrow_exception(failure);
    return WaitOutcome::Finished;
}

} // namespace zv::ui
