#pragma once
#include "platform/db/Connection.h"
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace zv::masters {

// An employee as the lists of the relationship form show him.
struct EmployeeEntry {
    qint64 key = 0;
    QString name;
    QString designation;
};

// A line of a mapping: an employee who reports to its manager.
struct MappingLine {
    qint64 mapping = 0;
    qint64 employee = 0;
    QString name;
    QString loginName;
    QString designation;
    qint64 lineKey = 0;
    QString department;
};

// Which employees report to which manager: a mapping header per manager
// (Emp_Spvr_Mapg_Hdr) and a line per employee (Emp_Spvr_Mapg_Det).
// Failures are thrown.
class ManagerMappingStore {
public:
    explicit ManagerMappingStore(zv::db::Connection &conn) : m_conn(conn) {}

    static const QString headerTable;
    static QStringList probeStatements();
    // The general filter's join of the mappings with their managers.
    static QString filterJoin();

    // Employees who head no mapping but kept's; with linesOf, also none of its lines.
    QList<EmployeeEntry> managerCandidates(qint64 kept, std::optional<qint64> linesOf);
    // Employees who may join the mapping: not its manager, not yet among its lines.
    QList<EmployeeEntry> employeeCandidates(qint64 manager, qint64 mapping);
    QString departmentOf(qint64 employee);
    // The employee's designation and department; nothing when he is gone.
    std::optional<std::pair<QString, QString>> designationAndDepartment(qint64 employee);

    bool exists(qint64 mapping);
    // The key the mapping's header names as its manager; 0 when the mapping is gone.
    qint64 managerKeyOf(qint64 mapping);
    // The mapping's manager: his key and name; nothing when the mapping or he is gone.
    std::optional<EmployeeEntry> managerOf(qint64 mapping);
    QList<MappingLine> lines(qint64 mapping);
    bool hasLines(qint64 mapping);
    bool isLine(qint64 mapping, qint64 employee);
    // Whether the employee heads a mapping other than this one.
    bool headsAnother(qint64 employee, qint64 mapping);

    void deleteLine(qint64 mapping, qint64 employee);
    void deleteHeader(qint64 mapping);

    // The following run in the caller's transaction.
    // Removes the mapping when it has no line.
    void deleteIfEmpty(qint64 mapping);
    // Removes the lines and the header; false when the mapping was gone.
    bool deleteMapping(qint64 mapping);
    // The mapping's new manager; rows changed.
    int changeManager(qint64 mapping, qint64 manager);
    enum class LineSaved { Saved, EmployeeIsManager };
    // Adds the employee to the manager's mapping, made when he heads none
    // (its key in mappingKey). EmployeeIsManager: the employee heads the
    // mapping shown (shown) or the manager's; nothing written.
    LineSaved saveLine(qint64 shown, qint64 manager, qint64 employee, qint64 &mappingKey);

private:
    bool heads(qint64 mapping, qint64 employee);
    zv::db::Connection &m_conn;
};

} // namespace zv::masters
