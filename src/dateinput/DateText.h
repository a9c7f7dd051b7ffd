#pragma once
#include <QDate>
#include <QString>
#include <functional>

// Text rules shared by the date classes: how a masked date, time or
// date-and-time text is read, and the strict calendar checks behind them.
// Month names are English whatever the locale.
namespace zv::dateinput {

// Shows a coded status message ("ZVE129" ...) with a prefix and a suffix.
// Forms wire it to their utility object's DisplayStatus and footer; an empty
// hook shows nothing.
using StatusDisplay = std::function<void(const QString &code, const QString &prefix, const QString &suffix)>;

// Wires the hook to a form's utility object and footer:
//   dv.validateDate(txt.Text(), statusVia(util, footer), ...)
template <class Utility, class Footer>
StatusDisplay statusVia(Utility &utility, Footer &footer) {
    return [&utility, &footer](const QString &code, const QString &prefix, const QString &suffix) {
        utility.DisplayStatus(code, footer, prefix, suffix);
    };
}

inline const QString kMonthNameMask = QStringLiteral("__-___-____");
inline const QString kMonthNameMaskSlashed = QStringLiteral("__/___/____");
inline const QString kNumericMask = QStringLiteral("__/__/____");
inline const QString kNumericMaskDashed = QStringLiteral("__-__-____");
inline const QString kDateTimeMask = QStringLiteral("__/__/____ __:__ _M");
inline const QString kMonthNameDateTimeBlank = QStringLiteral("__/___/____ __:__ _M");
inline const QString kBlankTime = QStringLiteral("__:__ _M");

namespace text {

// x with every "_" removed.
QString digitsOf(const QString &x);
// The number x begins with (leading blanks skipped), 0 when it begins with none.
qint64 numberOf(const QString &x);
// Whether x, blanks trimmed, is a whole number without sign.
bool isWholeNumber(const QString &x);
// Characters i..j (1-based, inclusive) and from i on; never past the end.
QString chars(const QString &x, int from, int to);
QString charsFrom(const QString &x, int from);

// Calendar date from day, month (English name or abbreviation, any case) and
// year text (digits only); invalid when any part is not one.
QDate calendarDate(qint64 day, const QString &month, const QString &year);
// "d-MMM-yyyy" read strictly (1 or 2 day digits, English month, 4 year digits).
QDate dayMonthYear(const QString &text);

// Validated "hh:mm AM" text to hour 0..23 and minute; false when not a time.
bool clockTime(const QString &text, int &hour24, int &minute);

// A two-character text of the number: "7" -> "07".
QString twoDigits(qint64 n);

} // namespace text

// The validated date text of validateDate ("5-Jan-2004") as a date; invalid
// for the blank mask, an empty text or anything else.
QDate dateOfValidated(const QString &validated);

} // namespace zv::dateinput
