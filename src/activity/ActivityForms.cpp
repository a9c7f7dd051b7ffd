#include "ActivityForms.h"
#include "core/FormRegistry.h"
#include "frmActvtyMast.h"

namespace zv::activity {

void registerForms(zv::fw::FormServices services) {
    zv::forms::registerForm(zv::forms::names::frmActvtyMast, [services](QWidget *p) { return new frmActvtyMast(p, services); });
}

} // namespace zv::activity
