#pragma once
#include "platform/db/Connection.h"

namespace zv::masters {

// Whether "SELECT 1 FROM <from>" finds a row: from names the table and its
// condition, with ? for the values.
inline bool anyRow(zv::db::Connection &conn, const QString &from, const QVariantList &values = {}) {
    return !conn.query(QStringLiteral("SELECT 1 FROM ") + from + QStringLiteral(" LIMIT 1"), values).isEmpty();
}

// The key that find (one ? for value) gives first, or the key of a row that
// add (one ? for value) inserts when find gives none; added tells which.
inline qint64 findOrAdd(zv::db::Connection &conn, const QString &find, const QString &add, const QVariant &value,
                        bool *added = nullptr) {
    const QVariant found = conn.scalar(find, {value});
    if (added)
        *added = found.isNull();
    if (!found.isNull())
        return found.toLongLong();
    conn.execute(add, {value});
    return conn.lastInsertId();
}

} // namespace zv::masters
