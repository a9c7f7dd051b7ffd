#pragma once
#include "core/password/Password.h"
#include "platform/db/Connection.h"
#include "platform/db/ErrorText.h"
#include <QDate>
#include <QString>
#include <functional>
#include <memory>

class QWidget;

// The program's global state and the routines every window shares. Touched
// only from the user-interface thread.
namespace modCommon {

// Main connection: the template database during login, the production database afterwards.
extern std::shared_ptr<zv::db::Connection> gConn;
// System connection: SysData/ZV-SYS.mdb (table ZV_SYS).
extern std::shared_ptr<zv::db::Connection> gSysConn;

extern QString gDBPath;        // database the next OpenDatabase opens
extern bool gConnOpen;
extern bool gSysOpen;
extern bool gDBInvalid;
extern bool gIsAdmin;
extern QString gStartPeriod;   // dd-MMM-yyyy
extern QString gEndPeriod;     // dd-MMM-yyyy
extern QString gReportKey;
extern QString gScreenTitle;
extern bool gReportBusy;
extern QString gLoginUserID;
extern QString gLoginEmpNum;
extern QString gLoginUserName;
extern bool gIsPrivileged;
extern double gTempUserID;

// The program's folder (the executable's folder unless set, as tests do).
QString appPath();
void setAppPath(const QString &folder);
// Program-relative path: folder + "/" + relative (one separator).
QString appFile(const QString &relative);

inline const char *kSystemDb = "SysData/ZV-SYS.mdb";
inline const char *kTemplateDb = "SysData/ZV-ORG.mdb";
inline const char *kProductionDb = "Data/ZV-DATA.mdb";

// Opens gDBPath as the main connection. When it does not open, the user has
// been told why (but for a damaged file other than the production database,
// which it passes over in silence); the outcome says what it was.
zv::db::OpenOutcome OpenDatabase();
// The one way to the main connection: reopened (OpenDatabase) when it was
// closed, by a refused backup say. MainConnectionOpen answers whether it is
// open now (OpenDatabase has said why when not); MainConnection ends the
// action instead (zv::ui::ActionEnded, already told), or throws the damage
// of a file the open passed over in silence.
bool MainConnectionOpen();
zv::db::Connection &MainConnection();
// The same, with what opening it came to (Opened when it already was open).
zv::db::OpenOutcome OpenMainConnection();
// Whether the main connection is open at this moment. Unlike the three above
// it never opens it, and so never tells the user anything.
bool MainConnectionIsOpen();
// Opens SysData/ZV-SYS.mdb as the system connection, telling why when it does not.
zv::db::OpenOutcome OpenSystemDatabase();
bool CheckAppFiles();
QDate GetServerDate();
QString GetTimeStampString();
QString GetTimeStampString(const QDateTime &at);
// Shows an unexpected error in a box ("Error Number is " ...). Without an error, does nothing.
void ShowErrorMessage(const zv::db::DbError *error);
void ShowErrorMessage(const std::exception &error);
// How the messages name a database file: "Production Database" or "Database <path>".
QString databaseName(const QString &dbPath);
bool IsDigitKey(int keyAscii, int keyCode);
void EnableMainMenus();

// The one way to close the main connection: closed where it is open, and
// marked closed, so that MainConnection() opens it again when next asked.
void CloseMainConnection();
// The file the main connection has open; empty when it is closed.
QString MainConnectionPath();
// Closes the main and the system connection where each is open (the objects stay).
void CloseConnections();
// Closes both and lets their objects go (the program's end).
void ReleaseConnections();

// The login's database checks. True when the main connection's Parm table
// carries the identity value ("ZORVANE" in any letter case); a file that is
// damaged or lacks the table gives False. A file another program holds is no
// answer: that error reaches the caller.
bool CheckDatabaseIdentity();
// True when the system connection's ZV_SYS table has the columns DB_Path and
// Pswd. A file another program holds raises its error.
bool CheckSystemTable();
// Reads the transaction period of the main connection's Parm into gStartPeriod
// and gEndPeriod (dd-MMM-yyyy), when gDBPath is set and the connection is open.
// Errors reach the caller.
void LoadPeriod();

// Ending the program: production code quits the application; tests install a
// handler so that an "end the program" path can be observed instead.
void EndProgram();
void setEndProgramHandler(std::function<void()> handler);
// Whether EndProgram has been called in this run.
bool programEnded();
// For tests: every global back to its initial value, the main window released,
// both connection objects released, programEnded() false.
void ResetState();

// One running instance per user: an exclusive lock on a file in the user's
// runtime folder, released by the kernel when the process ends.
// Empty path: the default lock file.
void setInstanceLockPath(const QString &path);
QString instanceLockPath();
// Takes the instance lock; false when another process (or another call) holds it.
bool AcquireInstanceLock();
void ReleaseInstanceLock();

// Start-up routine: refuses a second instance, shows the login. Returns the exit code.
int Main();

} // namespace modCommon
