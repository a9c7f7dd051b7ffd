#pragma once
#include "platform/ui/TextBox.h"
#include <QLineEdit>
#include <QString>
#include <functional>
#include <span>

// The key rules the masked date boxes have in common. Each box's KeyDown runs
// them in its own order, with the rules only it has in between. They take
// KeyCode as KeyDown does: 0 swallows the key, a code left as it was goes on
// to the box.
namespace zv::dateinput::rules {

inline constexpr int kContextMenuKey = 93;

inline bool isDigitKey(int k) { return k >= 48 && k <= 57; }

// The context-menu key, Enter (moves on like Tab), keypad digits (become
// plain digits) and Shift+Insert (no paste); true when the key is dealt with.
bool leadingKeys(zv::ui::TextBox &box, int &KeyCode, int Shift);

// Shift+Home / Shift+End: the selection for each caret from `first` on. A
// start of -1, or a caret the table does not cover, leaves the key to the box.
struct Selection {
    int start, length;
};
void selectBy(zv::ui::TextBox &box, std::span<const Selection> table, int first, int caret, int &KeyCode);

// Ctrl+Right / Ctrl+Left, by the table for the key: a caret from `from` to
// `to` completes its segment (when there is a completion) and moves to
// `target`. A caret no row covers leaves the key to the box.
using Completion = std::function<QString(const QString &text)>;
struct Jump {
    int from, to;
    Completion complete;
    int target;
};
void jumpBy(zv::ui::TextBox &box, std::span<const Jump> right, std::span<const Jump> left, int caret,
            int &KeyCode);

// A two-digit segment at pos holding one digit and a blank: "0" and the digit.
Completion pairAt(int pos);
// A four-digit year at pos holding 1 to 3 digits: "4", "04", "004" -> "2004".
Completion yearAt(int pos);

// Backspace goes on as a Delete of the character before the caret (of the
// selection, when there is one); true when the key was Backspace.
bool backspaceAsDelete(int &KeyCode, int &caret, int selLength);

// A digit over a selection: keyDown clears the selection, then types the
// digit at its start. With Shift held nothing happens, as Shift+Delete
// clears nothing.
void typeOverSelection(const std::function<void(int &KeyCode, int Shift)> &keyDown, int &KeyCode, int Shift);

// Writes the typed text t, cut to the mask's length, and puts the caret at
// `caret`, or behind the separator standing there.
void writeTyped(zv::ui::TextBox &box, QString t, int caret, const QString &mask);

// What Delete needs to know of a box's layout.
struct Layout {
    QString mask;    // the blank text; a cleared selection gets its characters back
    QString fixed;   // characters a single Delete steps over
    // What a single Delete writes at p; a null QChar leaves p alone. Without
    // it: "_" where the mask has one, nothing on a separator.
    QChar (*blankAt)(int p) = nullptr;
    bool focusAfterClearingAll = true;
};
// Delete, and Backspace made a Delete (back): clears the selection or the
// character at the caret back to the mask; Shift+Delete does nothing.
void deleteKey(zv::ui::TextBox &box, const Layout &layout, int caret, int selLength, bool back, int Shift,
               int &KeyCode);

} // namespace zv::dateinput::rules
