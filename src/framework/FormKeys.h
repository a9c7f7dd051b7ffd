#pragma once
#include "platform/ui/KeyPreview.h"
#include <QPointer>
#include <functional>

class QWidget;

namespace zv::fw {

// The one key preview of a form, made on first use and owned by the form.
// Header, footer and the form itself all add their handlers to it, so that a
// key swallowed by one of them is seen by none of the others.
zv::ui::KeyPreview *keyPreviewOf(QWidget *form);

// A form-level key-down handler that a toolbar object attaches to its form;
// it detaches itself when it is re-attached, detached or destroyed.
class FormKeyHook : public zv::ui::KeyHandler {
public:
    using KeyDownFn = std::function<void(int &KeyCode, int Shift)>;
    explicit FormKeyHook(KeyDownFn fn) : m_fn(std::move(fn)) {}
    ~FormKeyHook() override { detach(); }
    FormKeyHook(const FormKeyHook &) = delete;
    FormKeyHook &operator=(const FormKeyHook &) = delete;

    void attach(QWidget *form);
    void detach();
    void KeyDown(int &KeyCode, int Shift) override { m_fn(KeyCode, Shift); }

private:
    KeyDownFn m_fn;
    QPointer<zv::ui::KeyPreview> m_preview;
};

} // namespace zv::fw
