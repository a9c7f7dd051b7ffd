#include "SelectionQuery.h"
#include "platform/db/Connection.h"

namespace zv::query {

QList<SelectionRow> readSelectionRows(zv::db::Connection &conn, const zv::db::BoundSql &statement,
                                      const SelectionColumns &columns) {
    const zv::db::Recordset rs = conn.query(statement);
    auto column = [&](int c) {
        if (c < 0 || c >= rs.fieldCount())
            throw zv::db::DbError(kItemNotFound, QStringLiteral("Item cannot be found in the collection "
                                                                "corresponding to the requested name or ordinal."));
        return c;
    };
    QList<SelectionRow> rows;
    rows.reserve(rs.recordCount());
    for (int row = 0; row < rs.recordCount(); ++row) {
        SelectionRow r;
        r.key = rs.valueAt(row, column(columns.key)).toString();
        r.text = rs.valueAt(row, column(columns.first)).toString();
        if (columns.third != -1)
            r.text += QStringLiteral(" - ") + rs.valueAt(row, column(columns.second)).toString() +
                      QStringLiteral(" - ") + rs.valueAt(row, column(columns.third)).toString();
        else if (columns.second != -1)
            r.text += QStringLiteral(" - ") + rs.valueAt(row, column(columns.second)).toString();
        rows << r;
    }
    return rows;
}

} // namespace zv::query
