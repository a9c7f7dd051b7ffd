#pragma once
#include "framework/ReportForm.h"
#include "framework/FormServices.h"
#include "platform/db/Connection.h"
#include "platform/report/FormulaDictionary.h"
#include "platform/ui/KeyPreview.h"
#include <QString>
#include <functional>
#include <memory>
#include <vector>

class QAction;
class QComboBox;
class QFormLayout;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QToolBar;
class QToolButton;

namespace zv::reports {

// What every report filter form shares on top of the report-form base: the
// "Selection" frame with the employee selection button and its greyed
// stand-in, the option buttons, the company name and default employee list
// of a report, the month's calendar and the report viewer. Each form adds its
// filter controls to the selection frame and supplies the footer handler.
class ReportFilterForm : public zv::fw::ReportForm {
    Q_OBJECT
public:
    ~ReportFilterForm() override;

    // The designed controls, named as the forms know them.
    QGroupBox *fraSelection = nullptr;
    QLabel *lblActvty = nullptr;
    QRadioButton *optOff = nullptr;     // "Official" / "Not Completed" forms name it optPlnd
    QRadioButton *optPernl = nullptr;
    QRadioButton *optPlnd = nullptr;
    QRadioButton *optCpltd = nullptr;
    QRadioButton *optBoth = nullptr;
    QLabel *lblSelSortField = nullptr;
    QToolButton *picSelFilter = nullptr;   // element 0 of the selection button array
    QLabel *imgDisable = nullptr;

    // The chosen employees' Sys_Emp_Num values joined by ","; empty: none chosen.
    const QString &selectionList() const { return m_selectionList; }
    void setSelectionList(const QString &list) { m_selectionList = list; }
    // The last query handed to the employee selection window.
    const QString &selectionQuery() const { return m_selectionQuery; }

    // The employee selection window's arguments (the form's chooseEmployees service).
    using SelectionRequest = zv::fw::SelectionRequest;

public slots:
    // The selection button (index 0 is the employee selection; others do nothing).
    virtual void picSelFilter_Click(int Index) = 0;

protected:
    ReportFilterForm(QWidget *parent, zv::fw::FormServices services);

    // Layout: a row of the selection frame, an option row of three buttons.
    void addFilterRow(const QString &label, QWidget *field, QLabel **labelOut = nullptr);
    void addFilterSpan(QWidget *widget);
    void addOptionRow(const QString &label, QRadioButton *first, QRadioButton *second, QRadioButton *both);
    QRadioButton *option(const QString &name, const QString &caption);
    // "Activity Type": Official (optOff), Personal (optPernl) or Both (optBoth).
    void addTypeOptions();
    // "Activity Status": Not Completed (optPlnd), Completed (optCpltd) or Both (optBoth).
    void addStatusOptions();
    void addEmployeeRow();
    // The selection button where there is an employee to choose; without
    // one, the greyed picture takes its place. A failed read changes neither.
    void offerSelectionIfAnyEmployee();

    // An editable list that takes no entries typed into it.
    static QComboBox *pickList(const QString &name, QWidget *parent);
    // January to December, with the month numbers as data.
    static void addMonths(QComboBox *list);
    // "January" for 1; empty outside 1..12.
    static QString monthName(int month);

    // Enter in a control moves the focus on.
    void tabOnEnter(QWidget *control);
    // The control's key rules (key preview of the form).
    zv::ui::KeyFunctions *keysOf(QWidget *control);

    // "Cmpny" of every report: the first company's name, "" without one.
    QString companyName();
    // The employee selection window (the form's service).
    QString chooseEmployees(const SelectionRequest &request);
    // The selection button's first step on every form: the footer's status
    // and picture cleared. Whether it is the employee selection (index 0).
    bool selectionButton(int Index);
    // The order of the selection window's columns: name, short name and key,
    // or key, short name and name (the window then returns quoted keys in
    // brackets, which are stripped).
    enum class EmployeeListOrder { NameFirst, KeyFirst };
    // The employee selection over sql, from the current list: the list chosen.
    QString selectEmployees(EmployeeListOrder order, const QString &sql);
    // A month's calendar into the formula values, day d under d + keySuffix:
    // "(d)" for a holiday or a Sunday, "d" for the other days, the holidays
    // first in date order. Nothing for a month that does not exist.
    void addMonthDays(int month, int year, const QString &keySuffix);
    // The report viewer, shown modally; its result.
    bool showReport(const QString &title, const QString &reportFile, const zv::db::Recordset &rows,
                    const zv::report::FormulaDictionary &values);
    // A report's data step: reads the rows on the connection it is given. It
    // runs on a worker thread, so it touches no control and no other connection.
    using RowsStep = std::function<zv::db::Recordset(zv::db::Connection &)>;
    enum class RunOutcome { Shown, NoRows, Cancelled, AlreadyRunning };
    // The run of a report, the hourglass shown. read() runs first, on the
    // window's thread: it reads from the controls everything the data step
    // needs and returns the step. The step then runs while the window waits
    // and answers, with a progress window and Cancel (which stops the running
    // statement). No rows: noRowsCode in the status line. Otherwise setValues()
    // gives the formula values, the viewer shows the rows, and the status and
    // the values are cleared. Cancelled, the status is cleared and nothing is
    // shown. A failure on the way (the data step's too) drops the values,
    // clears the status and ends the action: it reaches the caller, and
    // nothing after the failed step runs. A run asked for while one is on its
    // way does nothing.
    RunOutcome runReport(const std::function<RowsStep()> &read, const QString &noRowsCode,
                         const std::function<void()> &setValues, const QString &title, const QString &reportFile);
    bool reportRunning() const { return m_running; }

    // No employee chosen means every one: their keys, in order of name (on
    // the data step's connection).
    static void everyEmployeeIfNone(zv::db::Connection &c, QString &employees);
    // The employees a run listed stay chosen for the next run.
    void keepEmployeesOfRun(const QString &employees) {
        if (!employees.isEmpty())
            m_selectionList = employees;
    }

    // The main window's caption: "Zorvane 2.0 - " + who + the period.
    static void setMainCaption(const QString &who, bool withPeriod = true);

    // The reads of loading, run when the form is first shown.
    virtual void readOnOpening() {}
    // Activation: when the form is first shown, and again when a window it
    // opened (the selection window, the viewer) has closed over it. Its
    // failures reach the action that opened that window.
    virtual void activate() {}
    // The first showing: the reads of loading, then activation. When they
    // fail the form does not stay open half-read: it closes, and the failure
    // is told by the showing.
    void Form_Activate() final;
    // The status line put back, then the report forms' box.
    void showFailure(const std::exception &e) override;

    // The form's keys (after header and footer): Ctrl+F1 runs the employee
    // selection when the button is visible (where m_selectionKey), then the
    // report-form keys.
    void Form_KeyDown(int &KeyCode, int Shift) override;

    QString m_selectionList;
    QString m_selectionQuery;
    bool m_selectionKey = true;
    zv::report::FormulaDictionary m_formulas;

private:
    QFormLayout *m_rows = nullptr;
    bool m_running = false;
    std::vector<std::unique_ptr<zv::ui::KeyFunctions>> m_controlKeys;
};

// Resets the mouse pointer to normal when a report run ends, however it ends.
struct NormalPointerAtEnd {
    ~NormalPointerAtEnd();
};

} // namespace zv::reports
