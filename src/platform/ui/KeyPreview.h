#pragma once
#include "platform/ui/ErrorBox.h"
#include <QHash>
#include <functional>
#include <QList>
#include <QObject>
#include <QPointer>

class QWidget;
class QKeyEvent;

namespace zv::ui {

// A receiver of a form's or a control's key events. Setting KeyCode or
// KeyAscii to 0 swallows the key; changing KeyAscii types another character.
class KeyHandler {
public:
    virtual ~KeyHandler() = default;
    virtual void KeyDown(int &KeyCode, int Shift) { (void)KeyCode; (void)Shift; }
    virtual void KeyPress(int &KeyAscii) { (void)KeyAscii; }
    virtual void KeyUp(int &KeyCode, int Shift) { (void)KeyCode; (void)Shift; }
};

// A key handler made of functions, for a form or for one of its controls.
class KeyFunctions : public KeyHandler {
public:
    std::function<void(int &KeyCode, int Shift)> down;
    std::function<void(int &KeyAscii)> press;
    std::function<void(int &KeyCode, int Shift)> up;
    void KeyDown(int &KeyCode, int Shift) override {
        if (down)
            down(KeyCode, Shift);
    }
    void KeyPress(int &KeyAscii) override {
        if (press)
            press(KeyAscii);
    }
    void KeyUp(int &KeyCode, int Shift) override {
        if (up)
            up(KeyCode, Shift);
    }
};

// Routes the key events of every widget of a form (also widgets added later)
// to the form-level handlers first, in the order they were added, then to
// the focused control's own handler. Function keys pressed inside line edits
// (which arrive as shortcut overrides) are delivered too. A swallowed key never
// reaches the widget. KeyPress is raised for keys that produce a character
// (and for Enter = 13, Backspace = 8, Esc = 27), after a KeyDown that was not swallowed.
// Each handler's run on a key is one user action: a failure it lets through
// ends the key (swallowed, no further handler sees it) and is told once, by
// the teller the form set (the program's error box when none).
class KeyPreview : public QObject {
    Q_OBJECT
public:
    explicit KeyPreview(QWidget *form);
    ~KeyPreview() override;

    void addFormHandler(KeyHandler *handler);
    void removeFormHandler(KeyHandler *handler);
    void setControlHandler(QWidget *control, KeyHandler *handler);   // nullptr removes
    // How a failure of a key's handler is told.
    void setTeller(Teller tell) { m_tell = std::move(tell); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void watch(QWidget *w);
    bool deliver(QWidget *target, QKeyEvent *ev);
    bool deliverOverride(QWidget *target, QKeyEvent *ev);
    bool belongsToForm(QWidget *w) const;
    KeyHandler *controlHandlerFor(QWidget *target) const;
    // Each returns false when this object was destroyed by a handler.
    bool runKeyDown(QWidget *target, int &keyCode, int shift);
    bool runKeyPress(QWidget *target, int &keyAscii);
    bool runKeyUp(QWidget *target, int &keyCode, int shift);
    void resend(QWidget *target, QKeyEvent *ev, int key, const QString &text);
    // Runs one handler's step as the key's action; false when it failed (told).
    bool act(const std::function<void()> &step) const {
        const Teller tell = m_tell;   // the step may end the form and this object with it
        return runAction(step, tell);
    }
    QWidget *m_form;
    Teller m_tell;
    QList<KeyHandler *> m_formHandlers;
    QHash<QWidget *, KeyHandler *> m_controlHandlers;
    bool m_reposting = false;
    int m_overrideHandledKey = 0;
    // The copy being passed on to the widget; it goes through unhandled.
    const QEvent *m_repostEvent = nullptr;
    // Qt sends a shortcut override ahead of a copy that it did not get from the
    // window system; that one is not a new key.
    bool m_repostOverridePending = false;
    // The shortcut override last handled, to tell its propagation to the
    // parents apart from a new key; and whether its KeyDown was swallowed.
    const QEvent *m_overrideEvent = nullptr;
    QPointer<QWidget> m_overrideTarget;
    bool m_overrideSwallowed = false;
    // KeyDown handlers of a shortcut override still running (nested events).
    int m_downRunning = 0;
};

} // namespace zv::ui
