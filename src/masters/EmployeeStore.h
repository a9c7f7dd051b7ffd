#pragma once
#include "platform/db/Connection.h"
#include <QList>
#include <QString>
#include <QVariant>
#include <optional>

namespace zv::masters {

// An employee as the employee master shows and saves him.
struct EmployeeRow {
    QString number;
    QString name;
    QString loginName;
    QString password; // plain; stored scrambled
    QString email;
    QVariant designation; // key; when not valid, designationName is found or added
    QString designationName;
    QVariant department; // key
};

// An entry of the designation or department list.
struct NamedKey {
    qint64 key = 0;
    QString name;
};

// Emp_Mast, with the designations an employee save may add. Failures are thrown.
class EmployeeStore {
public:
    explicit EmployeeStore(zv::db::Connection &conn) : m_conn(conn) {}

    static const QString table;
    static QString probeStatement();
    // The general filter's join of employees, designations and departments.
    static QString filterJoin();

    std::optional<EmployeeRow> employee(qint64 key);
    bool exists(qint64 key);
    QList<NamedKey> designations();
    QList<NamedKey> departments();
    // Names by key; nothing when the row is gone.
    std::optional<QString> designationName(const QVariant &key);
    std::optional<QString> departmentName(const QVariant &key);
    // The first table whose rows name the employee, or "".
    QString referencedBy(qint64 key);

    // The unique values of an employee: trimmed and without regard to case.
    enum class Unique { Number, Name, LoginName };
    bool taken(Unique field, const QString &text, std::optional<qint64> except);

    struct Saved {
        qint64 key = 0;
        bool designationAdded = false;
    };
    // Writes the employee, and the designation he names when it is new, in one transaction.
    Saved insert(const EmployeeRow &row);
    // Rewrites him the same way; nothing written (and nothing answered) when he is gone.
    std::optional<Saved> update(qint64 key, const EmployeeRow &row);
    // Rows deleted; a delete refused by related rows throws.
    int remove(qint64 key);

private:
    qint64 designationForSave(const EmployeeRow &row, bool &added);
    zv::db::Connection &m_conn;
};

} // namespace zv::masters
