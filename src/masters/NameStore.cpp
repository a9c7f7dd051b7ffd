#include "NameStore.h"
#include "StoreQueries.h"

namespace zv::masters {

// Table and column names come from the fixed NameTable constants, never from typed text.
QString NameStore::keyIs() const { return QStringLiteral(" WHERE ") + m_t.keyColumn + QStringLiteral(" = ?"); }

QString NameStore::probeStatement(const NameTable &t) {
    QString columns = t.keyColumn + QLatin1Char(',') + t.nameColumn;
    if (t.protectedRows)
        columns += QStringLiteral(",Edit_Allow");
    return QStringLiteral("SELECT ") + columns + QStringLiteral(" FROM ") + t.table + QStringLiteral(" WHERE 1=2");
}

std::optional<QString> NameStore::name(qint64 key) {
    auto rs = m_conn.query(QStringLiteral("SELECT ") + m_t.nameColumn + QStringLiteral(" FROM ") + m_t.table + keyIs(),
                           {key});
    if (rs.isEmpty())
        return std::nullopt;
    return rs.valueAt(0, 0).toString();
}

bool NameStore::exists(qint64 key) { return anyRow(m_conn, m_t.table + keyIs(), {key}); }

bool NameStore::isProtected(qint64 key) {
    if (!m_t.protectedRows)
        return false;
    return m_conn.scalar(QStringLiteral("SELECT Edit_Allow FROM ") + m_t.table + keyIs(), {key}).toInt() == 1;
}

bool NameStore::inUse(qint64 key) {
    return anyRow(m_conn, QStringLiteral("Emp_Mast WHERE ") + m_t.keyColumn + QStringLiteral(" = ?"), {key});
}

bool NameStore::nameTaken(const QString &name, std::optional<qint64> except) {
    zv::db::BoundSql s;
    s.add(QStringLiteral("SELECT 1 FROM ") + m_t.table + QStringLiteral(" WHERE trim(") + m_t.nameColumn +
              QStringLiteral(") = ? COLLATE NOCASE"),
          {name.trimmed()});
    if (except)
        s.add(QStringLiteral(" AND ") + m_t.keyColumn + QStringLiteral(" <> ?"), {*except});
    s.add(QStringLiteral(" LIMIT 1"));
    return !m_conn.query(s).isEmpty();
}

qint64 NameStore::insert(const QString &name) {
    m_conn.execute(QStringLiteral("INSERT INTO ") + m_t.table + QStringLiteral(" (") + m_t.nameColumn +
                       QStringLiteral(") VALUES (?)"),
                   {name});
    return m_conn.lastInsertId();
}

int NameStore::rename(qint64 key, const QString &name) {
    return m_conn.execute(QStringLiteral("UPDATE ") + m_t.table + QStringLiteral(" SET ") + m_t.nameColumn +
                              QStringLiteral(" = ?") + keyIs(),
                          {name, key});
}

void NameStore::remove(qint64 key) {
    zv::db::Transaction t(m_conn);
    m_conn.execute(QStringLiteral("DELETE FROM ") + m_t.table + keyIs(), {key});
    t.commit();
}

} // namespace zv::masters
