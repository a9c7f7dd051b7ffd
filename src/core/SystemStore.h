#pragma once
#include "platform/db/Connection.h"
#include <QVariant>
#include <optional>

namespace zv::core {

// The system table ZV_SYS on the system connection: the administrator's
// scrambled password. Failures are thrown.
class SystemStore {
public:
    explicit SystemStore(zv::db::Connection &conn) : m_conn(conn) {}

    // The stored scrambled password of the table's first row (Null as stored);
    // nothing when the table has no row.
    std::optional<QVariant> storedPassword();
    void setPassword(const QString &scrambled);
    // The table has the columns the program reads; false only for a damaged
    // file or a missing table or column, any other failure reaching the caller.
    bool hasColumns();

private:
    zv::db::Connection &m_conn;
};

// The transaction period of a production database's Parm (ISO dates, as stored).
struct StoredPeriod {
    QString start;
    QString end;
};
// Failures are thrown.
StoredPeriod readPeriod(zv::db::Connection &conn);

} // namespace zv::core
