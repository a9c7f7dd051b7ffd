#include "DiarizedStore.h"
#include "core/modCommon.h"
#include "platform/db/Dates.h"
#include <QLocale>
#include <QStringList>
#include <QUuid>

namespace zv::reports {

QList<int> diarizedYears(int lastYear) {
    QList<int> years;
    for (int y = lastYear - kDiarizedYears + 1; y <= lastYear; ++y)
        years << y;
    return years;
}

int diarizedLastYear(const QString &endPeriod, const QDate &today) {
    const QDate end = zv::db::fromDisplayDate(endPeriod.trimmed());
    return end.isValid() ? end.year() : today.year();
}

QStringList diarizedColumns() {
    QStringList cols;
    for (int i = 0; i < kDiarizedYears; ++i)
        cols << QStringLiteral("D%1").arg(2004 + i);
    return cols;
}

BoundSql diarizedFill(const QString &formId, const DiarizedFilter &f) {
    const QList<int> years = diarizedYears(f.lastYear);
    const QStringList columns = diarizedColumns();
    BoundSql q;
    q.add(QStringLiteral("INSERT INTO Temp_Year (Serl_Num, Start_Date, Emp_Name, Actvty_Desc, ") +
          columns.join(QStringLiteral(", ")) +
          QStringLiteral(", Id) SELECT row_number() OVER (ORDER BY am.Actvty_Desc, sc.Expctd_Date, sc.Sys_Entry_Num), "
                         "sc.Expctd_Date, em.Emp_Name, am.Actvty_Desc"));
    // The completion date in the column of its year.
    const auto newYear = [](int y) { return QStringLiteral("%1-01-01").arg(y, 4, 10, QLatin1Char('0')); };
    for (int y : years)
        q.add(QStringLiteral(", CASE WHEN sc.Cmpltd_Date >= ? AND sc.Cmpltd_Date < ? THEN sc.Cmpltd_Date END"),
              {newYear(y), newYear(y + 1)});
    q.add(QStringLiteral(", ? FROM Statry_Cmpltd_Entry sc "
                         "JOIN Actvty_Mast am ON am.Sys_Actvty_Num = sc.Sys_Actvty_Num "
                         "JOIN Emp_Mast em ON em.Sys_Emp_Num = sc.Sys_Emp_Num WHERE ("),
          {formId});
    // The month of each year as a range of days, so that the index on the
    // expected date finds the entries.
    QStringList months;
    QVariantList bounds;
    for (int y : years) {
        QString from, until;
        if (!monthBounds(f.month, y, from, until))
            continue;
        months << QStringLiteral("(sc.Expctd_Date >= ? AND sc.Expctd_Date < ?)");
        bounds << from << until;
    }
    q.add(months.isEmpty() ? QStringLiteral("0") : months.join(QStringLiteral(" OR ")), bounds);
    q.add(QStringLiteral(")"));
    addSelection(q, QStringLiteral("sc.Sys_Emp_Num"), f.employees);
    if (f.status == Completion::Completed)
        q.add(QStringLiteral(" AND sc.Cmpltd_Date IS NOT NULL"));
    else if (f.status == Completion::Pending)
        q.add(QStringLiteral(" AND sc.Cmpltd_Date IS NULL"));
    return q;
}

int fillDiarized(zv::db::Connection &c, const QString &formId, const DiarizedFilter &f) {
    zv::db::Transaction t(c);
    deleteDiarized(c, formId);
    const int rows = c.execute(diarizedFill(formId, f));
    if (rows == 0) {
        t.rollback();
        return 0;
    }
    t.commit();
    return rows;
}

QString diarizedFormId(const QDateTime &openedAt) {
    return modCommon::GetTimeStampString(openedAt) + QLatin1Char('-') +
           QUuid::createUuid().toString(QUuid::Id128).left(6);
}

int deleteStaleDiarized(zv::db::Connection &c, const QDateTime &now) {
    const QDateTime before = now.addDays(-1);
    const zv::db::Recordset ids = c.query(QStringLiteral("SELECT DISTINCT Id FROM Temp_Year"));
    QStringList stale;
    for (int i = 0; i < ids.recordCount(); ++i) {
        const QString id = ids.valueAt(i, 0).toString();
        if (id.size() > 14 && id.at(14) != QLatin1Char('-'))
            continue;
        const QDateTime opened = QLocale::c().toDateTime(id.left(14), QStringLiteral("ddMMyyyyHHmmss"));
        if (opened.isValid() && opened < before)
            stale << id;
    }
    int rows = 0;
    zv::db::Transaction t(c);
    for (const QString &id : std::as_const(stale))
        rows += c.execute(QStringLiteral("DELETE FROM Temp_Year WHERE Id = ?"), {id});
    t.commit();
    return rows;
}

zv::db::Recordset diarizedRows(zv::db::Connection &c, const QString &formId) {
    return c.query(QStringLiteral("SELECT * FROM Temp_Year WHERE Id = ? ORDER BY Serl_Num"), {formId});
}

void deleteDiarized(zv::db::Connection &c, const QString &formId) {
    c.execute(QStringLiteral("DELETE FROM Temp_Year WHERE Id = ?"), {formId});
}

} // namespace zv::reports
