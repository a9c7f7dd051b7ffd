#include "ManagerMappingStore.h"
#include "StoreQueries.h"

namespace zv::masters {

const QString ManagerMappingStore::headerTable = QStringLiteral("Emp_Spvr_Mapg_Hdr");

namespace {

QList<EmployeeEntry> entriesOf(const zv::db::Recordset &rs) {
    QList<EmployeeEntry> result;
    for (int i = 0; i < rs.recordCount(); ++i)
        result.append({rs.valueAt(i, 0).toLongLong(), rs.valueAt(i, 1).toString(), rs.valueAt(i, 2).toString()});
    return result;
}

const QString kEmployees = QStringLiteral("SELECT EM.Sys_Emp_Num, EM.Emp_Name, DM.Desg_Name FROM Emp_Mast EM "
                                          "LEFT JOIN Desg_Mast DM ON DM.Sys_Desg_Num = EM.Sys_Desg_Num ");
const QString kByName = QStringLiteral(" ORDER BY EM.Emp_Name, EM.Sys_Emp_Num");

} // namespace

QStringList ManagerMappingStore::probeStatements() {
    return {QStringLiteral("SELECT Sys_Mapg_Num, Sys_Emp_Num FROM Emp_Spvr_Mapg_Hdr WHERE 1=2"),
            QStringLiteral("SELECT Sys_Mapg_Num, Sys_Mapg_Line_Num, Sys_Emp_Num FROM Emp_Spvr_Mapg_Det WHERE 1=2")};
}

QString ManagerMappingStore::filterJoin() {
    return QStringLiteral(" WHERE HD.Sys_Emp_Num = EM.Sys_Emp_Num AND EM.Sys_Desg_Num = DM.Sys_Desg_Num ");
}

QList<EmployeeEntry> ManagerMappingStore::managerCandidates(qint64 kept, std::optional<qint64> linesOf) {
    zv::db::BoundSql s;
    s.add(kEmployees + QStringLiteral("WHERE EM.Sys_Emp_Num NOT IN (SELECT Sys_Emp_Num FROM Emp_Spvr_Mapg_Hdr "
                                      "WHERE Sys_Emp_Num <> ?)"),
          {kept});
    if (linesOf)
        s.add(QStringLiteral(" AND EM.Sys_Emp_Num NOT IN (SELECT Sys_Emp_Num FROM Emp_Spvr_Mapg_Det "
                             "WHERE Sys_Mapg_Num = ?)"),
              {*linesOf});
    s.add(kByName);
    return entriesOf(m_conn.query(s));
}

QList<EmployeeEntry> ManagerMappingStore::employeeCandidates(qint64 manager, qint64 mapping) {
    return entriesOf(m_conn.query(kEmployees +
                                      QStringLiteral("WHERE EM.Sys_Emp_Num <> ? AND EM.Sys_Emp_Num NOT IN "
                                                     "(SELECT Sys_Emp_Num FROM Emp_Spvr_Mapg_Det "
                                                     "WHERE Sys_Mapg_Num = ?)") +
                                      kByName,
                                  {manager, mapping}));
}

QString ManagerMappingStore::departmentOf(qint64 employee) {
    return m_conn
        .scalar(QStringLiteral("SELECT DP.Dept_Desc FROM Emp_Mast EM, Dept_Mast DP "
                               "WHERE DP.Sys_Dept_Num = EM.Sys_Dept_Num AND EM.Sys_Emp_Num = ?"),
                {employee})
        .toString();
}

std::optional<std::pair<QString, QString>> ManagerMappingStore::designationAndDepartment(qint64 employee) {
    const auto rs = m_conn.query(QStringLiteral("SELECT DM.Desg_Name, DP.Dept_Desc FROM Emp_Mast EM "
                                                "LEFT JOIN Desg_Mast DM ON DM.Sys_Desg_Num = EM.Sys_Desg_Num "
                                                "LEFT JOIN Dept_Mast DP ON DP.Sys_Dept_Num = EM.Sys_Dept_Num "
                                                "WHERE EM.Sys_Emp_Num = ?"),
                                 {employee});
    if (rs.isEmpty())
        return std::nullopt;
    return std::pair{rs.valueAt(0, 0).toString(), rs.valueAt(0, 1).toString()};
}

bool ManagerMappingStore::exists(qint64 mapping) {
    return anyRow(m_conn, QStringLiteral("Emp_Spvr_Mapg_Hdr WHERE Sys_Mapg_Num = ?"), {mapping});
}

qint64 ManagerMappingStore::managerKeyOf(qint64 mapping) {
    return m_conn.scalar(QStringLiteral("SELECT Sys_Emp_Num FROM Emp_Spvr_Mapg_Hdr WHERE Sys_Mapg_Num = ?"), {mapping})
        .toLongLong();
}

std::optional<EmployeeEntry> ManagerMappingStore::managerOf(qint64 mapping) {
    const auto rs = m_conn.query(QStringLiteral("SELECT EM.Sys_Emp_Num, EM.Emp_Name FROM Emp_Spvr_Mapg_Hdr Hdr, "
                                                "Emp_Mast EM WHERE Hdr.Sys_Emp_Num = EM.Sys_Emp_Num "
                                                "AND Hdr.Sys_Mapg_Num = ?"),
                                 {mapping});
    if (rs.isEmpty())
        return std::nullopt;
    return EmployeeEntry{rs.valueAt(0, 0).toLongLong(), rs.valueAt(0, 1).toString(), QString()};
}

QList<MappingLine> ManagerMappingStore::lines(qint64 mapping) {
    const auto rs = m_conn.query(
        QStringLiteral("SELECT Det.Sys_Mapg_Num, Det.Sys_Emp_Num, EM.Emp_Name, EM.Emp_Shrt_Name, DM.Desg_Name, "
                       "Det.Sys_Mapg_Line_Num, DP.Dept_Desc "
                       "FROM Emp_Spvr_Mapg_Det Det, Emp_Mast EM, Desg_Mast DM, Dept_Mast DP "
                       "WHERE Det.Sys_Emp_Num = EM.Sys_Emp_Num AND EM.Sys_Desg_Num = DM.Sys_Desg_Num "
                       "AND EM.Sys_Dept_Num = DP.Sys_Dept_Num AND Det.Sys_Mapg_Num = ? "
                       "ORDER BY EM.Emp_Name, Det.Sys_Mapg_Line_Num"),
        {mapping});
    QList<MappingLine> result;
    for (int i = 0; i < rs.recordCount(); ++i)
        result.append({rs.valueAt(i, 0).toLongLong(), rs.valueAt(i, 1).toLongLong(), rs.valueAt(i, 2).toString(),
                       rs.valueAt(i, 3).toString(), rs.valueAt(i, 4).toString(), rs.valueAt(i, 5).toLongLong(),
                       rs.valueAt(i, 6).toString()});
    return result;
}

bool ManagerMappingStore::hasLines(qint64 mapping) {
    return anyRow(m_conn, QStringLiteral("Emp_Spvr_Mapg_Det WHERE Sys_Mapg_Num = ?"), {mapping});
}

bool ManagerMappingStore::isLine(qint64 mapping, qint64 employee) {
    return anyRow(m_conn, QStringLiteral("Emp_Spvr_Mapg_Det WHERE Sys_Mapg_Num = ? AND Sys_Emp_Num = ?"),
                  {mapping, employee});
}

bool ManagerMappingStore::headsAnother(qint64 employee, qint64 mapping) {
    return anyRow(m_conn, QStringLiteral("Emp_Spvr_Mapg_Hdr WHERE Sys_Emp_Num = ? AND Sys_Mapg_Num <> ?"),
                  {employee, mapping});
}

void ManagerMappingStore::deleteLine(qint64 mapping, qint64 employee) {
    m_conn.execute(QStringLiteral("DELETE FROM Emp_Spvr_Mapg_Det WHERE Sys_Mapg_Num = ? AND Sys_Emp_Num = ?"),
                   {mapping, employee});
}

void ManagerMappingStore::deleteHeader(qint64 mapping) {
    m_conn.execute(QStringLiteral("DELETE FROM Emp_Spvr_Mapg_Hdr WHERE Sys_Mapg_Num = ?"), {mapping});
}

void ManagerMappingStore::deleteIfEmpty(qint64 mapping) {
    m_conn.execute(QStringLiteral("DELETE FROM Emp_Spvr_Mapg_Hdr WHERE Sys_Mapg_Num = ? AND NOT EXISTS "
                                  "(SELECT 1 FROM Emp_Spvr_Mapg_Det WHERE Sys_Mapg_Num = ?)"),
                   {mapping, mapping});
}

bool ManagerMappingStore::deleteMapping(qint64 mapping) {
    if (!exists(mapping))
        return false;
    m_conn.execute(QStringLiteral("DELETE FROM Emp_Spvr_Mapg_Det WHERE Sys_Mapg_Num = ?"), {mapping});
    deleteHeader(mapping);
    return true;
}

int ManagerMappingStore::changeManager(qint64 mapping, qint64 manager) {
    return m_conn.execute(QStringLiteral("UPDATE Emp_Spvr_Mapg_Hdr SET Sys_Emp_Num = ? WHERE Sys_Mapg_Num = ?"),
                          {manager, mapping});
}

bool ManagerMappingStore::heads(qint64 mapping, qint64 employee) {
    return anyRow(m_conn, QStringLiteral("Emp_Spvr_Mapg_Hdr WHERE Sys_Mapg_Num = ? AND Sys_Emp_Num = ?"),
                  {mapping, employee});
}

ManagerMappingStore::LineSaved ManagerMappingStore::saveLine(qint64 shown, qint64 manager, qint64 employee,
                                                             qint64 &mappingKey) {
    if (heads(shown, employee))
        return LineSaved::EmployeeIsManager;
    mappingKey = findOrAdd(m_conn,
                           QStringLiteral("SELECT Sys_Mapg_Num FROM Emp_Spvr_Mapg_Hdr WHERE Sys_Emp_Num = ? "
                                          "ORDER BY Sys_Mapg_Num LIMIT 1"),
                           QStringLiteral("INSERT INTO Emp_Spvr_Mapg_Hdr (Sys_Emp_Num) VALUES (?)"), manager);
    if (heads(mappingKey, employee))
        return LineSaved::EmployeeIsManager;
    if (!isLine(mappingKey, employee))
        m_conn.execute(QStringLiteral("INSERT INTO Emp_Spvr_Mapg_Det (Sys_Mapg_Num, Sys_Emp_Num) VALUES (?, ?)"),
                       {mappingKey, employee});
    return LineSaved::Saved;
}

} // namespace zv::masters
