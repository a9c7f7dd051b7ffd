#pragma once
#include "framework/FormServices.h"

namespace zv::reports {

// Registers the report filter forms of this folder with the main window's
// form registry: the monthly checklist, the two target-date reports, the
// projector/actuals planner and the diarized activities report.
// The forms get the services given, without a default: the program passes
// the real windows (zv::masters::formServices()), a test its answers.
void registerForms(zv::fw::FormServices services);

// Deletes from the main connection the report rows that only a killed run of
// this program leaves behind (the administrator's checklist rows, diarized rows
// of openings more than a day old). Registered as a start-up task. While
// another instance of the program (another user, another machine on a shared
// folder) has the production file open, they may be its running report's rows
// and all stay; so does everything when the deletion fails. The next start
// alone on the file clears them. A file another program holds is no news at
// start-up and is not told; any other failure is told once, and the start
// goes on.
void deleteLeftoverWorkingRows();

} // namespace zv::reports
