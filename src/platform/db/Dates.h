#pragma once
#include <QDate>
#include <QString>
#include <QVariant>

// Dates are stored as ISO text and shown as dd-MMM-yyyy with English month
// abbreviations, whatever the locale.
namespace zv::db {

QString toIsoDate(const QDate &d);                 // "2026-12-09"; empty for an invalid date
QDate fromIsoDate(const QString &s);               // invalid when s is not an ISO date
QString toDisplayDate(const QDate &d);             // "09-Dec-2026"; empty for an invalid date
QDate fromDisplayDate(const QString &s);           // accepts dd-MMM-yyyy, any letter case; invalid otherwise
QString isoToDisplay(const QString &iso);          // "2026-12-09" -> "09-Dec-2026"; other text unchanged
QString displayToIso(const QString &display);      // "09-Dec-2026" -> "2026-12-09"; empty when not a date
QString monthAbbrev(int month);                    // 1 -> "Jan"; empty outside 1..12
int monthFromAbbrev(const QString &name);          // "jan"/"January" -> 1; 0 when unknown
int vbWeekday(const QDate &d);                     // Sunday = 1 ... Saturday = 7
QVariant dateParam(const QDate &d);                // bound value of a date: ISO text, or Null when invalid

} // namespace zv::db
