#include "frmRestore.h"
#include "DatabaseFiles.h"
#include "modCommon.h"
#include "platform/ui/ErrorBox.h"
#include "platform/ui/MessageService.h"
#include "platform/ui/Ui.h"
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolBar>
#include <QVBoxLayout>
#include <optional>

using namespace modCommon;
using namespace zv::ui;

namespace {
const QString kCaption = QStringLiteral("Restore Production Database");
}

frmRestore::frmRestore(QWidget *parent) : AdminDialog(parent, QStringLiteral("frmRestore"), kCaption) {
    auto *lblPath = new QLabel(QStringLiteral("Restore From*"), this);
    txtPath = new QLineEdit(this);
    txtPath->setObjectName(QStringLiteral("txtPath"));
    txtPath->setReadOnly(true);
    txtPath->setStyleSheet(QStringLiteral("QLineEdit { background-color: #e0e0e0; }"));
    txtPath->setMinimumWidth(360);
    lblPath->setBuddy(txtPath);
    cmdBrowse = new QPushButton(QStringLiteral("&Browse"), this);
    cmdBrowse->setObjectName(QStringLiteral("cmdBrowse"));
    cmdBrowse->setAutoDefault(false);
    connect(cmdBrowse, &QPushButton::clicked, this, zv::ui::asAction([this] { cmdBrowse_Click(); }));

    makeToolbar();

    auto *row = new QHBoxLayout;
    row->addWidget(lblPath);
    row->addWidget(txtPath, 1);
    row->addWidget(cmdBrowse);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(tlbOkCancel.bar);

    previewKeys();
    zv::ui::refusePaste(txtPath);
}

frmRestore::~frmRestore() = default;

void frmRestore::showEvent(QShowEvent *event) {
    QDialog::showEvent(event);
    placeOnFirstShow();
    txtPath->clear();
}

void frmRestore::tlbOkCancel_ButtonClick(int index) {
    switch (index) {
    case 1:
        RestoreDatabase();
        break;
    case 2:
        close();
        break;
    case 3:
        zv::admin::showHelpTopic(this, QStringLiteral("Html/Restore.htm"));
        break;
    default:
        break;
    }
}

void frmRestore::cmdBrowse_Click() {
    const QString backupFolder = appFile(QStringLiteral("Backup"));
    const QString start = QFileInfo(backupFolder).isDir() ? backupFolder : appPath();
    const QString chosen = messages().openFileName(QStringLiteral("Select Data File"), start,
                                                   QStringLiteral("Zorvane Database Files (*.mdb)"));
    if (!chosen.contains(QLatin1Char('/')))
        return;
    txtPath->setText(chosen);
    txtPath->setFocus();
    if (!txtPath->text().trimmed().isEmpty())
        m_done = false;
}

zv::admin::FileCheck frmRestore::IsValidBackup() {
    // The integrity check reads the whole file: on a large one it takes a while.
    const QString path = txtPath->text().trimmed();
    auto result = zv::admin::FileCheck::Invalid;
    if (!runCancellable(QStringLiteral("Checking ") + path + QStringLiteral(" ..."),
                        [&](WorkProgress &progress) { result = zv::admin::checkDatabaseFile(path, progress); }))
        return zv::admin::FileCheck::Cancelled;
    return result;
}

void frmRestore::RestoreDatabase() {
    const QString shown = txtPath->text();
    const QString source = shown.trimmed();
    if (!source.toUpper().contains(QStringLiteral(".MDB"))) {
        MsgBox(QStringLiteral("Select a Database to Restore."), vbInformation, QStringLiteral("Information"));
        cmdBrowse->setFocus();
        return;
    }
    const QString production = appFile(QString::fromLatin1(kProductionDb));
    // Copying the production file over itself would leave nothing behind to copy.
    if (zv::admin::sameFile(source, production)) {
        MsgBox(QStringLiteral("Can not Restore from the Production Database itself."), vbCritical,
               QStringLiteral("Error"));
        cmdBrowse->setFocus();
        return;
    }
    const QString sourceInUse = QStringLiteral("Can not Restore, Source Database in use.");
    const QString destInUse = QStringLiteral("Can not Restore, Destination Database in use.");
    switch (IsValidBackup()) {
    case zv::admin::FileCheck::Valid:
        break;
    case zv::admin::FileCheck::Cancelled:
        return;
    case zv::admin::FileCheck::InUse:
        MsgBox(sourceInUse, vbCritical, QStringLiteral("Error"));
        return;
    case zv::admin::FileCheck::Invalid:
        MsgBox(QStringLiteral("Can not Restore. Not a valid Database."), vbCritical, QStringLiteral("Error"));
        cmdBrowse->setFocus();
        return;
    }
    if (!CheckAppFiles()) {
        zv::admin::endOnMissingFiles();
        return;
    }
    gDBPath = production;
    modCommon::CloseMainConnection();
    auto cannotRestore = [&](const QString &cause) {
        MsgBox(QStringLiteral("Can not Restore ") + shown + QStringLiteral(". ") + cause, vbCritical,
               QStringLiteral("Error"));
    };
    if (const QString cause = zv::admin::unwritableLockFile({source, production}); !cause.isEmpty()) {
        cannotRestore(cause);
        return;
    }
    // Asked and held in one step, before the question: nobody may have the
    // production file open, nobody may write the backup, and neither can be
    // taken while the question is up or the copy runs.
    zv::db::FileHold sourceHold(source, zv::db::FileHold::Kind::Read);
    if (sourceHold.inUse()) {
        MsgBox(sourceInUse, vbCritical, QStringLiteral("Error"));
        return;
    }
    zv::db::FileHold destHold(gDBPath, zv::db::FileHold::Kind::Write);
    if (destHold.inUse()) {
        MsgBox(destInUse, vbCritical, QStringLiteral("Error"));
        return;
    }
    if (MsgBox(QStringLiteral("Restore will overwrite the current Database with the contents of ") + shown +
                   QStringLiteral(". If you need to save the current Database please take Backup of your Database "
                                  "before proceeding. Are you sure you want to Restore the Database?"),
               vbYesNo + vbQuestion + vbDefaultButton2, QStringLiteral("Restore Production database")) != vbYes)
        return;

    std::optional<Hourglass> hourglass;
    try {
        setWindowTitle(QStringLiteral("Please wait Restore in progress..."));
        hourglass.emplace();
        modCommon::CloseMainConnection();
        const QString folder = QFileInfo(gDBPath).absolutePath();
        if (!QFileInfo(folder).isDir() && !QDir().mkpath(folder))
            throw zv::admin::CopyFailure(zv::db::err::ReadOnlyFile, QStringLiteral("Cannot create ") + folder,
                                         QFileInfo(folder).absolutePath());
        const QString production = gDBPath;
        runInBackground(QStringLiteral("Restoring the Production Database from ") + source + QStringLiteral(" ..."),
                        [&](std::atomic<int> &percent) {
                            zv::admin::copyDatabaseFile(source, production, true, &percent);
                        });
        destHold.release();
        sourceHold.release();
        // The restored file passed the identity check: the restricted menus go.
        gDBInvalid = false;
        EnableMainMenus();
        setWindowTitle(kCaption);
        hourglass.reset();
        OpenMainConnection();
        zv::admin::reloadPeriod();
        MsgBox(QStringLiteral("Database has been Restored succesfully."), vbInformation,
               QStringLiteral("Information"));
        m_done = true;
        close();
    } catch (const std::exception &e) {
        setWindowTitle(kCaption);
        hourglass.reset();
        cannotRestore(zv::admin::copyFailureCause(e));
        close();
    }
}

void frmRestore::closeEvent(QCloseEvent *event) {
    if (!m_done && !txtPath->text().trimmed().isEmpty() && !zv::admin::confirmExit()) {
        event->ignore();
        return;
    }
    unload(event);
}
