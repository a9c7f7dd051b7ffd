#pragma once
#include <QDate>
#include <QString>
#include <QVariantList>
#include <optional>
#include "platform/db/BoundSql.h"

namespace zv::reports {

using zv::db::BoundSql;

// The keys of an employee selection list ("3,1,7", quotes and blanks
// ignored) as bound values: whole numbers as numbers, anything else as text.
QVariantList selectionKeys(const QString &list);

// "column IN (?, ?, ...)" over the keys, their values appended to params.
// A long list travels as one JSON array value instead, so that no statement
// outgrows the database's limit on values.
QString inKeys(const QString &column, const QVariantList &keys, QVariantList &params);

// " AND column IN (...)" over the keys of an employee selection list; nothing
// for a list without keys (every employee).
void addSelection(BoundSql &q, const QString &column, const QString &list);

// The first and the day after the last day of a month, as ISO texts: the
// bounds of "column >= ? AND column < ?". False for a month outside 1..12 or
// a year outside 1..9999.
bool monthBounds(int month, int year, QString &from, QString &until);

// A half-open range of days [from, until) as ISO texts; an empty from matches
// no day at all.
struct DayRange {
    QString from, until;
    bool matchesNothing() const { return from.isEmpty(); }
};

// The days a month-or-date filter covers: the month's days in month mode
// (nothing for a month that does not exist), else the one day when it is
// valid; no range at all (any day) otherwise.
std::optional<DayRange> reportPeriod(bool monthMode, int month, int year, const QDate &day);

// " AND column >= ? AND column < ?" for the range, " AND 0" for a range that
// matches nothing, nothing without a range.
void addRange(BoundSql &q, const QString &column, const std::optional<DayRange> &range);

} // namespace zv::reports
