#pragma once
#include <functional>

namespace zv::db {
class Connection;
}

// A line's last generated date (Actvty_Mast_Det.Last_Gnrtd_Date) is the latest
// expected date among the line's schedule entries (Statry_Cmpltd_Entry), or
// NULL while it has none. The employees' program reads it back. One line, or
// the missing dates of one activity: ActivityStore.h.
namespace zv::activity {

// Called with the number of lines written so far and the number of lines.
using LineProgress = std::function<void(int done, int total)>;

// Rewrites the date of every line, in one transaction: either every line gets
// its date or, when anything fails (the error is thrown), none is changed.
// The lines are written in at most a hundred batches; progress is
// called with (0, total) before the first write and after each batch, ending
// with (total, total). An exception it throws rolls the run back as well.
// Returns the number of lines.
int RecalculateLastGnrtdDate(zv::db::Connection &conn, const LineProgress &progress = {});

} // namespace zv::activity
