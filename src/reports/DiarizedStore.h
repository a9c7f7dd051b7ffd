#pragma once
#include "ReportStore.h"
#include <QList>

// The diarized report's rows: the schedule entries expected in one calendar
// month of five consecutive years, copied into Temp_Year under the key of one
// opening of the form, each with its completion date in the column of its
// year. Temp_Year's five completion columns keep their names D2004 to D2008;
// they hold the five years of a run, the first to the last.
namespace zv::reports {

constexpr int kDiarizedYears = 5;

struct DiarizedFilter {
    int month = 0;          // 1 to 12
    int lastYear = 0;       // the last of the five years
    Completion status = Completion::Both;
    QString employees;      // selection list; empty: every employee
};

// The five years ending with lastYear, first to last.
QList<int> diarizedYears(int lastYear);
// The last of the five years: the year in which the period that ends on
// endPeriod (dd-MMM-yyyy) ends; today's year when there is no such date.
int diarizedLastYear(const QString &endPeriod, const QDate &today);

// Temp_Year's completion column of each of the five years, first to last.
QStringList diarizedColumns();

// The key of one opening of the form that opens at the given moment: its time
// stamp (ddMMyyyyHHmmss) and a random suffix, so that two openings in the same
// second still differ.
QString diarizedFormId(const QDateTime &openedAt);
// Deletes the rows of openings more than a day before now, which only a run
// that was killed leaves behind: an opening's rows never outlive its form.
// Keys that do not start with a time stamp are left alone. Returns the rows deleted.
int deleteStaleDiarized(zv::db::Connection &c, const QDateTime &now);

// The statement that copies the filter's entries into Temp_Year under formId.
BoundSql diarizedFill(const QString &formId, const DiarizedFilter &f);
// Replaces formId's rows by those of the filter, all or none, and returns
// their number; 0 leaves the earlier rows as they were (throws DbError).
int fillDiarized(zv::db::Connection &c, const QString &formId, const DiarizedFilter &f);
// formId's rows in their running order.
zv::db::Recordset diarizedRows(zv::db::Connection &c, const QString &formId);
void deleteDiarized(zv::db::Connection &c, const QString &formId);

} // namespace zv::reports
