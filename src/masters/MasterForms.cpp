#include "MasterForms.h"
#include "FrmEmp.h"
#include "core/FormRegistry.h"
#include "frmCompanySetup.h"
#include "frmDepartment.h"
#include "frmEmpMngrAssgn.h"
#include "frmHolidayMaster.h"
#include "frmParameter.h"
#include "query/frmGeneralFilter.h"

namespace zv::masters {

void registerForms() {
    namespace names = zv::forms::names;
    zv::fw::DataForm::setRealGeneralFilter(
        [](const QString &key, const QString &join) { return zv::query::frmGeneralFilter::Show_Form(key, join); });
    zv::forms::registerForm(names::frmDepartment, [](QWidget *p) { return new frmDepartment(p); });
    zv::forms::registerForm(names::frmDesignation, [](QWidget *p) { return new frmDesignation(p); });
    zv::forms::registerForm(names::frmCompanySetup, [](QWidget *p) { return new frmCompanySetup(p); });
    zv::forms::registerForm(names::frmParameter, [](QWidget *p) { return new frmParameter(p); });
    zv::forms::registerForm(names::frmHolidayMaster, [](QWidget *p) { return new frmHolidayMaster(p); });
    zv::forms::registerForm(names::frmEmpMngrAssgn, [](QWidget *p) { return new frmEmpMngrAssgn(p); });
    zv::forms::registerForm(names::FrmEmp, [](QWidget *p) { return new FrmEmp(p); });
}

} // namespace zv::masters
