#pragma once
#include "platform/db/Connection.h"
#include <QString>
#include <optional>

namespace zv::masters {

// A table that keeps one name per row under a generated key.
struct NameTable {
    QString table;
    QString keyColumn;
    QString nameColumn;
    bool protectedRows = false; // rows with Edit_Allow = 1 are neither modified nor deleted
};

inline const NameTable kDepartments{.table = QStringLiteral("Dept_Mast"),
                                    .keyColumn = QStringLiteral("Sys_Dept_Num"),
                                    .nameColumn = QStringLiteral("Dept_Desc"),
                                    .protectedRows = true};
inline const NameTable kDesignations{.table = QStringLiteral("Desg_Mast"),
                                     .keyColumn = QStringLiteral("Sys_Desg_Num"),
                                     .nameColumn = QStringLiteral("Desg_Name")};

// The rows of a name table (departments, designations). Failures are thrown.
class NameStore {
public:
    NameStore(zv::db::Connection &conn, const NameTable &table) : m_conn(conn), m_t(table) {}

    // A statement that fails when the table lacks a column the master needs.
    static QString probeStatement(const NameTable &t);
    std::optional<QString> name(qint64 key);
    bool exists(qint64 key);
    bool isProtected(qint64 key);
    // Whether an employee names the row.
    bool inUse(qint64 key);
    // Whether another row holds the name, both trimmed and without regard to
    // letter case; except, when given, does not count.
    bool nameTaken(const QString &name, std::optional<qint64> except);
    // The new row's key.
    qint64 insert(const QString &name);
    // Rows changed.
    int rename(qint64 key, const QString &name);
    // Removes the row in a transaction of its own.
    void remove(qint64 key);

private:
    QString keyIs() const;
    zv::db::Connection &m_conn;
    const NameTable &m_t;
};

} // namespace zv::masters
