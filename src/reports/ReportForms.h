#pragma once
#include "framework/FormServices.h"

namespace zv::reports {

// Registers the report filter forms of this folder with the main window's
// form registry: the monthly checklist, the two target-date reports, the
// projector/actuals planner and the diarized activities report.
// The forms get the services given (by default the real windows).
void registerForms(zv::fw::FormServices services);

} // namespace zv::reports
