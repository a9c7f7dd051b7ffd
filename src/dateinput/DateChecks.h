#pragma once
#include "dateinput/DateText.h"
#include <QString>

// Members that the month-name and the numeric date classes share, apart from
// their status codes.
namespace zv::dateinput::checks {

// What sets the numeric and the month-name date classes apart in the checks
// they share: their blank answers and their status codes.
struct Generation {
    QString blankDate;       // validateDate's answer when no date was typed
    QString blankDateTime;   // validateDateTime's
    QString blankCode;       // no date where one is mandatory
    QString invalidCode;     // no date
    QString timeCode;        // no time
};

// Shows code through the hook, when there is one.
void show(const StatusDisplay *hook, const QString &code, const QString &prefix, const QString &suffix);

// The rest of a date whose day and month (a name) are read: the year of 4 or
// 2 digits (20yy), not before minYear (empty: 1800), and the calendar.
// "5-Jan-2004"; empty when refused (invalidCode shown).
QString dateOf(const Generation &g, qint64 day, const QString &month, const QString &yearText,
               const QString &minYear, const StatusDisplay *F);
// The validated date (validateDate's answer) followed by the time checked
// from timeText: "5-Jan-2004 07:05 PM"; g.blankDateTime when no date was
// typed (the time is then not looked at); empty when either is refused.
QString withTime(const Generation &g, const QString &date, const QString &timeText, const StatusDisplay *F,
                 const QString &caption);

// "7_:5_ PM" -> "07:05 PM"; kBlankTime for a blank time; empty when refused.
// code is shown, with the caption first, for a blank time and a refused one.
QString validateTime(const QString &t, const StatusDisplay *F, const QString &C, const QString &code);
// Numeric layout "05/01/2004" -> "'05-Jan-2004'"; "Null" when no date.
QString getDate(const QString &t);
// "05/01/2004 07:05 PM" (or a date alone, or "5-Jan-2004 ...") ->
// "'05-Jan-2004 07:05 PM'"; "NULL" when no date.
QString getDateTime(const QString &t);

} // namespace zv::dateinput::checks
