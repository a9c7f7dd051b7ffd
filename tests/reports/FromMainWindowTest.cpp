#include "ReportFixture.h"
#include "core/FormRegistry.h"
#include "reports/ReportForms.h"
#include "reports/frmGenReport2.h"

#include <QMenu>
#include <QTimer>

namespace {

class ReportsFromMainWindow : public ReportTest {
public:
    void SetUp() override {
        ReportTest::SetUp();
        zv::forms::clearRegistry();
        zv::reports::registerForms();
        main = mainWindowIn2004();
        main->applyEnablingRule(true);
    }
    void TearDown() override {
        zv::forms::clearRegistry();
        ReportTest::TearDown();
    }
    MDIZVS *main = nullptr;
};

// Each entry of the Reports menu and its toolbar key opens its filter form;
// the checklist's entry hands it the report key "AChkLst", which the form
// replaces by its own.
TEST_F(ReportsFromMainWindow, EntriesOpenTheirForms) {
    struct Case {
        QAction *MDIZVS::*entry;
        const char *key, *form, *title;
    };
    const Case cases[] = {
        {&MDIZVS::mnuAChkLst, "Report1", "frmGenReportDev3", "Activity checklist for a month Report Filter"},
        {&MDIZVS::mnuACL, "Report2", "frmGenReport", "Activities With Target Date Report Filter"},
        {&MDIZVS::mnuStatComplStatusReport, "Report3", "frmGenReport1", "Activity projector/Actuals planner"},
        {&MDIZVS::mnuPendingActivity, "Report4", "frmGenReportDev4", "Pending Activities with Target Date Report"},
    };
    for (const Case &c : cases) {
        for (QAction *trigger : {main->*c.entry, main->buttonByKey(c.key)}) {
            ASSERT_NE(trigger, nullptr) << c.key;
            EXPECT_TRUE(trigger->isEnabled()) << c.key;
            modCommon::gReportKey = "something else";
            QString opened, title, keyWhileOpen;
            QTimer::singleShot(0, [&] {
                QWidget *w = QApplication::activeModalWidget();
                if (!w) {
                    ADD_FAILURE() << "no form opened for " << c.key;
                    return;
                }
                opened = w->objectName();
                title = w->windowTitle();
                keyWhileOpen = modCommon::gReportKey;
                messages.answer(zv::ui::vbYes);   // where the form asks before closing
                w->close();
            });
            trigger->trigger();
            EXPECT_EQ(opened, c.form) << c.key;
            EXPECT_EQ(title, c.title) << c.key;
            if (QString(c.key) == "Report1")
                EXPECT_EQ(keyWhileOpen, "ACL");
        }
    }
    EXPECT_TRUE(zv::forms::isRegistered(zv::reports::kDiarizedForm));
}

} // namespace
