#include "modCommon.h"
#include "FormRegistry.h"
#include "DatabaseFiles.h"
#include "MDIZVS.h"
#include "SystemStore.h"
#include "platform/clock/Clock.h"
#include "platform/db/Dates.h"
#include "platform/db/ErrorText.h"
#include "platform/ui/ErrorBox.h"
#include "platform/ui/MessageService.h"
#include <QCoreApplication>
#include <QDateTime>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QLocale>

using zv::db::Connection;
using zv::db::DbError;
using namespace zv::ui;

namespace modCommon {

std::shared_ptr<Connection> gConn;
std::shared_ptr<Connection> gSysConn;
QString gDBPath;
bool gConnOpen = false;
bool gSysOpen = false;
bool gDBInvalid = false;
bool gIsAdmin = false;
QString gStartPeriod;
QString gEndPeriod;
QString gReportKey;
QString gScreenTitle;
bool gReportBusy = false;
QString gLoginUserID;
QString gLoginEmpNum;
QString gLoginUserName;
bool gIsPrivileged = false;
double gTempUserID = 0;

namespace {
QString s_appPath;
std::function<void()> s_endHandler;
bool s_ended = false;

const QString kErrorTitle = QStringLiteral("Error");

QString errorNumberText(const DbError &e) {
    return zv::db::errorText(e, zv::db::ErrorLayout::NumberColon);
}

// The database path form, opened with an empty path box when a database file is not found.
void showPathFormForMissingFile() {
    zv::forms::showModal(zv::forms::names::frmDBPathSetting, MDIZVS::existingInstance(), [](QDialog &form) {
        form.setProperty("Tag", QString());
        form.setProperty("ClearPath", true);
    });
}

bool isProductionPath(const QString &path) { return path.toUpper().contains(QStringLiteral("ZV-DATA")); }


// The lock file beside a database could not be made: the database itself is
// not at fault, the file or folder that cannot be written is.
QString notWritableMessage(const QString &dbPath) {
    const QString lock = zv::db::lockFilePath(dbPath);
    const QFileInfo lockInfo(lock);
    const QString blocked = lockInfo.exists() ? lock : lockInfo.absolutePath();
    return databaseName(dbPath) + QStringLiteral(" can not be opened: ") + zv::admin::cannotBeWritten(blocked);
}

// Another program holds the file: nothing is wrong with it, it opens once that program lets go.
void tellInUse(const QString &path) { zv::ui::InUseBox(databaseName(path)); }

void endProgramWith(const QString &message) {
    MsgBox(message, vbCritical, kErrorTitle);
    CloseConnections();
    EndProgram();
}

// Opens a database file into conn. Nothing could be saved to a file that
// cannot be written, so such a file ends the program instead.
zv::db::OpenOutcome openWritable(std::shared_ptr<Connection> &conn, bool &isOpen, const QString &path,
                                 const QString &readOnlyMessage) {
    if (Connection::isReadOnlyFile(path)) {
        endProgramWith(readOnlyMessage);
        return zv::db::OpenOutcome::CannotWrite;
    }
    conn = std::make_shared<Connection>();
    conn->open(path);
    isOpen = true;
    return zv::db::OpenOutcome::Opened;
}
} // namespace

QString databaseName(const QString &dbPath) {
    return isProductionPath(dbPath) ? QStringLiteral("Production Database") : QStringLiteral("Database ") + dbPath;
}

QString appPath() {
    if (!s_appPath.isEmpty())
        return s_appPath;
    return QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QDir::currentPath();
}

void setAppPath(const QString &folder) { s_appPath = folder; }

QString appFile(const QString &relative) {
    QString folder = appPath();
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder + relative;
}

void CloseMainConnection() {
    if (gConn && gConn->isOpen())
        gConn->close();
    gConnOpen = false;
}

QString MainConnectionPath() { return gConn && gConn->isOpen() ? gConn->path() : QString(); }

void CloseConnections() {
    CloseMainConnection();
    if (gSysConn && gSysConn->isOpen())
        gSysConn->close();
    gSysOpen = false;
}

void ReleaseConnections() {
    CloseConnections();
    gConn.reset();
    gSysConn.reset();
}

zv::db::OpenOutcome OpenDatabase() {
    using zv::db::OpenOutcome;
    try {
        // A missing file is the not-found case, whatever the attribute test would say.
        if (gDBPath.isEmpty() || !QFileInfo::exists(gDBPath))
            throw DbError(zv::db::err::FileNotFound, QStringLiteral("File not found"));
        return openWritable(gConn, gConnOpen, gDBPath, QStringLiteral("Database is Read Only. Exiting the application."));
    } catch (const DbError &e) {
        const OpenOutcome outcome = zv::db::outcomeOf(e);
        switch (outcome) {
        case OpenOutcome::Missing:
            showPathFormForMissingFile();
            break;
        case OpenOutcome::CannotWrite:
            MsgBox(notWritableMessage(gDBPath), vbCritical, kErrorTitle);
            break;
        case OpenOutcome::InUse:
            tellInUse(gDBPath);
            break;
        case OpenOutcome::Damaged:
            if (isProductionPath(gDBPath))
                MsgBox(QStringLiteral("Production Database is corrupted. Please reset the Production Database."),
                       vbCritical, kErrorTitle);
            break;
        default:
            MsgBox(errorNumberText(e), vbCritical, kErrorTitle);
            gDBPath.clear();
            break;
        }
        return outcome;
    }
}

bool MainConnectionIsOpen() { return gConnOpen && gConn && gConn->isOpen(); }

zv::db::OpenOutcome OpenMainConnection() {
    zv::db::OpenOutcome outcome = zv::db::OpenOutcome::Opened;
    if (!MainConnectionIsOpen())
        outcome = OpenDatabase();
    if (gConn && gConn->isOpen())
        return zv::db::OpenOutcome::Opened;
    return outcome == zv::db::OpenOutcome::Opened ? zv::db::OpenOutcome::Failed : outcome;
}

bool MainConnectionOpen() { return OpenMainConnection() == zv::db::OpenOutcome::Opened; }

Connection &MainConnection() {
    const zv::db::OpenOutcome outcome = OpenMainConnection();
    if (outcome == zv::db::OpenOutcome::Opened)
        return *gConn;
    // A damaged file other than the production database is passed over by the
    // open in silence: its failure is the action's to tell.
    if (outcome == zv::db::OpenOutcome::Damaged && !isProductionPath(gDBPath))
        throw DbError(zv::db::err::GeneralFailure, databaseName(gDBPath) + QStringLiteral(" is damaged."));
    // Anything else the open has told (the in-use box, the path form, the
    // corrupted message, the error box): the action ends here.
    zv::ui::endAction();
}

// Touches only the system connection: the main connection and gDBPath stay as they are.
zv::db::OpenOutcome OpenSystemDatabase() {
    using zv::db::OpenOutcome;
    const QString path = appFile(QString::fromLatin1(kSystemDb));
    try {
        if (!QFileInfo::exists(path)) {
            MsgBox(QStringLiteral("Some of the Application Folders/Files are missing. Can not open the Application."),
                   vbCritical, kErrorTitle);
            gSysOpen = false;
            return OpenOutcome::Missing;
        }
        return openWritable(gSysConn, gSysOpen, path, QStringLiteral("DataBase is Read Only. Exiting Application."));
    } catch (const DbError &e) {
        const OpenOutcome outcome = zv::db::outcomeOf(e);
        switch (outcome) {
        case OpenOutcome::Missing:
            showPathFormForMissingFile();
            break;
        case OpenOutcome::CannotWrite:
            endProgramWith(notWritableMessage(path));
            break;
        case OpenOutcome::InUse:
            tellInUse(path);
            break;
        case OpenOutcome::Damaged:
            endProgramWith(
                QStringLiteral("Some of the Application Folders/Files are corrupted. Exiting the Application."));
            break;
        default:
            MsgBox(errorNumberText(e), vbCritical, kErrorTitle);
            break;
        }
        return outcome;
    }
}

bool CheckAppFiles() {
    for (const char *rel : {kTemplateDb, kSystemDb, kProductionDb})
        if (!QFileInfo::exists(appFile(QString::fromLatin1(rel))))
            return false;
    return true;
}

QDate GetServerDate() {
    // The database is a file on this machine: its date is this machine's.
    return zv::clock::today();
}

QString GetTimeStampString() { return GetTimeStampString(zv::clock::now()); }

QString GetTimeStampString(const QDateTime &at) {
    // Digits only, whatever the locale's separators.
    return QLocale::c().toString(at, QStringLiteral("ddMMyyyyHHmmss"));
}

void ShowErrorMessage(const DbError *error) {
    if (error)
        zv::ui::tellFailure(*error);
}

void ShowErrorMessage(const std::exception &error) { zv::ui::tellFailure(error); }

bool IsDigitKey(int keyAscii, int keyCode) {
    return (keyAscii >= 48 && keyAscii <= 57) || (keyCode >= 48 && keyCode <= 57) || (keyCode >= 96 && keyCode <= 105);
}

void EnableMainMenus() {
    if (MDIZVS *w = MDIZVS::existingInstance())
        w->applyEnablingRule(!gDBInvalid);
}

bool CheckDatabaseIdentity() { return gConn && zv::admin::hasIdentity(*gConn); }

bool CheckSystemTable() { return gSysConn && gSysConn->isOpen() && zv::core::SystemStore(*gSysConn).hasColumns(); }

void LoadPeriod() {
    if (gDBPath.isEmpty() || !gConn || !gConn->isOpen())
        return;
    const zv::core::StoredPeriod period = zv::core::readPeriod(*gConn);
    gStartPeriod = zv::db::isoToDisplay(period.start);
    gEndPeriod = zv::db::isoToDisplay(period.end);
}

void EndProgram() {
    s_ended = true;
    if (s_endHandler) {
        s_endHandler();
        return;
    }
    CloseConnections();
    // Leaves every running event loop (modal ones included); Main sees programEnded().
    QCoreApplication::exit(0);
}

void setEndProgramHandler(std::function<void()> handler) { s_endHandler = std::move(handler); }

bool programEnded() { return s_ended; }

void ResetState() {
    MDIZVS::releaseInstance();
    gConn.reset();
    gSysConn.reset();
    gDBPath.clear();
    gConnOpen = gSysOpen = gDBInvalid = gIsAdmin = gReportBusy = gIsPrivileged = false;
    gStartPeriod.clear();
    gEndPeriod.clear();
    gReportKey.clear();
    gScreenTitle.clear();
    gLoginUserID.clear();
    gLoginEmpNum.clear();
    gLoginUserName.clear();
    gTempUserID = 0;
    s_ended = false;
}

} // namespace modCommon
