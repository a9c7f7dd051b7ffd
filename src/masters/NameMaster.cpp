#include "NameMaster.h"
#include "core/modCommon.h"
#include "framework/TextRules.h"
#include "platform/db/ErrorText.h"
#include "platform/ui/MessageService.h"
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

using namespace zv::ui;
using zv::db::DbError;
using zv::fw::kDeleteRecord;

namespace zv::masters {

NameMaster::NameMaster(NameMasterSpec spec, QWidget *parent, zv::fw::FormServices services)
    : MasterForm(spec.caption, parent, std::move(services)), m_spec(std::move(spec)) {
    setObjectName(m_spec.caption);
    auto *row = new QHBoxLayout;
    lblCountryName = new QLabel(m_spec.fieldCaption + QLatin1Char('*'), Frame1);
    lblCountryName->setObjectName(QStringLiteral("lblCountryName"));
    txtName = new QLineEdit(Frame1);
    txtName->setObjectName(m_spec.boxName);
    txtName->setMaxLength(40);
    row->addWidget(lblCountryName);
    row->addWidget(txtName, 1);
    fieldArea()->addLayout(row);
    resize(480, 200);

    // Load
    dbOpen();
    setUpToolbars({"Add", "Modify", "Delete", "Attachment", "Separator", "Select", "Refresh", "Separator", "Help",
                   "Exit"});
    filterKeys(txtName, KeyFilter::Text, punctuationList());
    zv::fw::refuseOverlongPaste(txtName);
    connect(txtName, &QLineEdit::textChanged, this, [this] { clearStatus(); });
    utility.ActivateHeaderToolBar(&tlbHeader);
    utility.ActivateFooterToolBar(&tlbFooter);
    tlbHeader.setAttachmentVisible(false);
    tlbHeader.setAttachmentEnable(false);
    UsrSetFieldsToDisableMode();
    utility.UsrSetValue();
    applyAdminRule(false);
}

NameMaster::~NameMaster() = default;

QString NameMaster::probeSql() const { return NameStore::probeStatement(m_spec.rows); }

QString NameMaster::escQuestion() const {
    return saveChangesQuestion(m_spec.caption);
}

QString NameMaster::closeQuestion() const {
    return saveChangesQuestion(m_spec.caption, true);
}

// ---------------------------------------------------------------- field states

void NameMaster::UsrInitializeAllFields() { txtName->clear(); }

void NameMaster::UsrSetFieldsToAddMode() {
    setFieldOpen(txtName, true);
    txtName->setFocus();
}

void NameMaster::UsrSetFieldsToDisableMode() {
    setFieldOpen(txtName, false);
}

bool NameMaster::UsrRefreshScreen() {
    const std::optional<QString> name = store().name(keyValue().toLongLong());
    if (!name) {
        emptyView();
        applyAdminRule(false);
        status(QStringLiteral("ZVE034"));
        return false;
    }
    txtName->setText(*name);
    return true;
}

bool NameMaster::rowExists() { return store().exists(keyValue().toLongLong()); }

// A read that fails ends the key: unknown is neither protected nor free.
bool NameMaster::rowProtected() { return store().isProtected(keyValue().toLongLong()); }

bool NameMaster::UsrLockRecord() { return !takeRowLock(m_spec.rows.table, keyValue()); }

bool NameMaster::UsrIsReferenced() { return store().inUse(keyValue().toLongLong()); }

// ---------------------------------------------------------------- header

void NameMaster::add() {
    m_currentKey = QStringLiteral("0");
    setMode(Mode::Add);
    utility.ToolBarsForAdd(&tlbHeader, &tlbFooter);
    UsrInitializeAllFields();
    UsrSetFieldsToAddMode();
}

void NameMaster::help() { showHelp(m_spec.helpTopic); }

void NameMaster::modify() {
    if (!rowExists()) {
        backToView(QStringLiteral("ZVE035"));
        return;
    }
    if (rowProtected()) {
        status(QStringLiteral("ZVE160"));
        return;
    }
    setMode(Mode::Modify);
    if (!lockForModify(m_spec.rows.table, [this] { return rowExists(); }))
        return;
    // The name on file is read before the toolbars change: a failed read leaves them as they were.
    if (!UsrRefreshScreen()) {
        releaseRowLock();
        setMode(Mode::Select);
        return;
    }
    utility.ToolBarsForModify(&tlbHeader, &tlbFooter);
    UsrSetFieldsToModifyMode();
}

void NameMaster::remove() {
    if (!rowExists()) {
        backToView();
        return;
    }
    if (rowProtected()) {
        status(QStringLiteral("ZVE161"));
        return;
    }
    if (UsrIsReferenced()) {
        status(QStringLiteral("ZVE030"));
        return;
    }
    if (!confirmDelete(kDeleteRecord))
        return;
    if (!rowExists()) {
        backToView();
        return;
    }
    if (UsrLockRecord()) {
        status(QStringLiteral("ZVE028"));
        return;
    }
    try {
        store().remove(keyValue().toLongLong());
    } catch (...) {
        releaseRowLock();
        throw;
    }
    releaseRowLock();
    utility.ActivateHeaderToolBar(&tlbHeader);
    applyAdminRule(false);
    UsrInitializeAllFields();
    UsrSetFieldsToDisableMode();
    status(QStringLiteral("ZVE008"));
}

void NameMaster::select() {
    const QStringList chosen = ShowGeneralFilter(m_spec.screenKey);
    if (!chosen.isEmpty() && !chosen.at(0).isEmpty()) {
        m_currentKey = chosen.at(0);
        txtName->setText(chosen.value(1));
        utility.ToolBarsForFilter(&tlbHeader, &tlbFooter);
        applyAdminRule(true);
    }
}

// ---------------------------------------------------------------- footer

void NameMaster::tlbFooter_FooterClick(const QString &Key) {
    if (Key == QLatin1String("Ok")) {
        if (refuseInvalidCharacters())
            return;
        bool saved = false;
        if (mode() == Mode::Add) {
            if (UsrValidateScreenFieldsAddMode())
                return;
            saved = UsrInsertRecord();
        } else if (mode() == Mode::Modify) {
            if (UsrValidateScreenFieldsModifyMode())
                return;
            saved = UsrUpdateRecord();
        }
        // A save that failed stays in its mode with the failure shown.
        if (saved)
            setMode(Mode::Select);
    } else if (Key == QLatin1String("Cancel")) {
        if (mode() == Mode::Add) {
            emptyView();
            applyAdminRule(false);
            UsrSetFieldsToDisableMode();
        } else if (mode() == Mode::Modify) {
            UsrRefreshScreen();
            utility.ToolBarsForFilter(&tlbHeader, &tlbFooter);
            applyAdminRule(true);
            UsrSetFieldsToDisableMode();
            releaseRowLock();
        }
        setMode(Mode::Select);
    } else if (Key == QLatin1String("Reset")) {
        if (mode() == Mode::Add)
            UsrInitializeAllFields();
        else if (mode() == Mode::Modify)
            UsrRefreshScreen();
        clearStatus();
    }
}

bool NameMaster::refuseInvalidCharacters() {
    return !txtName->text().trimmed().isEmpty() && zv::fw::refuseInvalidCharacters(txtName);
}

bool NameMaster::duplicateName(bool modifying) {
    try {
        const auto except = modifying ? std::optional<qint64>(keyValue().toLongLong()) : std::nullopt;
        if (!store().nameTaken(txtName->text(), except))
            return false;
    } catch (const std::exception &e) {
        // Unknown is never "free": the save ends, told as a failed save.
        saveFailed(e, [&] { modCommon::ShowErrorMessage(e); });
        return true;
    }
    status(QStringLiteral("ZVE006"), m_spec.fieldCaption);
    focusIfUsable(txtName);
    return true;
}

bool NameMaster::UsrValidateScreenFieldsAddMode() {
    if (utility.CheckNullText(txtName, &tlbFooter, m_spec.fieldCaption, 1))
        return true;
    return duplicateName(false);
}

bool NameMaster::UsrValidateScreenFieldsModifyMode() {
    if (utility.CheckNullText(txtName, &tlbFooter, m_spec.fieldCaption, 1))
        return true;
    return duplicateName(true);
}

bool NameMaster::UsrInsertRecord() {
    try {
        m_currentKey = QString::number(store().insert(txtName->text().trimmed()));
    } catch (const std::exception &e) {
        saveFailed(e, QStringLiteral("ZVE004"));
        return false;
    }
    utility.UsrSetValue();
    showSaved(QStringLiteral("ZVE003"));
    applyAdminRule(true);
    return true;
}

bool NameMaster::UsrUpdateRecord() {
    try {
        requireRowLock();
        requireOneRowChanged(store().rename(keyValue().toLongLong(), txtName->text()));
    } catch (const std::exception &e) {
        saveFailed(e, QStringLiteral("ZVE035"));
        return false;
    }
    releaseRowLock();
    utility.UsrSetValue();
    showSaved(QStringLiteral("ZVE002"));
    applyAdminRule(true);
    return true;
}

bool NameMaster::saveBeforeClose() {
    // A save that fails keeps the form open with its status, like a failing check.
    if (mode() == Mode::Add)
        return !refuseInvalidCharacters() && !UsrValidateScreenFieldsAddMode() && UsrInsertRecord();
    if (mode() == Mode::Modify)
        return !refuseInvalidCharacters() && !UsrValidateScreenFieldsModifyMode() && UsrUpdateRecord();
    return true;
}

} // namespace zv::masters
