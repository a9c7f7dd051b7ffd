#pragma once
#include "platform/ui/KeyPreview.h"
#include "platform/ui/TextBox.h"
#include <QLineEdit>
#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>

class QLineEdit;

namespace zv::dateinput {

// Hooks one QLineEdit to a masked-field key handler. Keys come through the
// form's KeyPreview (form-level handlers first, then this box's KeyDown);
// every typed character is discarded, so the text changes only through
// KeyDown. Paste (keyboard, context menu, middle click), cut, undo/redo,
// input-method text and drops are refused as well, since each would bypass
// the mask. On getting the focus the caret goes to 0.
class MaskedBox : public QObject, public zv::ui::KeyHandler {
    Q_OBJECT
public:
    using KeyDownFn = std::function<void(int &KeyCode, int Shift)>;

    // blankMask: written into a hooked box that is empty; its length is the
    // box's maximum length.
    MaskedBox(QString blankMask, KeyDownFn keyDown);
    ~MaskedBox() override;

    // Hooks edit (nullptr unhooks). preview: the form's key preview; without
    // one, a preview found on the edit's window is used, else one of our own.
    void hook(QLineEdit *edit, zv::ui::KeyPreview *preview = nullptr);
    QLineEdit *edit() const { return m_edit; }
    zv::ui::TextBox box() const { return zv::ui::TextBox(m_edit); }

    // Set while a mouse button is held on the box.
    static const char *const kMouseDownProperty;

    void KeyDown(int &KeyCode, int Shift) override;
    void KeyPress(int &KeyAscii) override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void unhook();
    QString m_mask;
    KeyDownFn m_keyDown;
    QPointer<QLineEdit> m_edit;
    QPointer<zv::ui::KeyPreview> m_preview;
    QPointer<zv::ui::KeyPreview> m_ownPreview;   // lives with the edit
};

} // namespace zv::dateinput
