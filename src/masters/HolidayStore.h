#pragma once
#include "platform/db/Connection.h"
#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace zv::masters {

// A line of a year's holiday list.
struct HolidayLine {
    QString isoDate; // as stored
    QString description;
    qint64 lineKey = 0;
};

// The holiday lists: one header per year (Holday_List_Hdr) and its dated
// lines (Holday_List_Det); and the work allocated to employees on a day,
// which the employees' program records month by month. Failures are thrown.
class HolidayStore {
public:
    explicit HolidayStore(zv::db::Connection &conn) : m_conn(conn) {}

    static const QString headerTable;
    // Statements that fail when a table lacks a column the form needs.
    static QStringList probeStatements();

    bool anyList();
    bool listExists(qint64 list);
    // The list's year as stored; nothing when the list is gone.
    std::optional<QString> yearOf(qint64 list);
    bool yearHasList(int year);
    // The list's lines by date.
    QList<HolidayLine> lines(qint64 list);
    bool lineExists(qint64 list, qint64 line);
    void deleteLine(qint64 list, qint64 line);
    // Whether the day is a holiday in any list.
    bool isHoliday(const QDate &day);
    bool workAllocated(const QDate &day);

    enum class LineSaved { Saved, YearTaken, DayInAnotherList };
    // Writes the line into the year's list, starting the list when the year
    // has none (its key in listKey). YearTaken: another list of the year
    // turned up, and the one found or made, being without lines, was removed.
    // DayInAnotherList: the caller must undo. Runs in the caller's transaction.
    LineSaved saveLine(int year, const QDate &day, const QString &description, qint64 &listKey);

private:
    zv::db::Connection &m_conn;
};

} // namespace zv::masters
