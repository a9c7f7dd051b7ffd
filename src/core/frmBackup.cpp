#include "frmBackup.h"
#include "DatabaseFiles.h"
#include "modCommon.h"
#include "platform/db/Connection.h"
#include "platform/db/DbError.h"
#include "platform/db/ErrorText.h"
#include "platform/ui/ErrorBox.h"
#include "platform/ui/MessageService.h"
#include "platform/ui/Ui.h"
#include "platform/ui/VbKeys.h"
#include <QCloseEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolBar>
#include <QVBoxLayout>
#include <optional>

using namespace modCommon;
using namespace zv::ui;

namespace {
const QString kCaption = QStringLiteral("Backup Production Database");
const QString kBusyCaption = QStringLiteral("Please wait Backup in progress...");
const QString kSourceInUse = QStringLiteral("Backup failed. Source Database in use.");
const QString kDestInUse = QStringLiteral("Backup failed. Destination Database in use.");

// A file another user has open: the backup is refused in its own words.
struct Refused {
    QString message;
};
} // namespace

frmBackup::frmBackup(QWidget *parent) : AdminDialog(parent, QStringLiteral("frmBackup"), kCaption) {
    auto *lblPath = new QLabel(QStringLiteral("Destination Folder Name*"), this);
    txtPath = new QLineEdit(this);
    txtPath->setObjectName(QStringLiteral("txtPath"));
    txtPath->setReadOnly(true);
    txtPath->setStyleSheet(QStringLiteral("QLineEdit { background-color: #e0e0e0; }"));
    txtPath->setMinimumWidth(360);
    cmbChange = new QPushButton(QStringLiteral("&Browse"), this);
    cmbChange->setObjectName(QStringLiteral("cmbChange"));
    cmbChange->setAutoDefault(false);
    auto *lblFile = new QLabel(QStringLiteral("Destination DB Name*"), this);
    txtFile = new QLineEdit(QStringLiteral("ZV-Data"), this);
    txtFile->setObjectName(QStringLiteral("txtFile"));
    txtFile->setMaxLength(30);
    lblPath->setBuddy(txtPath);
    lblFile->setBuddy(txtFile);

    makeToolbar();
    connect(cmbChange, &QPushButton::clicked, this, zv::ui::asAction([this] { BrowseFolder(); }));

    auto *grid = new QGridLayout;
    grid->addWidget(lblPath, 0, 0);
    grid->addWidget(txtPath, 0, 1);
    grid->addWidget(cmbChange, 0, 2);
    grid->addWidget(lblFile, 1, 0);
    grid->addWidget(txtFile, 1, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(tlbOkCancel.bar);

    previewKeys();
    m_pathKeys.press = [this](int &k) {
        if (k == vbKey::Return) {
            k = 0;
            sendTab(txtPath);
        }
    };
    m_keys->setControlHandler(txtPath, &m_pathKeys);
    m_fileKeys.press = [this](int &k) { txtFile_KeyPress(k); };
    m_keys->setControlHandler(txtFile, &m_fileKeys);

    zv::ui::refusePaste(txtPath);
    zv::ui::refusePaste(txtFile);
    zv::ui::selectAllOnFocus(txtFile);

    txtPath->clear();
    m_done = false;
}

frmBackup::~frmBackup() = default;

void frmBackup::showEvent(QShowEvent *event) {
    QDialog::showEvent(event);
    placeOnFirstShow();
}

void frmBackup::Form_KeyDown(int &KeyCode, int Shift) {
    m_done = false;
    AdminDialog::Form_KeyDown(KeyCode, Shift);
}

void frmBackup::txtFile_KeyPress(int &KeyAscii) {
    if (KeyAscii == vbKey::Return) {
        KeyAscii = 0;
        BackupDatabase();
        return;
    }
    if (KeyAscii == '\'') {
        KeyAscii = 0;
        return;
    }
    if (KeyAscii == vbKey::Back || KeyAscii == '-' || KeyAscii == '_')
        return;
    const bool allowed = (KeyAscii >= 'A' && KeyAscii <= 'Z') || (KeyAscii >= 'a' && KeyAscii <= 'z') ||
                         (KeyAscii >= '0' && KeyAscii <= '9') || KeyAscii == ' ' || KeyAscii == '.';
    if (!allowed)
        KeyAscii = 0;
}

void frmBackup::tlbOkCancel_ButtonClick(int index) {
    switch (index) {
    case 1:
        BackupDatabase();
        break;
    case 2:
        close();
        break;
    case 3:
        zv::admin::showHelpTopic(this, QStringLiteral("Html/Back_Up.htm"));
        break;
    default:
        break;
    }
}

void frmBackup::BrowseFolder() {
    const QString folder = messages().existingDirectory(QString(), txtPath->text().trimmed());
    if (folder.isEmpty())
        return;
    txtPath->clear();
    txtPath->setText(folder);
    txtPath->setFocus();
}

QString frmBackup::destinationPath() const {
    QString folder = txtPath->text();
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder + txtFile->text() + QStringLiteral(".mdb");
}

void frmBackup::copyInBackground(const QString &source, const QString &destination, bool overwrite) {
    // The destination is asked first: when both are in use, that is the one named.
    // A backup file being replaced is held: nobody opens it half written.
    zv::db::FileHold destHold(destination, zv::db::FileHold::Kind::Write);
    if (destHold.inUse())
        throw Refused{kDestInUse};
    // A read lock on the source through the copy: another program's save waits
    // for it, so the copy never catches a write half done; a file held for
    // writing now cannot be copied whole.
    zv::db::FileHold hold(source, zv::db::FileHold::Kind::Read);
    if (hold.inUse())
        throw Refused{kSourceInUse};
    runInBackground(QStringLiteral("Copying the Production Database to ") + destination + QStringLiteral(" ..."),
                    [&](std::atomic<int> &percent) {
                        zv::admin::copyDatabaseFile(source, destination, overwrite, &percent);
                    });
}

void frmBackup::completed() {
    m_done = true;
    MsgBox(QStringLiteral("Backup process is complete"), vbInformation, QStringLiteral("Information"));
    close();
}

void frmBackup::BackupDatabase() {
    if (txtPath->text().trimmed().isEmpty()) {
        MsgBox(QStringLiteral("Select a Destination Folder"), vbInformation, QStringLiteral("Information"));
        cmbChange->setFocus();
        return;
    }
    if (txtFile->text().trimmed().isEmpty()) {
        MsgBox(QStringLiteral("Enter a Destination Database Name"), vbInformation, QStringLiteral("Information"));
        txtFile->setFocus();
        return;
    }
    const QString typed = txtFile->text();
    if (typed.contains(QLatin1Char(':')) || typed.contains(QLatin1Char('/')) || typed.contains(QLatin1Char('\\'))) {
        MsgBox(QStringLiteral("Enter a Destination Database Name"), vbCritical, QStringLiteral("Error"));
        txtFile->setFocus();
        return;
    }
    txtFile->setText(typed.trimmed().toUpper().remove(QStringLiteral(".MDB")).trimmed());
    // "x.mdb" alone would leave no name at all.
    if (txtFile->text().isEmpty()) {
        MsgBox(QStringLiteral("Enter a Destination Database Name"), vbCritical, QStringLiteral("Error"));
        txtFile->setFocus();
        return;
    }
    const QString source = gDBPath.trimmed();
    if (source.isEmpty() || !QFileInfo(source).isFile()) {
        MsgBox(QStringLiteral("Production Database does not exist for Backup. Please setup the Database"),
               vbCritical, QStringLiteral("Error"));
        return;
    }
    const QString templatePath = appFile(QString::fromLatin1(kTemplateDb));
    const QString systemPath = appFile(QString::fromLatin1(kSystemDb));
    const QString productionPath = appFile(QString::fromLatin1(kProductionDb));
    if (zv::admin::sameFile(templatePath, txtPath->text().trimmed() + QLatin1Char('/') +
                                              txtFile->text().trimmed() + QStringLiteral(".mdb"))) {
        MsgBox(QStringLiteral("Can not overwrite the System Database"), vbCritical, QStringLiteral("Error"));
        return;
    }
    modCommon::CloseMainConnection();
    const QString destination = destinationPath();
    if (zv::admin::sameFile(destination, templatePath) || zv::admin::sameFile(destination, systemPath)) {
        MsgBox(QStringLiteral("Can not overwrite the System Database!"), vbCritical, QStringLiteral("Error"));
        return;
    }
    if (zv::admin::sameFile(destination.trimmed(), source) ||
        zv::admin::sameFile(destination.trimmed(), productionPath)) {
        MsgBox(QStringLiteral("Can not overwrite the Production Database!"), vbCritical, QStringLiteral("Error"));
        return;
    }
    modCommon::CloseMainConnection();

    // One copy, replacing or not; a failure is told once and ends the press.
    auto copy = [&](bool overwrite) {
        std::optional<Hourglass> hourglass;
        auto backToIdle = [&] {
            hourglass.reset();
            setWindowTitle(kCaption);
        };
        try {
            setWindowTitle(kBusyCaption);
            hourglass.emplace();
            copyInBackground(source, destinationPath(), overwrite);
            backToIdle();
            return true;
        } catch (const Refused &r) {
            backToIdle();
            MsgBox(r.message, vbCritical, QStringLiteral("Error"));
        } catch (const std::exception &e) {
            backToIdle();
            if (!overwrite && zv::db::failureOf(e).number() == zv::admin::kFileExists)
                throw;
            zv::ui::ErrorBox(e, zv::db::ErrorLayout::NumberColon, vbCritical, QStringLiteral("Error"));
        }
        return false;
    };
    try {
        if (!copy(false))
            return;
    } catch (const std::exception &) {   // the file exists
        if (MsgBox(QStringLiteral("File already exists. Would you like to replace existing File?"),
                   vbYesNo + vbQuestion + vbDefaultButton1, kCaption) != vbYes) {
            txtFile->setFocus();
            OpenMainConnection();
            return;
        }
        if (!copy(true))
            return;
    }
    m_done = true;
    OpenMainConnection();
    completed();
}

void frmBackup::closeEvent(QCloseEvent *event) {
    if (!m_done && !zv::admin::confirmExit()) {
        event->ignore();
        return;
    }
    unload(event);
}
