#include "MasterForms.h"
#include "FrmEmp.h"
#include "core/FormRegistry.h"
#include "frmCompanySetup.h"
#include "frmDepartment.h"
#include "frmEmpMngrAssgn.h"
#include "frmHolidayMaster.h"
#include "frmParameter.h"

namespace zv::masters {

void registerForms(zv::fw::FormServices services) {
    namespace names = zv::forms::names;
    zv::forms::registerForm(names::frmDepartment, [services](QWidget *p) { return new frmDepartment(p, services); });
    zv::forms::registerForm(names::frmDesignation, [services](QWidget *p) { return new frmDesignation(p, services); });
    zv::forms::registerForm(names::frmCompanySetup, [services](QWidget *p) { return new frmCompanySetup(p, services); });
    zv::forms::registerForm(names::frmParameter, [services](QWidget *p) { return new frmParameter(p, services); });
    zv::forms::registerForm(names::frmHolidayMaster, [services](QWidget *p) { return new frmHolidayMaster(p, services); });
    zv::forms::registerForm(names::frmEmpMngrAssgn, [services](QWidget *p) { return new frmEmpMngrAssgn(p, services); });
    zv::forms::registerForm(names::FrmEmp, [services](QWidget *p) { return new FrmEmp(p, services); });
}

} // namespace zv::masters
