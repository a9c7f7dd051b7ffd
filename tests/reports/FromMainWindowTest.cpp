#include "ReportFixture.h"
#include "core/FormRegistry.h"
#include "reports/ReportForms.h"
#include "reports/frmGenReport2.h"
#include "support/Modal.h"

#include <QMenu>
#include <QTimer>

namespace {

class ReportsFromMainWindow : public ReportTest {
public:
    void SetUp() override {
        ReportTest::SetUp();
        zv::forms::clearRegistry();
        zv::reports::registerForms(answers.forms());
        main = mainWindowIn2004();
        main->applyEnablingRule(true);
    }
    void TearDown() override {
        zv::forms::clearRegistry();
        ReportTest::TearDown();
    }
    MDIZVS *main = nullptr;
};

// Each entry of the Reports menu and its toolbar key (the diarized report
// has none) opens its filter form; the checklist's entry hands it the report
// key "AChkLst", which the form replaces by its own.
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
        {&MDIZVS::mnuDiarized, nullptr, "frmGenReport2", " Diarized Activities Report Filter"},
    };
    EXPECT_EQ(main->mnuReports->actions().last(), main->mnuDiarized);
    EXPECT_EQ(main->mnuDiarized->text(), "&Diarized Activities Report");
    for (const Case &c : cases) {
        QList<QAction *> triggers{main->*c.entry};
        if (c.key)
            triggers << main->buttonByKey(c.key);
        for (QAction *trigger : triggers) {
            ASSERT_NE(trigger, nullptr) << c.form;
            EXPECT_TRUE(trigger->isEnabled()) << c.form;
            modCommon::gReportKey = "something else";
            QString opened, title, keyWhileOpen;
            onModal<QDialog>([&](QDialog *w) {
                opened = w->objectName();
                title = w->windowTitle();
                keyWhileOpen = modCommon::gReportKey;
                messages.answer(zv::ui::vbYes);   // where the form asks before closing
                w->close();
            });
            trigger->trigger();
            EXPECT_EQ(opened, c.form) << c.form;
            EXPECT_EQ(title, c.title) << c.form;
            if (c.key && QString(c.key) == "Report1")
                EXPECT_EQ(keyWhileOpen, "ACL");
        }
    }
}

} // namespace
