#pragma once
#include <QList>
#include <QString>
#include <QStringView>

class QLineEdit;

namespace zv::fw {

// The text rule every box of the program keeps at Ok, whatever way the text
// came in (typed, pasted, dropped): no control or invisible format character
// (Unicode categories Cc and Cf, line and paragraph separators), which a
// paste could bring past the key filters, and, in most boxes, no quote and
// no bar.
enum class QuoteAndBar { Refused, Allowed };
bool isRefusedCharacter(char32_t c, QuoteAndBar quoteAndBar = QuoteAndBar::Refused);

// Position (in UTF-16 units) of the character to point the user at, or -1
// when the text keeps the rule: the first quote, else the first bar, else
// the first other refused character.
qsizetype firstRefusedCharacter(QStringView text, QuoteAndBar quoteAndBar = QuoteAndBar::Refused);

inline const QString kInvalidCharacters = QStringLiteral("Invalid character(s) found.\r\n\r\nPlease re-enter");

// The Ok check of a box. True when the text breaks the rule: "Invalid
// character(s) found. Please re-enter" was then shown, the character is
// selected and the box has the focus.
bool refuseInvalidCharacters(QLineEdit *box, QuoteAndBar quoteAndBar = QuoteAndBar::Refused);
// The boxes in turn; stops at the first that refuses.
bool refuseInvalidCharacters(const QList<QLineEdit *> &boxes, QuoteAndBar quoteAndBar = QuoteAndBar::Refused);

// Pasting into the box (paste keys, the context menu, middle click, a drop)
// a text that would make it longer than its MaxLength is refused with a
// message, where the box alone would cut the text short without a word.
void refuseOverlongPaste(QLineEdit *box);
// The message of that refusal.
QString overlongPasteMessage(int maxLength);

} // namespace zv::fw
