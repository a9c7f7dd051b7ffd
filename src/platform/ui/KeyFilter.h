#pragma once
#include <QLineEdit>   // TextBox.h needs the complete type for its inline members
#include "TextBox.h"
#include <QString>

namespace zv::ui {

// The 30 punctuation characters that most text boxes refuse. Neither the
// single quote nor the vertical bar is in it: those two are refused always.
const QString &punctuationList();

// Screens the key presses of a text box. A form's KeyPress handler replaces
// the typed character code by what FilterKey returns; 0 drops the key.
//
// Modes (pass them by name):
//   Digits (0)             digits only; Chars names further characters that
//                          are admitted (such as "-+()" for telephone numbers)
//   LettersAndDigits (2)   a code or login name: no blanks; Chars names
//                          characters that are refused; Flag upper-cases letters
//   Text (3)               free text: every printable character but those
//                          named in Chars
//   TextWithoutBlanks (6)  a password: as Text, but no blanks
//   any other mode acts as Text.
// Control characters (Backspace, Enter, Esc, Tab, Ctrl+C/V/X ...) always
// pass; "'" and "|" are never admitted, whatever the mode and the list.
class KeyFilter {
public:
    static constexpr int Digits = 0;
    static constexpr int LettersAndDigits = 2;
    static constexpr int Text = 3;
    static constexpr int TextWithoutBlanks = 6;

    int FilterKey(const TextBox &box, int Mode, int KeyAscii, const QString &Chars, int Reserved1 = 0,
                  int Reserved2 = 0, bool Flag = false) const;

    // The same decision without a text box.
    static int filter(int Mode, int KeyAscii, const QString &Chars, bool Flag = false);
};

} // namespace zv::ui
