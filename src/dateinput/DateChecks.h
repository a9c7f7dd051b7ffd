#pragma once
#include "dateinput/DateText.h"
#include <QString>

// Members that the month-name and the numeric date classes share, apart from
// their status codes.
namespace zv::dateinput::checks {

// Shows code through the hook, when there is one.
void show(const StatusDisplay *hook, const QString &code, const QString &prefix, const QString &suffix);

// "7_:5_ PM" -> "07:05 PM"; kBlankTime for a blank time; empty when refused.
// code is shown, with the caption first, for a blank time and a refused one.
QString validateTime(const QString &t, const StatusDisplay *F, const QString &C, const QString &code);
// Numeric layout "05/01/2004" -> "'05-Jan-2004'"; "Null" when no date.
QString getDate(const QString &t);
// "05/01/2004 07:05 PM" (or a date alone, or "5-Jan-2004 ...") ->
// "'05-Jan-2004 07:05 PM'"; "NULL" when no date.
QString getDateTime(const QString &t);

} // namespace zv::dateinput::checks
