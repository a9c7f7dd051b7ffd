#include "ReportFixture.h"
#include "reports/frmGenReport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QToolButton>

namespace {

class TargetDateReport : public ReportTest {
public:
    void SetUp() override {
        ReportTest::SetUp();
        target(asha, "File returns", "2005-03-01", "2005-03-10");
        target(asha, "Gym", "2005-02-20", "2005-03-05", QVariant(), "P");
        target(ravi, "Close books", "2005-02-25", "2005-03-12", "2005-03-09");
        target(meena, "April work", "2005-03-15", "2005-04-02");
    }
};

TEST_F(TargetDateReport, OpensInMonthModeSortedByTargetDate) {
    frmGenReport form;
    showForm(form);
    EXPECT_EQ(form.windowTitle(), "Activities With Target Date Report Filter");
    EXPECT_EQ(form.cmbTargetMnth->currentIndex(), modCommon::GetServerDate().month() - 1);
    EXPECT_EQ(form.txtTargetYear->text(), QString::number(modCommon::GetServerDate().year()));
    EXPECT_EQ(form.CmbSord->currentText(), "Target Date");
    EXPECT_TRUE(form.optBoth->isChecked());
    EXPECT_FALSE(form.TxtFdate->isEnabled());
    EXPECT_EQ(form.lblSelDate->text(), "Target Date");
}

TEST_F(TargetDateReport, ReportsTheMonthOrTheDayInTheChosenOrder) {
    struct Case {
        const char *name;
        std::function<void(frmGenReport &, TargetDateReport &)> set;
        QStringList rows;
        const char *title;
    };
    const char *monthTitle = "Activities with Target Date for the month of March-2005";
    const Case cases[] = {
        {"by target date", [](frmGenReport &, TargetDateReport &) {}, {"Gym", "File returns", "Close books"}, monthTitle},
        {"by allotment date", [](frmGenReport &f, TargetDateReport &) { f.CmbSord->setCurrentIndex(0); },
         {"Gym", "Close books", "File returns"}, monthTitle},
        {"by description", [](frmGenReport &f, TargetDateReport &) { f.CmbSord->setCurrentIndex(1); },
         {"Close books", "File returns", "Gym"}, monthTitle},
        {"no sort text", [](frmGenReport &f, TargetDateReport &) { f.CmbSord->setEditText(""); },
         {"Gym", "File returns", "Close books"}, monthTitle},
        {"official", [](frmGenReport &f, TargetDateReport &) { f.optOff->setChecked(true); },
         {"File returns", "Close books"}, monthTitle},
        {"personal", [](frmGenReport &f, TargetDateReport &) { f.optPernl->setChecked(true); }, {"Gym"}, monthTitle},
        {"one employee", [](frmGenReport &f, TargetDateReport &t) { f.setSelectionList(QString::number(t.asha)); },
         {"Gym", "File returns"}, monthTitle},
        {"a day", [](frmGenReport &f, TargetDateReport &) {
             f.Chckdat->click();
             f.TxtFdate->setText("12-Mar-2005");
         }, {"Close books"}, "Activities with Target Date for 12-Mar-2005"},
        {"a month text that is no entry", [](frmGenReport &f, TargetDateReport &) { f.cmbTargetMnth->setEditText("Marchh"); },
         {}, nullptr},
        {"a year with nothing", [](frmGenReport &f, TargetDateReport &) { f.txtTargetYear->setText("2004"); }, {}, nullptr},
    };
    for (const Case &c : cases) {
        frmGenReport form;
        okOnMarch2005(form, [&] { c.set(form, *this); });
        if (c.rows.isEmpty()) {
            EXPECT_EQ(form.lblStatus->text(), expectedStatus("ZVE001")) << c.name;
            EXPECT_EQ(shown.count, 0) << c.name;
            continue;
        }
        ASSERT_EQ(shown.count, 1) << c.name << " " << form.lblStatus->text().toStdString();
        EXPECT_EQ(shown.title, c.title) << c.name;
        EXPECT_EQ(shown.path, folder->file("Reports/ActivityTargetDate.rpt"));
        EXPECT_EQ(shown.formula("Cmpny"), "Zorvane Ltd");
        EXPECT_EQ(shown.column("Actvty_Desc"), c.rows) << c.name;
        EXPECT_TRUE(form.reportShown());
    }
}

// A month runs to its last day: 31 March, 28 February and 29 February of a
// leap year; the next month's first day is not in it.
TEST_F(TargetDateReport, TheMonthRunsToItsLastDay) {
    target(ravi, "Leap day", "2004-02-01", "2004-02-29");
    target(ravi, "First of March", "2004-02-01", "2004-03-01");
    target(meena, "February end", "2005-02-01", "2005-02-28");
    target(meena, "Quarter end", "2005-03-01", "2005-03-31");
    struct Case {
        int month, year;
        QStringList rows;
    };
    const Case cases[] = {
        {2, 2004, {"Leap day"}},
        {2, 2005, {"February end"}},
        {3, 2005, {"Gym", "File returns", "Close books", "Quarter end"}},
    };
    for (const Case &c : cases) {
        frmGenReport form;
        showForm(form);
        form.cmbTargetMnth->setCurrentIndex(c.month - 1);
        form.txtTargetYear->setText(QString::number(c.year));
        clickOkAfresh(form);
        ASSERT_EQ(shown.count, 1) << c.month << "/" << c.year;
        EXPECT_EQ(shown.column("Actvty_Desc"), c.rows) << c.month << "/" << c.year;
    }
}

TEST_F(TargetDateReport, ChecksTheDateOrTheMonthAndYear) {
    struct Case {
        bool dateMode;
        const char *date, *month, *year;
        const char *code, *prefix, *suffix, *focus;
    };
    const Case cases[] = {
        {true, "__-___-____", "", "", "ZVE007", "Target Date", "", "TxtFdate"},
        {true, "30-Feb-2005", "", "", "ZVE009", "", "Date", "TxtFdate"},
        {false, "", "", "2005", "ZVE007", "Target Month", "", "cmbTargetMnth"},
        {false, "", "March", "", "ZVE007", "Target Year", "", "txtTargetYear"},
    };
    for (const Case &c : cases) {
        frmGenReport form;
        showForm(form);
        if (c.dateMode) {
            form.Chckdat->click();
            form.TxtFdate->setText(c.date);
        } else {
            form.cmbTargetMnth->setEditText(c.month);
            form.txtTargetYear->setText(c.year);
        }
        clickFooter(form, "Ok");
        EXPECT_EQ(form.lblStatus->text(), expectedStatus(c.code, c.prefix, c.suffix)) << c.code << c.prefix;
        EXPECT_EQ(QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString(), c.focus);
        EXPECT_EQ(shown.count, 0);
    }
}

TEST_F(TargetDateReport, ClosingAsksUntilAReportWasShown) {
    {
        frmGenReport form;
        showForm(form);
        messages.answer(zv::ui::vbNo);
        clickFooter(form, "Cancel");
        ASSERT_EQ(messages.shown().size(), 1);
        EXPECT_EQ(messages.shown().first().prompt, "Do you want to exit?");
        EXPECT_EQ(messages.shown().first().title, "Question");
        EXPECT_TRUE(form.isVisible());
        march2005(form);
        clickFooter(form, "Ok");
        EXPECT_EQ(shown.count, 1);
        key(form, Qt::Key_Escape);
        EXPECT_FALSE(form.isVisible());
        EXPECT_EQ(messages.shown().size(), 1);   // no question after a report
    }
    {
        // Switching modes back restores the current month and the sort order.
        frmGenReport form;
        showForm(form);
        form.Chckdat->click();
        EXPECT_FALSE(form.CmbSord->isEnabled());
        EXPECT_EQ(form.CmbSord->count(), 3);
        form.Chckdat->click();
        EXPECT_EQ(form.CmbSord->currentText(), "Target Date");
        EXPECT_EQ(form.txtTargetYear->text(), QString::number(modCommon::GetServerDate().year()));
        messages.answer(zv::ui::vbYes);
        form.close();
        EXPECT_FALSE(form.isVisible());
    }
}

TEST_F(TargetDateReport, WithoutEmployeesNothingIsReported) {
    withoutEmployees();
    frmGenReport form;
    showForm(form);
    EXPECT_FALSE(form.picSelFilter->isVisible());
    EXPECT_TRUE(form.imgDisable->isVisible());
    EXPECT_TRUE(form.filter().nobody);
    clickFooter(form, "Ok");
    EXPECT_EQ(form.lblStatus->text(), expectedStatus("ZVE001"));
}

} // namespace
