#include "ReportFixture.h"
#include "reports/frmGenReportDev3.h"
#include "support/FailingStatement.h"

#include <QComboBox>
#include <QEvent>
#include <QLineEdit>
#include <QRadioButton>
#include <QToolButton>
#include <memory>

namespace {

class ChecklistReport : public ReportTest {
public:
    void SetUp() override {
        ReportTest::SetUp();
        const qint64 ashaFeb = allocation(asha, 2, 2005);
        line(ashaFeb, "Pay tax", "2005-02-01", "O", "P", "quarterly", {1, 6});
        line(ashaFeb, "Audit", "2005-02-03", "O", "A", "not copied", {3});
        line(ashaFeb, "Gym", "2005-02-02", "P", "P", "", {2});
        line(allocation(ravi, 2, 2005), "Close books", "2005-02-01", "O", "P", "ravi's", {28});
        line(allocation(asha, 3, 2005), "March work", "2005-03-01", "O", "P", "", {1});
        line(allocation(asha, 2, 2006), "Next year", "2006-02-01", "O", "P", "", {1});
        holiday("2005-02-14");   // a Monday
        holiday("2005-02-20");   // a Sunday
        holiday("2005-03-01");
        // Rows of other runs: never shown, never deleted by this one.
        other.execute("INSERT INTO temp_mchklist (User_ID, Actvty_desc, Emp_Name) VALUES ('0', 'Old run', 'Asha Rao')");
        other.execute("INSERT INTO temp_mchklist (User_ID, Actvty_desc, Emp_Name) VALUES ('0-other', 'Other run', 'Asha Rao')");
    }
    qint64 allocation(qint64 emp, int month, int year) {
        return insert("INSERT INTO actvty_mnth_hdr (Sys_Const_Num, Sys_Emp_Num, yr) VALUES (?, ?, ?)", {month, emp, year});
    }
    void line(qint64 afm, const QString &desc, const QString &allotted, const QString &op, const QString &type,
              const QString &remark, const QList<int> &days) {
        QString cols, marks;
        QVariantList values{afm, desc, allotted, op, type, remark};
        for (int d : days) {
            cols += QString(", Day%1").arg(d);
            marks += ", '*'";
        }
        insert("INSERT INTO actvty_mnth_det (Sys_Afm_Num, Actvty_Desc, Almnt_Date, Offcl_Persnl, Trans_Type, Remk" +
                   cols + ") VALUES (?, ?, ?, ?, ?, ?" + marks + ")",
               values);
    }
    void filter(frmGenReportDev3 &form, const QString &month, const QString &year) {
        form.cmbMnth->setEditText(month);
        form.txtYear->setText(year);
    }
    // Shown, February 2005 chosen, Ok clicked.
    void okForFebruary2005(frmGenReportDev3 &form) {
        showForm(form);
        filter(form, "February", "2005");
        clickFooter(form, "Ok");
    }
    int tempRows(const QString &key) { return scalar("SELECT count(*) FROM temp_mchklist WHERE User_ID = ?", {key}).toInt(); }
};

TEST_F(ChecklistReport, BuildsTheRunsRowsInTheChosenOrderAndDeletesThemAfterwards) {
    struct Case {
        const char *name;
        QRadioButton *frmGenReportDev3::*option;
        int sort;
        std::function<QString(ChecklistReport &)> selection;
        QStringList rows;
    };
    const auto everybody = [](ChecklistReport &) { return QString(); };
    const Case cases[] = {
        {"official by entry date", &frmGenReportDev3::optOff, 0, everybody, {"Close books", "Pay tax", "Audit"}},
        {"official by description", &frmGenReportDev3::optOff, 1, everybody, {"Audit", "Close books", "Pay tax"}},
        {"personal", &frmGenReportDev3::optPernl, 0, everybody, {"Gym"}},
        {"both", &frmGenReportDev3::optBoth, 0, everybody, {"Close books", "Pay tax", "Gym", "Audit"}},
        {"one employee", &frmGenReportDev3::optOff, 0, [](ChecklistReport &t) { return QString::number(t.ravi); },
         {"Close books"}},
    };
    for (const Case &c : cases) {
        frmGenReportDev3 form(nullptr, answers.forms());
        showForm(form);
        filter(form, "February", "2005");
        (form.*c.option)->setChecked(true);
        form.CmbSort->setCurrentIndex(c.sort);
        form.setSelectionList(c.selection(*this));
        int rowsWhileShown = -1;
        whileShown = [&] { rowsWhileShown = tempRows(form.runKey()); };
        clickOkAfresh(form);
        ASSERT_EQ(shown.count, 1) << c.name << " " << form.lblStatus->text().toStdString();
        EXPECT_EQ(shown.title, "Activity Check List Report");
        EXPECT_EQ(shown.path, folder->file("Reports/MonthlyEmpCheckList.rpt"));
        EXPECT_EQ(shown.column("Actvty_desc"), c.rows) << c.name;
        EXPECT_EQ(rowsWhileShown, c.rows.size()) << c.name;
        EXPECT_EQ(tempRows(form.runKey()), 0) << c.name;
        EXPECT_EQ(form.lblStatus->text(), "") << c.name;
    }
    // The other runs' rows are as they were.
    EXPECT_EQ(scalar("SELECT group_concat(Actvty_desc) FROM (SELECT Actvty_desc FROM temp_mchklist ORDER BY 1)").toString(),
              "Old run,Other run");
    EXPECT_TRUE(messages.shown().isEmpty());
}

TEST_F(ChecklistReport, RowsCarryTheDayMarksAndOnlyTheRemarksOfPlannedWork) {
    frmGenReportDev3 form(nullptr, answers.forms());
    okForFebruary2005(form);
    ASSERT_EQ(shown.count, 1);
    EXPECT_EQ(shown.column("Remk"), (QStringList{"ravi's", "quarterly", ""}));
    EXPECT_EQ(shown.column("P1"), (QStringList{"", "*", ""}));
    EXPECT_EQ(shown.column("P28"), (QStringList{"*", "", ""}));
    EXPECT_EQ(shown.column("Mnth"), (QStringList{"2", "2", "2"}));
    EXPECT_EQ(shown.column("Emp_Name"), (QStringList{"Ravi Kumar", "Asha Rao", "Asha Rao"}));
    EXPECT_TRUE(shown.text.contains("Employee: Asha Rao"));
    EXPECT_TRUE(shown.text.contains("Checklist for the month of : Feb - 2005"));
}

TEST_F(ChecklistReport, FormulaValuesByPositionWithSundaysAndHolidays) {
    frmGenReportDev3 form(nullptr, answers.forms());
    okForFebruary2005(form);
    ASSERT_EQ(shown.count, 1);
    ASSERT_EQ(shown.formulaTexts.size(), 70);
    EXPECT_EQ(shown.formulaTexts[4 - 1], "\"Checklist for the month of : Feb - 2005\"");
    EXPECT_EQ(shown.formulaTexts[70 - 1], "\"Zorvane Ltd\"");
    for (int d = 1; d <= 31; ++d) {
        QString expected = QString("\"%1\"").arg(d);
        if (d == 6 || d == 13 || d == 14 || d == 20 || d == 27)   // Sundays and the holidays
            expected = QString("\"(%1)\"").arg(d);
        if (d > 28)   // no such day in February 2005: the file's blank stays
            expected = "\"\"";
        EXPECT_EQ(shown.formulaTexts[37 + d - 1], expected) << "day " << d;
    }
}

TEST_F(ChecklistReport, ChecksMonthAndYearBeforeWritingAnything) {
    struct Case {
        const char *month, *year;
        const char *code, *prefix, *suffix;
        const char *focus;
    };
    const Case cases[] = {
        {"", "2005", "ZVE007", "Month", "", "cmbMnth"},
        {"Janu", "2005", "ZVE009", "", "Month", "cmbMnth"},
        {"January", "", "ZVE007", "Year", "", "txtYear"},
        {"January", "05", "ZVE009", "", "Year", "txtYear"},
        {"January", "1899", "ZVE009", "", "Year", "txtYear"},
        {"January", "1900", "ZVE001", "", "", nullptr},   // valid: nothing allotted in 1900
        {"march", "2005", nullptr, nullptr, nullptr, nullptr},   // a month typed in any case is the month
    };
    for (const Case &c : cases) {
        frmGenReportDev3 form(nullptr, answers.forms());
        showForm(form);
        filter(form, c.month, c.year);
        clickOkAfresh(form);
        if (!c.code) {
            EXPECT_EQ(shown.count, 1) << c.month;
            EXPECT_EQ(shown.column("Actvty_desc"), QStringList{"March work"});
            continue;
        }
        EXPECT_EQ(shown.count, 0) << c.month << c.year;
        EXPECT_EQ(form.lblStatus->text(), expectedStatus(c.code, c.prefix, c.suffix)) << c.month << "/" << c.year;
        if (c.focus)
            EXPECT_EQ(QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString(), c.focus);
        EXPECT_EQ(scalar("SELECT count(*) FROM temp_mchklist").toInt(), 2) << c.month << c.year;
    }
}

TEST_F(ChecklistReport, AFailedFillWritesNothing) {
    other.execute("CREATE TRIGGER full_up BEFORE INSERT ON temp_mchklist "
                  "WHEN (SELECT count(*) FROM temp_mchklist) >= 3 BEGIN SELECT RAISE(ABORT, 'disk full'); END");
    frmGenReportDev3 form(nullptr, answers.forms());
    okForFebruary2005(form);
    EXPECT_EQ(shown.count, 0);
    ASSERT_EQ(messages.shown().size(), 1);
    EXPECT_TRUE(messages.shown().first().prompt.endsWith("Error in UsrGenarateTempTable"));
    EXPECT_TRUE(messages.shown().first().prompt.contains("disk full"));
    EXPECT_EQ(scalar("SELECT count(*) FROM temp_mchklist").toInt(), 2);   // only the other runs' rows
}

// The run's rows cannot be deleted once the report has been shown: said once,
// and the form goes on working; a later start deletes what was left.
TEST_F(ChecklistReport, RowsThatCannotGoAfterTheReportAreToldOnce) {
    frmGenReportDev3 form(nullptr, answers.forms());
    std::unique_ptr<FailingStatement> failing;
    whileShown = [&] {
        modCommon::CloseMainConnection();   // reopened under the watch
        failing = std::make_unique<FailingStatement>("ZV-DATA.mdb", "DELETE FROM temp_mchklist");
    };
    okForFebruary2005(form);
    ASSERT_EQ(shown.count, 1);
    ASSERT_TRUE(failing && failing->failed());
    ASSERT_EQ(messages.prompts().size(), 1) << messages.prompts().join(" | ").toStdString();
    EXPECT_TRUE(messages.prompts().first().startsWith(QString::number(zv::db::err::Interrupted) + "\r"));
    EXPECT_TRUE(form.tlbFooter.Status().isEmpty());
    EXPECT_GT(tempRows(form.runKey()), 0);
    EXPECT_TRUE(form.isVisible());

    whileShown = nullptr;
    failing.reset();
    messages.clear();
    clickOkAfresh(form);
    EXPECT_EQ(shown.count, 1);
    EXPECT_EQ(messages.prompts(), QStringList());
    EXPECT_EQ(tempRows(form.runKey()), 0);
}

TEST_F(ChecklistReport, EmployeeSelectionRunsUnderItsReportKey) {
    frmGenReportDev3 form(nullptr, answers.forms());
    showForm(form);
    EXPECT_EQ(modCommon::gReportKey, "ACL");
    selectionAnswer = QString::number(ravi);
    key(form, Qt::Key_F1, Qt::ControlModifier);
    ASSERT_EQ(selections, 1);
    EXPECT_EQ(lastSelection.sql, "SELECT Emp_Name, Emp_Shrt_Name, Sys_emp_num FROM emp_mast ORDER BY emp_Name");
    EXPECT_EQ(std::make_tuple(lastSelection.returnMode, lastSelection.keyColumn, lastSelection.firstColumn,
                              lastSelection.secondColumn, lastSelection.thirdColumn),
              std::make_tuple(0, 2, 0, 1, -1));
    EXPECT_EQ(form.selectionList(), QString::number(ravi));
    modCommon::gReportKey = "AChkLst";   // another form's key: no selection
    form.picSelFilter->click();
    EXPECT_EQ(selections, 1);
}

TEST_F(ChecklistReport, ClosingAsksAndNoKeepsTheFormWorking) {
    frmGenReportDev3 form(nullptr, answers.forms());
    showForm(form);
    EXPECT_EQ(form.windowTitle(), "Activity checklist for a month Report Filter");
    messages.answer(zv::ui::vbNo);
    clickFooter(form, "Cancel");
    ASSERT_EQ(messages.shown().size(), 1);
    EXPECT_EQ(messages.shown().first().prompt, "Do you want to exit?");
    EXPECT_EQ(messages.shown().first().title, "Exit Confirmation");
    EXPECT_EQ(messages.shown().first().buttons, zv::ui::vbYesNo + zv::ui::vbQuestion + zv::ui::vbDefaultButton2);
    EXPECT_TRUE(form.isVisible());
    form.picSelFilter->click();
    EXPECT_EQ(selections, 1);
    messages.answer(zv::ui::vbYes);
    key(form, Qt::Key_Escape);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(messages.shown().size(), 2);
}

TEST_F(ChecklistReport, ADamagedDatabaseClosesTheFormWithoutAsking) {
    other.execute("DROP TABLE temp_mchklist");
    frmGenReportDev3 form(nullptr, answers.forms());
    showForm(form);
    QApplication::processEvents();
    EXPECT_FALSE(form.isVisible());
    ASSERT_EQ(messages.shown().size(), 1);
    EXPECT_EQ(messages.shown().first().prompt, "Production Database is corrupted. Please reset the Production Database.");
    EXPECT_EQ(modCommon::gDBPath, "");
}

// Paint events that reach a widget.
class PaintCount : public QObject {
public:
    explicit PaintCount(QWidget *w) { w->installEventFilter(this); }
    int paints = 0;

protected:
    bool eventFilter(QObject *, QEvent *e) override {
        if (e->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

// While the fill waits, the event loop runs (timers, repainting) with the
// busy window and its Cancel up; keys, clicks and the close box do nothing
// to the form; the report is the one an undisturbed run shows.
TEST_F(ChecklistReport, TheWindowAnswersDuringTheDataStepAndTakesNoInput) {
    frmGenReportDev3 form(nullptr, answers.forms());
    okForFebruary2005(form);
    ASSERT_EQ(shown.count, 1);
    const ShownReport undisturbed = shown;

    const auto gate = holdWritesInto("temp_mchklist");
    PaintCount painted(&form);
    int paintsBefore = -1;
    bool busyShown = false, cancelOffered = false;
    QString statusMeanwhile, runKeyMeanwhile;
    QStringList promptsMeanwhile{"not seen"};
    duringDataStep([&] {
        if (!gate->reached())
            return false;
        if (paintsBefore < 0) {
            paintsBefore = painted.paints;
            form.update();
            return false;
        }
        if (painted.paints == paintsBefore)
            return false;
        busyShown = zv::ui::busyWindow()->isVisible();
        cancelOffered = zv::ui::busyWindow()->findChild<QPushButton *>("cmdCancel") != nullptr;
        statusMeanwhile = form.lblStatus->text();
        runKeyMeanwhile = form.runKey();
        // What a user does meanwhile, with the form still the active window.
        QApplication::setActiveWindow(&form);
        form.txtYear->setFocus();
        QTest::keyClicks(form.txtYear, "7");
        key(form, Qt::Key_F9);
        key(form, Qt::Key_F10);
        key(form, Qt::Key_Escape);
        clickFooter(form, "Ok");
        form.close();
        promptsMeanwhile = messages.prompts();
        gate->open();
        return true;
    });
    clickOkAfresh(form);

    EXPECT_GT(painted.paints, paintsBefore);
    EXPECT_TRUE(busyShown);
    EXPECT_TRUE(cancelOffered);
    EXPECT_EQ(statusMeanwhile, expectedStatus("ZVE015", "Report is"));
    EXPECT_TRUE(promptsMeanwhile.isEmpty()) << promptsMeanwhile.join('|').toStdString();
    EXPECT_EQ(form.runKey(), runKeyMeanwhile);
    EXPECT_EQ(form.txtYear->text(), "2005");
    EXPECT_TRUE(form.isVisible());
    ASSERT_EQ(shown.count, 1);
    EXPECT_EQ(shown.text, undisturbed.text);
    EXPECT_EQ(shown.values, undisturbed.values);
    EXPECT_EQ(tempRows(form.runKey()), 0);
    EXPECT_EQ(form.lblStatus->text(), "");
    EXPECT_TRUE(messages.shown().isEmpty());
}

// Cancel while the fill runs stops its statement: no viewer, the status
// cleared, no row of the run left, no transaction left open, and the form
// runs the next report as ever.
TEST_F(ChecklistReport, CancelDuringTheDataStepShowsNothingAndLeavesNoRows) {
    frmGenReportDev3 form(nullptr, answers.forms());
    showForm(form);
    filter(form, "February", "2005");
    form.optBoth->setChecked(true);   // four rows to write
    const auto gate = cancelAtFirstWriteInto("temp_mchklist");
    clickOkAfresh(form);
    EXPECT_EQ(gate->calls(), 1);   // stopped at its first row
    EXPECT_EQ(shown.count, 0);
    EXPECT_EQ(form.lblStatus->text(), "");
    EXPECT_EQ(tempRows(form.runKey()), 0);
    EXPECT_EQ(scalar("SELECT count(*) FROM temp_mchklist").toInt(), 2);   // only the other runs' rows
    EXPECT_FALSE(modCommon::MainConnection().inTransaction());
    EXPECT_TRUE(messages.shown().isEmpty());
    EXPECT_EQ(zv::ui::busyWindow(), nullptr);

    releaseWritesInto("temp_mchklist");
    clickOkAfresh(form);
    ASSERT_EQ(shown.count, 1);
    EXPECT_EQ(shown.column("Actvty_desc"), (QStringList{"Close books", "Pay tax", "Gym", "Audit"}));
}

} // namespace
