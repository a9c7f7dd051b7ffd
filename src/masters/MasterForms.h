#pragma once

namespace zv::masters {

// Registers the organisation masters of this folder with the main window's
// form registry: department, designation, company, transaction period,
// employee, holiday list and employee-manager relationship.
void registerForms();

} // namespace zv::masters
