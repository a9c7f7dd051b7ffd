#include "ReportForms.h"
#include "ChecklistStore.h"
#include "DiarizedStore.h"
#include "core/FormRegistry.h"
#include "core/modCommon.h"
#include "frmGenReport.h"
#include "frmGenReport1.h"
#include "frmGenReport2.h"
#include "frmGenReportDev3.h"
#include "frmGenReportDev4.h"
#include "platform/clock/Clock.h"
#include "platform/db/ErrorText.h"
#include "platform/ui/ErrorBox.h"

namespace zv::reports {

void deleteLeftoverWorkingRows() {
    try {
        zv::db::Connection &c = modCommon::MainConnection();
        zv::db::Transaction t(c);
        deleteLeftoverChecklists(c, modCommon::gTempUserID);
        deleteStaleDiarized(c, zv::clock::now());
        // Asked after the deletes and before their commit: an instance that
        // opened the file earlier is seen here and the deletes are taken back;
        // one that opens later writes its rows only after this commit, since
        // this transaction holds the write lock until then.
        if (c.othersHoldFile())
            return;   // rolled back
        t.commit();
    } catch (const zv::ui::ActionEnded &) {
        // The opening has told why.
    } catch (const std::exception &e) {
        // Rows that cannot go while another program holds the file are simply
        // left for the next start: nobody asked for this, so nothing is said.
        // Anything else (a damaged or read-only file) the user must know of.
        if (!zv::db::isInUse(e))
            zv::ui::tellFailure(e);
    }
}

void registerForms(zv::fw::FormServices services) {
    namespace names = zv::forms::names;
    zv::forms::registerForm(names::frmGenReportDev3, [services](QWidget *p) { return new frmGenReportDev3(p, services); });
    zv::forms::registerForm(names::frmGenReportDev4, [services](QWidget *p) { return new frmGenReportDev4(p, services); });
    zv::forms::registerForm(names::frmGenReport, [services](QWidget *p) { return new frmGenReport(p, services); });
    zv::forms::registerForm(names::frmGenReport1, [services](QWidget *p) { return new frmGenReport1(p, services); });
    zv::forms::registerForm(names::frmGenReport2, [services](QWidget *p) { return new frmGenReport2(p, services); });
    zv::forms::registerStartupTask(QStringLiteral("reportWorkingRows"), [] { deleteLeftoverWorkingRows(); });
}

} // namespace zv::reports
