#include "dateinput/DateText.h"
#include "platform/db/Dates.h"

namespace zv::dateinput {
namespace text {

QString digitsOf(const QString &x) {
    QString r = x;
    r.remove(QLatin1Char('_'));
    return r;
}

qint64 numberOf(const QString &x) {
    int i = 0;
    while (i < x.size() && (x.at(i) == QLatin1Char(' ') || x.at(i) == QLatin1Char('\t')))
        ++i;
    qint64 n = 0;
    // Masked fields hold a handful of digits; the cap only keeps odd input from overflowing.
    for (; i < x.size() && x.at(i).isDigit() && x.at(i).unicode() < 128; ++i)
        n = qMin<qint64>(n * 10 + (x.at(i).unicode() - '0'), 1000000000);
    return n;
}

bool isWholeNumber(const QString &x) {
    const QString t = x.trimmed();
    if (t.isEmpty())
        return false;
    for (QChar c : t)
        if (c.unicode() < '0' || c.unicode() > '9')
            return false;
    return true;
}

QString chars(const QString &x, int from, int to) {
    if (from < 1 || to < from || from > x.size())
        return {};
    return x.mid(from - 1, to - from + 1);
}

QString charsFrom(const QString &x, int from) {
    if (from < 1 || from > x.size())
        return {};
    return x.mid(from - 1);
}

QDate calendarDate(qint64 day, const QString &month, const QString &year) {
    const int m = zv::db::monthFromAbbrev(month);
    if (m == 0 || month != month.trimmed() || year.size() != 4 || !isWholeNumber(year))
        return {};
    const int y = year.toInt();
    if (y < 100 || day < 1 || day > 31)
        return {};
    // QDate rejects a day beyond the month's length, leap years included.
    return QDate(y, m, int(day));
}

QDate dayMonthYear(const QString &text) {
    const QStringList parts = text.split(QLatin1Char('-'));
    if (parts.size() != 3)
        return {};
    const QString &d = parts.at(0);
    if (d.isEmpty() || d.size() > 2 || !isWholeNumber(d) || d != d.trimmed())
        return {};
    return calendarDate(d.toInt(), parts.at(1), parts.at(2));
}

bool clockTime(const QString &text, int &hour24, int &minute) {
    // "hh:mm AM" or "hh:mm PM"
    if (text.size() != 8 || text.at(2) != QLatin1Char(':') || text.at(5) != QLatin1Char(' '))
        return false;
    const QString h = text.left(2), m = text.mid(3, 2), s = text.right(2);
    if (!isWholeNumber(h) || !isWholeNumber(m) || h.trimmed() != h || m.trimmed() != m)
        return false;
    if (s != QLatin1String("AM") && s != QLatin1String("PM"))
        return false;
    const int hh = h.toInt(), mm = m.toInt();
    if (hh > 12 || mm > 59)
        return false;
    hour24 = (hh % 12) + (s == QLatin1String("PM") ? 12 : 0);
    minute = mm;
    return true;
}

QString twoDigits(qint64 n) {
    const QString s = QString::number(n);
    return s.size() == 1 ? QLatin1Char('0') + s : s;
}

} // namespace text

QDate dateOfValidated(const QString &validated) { return text::dayMonthYear(validated); }

} // namespace zv::dateinput
