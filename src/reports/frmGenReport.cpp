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

frmGenReport::frmGenReport(QWidget *parent, zv::fw::FormServices services)
    : MonthDateFilterForm(parent, QStringLiteral("Target "), std::move(services)) {
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
    m_selectionList = selectEmployees(EmployeeListOrder::NameFirst, employeeChoiceByName());
}

TargetDateFilter frmGenReport::filter() const {
    TargetDateFilter f;
    f.employees = m_selectionList;
    f.nobody = picSelFilter->isHidden() && !imgDisable->isHidden();
    f.period = reportPeriod(monthMode(), monthNumber(), yearNumber(), Chckdat->isChecked() ? dateOfReport() : QDate());
    f.type = workType(optOff->isChecked(), optPernl->isChecked());
    // A day's report is by activity; an empty sort text is by target date.
    if (!CmbSord->isEnabled())
        f.order = TargetDateFilter::Order::Activity;
    else if (CmbSord->currentIndex() == 0 && !CmbSord->currentText().isEmpty())
        f.order = TargetDateFilter::Order::AllotmentDate;
    else if (CmbSord->currentIndex() == 1 && !CmbSord->currentText().isEmpty())
        f.order = TargetDateFilter::Order::Activity;
    else
        f.order = TargetDateFilter::Order::TargetDate;
    return f;
}

BoundSql frmGenReport::reportQuery() const { return targetDateQuery(filter()); }

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
        [this] { return RowsStep([q = reportQuery()](zv::db::Connection &c) { return c.query(q); }); },
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
