#include "dateinput/QARNDATEVALIDATE.h"
#include "dateinput/DateChecks.h"
#include "platform/db/Dates.h"

using namespace zv::dateinput;
using namespace zv::dateinput::text;

void QARNDATEVALIDATE::DisplayStatus(const QString &code, const StatusDisplay &Footer, const QString &prefix,
                                     const QString &suffix) {
    checks::show(&Footer, code, prefix, suffix);
}

QString QARNDATEVALIDATE::validateDate(const QString &DateText, const StatusDisplay &Footer,
                                       const QString &DateFormat, bool Mandatory, const QString &MinYear,
                                       const QString &Caption) {
    try {
        const QString &t = DateText;
        const QString minYear = MinYear.isEmpty() ? QStringLiteral("1800") : MinYear;
        if (t == kNumericMaskDashed || t == kNumericMask) {
            if (Mandatory)
                DisplayStatus(QStringLiteral("DB128"), Footer, Caption, QString());
            return kNumericMask;
        }
        const qint64 first = numberOf(digitsOf(chars(t, 1, 2)));
        const qint64 second = numberOf(digitsOf(chars(t, 4, 5)));
        const bool monthFirst = DateFormat.startsWith(QLatin1String("MM")) || DateFormat.startsWith(QLatin1String("mm"));
        const qint64 day = monthFirst ? second : first;
        const qint64 month = monthFirst ? first : second;
        if (month < 1 || month > 12) {
            DisplayStatus(QStringLiteral("DB129"), Footer, QString(), QString());
            return {};
        }
        const QString monthName = zv::db::monthAbbrev(int(month));
        QString year = digitsOf(charsFrom(t, 7));
        if (year.size() != 4 && year.size() != 2) {
            DisplayStatus(QStringLiteral("DB129"), Footer, QStringLiteral("Invalid Date"), QString());
            return {};
        }
        if (year.size() == 2)
            year.prepend(QStringLiteral("20"));
        if (numberOf(minYear) > numberOf(year)) {
            DisplayStatus(QStringLiteral("DB129"), Footer, QString(), QString());
            return {};
        }
        const QString d = QString::number(day) + QLatin1Char('-') + monthName + QLatin1Char('-') + year;
        if (dayMonthYear(d).isValid())
            return d;
        DisplayStatus(QStringLiteral("DB129"), Footer, QStringLiteral("Invalid Date"), QString());
        return {};
    } catch (...) {
        return {};
    }
}

QString QARNDATEVALIDATE::validateDateTime(const QString &DateTimeText, const StatusDisplay &Footer,
                                           const QString &DateFormat, bool Mandatory, const QString &MinYear,
                                           const QString &Caption) {
    try {
        const QString minYear = MinYear.isEmpty() ? QStringLiteral("1800") : MinYear;
        const QString timePart = DateTimeText.right(8);
        const QString datePart = DateTimeText.left(10);
        const QString r = validateDate(datePart, Footer, DateFormat, Mandatory, minYear, Caption);
        if (r.isEmpty())
            return {};
        if (r == kNumericMask)
            return kDateTimeMask;
        const QString s = validateTime(timePart, Footer, Caption);
        if (!s.isEmpty() && s != kBlankTime)
            return r + QLatin1Char(' ') + s;
        return {};
    } catch (...) {
        return {};
    }
}

QString QARNDATEVALIDATE::GetDate(const QString &DateText) { return checks::getDate(DateText); }

QString QARNDATEVALIDATE::validateTime(const QString &TimeText, const StatusDisplay &Footer, const QString &Caption) {
    return checks::validateTime(TimeText, &Footer, Caption, QStringLiteral("DB130"));
}

QString QARNDATEVALIDATE::GetDateTime(const QString &DateTimeText) { return checks::getDateTime(DateTimeText); }
