#include "LastGeneratedDate.h"
#include "platform/db/Connection.h"

namespace zv::activity {

namespace {

// The latest expected date of the line D; MAX skips entries without a date.
const QString kLatestExpectedDate = QStringLiteral(
    "(SELECT MAX(SC.Expctd_Date) FROM Statry_Cmpltd_Entry SC WHERE SC.Sys_Actvty_Line_Num = D.Sys_Actvty_Line_Num)");

const QString kLatestOfEveryLine = QStringLiteral("SELECT D.Sys_Actvty_Line_Num, ") + kLatestExpectedDate +
                                   QStringLiteral(" AS Last_Gnrtd_Date FROM Actvty_Mast_Det D");

const QString kWriteLine =
    QStringLiteral("UPDATE Actvty_Mast_Det SET Last_Gnrtd_Date = ? WHERE Sys_Actvty_Line_Num = ?");

const QString kFillMissing = QStringLiteral("UPDATE Actvty_Mast_Det AS D SET Last_Gnrtd_Date = ") +
                             kLatestExpectedDate +
                             QStringLiteral(" WHERE D.Last_Gnrtd_Date IS NULL AND D.Sys_Actvty_Num = ?");

} // namespace

int RecalculateLastGnrtdDate(zv::db::Connection &conn, const LineProgress &progress) {
    // The transaction takes the write lock before the dates are read, so the
    // employees' program cannot add an entry between a line's read and its write.
    zv::db::Transaction transaction(conn);
    const zv::db::Recordset lines = conn.query(kLatestOfEveryLine);
    const int total = lines.recordCount();
    if (progress)
        progress(0, total);
    for (int i = 0; i < total; ++i) {
        conn.execute(kWriteLine, {lines.valueAt(i, 1), lines.valueAt(i, 0)});
        if (progress)
            progress(i + 1, total);
    }
    transaction.commit();
    return total;
}

void FillLastGnrtdDate(zv::db::Connection &conn, qint64 activityKey) {
    conn.execute(kFillMissing, {activityKey});
}

} // namespace zv::activity
