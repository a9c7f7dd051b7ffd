#include "ReportForms.h"
#include "core/FormRegistry.h"
#include "frmGenReport.h"
#include "frmGenReport1.h"
#include "frmGenReport2.h"
#include "frmGenReportDev3.h"
#include "frmGenReportDev4.h"

namespace zv::reports {

void registerForms() {
    namespace names = zv::forms::names;
    zv::forms::registerForm(names::frmGenReportDev3, [](QWidget *p) { return new frmGenReportDev3(p); });
    zv::forms::registerForm(names::frmGenReportDev4, [](QWidget *p) { return new frmGenReportDev4(p); });
    zv::forms::registerForm(names::frmGenReport, [](QWidget *p) { return new frmGenReport(p); });
    zv::forms::registerForm(names::frmGenReport1, [](QWidget *p) { return new frmGenReport1(p); });
    zv::forms::registerForm(names::frmGenReport2, [](QWidget *p) { return new frmGenReport2(p); });
}

} // namespace zv::reports
