#pragma once
#include "framework/FormServices.h"

namespace zv::masters {

// The real windows behind the form services: the general filter, the employee
// selection and the registered view of a day's allocations. A fresh set on
// every call; the forms' constructors take it by default.
zv::fw::FormServices formServices();

} // namespace zv::masters
