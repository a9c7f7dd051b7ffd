#pragma once
#include "platform/db/Dates.h"
#include "platform/report/FrmReportViewer.h"
#include "core/MDIZVS.h"
#include "reports/MonthDateFilterForm.h"
#include "reports/ReportFilterForm.h"
#include "support/FormActions.h"
#include "support/ProductionDbTest.h"
#include "support/SqlGate.h"
#include "platform/ui/WindowWait.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>
#include <functional>

// What the report viewer was asked to show.
struct ShownReport {
    int count = 0;
    QString title;
    QString path;
    QStringList formulaTexts;   // by position, as set
    QString text;               // the rendered body
    QString pageHeader;         // the column titles as painted over each page
    zv::db::Recordset rows;

    // The evaluated value of a formula field.
    QString formula(const QString &name) const { return values.value(name.toUpper()); }
    QHash<QString, QString> values;
    // A column of the rows, in row order.
    QStringList column(const QString &field) const {
        QStringList out;
        for (int i = 0; i < rows.recordCount(); ++i)
            out << rows.valueAt(i, rows.fieldIndex(field)).toString();
        return out;
    }
};

// The production database test with the shipped report files in the
// program folder, the report viewer's showing and the employee selection
// answered by the test, three employees and a company.
class ReportTest : public ProductionDbTest {
public:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(ProductionDbTest::SetUp());
        const QDir shipped(QStringLiteral(ZV_SOURCE_DIR) + "/resources/Reports");
        for (const QString &f : shipped.entryList({"*.rpt"}, QDir::Files))
            ASSERT_TRUE(QFile::copy(shipped.filePath(f), folder->file("Reports/" + f)));
        answers.viewer.modal = [this](zv::report::FrmReportViewer &v) {
            ++shown.count;
            shown.title = v.windowTitle();
            shown.path = v.reportPath();
            shown.formulaTexts.clear();
            shown.values.clear();
            for (int i = 1; i <= v.report()->formulaFieldCount(); ++i) {
                shown.formulaTexts << v.report()->formulaText(i);
                shown.values.insert(v.report()->formulaFieldName(i).toUpper(),
                                    v.report()->formulaValue(v.report()->formulaFieldName(i)));
            }
            shown.text = v.report()->documentText();
            shown.pageHeader = v.report()->pageHeaderText();
            shown.rows = v.report()->data();
            if (whileShown)
                whileShown();
        };
        answers.chooser = [this](const zv::fw::SelectionRequest &r) {
            lastSelection = r;
            ++selections;
            return selectionAnswer;
        };
        seedMasters();
    }
    void TearDown() override {
        ProductionDbTest::TearDown();
    }

    QString today(int days = 0) const { return zv::db::toIsoDate(modCommon::GetServerDate().addDays(days)); }

    // Three employees in two departments, a company.
    void seedMasters() {
        insert("INSERT INTO Dept_Mast (Dept_Desc) VALUES ('Accounts')");
        insert("INSERT INTO Dept_Mast (Dept_Desc) VALUES ('Sales')");
        insert("INSERT INTO Desg_Mast (Desg_Name) VALUES ('Clerk')");
        asha = employee("Asha Rao", "asha", 1);
        ravi = employee("Ravi Kumar", "ravi", 2);
        meena = employee("Meena Iyer", "meena", 1);
        insert("INSERT INTO Cmpny_Mast (Cmpny_Name) VALUES ('Zorvane Ltd')");
    }
    qint64 employee(const QString &name, const QString &login, int dept) {
        return insert("INSERT INTO Emp_Mast (Emp_Num, Emp_Name, Sys_Desg_Num, Sys_Dept_Num, Emp_Shrt_Name) "
                      "VALUES (?, ?, 1, ?, ?)",
                      {login.toUpper(), name, dept, login});
    }
    // A target-dated line of an employee.
    void target(qint64 emp, const QString &desc, const QString &allotted, const QString &targetDate,
                const QVariant &completed = QVariant(), const QString &op = "O", const QString &remark = QString()) {
        const qint64 hdr = insert("INSERT INTO actvty_target_hdr (Sys_Emp_Num) VALUES (?)", {emp});
        insert("INSERT INTO actvty_target_det (Sys_Awt_Num, Almnt_Date, Start_Date, Actvty_Desc, Offcl_Persnl, "
               "Target_Date, Cmplt_date, Remk) VALUES (?, ?, ?, ?, ?, ?, ?, ?)",
               {hdr, allotted, allotted, desc, op, targetDate, completed, remark});
    }
    // No employee, and so no target-dated line.
    void withoutEmployees() {
        other.execute("DELETE FROM actvty_target_det");
        other.execute("DELETE FROM actvty_target_hdr");
        other.execute("DELETE FROM Emp_Mast");
    }
    // An activity, a daily line of it and the line's schedule entries.
    qint64 activity(const QString &desc, const QString &entered) {
        return insert("INSERT INTO Actvty_Mast (Entry_Date, Actvty_Desc) VALUES (?, ?)", {entered, desc});
    }
    qint64 line(qint64 act, qint64 emp, int dept, const QString &start, qint64 assignedBy = 0) {
        return insert("INSERT INTO Actvty_Mast_Det (Sys_Actvty_Num, Sys_Dept_Num, Sys_Emp_Num, Start_Date, Sys_Const_Num, "
                      "Assign_By) VALUES (?, ?, ?, ?, 14, ?)",
                      {act, dept, emp, start, assignedBy});
    }
    void entry(qint64 act, qint64 line, qint64 emp, const QString &expected, const QVariant &completed = QVariant(),
               const QVariant &notNeeded = 0) {
        insert("INSERT INTO Statry_Cmpltd_Entry (Sys_Actvty_Num, Sys_Actvty_Line_Num, Sys_Emp_Num, Expctd_Date, "
               "Cmpltd_Date, Not_Needed) VALUES (?, ?, ?, ?, ?, ?)",
               {act, line, emp, expected, completed, notNeeded});
    }
    void holiday(const QString &iso) {
        const int year = iso.left(4).toInt();
        QVariant hdr = scalar("SELECT Sys_Holday_List_Num FROM Holday_List_Hdr WHERE Fincl_Year = ?", {year});
        if (hdr.isNull())
            hdr = insert("INSERT INTO Holday_List_Hdr (Fincl_Year) VALUES (?)", {year});
        insert("INSERT INTO Holday_List_Det (Sys_Holday_List_Num, Holday_Date, Holday_Desc) VALUES (?, ?, 'Holiday')",
               {hdr, iso});
    }

    // The footer's status as the form shows it: code, prefix, message, suffix.
    QString expectedStatus(const QString &code, const QString &prefix = QString(), const QString &suffix = QString()) {
        return code + " - " + prefix + " " + scalar("SELECT Err_Msg FROM Err_Msg WHERE Err_Code = ?", {code}).toString() +
               " " + suffix;
    }

    static void clickFooter(zv::reports::ReportFilterForm &f, const QString &key) {
        click(f.tbFooter, f.footerButton(key));
    }
    // Ok clicked, what an earlier Ok showed forgotten.
    void clickOkAfresh(zv::reports::ReportFilterForm &f) {
        shown = ShownReport();
        clickFooter(f, "Ok");
    }
    static void march2005(zv::reports::MonthDateFilterForm &form) {
        form.cmbTargetMnth->setCurrentIndex(2);
        form.txtTargetYear->setText("2005");
    }
    // Shown, March 2005 chosen, then set, and Ok clicked afresh.
    void okOnMarch2005(zv::reports::MonthDateFilterForm &form, const std::function<void()> &set = {}) {
        showForm(form);
        march2005(form);
        if (set)
            set();
        clickOkAfresh(form);
    }
    // The main window, its transaction period 01-Apr-2004 to 31-Mar-2005.
    static MDIZVS *mainWindowIn2004() {
        modCommon::gStartPeriod = "01-Apr-2004";
        modCommon::gEndPeriod = "31-Mar-2005";
        return MDIZVS::instance();
    }

    // A gate on the main connection and a trigger that calls it before each
    // row written into table: the report's data step stops at its first row
    // until the test opens the gate.
    std::unique_ptr<SqlGate> holdWritesInto(const QString &table) {
        auto gate = std::make_unique<SqlGate>(modCommon::MainConnection().handle());
        modCommon::MainConnection().executeScript("CREATE TEMP TRIGGER held_" + table + " BEFORE INSERT ON main." + table +
                                        " BEGIN SELECT zv_gate(); END");
        return gate;
    }
    void releaseWritesInto(const QString &table) { modCommon::MainConnection().executeScript("DROP TRIGGER temp.held_" + table); }
    // Runs step on the window's thread every millisecond while a data step
    // is on its way (the busy window shown), until it returns true.
    static void duringDataStep(const std::function<bool()> &step) {
        auto *timer = new QTimer;
        timer->setInterval(1);
        QObject::connect(timer, &QTimer::timeout, [timer, step] {
            if (zv::ui::busyWindow() && step()) {
                timer->stop();
                timer->deleteLater();
            }
        });
        timer->start();
    }
    // Holds the data step at its first row written into table and presses
    // Cancel there; the gate counts the rows that reached it.
    std::unique_ptr<SqlGate> cancelAtFirstWriteInto(const QString &table) {
        auto gate = holdWritesInto(table);
        SqlGate *held = gate.get();
        duringDataStep([held] {
            if (!held->reached())
                return false;
            pressCancel();
            held->open();
            return true;
        });
        return gate;
    }
    // The busy window's Cancel, clicked.
    static void pressCancel() {
        auto *cancel = zv::ui::busyWindow()->findChild<QPushButton *>("cmdCancel");
        ASSERT_NE(cancel, nullptr);
        QTest::mouseClick(cancel, Qt::LeftButton);
    }

    qint64 asha = 0, ravi = 0, meena = 0;

    ShownReport shown;
    std::function<void()> whileShown;
    zv::reports::ReportFilterForm::SelectionRequest lastSelection;
    int selections = 0;
    QString selectionAnswer;
};
