#include "ReportForm.h"
#include "platform/ui/ErrorBox.h"
#include "core/modCommon.h"
#include "core/FormRegistry.h"
#include "platform/db/DbError.h"
#include "platform/db/ErrorText.h"
#include "platform/ui/MessageService.h"
#include "platform/ui/Ui.h"
#include "platform/ui/VbKeys.h"
#include <QApplication>
#include <QLabel>

using namespace zv::ui;

namespace zv::fw {

ReportForm::ReportForm(QWidget *parent, FormServices services) : FormBase(QString(), parent, std::move(services)) {
    lblStatus->setText(QStringLiteral("Status Value"));
    lblStatus->setWordWrap(true);
    resize(480, 360);
}

void ReportForm::setUpToolbars() {
    FormBase::setUpToolbars(tlbHeader, {"Add", "Modify", "Delete", "Attachment", "Select", "Refresh", "Help", "Exit"},
                            FooterButtons{.reset = true});
    utility.ActivateHeaderToolBar(&tlbHeader);
    utility.ActivateFooterToolBar(&tlbFooter);
    tlbHeader.setAddVisible(false);
    tlbHeader.setModifyVisible(false);
    tlbHeader.setDeleteVisible(false);
    tlbHeader.setAttachmentVisible(false);
    tlbHeader.setAttachmentEnable(false);
    tlbHeader.setFilterVisible(false);
    tlbHeader.setRefreshVisible(false);
    tlbHeader.setHelpVisible(false);
    tlbHeader.setExitEnable(true);
    tlbFooter.setRightToolbarVisible(true);
    tlbFooter.setResetVisible(false);
}

void ReportForm::tlbHeader_HeaderClick(const QString &Key) { runHeaderKey(Key); }

void ReportForm::progressStep(const QString &code) {
    clearStatus();
    DoEvents();
    DoEvents();
    status(code, QStringLiteral("Report is "));
    setMousePointer(11);
    // Out of the current control and back: what is being typed is taken.
    if (QWidget *w = QApplication::focusWidget(); w && w->window() == this) {
        sendTab(w);
        w->setFocus(Qt::BacktabFocusReason);
    }
    DoEvents();
}

void ReportForm::footerStep(const QString &Key, const QString &progressCode) {
    progressStep(progressCode);
    if (Key == QLatin1String("Ok")) {
        Ok();
        return;
    }
    setMousePointer(0);
    if (Key == QLatin1String("Cancel")) {
        clearStatus();
        unloadForm();
    }
}

bool ReportForm::exitConfirmed(const QString &title) {
    return MsgBox(QStringLiteral("Do you want to exit?"), vbYesNo + vbQuestion + vbDefaultButton2, title) == vbYes;
}

void ReportForm::unloadForm(bool ask) {
    if (unloading() || (ask && !Form_QueryUnload()))
        return;
    unload();
}

void ReportForm::Form_KeyDown(int &KeyCode, int Shift) {
    if (KeyCode == vbKey::Escape) {
        KeyCode = 0;
        unloadForm();
    } else if (KeyCode == vbKey::Home && Shift == vbShiftMask::Ctrl && m_passwordKey) {
        KeyCode = 0;
        zv::forms::showModal(zv::forms::names::frmChangePswd, this);
    }
}

void ReportForm::showFailure(const std::exception &e) {
    setMousePointer(0);
    zv::ui::ErrorBox(e, zv::db::ErrorLayout::NumberFirst, vbOKOnly);
}

} // namespace zv::fw
