#include "dateinput/MaskedBox.h"
#include <QContextMenuEvent>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include "dateinput/MaskKeys.h"
#include "platform/ui/VbKeys.h"

namespace zv::dateinput {

const char *const MaskedBox::kMouseDownProperty = "zvMouseDown";

MaskedBox::MaskedBox(QString blankMask, KeyDownFn keyDown)
    : m_mask(std::move(blankMask)), m_keyDown(std::move(keyDown)) {}

MaskedBox::~MaskedBox() { unhook(); }

static zv::ui::KeyPreview *previewOfWindow(QWidget *w) {
    for (; w; w = w->parentWidget()) {
        const auto found = w->findChildren<zv::ui::KeyPreview *>(Qt::FindDirectChildrenOnly);
        if (!found.isEmpty())
            return found.constFirst();
    }
    return nullptr;
}

void MaskedBox::hook(QLineEdit *edit, zv::ui::KeyPreview *preview) {
    unhook();
    if (!edit)
        return;
    m_edit = edit;
    // Our filter first, so that the preview's, installed after it, runs ahead
    // of it: the rules see each key before this box decides what may reach the
    // line edit (see eventFilter).
    edit->installEventFilter(this);
    if (!preview)
        preview = previewOfWindow(edit);
    if (!preview) {
        m_ownPreview = new zv::ui::KeyPreview(edit);
        if (!m_ownPreview->parent())
            m_ownPreview->setParent(edit);
        preview = m_ownPreview;
    }
    m_preview = preview;
    m_preview->setControlHandler(edit, this);

    edit->setMaxLength(int(m_mask.size()));
    edit->setDragEnabled(false);
    edit->setAcceptDrops(false);
    edit->setAttribute(Qt::WA_InputMethodEnabled, false);
    if (edit->text().isEmpty())
        edit->setText(m_mask);
}

void MaskedBox::unhook() {
    if (m_edit) {
        m_edit->removeEventFilter(this);
        m_edit->setProperty(kMouseDownProperty, QVariant());
    }
    if (m_preview && m_edit)
        m_preview->setControlHandler(m_edit, nullptr);
    delete m_ownPreview.data();
    m_ownPreview = nullptr;
    m_preview = nullptr;
    m_edit = nullptr;
}

void MaskedBox::KeyDown(int &KeyCode, int Shift) {
    if (!m_edit)
        return;
    // Paste, cut, undo and the like are refused here too, so that they never
    // type a month letter either, whichever event filter runs first.
    QKeyEvent probe(QEvent::KeyPress, zv::ui::qtKeyFromVbKeyCode(KeyCode), zv::ui::qtModifiersFromVbShift(Shift));
    if (isEditingShortcut(probe)) {
        KeyCode = 0;
        return;
    }
    // The rules work on the full mask; a box emptied by its form gets it back.
    if (m_edit->text().isEmpty()) {
        m_edit->setText(m_mask);
        m_edit->setCursorPosition(0);
    }
    if (m_keyDown)
        m_keyDown(KeyCode, Shift);
}

void MaskedBox::KeyPress(int &KeyAscii) {
    // No character reaches the box by itself. Esc is no character: it stays
    // for the form (a dialog closes on it).
    if (KeyAscii != 27)
        KeyAscii = 0;
}

bool MaskedBox::eventFilter(QObject *watched, QEvent *event) {
    if (watched != m_edit)
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::FocusIn:
        // Let the box take the focus first (it selects all on Tab), then put the caret at 0.
        watched->event(event);
        box().setSelStart(0);
        return true;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseButtonRelease: {
        auto *me = static_cast<QMouseEvent *>(event);
        m_edit->setProperty(kMouseDownProperty, event->type() != QEvent::MouseButtonRelease);
        // The middle button pastes the selection clipboard.
        return me->button() == Qt::MiddleButton;
    }
    case QEvent::ContextMenu:
        // Its menu offers Paste, Cut, Undo and Delete.
        return true;
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
        event->ignore();
        return true;
    case QEvent::InputMethod:
        return true;
    case QEvent::ShortcutOverride:
    case QEvent::KeyPress:
        // The preview's filter has run: the rules have seen the key and left
        // it. Only the keys listed in leftToBox reach the line edit; a refused
        // key is not claimed from the window's shortcuts either.
        return !leftToBox(*static_cast<QKeyEvent *>(event));
    default:
        return false;
    }
}

} // namespace zv::dateinput
