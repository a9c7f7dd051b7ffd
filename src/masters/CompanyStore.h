#pragma once
#include "platform/db/Connection.h"
#include <QString>
#include <optional>

namespace zv::masters {

// The organisation's own record, one row of Cmpny_Mast.
struct CompanyRow {
    qint64 key = 0;
    QString name;
    QString addressLine1;
    QString addressLine2;
    QString city;
    QString state;
    QString country;
    QString zipCode;
    QString phone;
    QString fax;
    QString webSite;
};

// Cmpny_Mast. Failures are thrown.
class CompanyStore {
public:
    explicit CompanyStore(zv::db::Connection &conn) : m_conn(conn) {}

    static const QString table;
    // A statement that fails when the table lacks a column the form needs.
    static QString probeStatement();

    // The first row by key, the one the form shows.
    std::optional<CompanyRow> company();
    bool exists(qint64 key);
    // Writes a new row, its lock number its own key; answers the key.
    qint64 insert(const CompanyRow &row);
    // Rows changed.
    int update(qint64 key, const CompanyRow &row);

private:
    zv::db::Connection &m_conn;
};

} // namespace zv::masters
