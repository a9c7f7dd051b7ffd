#include "MasterForm.h"
#include "core/modCommon.h"
#include "framework/FormKeys.h"
#include "platform/db/ErrorText.h"
#include "platform/ui/MessageService.h"
#include "platform/ui/VbKeys.h"
#include <QCloseEvent>

using namespace zv::ui;

namespace zv::fw {

MasterForm::MasterForm(const QString &caption, QWidget *parent, FormServices services)
    : DataForm(caption, parent, std::move(services)) {}

MasterForm::~MasterForm() = default;

void MasterForm::tlbHeader_HeaderClick(const QString &Key) {
    clearStatus();
    if (!headerKeyAllowed(Key))
        return;
    // A key pressed during an edit (Help) leaves the edit open when it fails.
    const bool editing = DataForm::isEditing();
    tellingFailures([&] {
        try {
            runHeaderKey(Key);
        } catch (const zv::db::DbError &e) {
            if (e.number() == zv::db::err::RelatedRows) {
                status(QStringLiteral("ZVE030"));
                return;
            }
            backFromFailure(editing);
            throw;
        } catch (...) {
            backFromFailure(editing);
            throw;
        }
    });
}

void MasterForm::backFromFailure(bool wasEditing) {
    releaseRowLock();
    if (!wasEditing)
        setMode(Mode::None);
}

void MasterForm::applyAdminRule(bool withModifyDelete) {
    tlbHeader.setAddEnable(modCommon::gIsAdmin);
    if (withModifyDelete || !modCommon::gIsAdmin) {
        tlbHeader.setModifyEnable(modCommon::gIsAdmin);
        tlbHeader.setDeleteEnable(modCommon::gIsAdmin);
    }
}

void MasterForm::setFieldOpen(QWidget *field, bool open) {
    static const QString openStyle = QStringLiteral("QLineEdit { background-color: #FFFFFF; }");
    static const QString closedStyle = QStringLiteral("QLineEdit { background-color: #E0E0E0; }");
    field->setEnabled(open);
    field->setStyleSheet(open ? openStyle : closedStyle);
}

void MasterForm::emptyView() {
    UsrInitializeAllFields();
    utility.ActivateHeaderToolBar(&tlbHeader);
    utility.ActivateFooterToolBar(&tlbFooter);
}

void MasterForm::showSaved(const QString &code) {
    utility.ToolBarsForFilter(&tlbHeader, &tlbFooter);
    status(code);
    UsrSetFieldsToDisableMode();
}

void MasterForm::requireRowLock() const {
    if (!rowLocked())
        throw zv::db::DbError(zv::db::err::GeneralFailure, QStringLiteral("The row is not locked for editing."));
}

void MasterForm::requireOneRowChanged(int changed) {
    if (changed != 1)
        throw zv::db::DbError(zv::db::err::NoCurrentRecord, QStringLiteral("The row has gone."));
}

void MasterForm::backToView(const QString &code) {
    refresh();
    if (!code.isEmpty())
        status(code);
    setMode(Mode::None);
}

bool MasterForm::lockForModify(const QString &table, const std::function<bool()> &stillThere) {
    if (!takeRowLock(table, keyValue())) {
        backToView(QStringLiteral("ZVE027"));
        return false;
    }
    // It may have gone before the lock was ours.
    if (!stillThere()) {
        releaseRowLock();
        backToView(QStringLiteral("ZVE035"));
        return false;
    }
    return true;
}

void MasterForm::showHelpKeepingEdit(const QString &topic) {
    showHelp(topic);
    setMode(mode());
}

bool MasterForm::probeTable() {
    const QString sql = probeSql();
    if (sql.isEmpty())
        return true;
    try {
        db().query(sql);
        return true;
    } catch (const std::exception &e) {
        // Only a damaged file or a missing table answers "no": a file another
        // program holds is sound and goes to the error path as it is.
        if (!zv::db::isDamage(e))
            throw;
        return false;
    }
}

bool MasterForm::readsOrEnd(const std::function<void()> &reads, bool endWhenNotDamage) {
    try {
        reads();
        return true;
    } catch (const std::exception &e) {
        if (zv::db::isDamage(e)) {
            showCorrupted();
        } else {
            showFailure(e);
            if (endWhenNotDamage)
                unloadSoon();
        }
        return false;
    }
}

bool MasterForm::probeOrEnd() {
    return readsOrEnd([this] {
        if (!probeTable())
            throw zv::db::DbError(zv::db::err::GeneralFailure, QStringLiteral("The table cannot be read."));
    });
}

void MasterForm::showCorrupted() {
    MsgBox(kCorrupted, vbOKOnly + vbCritical, QStringLiteral("Error"));
    modCommon::gDBPath.clear();
    unloadSoon();
}

void MasterForm::Form_Activate() { probeOrEnd(); }

} // namespace zv::fw
