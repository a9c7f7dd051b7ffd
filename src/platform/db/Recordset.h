#pragma once
#include "DbError.h"
#include <QStringList>
#include <QStringView>
#include <QVariant>
#include <QVector>

namespace zv::db {

// A client-side result held in memory. Null is a null QVariant, distinct from
// an empty string. Field names are matched without regard to case. Values
// come back as the database gave them: integers as qlonglong, reals as
// double, text as QString, blobs as QByteArray.
class Recordset {
public:
    using Row = QVector<QVariant>;

    Recordset() = default;
    Recordset(QStringList columns, QVector<Row> rows);

    // Shape
    int fieldCount() const { return m_columns.size(); }
    const QStringList &fieldNames() const { return m_columns; }
    int fieldIndex(const QString &name) const;      // -1 when missing
    int recordCount() const { return m_rowCount; }
    bool isEmpty() const { return m_rowCount == 0; }

    // Cursor
    bool eof() const { return m_rowCount == 0 || m_pos >= m_rowCount; }
    bool bof() const { return m_rowCount == 0 || m_pos < 0; }
    void moveFirst() { m_pos = 0; }
    void moveLast() { m_pos = m_rowCount - 1; }
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
    QVariant value(int field) const {
        if (m_pos < 0 || m_pos >= m_rowCount || field < 0 || field >= m_columns.size())
            refuse(field);
        return variantOf(cellAt(m_pos, field));
    }
    QVariant value(const QString &field) const;
    QVariant operator[](const QString &field) const { return value(field); }
    QVariant operator[](int field) const { return value(field); }
    bool isNull(const QString &field) const { return value(field).isNull(); }
    QString text(const QString &field) const;        // Null reads as ""
    void setValue(const QString &field, const QVariant &v);  // in memory only

    // Values by position (0-based, in the current order), for grids
    QVariant valueAt(int row, int field) const { return variantOf(cellAt(row, field)); }

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
    friend class Connection;
    // One value. Text and blobs live in buffers shared by the whole result, so
    // that reading a result does not allocate for each value it holds.
    struct Cell {
        enum Kind : quint8 { Null, Integer, Real, Text, Blob, Other };
        union {
            qint64 integer = 0;
            double real;
            qsizetype offset;   // into m_text or m_bytes, or the index in m_others
        };
        qint32 size = 0;        // text in UTF-16 units, blob in bytes
        Kind kind = Null;
    };

    void requireCurrent() const;
    int requireField(const QString &name) const;
    [[noreturn]] void refuse(int field) const;   // no current record, or no such field
    // The record at a position: its original row, which is also its bookmark.
    int recordAt(int pos) const { return m_order.isEmpty() ? pos : m_order.at(pos); }
    const Cell &cellAt(int pos, int field) const { return m_cells.at(qsizetype(recordAt(pos)) * m_columns.size() + field); }
    QVariant variantOf(const Cell &c) const;
    QStringView textOf(const Cell &c) const { return QStringView(m_text).mid(c.offset, c.size); }
    int compareCells(const Cell &a, const Cell &b) const;
    Cell cellOf(const QVariant &v);
    Cell textCell(const char *utf8, qsizetype bytes);
    Cell textCell(QStringView text);
    Cell blobCell(const char *data, qsizetype bytes);

    QStringList m_columns;
    QVector<Cell> m_cells;       // row after row, in the original order
    QString m_text;
    QByteArray m_bytes;
    QVector<QVariant> m_others;  // values of other types, kept as given
    int m_rowCount = 0;
    QVector<int> m_order;        // original row at each position; empty while unsorted
    int m_pos = 0;
    QString m_sort;
};

// Compares two field values the way the database does: Null first, numbers
// as numbers, text without regard to case.
int compareValues(const QVariant &a, const QVariant &b);

} // namespace zv::db
