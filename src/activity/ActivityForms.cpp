#include "ActivityForms.h"
#include "core/FormRegistry.h"
#include "frmActvtyMast.h"

namespace zv::activity {

void registerForms() {
    zv::forms::registerForm(zv::forms::names::frmActvtyMast, [](QWidget *p) { return new frmActvtyMast(p); });
}

} // namespace zv::activity
