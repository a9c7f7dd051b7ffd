#include "dateinput/MaskRules.h"
#include "dateinput/DateText.h"
#include "platform/ui/Ui.h"
#include "platform/ui/VbKeys.h"

namespace zv::dateinput::rules {

namespace vbKey = zv::ui::vbKey;
using zv::ui::TextBox;

bool leadingKeys(TextBox &box, int &KeyCode, int Shift) {
    if (box.isNull())
        return true;
    if (KeyCode == kContextMenuKey) {
        box.setSelLength(0);
        KeyCode = 0;
        return true;
    }
    if (KeyCode == vbKey::Return) {
        // Nothing else in the box sees Enter.
        zv::ui::sendTab(box.widget());
        KeyCode = 0;
        return true;
    }
    if (KeyCode >= 96 && KeyCode <= 105)
        KeyCode -= 48;
    if (Shift == 1 && KeyCode == vbKey::Insert) {
        KeyCode = 0;
        return true;
    }
    return false;
}

void selectBy(TextBox &box, std::span<const Selection> table, int first, int caret, int &KeyCode) {
    const int i = caret - first;
    if (i < 0 || i >= int(table.size()) || table[i].start < 0)
        return;
    box.setSelStart(table[i].start);
    box.setSelLength(table[i].length);
    KeyCode = 0;
}

void jumpBy(TextBox &box, std::span<const Jump> right, std::span<const Jump> left, int caret, int &KeyCode) {
    for (const Jump &j : KeyCode == vbKey::Right ? right : left) {
        if (caret < j.from || caret > j.to)
            continue;
        const QString old = box.Text();
        const QString t = j.complete ? j.complete(old) : old;
        if (t != old)
            box.setText(t);
        box.setSelStart(j.target);
        KeyCode = 0;
        return;
    }
}

Completion pairAt(int pos) {
    return [pos](const QString &t) {
        const QString d = text::digitsOf(t.mid(pos, 2));
        if (d.size() != 1 || !d.at(0).isDigit())
            return t;
        return t.left(pos) + QLatin1Char('0') + d + t.mid(pos + 2);
    };
}

Completion yearAt(int pos) {
    return [pos](const QString &t) {
        const QString y = text::digitsOf(t.mid(pos, 4));
        static const char *const prefix[] = {"", "200", "20", "2"};
        if (y.isEmpty() || y.size() >= 4)
            return t;
        return t.left(pos) + QLatin1String(prefix[y.size()]) + y + t.mid(pos + 4);
    };
}

bool backspaceAsDelete(int &KeyCode, int &caret, int selLength) {
    if (KeyCode != vbKey::Back)
        return false;
    KeyCode = vbKey::Delete;
    if (selLength == 0 && caret > 0)
        --caret;
    return true;
}

void typeOverSelection(const std::function<void(int &, int)> &keyDown, int &KeyCode, int Shift) {
    if (Shift != 1) {
        int del = vbKey::Delete;
        keyDown(del, Shift);
        int typed = KeyCode;
        keyDown(typed, Shift);
    }
    KeyCode = 0;
}

void writeTyped(TextBox &box, QString t, int caret, const QString &mask) {
    if (caret < mask.size() && mask.at(caret) != QLatin1Char('_'))
        ++caret;
    t.truncate(mask.size());
    box.setText(t);
    box.setSelStart(qMin<int>(caret, int(t.size())));
    box.SetFocus();
}

void deleteKey(TextBox &box, const Layout &layout, int caret, int selLength, bool back, int Shift, int &KeyCode) {
    const int p = caret;
    KeyCode = 0;
    if (Shift == 1)
        return;
    QString t = box.Text();
    if (selLength != 0) {
        const QString left = t.left(p), right = t.mid(p + selLength);
        if (left.isEmpty() && right.isEmpty()) {
            box.setText(layout.mask);
            box.setSelStart(0);
            if (layout.focusAfterClearingAll)
                box.SetFocus();
            return;
        }
        QString blanks;
        for (int i = p; i < p + selLength && i < t.size(); ++i)
            blanks += i < layout.mask.size() ? layout.mask.at(i) : QLatin1Char('_');
        box.setText(left + blanks + right);
        box.setSelStart(p);
        return;
    }
    if (p >= layout.mask.size())
        return;   // nothing after the caret
    if (back && box.SelStart() == 0)
        return;   // Backspace with nothing before the caret
    if (p < t.size() && layout.fixed.contains(t.at(p))) {
        // Step over it: Delete behind it, Backspace in front of it.
        box.setSelStart(back || p == 0 ? p : p + 1);
        box.SetFocus();
        return;
    }
    const QChar blank = layout.blankAt ? layout.blankAt(p)
                                       : (layout.mask.at(p) == QLatin1Char('_') ? QLatin1Char('_') : QChar());
    if (!blank.isNull() && p < t.size()) {
        t[p] = blank;
        box.setText(t);
    }
    box.setSelStart(p);
    box.SetFocus();
}

} // namespace zv::dateinput::rules
