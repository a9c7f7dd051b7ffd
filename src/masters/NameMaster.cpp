#include "NameMaster.h"
#include "core/modCommon.h"
#include "platform/ui/MessageService.h"
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

using namespace zv::ui;
using zv::db::DbError;
using zv::fw::kDeleteRecord;
using zv::fw::kInvalidCharacters;

namespace zv::masters {

NameMaster::NameMaster(NameMasterSpec spec, QWidget *parent)
    : MasterForm(spec.caption, parent), m_spec(std::move(spec)) {
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
    filterKeys(txtName, 3, punctuationList());
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

QString NameMaster::probeSql() const {
    QString columns = m_spec.keyColumn + QLatin1Char(',') + m_spec.nameColumn;
    if (m_spec.protectedRows)
        columns += QStringLiteral(",Edit_Allow");
    return QStringLiteral("select ") + columns + QStringLiteral(" from ") + m_spec.table + QStringLiteral(" where 1=2");
}

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
    try {
        auto rs = db().query(QStringLiteral("SELECT ") + m_spec.nameColumn + QStringLiteral(" FROM ") + m_spec.table +
                                 QStringLiteral(" WHERE ") + m_spec.keyColumn + QStringLiteral(" = ?"),
                             {keyValue()});
        if (rs.isEmpty()) {
            emptyView();
            applyAdminRule(false);
            status(QStringLiteral("ZVE034"));
            return false;
        }
        rs.moveFirst();
        txtName->setText(rs.text(m_spec.nameColumn));
        return true;
    } catch (const DbError &e) {
        modCommon::ShowErrorMessage(&e);
        return false;
    }
}

bool NameMaster::rowExists() {
    return utility.RecordExists(m_spec.table, QStringLiteral("WHERE ") + m_spec.keyColumn + QStringLiteral(" = ?"),
                                {keyValue()});
}

bool NameMaster::rowProtected() {
    if (!m_spec.protectedRows)
        return false;
    return utility.GetCodeNum(QStringLiteral("Edit_Allow"), keyValue(), m_spec.keyColumn, m_spec.table).toInt() == 1;
}

bool NameMaster::UsrLockRecord() { return !takeRowLock(m_spec.table, keyValue()); }

bool NameMaster::UsrIsReferenced() {
    try {
        return !db().query(QStringLiteral("SELECT 1 FROM Emp_Mast WHERE ") + m_spec.keyColumn +
                               QStringLiteral(" = ? LIMIT 1"),
                           {keyValue()})
                    .isEmpty();
    } catch (const DbError &e) {
        if (e.number() == zv::db::err::GeneralFailure)
            return true;
        modCommon::ShowErrorMessage(&e);
        return false;
    }
}

// ---------------------------------------------------------------- header

void NameMaster::tlbHeader_HeaderClick(const QString &Key) {
    clearStatus();
    try {
        runHeaderKey(Key);
    } catch (const DbError &e) {
        if (e.number() == zv::db::err::RelatedRows)
            status(QStringLiteral("ZVE030"));
    } catch (const std::exception &) {
    }
}

void NameMaster::add() {
    m_currentKey = QStringLiteral("0");
    m_mode = QStringLiteral("Add");
    utility.ToolBarsForAdd(&tlbHeader, &tlbFooter);
    UsrInitializeAllFields();
    UsrSetFieldsToAddMode();
    tlbHeader.setH_ButtonKey(1);
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
    m_mode = QStringLiteral("Modify");
    tlbHeader.setH_ButtonKey(1);
    if (!lockForModify(m_spec.table, [this] { return rowExists(); }))
        return;
    utility.ToolBarsForModify(&tlbHeader, &tlbFooter);
    UsrRefreshScreen();
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
        auto &c = db();
        zv::db::Transaction t(c);
        c.execute(QStringLiteral("DELETE FROM ") + m_spec.table + QStringLiteral(" WHERE ") + m_spec.keyColumn +
                      QStringLiteral(" = ?"),
                  {keyValue()});
        t.commit();
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
        if (m_mode == QLatin1String("Add")) {
            if (UsrValidateScreenFieldsAddMode())
                return;
            UsrInsertRecord();
        } else if (m_mode == QLatin1String("Modify")) {
            if (UsrValidateScreenFieldsModifyMode())
                return;
            UsrUpdateRecord();
        }
        tlbHeader.setH_ButtonKey(5);
    } else if (Key == QLatin1String("Cancel")) {
        if (m_mode == QLatin1String("Add")) {
            emptyView();
            applyAdminRule(false);
            UsrSetFieldsToDisableMode();
        } else if (m_mode == QLatin1String("Modify")) {
            UsrRefreshScreen();
            utility.ToolBarsForFilter(&tlbHeader, &tlbFooter);
            applyAdminRule(true);
            UsrSetFieldsToDisableMode();
            releaseRowLock();
        }
        tlbHeader.setH_ButtonKey(5);
    } else if (Key == QLatin1String("Reset")) {
        if (m_mode == QLatin1String("Add"))
            UsrInitializeAllFields();
        else if (m_mode == QLatin1String("Modify"))
            UsrRefreshScreen();
        clearStatus();
        tlbHeader.setH_ButtonKey(1);
    }
}

bool NameMaster::refuseInvalidCharacters() {
    const QString text = txtName->text();
    if (text.trimmed().isEmpty())
        return false;
    int at = text.indexOf(QLatin1Char('\''));
    if (at < 0)
        at = text.indexOf(QLatin1Char('|'));
    if (at < 0)
        return false;
    MsgBox(kInvalidCharacters, vbInformation, QStringLiteral("Information"));
    txtName->setSelection(at, 1);
    txtName->setFocus();
    return true;
}

bool NameMaster::duplicateName(bool modifying) {
    if (!valueTaken(m_spec.table, m_spec.nameColumn, txtName->text(), m_spec.keyColumn, modifying,
                    m_spec.fieldCaption))
        return false;
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
        auto &c = db();
        c.execute(QStringLiteral("INSERT INTO ") + m_spec.table + QStringLiteral(" (") + m_spec.nameColumn +
                      QStringLiteral(") VALUES (?)"),
                  {txtName->text().trimmed()});
        m_currentKey = QString::number(c.lastInsertId());
    } catch (const std::exception &) {
        status(QStringLiteral("ZVE004"));
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
        requireOneRowChanged(db().execute(QStringLiteral("UPDATE ") + m_spec.table + QStringLiteral(" SET ") +
                                              m_spec.nameColumn + QStringLiteral(" = ? WHERE ") + m_spec.keyColumn +
                                              QStringLiteral(" = ?"),
                                          {txtName->text(), keyValue()}));
    } catch (const std::exception &) {
        status(QStringLiteral("ZVE035"));
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
    if (m_mode == QLatin1String("Add"))
        return !refuseInvalidCharacters() && !UsrValidateScreenFieldsAddMode() && UsrInsertRecord();
    if (m_mode == QLatin1String("Modify"))
        return !refuseInvalidCharacters() && !UsrValidateScreenFieldsModifyMode() && UsrUpdateRecord();
    return true;
}

} // namespace zv::masters
