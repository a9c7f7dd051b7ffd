#pragma once
#include <QString>
#include <QStringList>
#include <functional>

class QDialog;
class QWidget;

// The forms that the main window opens live in later subsystems, which core
// cannot depend on. src/app registers a factory for each form by its name at
// start-up; the main window asks the registry for a fresh instance, shows it
// modally and deletes it when it returns. A form that is not registered keeps
// its menu entry and toolbar button disabled.
namespace zv::forms {

// Creates the form as a dialog child of parent (parent may be null).
using Factory = std::function<QDialog *(QWidget *parent)>;

void registerForm(const QString &name, Factory factory);
void unregisterForm(const QString &name);
bool isRegistered(const QString &name);
QStringList registeredForms();

// A fresh instance of the named form, or null when it is not registered.
QDialog *createForm(const QString &name, QWidget *parent = nullptr);

// Creates the named form, lets prepare set it up, shows it modally and
// deletes it when it returns. Returns the dialog's result, or -1 when the
// form is not registered (nothing is shown).
int showModal(const QString &name, QWidget *parent, const std::function<void(QDialog &)> &prepare = {});

// Shared resources that the main window releases after most child forms
// (the shared image-list form): a release routine by name. Unknown names do nothing.
void registerRelease(const QString &name, std::function<void()> release);
void release(const QString &name);

// Housekeeping of a later subsystem, by name, run once at start-up when the
// main window loads on a sound production database (runStartupTasks).
void registerStartupTask(const QString &name, std::function<void()> task);
void runStartupTasks();

// For tests: forgets every factory, release routine and start-up task.
void clearRegistry();

// The names the main window opens.
namespace names {
inline const QString frmDBPathSetting = QStringLiteral("frmDBPathSetting");
inline const QString frmBackup = QStringLiteral("frmBackup");
inline const QString frmRestore = QStringLiteral("frmRestore");
inline const QString frmChangePswd = QStringLiteral("frmChangePswd");
inline const QString frmParameter = QStringLiteral("frmParameter");
inline const QString frmCompanySetup = QStringLiteral("frmCompanySetup");
inline const QString frmDepartment = QStringLiteral("frmDepartment");
inline const QString frmDesignation = QStringLiteral("frmDesignation");
inline const QString frmHolidayMaster = QStringLiteral("frmHolidayMaster");
inline const QString FrmEmp = QStringLiteral("FrmEmp");
inline const QString frmEmpMngrAssgn = QStringLiteral("frmEmpMngrAssgn");
inline const QString frmActvtyMast = QStringLiteral("frmActvtyMast");
inline const QString frmLastGnrDateUpdation = QStringLiteral("frmLastGnrDateUpdation");
inline const QString frmGenReportDev3 = QStringLiteral("frmGenReportDev3");
inline const QString frmGenReport = QStringLiteral("frmGenReport");
inline const QString frmGenReport1 = QStringLiteral("frmGenReport1");
inline const QString frmGenReportDev4 = QStringLiteral("frmGenReportDev4");
inline const QString frmGenReport2 = QStringLiteral("frmGenReport2");
// Opened by other forms, not by the main window.
inline const QString frmViewActivity = QStringLiteral("frmViewActivity");
// Release routine only (no factory).
inline const QString frmImgList = QStringLiteral("frmImgList");
} // namespace names

} // namespace zv::forms
