#pragma once
#include "framework/FormServices.h"

namespace zv::activity {

// Registers the forms of the activity master with the main window.
// The forms get the services given, without a default: the program passes
// the real windows (zv::masters::formServices()), a test its answers.
void registerForms(zv::fw::FormServices services);

} // namespace zv::activity
