#include "activity/ActivityForms.h"
#include "activity/ActivityUtilityForms.h"
#include "core/AdminForms.h"
#include "core/FormRegistry.h"
#include "core/modCommon.h"
#include "masters/FormServices.h"
#include "masters/MasterForms.h"
#include "platform/report/FrmReportViewer.h"
#include "platform/ui/Ui.h"
#include "reports/ReportForms.h"
#include <QApplication>

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zorvane"));
    zv::ui::installProgramStyle();

    // The forms the main window opens are registered here by name, before the
    // login (docs/ARCHITECTURE.md, "Form registry"); an entry whose form is not
    // registered stays disabled. Each subsystem registers its own forms.
    // They get the real windows (general filter, employee selection, day view).
    const zv::fw::FormServices services = zv::masters::formServices();
    zv::admin::registerForms();
    zv::masters::registerForms(services);
    zv::activity::registerForms(services);
    zv::activity::registerUtilityForms();
    zv::reports::registerForms(services);
    // Report files are found under the program's folder.
    zv::report::setProgramFolder(modCommon::appPath());

    return modCommon::Main();
}
