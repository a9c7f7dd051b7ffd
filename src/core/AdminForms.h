#pragma once
#include "platform/ui/BoxGuards.h"
#include "platform/ui/KeyPreview.h"
#include "platform/ui/WindowWait.h"
#include <QDialog>
#include <QString>
#include <atomic>
#include <functional>

class QAction;
class QCloseEvent;
class QLineEdit;
class QToolBar;
class QWidget;

// Pieces shared by the database administration windows and the password windows.
namespace zv::admin {

// Registers the database administration windows with the main window's form registry.
void registerForms();

// The toolbar of these windows: "OK - F9", "Cancel - F10" and, unless left
// out, "Help - F1". Its buttons call button(index): 1 OK, 2 Cancel, 3 Help.
struct OkCancelToolbar {
    QToolBar *bar = nullptr;
    QAction *ok = nullptr;
    QAction *cancel = nullptr;
    QAction *help = nullptr;
};
OkCancelToolbar makeOkCancelToolbar(QWidget *parent, const std::function<void(int)> &button, bool withHelp = true);

// The toolbar's keys: F9, F10 and F1 call button(1), button(2) and button(3),
// Escape closes the window. Each of them is swallowed; other keys pass.
void okCancelKeyDown(int &KeyCode, QWidget *window, const std::function<void(int)> &button);

// Quotes and bars are refused wherever they are typed.
void refuseQuoteAndBar(int &KeyAscii);

// Work that runs on a worker thread: it touches no widget and none of the
// program's connections, and may report how far it is (0 to 100) in percent.
using BackgroundWork = std::function<void(std::atomic<int> &percent)>;

// The frame of these windows: a modal dialog whose OK/Cancel/Help toolbar and
// keys go to tlbOkCancel_ButtonClick. Every way of closing it (Cancel, Escape,
// the title bar) goes through closeEvent, which ends in unload().
class AdminDialog : public QDialog {
    Q_OBJECT
public:
    virtual void tlbOkCancel_ButtonClick(int index) = 0;   // 1 OK, 2 Cancel, 3 Help

    bool unloaded() const { return m_unloaded; }
    // Work of runInBackground is under way.
    bool busy() const { return m_busy; }

    OkCancelToolbar tlbOkCancel;

protected:
    AdminDialog(QWidget *parent, const QString &name, const QString &caption);

    // Made where the window's layout wants it: the toolbar's place among the
    // boxes sets the focus order.
    void makeToolbar();
    // Routes every key of the window through Form_KeyDown and Form_KeyPress
    // first; boxes add their own handlers to m_keys.
    void previewKeys();
    // F9, F10 and F1 press the toolbar's buttons, Escape closes.
    virtual void Form_KeyDown(int &KeyCode, int Shift);
    virtual void Form_KeyPress(int &KeyAscii) { (void)KeyAscii; }

    void closeEvent(QCloseEvent *event) override;
    void reject() override;
    // Lets the close through: the window is unloaded and ends with result.
    void unload(QCloseEvent *event, int result = QDialog::Rejected);
    // Puts the window in its place the first time it is shown only.
    void placeOnFirstShow();
    // Runs work on a worker thread while events keep running (the clock, the
    // repainting), through zv::ui::runWhileWindowWaits: a small window shows
    // label and the progress, the pointer is busy, and this window's buttons,
    // keys and close box do nothing until the work has ended. An exception of
    // the work is rethrown here.
    void runInBackground(const QString &label, const BackgroundWork &work);
    // The same with Cancel on the small window; false when Cancel was pressed
    // (the work has then stopped at its next step).
    bool runCancellable(const QString &label, const std::function<void(zv::ui::WorkProgress &)> &work);

    zv::ui::KeyPreview *m_keys = nullptr;
    bool m_unloaded = false;

private:
    zv::ui::KeyFunctions m_formKeys;
    bool m_placed = false;
    bool m_busy = false;
};

// Shows a topic of the program's help, or "Help not available" when the help
// file is missing.
void showHelpTopic(QWidget *parent, const QString &topic);

// "Do you want to exit?" (title "Exit Confirmation"); true on Yes.
bool confirmExit(bool yesIsDefault = false);

// After production was replaced: the period of the file now open (empty when
// none is open) and the main window's caption showing it.
void reloadPeriod();

// "Some of the Application Folders/Files are missing. Exiting the Application."
// then both connections closed and the program ended.
void endOnMissingFiles();

// Closes both connections and ends the program.
void endProgramClosingConnections();

} // namespace zv::admin
