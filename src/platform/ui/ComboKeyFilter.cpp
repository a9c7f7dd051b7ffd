#include "ComboKeyFilter.h"
#include <QComboBox>
#include <QLineEdit>
#include <QSignalBlocker>

namespace zv::ui {

namespace {
int indexOfText(const QComboBox *combo, const QString &text) {
    if (text.isEmpty())
        return -1;
    return combo->findText(text, Qt::MatchFixedString);   // whole text, case ignored
}

int indexStartingWith(const QComboBox *combo, const QString &prefix) {
    for (int i = 0; i < combo->count(); ++i)
        if (combo->itemText(i).startsWith(prefix, Qt::CaseInsensitive))
            return i;
    return -1;
}
} // namespace

int ComboKeyFilter::KeyPress(QComboBox *combo, int &KeyAscii, bool Flag) {
    (void)Flag;
    const int code = KeyAscii;
    if ((code >= 0 && code < 32) || code == 127)
        return KeyAscii;
    if (code == '\'' || code == '|' || code < 0 || code > 0xFFFF) {
        KeyAscii = 0;
        return 0;
    }
    if (!combo || !combo->isEditable() || !combo->lineEdit())
        return KeyAscii;

    QLineEdit *edit = combo->lineEdit();
    const QString text = edit->text();
    const int selStart = edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition();
    const int selEnd = edit->hasSelectedText() ? selStart + edit->selectedText().size() : selStart;
    // Completion only when typing at the end of the text.
    if (selEnd < text.size())
        return KeyAscii;

    const QString prefix = text.left(selStart) + QChar(static_cast<char16_t>(code));
    const int idx = indexStartingWith(combo, prefix);
    if (idx < 0)
        return KeyAscii;

    const QString item = combo->itemText(idx);
    if (combo->currentIndex() != idx)
        combo->setCurrentIndex(idx);
    if (edit->text() != item)
        edit->setText(item);
    edit->setSelection(prefix.size(), item.size() - prefix.size());
    KeyAscii = 0;
    return 0;
}

bool ComboKeyFilter::Change(QComboBox *combo, bool Flag) {
    if (!combo)
        return true;
    if (!combo->isEditable() || !combo->lineEdit())
        return combo->currentIndex() < 0;

    QLineEdit *edit = combo->lineEdit();
    const QString text = edit->text();
    const int idx = indexOfText(combo, text);
    const bool keepTyped = Flag || idx < 0;

    if (combo->currentIndex() != idx) {
        const int cursor = edit->cursorPosition();
        const int selStart = edit->selectionStart();
        const int selLen = edit->selectedText().size();
        // The form calls this from its own change handler: no signals, no recursion.
        QSignalBlocker blockCombo(combo);
        QSignalBlocker blockEdit(edit);
        combo->setCurrentIndex(idx);
        if (keepTyped && edit->text() != text) {
            edit->setText(text);
            if (selStart >= 0 && selLen > 0)
                edit->setSelection(selStart, selLen);
            else
                edit->setCursorPosition(cursor);
        }
    }
    if (!Flag && idx >= 0 && edit->text() != combo->itemText(idx)) {
        QSignalBlocker blockCombo(combo);
        QSignalBlocker blockEdit(edit);
        edit->setText(combo->itemText(idx));
    }
    return idx < 0;
}

} // namespace zv::ui
