#include "ReportFixture.h"
#include "reports/frmGenReportDev4.h"

#include <QRadioButton>
#include <QToolButton>

namespace {

class PendingReport : public ReportTest {
public:
    void SetUp() override {
        ReportTest::SetUp();
        target(asha, "Due today", today(-9), today(0));
        target(asha, "Due tomorrow", today(-8), today(1));
        target(asha, "Done long ago", today(-7), today(-3), today(-4));
        target(asha, "Personal overdue", today(-6), today(-1), QVariant(), "P", "dentist");
        target(ravi, "Ravi overdue", today(-10), today(-2));
    }
};

TEST_F(PendingReport, ReportsOpenLinesDueByTodayForTheFilter) {
    struct Case {
        const char *name;
        QRadioButton *frmGenReportDev4::*option;
        std::function<QString(PendingReport &)> selection;
        QStringList rows;   // descriptions in allotment order; empty: ZVE001
    };
    const Case cases[] = {
        {"both, nobody chosen", &frmGenReportDev4::optBoth, [](PendingReport &) { return QString(); },
         {"Ravi overdue", "Due today", "Personal overdue"}},
        {"official only", &frmGenReportDev4::optOff, [](PendingReport &) { return QString(); },
         {"Ravi overdue", "Due today"}},
        {"personal only", &frmGenReportDev4::optPernl, [](PendingReport &) { return QString(); },
         {"Personal overdue"}},
        {"one employee", &frmGenReportDev4::optBoth, [](PendingReport &t) { return QString::number(t.asha); },
         {"Due today", "Personal overdue"}},
        {"an employee with nothing pending", &frmGenReportDev4::optBoth,
         [](PendingReport &t) { return QString::number(t.meena); }, {}},
        // Text in the list is a value to compare, never part of the statement.
        {"text in the list", &frmGenReportDev4::optBoth, [](PendingReport &) { return QString("0) OR (1=1"); }, {}},
    };
    for (const Case &c : cases) {
        frmGenReportDev4 form;
        showForm(form);
        (form.*c.option)->setChecked(true);
        form.setSelectionList(c.selection(*this));
        clickOkAfresh(form);
        if (c.rows.isEmpty()) {
            EXPECT_EQ(form.lblStatus->text(), expectedStatus("ZVE001")) << c.name;
            EXPECT_EQ(shown.count, 0) << c.name;
            continue;
        }
        ASSERT_EQ(shown.count, 1) << c.name;
        EXPECT_EQ(shown.title, "Pending Activities with Target Date Report");
        EXPECT_EQ(shown.path, folder->file("Reports/actpending.rpt"));
        EXPECT_EQ(shown.formula("Cmpny"), "Zorvane Ltd");
        EXPECT_EQ(shown.column("Actvty_Desc"), c.rows) << c.name;
        EXPECT_EQ(form.lblStatus->text(), "") << c.name;
        EXPECT_TRUE(messages.shown().isEmpty()) << c.name;
    }
}

TEST_F(PendingReport, TheDefaultListIsEveryEmployeeAndIsKept) {
    frmGenReportDev4 form;
    showForm(form);
    clickFooter(form, "Ok");
    // Every employee by name: Asha Rao, Meena Iyer, Ravi Kumar.
    EXPECT_EQ(form.selectionList(), QString("%1,%2,%3").arg(asha).arg(meena).arg(ravi));
    EXPECT_TRUE(shown.text.contains("Employee: Asha Rao"));
    EXPECT_TRUE(shown.text.contains("Employee: Ravi Kumar"));
    EXPECT_TRUE(shown.text.contains("Pending activities: 3"));
}

TEST_F(PendingReport, EmployeeSelection) {
    frmGenReportDev4 form;
    showForm(form);
    EXPECT_EQ(form.picSelFilter->toolTip(), "Ctrl+F1");
    form.setSelectionList(QString::number(ravi));
    selectionAnswer = QString("%1,%2").arg(asha).arg(ravi);
    key(form, Qt::Key_F1, Qt::ControlModifier);
    ASSERT_EQ(selections, 1);
    EXPECT_EQ(modCommon::gReportKey, "ACTMAST");
    EXPECT_EQ(lastSelection.caption, "Employee Name");
    EXPECT_EQ(lastSelection.sql, "SELECT Emp_Name, Emp_Shrt_Name, Sys_emp_num FROM emp_mast ORDER BY emp_Name");
    EXPECT_EQ(lastSelection.current, QString::number(ravi));
    EXPECT_EQ(std::make_tuple(lastSelection.returnMode, lastSelection.keyColumn, lastSelection.firstColumn,
                              lastSelection.secondColumn, lastSelection.thirdColumn),
              std::make_tuple(0, 2, 0, 1, -1));
    EXPECT_EQ(form.selectionList(), selectionAnswer);
    // Cancelling the selection window empties the list.
    selectionAnswer.clear();
    form.picSelFilter->click();
    EXPECT_EQ(form.selectionList(), "");
}

TEST_F(PendingReport, WithoutEmployeesTheSelectionIsGreyedAndOkFindsNothing) {
    withoutEmployees();
    frmGenReportDev4 form;
    showForm(form);
    EXPECT_FALSE(form.picSelFilter->isVisible());
    EXPECT_TRUE(form.imgDisable->isVisible());
    key(form, Qt::Key_F1, Qt::ControlModifier);
    EXPECT_EQ(selections, 0);
    clickFooter(form, "Ok");
    EXPECT_EQ(form.selectionList(), "");
    EXPECT_EQ(form.lblStatus->text(), expectedStatus("ZVE001"));
}

TEST_F(PendingReport, FailuresAreReportedNotShownAsEmpty) {
    struct Case {
        const char *name;
        std::function<void(PendingReport &)> breakIt;
        const char *prompt;   // the box begins with the error's number or holds this text
    };
    const Case cases[] = {
        // One after the other: each case breaks one more thing.
        {"the report file", [](PendingReport &t) { QFile::remove(t.folder->file("Reports/actpending.rpt")); }, "53\r"},
        {"a table the query needs", [](PendingReport &t) { t.other.execute("DROP TABLE actvty_target_det"); },
         "actvty_target_det"},
    };
    for (const Case &c : cases) {
        messages.clear();
        c.breakIt(*this);
        frmGenReportDev4 form;
        showForm(form);
        clickFooter(form, "Ok");
        EXPECT_EQ(shown.count, 0) << c.name;
        ASSERT_EQ(messages.shown().size(), 1) << c.name;
        EXPECT_TRUE(messages.shown().first().prompt.contains(c.prompt)) << messages.prompts().join("|").toStdString();
        EXPECT_NE(form.lblStatus->text().left(6), "ZVE001") << c.name;
    }
}

TEST_F(PendingReport, LoadingCancelAndEsc) {
    MDIZVS *main = mainWindowIn2004();
    {
        frmGenReportDev4 form;
        showForm(form);
        EXPECT_EQ(form.windowTitle(), "Pending Activities with Target Date Report");
        EXPECT_EQ(main->windowTitle(), "Zorvane 2.0 - ADMIN (From:01-Apr-2004 To:31-Mar-2005)");
        QStringList visible;
        for (QAction *a : form.tbHeader->actions())
            if (a->isVisible() && !a->objectName().isEmpty())
                visible << a->objectName();
        EXPECT_EQ(visible, QStringList{"Exit"});
        EXPECT_TRUE(form.footerButton("Ok")->isVisible());
        EXPECT_TRUE(form.footerButton("Cancel")->isVisible());
        EXPECT_FALSE(form.footerButton("Reset")->isVisible());
        clickFooter(form, "Cancel");
        EXPECT_FALSE(form.isVisible());
        EXPECT_EQ(shown.count, 0);
    }
    {
        frmGenReportDev4 form;
        showForm(form);
        key(form, Qt::Key_Escape);
        EXPECT_FALSE(form.isVisible());
    }
    EXPECT_TRUE(messages.shown().isEmpty());   // closing never asks
}

} // namespace
