#include "AdminForms.h"
#include "FormRegistry.h"
#include "HelpTopic.h"
#include "MDIZVS.h"
#include "frmBackup.h"
#include "frmChangePswd.h"
#include "frmDBPathSetting.h"
#include "frmRestore.h"
#include "modCommon.h"
#include "platform/ui/BoxGuards.h"
#include "platform/ui/ErrorBox.h"
#include "platform/ui/MessageService.h"
#include "platform/ui/Ui.h"
#include "platform/ui/VbKeys.h"
#include "platform/ui/WindowWait.h"
#include <QAction>
#include <QCloseEvent>
#include <QEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPointer>
#include <QScopedValueRollback>
#include <QScreen>
#include <QTimer>
#include <QToolBar>
#include <QWidget>

namespace zv::admin {

using namespace zv::ui;

OkCancelToolbar makeOkCancelToolbar(QWidget *parent, const std::function<void(int)> &button, bool withHelp) {
    OkCancelToolbar t;
    t.bar = new QToolBar(parent);
    t.bar->setObjectName(QStringLiteral("tlbOkCancel"));
    t.bar->setMovable(false);
    t.bar->setFloatable(false);
    t.bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    auto add = [&](const QString &key, const QString &text, const QString &tip) {
        QAction *a = t.bar->addAction(icon(key), text);
        a->setObjectName(key);
        a->setToolTip(tip);
        return a;
    };
    t.ok = add(QStringLiteral("Ok"), QStringLiteral("OK"), QStringLiteral("OK - F9"));
    t.cancel = add(QStringLiteral("Cancel"), QStringLiteral("Cancel"), QStringLiteral("Cancel - F10"));
    if (withHelp)
        t.help = add(QStringLiteral("Help"), QStringLiteral("Help"), QStringLiteral("Help - F1"));
    // Each button is one user action: a failure it meets ends it and is told.
    QObject::connect(t.ok, &QAction::triggered, parent, asAction([button] { button(1); }));
    QObject::connect(t.cancel, &QAction::triggered, parent, asAction([button] { button(2); }));
    if (t.help)
        QObject::connect(t.help, &QAction::triggered, parent, asAction([button] { button(3); }));
    return t;
}

void okCancelKeyDown(int &KeyCode, QWidget *window, const std::function<void(int)> &button) {
    switch (KeyCode) {
    case vbKey::F9:
        KeyCode = 0;
        button(1);
        break;
    case vbKey::F10:
        KeyCode = 0;
        button(2);
        break;
    case vbKey::F1:
        KeyCode = 0;
        button(3);
        break;
    case vbKey::Escape:
        KeyCode = 0;
        window->close();
        break;
    default:
        break;
    }
}

void refuseQuoteAndBar(int &KeyAscii) {
    if (KeyAscii == '\'' || KeyAscii == '|')
        KeyAscii = 0;
}

AdminDialog::AdminDialog(QWidget *parent, const QString &name, const QString &caption) : QDialog(parent) {
    setObjectName(name);
    setWindowTitle(caption);
    setModal(true);
}

void AdminDialog::makeToolbar() {
    tlbOkCancel = makeOkCancelToolbar(this, [this](int index) {
        if (!m_busy)
            tlbOkCancel_ButtonClick(index);
    });
}

void AdminDialog::previewKeys() {
    m_keys = new KeyPreview(this);
    m_formKeys.down = [this](int &k, int s) { Form_KeyDown(k, s); };
    m_formKeys.press = [this](int &k) { Form_KeyPress(k); };
    m_keys->addFormHandler(&m_formKeys);
}

void AdminDialog::Form_KeyDown(int &KeyCode, int Shift) {
    (void)Shift;
    okCancelKeyDown(KeyCode, this, [this](int index) { tlbOkCancel_ButtonClick(index); });
}

void AdminDialog::closeEvent(QCloseEvent *event) { unload(event); }

void AdminDialog::reject() { close(); }

void AdminDialog::unload(QCloseEvent *event, int result) {
    event->accept();
    m_unloaded = true;
    QDialog::done(result);
}

void AdminDialog::placeOnFirstShow() {
    if (!m_placed) {
        m_placed = true;
        placeWindow(this);
    }
}

void AdminDialog::runInBackground(const QString &label, const BackgroundWork &work) {
    const QScopedValueRollback<bool> busy(m_busy, true);
    runWhileWindowWaits(this, label, [&work](WorkProgress &progress) { work(progress.percent); });
}

bool AdminDialog::runCancellable(const QString &label, const std::function<void(WorkProgress &)> &work) {
    const QScopedValueRollback<bool> busy(m_busy, true);
    WaitOptions options;
    options.cancellable = true;
    return runWhileWindowWaits(this, label, work, options) == WaitOutcome::Finished;
}

void showHelpTopic(QWidget *parent, const QString &topic) { zv::core::ShowHelpTopic(parent, topic); }

void registerForms() {
    using namespace zv::forms;
    registerForm(names::frmDBPathSetting, [](QWidget *p) { return new frmDBPathSetting(p); });
    registerForm(names::frmBackup, [](QWidget *p) { return new frmBackup(p); });
    registerForm(names::frmRestore, [](QWidget *p) { return new frmRestore(p); });
    registerForm(names::frmChangePswd, [](QWidget *p) { return new frmChangePswd(p); });
}

bool confirmExit(bool yesIsDefault) {
    return MsgBox(QStringLiteral("Do you want to exit?"),
                  vbYesNo + vbQuestion + (yesIsDefault ? vbDefaultButton1 : vbDefaultButton2),
                  QStringLiteral("Exit Confirmation")) == vbYes;
}

void reloadPeriod() {
    modCommon::gStartPeriod.clear();
    modCommon::gEndPeriod.clear();
    try {
        modCommon::LoadPeriod();
    } catch (const zv::db::DbError &e) {
        modCommon::ShowErrorMessage(&e);
    }
    if (MDIZVS *main = MDIZVS::existingInstance())
        main->ShowPeriodCaption();
}

void endProgramClosingConnections() {
    modCommon::CloseConnections();
    modCommon::EndProgram();
}

void endOnMissingFiles() {
    MsgBox(QStringLiteral("Some of the Application Folders/Files are missing. Exiting the Application."), vbCritical,
           QStringLiteral("Error"));
    endProgramClosingConnections();
}

} // namespace zv::admin
