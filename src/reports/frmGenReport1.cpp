#include "frmGenReport1.h"
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

frmGenReport1::frmGenReport1(QWidget *parent) : MonthDateFilterForm(parent, QString()) {
    setObjectName(QStringLiteral("frmGenReport1"));
    addMonthDateRows();
    addStatusOptions();
    addEmployeeRow();

    // Load
    setUpToolbars();
    wireMonthDateRows();
    tabOnEnter(optBoth);
    lblSelSortField->setText(QStringLiteral("Employee Name"));
    picSelFilter->show();
    imgDisable->hide();
    setWindowTitle(kTitle);
    m_selectionList.clear();
    tlbFooter.setRightToolbarVisible(true);
    showOnServerMonth();
    picSelFilter->setToolTip(QStringLiteral("Ctrl+F1"));
}

frmGenReport1::~frmGenReport1() = default;

void frmGenReport1::Form_Activate() {
    if (CmbSord->count() > 1)
        CmbSord->setCurrentIndex(1);
    setMainCaption(modCommon::gLoginUserID.toUpper());
}

void frmGenReport1::fillSortEntries() {
    CmbSord->clear();
    if (CmbSord->isEnabled()) {
        CmbSord->addItem(QStringLiteral("Department"), 1);
        if (!Chckdat->isChecked())
            CmbSord->addItem(QStringLiteral("Date Of Entry"), 2);
        CmbSord->addItem(QStringLiteral("Activity Description"), 3);
    }
    // Nothing chosen until the form is next activated.
    CmbSord->setCurrentIndex(-1);
    CmbSord->setEditText(QString());
}

void frmGenReport1::Chckdat_Click() {
    applyDatewise();
    fillSortEntries();
}

void frmGenReport1::picSelFilter_Click(int Index) {
    if (!selectionButton(Index))
        return;
    m_selectionList = selectEmployees(SelectionColumns::KeyFirst,
                                      QStringLiteral("SELECT em.Sys_emp_num, Emp_Shrt_Name, Emp_Name "
                                                     "FROM emp_mast em ORDER BY em.emp_Name"));
}

BoundSql frmGenReport1::reportQuery() const {
    BoundSql q;
    // Each schedule entry belongs to one line of its activity: it is listed
    // once, with that line's employee, department and assigner.
    q.add(QStringLiteral(
        "SELECT am.Entry_date, am.Actvty_desc, em.Emp_Name, dm.Dept_Desc, sc.Expctd_Date, sc.Cmpltd_Date, "
        "sc.Not_Needed, em1.Emp_Name AS assigned_by "
        "FROM Statry_Cmpltd_Entry sc "
        "JOIN Actvty_Mast am ON am.Sys_Actvty_Num = sc.Sys_Actvty_Num "
        "JOIN Actvty_Mast_Det amd ON amd.Sys_Actvty_Line_Num = sc.Sys_Actvty_Line_Num "
        "AND amd.Sys_Actvty_Num = sc.Sys_Actvty_Num "
        "JOIN Emp_Mast em ON em.Sys_Emp_Num = amd.Sys_Emp_Num "
        "LEFT JOIN Emp_Mast em1 ON em1.Sys_Emp_Num = amd.Assign_By "
        "JOIN Dept_Mast dm ON dm.Sys_Dept_Num = amd.Sys_Dept_Num "
        "WHERE sc.Not_Needed <> 1"));
    addSelection(q, QStringLiteral("em.Sys_Emp_Num"), m_selectionList);
    addPeriod(q, QStringLiteral("sc.Expctd_Date"));
    if (optPlnd->isChecked())
        q.add(QStringLiteral(" AND sc.Cmpltd_Date IS NULL"));
    else if (optCpltd->isChecked())
        q.add(QStringLiteral(" AND sc.Cmpltd_Date IS NOT NULL"));

    const bool hasText = !CmbSord->currentText().isEmpty();
    const int sort = CmbSord->currentIndex();
    if (!Chckdat->isChecked()) {
        if (!hasText)
            q.add(QStringLiteral(" ORDER BY sc.Expctd_Date"));
        else if (sort == 0)
            q.add(QStringLiteral(" ORDER BY dm.Dept_Desc, sc.Expctd_Date"));
        else if (sort == 1)
            q.add(QStringLiteral(" ORDER BY am.Entry_date, sc.Expctd_Date"));
        else if (sort == 2)
            q.add(QStringLiteral(" ORDER BY am.Actvty_Desc, sc.Expctd_Date"));
    } else if (hasText) {
        if (sort == 0)
            q.add(QStringLiteral(" ORDER BY dm.Dept_Desc"));
        else if (sort == 1)
            q.add(QStringLiteral(" ORDER BY am.Actvty_Desc"));
    }
    return q;
}

void frmGenReport1::fillFormulas() {
    m_formulas.RemoveAll();
    m_formulas.Add(QStringLiteral("Cmpny"), companyName());
    int month = 0, year = 0;
    if (monthMode()) {
        m_formulas.Add(QStringLiteral("Month"), cmbTargetMnth->currentText().left(3));
        m_formulas.Add(QStringLiteral("Year"), txtTargetYear->text());
        month = monthNumber();
        year = yearNumber();
    } else if (const QDate day = dateOfReport(); TxtFdate->isEnabled() && day.isValid()) {
        m_formulas.Add(QStringLiteral("Month"), zv::db::monthAbbrev(day.month()));
        m_formulas.Add(QStringLiteral("Year"), QString::number(day.year()));
        month = day.month();
        year = day.year();
    }
    addMonthDays(month, year, QString());
}

void frmGenReport1::tlbFooter_FooterClick(const QString &Key) { footerStep(Key, QStringLiteral("ZVE015")); }

void frmGenReport1::Ok() {
    NormalPointerAtEnd pointer;
    if (!checkFilter())
        return;
    runReport(
        [this] {
            if (m_selectionList.isEmpty())
                m_selectionList =
                    employeeKeys(QStringLiteral("SELECT em.Sys_emp_num, Emp_Name, Emp_Shrt_Name FROM emp_mast em"));
            const BoundSql q = reportQuery();
            return db().query(q);
        },
        QStringLiteral("ZVE001"), [this] { fillFormulas(); }, kTitle, kReportFile);
}

bool frmGenReport1::Form_QueryUnload() {
    if (exitConfirmed(QStringLiteral("Exit Confirmation")))
        return true;
    setMousePointer(0);
    return false;
}
