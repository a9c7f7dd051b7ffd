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

// Whether the tables the checklist reads and writes have the columns it uses.
bool checklistTablesUsable(zv::db::Connection &c);
// Replaces the run's rows by those of the filter, all or none (throws DbError).
void fillChecklist(zv::db::Connection &c, const QString &runKey, const ChecklistFilter &f);
// The run's rows, by allotment date or by activity.
zv::db::Recordset checklistRows(zv::db::Connection &c, const QString &runKey, bool byActivity);
void deleteChecklist(zv::db::Connection &c, const QString &runKey);

} // namespace zv::reports
