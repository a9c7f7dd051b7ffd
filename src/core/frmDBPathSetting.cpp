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
#include <QScopeGuard>
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
    return CheckDatabaseIdentity();
}

// A reset that stops before the copy puts the program back on the production
// database: nothing may go on working on the template.
void frmDBPathSetting::leaveOnProduction() {
    const QString production = appFile(QString::fromLatin1(kProductionDb));
    if (const QString open = MainConnectionPath(); !open.isEmpty() && !zv::admin::sameFile(open, production))
        CloseMainConnection();
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
    // Every way out but a finished reset puts the program back on the production database.
    bool reset = false;
    bool ended = false;
    const auto leave = qScopeGuard([&] {
        if (!reset && !ended)
            leaveOnProduction();
    });
    auto refuse = [&](const QString &message) {
        hourglass.reset();
        setWindowTitle(kResetCaption);
        MsgBox(message, vbCritical, QStringLiteral("Error"));
    };
    try {
        gDBPath = templatePath;
        if (!CheckAppFiles()) {
            ended = true;
            zv::admin::endOnMissingFiles();
            return;
        }
        modCommon::CloseMainConnection();
        if (const QString cause = zv::admin::unwritableLockFile({destination, templatePath}); !cause.isEmpty()) {
            refuse(QStringLiteral("Cannot Reset. ") + cause);
            return;
        }
        // Asked and held in one step, before anything is asked of the user: the
        // production file for writing (nobody else may have it open), the
        // template for reading. Both stay held until the copy is done, so
        // nobody takes either while the question is up.
        // A destination that is the template itself is refused after the
        // question, as ever; there is nothing to hold for it.
        const bool ontoTemplate = zv::admin::sameFile(destination, templatePath);
        std::optional<zv::db::FileHold> destHold, sourceHold;
        if (!ontoTemplate) {
            destHold.emplace(destination, zv::db::FileHold::Kind::Write);
            if (destHold->inUse()) {
                refuse(destInUse);
                return;
            }
            sourceHold.emplace(templatePath, zv::db::FileHold::Kind::Read);
            if (sourceHold->inUse()) {
                refuse(sourceInUse);
                return;
            }
        }
        // A template that does not open as a database is as false as one
        // without the identity value; any other failure to open has been told.
        const zv::db::OpenOutcome opened = OpenDatabase();
        if (opened != zv::db::OpenOutcome::Opened && opened != zv::db::OpenOutcome::Damaged)
            return;
        if (opened == zv::db::OpenOutcome::Damaged || !IsTemplateDatabase()) {
            MsgBox(QStringLiteral("Some of the Application Folders/Files are corrupted. Exiting the Application."),
                   vbCritical, QStringLiteral("Error"));
            ended = true;
            zv::admin::endProgramClosingConnections();
            return;
        }
        if (MsgBox(QStringLiteral("Are you sure to reset the Database?"), vbYesNo + vbQuestion + vbDefaultButton2,
                   kResetCaption) != vbYes)
            return;
        if (zv::admin::sameFile(destination, gDBPath))
            return;
        hourglass.emplace();
        setWindowTitle(QStringLiteral("Please wait Reset Database in progress..."));
        modCommon::CloseMainConnection();
        const QString templateFile = gDBPath;
        runInBackground(QStringLiteral("Resetting the Production Database ..."), [&](std::atomic<int> &percent) {
            zv::admin::copyDatabaseFile(templateFile, destination, true, &percent);
        });
        destHold.reset();
        sourceHold.reset();
        reset = true;
        gDBPath = destination;
        // The new file is a sound production database: the restricted menus go.
        gDBInvalid = false;
        EnableMainMenus();
        setWindowTitle(kResetCaption);
        hourglass.reset();
        MsgBox(QStringLiteral("Production Database is reset"), vbInformation, QStringLiteral("Information"));
        OpenMainConnection();
        zv::admin::reloadPeriod();
        close();
    } catch (const std::exception &e) {
        refuse(QStringLiteral("Cannot Reset. ") + zv::admin::copyFailureCause(e));
    }
}
