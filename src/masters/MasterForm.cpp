#include "MasterForm.h"
#include "core/modCommon.h"
#include "framework/FormKeys.h"
#include "platform/ui/MessageService.h"
#include "platform/ui/VbKeys.h"
#include <QCloseEvent>

using namespace zv::ui;

namespace zv::masters {

MasterForm::MasterForm(const QString &caption, QWidget *parent) : DataForm(caption, parent) {}

MasterForm::~MasterForm() = default;

bool MasterForm::isEditing() const { return !tlbHeader.ModifyEnable() && !tlbHeader.FilterEnable(); }

void MasterForm::applyAdminRule(bool withModifyDelete) {
    tlbHeader.setAddEnable(modCommon::gIsAdmin);
    if (withModifyDelete || !modCommon::gIsAdmin) {
        tlbHeader.setModifyEnable(modCommon::gIsAdmin);
        tlbHeader.setDeleteEnable(modCommon::gIsAdmin);
    }
}

bool MasterForm::probeTable() {
    const QString sql = probeSql();
    if (sql.isEmpty())
        return true;
    try {
        db().query(sql);
        return true;
    } catch (const std::exception &) {
        return false;
    }
}

void MasterForm::showCorrupted() {
    MsgBox(kCorrupted, vbOKOnly + vbCritical, QStringLiteral("Error"));
    modCommon::gDBPath.clear();
    unloadSoon();
}

void MasterForm::Form_Activate() {
    if (!probeTable())
        showCorrupted();
}

int MasterForm::saveQuestionIcon() const { return vbQuestion; }

void MasterForm::Form_KeyDown(int &KeyCode, int Shift) {
    (void)Shift;
    if (KeyCode != vbKey::Escape)
        return;
    KeyCode = 0;
    if (!isEditing()) {
        unload();
        return;
    }
    const int answer = MsgBox(escQuestion(), vbYesNoCancel + saveQuestionIcon(), QStringLiteral("Exit Confirmation"));
    if (answer == vbYes)
        escYes();
    else if (answer == vbNo)
        escNo();
}

void MasterForm::closeEvent(QCloseEvent *event) {
    if (unloading()) {
        event->accept();
        return;
    }
    if (isEditing()) {
        const int answer = MsgBox(closeQuestion(), vbYesNoCancel + saveQuestionIcon(), QStringLiteral("Exit Confirmation"));
        if (answer == vbCancel || (answer == vbYes && !saveBeforeClose())) {
            event->ignore();
            return;
        }
    }
    acceptClose(event);
}

} // namespace zv::masters
