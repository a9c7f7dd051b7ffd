#include "dateinput/MaskKeys.h"
#include "dateinput/DateText.h"
#include "dateinput/MaskRules.h"
#include "platform/ui/VbKeys.h"
#include <QKeyEvent>
#include <QKeySequence>

namespace zv::dateinput {

namespace vbKey = zv::ui::vbKey;
using zv::ui::TextBox;
using namespace rules;

// ---------------------------------------------------------------------------
// What reaches a masked box at all.

bool isEditingShortcut(const QKeyEvent &ev) {
    static const QKeySequence::StandardKey edits[] = {
        QKeySequence::Paste, QKeySequence::Cut, QKeySequence::Undo, QKeySequence::Redo,
        QKeySequence::DeleteEndOfLine, QKeySequence::DeleteCompleteLine};
    for (auto k : edits)
        if (ev.matches(k))
            return true;
    return false;
}

bool leftToBox(const QKeyEvent &ev) {
    const Qt::KeyboardModifiers mods = ev.modifiers() & ~(Qt::KeypadModifier | Qt::GroupSwitchModifier);
    const int key = ev.key();
    switch (key) {
    // Moving the caret and selecting: with Shift, Ctrl or both, never with Alt or Meta.
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        return (mods & ~(Qt::ShiftModifier | Qt::ControlModifier)) == Qt::NoModifier;
    // Keys that are the form's or the window's, and keys pressed alone.
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Escape:
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_Meta:
    case Qt::Key_Super_L:
    case Qt::Key_Super_R:
    case Qt::Key_Hyper_L:
    case Qt::Key_Hyper_R:
    case Qt::Key_CapsLock:
    case Qt::Key_NumLock:
    case Qt::Key_ScrollLock:
        return true;
    // Copying leaves the text as it is.
    case Qt::Key_C:
    case Qt::Key_Insert:
        return mods == Qt::ControlModifier;
    default:
        break;
    }
    // F1 to F12 only: on X11 F14, F16, F18 and F20 are Undo, Copy, Paste and Cut.
    return key >= Qt::Key_F1 && key <= Qt::Key_F12;
}

// ---------------------------------------------------------------------------
// "__/__/____": day 0-1, "/" 2, month 3-4, "/" 5, year 6-9.

void numericDateKeyDown(TextBox box, int &KeyCode, int Shift) {
    if (leadingKeys(box, KeyCode, Shift))
        return;
    int p = box.SelStart();
    const int L = box.SelLength();
    if (Shift == 1 && KeyCode == vbKey::Home) {
        static const Selection home[] = {{0, 2}, {3, 1}, {3, 2}, {3, 2}, {6, 1}, {6, 2}, {6, 3}, {6, 4}};
        selectBy(box, home, 3, p, KeyCode);
        return;
    }
    if (Shift == 1 && KeyCode == vbKey::End) {
        static const Selection end[] = {{0, 2}, {1, 1}, {3, 2}, {3, 2}, {4, 1}, {6, 4}};
        selectBy(box, end, 0, p, KeyCode);
        return;
    }
    if (Shift == 2 && (KeyCode == vbKey::Right || KeyCode == vbKey::Left)) {
        static const Jump right[] = {{0, 2, pairAt(0), 3}, {3, 5, pairAt(3), 6}, {6, 16, yearAt(6), 10}};
        static const Jump left[] = {{0, 2, pairAt(0), 0}, {3, 5, pairAt(3), 0}, {6, 16, yearAt(6), 3}};
        jumpBy(box, right, left, p, KeyCode);
        return;
    }
    const bool back = backspaceAsDelete(KeyCode, p, L);
    if (KeyCode != vbKey::Delete) {
        if (!isDigitKey(KeyCode))
            return;
        if (p == 2 || p == 5) {
            KeyCode = 0;
            return;
        }
        if (L != 0) {
            typeOverSelection([box](int &k, int s) { numericDateKeyDown(box, k, s); }, KeyCode, Shift);
            return;
        }
        const QString t = box.Text();
        writeTyped(box, t.left(p) + QChar(KeyCode) + t.mid(p + 1), p + 1, kNumericMask);
        KeyCode = 0;
        return;
    }
    static const Layout layout{kNumericMask, QStringLiteral("/-")};
    deleteKey(box, layout, p, L, back, Shift, KeyCode);
}

// ---------------------------------------------------------------------------
// "__/__/____ __:__ _M": day 0-1, month 3-4, year 6-9, hour 11-12, minute
// 14-15, A/P letter 17, fixed "M" 18. The layout keeps its 19 characters.

namespace {

// What a single Delete writes where no fixed character stands: a space
// between date, time and A/P letter, "_" elsewhere; nothing at 5, 13 and from
// the "M" on.
QChar dateTimeBlankAt(int p) {
    if (p == 5 || p == 13 || p >= 18)
        return {};
    return p == 10 || p == 16 ? QLatin1Char(' ') : QLatin1Char('_');
}

// Keys that never edit: they go on to the box or the form whatever the caret.
bool passesOn(int k) {
    return k == vbKey::Tab || k == vbKey::Escape || k == vbKey::Shift || k == vbKey::Control || k == 18 ||
           (k >= vbKey::F1 && k <= vbKey::F12);
}

} // namespace

void dateTimeKeyDown(TextBox box, int &KeyCode, int Shift) {
    if (leadingKeys(box, KeyCode, Shift))
        return;
    int p = box.SelStart();
    const int L = box.SelLength();
    if (Shift == 1 && KeyCode == vbKey::Home) {
        static const Selection home[] = {{0, 2},  {3, 1},  {3, 2},  {3, 2},  {6, 1},  {6, 2},  {6, 3},  {6, 4}, {6, 4},
                                         {11, 1}, {11, 2}, {11, 2}, {14, 1}, {14, 2}, {14, 2}, {17, 1}, {17, 1}};
        selectBy(box, home, 3, p, KeyCode);
        return;
    }
    if (Shift == 1 && KeyCode == vbKey::End) {
        static const Selection end[] = {{0, 2},  {1, 1},  {3, 2},  {3, 2},  {4, 1},  {6, 4},  {6, 4},  {7, 3}, {8, 2},
                                        {9, 1},  {11, 2}, {11, 2}, {12, 1}, {14, 2}, {14, 2}, {15, 1}, {17, 1}};
        selectBy(box, end, 0, p, KeyCode);
        return;
    }
    if (Shift == 2 && (KeyCode == vbKey::Right || KeyCode == vbKey::Left)) {
        // Right counts a caret before a separator to the segment in front of
        // it; Left counts it to the time segment behind it, and never
        // completes the day.
        static const Jump right[] = {{0, 2, pairAt(0), 3},    {3, 5, pairAt(3), 6},     {6, 10, yearAt(6), 11},
                                     {11, 13, pairAt(11), 14}, {14, 16, pairAt(14), 17}};
        static const Jump left[] = {{3, 5, pairAt(3), 0},     {6, 9, yearAt(6), 3}, {10, 12, pairAt(11), 6},
                                    {13, 15, pairAt(14), 11}, {16, 18, {}, 14},     {19, 19, {}, 17}};
        jumpBy(box, right, left, p, KeyCode);
        return;
    }
    const bool back = backspaceAsDelete(KeyCode, p, L);
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
            typeOverSelection([box](int &k, int s) { dateTimeKeyDown(box, k, s); }, KeyCode, Shift);
            return;
        }
        const QChar digit(KeyCode);
        KeyCode = 0;
        if (p >= kDateTimeMask.size())
            return;   // past the "M": the layout does not grow
        const QString t = box.Text();
        writeTyped(box, t.left(p) + digit + t.mid(p + 1), p + 1, kDateTimeMask);
        return;
    }
    static const Layout layout{kDateTimeMask, QStringLiteral("/-: M"), dateTimeBlankAt};
    deleteKey(box, layout, p, L, back, Shift, KeyCode);
}

} // namespace zv::dateinput
