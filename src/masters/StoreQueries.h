#pragma once
#include "platform/db/Connection.h"

namespace zv::masters {

// Whether "SELECT 1 FROM <from>" finds a row: from names the table and its
// condition, with ? for the values.
inline bool anyRow(zv::db::Connection &conn, const QString &from, const QVariantList &values = {}) {
    return !conn.query(QStringLiteral("SELECT 1 FROM ") + from + QStringLiteral(" LIMIT 1"), values).isEmpty();
}

} // namespace zv::masters
