#pragma once
#include <QString>
#include <QUrl>
#include <QWidget>

class QTextBrowser;

namespace zv::help {

// The help window: contents on the left, the page on the right, Back,
// Forward and Home above. It reads one compiled help file through a help
// collection of its own in a temporary folder.
//
// The window and the help engine behind it live in a module of their own in
// the program's folder, loaded on the first help asked for, so that starting
// the program does not load the help libraries. Made by createWindow (Help.h).
class HelpWindow : public QWidget {
public:
    ~HelpWindow() override = default;

    // Registers the help file; false when it is missing or not a help file.
    virtual bool load(const QString &helpFilePath) = 0;
    virtual QString helpFilePath() const = 0;

    // The page of a topic ("Html\Department.htm"); an invalid URL when the
    // file has no such page.
    virtual QUrl topicUrl(const QString &topic) const = 0;
    // Shows the topic, or the start page with a note when there is none.
    virtual bool showTopic(const QString &topic) = 0;

    virtual QUrl currentUrl() const = 0;
    virtual QString currentTitle() const = 0;
    // The page view; its loadResource reads pages out of the help file.
    virtual QTextBrowser *browser() const = 0;

protected:
    explicit HelpWindow(QWidget *parent) : QWidget(parent, Qt::Window) {}
};

// The module's one entry point: a new, empty help window.
using NewHelpWindowFn = HelpWindow *(*)(QWidget *parent);
inline constexpr char kNewHelpWindowSymbol[] = "zv_help_new_window";

} // namespace zv::help
