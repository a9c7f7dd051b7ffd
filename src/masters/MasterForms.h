#pragma once
#include "FormServices.h"

namespace zv::masters {

// Registers the organisation masters of this folder with the main window's
// form registry: department, designation, company, transaction period,
// employee, holiday list and employee-manager relationship.
// The forms get the services given, without a default: the program passes
// the real windows (zv::masters::formServices()), a test its answers.
void registerForms(zv::fw::FormServices services);

} // namespace zv::masters
