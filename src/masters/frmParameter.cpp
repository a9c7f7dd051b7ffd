#include "frmParameter.h"
#include "ParameterStore.h"
#include "core/MDIZVS.h"
#include "core/modCommon.h"
#include "dateinput/DateText.h"
#include "framework/FormKeys.h"
#include "platform/db/Dates.h"
#include "platform/ui/Ui.h"
#include <QEvent>
#include <QFocusEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>

using namespace zv::ui;
using zv::db::DbError;
using zv::dateinput::kMonthNameMask;

frmParameter::frmParameter(QWidget *parent, zv::fw::FormServices services)
    : MasterForm(QStringLiteral("Parameter"), parent, std::move(services)) {
    setObjectName(QStringLiteral("frmParameter"));
    fraTransaction = new QGroupBox(QStringLiteral("Transaction Period"), Frame1);
    fraTransaction->setObjectName(QStringLiteral("fraTransaction"));
    auto *form = new QFormLayout(fraTransaction);
    dtpStartPeriod = new QLineEdit(fraTransaction);
    dtpStartPeriod->setObjectName(QStringLiteral("dtpStartPeriod"));
    dtpEndPeriod = new QLineEdit(fraTransaction);
    dtpEndPeriod->setObjectName(QStringLiteral("dtpEndPeriod"));
    form->addRow(QStringLiteral("Start Date*"), dtpStartPeriod);
    form->addRow(QStringLiteral("End Date"), dtpEndPeriod);
    fieldArea()->addWidget(fraTransaction);
    resize(420, 220);

    // Load
    setUpToolbars({"Add", "Modify", "Attachment", "Delete", "Select", "Refresh", "Separator", "Help", "Exit"});
    m_startDate.setTxtdate(dtpStartPeriod, zv::fw::keyPreviewOf(this));
    m_endDate.setTxtdate(dtpEndPeriod, zv::fw::keyPreviewOf(this));
    dtpStartPeriod->setText(kMonthNameMask);
    dtpEndPeriod->setText(kMonthNameMask);
    connect(dtpStartPeriod, &QLineEdit::textChanged, this, [this] { dtpStartPeriod_Change(); });
    // Writing the derived end date clears whatever the footer said before.
    connect(dtpEndPeriod, &QLineEdit::textChanged, this, [this] { clearStatus(); });
    dtpStartPeriod->installEventFilter(this);

    utility.ActivateHeaderToolBar(&tlbHeader);
    utility.ActivateFooterToolBar(&tlbFooter);
    tlbHeader.setFilterVisible(false);
    UsrEnableButtons();
    SetFieldsToDisableMode();
    // Without the stored period there is nothing to change: the form ends as a failed open does.
    if (!tellingFailures([this] { CancelModify(); })) {
        unload();
        return;
    }
    tlbHeader.setRefreshEnable(true);
    tlbHeader.setAddEnable(false);
    tlbHeader.setAddVisible(false);
    tlbHeader.setDeleteEnable(false);
    tlbHeader.setDeleteVisible(false);
    tlbHeader.setAttachmentEnable(false);
    tlbHeader.setAttachmentVisible(false);
}

frmParameter::~frmParameter() = default;

void frmParameter::Form_Activate() {
    // Nothing else depends on this probe; its failure is told and the form stays.
    if (dbOpen())
        zv::masters::ParameterStore(db()).probe();
}

QString frmParameter::escQuestion() const {
    return saveChangesQuestion(windowTitle(), true);
}

void frmParameter::UsrEnableButtons() {
    tlbHeader.setModifyVisible(true);
    tlbHeader.setModifyEnable(true);
}

void frmParameter::UsrSetFieldsToAddMode() { dtpStartPeriod->setEnabled(true); }

void frmParameter::UsrSetFieldsToModifyMode() {
    setFieldOpen(dtpStartPeriod, true);
}

void frmParameter::SetFieldsToDisableMode() {
    setFieldsOpen({dtpStartPeriod, dtpEndPeriod}, false);
}

void frmParameter::CancelModify() {
    // Unread, the stored period is unknown: the edit stays open rather than
    // show typed dates as if they were on file.
    if (const auto period = zv::masters::ParameterStore(db()).period()) {
        dtpEndPeriod->setText(zv::db::isoToDisplay(period->end));
        dtpStartPeriod->setText(zv::db::isoToDisplay(period->start));
    }
    SetFieldsToDisableMode();
    tlbHeader.setModifyEnable(true);
    tlbHeader.setRefreshEnable(true);
    tlbHeader.setExitEnable(true);
    tlbFooter.setRightToolbarVisible(false);
}

bool frmParameter::startIsDate() const { return zv::db::fromDisplayDate(dtpStartPeriod->text()).isValid(); }

int frmParameter::startYear() const { return dtpStartPeriod->text().right(4).toInt(); }

void frmParameter::usrdatevalidate() {
    const QString result = m_checkDate.validateDate(
        dtpStartPeriod->text(),
        [this](const QString &code, const QString &prefix, const QString &suffix) { status(code, prefix, suffix); },
        QStringLiteral("dd/mm/yyyy"), true, QString(), QStringLiteral("Start Date"));
    m_validatedStart = result;
    if (!result.isEmpty() && result != kMonthNameMask && result != zv::dateinput::kMonthNameMaskSlashed) {
        m_invalidStart = false;
        const QString shown = zv::db::toDisplayDate(zv::dateinput::dateOfValidated(result));
        if (dtpStartPeriod->text() != shown)
            dtpStartPeriod->setText(shown);
        return;
    }
    // The form's own message replaces the date object's.
    if (result == kMonthNameMask)
        status(QStringLiteral("ZVE128"), QStringLiteral("Start Period"));
    else
        status(QStringLiteral("ZVE009"), QString(), QStringLiteral("Date"));
    focusIfUsable(dtpStartPeriod);
    setMousePointer(0);
    m_invalidStart = true;
}

bool frmParameter::deriveEndDate() {
    const int year = startYear();
    if (year >= 2000 && year <= 9998) {
        usrdatevalidate();
        const QDate start = zv::db::fromDisplayDate(dtpStartPeriod->text());
        dtpEndPeriod->setText(zv::db::toDisplayDate(zv::masters::periodEnd(start)));
        return true;
    }
    // No end date for a start that cannot be saved.
    dtpEndPeriod->setText(kMonthNameMask);
    clearStatus();
    if (year > 9998)
        status(QStringLiteral("ZVE019"), QStringLiteral("Year"), QStringLiteral("9998"));
    else
        status(QStringLiteral("ZVE029"), QStringLiteral("Year"), QStringLiteral("2000"));
    return false;
}

void frmParameter::dtpStartPeriod_Change() {
    if (m_inChange)
        return;
    m_inChange = true;
    // Typing is an action of its own: a status text that cannot be read is told here.
    tellingFailures([this] {
        if (!startIsDate()) {
            dtpEndPeriod->setText(kMonthNameMask);
            clearStatus();
            if (!dtpStartPeriod->text().contains(QLatin1Char('_'))) {
                clearStatus();
                usrdatevalidate();
            }
        } else {
            deriveEndDate();
        }
    });
    m_inChange = false;
}

bool frmParameter::eventFilter(QObject *watched, QEvent *event) {
    if (watched == dtpStartPeriod && event->type() == QEvent::FocusOut && dtpStartPeriod->isEnabled()) {
        const auto reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason || reason == Qt::MouseFocusReason) {
            tellingFailures([this] {
                usrdatevalidate();
                if (m_invalidStart)
                    status(QStringLiteral("ZVE009"), QString(), QStringLiteral("Date"));
            });
        }
    }
    return MasterForm::eventFilter(watched, event);
}

// ---------------------------------------------------------------- header and footer

void frmParameter::modify() {
    UsrSetFieldsToAddMode();
    setMode(Mode::Modify);
    utility.ToolBarsForModify(&tlbHeader, &tlbFooter);
    tlbFooter.setResetVisible(false);
    UsrSetFieldsToModifyMode();
    DoEvents();
    dtpStartPeriod->setFocus();
}

void frmParameter::help() { showHelp(QStringLiteral("Html/Parameter.htm")); }

bool frmParameter::UsrValidatePeriod() {
    usrdatevalidate();
    if (m_invalidStart) {
        status(QStringLiteral("ZVE009"), QString(), QStringLiteral("Date"));
        focusIfUsable(dtpStartPeriod);
        return false;
    }
    if (!startIsDate()) {
        dtpEndPeriod->setText(kMonthNameMask);
        clearStatus();
        return false;
    }
    deriveEndDate();
    return true;
}

bool frmParameter::okAfterCheck() {
    const int year = startYear();
    if (year < 2000 || year > 9998) {
        clearStatus();
        deriveEndDate();   // says which bound the year broke
        return false;
    }
    usrdatevalidate();
    deriveEndDate();
    if (mode() != Mode::Modify)
        return false;
    // A failed save stays in modify mode with the error shown: nothing was stored.
    if (!UsrSavePeriod())
        return false;
    utility.ToolBarsForFilter(&tlbHeader, &tlbFooter);
    setMode(Mode::Select);
    status(QStringLiteral("ZVE002"));
    UsrEnableButtons();
    SetFieldsToDisableMode();
    return true;
}

void frmParameter::tlbFooter_FooterClick(const QString &Key) {
    if (Key == QLatin1String("Ok")) {
        clearStatus();
        if (UsrValidatePeriod())
            okAfterCheck();
    } else if (Key == QLatin1String("Cancel")) {
        if (mode() == Mode::Modify)
            CancelModify();
        setMode(Mode::Select);
    }
}

bool frmParameter::UsrSavePeriod() {
    const QDate start = zv::db::fromDisplayDate(dtpStartPeriod->text());
    const QDate end = zv::db::fromDisplayDate(dtpEndPeriod->text());
    try {
        if (zv::masters::ParameterStore(db()).savePeriod(start, end) != 1)
            throw DbError(zv::db::err::NoCurrentRecord,
                          QStringLiteral("Either BOF or EOF is True, or the current record has been deleted."));
    } catch (const DbError &e) {
        saveFailed(e, [&] { modCommon::ShowErrorMessage(&e); });
        return false;
    }
    modCommon::gStartPeriod = zv::db::toDisplayDate(start);
    modCommon::gEndPeriod = zv::db::toDisplayDate(end);
    if (MDIZVS *main = MDIZVS::existingInstance())
        main->setWindowTitle(MDIZVS::CaptionText(modCommon::gStartPeriod, modCommon::gEndPeriod));
    return true;
}

void frmParameter::escYes() {
    if (UsrValidatePeriod())
        okAfterCheck();
}

bool frmParameter::saveBeforeClose() { return UsrValidatePeriod() && okAfterCheck(); }
