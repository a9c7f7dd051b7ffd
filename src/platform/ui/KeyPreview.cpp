#include "platform/ui/KeyPreview.h"
#include "platform/ui/VbKeys.h"
#include <QChildEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QWidget>

// How a key travels: the first widget to receive a key event (the focused one)
// runs the handlers and then consumes the event; when the key was not
// swallowed, a copy (with a changed character where KeyAscii was changed) is
// sent to the same widget and passes through unhandled, so the widget and its
// parents treat it as they would the original. The parents therefore never see
// the original, which keeps every key to one delivery.
//
// Qt sends a non-spontaneous key press (the copy) through the shortcut
// override again first; that override is let through unhandled.
//
// A shortcut override (sent before a key press to let the focused widget claim
// a key that is also a shortcut) runs the KeyDown handlers already: if the key
// is a shortcut, no key press follows. A swallowed key claims the override, so
// no shortcut fires, and the key press that follows is dropped. Whatever runs
// while the handlers act on the override (a progress step letting events
// through, a modal window) cannot make that key press act a second time.

namespace zv::ui {

namespace {

// The character KeyPress reports for an event, 0 for none.
int asciiOf(const QKeyEvent *ev) {
    switch (ev->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: return 13;
    case Qt::Key_Backspace: return 8;
    case Qt::Key_Escape: return 27;
    default: break;
    }
    const Qt::KeyboardModifiers mods = ev->modifiers() & ~Qt::KeypadModifier;
    // Ctrl combinations are commands, not typing (as in QLineEdit).
    if (mods == Qt::ControlModifier || mods == (Qt::ControlModifier | Qt::ShiftModifier))
        return 0;
    const QString text = ev->text();
    if (text.isEmpty())
        return 0;
    const char16_t u = text.at(0).unicode();
    return (u >= 32 && u != 127) ? int(u) : 0;
}

int qtKeyForChar(int ascii) {
    switch (ascii) {
    case 8: return Qt::Key_Backspace;
    case 9: return Qt::Key_Tab;
    case 13: return Qt::Key_Return;
    case 27: return Qt::Key_Escape;
    default: break;
    }
    const QChar c{char16_t(ascii)};
    return c.toUpper().unicode();
}

} // namespace

KeyPreview::KeyPreview(QWidget *form) : QObject(form), m_form(form) {
    if (m_form)
        watch(m_form);
}

KeyPreview::~KeyPreview() = default;

void KeyPreview::addFormHandler(KeyHandler *handler) {
    if (handler && !m_formHandlers.contains(handler))
        m_formHandlers.append(handler);
}

void KeyPreview::removeFormHandler(KeyHandler *handler) { m_formHandlers.removeAll(handler); }

void KeyPreview::setControlHandler(QWidget *control, KeyHandler *handler) {
    if (!control)
        return;
    if (!handler) {
        m_controlHandlers.remove(control);
        return;
    }
    if (!m_controlHandlers.contains(control))
        connect(control, &QObject::destroyed, this, [this, control] { m_controlHandlers.remove(control); });
    m_controlHandlers.insert(control, handler);
    watch(control);
}

void KeyPreview::watch(QWidget *w) {
    w->installEventFilter(this);
    for (QObject *child : w->children())
        if (child->isWidgetType())
            watch(static_cast<QWidget *>(child));
}

bool KeyPreview::belongsToForm(QWidget *w) const {
    for (; w; w = w->parentWidget()) {
        if (w == m_form)
            return true;
        if (w->isWindow())   // a dialog or popup opened by the form has its own keys
            return false;
    }
    return false;
}

KeyHandler *KeyPreview::controlHandlerFor(QWidget *target) const {
    // The control itself or the composite control it is part of (the line edit
    // of an editable combo box).
    for (QWidget *w = target; w; w = w->parentWidget()) {
        if (KeyHandler *h = m_controlHandlers.value(w))
            return h;
        if (w == m_form || w->isWindow())
            break;
    }
    return nullptr;
}

bool KeyPreview::runKeyDown(QWidget *target, int &keyCode, int shift) {
    QPointer<KeyPreview> self(this);
    const QList<KeyHandler *> handlers = m_formHandlers;
    for (KeyHandler *h : handlers) {
        if (!m_formHandlers.contains(h))
            continue;
        const bool done = act([&] { h->KeyDown(keyCode, shift); });
        if (!self)
            return false;
        if (!done)
            keyCode = 0;
        if (keyCode == 0)
            return true;
    }
    if (KeyHandler *h = controlHandlerFor(target)) {
        const bool done = act([&] { h->KeyDown(keyCode, shift); });
        if (!self)
            return false;
        if (!done)
            keyCode = 0;
    }
    return true;
}

bool KeyPreview::runKeyPress(QWidget *target, int &keyAscii) {
    QPointer<KeyPreview> self(this);
    const QList<KeyHandler *> handlers = m_formHandlers;
    for (KeyHandler *h : handlers) {
        if (!m_formHandlers.contains(h))
            continue;
        const bool done = act([&] { h->KeyPress(keyAscii); });
        if (!self)
            return false;
        if (!done)
            keyAscii = 0;
        if (keyAscii == 0)
            return true;
    }
    if (KeyHandler *h = controlHandlerFor(target)) {
        const bool done = act([&] { h->KeyPress(keyAscii); });
        if (!self)
            return false;
        if (!done)
            keyAscii = 0;
    }
    return true;
}

bool KeyPreview::runKeyUp(QWidget *target, int &keyCode, int shift) {
    QPointer<KeyPreview> self(this);
    const QList<KeyHandler *> handlers = m_formHandlers;
    for (KeyHandler *h : handlers) {
        if (!m_formHandlers.contains(h))
            continue;
        const bool done = act([&] { h->KeyUp(keyCode, shift); });
        if (!self)
            return false;
        if (!done)
            keyCode = 0;
        if (keyCode == 0)
            return true;
    }
    if (KeyHandler *h = controlHandlerFor(target)) {
        const bool done = act([&] { h->KeyUp(keyCode, shift); });
        if (!self)
            return false;
        if (!done)
            keyCode = 0;
    }
    return true;
}

void KeyPreview::resend(QWidget *target, QKeyEvent *ev, int key, const QString &text) {
    QKeyEvent copy(ev->type(), key, ev->modifiers(), ev->nativeScanCode(), ev->nativeVirtualKey(),
                   ev->nativeModifiers(), text, ev->isAutoRepeat(), ev->count(), ev->device());
    copy.setTimestamp(ev->timestamp());
    QPointer<KeyPreview> self(this);
    const QEvent *previous = m_repostEvent;
    m_repostEvent = &copy;
    m_reposting = true;
    m_repostOverridePending = ev->type() == QEvent::KeyPress;
    QCoreApplication::sendEvent(target, &copy);
    if (self) {
        m_repostEvent = previous;
        m_reposting = previous != nullptr;
        m_repostOverridePending = false;
    }
}

bool KeyPreview::deliverOverride(QWidget *target, QKeyEvent *ev) {
    // Keys of a dialog the form opened (from inside a key handler, say) leave
    // the state of the form's own key alone: its key press is still to come.
    if (!belongsToForm(target))
        return false;
    // An override the focused widget left unclaimed travels up to its parents.
    if (ev == m_overrideEvent && m_overrideTarget && target != m_overrideTarget &&
        target->isAncestorOf(m_overrideTarget))
        return false;
    m_overrideEvent = ev;
    m_overrideTarget = target;
    m_overrideHandledKey = 0;
    m_overrideSwallowed = false;
    int keyCode = vbKeyCodeFromQt(ev->key(), ev->modifiers());
    if (keyCode == 0)
        return false;
    m_overrideHandledKey = ev->key();
    QPointer<KeyPreview> self(this);
    ++m_downRunning;
    const bool alive = runKeyDown(target, keyCode, vbShiftFromQt(ev->modifiers()));
    if (!self)
        return true;
    --m_downRunning;
    if (!alive) {
        ev->accept();
        return true;
    }
    if (keyCode == 0) {
        m_overrideSwallowed = true;
        ev->accept();   // claimed: no shortcut fires, and the key press is dropped
        return true;
    }
    return false;
}

bool KeyPreview::deliver(QWidget *target, QKeyEvent *ev) {
    if (!belongsToForm(target))
        return false;
    QPointer<QWidget> guard(target);
    ev->accept();   // the original stops here in every case

    if (ev->type() == QEvent::KeyRelease) {
        // A release handled while the action of a key still runs (events let
        // through, a modal window it opened) leaves that key marked handled:
        // its key press is still to come and must not act again.
        if (m_downRunning == 0) {
            m_overrideHandledKey = 0;
            m_overrideEvent = nullptr;
        }
        int keyCode = vbKeyCodeFromQt(ev->key(), ev->modifiers());
        if (keyCode != 0) {
            if (!runKeyUp(target, keyCode, vbShiftFromQt(ev->modifiers())))
                return true;
            if (keyCode == 0)
                return true;
        }
        if (guard)
            resend(guard, ev, ev->key(), ev->text());
        return true;
    }

    const bool downDone = m_overrideHandledKey != 0 && m_overrideHandledKey == ev->key();
    const bool downSwallowed = downDone && m_overrideSwallowed;
    m_overrideHandledKey = 0;
    m_overrideEvent = nullptr;
    if (downSwallowed)
        return true;
    if (!downDone) {
        int keyCode = vbKeyCodeFromQt(ev->key(), ev->modifiers());
        if (keyCode != 0) {
            if (!runKeyDown(target, keyCode, vbShiftFromQt(ev->modifiers())))
                return true;
            if (keyCode == 0)
                return true;
        }
    }

    int key = ev->key();
    QString text = ev->text();
    const int original = asciiOf(ev);
    if (original != 0) {
        int keyAscii = original;
        if (!runKeyPress(target, keyAscii))
            return true;
        if (keyAscii == 0)
            return true;
        if (keyAscii != original) {
            key = qtKeyForChar(keyAscii);
            text = QString(QChar(char16_t(keyAscii)));
        }
    }
    if (guard)
        resend(guard, ev, key, text);
    return true;
}

bool KeyPreview::eventFilter(QObject *watched, QEvent *event) {
    switch (event->type()) {
    case QEvent::ChildAdded: {
        QObject *child = static_cast<QChildEvent *>(event)->child();
        if (child->isWidgetType())
            watch(static_cast<QWidget *>(child));
        return false;
    }
    case QEvent::ShortcutOverride:
        if (m_repostOverridePending || !watched->isWidgetType())
            return false;
        return deliverOverride(static_cast<QWidget *>(watched), static_cast<QKeyEvent *>(event));
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        if (event == m_repostEvent) {
            m_repostOverridePending = false;
            return false;
        }
        if (!watched->isWidgetType())
            return false;
        return deliver(static_cast<QWidget *>(watched), static_cast<QKeyEvent *>(event));
    default:
        return false;
    }
}

} // namespace zv::ui
