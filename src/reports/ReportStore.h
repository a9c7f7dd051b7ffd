#pragma once
#include "ReportSql.h"
#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"
#include <QDate>
#include <QString>
#include <optional>

// The data of the report forms: each report's statement built from plain
// filter values, every value bound. The forms read their controls into a
// filter, ask here for the rows and show them.
namespace zv::reports {

// Activities of which kind: official ('O'), personal ('P') or both.
enum class WorkType { Official, Personal, Both };
// Schedule entries by completion: not completed, completed or both.
enum class Completion { Pending, Completed, Both };

// The kind of work the option buttons choose.
inline WorkType workType(bool official, bool personal) {
    return official ? WorkType::Official : personal ? WorkType::Personal : WorkType::Both;
}
// " AND column = 'O'" or 'P' for one kind of work; nothing for both.
void addWorkType(BoundSql &q, const QString &column, WorkType type);

// The statements that list the employees in the selection window, by name:
// name, login name and key, or key, login name and name.
QString employeeChoiceByName();
QString employeeChoiceByKey();
// Every employee's key, joined by ",", in order of name.
QString allEmployeeKeys(zv::db::Connection &c);
// The first company's name, "" without one.
QString firstCompanyName(zv::db::Connection &c);
// The days of the listed holidays in a period, in date order.
QList<QDate> holidaysIn(zv::db::Connection &c, const QString &fromIso, const QString &untilIso);

// Target-dated lines whose target date lies in the period.
struct TargetDateFilter {
    QString employees;              // selection list; empty: every employee
    bool nobody = false;            // no employee to choose from: nothing matches
    std::optional<DayRange> period; // none: any target date
    WorkType type = WorkType::Both;
    enum class Order { AllotmentDate, Activity, TargetDate } order = Order::TargetDate;
};
BoundSql targetDateQuery(const TargetDateFilter &f);

// Target-dated lines due on or before a day and not completed, by allotment date.
struct PendingFilter {
    QString employees;
    WorkType type = WorkType::Both;
    QDate dueBy;
};
BoundSql pendingQuery(const PendingFilter &f);

// Needed schedule entries expected in the period, each with its own line's
// employee, department and assigner.
struct PlannerFilter {
    QString employees;
    std::optional<DayRange> period;
    Completion status = Completion::Both;
    enum class Order { None, Department, EntryDate, Activity } order = Order::None;
    bool thenByExpectedDate = true;   // month mode: within the order (or alone), by expected date
};
BoundSql plannerQuery(const PlannerFilter &f);

} // namespace zv::reports
