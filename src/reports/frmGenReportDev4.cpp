#include "frmGenReportDev4.h"
#include "core/modCommon.h"
#include "platform/db/Dates.h"
#include "platform/ui/Ui.h"
#include <QLabel>
#include <QRadioButton>
#include <QToolButton>

using namespace zv::reports;
using namespace zv::ui;

frmGenReportDev4::frmGenReportDev4(QWidget *parent) : ReportFilterForm(parent) {
    setObjectName(QStringLiteral("frmGenReportDev4"));
    addTypeOptions();
    addEmployeeRow();

    // Load
    m_passwordKey = true;
    setUpToolbars();
    for (QRadioButton *b : {optOff, optPernl, optBoth})
        tabOnEnter(b);
    offerSelectionIfAnyEmployee();
    setWindowTitle(kTitle);
    tlbFooter.setRightToolbarVisible(true);
    tlbFooter.setResetVisible(false);
    picSelFilter->setToolTip(QStringLiteral("Ctrl+F1"));
    setMainCaption(QStringLiteral("ADMIN"));
}

frmGenReportDev4::~frmGenReportDev4() = default;

void frmGenReportDev4::picSelFilter_Click(int Index) {
    if (!selectionButton(Index))
        return;
    modCommon::gReportKey = QStringLiteral("ACTMAST");
    m_selectionList = selectEmployees(SelectionColumns::NameFirst,
                                      QStringLiteral("SELECT Emp_Name, Emp_Shrt_Name, em.Sys_emp_num "
                                                     "FROM emp_mast em ORDER BY em.emp_Name"));
}

BoundSql frmGenReportDev4::reportQuery(const QDate &today) const {
    BoundSql q;
    q.add(QStringLiteral("SELECT Det.Almnt_Date, Det.Actvty_Desc, Det.Target_Date, Det.Cmplt_date, Det.Offcl_Persnl, "
                         "Det.Remk, EMP.EMP_NAME FROM actvty_target_Hdr Hdr, actvty_target_det Det, EMP_MAST EMP "
                         "WHERE Hdr.Sys_Awt_Num = Det.Sys_Awt_Num AND Hdr.SYS_EMP_NUM = EMP.SYS_EMP_NUM "
                         "AND Det.Target_Date <= ? AND Det.Cmplt_date IS NULL"),
          {zv::db::toIsoDate(today)});
    addSelection(q, QStringLiteral("EMP.Sys_emp_Num"), m_selectionList);
    if (optOff->isChecked())
        q.add(QStringLiteral(" AND Det.Offcl_Persnl = 'O'"));
    else if (optPernl->isChecked())
        q.add(QStringLiteral(" AND Det.Offcl_Persnl = 'P'"));
    q.add(QStringLiteral(" ORDER BY Det.Almnt_Date"));
    return q;
}

void frmGenReportDev4::tlbFooter_FooterClick(const QString &Key) { footerStep(Key, QStringLiteral("ZVE015")); }

void frmGenReportDev4::Ok() {
    NormalPointerAtEnd pointer;
    runReport(
        [this] {
            if (m_selectionList.isEmpty() && utility.RecordExists(QStringLiteral("Emp_Mast")))
                m_selectionList = employeeKeys(
                    QStringLiteral("SELECT em.Sys_emp_num, Emp_Name, Emp_Shrt_Name FROM emp_mast em ORDER BY em.emp_Name"));
            const BoundSql q = reportQuery(modCommon::GetServerDate());
            return db().query(q);
        },
        QStringLiteral("ZVE001"), [this] { m_formulas.Add(QStringLiteral("Cmpny"), companyName()); }, kTitle,
        kReportFile);
}
