#include "frmCheckPswd.h"
#include "SystemStore.h"
#include "modCommon.h"
#include "platform/db/DbError.h"
#include "platform/ui/MessageService.h"
#include "platform/ui/PasswordBox.h"
#include "platform/ui/VbKeys.h"
#include <QCloseEvent>
#include <QFileInfo>
#include <QFormLayout>
#include <QLineEdit>
#include <QToolBar>
#include <QVBoxLayout>

using namespace modCommon;
using namespace zv::ui;

const QString &frmCheckPswd::RefusedCharacters() {
    static const QString refused = QStringLiteral("~!@#$%^&*()_-+=\\{}[]\":;<>/?,.");
    return refused;
}

frmCheckPswd::frmCheckPswd(QWidget *parent)
    : AdminDialog(parent, QStringLiteral("frmCheckPswd"), QStringLiteral("Security Check")) {
    txtPassword = new PasswordBox(this);
    txtPassword->setObjectName(QStringLiteral("txtPassword"));
    txtPassword->setMaxLength(8);
    makeToolbar();

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Admin Password*"), txtPassword);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(tlbOkCancel.bar);

    previewKeys();
    m_boxKeys.down = [this](int &k, int) {
        if (k == vbKey::Return) {
            k = 0;
            CheckPassword();
        }
    };
    m_boxKeys.press = [](int &k) {
        if (k >= 32 && RefusedCharacters().contains(QChar(k)))
            k = 0;
    };
    m_keys->setControlHandler(txtPassword, &m_boxKeys);
    zv::ui::refusePaste(txtPassword);
    Form_Load();
}

frmCheckPswd::~frmCheckPswd() = default;

void frmCheckPswd::Form_Load() {
    m_validated = false;
    m_unloaded = false;
    txtPassword->clear();
}

bool frmCheckPswd::UsrCheckShowForm(QString &text) {
    m_text = text;
    Form_Load();
    exec();
    return m_validated;
}

bool frmCheckPswd::Ask(QString &text, QWidget *parent) {
    frmCheckPswd prompt(parent);
    return prompt.UsrCheckShowForm(text);
}

void frmCheckPswd::showEvent(QShowEvent *event) {
    QDialog::showEvent(event);
    zv::ui::placeWindow(this);
    txtPassword->setFocus();
}

void frmCheckPswd::tlbOkCancel_ButtonClick(int index) {
    switch (index) {
    case 1:
        CheckPassword();
        break;
    case 2:
        close();
        break;
    case 3:
        // The program's own help file holds the prompt's page (the help file
        // the prompt once named was never shipped with the program).
        zv::admin::showHelpTopic(this, QStringLiteral("Html/AdminPasswordPrompt.htm"));
        break;
    default:
        break;
    }
}

void frmCheckPswd::CheckPassword() {
    if (m_validated)
        return;
    const QString typed = txtPassword->text().trimmed();
    if (typed.isEmpty()) {
        MsgBox(QStringLiteral("Admin Password has to be entered"), vbInformation, QStringLiteral("Information"));
        txtPassword->setFocus();
        return;
    }
    QString stored;
    try {
        // A system database that does not open has been told: no password to compare.
        if ((!gSysConn || !gSysConn->isOpen()) && OpenSystemDatabase() != zv::db::OpenOutcome::Opened)
            return;
        stored = zv::core::SystemStore(*gSysConn).storedPassword().value_or(QVariant()).toString();
    } catch (const zv::db::DbError &e) {
        ShowErrorMessage(&e);
        return;
    }
    const QString decoded = DecodePassword(stored);
    if (decoded.isNull() || decoded != typed) {
        if (txtPassword->isVisible() && txtPassword->isEnabled())
            txtPassword->setFocus();
        MsgBox(QStringLiteral("Invalid Password"), vbCritical, QStringLiteral("Error"));
        txtPassword->selectAll();
        m_validated = false;
        return;
    }
    m_validated = true;
    close();
}

void frmCheckPswd::closeEvent(QCloseEvent *event) {
    if (!m_validated && !zv::admin::confirmExit(true)) {
        event->ignore();
        return;
    }
    unload(event, m_validated ? QDialog::Accepted : QDialog::Rejected);
}
