#include "frmChangePswd.h"
#include "SystemStore.h"
#include "modCommon.h"
#include "platform/db/DbError.h"
#include "platform/ui/MessageService.h"
#include "platform/ui/PasswordBox.h"
#include "platform/ui/VbKeys.h"
#include <QCloseEvent>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QToolBar>
#include <QVBoxLayout>

using namespace modCommon;
using namespace zv::ui;

namespace {

QLineEdit *passwordBox(QWidget *parent, const char *name) {
    auto *box = new PasswordBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setMaxLength(8);
    zv::ui::refusePaste(box);
    return box;
}

} // namespace

const QString &frmChangePswd::RefusedCharacters() {
    static const QString refused = QStringLiteral("~!@#$%^&*()_+{}:\"<>?`-=\\[];,./");
    return refused;
}

bool frmChangePswd::IsUsablePassword(const QString &password) {
    // The login box refuses blanks, quotes and bars, and the stored form holds 8-bit codes only.
    for (QChar c : password)
        if (c == QLatin1Char(' ') || c == QLatin1Char('\'') || c == QLatin1Char('|'))
            return false;
    return CanEncodePassword(password);
}

frmChangePswd::frmChangePswd(QWidget *parent)
    : AdminDialog(parent, QStringLiteral("frmChangePswd"), QStringLiteral("Change Admin Password")) {
    txtOldPswd = passwordBox(this, "txtOldPswd");
    txtNewPswd = passwordBox(this, "txtNewPswd");
    txtConfirmPswd = passwordBox(this, "txtConfirmPswd");
    makeToolbar();

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Current Password*"), txtOldPswd);
    form->addRow(QStringLiteral("New Password*"), txtNewPswd);
    form->addRow(QStringLiteral("Re-enter New Password*"), txtConfirmPswd);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(tlbOkCancel.bar);

    previewKeys();
    m_boxKeys.press = [](int &k) {
        if (k < 32)
            return;
        const QChar c(k);
        if (RefusedCharacters().contains(c) || !IsUsablePassword(QString(c)))
            k = 0;
    };
    m_confirmKeys.press = [this](int &k) {
        m_boxKeys.press(k);
        if (k == vbKey::Return) {
            k = 0;
            tlbOkCancel_ButtonClick(1);
        }
    };
    m_keys->setControlHandler(txtOldPswd, &m_boxKeys);
    m_keys->setControlHandler(txtNewPswd, &m_boxKeys);
    m_keys->setControlHandler(txtConfirmPswd, &m_confirmKeys);
    m_done = false;
}

frmChangePswd::~frmChangePswd() = default;

void frmChangePswd::Form_KeyDown(int &KeyCode, int Shift) {
    m_done = false;
    AdminDialog::Form_KeyDown(KeyCode, Shift);
}

void frmChangePswd::tlbOkCancel_ButtonClick(int index) {
    switch (index) {
    case 1:
        ChangePassword();
        break;
    case 2:
        close();
        break;
    case 3:
        zv::admin::showHelpTopic(this, QStringLiteral("Html/ChangeAdminPassword.htm"));
        break;
    default:
        break;
    }
}

void frmChangePswd::focusAndSelect(QLineEdit *box) {
    if (box->isEnabled())
        box->setFocus();
    box->selectAll();
}

void frmChangePswd::ChangePassword() {
    const QString oldPswd = txtOldPswd->text().trimmed();
    const QString newPswd = txtNewPswd->text().trimmed();
    const QString confirm = txtConfirmPswd->text().trimmed();
    if (oldPswd.isEmpty()) {
        MsgBox(QStringLiteral("Enter Current Password"), vbInformation, QStringLiteral("Information"));
        focusAndSelect(txtOldPswd);
        return;
    }
    if (newPswd.isEmpty()) {
        MsgBox(QStringLiteral("Enter New Password"), vbInformation, QStringLiteral("Information"));
        focusAndSelect(txtNewPswd);
        return;
    }
    if (newPswd.size() < 4) {
        MsgBox(QStringLiteral("Password should not be less than 4 characters"), vbExclamation,
               QStringLiteral("Warning"));
        focusAndSelect(txtNewPswd);
        return;
    }
    if (!IsUsablePassword(newPswd)) {
        MsgBox(QStringLiteral("Password contains characters that can not be used"), vbExclamation,
               QStringLiteral("Warning"));
        focusAndSelect(txtNewPswd);
        return;
    }
    if (confirm.isEmpty()) {
        MsgBox(QStringLiteral("Re-enter New Password"), vbInformation, QStringLiteral("Information"));
        focusAndSelect(txtConfirmPswd);
        return;
    }
    if (confirm != newPswd) {
        MsgBox(QStringLiteral("Re-entered New Password and New Password does not match"), vbCritical,
               QStringLiteral("Error"));
        focusAndSelect(txtConfirmPswd);
        return;
    }
    try {
        if (!gSysConn || !gSysConn->isOpen())
            OpenSystemDatabase();
        if (!gSysConn || !gSysConn->isOpen())
            return;   // OpenSystemDatabase has said why
        zv::core::SystemStore store(*gSysConn);
        const std::optional<QVariant> scrambled = store.storedPassword();
        if (!scrambled) {
            focusAndSelect(txtOldPswd);
            MsgBox(QStringLiteral("Current Password is invalid"), vbCritical, QStringLiteral("Error"));
            return;
        }
        const QString stored = DecodePassword(scrambled->toString());
        if (stored.isNull() || stored != oldPswd) {
            MsgBox(QStringLiteral("Current Password is invalid"), vbCritical, QStringLiteral("Error"));
            focusAndSelect(txtOldPswd);
            return;
        }
        store.setPassword(EncodePassword(newPswd));
    } catch (const zv::db::DbError &e) {
        ShowErrorMessage(&e);
        return;
    }
    MsgBox(QStringLiteral("Password has been changed successfully"), vbInformation, QStringLiteral("Information"));
    m_done = true;
    close();
}

void frmChangePswd::closeEvent(QCloseEvent *event) {
    if (!m_done && !zv::admin::confirmExit()) {
        event->ignore();
        return;
    }
    unload(event);
}
