#include "ActivityUtilityForms.h"
#include "core/FormRegistry.h"
#include "frmLastGnrDateUpdation.h"
#include "frmViewActivity.h"

namespace zv::activity {

void registerUtilityForms() {
    namespace names = zv::forms::names;
    zv::forms::registerForm(names::frmLastGnrDateUpdation, [](QWidget *p) { return new frmLastGnrDateUpdation(p); });
    zv::forms::registerForm(names::frmViewActivity, [](QWidget *p) { return new frmViewActivity(p); });
}

} // namespace zv::activity
