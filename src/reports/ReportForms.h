#pragma once

namespace zv::reports {

// Registers the report filter forms of this folder with the main window's
// form registry: the monthly checklist, the two target-date reports, the
// projector/actuals planner and the diarized activities report.
void registerForms();

} // namespace zv::reports
