#include "platform/help/Help.h"
#include "platform/help/HelpWindow.h"
#include "platform/ui/MessageService.h"
#include "platform/ui/Module.h"
#include <QApplication>
#include <QCoreApplication>
#include <QFileInfo>
#include <QPointer>

namespace zv::help {

namespace {

QString g_helpFile;
QString g_helpModule;
QPointer<HelpWindow> g_window;

struct FormTopic {
    const char *form;
    const char *topic;
};

// The topic page of every form of the program.
constexpr FormTopic kFormTopics[] = {
    // application core and database administration
    {"MDIZVS", "Html/MainWindow.htm"},
    {"frmLogin", "Html/Login.htm"},
    {"frmDBPathSetting", "Html/ResetProdDB.htm"},
    {"frmBackup", "Html/Back_Up.htm"},
    {"frmRestore", "Html/Restore.htm"},
    {"frmChangePswd", "Html/ChangeAdminPassword.htm"},
    {"frmCheckPswd", "Html/AdminPasswordPrompt.htm"},
    // query tools
    {"frmGeneralFilter", "Html/GeneralFilter.htm"},
    {"frmNewSort", "Html/Sort.htm"},
    {"frmFindNew", "Html/Find.htm"},
    {"frmSelection", "Html/Selection.htm"},
    // organisation masters
    {"frmCompanySetup", "Html/Companydetails.htm"},
    {"frmDepartment", "Html/Department.htm"},
    {"frmDesignation", "Html/Designation.htm"},
    {"FrmEmp", "Html/EmployeeMaster.htm"},
    {"frmHolidayMaster", "Html/Holiday.htm"},
    {"frmEmpMngrAssgn", "Html/EmployeeManagerRelation.htm"},
    {"frmParameter", "Html/Parameter.htm"},
    // activity master
    {"frmActvtyMast", "Html/ActivityMaster.htm"},
    {"frmViewActivity", "Html/ViewActivity.htm"},
    {"frmLastGnrDateUpdation", "Html/LastGenerationDate.htm"},
    // reports
    {"frmGenReportDev3", "Html/ActivityChecklist.htm"},
    {"frmGenReport", "Html/TargetDateReport.htm"},
    {"frmGenReport1", "Html/ProjectorActuals.htm"},
    {"frmGenReportDev4", "Html/PendingWorks.htm"},
    {"frmGenReport2", "Html/DiarizedActivities.htm"},
    {"FrmReportViewer", "Html/ReportViewer.htm"},
};

QWidget *ownerFor(QWidget *parent) {
    if (parent)
        return parent->window();
    // No owner given: the window in front, so that a modal form does not block help.
    if (QWidget *modal = QApplication::activeModalWidget())
        return modal;
    return QApplication::activeWindow();
}

} // namespace

QString helpFile() {
    if (!g_helpFile.isEmpty())
        return g_helpFile;
    return QCoreApplication::applicationDirPath() + QStringLiteral("/Help/ZVA.qch");
}

void setHelpFile(const QString &path) { g_helpFile = path; }

bool showTopic(QWidget *parent, const QString &topic) { return showTopic(parent, topic, helpFile()); }

bool showTopic(QWidget *parent, const QString &topic, const QString &helpFilePath) {
    QWidget *owner = ownerFor(parent);
    // One help window at a time; it belongs to the window that asked for it.
    if (g_window && (g_window->parentWidget() != owner || g_window->helpFilePath() != helpFilePath)) {
        g_window->close();
        delete g_window.data();
    }
    if (!g_window) {
        // No file, no window: the module is not even loaded.
        HelpWindow *window = QFileInfo(helpFilePath).isFile() ? createWindow(owner) : nullptr;
        if (!window || !window->load(helpFilePath)) {
            delete window;
            ui::MsgBox(QStringLiteral("Help not available"), ui::vbInformation, QStringLiteral("Information"));
            return false;
        }
        g_window = window;
    }
    g_window->showTopic(topic);
    g_window->show();
    g_window->raise();
    g_window->activateWindow();
    return true;
}

QString topicOfForm(const QString &formName) {
    for (const FormTopic &f : kFormTopics)
        if (formName == QLatin1String(f.form))
            return QString::fromLatin1(f.topic);
    return QString();
}

QStringList formsWithTopics() {
    QStringList forms;
    for (const FormTopic &f : kFormTopics)
        forms << QString::fromLatin1(f.form);
    return forms;
}

HelpWindow *currentWindow() { return g_window.data(); }

QString helpModule() {
    if (!g_helpModule.isEmpty())
        return g_helpModule;
    return QCoreApplication::applicationDirPath() + QStringLiteral("/" ZV_HELP_MODULE);
}

void setHelpModule(const QString &path) { g_helpModule = path; }

HelpWindow *createWindow(QWidget *parent) {
    const auto newWindow =
        reinterpret_cast<NewHelpWindowFn>(zv::ui::moduleEntry(helpModule(), kNewHelpWindowSymbol, "Help"));
    return newWindow ? newWindow(parent) : nullptr;
}

} // namespace zv::help
