#include "HolidayStore.h"
#include "StoreQueries.h"
#include "platform/db/Dates.h"
#include <QLocale>

namespace zv::masters {

const QString HolidayStore::headerTable = QStringLiteral("Holday_List_Hdr");

QStringList HolidayStore::probeStatements() {
    return {QStringLiteral("SELECT Sys_Holday_List_Num, Fincl_Year FROM Holday_List_Hdr WHERE 1=2"),
            QStringLiteral("SELECT Sys_Holday_List_Num, Sys_Holday_List_Line_Num, Holday_Date, Holday_Desc "
                           "FROM Holday_List_Det WHERE 1=2")};
}

bool HolidayStore::anyList() { return anyRow(m_conn, QStringLiteral("Holday_List_Hdr")); }

bool HolidayStore::listExists(qint64 list) {
    return anyRow(m_conn, QStringLiteral("Holday_List_Hdr WHERE Sys_Holday_List_Num = ?"), {list});
}

std::optional<QString> HolidayStore::yearOf(qint64 list) {
    const auto rs =
        m_conn.query(QStringLiteral("SELECT Fincl_Year FROM Holday_List_Hdr WHERE Sys_Holday_List_Num = ?"), {list});
    if (rs.isEmpty())
        return std::nullopt;
    return rs.valueAt(0, 0).toString();
}

bool HolidayStore::yearHasList(int year) {
    return anyRow(m_conn, QStringLiteral("Holday_List_Hdr WHERE Fincl_Year = ?"), {year});
}

QList<HolidayLine> HolidayStore::lines(qint64 list) {
    const auto rs =
        m_conn.query(QStringLiteral("SELECT Holday_Date, Holday_Desc, Sys_Holday_List_Line_Num "
                                    "FROM Holday_List_Det WHERE Sys_Holday_List_Num = ? ORDER BY Holday_Date"),
                     {list});
    QList<HolidayLine> result;
    for (int i = 0; i < rs.recordCount(); ++i)
        result.append({rs.valueAt(i, 0).toString(), rs.valueAt(i, 1).toString(), rs.valueAt(i, 2).toLongLong()});
    return result;
}

bool HolidayStore::lineExists(qint64 list, qint64 line) {
    return anyRow(m_conn,
                  QStringLiteral("Holday_List_Det WHERE Sys_Holday_List_Num = ? AND Sys_Holday_List_Line_Num = ?"),
                  {list, line});
}

void HolidayStore::deleteLine(qint64 list, qint64 line) {
    m_conn.execute(QStringLiteral("DELETE FROM Holday_List_Det WHERE Sys_Holday_List_Num = ? "
                                  "AND Sys_Holday_List_Line_Num = ?"),
                   {list, line});
}

bool HolidayStore::isHoliday(const QDate &day) {
    return anyRow(m_conn, QStringLiteral("Holday_List_Det WHERE Holday_Date = ?"), {zv::db::dateParam(day)});
}

bool HolidayStore::workAllocated(const QDate &day) {
    // The month is found by its full English name; the day's column by its number.
    return !m_conn
                .query(QStringLiteral("SELECT 1 FROM actvty_mnth_hdr hd, Sys_Const SC, actvty_mnth_det dt "
                                      "WHERE hd.Sys_Afm_Num = dt.Sys_Afm_Num AND hd.yr = ? "
                                      "AND SC.Scrn_Const_Desc = ? AND dt.Day%1 = '*' "
                                      "AND hd.Sys_Const_Num = SC.Sys_Const_Num LIMIT 1")
                           .arg(day.day()),
                       {day.year(), QLocale::c().monthName(day.month())})
                .isEmpty();
}

HolidayStore::LineSaved HolidayStore::saveLine(int year, const QDate &day, const QString &description,
                                               qint64 &listKey) {
    auto &c = m_conn;
    listKey = findOrAdd(c,
                        QStringLiteral("SELECT Sys_Holday_List_Num FROM Holday_List_Hdr WHERE Fincl_Year = ? "
                                       "ORDER BY Sys_Holday_List_Num LIMIT 1"),
                        QStringLiteral("INSERT INTO Holday_List_Hdr (Fincl_Year) VALUES (?)"), year);
    // A second list of the year: the one without lines gives way.
    const bool second =
        anyRow(c, QStringLiteral("Holday_List_Hdr WHERE Sys_Holday_List_Num <> ? AND Fincl_Year = ?"), {listKey, year});
    if (second && !anyRow(c, QStringLiteral("Holday_List_Det WHERE Sys_Holday_List_Num = ?"), {listKey})) {
        c.execute(QStringLiteral("DELETE FROM Holday_List_Hdr WHERE Sys_Holday_List_Num = ?"), {listKey});
        return LineSaved::YearTaken;
    }
    const QVariant dayList = c.scalar(QStringLiteral("SELECT Sys_Holday_List_Num FROM Holday_List_Det "
                                                     "WHERE Holday_Date = ? ORDER BY Sys_Holday_List_Num = ? DESC "
                                                     "LIMIT 1"),
                                      {zv::db::dateParam(day), listKey});
    if (dayList.isNull())
        c.execute(QStringLiteral("INSERT INTO Holday_List_Det (Sys_Holday_List_Num, Holday_Date, Holday_Desc) "
                                 "VALUES (?, ?, ?)"),
                  {listKey, zv::db::dateParam(day), description});
    else if (dayList.toLongLong() == listKey)
        c.execute(QStringLiteral("UPDATE Holday_List_Det SET Holday_Desc = ? "
                                 "WHERE Holday_Date = ? AND Sys_Holday_List_Num = ?"),
                  {description, zv::db::dateParam(day), listKey});
    else
        return LineSaved::DayInAnotherList;
    return LineSaved::Saved;
}

} // namespace zv::masters
