#pragma once
#include "platform/ui/TextBox.h"
#include <QLineEdit>

class QKeyEvent;

// Key handling of the masked boxes whose rules keep no state between keys.
// Each takes the KeyDown arguments of the hooked box: the handled key's code
// becomes 0; a code left as it was goes on to the box (caret keys, Tab ...).
//
// Which keys a masked box takes at all is decided here, for every masked box
// alike (MaskedBox asks): the toolkit's editing shortcuts that the rules must
// never see, and the short list of keys the line edit itself may still get.
namespace zv::dateinput {

// Paste, cut, undo, redo and the line deletions of the platform (Ctrl+K and
// Ctrl+U on X11): refused before the rules, so that they never type a month
// letter either.
bool isEditingShortcut(const QKeyEvent &ev);

// Whether a key the rules left alone may reach the line edit's own handling:
// only keys that keep the text as it is - the caret keys with Shift and Ctrl
// (moving and selecting), Tab, Esc, F1 to F12, copying (Ctrl+C, Ctrl+Insert)
// and the modifier and lock keys pressed alone. Every other key is refused, so
// that no editing shortcut of the line edit (Ctrl+D, Ctrl+H, Ctrl+K, Ctrl+U,
// Ctrl+Shift+Insert on X11; F14, F18, F20; the Paste, Cut and Undo keys ...)
// breaks the mask. A refused key still goes to the shortcuts of the window.
bool leftToBox(const QKeyEvent &ev);

// The numeric date box "__/__/____" (dd/mm/yyyy).
void numericDateKeyDown(zv::ui::TextBox box, int &KeyCode, int Shift);
// The date-and-time box "__/__/____ __:__ _M" (dd/mm/yyyy hh:mm, then A or P).
void dateTimeKeyDown(zv::ui::TextBox box, int &KeyCode, int Shift);

} // namespace zv::dateinput
