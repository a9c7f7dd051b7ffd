#include "BoxGuards.h"
#include <QEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QWidget>

namespace zv::ui {

namespace {

class PasteGuard : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        switch (event->type()) {
        case QEvent::ShortcutOverride:
        case QEvent::KeyPress:
            if (static_cast<QKeyEvent *>(event)->matches(QKeySequence::Paste)) {
                event->accept();
                return true;
            }
            break;
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
            if (static_cast<QMouseEvent *>(event)->button() == Qt::MiddleButton)
                return true;
            break;
        case QEvent::DragEnter:
        case QEvent::DragMove:
        case QEvent::Drop:
            return true;
        default:
            break;
        }
        return QObject::eventFilter(watched, event);
    }
};

class SelectAllOnFocus : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() == QEvent::FocusIn) {
            // After the click that gave the focus has placed the caret.
            QPointer<QLineEdit> box = qobject_cast<QLineEdit *>(watched);
            QTimer::singleShot(0, box, [box] {
                if (box)
                    box->selectAll();
            });
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

void selectAllOnFocus(QLineEdit *box) { box->installEventFilter(new SelectAllOnFocus(box)); }

void refusePaste(QWidget *box) {
    box->setContextMenuPolicy(Qt::NoContextMenu);
    box->setAcceptDrops(false);
    box->installEventFilter(new PasteGuard(box));
}

void placeWindow(QWidget *window) {
    QScreen *screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect free = screen->availableGeometry();
    const QSize size = window->frameSize().isValid() ? window->frameSize() : window->size();
    window->move(free.x() + (free.width() - size.width()) / 2, free.y() + (free.height() - size.height()) / 4);
}

} // namespace zv::ui
