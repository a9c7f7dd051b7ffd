#pragma once
#include "DbError.h"
#include <QStringList>
#include <QVariant>
#include <QVector>

namespace zv::db {

// A client-side result held in memory. Null is a null QVariant, distinct from
// an empty string. Field names are matched without regard to case.
class Recordset {
public:
    using Row = QVector<QVariant>;

    Recordset() = default;
    Recordset(QStringList columns, QVector<Row> rows);

    // Shape
    int fieldCount() const { return m_columns.size(); }
    const QStringList &fieldNames() const { return m_columns; }
    int fieldIndex(const QString &name) const;      // -1 when missing
    int recordCount() const { return m_rows.size(); }
    bool isEmpty() const { return m_rows.isEmpty(); }

    // Cursor
    bool eof() const { return m_rows.isEmpty() || m_pos >= m_rows.size(); }
    bool bof() const { return m_rows.isEmpty() || m_pos < 0; }
    void moveFirst() { m_pos = 0; }
    void moveLast() { m_pos = m_rows.size() - 1; }
    void moveNext();
    void movePrevious();
    void move(int rows) { setAbsolutePosition(absolutePosition() + rows); }
    int absolutePosition() const;                   // 1-based; 0 at BOF/EOF or when empty
    void setAbsolutePosition(int pos);               // 1-based; out of range goes to BOF/EOF
    int currentIndex() const { return m_pos; }       // 0-based row index, may be -1 or recordCount()

    // A bookmark names a record and survives Sort.
    int bookmark() const;                            // throws 3021 at BOF/EOF
    void setBookmark(int bookmark);                  // throws 3021 when unknown

    // Values of the current record; throw 3021 at BOF/EOF and -2147217904 for a missing field.
    QVariant value(int field) const;
    QVariant value(const QString &field) const;
    QVariant operator[](const QString &field) const { return value(field); }
    QVariant operator[](int field) const { return value(field); }
    bool isNull(const QString &field) const { return value(field).isNull(); }
    QString text(const QString &field) const;        // Null reads as ""
    void setValue(const QString &field, const QVariant &v);  // in memory only

    // Values by row, for grids
    QVariant valueAt(int row, int field) const { return m_rows.at(row).at(field); }
    const Row &rowAt(int row) const { return m_rows.at(row); }

    // Sort: "Name ASC, Code DESC"; an empty text restores the original order.
    // Text sorts without regard to case, Nulls first. The current record is kept.
    void sort(const QString &order);
    QString sortSpec() const { return m_sort; }

    // Find: a criterion "Field op value" with op one of = <> < > <= >= LIKE;
    // value is a number, a 'quoted text' ('' for a quote) or a #date#; LIKE
    // takes * and % as wildcards. Text compares without regard to case.
    // Searches from the current record (skipping it when skipCurrent), forward
    // or backward; on no match the cursor is left at EOF (forward) or BOF (backward).
    bool find(const QString &criterion, bool skipCurrent = false, bool forward = true);
    // The same with the field, operator and value given apart (no parsing).
    bool find(const QString &field, const QString &op, const QVariant &value, bool skipCurrent = false,
              bool forward = true);

private:
    void requireCurrent() const;
    int requireField(const QString &name) const;

    QStringList m_columns;
    QVector<Row> m_rows;
    QVector<int> m_ids;      // original position of each row: its bookmark
    int m_pos = 0;
    QString m_sort;
};

// Compares two field values the way the database does: Null first, numbers
// as numbers, text without regard to case.
int compareValues(const QVariant &a, const QVariant &b);

} // namespace zv::db
