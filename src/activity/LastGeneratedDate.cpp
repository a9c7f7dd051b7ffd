#include "LastGeneratedDate.h"
#include "platform/db/Connection.h"

namespace zv::activity {

namespace {

// The latest expected date of the line D, as ActivityStore::updateLastGenerated writes it
// for one line; MAX skips entries without a date.
const QString kLatestExpectedDate = QStringLiteral(
    "(SELECT MAX(SC.Expctd_Date) FROM Statry_Cmpltd_Entry SC WHERE SC.Sys_Actvty_Line_Num = D.Sys_Actvty_Line_Num)");

const QString kEveryLine =
    QStringLiteral("SELECT Sys_Actvty_Line_Num FROM Actvty_Mast_Det ORDER BY Sys_Actvty_Line_Num");

const QString kWriteLines = QStringLiteral("UPDATE Actvty_Mast_Det AS D SET Last_Gnrtd_Date = ") +
                            kLatestExpectedDate +
                            QStringLiteral(" WHERE D.Sys_Actvty_Line_Num BETWEEN ? AND ?");

} // namespace

int RecalculateLastGnrtdDate(zv::db::Connection &conn, const LineProgress &progress) {
    // The transaction takes the write lock before the dates are read, so the
    // employees' program cannot add an entry between a line's read and its write.
    zv::db::Transaction transaction(conn);
    const zv::db::Recordset lines = conn.query(kEveryLine);
    const int total = lines.recordCount();
    if (progress)
        progress(0, total);
    // Set-based in batches of consecutive keys: as fast as one UPDATE of the
    // whole table, yet the caller sees the progress up to a hundred times.
    const int batch = qMax(1, (total + 99) / 100);
    for (int first = 0; first < total; first += batch) {
        const int last = qMin(first + batch, total) - 1;
        conn.execute(kWriteLines, {lines.valueAt(first, 0), lines.valueAt(last, 0)});
        if (progress)
            progress(last + 1, total);
    }
    transaction.commit();
    return total;
}

} // namespace zv::activity
