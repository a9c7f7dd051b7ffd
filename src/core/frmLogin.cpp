#include "frmLogin.h"
#include "platform/ui/ErrorBox.h"
#include "AdminForms.h"
#include "MDIZVS.h"
#include "SystemStore.h"
#include "modCommon.h"
#include "platform/ui/KeyPreview.h"
#include "platform/ui/MessageService.h"
#include "platform/ui/PasswordBox.h"
#include "platform/ui/StrokeIcon.h"
#include "platform/ui/Ui.h"
#include "platform/ui/VbKeys.h"
#include <QCloseEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QHBoxLayout>
#include <QToolButton>
#include <QVBoxLayout>

using namespace modCommon;
using namespace zv::ui;

namespace {

frmLogin *s_instance = nullptr;

const QString kError = QStringLiteral("Error");
const QString kInformation = QStringLiteral("Information");

// Form level: F9 is OK, F10 Cancel, Esc closes.
class FormKeys : public KeyHandler {
public:
    explicit FormKeys(frmLogin *form) : m_form(form) {}
    void KeyDown(int &KeyCode, int) override {
        switch (KeyCode) {
        case vbKey::F9:
            KeyCode = 0;
            m_form->tlbOkCancel_ButtonClick(1);
            break;
        case vbKey::F10:
            KeyCode = 0;
            m_form->tlbOkCancel_ButtonClick(2);
            break;
        case vbKey::Escape:
            KeyCode = 0;
            m_form->close();
            break;
        default:
            break;
        }
    }

private:
    frmLogin *m_form;
};

// Characters that have no place in a name or a password; Enter moves on (or logs in).
class BoxKeys : public KeyHandler {
public:
    BoxKeys(frmLogin *form, bool password) : m_form(form), m_password(password) {}
    void KeyPress(int &KeyAscii) override {
        if (KeyAscii == 39 || KeyAscii == 124 || (m_password && KeyAscii == 32)) {
            KeyAscii = 0;
        } else if (KeyAscii == vbKey::Return) {
            KeyAscii = 0;
            if (m_password)
                m_form->tlbOkCancel_ButtonClick(1);
            else
                sendTab(m_form->txtUserName);
        }
    }

private:
    frmLogin *m_form;
    bool m_password;
};

} // namespace

frmLogin *frmLogin::instance() {
    if (!s_instance)
        s_instance = new frmLogin;
    return s_instance;
}

frmLogin *frmLogin::existingInstance() { return s_instance; }

void frmLogin::releaseInstance() {
    delete s_instance;
    s_instance = nullptr;
}

frmLogin::frmLogin(QWidget *parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmLogin"));
    setWindowTitle(QStringLiteral("Zorvane - Login"));
    setModal(true);

    // Two flat picture buttons in a row, as a toolbar shows them; a QToolBar
    // itself would be the costliest widget of the window the program starts with.
    tlbOkCancel = new QWidget(this);
    tlbOkCancel->setObjectName(QStringLiteral("tlbOkCancel"));
    auto *buttons = new QHBoxLayout(tlbOkCancel);
    buttons->setContentsMargins(0, 0, 0, 0);
    buttons->setSpacing(2);
    auto addButton = [&](const QString &key, const QString &text, const QString &tip) {
        // Drawn by the painter: the SVG engine would be the costliest library the login loads.
        auto *action = new QAction(strokeIcon(key), text, this);
        action->setToolTip(tip);
        auto *button = new QToolButton(tlbOkCancel);
        button->setObjectName(key);
        button->setAutoRaise(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->setIconSize(QSize(24, 24));
        button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        button->setDefaultAction(action);
        buttons->addWidget(button);
        return action;
    };
    btnOk = addButton(QStringLiteral("Ok"), QStringLiteral("OK"), QStringLiteral("OK - F9"));
    btnCancel = addButton(QStringLiteral("Cancel"), QStringLiteral("Cancel"), QStringLiteral("Cancel - F10"));
    buttons->addStretch(1);
    connect(btnOk, &QAction::triggered, this, zv::ui::asAction([this] { tlbOkCancel_ButtonClick(1); }));
    connect(btnCancel, &QAction::triggered, this, zv::ui::asAction([this] { tlbOkCancel_ButtonClick(2); }));

    txtUserName = new QLineEdit(QStringLiteral("Admin"), this);
    txtUserName->setObjectName(QStringLiteral("txtUserName"));
    txtUserName->setMaxLength(8);
    txtPassword = new PasswordBox(this);
    txtPassword->setObjectName(QStringLiteral("txtPassword"));
    txtPassword->setMaxLength(20);

    auto *fields = new QGridLayout;
    fields->addWidget(new QLabel(QStringLiteral("User Name"), this), 0, 0);
    fields->addWidget(txtUserName, 0, 1);
    fields->addWidget(new QLabel(QStringLiteral("Password*"), this), 1, 0);
    fields->addWidget(txtPassword, 1, 1);
    fields->setColumnMinimumWidth(1, 180);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(tlbOkCancel);
    setTabOrder(txtUserName, txtPassword);

    m_formKeys = std::make_unique<FormKeys>(this);
    m_userKeys = std::make_unique<BoxKeys>(this, false);
    m_passwordKeys = std::make_unique<BoxKeys>(this, true);
    m_keys = new KeyPreview(this);
    m_keys->addFormHandler(m_formKeys.get());
    m_keys->setControlHandler(txtUserName, m_userKeys.get());
    m_keys->setControlHandler(txtPassword, m_passwordKeys.get());
}

frmLogin::~frmLogin() {
    delete m_keys;
    m_keys = nullptr;
    if (s_instance == this)
        s_instance = nullptr;
}

void frmLogin::tlbOkCancel_ButtonClick(int button) {
    if (button == 1) {
        login();
        return;
    }
    mLoginSucceeded = false;
    close();
}

void frmLogin::giveFocus(QLineEdit *box) {
    if (box->isEnabled() && box->isVisible()) {
        box->setFocus(Qt::OtherFocusReason);
        box->selectAll();
    }
}

void frmLogin::login() {
    // The file the step at hand reads, for an in-use message.
    QString reading = appFile(QString::fromLatin1(kSystemDb));
    try {
        if (txtUserName->text().trimmed().isEmpty()) {
            MsgBox(QStringLiteral("Enter a User Name"), vbInformation, kInformation);
            giveFocus(txtUserName);
            return;
        }
        const QString password = txtPassword->text().trimmed();
        if (password.isEmpty()) {
            MsgBox(QStringLiteral("Enter a Password "), vbInformation, kInformation);
            giveFocus(txtPassword);
            return;
        }
        if (!CheckAppFiles()) {
            MsgBox(QStringLiteral("Some of the Application Folders/Files are missing. Exiting the Application."),
                   vbCritical, kError);
            EndProgram();
            return;
        }
        if (!gSysOpen) {
            OpenSystemDatabase();
            if (programEnded() || !gSysOpen)
                return;
        }

        // The template database must be sound before anything else is trusted.
        gDBPath = appFile(QString::fromLatin1(kTemplateDb));
        if (OpenMainConnection() == zv::db::OpenOutcome::InUse || programEnded())
            return;
        const bool systemTableSound = CheckSystemTable();
        reading = gDBPath;
        if (!systemTableSound || !CheckDatabaseIdentity()) {
            MsgBox(QStringLiteral("Some of the Application Folders/Files are corrupted. Exiting the Application."),
                   vbCritical, kError);
            EndProgram();
            return;
        }
        modCommon::CloseMainConnection();

        reading = appFile(QString::fromLatin1(kSystemDb));
        const std::optional<QVariant> stored = zv::core::SystemStore(*gSysConn).storedPassword();
        if (!stored) {
            giveFocus(txtPassword);
            MsgBox(QStringLiteral("Enter a valid Password"), vbCritical, kError);
            return;
        }
        // A stored value that cannot be descrambled (Null, too short, out of
        // range) matches no password: it is a wrong password, not a damaged install.
        const QString plain = stored->isNull() ? QString() : DecodePassword(stored->toString());
        if (plain.isNull() || plain != password) {
            MsgBox(QStringLiteral("Enter a valid Password"), vbCritical, kError);
            giveFocus(txtPassword);
            return;
        }

        // The production database is always the program's own, whatever ZV_SYS.DB_Path says.
        gDBPath = appFile(QString::fromLatin1(kProductionDb));
        reading = gDBPath;
        const zv::db::OpenOutcome production = OpenMainConnection();
        if (programEnded())
            return;
        // Held by another program: sound, so no repair is offered; OK again once it lets go.
        if (production == zv::db::OpenOutcome::InUse)
            return;
        if (production != zv::db::OpenOutcome::Opened) {
            // Not openable counts as invalid: only the repair entries stay open.
            gDBPath.clear();
            gDBInvalid = true;
        } else if (!CheckDatabaseIdentity()) {
            MsgBox(QStringLiteral("Production DataBase is corrupted. Please reset the Production Database."),
                   vbCritical, kError);
            gDBInvalid = true;
            CloseMainConnection();
            // The flag stays set, as this path has always left it: MainConnection()
            // reopens a closed connection whatever the flag says.
            gConnOpen = true;
            gDBPath.clear();
        }

        mLoginSucceeded = true;
        gIsAdmin = true;
        LoadPeriod();
        done(QDialog::Accepted);
        MDIZVS::instance()->show();
    } catch (const std::exception &e) {
        if (zv::db::isInUse(e)) {
            // Taken by another program after the open: sound, not corrupted.
            modCommon::CloseMainConnection();
            zv::ui::InUseBox(databaseName(reading));
            return;
        }
        MsgBox(QStringLiteral("Some of the Application Folders/Files are missing. Can not open the Application."),
               vbCritical, kError);
    }
}

void frmLogin::reject() {
    // Esc and the close box go through the close question.
    close();
}

void frmLogin::closeEvent(QCloseEvent *e) {
    if (!mLoginSucceeded) {
        const int answer = MsgBox(QStringLiteral("Do you want to exit?"), vbYesNo + vbQuestion + vbDefaultButton2,
                                  QStringLiteral("Exit Confirmation"));
        if (answer != vbYes) {
            e->ignore();
            return;
        }
        EndProgram();
    }
    e->accept();
    done(QDialog::Rejected);
}
