#include "platform/ui/TextBox.h"
#include <QLineEdit>
#include <algorithm>

namespace zv::ui {

namespace {
// QLineEdit's own "no limit".
constexpr int kNoLimit = 32767;
}

QString TextBox::Text() const { return m_edit ? m_edit->text() : QString(); }

void TextBox::setText(const QString &text) {
    if (m_edit)
        m_edit->setText(text);
}

int TextBox::SelStart() const {
    if (!m_edit)
        return 0;
    return m_edit->hasSelectedText() ? m_edit->selectionStart() : m_edit->cursorPosition();
}

void TextBox::setSelStart(int pos) {
    if (!m_edit)
        return;
    m_edit->setCursorPosition(std::clamp(pos, 0, int(m_edit->text().size())));
    m_edit->deselect();
}

int TextBox::SelLength() const { return m_edit ? int(m_edit->selectedText().size()) : 0; }

void TextBox::setSelLength(int len) {
    if (!m_edit)
        return;
    const int start = SelStart();
    len = std::clamp(len, 0, int(m_edit->text().size()) - start);
    if (len == 0) {
        m_edit->setCursorPosition(start);
        m_edit->deselect();
    } else {
        m_edit->setSelection(start, len);
    }
}

QString TextBox::SelText() const { return m_edit ? m_edit->selectedText() : QString(); }

void TextBox::setSelText(const QString &text) {
    if (!m_edit)
        return;
    const int start = SelStart();
    const QString old = m_edit->text();
    m_edit->setText(old.left(start) + text + old.mid(start + SelLength()));
    m_edit->setCursorPosition(std::min(start + int(text.size()), int(m_edit->text().size())));
}

int TextBox::MaxLength() const {
    if (!m_edit)
        return 0;
    return m_edit->maxLength() >= kNoLimit ? 0 : m_edit->maxLength();
}

void TextBox::setMaxLength(int len) {
    if (m_edit)
        m_edit->setMaxLength(len <= 0 ? kNoLimit : len);
}

bool TextBox::Enabled() const { return m_edit && m_edit->isEnabled(); }

void TextBox::setEnabled(bool on) {
    if (m_edit)
        m_edit->setEnabled(on);
}

// Visible as the control's own setting, whether or not its form is shown yet.
bool TextBox::Visible() const { return m_edit && m_edit->isVisibleTo(m_edit->window()); }

bool TextBox::Locked() const { return m_edit && m_edit->isReadOnly(); }

void TextBox::setLocked(bool on) {
    if (m_edit)
        m_edit->setReadOnly(on);
}

void TextBox::SetFocus() {
    if (m_edit)
        m_edit->setFocus(Qt::OtherFocusReason);
}

} // namespace zv::ui
