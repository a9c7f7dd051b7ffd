#pragma once
#include <QDate>
#include <QDateTime>

// The program's one reading of the date and time. Every path that asks what
// day it is asks here, so that a test can stop the clock at a moment of its
// choosing and a run across midnight or the New Year sees one day throughout.
namespace zv::clock {

// The local date and time: the machine's, or the fixed moment when one is set.
QDateTime now();
QDate today();

// Stops the clock at `at` (local time); an invalid moment lets it run again.
void setFixed(const QDateTime &at);

} // namespace zv::clock
