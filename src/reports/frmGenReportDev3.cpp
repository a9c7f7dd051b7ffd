#include "frmGenReportDev3.h"
#include "platform/ui/ErrorBox.h"
#include "core/FormRegistry.h"
#include "core/modCommon.h"
#include "framework/FormKeys.h"
#include "platform/db/Dates.h"
#include "platform/db/ErrorText.h"
#include "platform/ui/BoxGuards.h"
#include "platform/ui/MessageService.h"
#include "platform/ui/Ui.h"
#include "platform/ui/VbKeys.h"
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QToolButton>

using namespace zv::reports;
using namespace zv::ui;

namespace {
// A failure of the fill, which the checklist shows in a box of its own.
struct FillFailed : zv::db::DbError {
    explicit FillFailed(const zv::db::DbError &e) : DbError(e) {}
};
} // namespace

frmGenReportDev3::frmGenReportDev3(QWidget *parent, zv::fw::FormServices services)
    : ReportFilterForm(parent, std::move(services)) {
    setObjectName(QStringLiteral("frmGenReportDev3"));
    cmbMnth = pickList(QStringLiteral("cmbMnth"), this);
    addFilterRow(QStringLiteral("Month*"), cmbMnth);
    txtYear = new QLineEdit(this);
    txtYear->setObjectName(QStringLiteral("txtYear"));
    txtYear->setMaxLength(4);
    addFilterRow(QStringLiteral("Year*"), txtYear);
    CmbSort = pickList(QStringLiteral("CmbSort"), this);
    addFilterRow(QStringLiteral("Sort Order"), CmbSort);
    chkDate = new QCheckBox(QStringLiteral("Datewise"), this);
    chkDate->setObjectName(QStringLiteral("chkDate"));
    txtdate = new QLineEdit(this);
    txtdate->setObjectName(QStringLiteral("txtdate"));
    addFilterRow(QString(), chkDate);
    addFilterRow(QStringLiteral("Date"), txtdate);
    addTypeOptions();
    // Official work unless another type is chosen: what the checklist always showed.
    optOff->setChecked(true);
    addEmployeeRow();

    // Load
    setUpToolbars();
    m_dateInput.setTxtdate(txtdate, zv::fw::keyPreviewOf(this));
    tlbHeader.setHelpVisible(false);
    setMainCaption(QStringLiteral("ADMIN"));
    m_selectionList.clear();
    modCommon::gReportKey = QStringLiteral("ACL");
    addMonths(cmbMnth);
    CmbSort->addItem(QStringLiteral("Entry Date"), 1);
    CmbSort->addItem(QStringLiteral("Activity Description"), 2);
    const QDate today = modCommon::GetServerDate();
    cmbMnth->setCurrentIndex(today.month() - 1);
    txtYear->setText(QString::number(today.year()));
    CmbSort->setCurrentIndex(0);
    setWindowTitle(QStringLiteral("Activity checklist for a month Report Filter"));
    tlbFooter.setRightToolbarVisible(true);
    tlbFooter.setResetVisible(false);
    picSelFilter->setToolTip(QStringLiteral("Ctrl+F1"));

    // Field behaviour
    for (QComboBox *combo : {cmbMnth, CmbSort}) {
        keysOf(combo)->press = [this, combo](int &KeyAscii) {
            m_comboFilter.KeyPress(combo, KeyAscii, false);
            m_comboFilter.Change(combo, true);
        };
    }
    connect(CmbSort, &QComboBox::editTextChanged, this, [this] { m_comboFilter.Change(CmbSort, true); });
    connect(cmbMnth, &QComboBox::editTextChanged, this, [this] { clearStatus(); });
    connect(txtYear, &QLineEdit::textChanged, this, [this] { clearStatus(); });
    zv::ui::selectAllOnFocus(txtYear);
    keysOf(txtYear)->press = [this](int &KeyAscii) {
        KeyAscii = m_keyFilter.FilterKey(TextBox(txtYear), 0, KeyAscii, QString());
    };
    for (QRadioButton *b : {optOff, optPernl, optBoth})
        keysOf(b)->down = [this](int &KeyCode, int) {
            if (KeyCode == vbKey::Return) {
                KeyCode = 0;
                focusIfAble(cmbMnth);
            }
        };
}

frmGenReportDev3::~frmGenReportDev3() = default;

int frmGenReportDev3::ShowForm(qint64 employee, int month, int year) {
    m_selectionList = QString::number(employee);
    txtYear->setText(QString::number(year));
    if (month >= 1 && month <= 12)
        cmbMnth->setCurrentIndex(month - 1);
    modCommon::gReportKey = QStringLiteral("ACL");
    return exec();
}

void frmGenReportDev3::activate() {
    m_closing = false;
    // A file another program holds says nothing about its tables: that
    // failure ends the action as it is.
    if (checklistTablesUsable(db()))
        return;
    MsgBox(QStringLiteral("Production Database is corrupted. Please reset the Production Database."),
           vbOKOnly + vbCritical, QStringLiteral("Error"));
    modCommon::gDBPath.clear();
    m_closing = true;
    unloadSoon();
    endAction();
}

void frmGenReportDev3::picSelFilter_Click(int Index) {
    if (!selectionButton(Index) || modCommon::gReportKey != QLatin1String("ACL"))
        return;
    m_selectionList = selectEmployees(EmployeeListOrder::NameFirst, employeeChoiceByName());
}

void frmGenReportDev3::tlbFooter_FooterClick(const QString &Key) {
    if (Key == QLatin1String("Ok")) {
        Ok();
    } else if (Key == QLatin1String("Cancel")) {
        // The report key goes with the form: a form kept open keeps its selection working.
        if (Form_QueryUnload()) {
            modCommon::gReportKey.clear();
            unloadForm(false);
        }
    }
}

bool frmGenReportDev3::checkFields() {
    if (cmbMnth->currentText().trimmed().isEmpty()) {
        status(QStringLiteral("ZVE007"), QStringLiteral("Month"));
        focusIfAble(cmbMnth);
        return false;
    }
    if (m_comboFilter.Change(cmbMnth, false)) {
        status(QStringLiteral("ZVE009"), QString(), QStringLiteral("Month"));
        focusIfAble(cmbMnth);
        return false;
    }
    const QString year = txtYear->text().trimmed();
    if (year.isEmpty()) {
        status(QStringLiteral("ZVE007"), QStringLiteral("Year"));
        focusIfAble(txtYear);
        return false;
    }
    bool ok = false;
    const int y = year.toInt(&ok);
    if (!ok || y < 1900 || year.size() < 4 || !QDate(y, 1, 1).isValid()) {
        status(QStringLiteral("ZVE009"), QString(), QStringLiteral("Year"));
        focusIfAble(txtYear);
        return false;
    }
    return true;
}

void frmGenReportDev3::Ok() {
    if (reportRunning())
        return;
    if (QWidget *w = focusWidget())
        sendTab(w);
    NormalPointerAtEnd pointer;
    setMousePointer(11);
    status(QStringLiteral("ZVE043"), QStringLiteral("Report is "));
    if (!checkFields())
        return;
    status(QStringLiteral("ZVE015"), QStringLiteral("Report is"));
    ChecklistFilter f;
    if (!prepareRun(f))
        return;
    try {
        runReport(
            [this, &f] {
                return RowsStep([f, key = m_runKey, byActivity = CmbSort->currentIndex() == 1](zv::db::Connection &c) {
                    try {
                        fillChecklist(c, key, f);
                    } catch (const zv::db::DbError &e) {
                        throw FillFailed(e);
                    }
                    return checklistRows(c, key, byActivity);
                });
            },
            QStringLiteral("ZVE001"), [this] { fillFormulas(); }, kTitle, kReportFile);
    } catch (...) {
        dropRunAfterFailure();
        throw;
    }
    // The run's rows go when it ends; a failure here is the action's own.
    deleteRun();
}

void frmGenReportDev3::dropRunAfterFailure() noexcept {
    try {
        deleteRun();
    } catch (const std::exception &) {
        // The run's own failure is the one told. Rows that cannot go now (the
        // file held or damaged) carry this run's key alone, and the next
        // start deletes them.
    }
}

bool frmGenReportDev3::prepareRun(ChecklistFilter &f) {
    if (m_comboFilter.Change(cmbMnth, false)) {
        status(QStringLiteral("ZVE165"), QStringLiteral("Month"));
        focusIfAble(cmbMnth);
        return false;
    }
    m_month = cmbMnth->currentData().toInt();
    m_year = txtYear->text().trimmed().toInt();
    m_runKey = checklistRunKey(modCommon::gTempUserID);
    f.month = m_month;
    f.year = m_year;
    f.type = workType(optOff->isChecked(), optPernl->isChecked());
    f.employees = m_selectionList;
    return true;
}

bool frmGenReportDev3::UsrGenarateTempTable() {
    ChecklistFilter f;
    if (!prepareRun(f))
        return false;
    try {
        fillChecklist(db(), m_runKey, f);
        return true;
    } catch (const zv::db::DbError &e) {
        showFillFailure(e);
        return false;
    }
}

void frmGenReportDev3::showFillFailure(const zv::db::DbError &e) {
    setMousePointer(0);
    zv::ui::ErrorBox(e, zv::db::ErrorLayout::Labelled, vbOKOnly, QString(), QStringLiteral("Error in UsrGenarateTempTable"));
}

void frmGenReportDev3::showFailure(const std::exception &e) {
    if (const auto *fill = dynamic_cast<const FillFailed *>(&e)) {
        clearStatus();
        showFillFailure(*fill);
    } else {
        ReportFilterForm::showFailure(e);
    }
}

zv::db::Recordset frmGenReportDev3::readRun() { return checklistRows(db(), m_runKey, CmbSort->currentIndex() == 1); }

void frmGenReportDev3::fillFormulas() {
    m_formulas.RemoveAll();
    m_formulas.Add(QStringLiteral("month"), QStringLiteral("Checklist for the month of : ") +
                                                zv::db::monthAbbrev(m_month) + QStringLiteral(" - ") +
                                                QString::number(m_year));
    m_formulas.Add(QStringLiteral("Cmpny"), companyName());
    addMonthDays(m_month, m_year, QStringLiteral("D"));
}

void frmGenReportDev3::deleteRun() {
    if (m_runKey.isEmpty())
        return;
    deleteChecklist(db(), m_runKey);
}

bool frmGenReportDev3::Form_QueryUnload() { return m_closing || exitConfirmed(QStringLiteral("Exit Confirmation")); }

void frmGenReportDev3::Form_Unload() { zv::forms::release(zv::forms::names::frmImgList); }
