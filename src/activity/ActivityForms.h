#pragma once
#include "framework/FormServices.h"

namespace zv::activity {

// Registers the forms of the activity master with the main window.
// The forms get the services given (by default the real windows).
void registerForms(zv::fw::FormServices services);

} // namespace zv::activity
