#pragma once

namespace zv::activity {

// Registers the last generation date update (main window, Master menu) and
// the view of one day's allocated activities (opened by the holiday master)
// with the form registry.
void registerUtilityForms();

} // namespace zv::activity
