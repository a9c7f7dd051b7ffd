#include "frmGenReportDev4.h"
#include "core/modCommon.h"
#include "platform/ui/Ui.h"
#include <QLabel>
#include <QRadioButton>
#include <QToolButton>

using namespace zv::reports;
using namespace zv::ui;

frmGenReportDev4::frmGenReportDev4(QWidget *parent, zv::fw::FormServices services)
    : ReportFilterForm(parent, std::move(services)) {
    setObjectName(QStringLiteral("frmGenReportDev4"));
    addTypeOptions();
    addEmployeeRow();

    // Load
    m_passwordKey = true;
    setUpToolbars();
    for (QRadioButton *b : {optOff, optPernl, optBoth})
        tabOnEnter(b);
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
    m_selectionList = selectEmployees(EmployeeListOrder::NameFirst, employeeChoiceByName());
}

PendingFilter frmGenReportDev4::filter(const QDate &today) const {
    PendingFilter f;
    f.employees = m_selectionList;
    f.type = workType(optOff->isChecked(), optPernl->isChecked());
    f.dueBy = today;
    return f;
}

BoundSql frmGenReportDev4::reportQuery(const QDate &today) const { return pendingQuery(filter(today)); }

void frmGenReportDev4::tlbFooter_FooterClick(const QString &Key) { footerStep(Key, QStringLiteral("ZVE015")); }

void frmGenReportDev4::Ok() {
    NormalPointerAtEnd pointer;
    PendingFilter f;
    runReport(
        [this, &f] {
            f = filter(modCommon::GetServerDate());
            return RowsStep([&f](zv::db::Connection &c) {
                everyEmployeeIfNone(c, f.employees);
                return c.query(pendingQuery(f));
            });
        },
        QStringLiteral("ZVE001"), [this] { m_formulas.Add(QStringLiteral("Cmpny"), companyName()); }, kTitle,
        kReportFile);
    keepEmployeesOfRun(f.employees);
}
