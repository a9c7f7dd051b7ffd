#pragma once
#include "ReportStore.h"

// The monthly checklist's rows: the allotted activities of a month copied
// into temp_mchklist under the key of one run, read back, and deleted.
namespace zv::reports {

struct ChecklistFilter {
    int month = 0;
    int year = 0;
    WorkType type = WorkType::Official;
    QString employees;   // selection list; empty: every employee
};

// The key of one run of the user with that number: the number, "-" and a
// random part, so that runs of other users or other windows never see its rows.
QString checklistRunKey(double userNumber);
// Deletes every run's rows of the user with that number: a run's rows live only
// until its viewer closes, so at start-up they are the leftovers of a run that
// was killed. Rows under the bare number (as older versions wrote) go too.
// Returns the rows deleted.
int deleteLeftoverChecklists(zv::db::Connection &c, double userNumber);

// Whether the tables the checklist reads and writes have the columns it uses;
// a failure that says nothing about them (the file in use) is thrown.
bool checklistTablesUsable(zv::db::Connection &c);
// Replaces the run's rows by those of the filter, all or none (throws DbError).
void fillChecklist(zv::db::Connection &c, const QString &runKey, const ChecklistFilter &f);
// The run's rows, by allotment date or by activity.
zv::db::Recordset checklistRows(zv::db::Connection &c, const QString &runKey, bool byActivity);
void deleteChecklist(zv::db::Connection &c, const QString &runKey);

} // namespace zv::reports
