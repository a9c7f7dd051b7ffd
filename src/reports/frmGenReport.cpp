#include "frmGenReport.h"
#include "core/modCommon.h"
#include "platform/db/Dates.h"
#include "platform/ui/Ui.h"
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QToolButton>

using namespace zv::reports;
using namespace zv::ui;

frmGenReport::frmGenReport(QWidget *parent) : MonthDateFilterForm(parent, QStringLiteral("Target ")) {
    setObjectName(QStringLiteral("frmGenReport"));
    addMonthDateRows();
    addTypeOptions();
    addEmployeeRow();

    // Load
    m_passwordKey = true;
    setUpToolbars();
    wireMonthDateRows();
    for (QRadioButton *b : {optOff, optPernl, optBoth})
        tabOnEnter(b);
    lblSelSortField->setText(QStringLiteral("Employee Name"));
    setWindowTitle(QStringLiteral("Activities With Target Date Report Filter"));
    offerSelectionIfAnyEmployee();
    showOnServerMonth();
    picSelFilter->setToolTip(QStringLiteral("Ctrl+F1"));
    setMainCaption(modCommon::gLoginUserID.toUpper());
}

frmGenReport::~frmGenReport() = default;

void frmGenReport::fillSortEntries() {
    CmbSord->clear();
    if (!CmbSord->isEnabled())
        return;
    CmbSord->addItem(QStringLiteral("Allotment Date"), 1);
    CmbSord->addItem(QStringLiteral("Activity Description"), 2);
    CmbSord->addItem(QStringLiteral("Target Date"), 3);
    CmbSord->setCurrentIndex(2);
}

void frmGenReport::Chckdat_Click() {
    // A day's report has no sort order.
    if (Chckdat->isChecked()) {
        setBoxEnabled(CmbSord, false);
        CmbSord->setCurrentIndex(-1);   // the entries stay
        CmbSord->setEditText(QString());
    } else {
        setBoxEnabled(CmbSord, true);
        fillSortEntries();
    }
    applyDatewise();
}

void frmGenReport::picSelFilter_Click(int Index) {
    if (!selectionButton(Index))
        return;
    m_selectionList = selectEmployees(SelectionColumns::NameFirst,
                                      QStringLiteral("SELECT em.Emp_Name, em.Emp_Shrt_Name, em.Sys_emp_num "
                                                     "FROM emp_mast em ORDER BY em.emp_Name"));
}

BoundSql frmGenReport::reportQuery() const {
    BoundSql q;
    q.add(QStringLiteral(
        "SELECT emp_mast.Emp_Name, d.Almnt_Date, d.Start_Date, d.Actvty_Desc, d.Offcl_Persnl, d.Target_Date, "
        "d.Cmplt_date, d.Remk FROM actvty_target_det d "
        "JOIN actvty_target_hdr h ON d.Sys_Awt_Num = h.Sys_Awt_Num "
        "JOIN emp_mast ON h.Sys_Emp_Num = emp_mast.Sys_Emp_Num WHERE 1 = 1"));
    addSelection(q, QStringLiteral("h.Sys_Emp_Num"), m_selectionList);
    if (picSelFilter->isHidden() && !imgDisable->isHidden())
        q.add(QStringLiteral(" AND h.Sys_Emp_Num = 0"));
    addPeriod(q, QStringLiteral("d.Target_Date"));
    if (optOff->isChecked())
        q.add(QStringLiteral(" AND d.Offcl_Persnl = 'O'"));
    if (optPernl->isChecked())
        q.add(QStringLiteral(" AND d.Offcl_Persnl = 'P'"));

    if (!CmbSord->isEnabled())
        q.add(QStringLiteral(" ORDER BY d.Actvty_Desc"));
    else if (CmbSord->currentText().isEmpty())
        q.add(QStringLiteral(" ORDER BY d.Target_Date"));
    else if (CmbSord->currentIndex() == 0)
        q.add(QStringLiteral(" ORDER BY d.Almnt_Date"));
    else if (CmbSord->currentIndex() == 1)
        q.add(QStringLiteral(" ORDER BY d.Actvty_Desc"));
    else if (CmbSord->currentIndex() == 2)
        q.add(QStringLiteral(" ORDER BY d.Target_Date"));
    return q;
}

QString frmGenReport::reportTitle() const {
    // A day's report names its day: its month and year boxes are empty.
    if (Chckdat->isChecked() && dateOfReport().isValid())
        return QStringLiteral("Activities with Target Date for ") + zv::db::toDisplayDate(dateOfReport());
    return QStringLiteral("Activities with Target Date for the month of ") + cmbTargetMnth->currentText() +
           QLatin1Char('-') + txtTargetYear->text();
}

void frmGenReport::tlbFooter_FooterClick(const QString &Key) {
    // Cancel asks before closing, even after a report.
    if (Key == QLatin1String("Cancel"))
        m_reportShown = false;
    footerStep(Key, QStringLiteral("ZVE015"));
}

void frmGenReport::Ok() {
    NormalPointerAtEnd pointer;
    if (!checkFilter())
        return;
    runReport(
        [this] {
            const BoundSql q = reportQuery();
            return db().query(q);
        },
        QStringLiteral("ZVE001"),
        [this] {
            m_reportShown = true;
            m_formulas.Add(QStringLiteral("Cmpny"), companyName());
        },
        reportTitle(), kReportFile);
}

bool frmGenReport::Form_QueryUnload() {
    if (m_reportShown || exitConfirmed(QStringLiteral("Question")))
        return true;
    setMousePointer(0);
    return false;
}
