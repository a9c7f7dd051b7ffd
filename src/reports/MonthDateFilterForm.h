#pragma once
#include "ReportFilterForm.h"
#include "ReportSql.h"
#include "dateinput/clsDATEVALIDATE.h"
#include "platform/ui/ComboKeyFilter.h"
#include "platform/ui/KeyFilter.h"
#include <QDate>

class QCheckBox;
class QComboBox;
class QFrame;
class QLineEdit;

namespace zv::reports {

// A report filter that covers either one month of a year (month mode) or one
// day (date mode, "Datewise" ticked): the check box, the masked date box,
// the month list, the year box and the sort list, with their key and change
// rules, the switch between the modes, the date validation, the
// month-or-date checks of Ok and the period's condition.
class MonthDateFilterForm : public ReportFilterForm {
    Q_OBJECT
public:
    // Preset employee (and month and year), shown modally.
    int ShowForm(qint64 employee, int month, int year);
    int ShowRpt(qint64 employee);

    QFrame *Fradate = nullptr;
    QCheckBox *Chckdat = nullptr;
    QLabel *Label5 = nullptr;
    QLineEdit *TxtFdate = nullptr;
    QLabel *lblSelDate = nullptr;
    QComboBox *cmbTargetMnth = nullptr;
    QLabel *Label3 = nullptr;
    QLineEdit *txtTargetYear = nullptr;
    QLabel *Label4 = nullptr;
    QComboBox *CmbSord = nullptr;
    QLabel *Label6 = nullptr;

    // What the last date validation returned ("5-Jan-2004", "" or the blank mask).
    const QString &reportDate() const { return m_reportDate; }
    bool dateInvalid() const { return m_dateInvalid; }
    // The chosen month: the selected entry's position plus one, 0 when none is selected.
    int monthNumber() const;
    // The year box's numeric value (its leading digits), 0 when it has none.
    int yearNumber() const;
    // Whether month mode's month and year boxes are both enabled.
    bool monthMode() const;
    // The validated report date of date mode; invalid when there is none.
    QDate dateOfReport() const;

public slots:
    virtual void Chckdat_Click() = 0;

protected:
    // captionPrefix goes before "Date", "Month" and "Year" in the captions
    // and the messages of the three fields.
    MonthDateFilterForm(QWidget *parent, const QString &captionPrefix, zv::fw::FormServices services);

    // Builds the controls into the selection frame (before the option and employee rows).
    void addMonthDateRows();
    // Their key and change rules (after the toolbars).
    void wireMonthDateRows();
    // Load's last step: the rows shown on the server's month, the sort entries filled.
    void showOnServerMonth();
    // The sort list's entries for the current mode.
    virtual void fillSortEntries() = 0;
    // Datewise ticked: the month and year boxes emptied and greyed, the date
    // box open on the server date. Unticked: the reverse, on the server month.
    void applyDatewise();

    // Enabled with a white back colour, or disabled and grey.
    static void setBoxEnabled(QWidget *box, bool enabled);
    // The server date's month name and year into the enabled boxes.
    void showServerMonth();
    // Binds the date box; when enabled, it shows the server date.
    void bindDateBox();
    // Validates the date box when it is enabled and visible: report date and invalid flag.
    void validateDateBox();
    // Ok's checks: the date in date mode, month and year in month mode. False
    // (status shown, focus on the field) stops the report.
    bool checkFilter();

    static QDate serverDate();

    clsDATEVALIDATE m_dateEntry;   // bound to TxtFdate for typing
    clsDATEVALIDATE m_dateCheck;   // validates only
    zv::ui::KeyFilter m_keyFilter;
    zv::ui::ComboKeyFilter m_comboFilter;
    QString m_reportDate;
    bool m_dateInvalid = false;

private:
    // The captions of the three fields, the required ones starred.
    void showModeCaptions();

    QString m_captionPrefix;
};

} // namespace zv::reports
