#include "dateinput/MaskKeys.h"
#include "dateinput/DateText.h"
#include "platform/ui/Ui.h"
#include "platform/ui/VbKeys.h"

namespace zv::dateinput {

namespace vbKey = zv::ui::vbKey;
using zv::ui::TextBox;

namespace {

bool isDigitKey(int k) { return k >= 48 && k <= 57; }

// Shift+Home / Shift+End: {start, length} by caret; start -1 leaves the key to the box.
struct Sel {
    int start, length;
};

bool selectBy(TextBox &box, const Sel *table, int first, int count, int p, int &KeyCode) {
    if (p < first || p >= first + count || table[p - first].start < 0)
        return false;
    box.setSelStart(table[p - first].start);
    box.setSelLength(table[p - first].length);
    KeyCode = 0;
    return true;
}

// A two-digit segment holding one digit and a blank becomes "0" and the digit.
QString completedPair(const QString &t, int pos) {
    const QString d = text::digitsOf(t.mid(pos, 2));
    if (d.size() != 1 || !d.at(0).isDigit())
        return t;
    return t.left(pos) + QLatin1Char('0') + d + t.mid(pos + 2);
}

// A four-digit year at pos holding 1 to 3 digits: "4" -> "2004", "04" -> "2004", "004" -> "2004".
QString completedYear(const QString &t, int pos) {
    const QString y = text::digitsOf(t.mid(pos, 4));
    static const char *const prefix[] = {"", "200", "20", "2"};
    if (y.isEmpty() || y.size() >= 4)
        return t;
    return t.left(pos) + QLatin1String(prefix[y.size()]) + y + t.mid(pos + 4);
}

void writeIfChanged(TextBox &box, const QString &old, const QString &t) {
    if (t != old)
        box.setText(t);
}

} // namespace

// ---------------------------------------------------------------------------
// "__/__/____": day 0-1, "/" 2, month 3-4, "/" 5, year 6-9.

void numericDateKeyDown(TextBox box, int &KeyCode, int Shift) {
    if (box.isNull())
        return;
    if (KeyCode == kContextMenuKey) {
        box.setSelLength(0);
        KeyCode = 0;
        return;
    }
    if (KeyCode == vbKey::Return) {
        zv::ui::sendTab(box.widget());
        KeyCode = 0;
        return;
    }
    int p = box.SelStart();
    const int L = box.SelLength();
    bool back = false;
    if (KeyCode >= 96 && KeyCode <= 105)
        KeyCode -= 48;
    if (Shift == 1 && KeyCode == vbKey::Insert) {
        KeyCode = 0;
        return;
    }
    if (Shift == 1 && KeyCode == vbKey::Home) {
        static const Sel home[] = {{0, 2}, {3, 1}, {3, 2}, {3, 2}, {6, 1}, {6, 2}, {6, 3}, {6, 4}};
        selectBy(box, home, 3, 8, p, KeyCode);
        return;
    }
    if (Shift == 1 && KeyCode == vbKey::End) {
        static const Sel end[] = {{0, 2}, {1, 1}, {3, 2}, {3, 2}, {4, 1}, {6, 4}};
        selectBy(box, end, 0, 6, p, KeyCode);
        return;
    }
    if (Shift == 2 && (KeyCode == vbKey::Right || KeyCode == vbKey::Left) && p >= 0 && p <= 16) {
        const bool right = KeyCode == vbKey::Right;
        const QString old = box.Text();
        QString t = old;
        int target;
        if (p <= 2) {
            t = completedPair(t, 0);
            target = right ? 3 : 0;
        } else if (p <= 5) {
            t = completedPair(t, 3);
            target = right ? 6 : 0;
        } else {
            t = completedYear(t, 6);
            target = right ? 10 : 3;
        }
        writeIfChanged(box, old, t);
        box.setSelStart(qMin<int>(target, int(t.size())));
        KeyCode = 0;
        return;
    }
    if (KeyCode == vbKey::Back) {
        back = true;
        KeyCode = vbKey::Delete;
        if (L == 0 && p > 0)
            --p;
    }
    if (KeyCode != vbKey::Delete) {
        if (!isDigitKey(KeyCode))
            return;
        if (p == 2 || p == 5) {
            KeyCode = 0;
            return;
        }
        if (L != 0) {
            if (Shift != 1) {
                int del = vbKey::Delete;
                numericDateKeyDown(box, del, Shift);
                int typed = KeyCode;
                numericDateKeyDown(box, typed, Shift);
            }
            KeyCode = 0;
            return;
        }
        QString t = box.Text();
        t = t.left(p) + QChar(KeyCode) + t.mid(p + 1);
        t.truncate(kNumericMask.size());
        ++p;
        if (p == 2 || p == 5)
            ++p;
        box.setText(t);
        box.setSelStart(qMin<int>(p, int(t.size())));
        box.SetFocus();
        KeyCode = 0;
        return;
    }

    KeyCode = 0;
    if (Shift == 1)
        return;
    QString t = box.Text();
    if (L != 0) {
        const QString left = t.left(p), right = t.mid(p + L);
        if (left.isEmpty() && right.isEmpty()) {
            box.setText(kNumericMask);
            box.setSelStart(0);
            box.SetFocus();
            return;
        }
        QString blanks;
        for (int i = p; i < p + L && i < t.size(); ++i)
            blanks += (i == 2 || i == 5) ? QLatin1Char('/') : QLatin1Char('_');
        box.setText(left + blanks + right);
        box.setSelStart(p);
        return;
    }
    if (p >= kNumericMask.size())
        return;
    if (back && box.SelStart() == 0)
        return;   // Backspace with nothing before the caret
    const QChar c = t.mid(p, 1).isEmpty() ? QChar() : t.at(p);
    if (c == QLatin1Char('/') || c == QLatin1Char('-')) {
        box.setSelStart(back || p == 0 ? p : p + 1);
        box.SetFocus();
        return;
    }
    if (p != 2 && p != 5 && p < t.size()) {
        t[p] = QLatin1Char('_');
        box.setText(t);
    }
    box.setSelStart(p);
    box.SetFocus();
}

// ---------------------------------------------------------------------------
// "__/__/____ __:__ _M": day 0-1, month 3-4, year 6-9, hour 11-12, minute
// 14-15, A/P letter 17, fixed "M" 18. The layout keeps its 19 characters.

namespace {

QChar blankAt(int i) {
    switch (i) {
    case 2:
    case 5:
        return QLatin1Char('/');
    case 10:
    case 16:
        return QLatin1Char(' ');
    case 13:
        return QLatin1Char(':');
    case 18:
        return QLatin1Char('M');
    default:
        return QLatin1Char('_');
    }
}

bool isFixed(QChar c) {
    return c == QLatin1Char('/') || c == QLatin1Char('-') || c == QLatin1Char(':') || c == QLatin1Char(' ') ||
           c == QLatin1Char('M');
}

// Keys that never edit: they go on to the box or the form whatever the caret.
bool passesOn(int k) {
    return k == vbKey::Tab || k == vbKey::Escape || k == vbKey::Shift || k == vbKey::Control || k == 18 ||
           (k >= vbKey::F1 && k <= vbKey::F12);
}

} // namespace

void dateTimeKeyDown(TextBox box, int &KeyCode, int Shift) {
    if (box.isNull())
        return;
    if (KeyCode == kContextMenuKey) {
        box.setSelLength(0);
        KeyCode = 0;
        return;
    }
    if (KeyCode == vbKey::Return) {
        zv::ui::sendTab(box.widget());
        KeyCode = 0;
        return;
    }
    int p = box.SelStart();
    const int L = box.SelLength();
    bool back = false;
    if (KeyCode >= 96 && KeyCode <= 105)
        KeyCode -= 48;
    if (Shift == 1 && KeyCode == vbKey::Insert) {
        KeyCode = 0;
        return;
    }
    if (Shift == 1 && KeyCode == vbKey::Home) {
        static const Sel home[] = {{0, 2},  {3, 1},  {3, 2},  {3, 2},  {6, 1},  {6, 2},  {6, 3},  {6, 4}, {6, 4},
                                   {11, 1}, {11, 2}, {11, 2}, {14, 1}, {14, 2}, {14, 2}, {17, 1}, {17, 1}};
        selectBy(box, home, 3, 17, p, KeyCode);
        return;
    }
    if (Shift == 1 && KeyCode == vbKey::End) {
        static const Sel end[] = {{0, 2},  {1, 1},  {3, 2},  {3, 2},  {4, 1},  {6, 4},  {6, 4},  {7, 3}, {8, 2},
                                  {9, 1},  {11, 2}, {11, 2}, {12, 1}, {14, 2}, {14, 2}, {15, 1}, {17, 1}};
        selectBy(box, end, 0, 17, p, KeyCode);
        return;
    }
    if (Shift == 2 && (KeyCode == vbKey::Right || KeyCode == vbKey::Left)) {
        const QString old = box.Text();
        QString t = old;
        int target = -1;
        if (KeyCode == vbKey::Right) {
            if (p >= 0 && p <= 2) {
                t = completedPair(t, 0);
                target = 3;
            } else if (p >= 3 && p <= 5) {
                t = completedPair(t, 3);
                target = 6;
            } else if (p >= 6 && p <= 10) {
                t = completedYear(t, 6);
                target = 11;
            } else if (p >= 11 && p <= 13) {
                t = completedPair(t, 11);
                target = 14;
            } else if (p >= 14 && p <= 16) {
                t = completedPair(t, 14);
                target = 17;
            }
        } else {
            if (p >= 3 && p <= 5) {
                t = completedPair(t, 3);
                target = 0;
            } else if (p >= 6 && p <= 9) {
                t = completedYear(t, 6);
                target = 3;
            } else if (p >= 10 && p <= 12) {
                t = completedPair(t, 11);
                target = 6;
            } else if (p >= 13 && p <= 15) {
                t = completedPair(t, 14);
                target = 11;
            } else if (p >= 16 && p <= 18) {
                target = 14;
            } else if (p == 19) {
                target = 17;
            }
        }
        if (target < 0)
            return;
        writeIfChanged(box, old, t);
        box.setSelStart(target);
        KeyCode = 0;
        return;
    }
    if (KeyCode == vbKey::Back) {
        back = true;
        KeyCode = vbKey::Delete;
        if (L == 0 && p > 0)
            --p;
    }
    if (KeyCode != vbKey::Delete) {
        if (box.SelStart() == 17) {
            // Only A or P goes into the A/P letter.
            if (KeyCode == 65 || KeyCode == 80) {
                QString t = box.Text();
                t = t.left(17) + QChar(KeyCode) + t.mid(18);
                box.setText(t);
                box.setSelStart(18);
                KeyCode = 0;
            } else if (KeyCode == vbKey::Home || KeyCode == vbKey::End || KeyCode == vbKey::Left ||
                       KeyCode == vbKey::Up || KeyCode == vbKey::Right || KeyCode == vbKey::Down ||
                       passesOn(KeyCode)) {
                // left to the box
            } else {
                KeyCode = 0;
            }
            return;
        }
        if (!isDigitKey(KeyCode))
            return;
        if (p == 2 || p == 5) {
            KeyCode = 0;
            return;
        }
        if (p == 10 || p == 13 || p == 16 || p == 18) {
            box.setSelStart(p + 1);
            KeyCode = 0;
            return;
        }
        if (L != 0) {
            if (Shift != 1) {
                int del = vbKey::Delete;
                dateTimeKeyDown(box, del, Shift);
                int typed = KeyCode;
                dateTimeKeyDown(box, typed, Shift);
            }
            KeyCode = 0;
            return;
        }
        const QChar digit(KeyCode);
        KeyCode = 0;
        if (p >= kDateTimeMask.size())
            return;   // past the "M": the layout does not grow
        QString t = box.Text();
        t = t.left(p) + digit + t.mid(p + 1);
        ++p;
        if (p == 2 || p == 5 || p == 10 || p == 13 || p == 16)
            ++p;
        box.setText(t);
        box.setSelStart(qMin<int>(p, int(t.size())));
        box.SetFocus();
        return;
    }

    KeyCode = 0;
    if (Shift == 1)
        return;
    QString t = box.Text();
    if (L != 0) {
        const QString left = t.left(p), right = t.mid(p + L);
        if (left.isEmpty() && right.isEmpty()) {
            box.setText(kDateTimeMask);
            box.setSelStart(0);
            box.SetFocus();
            return;
        }
        QString blanks;
        for (int i = p; i < p + L && i < t.size(); ++i)
            blanks += blankAt(i);
        box.setText(left + blanks + right);
        box.setSelStart(p);
        return;
    }
    if (p >= kDateTimeMask.size())
        return;
    if (back && box.SelStart() == 0)
        return;   // Backspace with nothing before the caret
    if (p < t.size() && isFixed(t.at(p))) {
        box.setSelStart(back || p == 0 ? p : p + 1);
        box.SetFocus();
        return;
    }
    if (p < t.size() && p != 5 && p != 13 && p < 18) {
        t[p] = blankAt(p) == QLatin1Char(' ') ? QLatin1Char(' ') : QLatin1Char('_');
        box.setText(t);
    }
    box.setSelStart(p);
    box.SetFocus();
}

} // namespace zv::dateinput
