#include "SystemStore.h"
#include "platform/db/ErrorText.h"
#include "platform/db/Recordset.h"

namespace zv::core {

std::optional<QVariant> SystemStore::storedPassword() {
    const zv::db::Recordset rs = m_conn.query(QStringLiteral("SELECT DB_Path, Pswd FROM ZV_SYS"));
    if (rs.isEmpty())
        return std::nullopt;
    return rs.valueAt(0, rs.fieldIndex(QStringLiteral("Pswd")));
}

void SystemStore::setPassword(const QString &scrambled) {
    m_conn.execute(QStringLiteral("UPDATE ZV_SYS SET Pswd = ?"), {scrambled});
}

bool SystemStore::hasColumns() {
    try {
        m_conn.query(QStringLiteral("SELECT DB_Path, Pswd FROM ZV_SYS WHERE 1 = 2"));
        return true;
    } catch (const std::exception &e) {
        // Only a damaged file or a missing table or column says "unsound":
        // held by another program, or any other failure, is no answer.
        if (!zv::db::isDamage(e))
            throw;
        return false;
    }
}

StoredPeriod readPeriod(zv::db::Connection &conn) {
    zv::db::Recordset rs = conn.query(QStringLiteral("SELECT start_period, end_period FROM Parm"));
    rs.moveFirst();
    return {rs.text(QStringLiteral("start_period")), rs.text(QStringLiteral("end_period"))};
}

} // namespace zv::core
