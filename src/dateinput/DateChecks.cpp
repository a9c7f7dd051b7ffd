#include "dateinput/DateChecks.h"
#include "platform/db/Dates.h"
#include <QRegularExpression>

namespace zv::dateinput::checks {

using namespace zv::dateinput::text;

void show(const StatusDisplay *hook, const QString &code, const QString &prefix, const QString &suffix) {
    if (hook && *hook)
        (*hook)(code, prefix, suffix);
}

QString dateOf(const Generation &g, qint64 day, const QString &month, const QString &yearText,
               const QString &minYear, const StatusDisplay *F) {
    QString year = yearText;
    if (year.size() != 4 && year.size() != 2) {
        show(F, g.invalidCode, QStringLiteral("Invalid Date"), QString());
        return {};
    }
    if (year.size() == 2)
        year.prepend(QStringLiteral("20"));
    if (numberOf(minYear.isEmpty() ? QStringLiteral("1800") : minYear) > numberOf(year)) {
        show(F, g.invalidCode, QString(), QString());
        return {};
    }
    const QString d = QString::number(day) + QLatin1Char('-') + month + QLatin1Char('-') + year;
    if (dayMonthYear(d).isValid())
        return d;
    show(F, g.invalidCode, QStringLiteral("Invalid Date"), QString());
    return {};
}

QString withTime(const Generation &g, const QString &date, const QString &timeText, const StatusDisplay *F,
                 const QString &caption) {
    if (date.isEmpty())
        return {};
    if (date == g.blankDate)
        return g.blankDateTime;
    const QString time = validateTime(timeText, F, caption, g.timeCode);
    if (!time.isEmpty() && time != kBlankTime)
        return date + QLatin1Char(' ') + time;
    return {};
}

QString validateTime(const QString &t, const StatusDisplay *F, const QString &C, const QString &code) {
    if (t.trimmed().left(5) == QLatin1String("__:__")) {
        show(F, code, C, QString());
        return kBlankTime;
    }
    const qint64 hour = numberOf(digitsOf(chars(t, 1, 2)));
    const qint64 minute = numberOf(digitsOf(chars(t, 4, 5)));
    if (hour > 12 || hour < 0 || (hour == 0 && minute == 0) || minute >= 60) {
        show(F, code, C, QString());
        return {};
    }
    QString suffix = t.trimmed().right(2).toUpper();
    if (suffix != QLatin1String("AM") && suffix != QLatin1String("PM"))
        suffix = QStringLiteral("AM");
    const QString x = twoDigits(hour) + QLatin1Char(':') + twoDigits(minute) + QLatin1Char(' ') + suffix;
    int h24 = 0, m = 0;
    return clockTime(x, h24, m) ? x : QString();
}

QString getDate(const QString &t) {
    const qint64 day = numberOf(digitsOf(chars(t, 1, 2)));
    const qint64 month = numberOf(digitsOf(chars(t, 4, 5)));
    if (month == 0 || month > 12)
        return QStringLiteral("Null");
    QString year = digitsOf(charsFrom(t, 7));
    if (year.size() != 4 && year.size() != 2)
        return QStringLiteral("Null");
    if (year.size() == 2)
        year.prepend(QStringLiteral("20"));
    const QDate d = calendarDate(day, zv::db::monthAbbrev(int(month)), year);
    if (!d.isValid())
        return QStringLiteral("Null");
    return QLatin1Char('\'') + zv::db::toDisplayDate(d) + QLatin1Char('\'');
}

// A date (day, month as number or English name, four-digit year, separated by
// "/" or "-") with an optional time ("h:mm", "h:mm:ss", with or without AM/PM).
static bool readDateTime(const QString &t, QDate &date, int &hour, int &minute) {
    static const QRegularExpression re(QStringLiteral(
        "^\\s*(\\d{1,2})[/-]([0-9]{1,2}|[A-Za-z]{3,9})[/-](\\d{4})"
        "(?:\\s+(\\d{1,2}):(\\d{2})(?::(\\d{2}))?(?:\\s*([AaPp][Mm]))?)?\\s*$"));
    const auto m = re.match(t);
    if (!m.hasMatch())
        return false;
    const QString monthText = m.captured(2);
    const QString month = isWholeNumber(monthText) ? zv::db::monthAbbrev(monthText.toInt()) : monthText;
    date = calendarDate(m.captured(1).toInt(), month, m.captured(3));
    if (!date.isValid())
        return false;
    hour = 0;
    minute = 0;
    if (m.captured(4).isEmpty())
        return true;
    hour = m.captured(4).toInt();
    minute = m.captured(5).toInt();
    if (minute > 59 || (!m.captured(6).isEmpty() && m.captured(6).toInt() > 59))
        return false;
    const QString ampm = m.captured(7).toUpper();
    if (ampm.isEmpty())
        return hour <= 23;
    if (hour > 12)
        return false;
    hour = hour % 12 + (ampm == QLatin1String("PM") ? 12 : 0);
    return true;
}

QString getDateTime(const QString &t) {
    QDate date;
    int hour = 0, minute = 0;
    if (!readDateTime(t, date, hour, minute))
        return QStringLiteral("NULL");
    const int h12 = hour % 12 == 0 ? 12 : hour % 12;
    return QLatin1Char('\'') + zv::db::toDisplayDate(date) + QLatin1Char(' ') + twoDigits(h12) + QLatin1Char(':') +
           twoDigits(minute) + (hour < 12 ? QStringLiteral(" AM") : QStringLiteral(" PM")) + QLatin1Char('\'');
}

} // namespace zv::dateinput::checks
