#pragma once
#include "framework/FormServices.h"

namespace zv::masters {

// The real windows behind the form services: the general filter, the employee
// selection and the registered view of a day's allocations. A fresh set on
// every call; the program hands it to every form it registers.
zv::fw::FormServices formServices();

} // namespace zv::masters
