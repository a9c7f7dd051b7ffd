#include "ReportForms.h"
#include "core/FormRegistry.h"
#include "frmGenReport.h"
#include "frmGenReport1.h"
#include "frmGenReport2.h"
#include "frmGenReportDev3.h"
#include "frmGenReportDev4.h"

namespace zv::reports {

void registerForms(zv::fw::FormServices services) {
    namespace names = zv::forms::names;
    zv::forms::registerForm(names::frmGenReportDev3, [services](QWidget *p) { return new frmGenReportDev3(p, services); });
    zv::forms::registerForm(names::frmGenReportDev4, [services](QWidget *p) { return new frmGenReportDev4(p, services); });
    zv::forms::registerForm(names::frmGenReport, [services](QWidget *p) { return new frmGenReport(p, services); });
    zv::forms::registerForm(names::frmGenReport1, [services](QWidget *p) { return new frmGenReport1(p, services); });
    zv::forms::registerForm(names::frmGenReport2, [services](QWidget *p) { return new frmGenReport2(p, services); });
}

} // namespace zv::reports
