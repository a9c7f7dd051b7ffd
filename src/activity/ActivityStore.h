#pragma once
#include "ActivityRules.h"
#include <QDate>
#include <QList>
#include <QString>
#include <memory>
#include <optional>
#include <vector>

namespace zv::db {
class Connection;
class RowLock;
}

// The activity tables as the activity forms read and write them: plain rows
// in, plain rows out, every value bound. The forms hold no SQL.
namespace zv::activity {

// A row of Actvty_Mast.
struct ActivityHeader {
    qint64 key = 0;
    QDate entryDate;
    QString description;
    QString remarks;
};

// A detail line with the names the grid shows.
struct ActivityLine {
    qint64 activity = 0;
    qint64 line = 0;
    QDate start;
    QDate end;
    QDate lastGenerated;   // invalid while the line has no generated entries
    qint64 dept = 0;
    qint64 emp = 0;
    qint64 freq = 0;
    qint64 assignBy = 0;   // 0: the administrator
    QString deptName;
    QString empName;
    QString freqName;
    QString assignName;   // "ADMIN" for the administrator
};

// A line as the detail frame writes it.
struct LineInput {
    qint64 activity = 0;
    qint64 dept = 0;
    qint64 emp = 0;
    qint64 freq = 0;
    QDate start;
    QDate end;   // invalid: no end date
    RuleKind kind = RuleKind::NoRule;
    MonthlyShape shape = MonthlyShape::Dates;
    QList<RuleRow> rules;
};

// An entry of a list: the key stored, the name shown.
struct NamedKey {
    qint64 key = 0;
    QString name;
};

// One employee's activity allocated on a day.
struct DayAllocation {
    QString employee;
    QString activity;
};

// Thrown by writeLine when the line to rewrite has schedule entries: the
// employees' program generated them after the line was read.
struct LineHasEntries {
    qint64 line = 0;
};

// Thrown when the row to change or delete is no longer there.
struct RowGone {};

// Thrown by writeLine when the line's department or responsible person was
// deleted (by another program) after the lists were read.
struct ChoiceGone {
    bool department = false;   // else the responsible person
};

class ActivityStore {
public:
    explicit ActivityStore(zv::db::Connection &conn) : m_conn(conn) {}

    // Reads nothing from the three activity tables; throws when one is
    // missing or lacks a column the forms use.
    void probe();

    // ------------------------------------------------------------ activities
    std::optional<ActivityHeader> header(qint64 key);
    bool exists(qint64 key);
    // Whether another activity than except has this description, trimmed and
    // without regard to letter case.
    bool descriptionTaken(const QString &description, qint64 except);
    // The new activity's key; the row and its lock number are written together.
    qint64 insertHeader(const ActivityHeader &row);
    // Throws RowGone when the activity is no longer there.
    void updateHeader(const ActivityHeader &row);
    bool hasGeneratedLines(qint64 activity);
    bool hasAssignedLines(qint64 activity);
    bool hasCompletedEntries(qint64 activity);
    // Deletes the activity with its lines, rules and schedule entries, its
    // entries locked meanwhile (the caller holds the activity's lock). False,
    // nothing deleted, when completed work is on file; throws RowGone when the
    // activity went meanwhile.
    bool deleteActivity(qint64 activity);

    // ------------------------------------------------------------ lines
    // The lines whose start lies in the transaction period, by start date; a
    // line assigned by an employee no longer on file is left out.
    QList<ActivityLine> lines(qint64 activity);
    std::optional<ActivityLine> line(qint64 line);
    bool lineHasGenerated(qint64 line);
    bool lineHasCompletedEntries(qint64 line);
    QDate latestEnd(qint64 activity);
    // Whether [start, end] meets a line of the activity other than except, bounds included.
    bool overlaps(qint64 activity, const QDate &start, const QDate &end, qint64 except);
    // Writes the line with its rule rows in one transaction, in place of the
    // line replace when not 0 (which then must still belong to the activity,
    // else RowGone, and have no schedule entries, else LineHasEntries).
    // Returns the new line's key.
    qint64 writeLine(const LineInput &in, qint64 replace = 0);
    // Throws RowGone when the line is no longer there.
    void updateLineEnd(qint64 activity, qint64 line, const QDate &end);
    // The line with its schedule entries and rule rows; false when it was not there.
    bool deleteLine(qint64 activity, qint64 line);
    // Writes the rule rows of a line, each with the columns of its shape only.
    void insertRules(qint64 activity, qint64 line, RuleKind kind, MonthlyShape shape, const QList<RuleRow> &rows);
    // Reads a line's rule rows back into the cells of its kind (which are
    // emptied first). The monthly shape is the nth-weekday one when any row has
    // both Dow and Days above 0. Rows outside the cells' range are skipped.
    MonthlyShape loadRules(qint64 line, RuleKind kind, RuleCells &cells);

    // A line's last generated date is the latest expected date of its
    // schedule entries (invalid, NULL stored, without any).
    QDate latestExpected(qint64 line);
    // Sets the line's date from its entries.
    void updateLastGenerated(qint64 line);
    // The same for every line of the activity whose date is still NULL.
    void fillMissingLastGenerated(qint64 activity);

    // ------------------------------------------------------------ lists
    QList<NamedKey> departments();
    QList<NamedKey> employees();
    // The frequencies ordered by description (see RuleKind).
    QList<Frequency> frequencies();
    QString employeeName(qint64 key);
    // The transaction period; invalid dates without one.
    std::pair<QDate, QDate> period();

    // ------------------------------------------------------------ allocations
    // Each employee and activity allocated on the day once, by employee name.
    QList<DayAllocation> allocatedOn(const QDate &day);

private:
    zv::db::Connection &m_conn;
};

} // namespace zv::activity
