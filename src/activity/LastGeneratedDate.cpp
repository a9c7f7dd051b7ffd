#include "LastGeneratedDate.h"
#include "platform/db/Connection.h"

namespace zv::activity {

namespace {

// The latest expected date of the line D, as ActivityStore::updateLastGenerated writes it
// for one line; MAX skips entries without a date.
const QString kLatestExpectedDate = QStringLiteral(
    "(SELECT MAX(SC.Expctd_Date) FROM Statry_Cmpltd_Entry SC WHERE SC.Sys_Actvty_Line_Num = D.Sys_Actvty_Line_Num)");

const QString kLineCount = QStringLiteral("SELECT count(*) FROM Actvty_Mast_Det");

// The first key of each batch of size ? among the keys in order: the batches'
// bounds, read without reading every key.
const QString kBatchFirsts = QStringLiteral(
    "SELECT Sys_Actvty_Line_Num FROM (SELECT Sys_Actvty_Line_Num, "
    "row_number() OVER (ORDER BY Sys_Actvty_Line_Num) - 1 AS n FROM Actvty_Mast_Det) "
    "WHERE n % ? = 0 ORDER BY Sys_Actvty_Line_Num");

const QString kWrite = QStringLiteral("UPDATE Actvty_Mast_Det AS D SET Last_Gnrtd_Date = ") + kLatestExpectedDate;
const QString kWriteBatch = kWrite + QStringLiteral(" WHERE D.Sys_Actvty_Line_Num >= ? AND D.Sys_Actvty_Line_Num < ?");
const QString kWriteLast = kWrite + QStringLiteral(" WHERE D.Sys_Actvty_Line_Num >= ?");

} // namespace

int RecalculateLastGnrtdDate(zv::db::Connection &conn, const LineProgress &progress) {
    // The transaction takes the write lock before the dates are read, so the
    // employees' program cannot add an entry between a line's read and its write.
    zv::db::Transaction transaction(conn);
    const int total = conn.scalar(kLineCount).toInt();
    if (progress)
        progress(0, total);
    // Set-based in batches of consecutive keys: as fast as one UPDATE of the
    // whole table, yet the caller sees the progress up to a hundred times.
    const int batch = qMax(1, (total + 99) / 100);
    const zv::db::Recordset firsts = conn.query(kBatchFirsts, {batch});
    for (int i = 0; i < firsts.recordCount(); ++i) {
        if (i + 1 < firsts.recordCount())
            conn.execute(kWriteBatch, {firsts.valueAt(i, 0), firsts.valueAt(i + 1, 0)});
        else
            conn.execute(kWriteLast, {firsts.valueAt(i, 0)});
        if (progress)
            progress(qMin((i + 1) * batch, total), total);
    }
    transaction.commit();
    return total;
}

} // namespace zv::activity
