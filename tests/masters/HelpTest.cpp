#include "MasterFixture.h"
#include "masters/FrmEmp.h"
#include "masters/frmCompanySetup.h"
#include "masters/frmDepartment.h"
#include "masters/frmParameter.h"
#include "platform/help/HelpWindow.h"
#include "platform/help/Help.h"
#include <QFile>

namespace {

class MasterHelp : public MasterTest {};

// F1 opens each form's own page of the help file; without the file it says so.
TEST_F(MasterHelp, F1OpensTheFormsTopic) {
    struct Case {
        std::function<zv::fw::MasterForm *()> make;
        const char *page;
    };
    const QList<Case> cases = {{[] { return new frmDepartment; }, "Department.htm"},
                               {[] { return new frmDesignation; }, "Designation.htm"},
                               {[] { return new frmCompanySetup; }, "Companydetails.htm"},
                               {[] { return new frmParameter; }, "Parameter.htm"},
                               {[] { return new FrmEmp; }, "EmployeeMaster.htm"}};
    for (const Case &c : cases) {
        std::unique_ptr<zv::fw::MasterForm> form(c.make());
        showForm(*form);
        key(*form, Qt::Key_F1);
        EXPECT_EQ(messages.prompts(), QStringList{"Help not available"}) << c.page;
        messages.clear();
    }
    ASSERT_TRUE(QFile::copy(QStringLiteral(ZV_HELP_FILE), folder->file("Help/ZVA.qch")));
    for (const Case &c : cases) {
        std::unique_ptr<zv::fw::MasterForm> form(c.make());
        showForm(*form);
        key(*form, Qt::Key_F1);
        EXPECT_TRUE(messages.prompts().isEmpty()) << c.page;
        zv::help::HelpWindow *help = zv::help::currentWindow();
        ASSERT_NE(help, nullptr) << c.page;
        EXPECT_TRUE(help->currentUrl().toString().endsWith(c.page, Qt::CaseInsensitive))
            << help->currentUrl().toString().toStdString();
        delete help;
    }
}

} // namespace
