#pragma once
#include "dateinput/DateText.h"
#include <QString>

// Validation of numeric dates ("05/01/2004", month 1..12) and times, with
// the status codes DB128, DB129 and DB130 shown through the caller's hook,
// whose failure is let through.
class QARNDATEVALIDATE {
public:
    using StatusDisplay = zv::dateinput::StatusDisplay;

    // "05/01/2004 07:05 PM" -> "5-Jan-2004 07:05 PM"; "__/__/____ __:__ _M"
    // for a blank date (the time is then not looked at); empty when refused.
    QString validateDateTime(const QString &DateTimeText, const StatusDisplay &Footer, const QString &DateFormat,
                             bool Mandatory, const QString &MinYear, const QString &Caption);
    // "05/01/2004" -> "5-Jan-2004" (a format beginning "MM" or "mm" reads the
    // month first); "__/__/____" for a blank date (DB128 with the caption
    // first when Mandatory); empty when the text is no date (DB129 shown).
    QString validateDate(const QString &DateText, const StatusDisplay &Footer, const QString &DateFormat,
                         bool Mandatory, const QString &MinYear, const QString &Caption);
    // "05/01/2004" -> "'05-Jan-2004'"; "Null" when no date.
    QString GetDate(const QString &DateText);
    // "hh:mm AM"/"hh:mm PM"; "__:__ _M" for a blank time; empty when refused.
    QString validateTime(const QString &TimeText, const StatusDisplay &Footer, const QString &Caption);
    // "'05-Jan-2004 07:05 PM'"; "NULL" when the text is no date.
    QString GetDateTime(const QString &DateTimeText);

private:
    void DisplayStatus(const QString &code, const StatusDisplay &Footer, const QString &prefix, const QString &suffix);
};
