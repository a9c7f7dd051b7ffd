#include "ParameterStore.h"
#include "platform/db/Dates.h"

namespace zv::masters {

void ParameterStore::probe() {
    m_conn.query(QStringLiteral("SELECT DB_Check, Start_Period, End_Period FROM Parm WHERE 1=2"));
}

std::optional<PeriodRow> ParameterStore::period() {
    auto rs = m_conn.query(QStringLiteral("SELECT Start_Period, End_Period FROM Parm ORDER BY rowid LIMIT 1"));
    if (rs.isEmpty())
        return std::nullopt;
    return PeriodRow{rs.valueAt(0, 0).toString(), rs.valueAt(0, 1).toString()};
}

int ParameterStore::savePeriod(const QDate &start, const QDate &end) {
    return m_conn.execute(QStringLiteral("UPDATE Parm SET Start_Period = ?, End_Period = ? "
                                         "WHERE rowid = (SELECT min(rowid) FROM Parm)"),
                          {zv::db::dateParam(start), zv::db::dateParam(end)});
}

QDate periodEnd(const QDate &start) {
    if (!start.isValid())
        return QDate();
    if (start.month() == 2 && start.day() == 29)
        return QDate(start.year() + 1, 2, 28);
    return QDate(start.year() + 1, start.month(), start.day()).addDays(-1);
}

} // namespace zv::masters
