#include "EmployeeStore.h"
#include "StoreQueries.h"
#include "core/modCommon.h"

namespace zv::masters {

const QString EmployeeStore::table = QStringLiteral("Emp_Mast");

namespace {

QList<NamedKey> namedKeys(const zv::db::Recordset &rs) {
    QList<NamedKey> result;
    for (int i = 0; i < rs.recordCount(); ++i)
        result.append({rs.valueAt(i, 0).toLongLong(), rs.valueAt(i, 1).toString()});
    return result;
}

std::optional<QString> firstText(const zv::db::Recordset &rs) {
    if (rs.isEmpty())
        return std::nullopt;
    return rs.valueAt(0, 0).toString();
}

} // namespace

QString EmployeeStore::probeStatement() {
    return QStringLiteral("SELECT Sys_Emp_Num,Emp_Name,Emp_Shrt_Name,Pswd,Sys_Desg_Num,Sys_Dept_Num,Email_ID,Emp_Num "
                          "FROM Emp_Mast WHERE 1=2");
}

QString EmployeeStore::filterJoin() {
    return QStringLiteral("where em.Sys_Desg_Num=dm.Sys_Desg_Num AND dp.Sys_Dept_Num = em.Sys_Dept_Num");
}

std::optional<EmployeeRow> EmployeeStore::employee(qint64 key) {
    auto rs = m_conn.query(QStringLiteral("SELECT Emp_Num, Emp_Name, Emp_Shrt_Name, Pswd, Email_ID, Sys_Desg_Num, "
                                          "Sys_Dept_Num FROM Emp_Mast WHERE Sys_Emp_Num = ?"),
                           {key});
    if (rs.isEmpty())
        return std::nullopt;
    rs.moveFirst();
    EmployeeRow row;
    row.number = rs.text(QStringLiteral("Emp_Num"));
    row.name = rs.text(QStringLiteral("Emp_Name"));
    row.loginName = rs.text(QStringLiteral("Emp_Shrt_Name"));
    row.password = modCommon::DecodePassword(rs.text(QStringLiteral("Pswd")));
    row.email = rs.text(QStringLiteral("Email_ID"));
    row.designation = rs.value(QStringLiteral("Sys_Desg_Num"));
    row.department = rs.value(QStringLiteral("Sys_Dept_Num"));
    return row;
}

bool EmployeeStore::exists(qint64 key) {
    return anyRow(m_conn, QStringLiteral("Emp_Mast WHERE Sys_Emp_Num = ?"), {key});
}

QList<NamedKey> EmployeeStore::designations() {
    return namedKeys(m_conn.query(QStringLiteral("SELECT Sys_Desg_Num, Desg_Name FROM Desg_Mast ORDER BY Desg_Name")));
}

QList<NamedKey> EmployeeStore::departments() {
    return namedKeys(m_conn.query(QStringLiteral("SELECT Sys_Dept_Num, Dept_Desc FROM Dept_Mast ORDER BY Dept_Desc")));
}

std::optional<QString> EmployeeStore::designationName(const QVariant &key) {
    return firstText(m_conn.query(QStringLiteral("SELECT Desg_Name FROM Desg_Mast WHERE Sys_Desg_Num = ?"), {key}));
}

std::optional<QString> EmployeeStore::departmentName(const QVariant &key) {
    return firstText(m_conn.query(QStringLiteral("SELECT Dept_Desc FROM Dept_Mast WHERE Sys_Dept_Num = ?"), {key}));
}

QString EmployeeStore::referencedBy(qint64 key) {
    // In the order the delete checks them.
    static const QStringList tables = {QStringLiteral("Actvty_Mast_Det"),   QStringLiteral("Emp_Spvr_Mapg_Hdr"),
                                       QStringLiteral("Emp_Spvr_Mapg_Det"), QStringLiteral("Statry_Cmpltd_Entry"),
                                       QStringLiteral("actvty_mnth_hdr"),   QStringLiteral("actvty_target_hdr")};
    for (const QString &t : tables)
        if (anyRow(m_conn, t + QStringLiteral(" WHERE Sys_Emp_Num = ?"), {key}))
            return t;
    return QString();
}

bool EmployeeStore::taken(Unique field, const QString &text, std::optional<qint64> except) {
    const QString column = field == Unique::Number ? QStringLiteral("Emp_Num")
                           : field == Unique::Name ? QStringLiteral("Emp_Name")
                                                   : QStringLiteral("Emp_Shrt_Name");
    zv::db::BoundSql s;
    s.add(QStringLiteral("SELECT 1 FROM Emp_Mast WHERE trim(") + column + QStringLiteral(") = ? COLLATE NOCASE"),
          {text.trimmed()});
    if (except)
        s.add(QStringLiteral(" AND Sys_Emp_Num <> ?"), {*except});
    s.add(QStringLiteral(" LIMIT 1"));
    return !m_conn.query(s).isEmpty();
}

qint64 EmployeeStore::designationForSave(const EmployeeRow &row, bool &added) {
    added = false;
    if (row.designation.isValid())
        return row.designation.toLongLong();
    // Typed with other blanks, or added by another user since the list was filled.
    return findOrAdd(
        m_conn, QStringLiteral("SELECT Sys_Desg_Num FROM Desg_Mast WHERE trim(Desg_Name) = ? COLLATE NOCASE LIMIT 1"),
        QStringLiteral("INSERT INTO Desg_Mast (Desg_Name) VALUES (?)"), row.designationName.trimmed(), &added);
}

EmployeeStore::Saved EmployeeStore::insert(const EmployeeRow &row) {
    zv::db::Transaction t(m_conn);
    Saved saved;
    const qint64 designation = designationForSave(row, saved.designationAdded);
    m_conn.execute(QStringLiteral("INSERT INTO Emp_Mast (Emp_Name, Sys_Desg_Num, Emp_Shrt_Name, Pswd, Is_Modify, "
                                  "Sys_Dept_Num, Email_ID, Emp_Num) VALUES (?, ?, ?, ?, '', ?, ?, ?)"),
                   {row.name, designation, row.loginName, modCommon::EncodePassword(row.password), row.department,
                    row.email, row.number});
    saved.key = m_conn.lastInsertId();
    t.commit();
    return saved;
}

std::optional<EmployeeStore::Saved> EmployeeStore::update(qint64 key, const EmployeeRow &row) {
    zv::db::Transaction t(m_conn);
    Saved saved{key, false};
    const qint64 designation = designationForSave(row, saved.designationAdded);
    zv::db::BoundSql s;
    s.add(QStringLiteral("UPDATE Emp_Mast SET Emp_Num = ?, Email_ID = ?, Emp_Name = ?, Emp_Shrt_Name = ?, Pswd = ?, "
                         "Sys_Desg_Num = ?, Sys_Dept_Num = ?"),
          {row.number, row.email, row.name, row.loginName, modCommon::EncodePassword(row.password), designation,
           row.department});
    if (saved.designationAdded)
        s.add(QStringLiteral(", Is_Modify = ''"));
    s.add(QStringLiteral(" WHERE Sys_Emp_Num = ?"), {key});
    if (m_conn.execute(s) != 1)
        return std::nullopt; // the transaction undoes an added designation
    t.commit();
    return saved;
}

int EmployeeStore::remove(qint64 key) {
    zv::db::Transaction t(m_conn);
    const int deleted = m_conn.execute(QStringLiteral("DELETE FROM Emp_Mast WHERE Sys_Emp_Num = ?"), {key});
    t.commit();
    return deleted;
}

} // namespace zv::masters
