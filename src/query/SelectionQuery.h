#pragma once
#include "platform/db/BoundSql.h"
#include <QList>
#include <QString>

namespace zv::db {
class Connection;
}

// The selection list's read: the rows of a caller's statement as keys and
// the texts shown for them.
namespace zv::query {

struct SelectionRow {
    QString key;
    QString text;
};

// Columns of the statement, by position: the key, and the text made of the
// first column, then " - " and the second, then " - " and the third (-1
// leaves a part out; a third column needs a second).
struct SelectionColumns {
    int key = 0;
    int first = 0;
    int second = -1;
    int third = -1;
};

// A column that the statement does not have: 3265.
inline constexpr long kItemNotFound = 3265;

// Throws DbError: the statement's own failure, or kItemNotFound.
QList<SelectionRow> readSelectionRows(zv::db::Connection &conn, const zv::db::BoundSql &statement,
                                      const SelectionColumns &columns);

} // namespace zv::query
