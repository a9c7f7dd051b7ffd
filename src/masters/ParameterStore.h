#pragma once
#include "platform/db/Connection.h"
#include <QDate>
#include <QString>
#include <optional>

namespace zv::masters {

// The transaction period as stored (ISO dates).
struct PeriodRow {
    QString start;
    QString end;
};

// The period row of Parm (the first row). Failures are thrown.
class ParameterStore {
public:
    explicit ParameterStore(zv::db::Connection &conn) : m_conn(conn) {}

    // Throws when the table lacks a column the form needs.
    void probe();
    std::optional<PeriodRow> period();
    // Rows changed: 1, or 0 when the table has no row.
    int savePeriod(const QDate &start, const QDate &end);

private:
    zv::db::Connection &m_conn;
};

// The end of a transaction period starting on start: the day before the same
// day of the next year, a start on 29 February ending on 28 February.
QDate periodEnd(const QDate &start);

} // namespace zv::masters
