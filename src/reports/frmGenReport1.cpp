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

frmGenReport1::frmGenReport1(QWidget *parent, zv::fw::FormServices services)
    : MonthDateFilterForm(parent, QString(), std::move(services)) {
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

void frmGenReport1::activate() {
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
    m_selectionList = selectEmployees(EmployeeListOrder::KeyFirst, employeeChoiceByKey());
}

PlannerFilter frmGenReport1::filter() const {
    PlannerFilter f;
    f.employees = m_selectionList;
    f.period = reportPeriod(monthMode(), monthNumber(), yearNumber(), Chckdat->isChecked() ? dateOfReport() : QDate());
    f.status = optPlnd->isChecked()    ? Completion::Pending
               : optCpltd->isChecked() ? Completion::Completed
                                       : Completion::Both;
    // The entries' data: 1 department, 2 date of entry (month mode only), 3 activity.
    if (!CmbSord->currentText().isEmpty()) {
        switch (CmbSord->currentData().toInt()) {
        case 1:
            f.order = PlannerFilter::Order::Department;
            break;
        case 2:
            f.order = PlannerFilter::Order::EntryDate;
            break;
        case 3:
            f.order = PlannerFilter::Order::Activity;
            break;
        default:
            break;
        }
    }
    f.thenByExpectedDate = !Chckdat->isChecked();
    return f;
}

BoundSql frmGenReport1::reportQuery() const { return plannerQuery(filter()); }

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
    PlannerFilter f;
    runReport(
        [this, &f] {
            f = filter();
            return RowsStep([&f](zv::db::Connection &c) {
                everyEmployeeIfNone(c, f.employees);
                return c.query(plannerQuery(f));
            });
        },
        QStringLiteral("ZVE001"), [this] { fillFormulas(); }, kTitle, kReportFile);
    keepEmployeesOfRun(f.employees);
}

bool frmGenReport1::Form_QueryUnload() {
    if (exitConfirmed(QStringLiteral("Exit Confirmation")))
        return true;
    setMousePointer(0);
    return false;
}
