#include "KeyFilter.h"

namespace zv::ui {

const QString &punctuationList() {
    static const QString list = QStringLiteral("~!@#$%^&*()_+{}:\"<>?`-=\\[];,./");
    return list;
}

namespace {
bool isControl(int code) { return (code >= 0 && code < 32) || code == 127; }
bool isAsciiLetter(QChar c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }
bool isAsciiDigit(QChar c) { return c >= u'0' && c <= u'9'; }
} // namespace

int KeyFilter::filter(int Mode, int KeyAscii, const QString &Chars, bool Flag) {
    if (isControl(KeyAscii))
        return KeyAscii;
    if (KeyAscii < 0 || KeyAscii > 0xFFFF)
        return 0;
    const QChar c(static_cast<char16_t>(KeyAscii));
    // These two break the statements and the list texts the data ends up in.
    if (c == u'\'' || c == u'|')
        return 0;
    if (!c.isPrint())
        return 0;

    switch (Mode) {
    case Digits:
        return (isAsciiDigit(c) || Chars.contains(c)) ? KeyAscii : 0;
    case LettersAndDigits:
        if (Chars.contains(c) || !(isAsciiLetter(c) || isAsciiDigit(c)))
            return 0;
        return Flag ? c.toUpper().unicode() : KeyAscii;
    case TextWithoutBlanks:
        if (c.isSpace())
            return 0;
        return Chars.contains(c) ? 0 : KeyAscii;
    default:
        return Chars.contains(c) ? 0 : KeyAscii;
    }
}

int KeyFilter::FilterKey(const TextBox &box, int Mode, int KeyAscii, const QString &Chars, int Reserved1,
                         int Reserved2, bool Flag) const {
    (void)box;
    (void)Reserved1;
    (void)Reserved2;
    return filter(Mode, KeyAscii, Chars, Flag);
}

} // namespace zv::ui
