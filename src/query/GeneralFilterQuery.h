#pragma once
#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include "platform/db/BoundSql.h"
#include <memory>
#include <stdexcept>

namespace zv::db {
class Connection;
class Recordset;
}

// The general filter's metadata and statement: the rows of sys_Qury_Fltr and
// sys_grid_fltr for a screen key, the SELECT they make, and the criteria typed
// into its fields. Typed criteria never enter the statement text: they are
// bound as parameters.
namespace zv::query {

// One row of sys_Qury_Fltr: a selected column and its filter field.
struct QueryFieldRow {
    QString scrnName;
    QString scrnCapn;
    QString tbleName;
    QString clmnName;
    QString dispName;
    QString userCntrl;
    int capnTop = 0;
    int capnLeft = 0;
    int feldTop = 0;
    int feldLeft = 0;
    int feldWidt = 0;
    int clmnOrdr = 0;
    QString dataType;
    int feldLeng = 0;
};

// One row of sys_grid_fltr: a grid column and the criterion kind of the
// filter field at the same position.
struct GridColumnRow {
    QString feldName;
    QString userCntrl;
    QString clmnCapn;
    int clmnOrdr = 0;
    double clmnSize = 0;
    QString dataType;
    int visible = 0;   // 1 hides the column
};

using zv::db::BoundSql;

// A criterion that cannot be used (a "TF" text that is not a date).
class FilterError : public std::runtime_error {
public:
    explicit FilterError(const QString &description)
        : std::runtime_error(description.toStdString()), m_description(description) {}
    const QString &description() const { return m_description; }

private:
    QString m_description;
};

// Metadata reads; the key is trimmed and compared for equality.
QList<QueryFieldRow> readQueryFields(zv::db::Connection &conn, const QString &screenKey);
QList<GridColumnRow> readGridColumns(zv::db::Connection &conn, const QString &screenKey);
// The data types of the grid columns that are shown, upper-cased, in column order.
QStringList readShownColumnTypes(zv::db::Connection &conn, const QString &screenKey);

// The rows of a composed statement, for the grid, the sort and the find.
std::shared_ptr<zv::db::Recordset> readFilterRows(zv::db::Connection &conn, const BoundSql &statement);

// "Emp_Mast em , Desg_Mast dm , Dept_Mast dp ": every distinct Tble_Name once,
// in the order of the key's first row that names it.
QString buildFromList(const QList<QueryFieldRow> &rows);
// "em.Emp_Num  AS [Employee No],em.Emp_Name  AS [Name]"
QString buildSelectList(const QList<QueryFieldRow> &rows);
// "SELECT Distinct " + select + " FROM " + from + two blanks + join condition.
QString buildBaseStatement(const QString &selectList, const QString &fromList, const QString &joinCondition);

// The value of one filter field when the search runs.
struct CriterionInput {
    QString kind;     // the criterion kind: "DT", "TF", "T", "TFT"
    QString column;   // the column expression the criterion applies to
    QString text;     // the text field's text; for "DT" what was typed, empty when nothing
    QDate date;       // the date field's date ("DT"); 01-Jan-1900, or invalid with no text: no date
};

// The date pickers' value for "no date".
inline QDate noDate() { return QDate(1900, 1, 1); }

// Reads a date typed into a text criterion: dd-MMM-yyyy, also with blanks or
// "/" between the parts, or yyyy-MM-dd. Invalid when it is no date.
QDate parseTypedDate(const QString &text);

// "col  LIKE  ? ESCAPE '\'  AND col2 = ?": one criterion per filled field.
//   "T", "TFT": the column begins with the trimmed text;
//   "TF": the column's date equals the (trimmed) text read as a date;
//   "DT": the column's date equals the picked date.
// Throws FilterError when a "TF" text, or what was typed into a "DT" field, is not a date.
BoundSql buildCriteria(const QList<CriterionInput> &inputs);

// The statement the grid is filled from. Criteria are joined with " AND "
// when the join condition carries its own WHERE, else with " WHERE "; the
// appended text follows them; with the repeat flag they are given once more.
BoundSql buildFinalStatement(const QString &baseStatement, const QString &joinCondition, const BoundSql &criteria,
                             const QString &appendedText, bool repeat);

} // namespace zv::query
