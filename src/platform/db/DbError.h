#pragma once
#include <QString>
#include <stdexcept>

namespace zv::db {

// Error numbers that callers test, as the rest of the program knows them.
namespace err {
inline constexpr long FileNotFound = 53;
inline constexpr long NoCurrentRecord = 3021;
inline constexpr long GeneralFailure = -2147467259;     // also: record locked elsewhere, not a database
inline constexpr long RelatedRows = -2147217887;        // delete refused while related rows exist
inline constexpr long TableMissing = -2147217865;
inline constexpr long ColumnMissing = -2147217904;
inline constexpr long SyntaxError = -2147217900;
inline constexpr long ConnectionClosed = 3704;          // the main connection is not open
inline constexpr long ReadOnlyFile = 75;               // path/file access error: the file cannot be written
inline constexpr long Interrupted = 3712;               // the statement was stopped by Connection::interrupt
inline constexpr long DatabaseInUse = 3045;             // another program holds the database file (busy, locked)
inline constexpr long DiskFull = 61;                    // no room left on the disk
}

class DbError : public std::runtime_error {
public:
    DbError(long number, const QString &description, const QString &source = QStringLiteral("zv.db"))
        : std::runtime_error(description.toStdString()), m_number(number), m_description(description),
          m_source(source) {}
    long number() const { return m_number; }
    const QString &description() const { return m_description; }
    const QString &source() const { return m_source; }

private:
    long m_number;
    QString m_description;
    QString m_source;
};

// A row another connection, of this program or another, holds for editing.
// Its number is the general failure's, as callers of old test it; tell it
// apart from any other failure by its type.
class RowHeld : public DbError {
public:
    RowHeld()
        : DbError(err::GeneralFailure,
                  QStringLiteral("Could not update; currently locked by another session on this machine.")) {}
};

} // namespace zv::db
