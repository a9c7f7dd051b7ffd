#pragma once

namespace zv::activity {

// Registers the forms of the activity master with the main window.
void registerForms();

} // namespace zv::activity
