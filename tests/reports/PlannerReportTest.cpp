#include "ReportFixture.h"
#include "reports/frmGenReport1.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QToolButton>

namespace {

class PlannerReport : public ReportTest {
public:
    void SetUp() override {
        ReportTest::SetUp();
        const qint64 payTax = activity("Pay tax", "2005-01-10");
        const qint64 audit = activity("Audit", "2005-01-05");
        const qint64 ashaLine = line(payTax, asha, 1, "2005-01-01");
        const qint64 raviLine = line(payTax, ravi, 2, "2005-01-01", asha);   // assigned by Asha
        const qint64 meenaLine = line(audit, meena, 1, "2005-01-01");
        entry(payTax, ashaLine, asha, "2005-03-07");
        entry(payTax, ashaLine, asha, "2005-03-14", "2005-03-15");
        entry(payTax, ashaLine, asha, "2005-03-21", QVariant(), 1);   // not needed
        entry(payTax, raviLine, ravi, "2005-03-09", "2005-03-09");
        entry(audit, meenaLine, meena, "2005-03-02");
        entry(audit, meenaLine, meena, "2005-03-03", QVariant(), QVariant());   // Not_Needed unknown: left out
        entry(audit, meenaLine, meena, "2005-04-01");
    }
    static QStringList rows(const ShownReport &s) {
        QStringList out;
        for (int i = 0; i < s.rows.recordCount(); ++i)
            out << s.rows.valueAt(i, s.rows.fieldIndex("Expctd_Date")).toString().mid(8) + " " +
                       s.rows.valueAt(i, s.rows.fieldIndex("Emp_Name")).toString().section(' ', 0, 0);
        return out;
    }
};

TEST_F(PlannerReport, OpensInMonthModeOnTheCurrentMonth) {
    MDIZVS *main = mainWindowIn2004();
    frmGenReport1 form;
    showForm(form);
    const QDate today = modCommon::GetServerDate();
    EXPECT_EQ(form.windowTitle(), "Activity projector/Actuals planner");
    EXPECT_EQ(form.cmbTargetMnth->currentIndex(), today.month() - 1);
    EXPECT_EQ(form.txtTargetYear->text(), QString::number(today.year()));
    EXPECT_TRUE(form.optBoth->isChecked());
    EXPECT_FALSE(form.TxtFdate->isEnabled());
    EXPECT_EQ(form.TxtFdate->text(), "");
    EXPECT_EQ(form.CmbSord->currentText(), "Date Of Entry");
    EXPECT_EQ(main->windowTitle(), "Zorvane 2.0 -  (From:01-Apr-2004 To:31-Mar-2005)");
}

TEST_F(PlannerReport, ListsEachEntryOnceWithItsOwnLine) {
    struct Case {
        const char *name;
        std::function<void(frmGenReport1 &, PlannerReport &)> set;
        QStringList rows;
    };
    const Case cases[] = {
        {"both, by date of entry", [](frmGenReport1 &, PlannerReport &) {},
         {"02 Meena", "07 Asha", "09 Ravi", "14 Asha"}},
        {"not completed", [](frmGenReport1 &f, PlannerReport &) { f.optPlnd->setChecked(true); }, {"02 Meena", "07 Asha"}},
        {"completed", [](frmGenReport1 &f, PlannerReport &) { f.optCpltd->setChecked(true); }, {"09 Ravi", "14 Asha"}},
        {"by department", [](frmGenReport1 &f, PlannerReport &) { f.CmbSord->setCurrentIndex(0); },
         {"02 Meena", "07 Asha", "14 Asha", "09 Ravi"}},
        {"no sort text", [](frmGenReport1 &f, PlannerReport &) { f.CmbSord->setEditText(""); },
         {"02 Meena", "07 Asha", "09 Ravi", "14 Asha"}},
        {"one of the two employees of an activity",
         [](frmGenReport1 &f, PlannerReport &t) { f.setSelectionList(QString::number(t.ravi)); }, {"09 Ravi"}},
        {"a day", [](frmGenReport1 &f, PlannerReport &) {
             f.Chckdat->click();
             f.TxtFdate->setText("09-Mar-2005");
         }, {"09 Ravi"}},
        {"a month text that is no entry", [](frmGenReport1 &f, PlannerReport &) { f.cmbTargetMnth->setEditText("Marc"); }, {}},
    };
    for (const Case &c : cases) {
        frmGenReport1 form;
        okOnMarch2005(form, [&] { c.set(form, *this); });
        if (c.rows.isEmpty()) {
            EXPECT_EQ(form.lblStatus->text(), expectedStatus("ZVE001")) << c.name;
            continue;
        }
        ASSERT_EQ(shown.count, 1) << c.name << " " << form.lblStatus->text().toStdString();
        EXPECT_EQ(shown.title, "Activity projector/Actuals planner");
        EXPECT_EQ(shown.path, folder->file("Reports/StatSR.rpt"));
        EXPECT_EQ(rows(shown), c.rows) << c.name;
        EXPECT_EQ(shown.formula("Month"), "Mar") << c.name;
        EXPECT_EQ(shown.formula("Year"), "2005") << c.name;
    }
}

// A month runs to its last day: 31 March, 28 February and 29 February of a
// leap year; the next month's first day is not in it.
TEST_F(PlannerReport, TheMonthRunsToItsLastDay) {
    const qint64 act = activity("Close the month", "2004-01-01");
    const qint64 ln = line(act, ravi, 2, "2004-01-01");
    for (const char *d : {"2004-02-29", "2004-03-01", "2005-02-28", "2005-03-31"})
        entry(act, ln, ravi, d);
    struct Case {
        int month, year;
        QStringList rows;
    };
    const Case cases[] = {
        {2, 2004, {"29 Ravi"}},
        {2, 2005, {"28 Ravi"}},
        {3, 2005, {"02 Meena", "07 Asha", "09 Ravi", "14 Asha", "31 Ravi"}},
    };
    for (const Case &c : cases) {
        frmGenReport1 form;
        showForm(form);
        form.cmbTargetMnth->setCurrentIndex(c.month - 1);
        form.txtTargetYear->setText(QString::number(c.year));
        form.CmbSord->setEditText("");   // by expected date
        clickOkAfresh(form);
        ASSERT_EQ(shown.count, 1) << c.month << "/" << c.year;
        EXPECT_EQ(rows(shown), c.rows) << c.month << "/" << c.year;
    }
}

TEST_F(PlannerReport, RowsCarryDepartmentAndAssigner) {
    frmGenReport1 form;
    okOnMarch2005(form);
    ASSERT_EQ(shown.count, 1);
    EXPECT_EQ(shown.column("Dept_Desc"), (QStringList{"Accounts", "Accounts", "Sales", "Accounts"}));
    EXPECT_EQ(shown.column("assigned_by"), (QStringList{"", "", "Asha Rao", ""}));
    EXPECT_EQ(shown.column("Actvty_desc"), (QStringList{"Audit", "Pay tax", "Pay tax", "Pay tax"}));
    EXPECT_TRUE(shown.text.contains("Scheduled: 4"));
    EXPECT_TRUE(shown.text.contains("Completed: 2"));
    // After the viewer the sort order is "Date Of Entry" again and the default list stays.
    EXPECT_EQ(form.CmbSord->currentText(), "Date Of Entry");
    EXPECT_EQ(form.selectionList(), QString("%1,%2,%3").arg(asha).arg(meena).arg(ravi));
}

TEST_F(PlannerReport, CalendarOfTheReportMonth) {
    holiday("2004-02-10");
    holiday("2004-02-15");   // a Sunday
    struct Case {
        int month, year, days;
        QStringList first;   // keys after Cmpny, Month, Year: the holidays first
    };
    const Case cases[] = {
        {2, 2004, 29, {"10", "15", "1", "2"}},
        {2, 2005, 28, {"1", "2", "3"}},
        {2, 1900, 28, {"1", "2", "3"}},   // not a leap year
        {12, 2005, 31, {"1", "2", "3"}},
    };
    for (const Case &c : cases) {
        frmGenReport1 form;
        showForm(form);
        form.cmbTargetMnth->setCurrentIndex(c.month - 1);
        form.txtTargetYear->setText(QString::number(c.year));
        form.fillFormulas();
        const auto &f = form.formulas();
        ASSERT_EQ(f.Count(), 3 + c.days) << c.month << "/" << c.year;
        EXPECT_EQ(f.Keys().mid(0, 3 + c.first.size()), QStringList({"Cmpny", "Month", "Year"}) + c.first);
        for (int d = 1; d <= c.days; ++d) {
            const bool sunday = QDate(c.year, c.month, d).dayOfWeek() == 7;
            const bool inParens = sunday || (c.year == 2004 && c.month == 2 && d == 10);
            EXPECT_EQ(f.Item(QString::number(d)), inParens ? QString("(%1)").arg(d) : QString::number(d))
                << c.month << "/" << c.year << " day " << d;
        }
    }
}

TEST_F(PlannerReport, DateModeSortEntriesAndChecks) {
    frmGenReport1 form;
    showForm(form);
    form.Chckdat->click();
    EXPECT_FALSE(form.cmbTargetMnth->isEnabled());
    EXPECT_EQ(form.txtTargetYear->text(), "");
    EXPECT_EQ(form.TxtFdate->text(), zv::db::toDisplayDate(modCommon::GetServerDate()));
    QStringList entries;
    for (int i = 0; i < form.CmbSord->count(); ++i)
        entries << form.CmbSord->itemText(i);
    EXPECT_EQ(entries, (QStringList{"Department", "Activity Description"}));
    EXPECT_EQ(form.CmbSord->currentText(), "");

    struct Case {
        const char *date, *code, *prefix, *suffix;
    };
    const Case cases[] = {{"__-___-____", "ZVE007", "Date", ""}, {"31-Feb-2005", "ZVE009", "", "Date"}};
    for (const Case &c : cases) {
        form.TxtFdate->setText(c.date);
        clickFooter(form, "Ok");
        EXPECT_EQ(form.lblStatus->text(), expectedStatus(c.code, c.prefix, c.suffix)) << c.date;
    }
    form.Chckdat->click();   // back to month mode, on the current month
    EXPECT_EQ(form.cmbTargetMnth->currentIndex(), modCommon::GetServerDate().month() - 1);
    form.txtTargetYear->clear();
    clickFooter(form, "Ok");
    EXPECT_EQ(form.lblStatus->text(), expectedStatus("ZVE007", "Year"));
    form.cmbTargetMnth->setEditText("");
    clickFooter(form, "Ok");
    EXPECT_EQ(form.lblStatus->text(), expectedStatus("ZVE007", "Month"));
    EXPECT_EQ(shown.count, 0);
}

TEST_F(PlannerReport, SelectionAndClosing) {
    frmGenReport1 form;
    showForm(form);
    selectionAnswer = QString("'%1','%2'").arg(ravi).arg(asha);
    key(form, Qt::Key_F1, Qt::ControlModifier);
    ASSERT_EQ(selections, 1);
    EXPECT_EQ(lastSelection.sql, "SELECT Sys_emp_num, Emp_Shrt_Name, Emp_Name FROM emp_mast ORDER BY emp_Name");
    EXPECT_EQ(std::make_tuple(lastSelection.returnMode, lastSelection.keyColumn, lastSelection.firstColumn,
                              lastSelection.secondColumn, lastSelection.thirdColumn),
              std::make_tuple(1, 0, 2, 1, 1));
    EXPECT_EQ(form.selectionList(), QString("%1,%2").arg(ravi).arg(asha));

    messages.answer(zv::ui::vbNo);
    clickFooter(form, "Cancel");
    ASSERT_EQ(messages.shown().size(), 1);
    EXPECT_EQ(messages.shown().first().prompt, "Do you want to exit?");
    EXPECT_EQ(messages.shown().first().title, "Exit Confirmation");
    EXPECT_TRUE(form.isVisible());
    messages.answer(zv::ui::vbYes);
    key(form, Qt::Key_Escape);
    EXPECT_FALSE(form.isVisible());
}

} // namespace
