#include "frmDBPathSetting.h"
#include "DatabaseFiles.h"
#include "modCommon.h"
#include "platform/ui/MessageService.h"
#include "platform/ui/Ui.h"
#include "platform/ui/VbKeys.h"
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QToolBar>
#include <QVBoxLayout>
#include <optional>

using namespace modCommon;
using namespace zv::ui;

namespace {
const QString kResetCaption = QStringLiteral("Reset Production Database");
}

frmDBPathSetting::frmDBPathSetting(QWidget *parent)
    : AdminDialog(parent, QStringLiteral("frmDBPathSetting"), QStringLiteral("Production DB Path Setting")) {
    lblDBPath = new QLabel(QStringLiteral("Production DB Path"), this);
    lbltxtDBPath = new QLineEdit(this);
    lbltxtDBPath->setObjectName(QStringLiteral("lbltxtDBPath"));
    lbltxtDBPath->setReadOnly(true);
    lbltxtDBPath->setStyleSheet(QStringLiteral("QLineEdit { background-color: #e0e0e0; }"));
    lbltxtDBPath->setMinimumWidth(420);

    fraMsg = new QFrame(this);
    fraMsg->setObjectName(QStringLiteral("fraMsg"));
    fraMsg->setFrameShape(QFrame::StyledPanel);
    lblMsg = new QLabel(QStringLiteral("All Production data will be deleted and you will have an empty Database. "
                                       "Incase needed take a Backup of the Production Database before "
                                       "proceeding. Do you want to continue?"),
                        fraMsg);
    lblMsg->setWordWrap(true);
    auto *msgLayout = new QVBoxLayout(fraMsg);
    msgLayout->addWidget(lblMsg);

    makeToolbar();

    auto *pathRow = new QHBoxLayout;
    pathRow->addWidget(lblDBPath);
    pathRow->addWidget(lbltxtDBPath, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(pathRow);
    layout->addWidget(fraMsg);
    layout->addWidget(tlbOkCancel.bar);

    previewKeys();
    m_pathKeys.press = [this](int &k) {
        if (k == vbKey::Return && isResetMode()) {
            k = 0;
            ResetProductionDatabase();
        }
    };
    m_keys->setControlHandler(lbltxtDBPath, &m_pathKeys);
}

frmDBPathSetting::~frmDBPathSetting() = default;

bool frmDBPathSetting::isResetMode() const {
    // Opened without a mode (a database file was not found): only the path is shown.
    const QString mode = tag().trimmed();
    return !mode.isEmpty() && mode.toInt() == 0;
}

void frmDBPathSetting::ShowModal(QWidget *parent, bool resetMode) {
    frmDBPathSetting form(parent);
    form.setWindowTitle(resetMode ? kResetCaption : QStringLiteral("Production Database Path"));
    form.setTag(resetMode ? QStringLiteral("0") : QStringLiteral("1"));
    form.exec();
}

void frmDBPathSetting::showEvent(QShowEvent *event) {
    QDialog::showEvent(event);
    Form_Activate();
}

void frmDBPathSetting::Form_Activate() {
    lbltxtDBPath->setText(appFile(QString::fromLatin1(kProductionDb)));
    const bool reset = isResetMode();
    fraMsg->setVisible(reset);
    tlbOkCancel.bar->setVisible(reset);
    adjustSize();
}

void frmDBPathSetting::Form_KeyDown(int &KeyCode, int Shift) {
    (void)Shift;
    // While only the path is shown, F9 and F10 are swallowed and do nothing.
    zv::admin::okCancelKeyDown(KeyCode, this, [this](int index) {
        if (index == 3 || isResetMode())
            tlbOkCancel_ButtonClick(index);
    });
}

void frmDBPathSetting::tlbOkCancel_ButtonClick(int index) {
    switch (index) {
    case 1:
        ResetProductionDatabase();
        break;
    case 2:
        close();
        break;
    case 3:
        if (isResetMode())
            zv::admin::showHelpTopic(this, QStringLiteral("Html/ResetProdDB.htm"));
        break;
    default:
        break;
    }
}

bool frmDBPathSetting::IsTemplateDatabase() {
    return gConn && zv::admin::hasIdentity(*gConn);
}

// A reset that stops before the copy puts the program back on the production
// database: nothing may go on working on the template.
void frmDBPathSetting::leaveOnProduction() {
    const QString production = appFile(QString::fromLatin1(kProductionDb));
    if (gConn && gConn->isOpen() && !zv::admin::sameFile(gConn->path(), production))
        zv::admin::closeMainConnection();
    gDBPath = production;
}

void frmDBPathSetting::ResetProductionDatabase() {
    const QString destination = lbltxtDBPath->text().trimmed();
    if (destination.isEmpty())
        return;
    const QString templatePath = appFile(QString::fromLatin1(kTemplateDb));
    const QString destInUse = QStringLiteral("Can not reset, Destination Database in use. Please confirm all users "
                                             "are logged off before reset the Database.");
    const QString sourceInUse = QStringLiteral("Can not reset, Source Database in use. Please confirm all users are "
                                               "logged off before reset the Database.");
    std::optional<Hourglass> hourglass;
    auto cannotReset = [&](const QString &cause) {
        MsgBox(QStringLiteral("Cannot Reset. ") + cause, vbCritical, QStringLiteral("Error"));
        setWindowTitle(kResetCaption);
        hourglass.reset();
        leaveOnProduction();
    };
    try {
        gDBPath = templatePath;
        if (!CheckAppFiles()) {
            zv::admin::endOnMissingFiles();
            return;
        }
        zv::admin::closeMainConnection();
        if (const QString cause = zv::admin::unwritableLockFile({destination, templatePath}); !cause.isEmpty()) {
            cannotReset(cause);
            return;
        }
        if (zv::admin::inUseByAnyone(destination)) {
            MsgBox(destInUse, vbCritical, QStringLiteral("Error"));
            leaveOnProduction();
            return;
        }
        if (zv::admin::inUseByAnyone(gDBPath)) {
            MsgBox(sourceInUse, vbCritical, QStringLiteral("Error"));
            leaveOnProduction();
            return;
        }
        OpenDatabase();
        // Taken by another program after the checks above: it was said to be in
        // use when the open met the lock; a lock met by the identity check is told
        // here. Either way the template is in use, not damaged.
        if (LastOpenFoundInUse()) {
            leaveOnProduction();
            return;
        }
        if (!IsTemplateDatabase()) {
            if (gConn && gConn->isOpen() && zv::db::heldByAnother(gConn->path())) {
                MsgBox(sourceInUse, vbCritical, QStringLiteral("Error"));
                leaveOnProduction();
                return;
            }
            MsgBox(QStringLiteral("Some of the Application Folders/Files are corrupted. Exiting the Application."),
                   vbCritical, QStringLiteral("Error"));
            zv::admin::endProgramClosingConnections();
            return;
        }
        if (MsgBox(QStringLiteral("Are you sure to reset the Database?"), vbYesNo + vbQuestion + vbDefaultButton2,
                   kResetCaption) != vbYes) {
            leaveOnProduction();
            return;
        }
        if (zv::admin::sameFile(destination, gDBPath)) {
            leaveOnProduction();
            return;
        }
        hourglass.emplace();
        setWindowTitle(QStringLiteral("Please wait Reset Database in progress..."));
        zv::admin::closeMainConnection();
        // Someone may have opened it while the question was up. Its lock is
        // held through the copy, so nobody starts on it meanwhile.
        zv::db::FileHold hold(destination, zv::db::FileHold::Kind::Write);
        if (hold.inUse() || zv::db::databaseInUse(destination)) {
            hourglass.reset();
            setWindowTitle(kResetCaption);
            MsgBox(destInUse, vbCritical, QStringLiteral("Error"));
            leaveOnProduction();
            return;
        }
        const QString templateFile = gDBPath;
        runInBackground(QStringLiteral("Resetting the Production Database ..."), [&](std::atomic<int> &percent) {
            zv::admin::copyDatabaseFile(templateFile, destination, true, &percent);
        });
        hold.release();
        gDBPath = destination;
        // The new file is a sound production database: the restricted menus go.
        gDBInvalid = false;
        EnableMainMenus();
        setWindowTitle(kResetCaption);
        hourglass.reset();
        MsgBox(QStringLiteral("Production Database is reset"), vbInformation, QStringLiteral("Information"));
        if (!gConnOpen)
            OpenDatabase();
        zv::admin::reloadPeriod();
        close();
    } catch (const std::exception &e) {
        cannotReset(zv::admin::copyFailureCause(e));
    }
}
