#include "Dates.h"
#include <QRegularExpression>

namespace zv::db {

namespace {
const char *const kMonths[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                 "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
const char *const kMonthNames[12] = {"January", "February", "March",     "April",   "May",      "June",
                                     "July",    "August",   "September", "October", "November", "December"};
} // namespace

QString toIsoDate(const QDate &d) {
    if (!d.isValid())
        return QString();
    // Formatted by hand: this runs for every date bound into a statement.
    int y = d.year(), m = d.month(), day = d.day();
    const char16_t buf[10] = {char16_t(u'0' + y / 1000 % 10), char16_t(u'0' + y / 100 % 10),
                              char16_t(u'0' + y / 10 % 10),   char16_t(u'0' + y % 10),
                              u'-',
                              char16_t(u'0' + m / 10),        char16_t(u'0' + m % 10),
                              u'-',
                              char16_t(u'0' + day / 10),      char16_t(u'0' + day % 10)};
    return QString(reinterpret_cast<const QChar *>(buf), 10);
}

QDate fromIsoDate(const QString &s) {
    static const QRegularExpression re(QStringLiteral("^(\\d{4})-(\\d{2})-(\\d{2})"));
    const auto m = re.match(s.trimmed());
    if (!m.hasMatch())
        return {};
    return QDate(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
}

QString monthAbbrev(int month) {
    return month >= 1 && month <= 12 ? QString::fromLatin1(kMonths[month - 1]) : QString();
}

int monthFromAbbrev(const QString &name) {
    const QString n = name.trimmed();
    for (int i = 0; i < 12; ++i)
        if (n.compare(QLatin1String(kMonths[i]), Qt::CaseInsensitive) == 0 ||
            n.compare(QLatin1String(kMonthNames[i]), Qt::CaseInsensitive) == 0)
            return i + 1;
    return 0;
}

QString toDisplayDate(const QDate &d) {
    return d.isValid() ? QStringLiteral("%1-%2-%3")
                             .arg(d.day(), 2, 10, QLatin1Char('0'))
                             .arg(monthAbbrev(d.month()))
                             .arg(d.year(), 4, 10, QLatin1Char('0'))
                       : QString();
}

QDate fromDisplayDate(const QString &s) {
    static const QRegularExpression re(QStringLiteral("^(\\d{1,2})-([A-Za-z]{3})-(\\d{4})$"));
    const auto m = re.match(s.trimmed());
    if (!m.hasMatch())
        return {};
    const int month = monthFromAbbrev(m.captured(2));
    if (month == 0)
        return {};
    return QDate(m.captured(3).toInt(), month, m.captured(1).toInt());
}

QString isoToDisplay(const QString &iso) {
    static const QRegularExpression re(QStringLiteral("^\\d{4}-\\d{2}-\\d{2}( 00:00:00)?$"));
    if (!re.match(iso).hasMatch())
        return iso;
    const QDate d = fromIsoDate(iso);
    return d.isValid() ? toDisplayDate(d) : iso;
}

QString displayToIso(const QString &display) { return toIsoDate(fromDisplayDate(display)); }

int vbWeekday(const QDate &d) { return d.dayOfWeek() % 7 + 1; }

QVariant dateParam(const QDate &d) { return d.isValid() ? QVariant(toIsoDate(d)) : QVariant(); }

} // namespace zv::db
