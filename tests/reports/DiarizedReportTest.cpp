#include "ReportFixture.h"
#include "platform/clock/Clock.h"
#include "reports/frmGenReport2.h"

#include <QComboBox>
#include <QRadioButton>
#include <QToolButton>

namespace {

class DiarizedReport : public ReportTest {
public:
    void SetUp() override {
        ReportTest::SetUp();
        // The five years end with the year the period ends in: 2004 to 2008.
        modCommon::gStartPeriod = "01-Apr-2007";
        modCommon::gEndPeriod = "31-Mar-2008";
        const qint64 payTax = activity("Pay tax", "2004-01-01");
        const qint64 review = activity("Review 'Q1' books", "2004-01-01");
        const qint64 ashaLine = line(payTax, asha, 1, "2004-01-01");
        const qint64 raviLine = line(review, ravi, 1, "2004-01-01");
        for (const char *d : {"2003-03-05", "2009-03-01", "2007-04-01"})
            entry(payTax, ashaLine, asha, d);
        entry(payTax, ashaLine, asha, "2004-03-10", "2006-03-15");
        entry(payTax, ashaLine, asha, "2005-03-01");
        entry(payTax, ashaLine, asha, "2006-03-20", "2009-01-02");
        entry(review, raviLine, ravi, "2008-03-31", "2008-04-01");
    }
    // Ok on a month with the status Both, every employee.
    void okOn(frmGenReport2 &form, int month) {
        showForm(form);
        form.cmbTargetMnth->setCurrentIndex(month - 1);
        clickOkAfresh(form);
    }
    int rowsOf(const QString &id) { return scalar("SELECT count(*) FROM Temp_Year WHERE Id = ?", {id}).toInt(); }
    // Each row as "number expected|D2004|D2005|D2006|D2007|D2008".
    static QStringList rows(const ShownReport &s) {
        QStringList out;
        for (int i = 0; i < s.rows.recordCount(); ++i) {
            QString r = s.rows.valueAt(i, s.rows.fieldIndex("Serl_Num")).toString() + " " +
                        s.rows.valueAt(i, s.rows.fieldIndex("Start_Date")).toString();
            for (int y = 2004; y <= 2008; ++y)
                r += "|" + s.rows.valueAt(i, s.rows.fieldIndex(QString("D%1").arg(y))).toString();
            out << r;
        }
        return out;
    }
};

TEST_F(DiarizedReport, CopiesTheMonthsEntriesWithTheCompletionInItsYearsColumn) {
    struct Case {
        const char *name;
        int month;
        QRadioButton *frmGenReport2::*status;
        std::function<QString(DiarizedReport &)> selection;
        const char *title;
        QStringList rows;
    };
    const auto everybody = [](DiarizedReport &) { return QString(); };
    const Case cases[] = {
        {"both", 3, &frmGenReport2::optBoth, everybody, "Diarized Activities",
         {"1 2004-03-10|||2006-03-15||", "2 2005-03-01|||||", "3 2006-03-20|||||", "4 2008-03-31|||||2008-04-01"}},
        {"completed", 3, &frmGenReport2::optCpltd, everybody, "Diarized Completed Activities",
         {"1 2004-03-10|||2006-03-15||", "2 2006-03-20|||||", "3 2008-03-31|||||2008-04-01"}},
        {"not completed", 3, &frmGenReport2::optPlnd, everybody, "Diarized Pending Activities", {"1 2005-03-01|||||"}},
        {"one employee", 3, &frmGenReport2::optBoth, [](DiarizedReport &t) { return QString::number(t.ravi); },
         "Diarized Activities", {"1 2008-03-31|||||2008-04-01"}},
        {"another month", 4, &frmGenReport2::optBoth, everybody, "Diarized Activities", {"1 2007-04-01|||||"}},
    };
    for (const Case &c : cases) {
        frmGenReport2 form(nullptr, answers.forms());
        showForm(form);
        form.cmbTargetMnth->setCurrentIndex(c.month - 1);
        (form.*c.status)->setChecked(true);
        form.setSelectionList(c.selection(*this));
        clickOkAfresh(form);
        ASSERT_EQ(shown.count, 1) << c.name << " " << form.lblStatus->text().toStdString();
        EXPECT_EQ(shown.title, "Diarized Activities");
        EXPECT_EQ(shown.path, folder->file("Reports/Monthly.rpt"));
        EXPECT_EQ(shown.formula("Title"), c.title) << c.name;
        EXPECT_EQ(shown.formula("Month"), c.month == 3 ? "March" : "April");
        EXPECT_EQ(rows(shown), c.rows) << c.name;
        EXPECT_EQ(rowsOf(form.formId()), c.rows.size()) << c.name;
    }
}

// The columns follow the period: the five years ending with the year the
// period ends in, each entry of the month in those years reported once with
// its completion in the column of its year, the last day of the month
// included, whatever the length of February.
TEST_F(DiarizedReport, TheFiveYearsEndWithThePeriodsYear) {
    modCommon::gStartPeriod = "01-Apr-2026";
    modCommon::gEndPeriod = "31-Mar-2027";
    const qint64 act = activity("Count stock", "2022-01-01");
    const qint64 ln = line(act, meena, 1, "2022-01-01");
    entry(act, ln, meena, "2022-03-31", "2023-01-05");   // a year too early
    entry(act, ln, meena, "2023-03-01", "2023-03-31");
    entry(act, ln, meena, "2025-03-31", "2026-01-01");
    entry(act, ln, meena, "2027-03-31", "2028-01-01");   // completed after the five years
    entry(act, ln, meena, "2027-04-01", "2027-04-01");   // another month
    entry(act, ln, meena, "2028-03-01");                 // a year too late
    entry(act, ln, meena, "2024-02-29", "2024-02-29");
    entry(act, ln, meena, "2025-02-28", "2027-12-31");
    entry(act, ln, meena, "2026-02-28");
    entry(act, ln, meena, "2026-03-01");

    struct Case {
        int month;
        QStringList rows;   // number expected|2023|2024|2025|2026|2027
    };
    const Case cases[] = {
        {3, {"1 2023-03-01|2023-03-31||||", "2 2025-03-31||||2026-01-01|", "3 2026-03-01|||||",
             "4 2027-03-31|||||"}},
        {2, {"1 2024-02-29||2024-02-29|||", "2 2025-02-28|||||2027-12-31", "3 2026-02-28|||||"}},
    };
    for (const Case &c : cases) {
        frmGenReport2 form(nullptr, answers.forms());
        okOn(form, c.month);
        ASSERT_EQ(shown.count, 1) << c.month;
        EXPECT_EQ(rows(shown), c.rows) << c.month;
        QStringList titles;
        for (int i = 1; i <= 5; ++i)
            titles << shown.formula(QString("Year%1").arg(i));
        EXPECT_EQ(titles, (QStringList{"2023", "2024", "2025", "2026", "2027"}));
        EXPECT_TRUE(shown.pageHeader.endsWith("\t2023\t2024\t2025\t2026\t2027")) << shown.pageHeader.toStdString();
    }
}

// The last of the five years is the year the period ends in, today's year
// without a period; no employee chosen means no employee condition at all.
TEST_F(DiarizedReport, YearsAndEmployeesOfTheFilter) {
    struct Case {
        const char *endPeriod;
        int lastYear;
    };
    const Case cases[] = {{"31-Mar-2027", 2027}, {"28-Feb-2029", 2029}, {"", zv::clock::today().year()}};
    for (const Case &c : cases)
        EXPECT_EQ(zv::reports::diarizedLastYear(c.endPeriod, zv::clock::today()), c.lastYear) << c.endPeriod;
    EXPECT_EQ(zv::reports::diarizedYears(2027), (QList<int>{2023, 2024, 2025, 2026, 2027}));

    frmGenReport2 form(nullptr, answers.forms());
    okOn(form, 3);
    ASSERT_EQ(shown.count, 1);
    EXPECT_EQ(form.selectionList(), "");
    EXPECT_FALSE(zv::reports::diarizedFill(form.formId(), form.filter()).text.contains("Sys_Emp_Num IN"));
    form.setSelectionList(QString::number(ravi));
    EXPECT_TRUE(zv::reports::diarizedFill(form.formId(), form.filter()).text.contains("Sys_Emp_Num IN"));
}

TEST_F(DiarizedReport, NamesWithQuotesAreCopiedAsTheyStand) {
    frmGenReport2 form(nullptr, answers.forms());
    showForm(form);
    form.cmbTargetMnth->setCurrentIndex(2);
    clickFooter(form, "Ok");
    ASSERT_EQ(shown.count, 1);
    EXPECT_EQ(shown.column("Actvty_Desc"), (QStringList{"Pay tax", "Pay tax", "Pay tax", "Review 'Q1' books"}));
    EXPECT_EQ(shown.column("Emp_Name"), (QStringList{"Asha Rao", "Asha Rao", "Asha Rao", "Ravi Kumar"}));
    EXPECT_TRUE(messages.shown().isEmpty());
}

TEST_F(DiarizedReport, RunsReplaceTheirOwnRowsOnlyAndTheUnloadRemovesThem) {
    auto first = std::make_unique<frmGenReport2>(nullptr, answers.forms());
    frmGenReport2 second(nullptr, answers.forms());   // opened in the same second: its own rows all the same
    EXPECT_NE(first->formId(), second.formId());
    showForm(*first);
    showForm(second);
    first->cmbTargetMnth->setCurrentIndex(2);
    second.cmbTargetMnth->setCurrentIndex(3);
    clickFooter(*first, "Ok");
    clickFooter(second, "Ok");
    EXPECT_EQ(rowsOf(first->formId()), 4);
    EXPECT_EQ(rowsOf(second.formId()), 1);
    // A second run numbers from 1 again and keeps nothing of the first.
    first->optPlnd->setChecked(true);
    clickFooter(*first, "Ok");
    EXPECT_EQ(rowsOf(first->formId()), 1);
    EXPECT_EQ(scalar("SELECT Serl_Num FROM Temp_Year WHERE Id = ?", {first->formId()}).toInt(), 1);
    // A run that finds nothing leaves the last run's rows.
    first->cmbTargetMnth->setCurrentIndex(0);
    clickFooter(*first, "Ok");
    EXPECT_EQ(first->lblStatus->text(), expectedStatus("DB001"));
    EXPECT_EQ(rowsOf(first->formId()), 1);
    const QString id = first->formId();
    clickFooter(*first, "Cancel");   // closes without asking
    EXPECT_FALSE(first->isVisible());
    EXPECT_EQ(rowsOf(id), 0);
    EXPECT_EQ(rowsOf(second.formId()), 1);
    EXPECT_TRUE(messages.shown().isEmpty());
}

// Cancel while the fill runs stops it: nothing shown, the status cleared,
// and neither this run's rows nor those of the form's earlier run are left.
TEST_F(DiarizedReport, CancelDuringTheDataStepLeavesNoRows) {
    frmGenReport2 form(nullptr, answers.forms());
    okOn(form, 3);
    ASSERT_EQ(shown.count, 1);
    ASSERT_EQ(rowsOf(form.formId()), 4);
    const auto gate = cancelAtFirstWriteInto("Temp_Year");
    clickOkAfresh(form);
    EXPECT_EQ(gate->calls(), 1);
    EXPECT_EQ(shown.count, 0);
    EXPECT_EQ(form.lblStatus->text(), "");
    EXPECT_EQ(rowsOf(form.formId()), 0);
    EXPECT_FALSE(modCommon::MainConnection().inTransaction());
    EXPECT_TRUE(messages.shown().isEmpty());
}

TEST_F(DiarizedReport, MonthRequiredAndSelection) {
    frmGenReport2 form(nullptr, answers.forms());
    showForm(form);
    EXPECT_EQ(form.windowTitle(), " Diarized Activities Report Filter");
    EXPECT_EQ(form.cmbTargetMnth->currentIndex(), modCommon::GetServerDate().month() - 1);
    form.cmbTargetMnth->setCurrentIndex(-1);
    form.cmbTargetMnth->setEditText("");
    clickFooter(form, "Ok");
    EXPECT_EQ(form.lblStatus->text(), expectedStatus("ZVE007", "Month"));
    EXPECT_EQ(scalar("SELECT count(*) FROM Temp_Year").toInt(), 0);

    key(form, Qt::Key_F1, Qt::ControlModifier);   // no key for the selection here
    EXPECT_EQ(selections, 0);
    selectionAnswer = QString("'%1'").arg(ravi);
    form.picSelFilter->click();
    ASSERT_EQ(selections, 1);
    EXPECT_EQ(std::make_tuple(lastSelection.returnMode, lastSelection.keyColumn, lastSelection.firstColumn,
                              lastSelection.secondColumn, lastSelection.thirdColumn),
              std::make_tuple(1, 0, 2, 1, 1));
    EXPECT_EQ(form.selectionList(), QString::number(ravi));
}

} // namespace
