#pragma once
#include "ReportFilterForm.h"
#include "ChecklistStore.h"
#include "dateinput/QARNDATEINPUT.h"
#include "platform/ui/ComboKeyFilter.h"
#include "platform/ui/KeyFilter.h"

class QCheckBox;
class QComboBox;
class QLineEdit;

// The activity checklist for a month: one line per allotted activity of the
// chosen employees with the 31 day marks of the month, copied into the
// temporary table temp_mchklist under a key of this run, read back in the
// chosen order, printed with the month's days, and deleted again.
class frmGenReportDev3 : public zv::reports::ReportFilterForm {
    Q_OBJECT
public:
    explicit frmGenReportDev3(QWidget *parent, zv::fw::FormServices services);
    ~frmGenReportDev3() override;

    static inline const QString kTitle = QStringLiteral("Activity Check List Report");
    static inline const QString kReportFile = QStringLiteral("Reports/MonthlyEmpCheckList.rpt");

    QComboBox *cmbMnth = nullptr;
    QLineEdit *txtYear = nullptr;
    QComboBox *CmbSort = nullptr;
    QCheckBox *chkDate = nullptr;
    QLineEdit *txtdate = nullptr;

    // Presets the employee, month and year, shows the form modally.
    int ShowForm(qint64 employee, int month, int year);

    // The key under which the current (or last) run keeps its rows.
    const QString &runKey() const { return m_runKey; }

    // Checks the month, fills temp_mchklist for the filter under a new run
    // key (all rows or none) and returns whether it did. Ok does the same
    // with the fill in its data step.
    bool UsrGenarateTempTable();
    // The rows of the run, in the chosen order.
    zv::db::Recordset readRun();
    // The formula values of the report, in their order.
    void fillFormulas();
    // Deletes the rows of the current run.
    void deleteRun();

public slots:
    void tlbFooter_FooterClick(const QString &Key) override;
    void picSelFilter_Click(int Index) override;

protected:
    void Ok() override;
    void activate() override;
    bool Form_QueryUnload() override;
    void Form_Unload() override;
    void showFailure(const std::exception &e) override;

private:
    bool checkFields();
    // The month checked, the run's month, year and new key taken, and the
    // filter read from the controls; false (status shown) stops the run.
    bool prepareRun(zv::reports::ChecklistFilter &f);
    void showFillFailure(const zv::db::DbError &e);
    // Deletes the rows of a run whose failure is being told.
    void dropRunAfterFailure() noexcept;

    QARNDATEINPUT m_dateInput;
    zv::ui::KeyFilter m_keyFilter;
    zv::ui::ComboKeyFilter m_comboFilter;
    int m_month = 0;
    int m_year = 0;
    QString m_runKey;
    bool m_closing = false;
};
