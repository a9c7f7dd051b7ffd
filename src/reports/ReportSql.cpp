#include "ReportSql.h"
#include "platform/db/Dates.h"
#include <QDate>
#include <QJsonArray>
#include <QJsonDocument>
#include <QStringList>

namespace zv::reports {

namespace {
constexpr int kMaxInlineKeys = 500;
}

QVariantList selectionKeys(const QString &list) {
    QVariantList keys;
    for (QString item : list.split(QLatin1Char(','))) {
        item.remove(QLatin1Char('\'')).remove(QLatin1Char('[')).remove(QLatin1Char(']'));
        item = item.trimmed();
        if (item.isEmpty())
            continue;
        bool ok = false;
        const qlonglong n = item.toLongLong(&ok);
        keys << (ok ? QVariant(n) : QVariant(item));
    }
    return keys;
}

QString inKeys(const QString &column, const QVariantList &keys, QVariantList &params) {
    if (keys.size() > kMaxInlineKeys) {
        params << QString::fromUtf8(QJsonDocument(QJsonArray::fromVariantList(keys)).toJson(QJsonDocument::Compact));
        return column + QStringLiteral(" IN (SELECT value FROM json_each(?))");
    }
    QStringList marks;
    for (const QVariant &k : keys) {
        marks << QStringLiteral("?");
        params << k;
    }
    return column + QStringLiteral(" IN (") + marks.join(QStringLiteral(", ")) + QLatin1Char(')');
}

void addSelection(BoundSql &q, const QString &column, const QString &list) {
    const QVariantList keys = selectionKeys(list);
    if (keys.isEmpty())
        return;
    QVariantList values;
    const QString in = inKeys(column, keys, values);
    q.add(QStringLiteral(" AND ") + in, values);
}

bool monthBounds(int month, int year, QString &from, QString &until) {
    const QDate first(year, month, 1);
    if (month < 1 || month > 12 || year < 1 || year > 9999 || !first.isValid())
        return false;
    from = zv::db::toIsoDate(first);
    until = zv::db::toIsoDate(first.addMonths(1));
    if (until.isEmpty())
        until = QStringLiteral("10000-01-01");
    return true;
}

std::optional<DayRange> reportPeriod(bool monthMode, int month, int year, const QDate &day) {
    if (monthMode) {
        DayRange r;
        if (!monthBounds(month, year, r.from, r.until))
            r = DayRange();
        return r;
    }
    if (day.isValid()) {
        DayRange r{zv::db::toIsoDate(day), zv::db::toIsoDate(day.addDays(1))};
        if (r.until.isEmpty())
            r.until = QStringLiteral("10000-01-01");
        return r;
    }
    return std::nullopt;
}

void addRange(BoundSql &q, const QString &column, const std::optional<DayRange> &range) {
    if (!range)
        return;
    if (range->matchesNothing())
        q.add(QStringLiteral(" AND 0"));
    else
        q.add(QStringLiteral(" AND ") + column + QStringLiteral(" >= ? AND ") + column + QStringLiteral(" < ?"),
              {range->from, range->until});
}

} // namespace zv::reports
