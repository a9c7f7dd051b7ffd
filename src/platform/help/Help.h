#pragma once
#include <QString>
#include <QStringList>

class QWidget;

// The program's help: one topic page per form in the compiled help file
// Help/ZVA.qch under the program's folder, shown in the help window.
namespace zv::help {

class HelpWindow;

// The help file used by showTopic(parent, topic): <executable's folder>/Help/ZVA.qch
// until set (the program sets it from its folder; tests point it elsewhere).
QString helpFile();
void setHelpFile(const QString &path);

// Shows a topic of the help file, such as "Html\Department.htm",
// "HTML/ActivityMaster.htm" or "Front_Index.htm": separators and case of the
// path do not matter. A missing or unreadable help file gives the box "Help not
// available" (information icon, title "Information") and false. A topic the
// file lacks shows the start page with a note.
bool showTopic(QWidget *parent, const QString &topic);
bool showTopic(QWidget *parent, const QString &topic, const QString &helpFilePath);

// The start page.
inline const char *kStartTopic = "Front_Index.htm";

// The topic page of a form, by the form's name ("frmDepartment" ->
// "Html/Department.htm"); empty for a form without one.
QString topicOfForm(const QString &formName);
// Every form that has a topic page.
QStringList formsWithTopics();

// The help window on screen, or nullptr.
HelpWindow *currentWindow();

// The module that holds the help window: <executable's folder>/ plus the
// module's file name until set (tests point it elsewhere).
QString helpModule();
void setHelpModule(const QString &path);

// A new, empty help window of the module (loaded once, on first use); nullptr
// when the module cannot be loaded, which showTopic reports as "Help not available".
HelpWindow *createWindow(QWidget *parent);

} // namespace zv::help
