#include "MonthDateFilterForm.h"
#include "core/modCommon.h"
#include "dateinput/DateText.h"
#include "framework/FormKeys.h"
#include "platform/db/Dates.h"
#include "platform/ui/BoxGuards.h"
#include "platform/ui/Ui.h"
#include "platform/ui/VbKeys.h"
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>

using namespace zv::ui;

namespace zv::reports {

namespace {
const QString kEnabledStyle = QStringLiteral("background-color: #FFFFFF;");
const QString kDisabledStyle = QStringLiteral("background-color: #E0E0E0;");
} // namespace

MonthDateFilterForm::MonthDateFilterForm(QWidget *parent, const QString &captionPrefix,
                                         zv::fw::FormServices services)
    : ReportFilterForm(parent, std::move(services)), m_captionPrefix(captionPrefix) {}

int MonthDateFilterForm::ShowForm(qint64 employee, int month, int year) {
    m_selectionList = QString::number(employee);
    if (month >= 1 && month <= 12)
        cmbTargetMnth->setCurrentIndex(month - 1);
    txtTargetYear->setText(QString::number(year));
    return exec();
}

int MonthDateFilterForm::ShowRpt(qint64 employee) {
    m_selectionList = QString::number(employee);
    return exec();
}

QDate MonthDateFilterForm::serverDate() { return modCommon::GetServerDate(); }

void MonthDateFilterForm::addMonthDateRows() {
    Fradate = new QFrame(this);
    Fradate->setObjectName(QStringLiteral("Fradate"));
    auto *rows = new QFormLayout(Fradate);
    rows->setContentsMargins(0, 0, 0, 0);
    auto row = [&](QLabel *&label, const QString &caption, QWidget *field) {
        label = new QLabel(caption, Fradate);
        label->setBuddy(field);
        rows->addRow(label, field);
    };
    Chckdat = new QCheckBox(Fradate);
    Chckdat->setObjectName(QStringLiteral("Chckdat"));
    row(Label5, QStringLiteral("Datewise"), Chckdat);
    TxtFdate = new QLineEdit(Fradate);
    TxtFdate->setObjectName(QStringLiteral("TxtFdate"));
    TxtFdate->setMaxLength(11);
    row(lblSelDate, QString(), TxtFdate);
    cmbTargetMnth = pickList(QStringLiteral("cmbTargetMnth"), Fradate);
    addMonths(cmbTargetMnth);
    row(Label3, QString(), cmbTargetMnth);
    txtTargetYear = new QLineEdit(Fradate);
    txtTargetYear->setObjectName(QStringLiteral("txtTargetYear"));
    txtTargetYear->setMaxLength(4);
    row(Label4, QString(), txtTargetYear);
    CmbSord = pickList(QStringLiteral("CmbSord"), Fradate);
    row(Label6, QStringLiteral("Sort Order"), CmbSord);
    addFilterSpan(Fradate);
    Fradate->hide();

    // Design state: month mode.
    setBoxEnabled(TxtFdate, false);
    setBoxEnabled(cmbTargetMnth, true);
    setBoxEnabled(txtTargetYear, true);
    setBoxEnabled(CmbSord, true);
    showModeCaptions();
}

void MonthDateFilterForm::showModeCaptions() {
    const bool byDate = Chckdat->isChecked();
    lblSelDate->setText(m_captionPrefix + (byDate ? QStringLiteral("Date*") : QStringLiteral("Date")));
    Label3->setText(m_captionPrefix + (byDate ? QStringLiteral("Month") : QStringLiteral("Month*")));
    Label4->setText(m_captionPrefix + (byDate ? QStringLiteral("Year") : QStringLiteral("Year*")));
}

void MonthDateFilterForm::showOnServerMonth() {
    showServerMonth();
    Fradate->show();
    fillSortEntries();
}

void MonthDateFilterForm::applyDatewise() {
    const bool byDate = Chckdat->isChecked();
    setBoxEnabled(txtTargetYear, !byDate);
    setBoxEnabled(cmbTargetMnth, !byDate);
    if (byDate) {
        txtTargetYear->clear();
        cmbTargetMnth->setCurrentIndex(-1);
        cmbTargetMnth->setEditText(QString());
        setBoxEnabled(TxtFdate, true);
        showModeCaptions();
        bindDateBox();
        return;
    }
    showModeCaptions();
    setBoxEnabled(TxtFdate, false);
    TxtFdate->clear();
    showServerMonth();
}

void MonthDateFilterForm::wireMonthDateRows() {
    connect(Chckdat, &QCheckBox::clicked, this, [this] { tellingFailures([this] { Chckdat_Click(); }); });
    tabOnEnter(Chckdat);
    for (QComboBox *combo : {cmbTargetMnth, CmbSord}) {
        keysOf(combo)->press = [this, combo](int &KeyAscii) { m_comboFilter.KeyPress(combo, KeyAscii, false); };
        auto changed = [this, combo] {
            m_comboFilter.Change(combo, true);
            clearStatus();
        };
        connect(combo, &QComboBox::editTextChanged, this, changed);
        connect(combo, qOverload<int>(&QComboBox::activated), this, changed);
    }
    connect(TxtFdate, &QLineEdit::textChanged, this, [this] { clearStatus(); });
    connect(txtTargetYear, &QLineEdit::textChanged, this, [this] { clearStatus(); });
    zv::ui::selectAllOnFocus(txtTargetYear);
    zv::ui::KeyFunctions *year = keysOf(txtTargetYear);
    year->down = [this](int &KeyCode, int) {
        if (KeyCode == vbKey::Return) {
            KeyCode = 0;
            sendTab(txtTargetYear);
        }
    };
    year->press = [this](int &KeyAscii) {
        if (KeyAscii != vbKey::Return)
            KeyAscii = m_keyFilter.FilterKey(TextBox(txtTargetYear), 0, KeyAscii, QString());
    };
}

void MonthDateFilterForm::setBoxEnabled(QWidget *box, bool enabled) {
    box->setEnabled(enabled);
    box->setStyleSheet(enabled ? kEnabledStyle : kDisabledStyle);
}

int MonthDateFilterForm::monthNumber() const { return cmbTargetMnth->currentIndex() + 1; }

int MonthDateFilterForm::yearNumber() const {
    const QString t = txtTargetYear->text().trimmed();
    int end = 0;
    while (end < t.size() && t.at(end).isDigit())
        ++end;
    return t.left(end).toInt();
}

bool MonthDateFilterForm::monthMode() const { return txtTargetYear->isEnabled() && cmbTargetMnth->isEnabled(); }

QDate MonthDateFilterForm::dateOfReport() const {
    if (m_reportDate.isEmpty() || m_reportDate == zv::dateinput::kMonthNameMask)
        return {};
    return zv::dateinput::dateOfValidated(m_reportDate);
}

void MonthDateFilterForm::showServerMonth() {
    const QDate today = serverDate();
    if (cmbTargetMnth->isEnabled()) {
        cmbTargetMnth->setCurrentIndex(today.month() - 1);
        cmbTargetMnth->setEditText(monthName(today.month()));
    }
    if (txtTargetYear->isEnabled())
        txtTargetYear->setText(QString::number(today.year()));
    if (TxtFdate->isEnabled())
        bindDateBox();
}

void MonthDateFilterForm::bindDateBox() {
    m_dateEntry.setTxtdate(TxtFdate, zv::fw::keyPreviewOf(this));
    if (TxtFdate->isEnabled())
        TxtFdate->setText(zv::db::toDisplayDate(serverDate()));
}

void MonthDateFilterForm::validateDateBox() {
    if (!TxtFdate->isVisible() || !TxtFdate->isEnabled())
        return;
    m_reportDate = m_dateCheck.validateDate(
        TxtFdate->text(), [this](const QString &code, const QString &prefix, const QString &suffix) { status(code, prefix, suffix); },
        QStringLiteral("dd/mm/yyyy"), true, QString(), QStringLiteral("Target Date"));
    if (m_reportDate.isEmpty() || m_reportDate == zv::dateinput::kMonthNameMask) {
        // The form's own message replaces the date object's.
        status(QStringLiteral("ZVE009"), QString(), QStringLiteral("Date"));
        focusIfAble(TxtFdate);
        setMousePointer(0);
        m_dateInvalid = true;
        return;
    }
    m_dateInvalid = false;
    TxtFdate->setText(zv::db::toDisplayDate(dateOfReport()));
}

bool MonthDateFilterForm::checkFilter() {
    if (TxtFdate->isEnabled()) {
        if (TxtFdate->text() == zv::dateinput::kMonthNameMask) {
            status(QStringLiteral("ZVE007"), m_captionPrefix + QStringLiteral("Date"));
            focusIfAble(TxtFdate);
            setMousePointer(0);
            return false;
        }
        validateDateBox();
        if (m_dateInvalid)
            return false;
    }
    if (cmbTargetMnth->isEnabled()) {
        if (utility.CheckNullText(cmbTargetMnth, &tlbFooter, m_captionPrefix + QStringLiteral("Month"), 0)) {
            setMousePointer(0);
            return false;
        }
        if (utility.CheckNullText(txtTargetYear, &tlbFooter, m_captionPrefix + QStringLiteral("Year"), 0)) {
            setMousePointer(0);
            return false;
        }
    }
    return true;
}

} // namespace zv::reports
