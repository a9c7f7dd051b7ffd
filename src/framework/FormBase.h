#pragma once
#include "FormServices.h"
#include "FormUtilityBase.h"
#include "HeaderToolbarBase.h"
#include "clsFooterToolBar.h"
#include "platform/db/Connection.h"
#include "platform/ui/KeyPreview.h"
#include <QDialog>
#include <QStringList>
#include <functional>

class QFrame;
class QLabel;
class QToolBar;

namespace zv::fw {

// The footer's buttons: "Status" (a picture), a gap, "Ok", "Cancel" and,
// when asked, "Reset".
struct FooterButtons {
    bool reset = false;
};

// The one skeleton of every data form and report form: the header and footer
// toolbars with the footer object and the status label, the main connection,
// coded status, the header's keys run by name, the one error path of header and
// footer clicks, and the form's ending (Esc at the dialog, the close box, unloading
// from code). The data-form bases (DataForm, MasterForm, HeaderDetailForm) and
// the report-form base (ReportForm) build on it.
class FormBase : public QDialog, public zv::ui::KeyHandler {
    Q_OBJECT
public:
    ~FormBase() override;

    // The designed controls, as the forms name them.
    QToolBar *tbHeader = nullptr;
    QToolBar *tbFooter = nullptr;
    QLabel *lblStatus = nullptr;
    QFrame *Frame1 = nullptr;
    clsFooterToolBar tlbFooter;

    QAction *headerButton(const QString &key) const;
    QAction *footerButton(const QString &key) const;

    // A form that unloads itself while it loads is never shown.
    int exec() override;
    void setVisible(bool visible) override;

public slots:
    virtual void tlbHeader_HeaderClick(const QString &Key) = 0;
    virtual void tlbFooter_FooterClick(const QString &Key) = 0;

protected:
    FormBase(const QString &caption, QWidget *parent, FormServices services);

    // The windows of the layers above that the form was handed.
    const FormServices &services() const { return m_services; }

    // The utility object of the form's kind: rights and coded status messages.
    virtual FormUtilityBase &formUtility() = 0;

    // The footer's buttons, the header built from its keys, then the footer
    // object and the form's own key handler, in the framework's order (the
    // form sees the keys header and footer leave). The header's clicks go to
    // tlbHeader_HeaderClick, the footer's to tlbFooter_FooterClick, both
    // through the one error path.
    template <class Header>
    void setUpToolbars(Header &header, const QStringList &headerKeys, FooterButtons footer) {
        wireToolbars(header, headerKeys, footer);
        connect(&header, &Header::HeaderClick, this,
                [this](const QString &Key) { tellingFailures([&] { tlbHeader_HeaderClick(Key); }); });
    }

    // Coded status in the footer.
    void status(const QString &code, const QString &prefix = QString(), const QString &suffix = QString());
    // A save that failed: said in plain words when another program holds the
    // database, else the form's status code for it.
    void saveFailed(const std::exception &e, const QString &code);
    // The same, with the form's own telling of any other failure.
    static void saveFailed(const std::exception &e, const std::function<void()> &otherwise);
    void clearStatus() { FormUtilityBase::clearStatus(&tlbFooter); }

    // The main connection, opened again when it was found closed.
    static zv::db::Connection &db();
    // Whether the main connection is open, opened again when it was found
    // closed. When it will not open (the open has told the user why), the
    // form ends: one that is not shown yet is never shown.
    bool dbOpen();

    // The steps of the header's keys. A key whose step a form does not offer
    // does nothing.
    virtual void add() {}
    virtual void modify() {}
    virtual void remove() {}
    virtual void select() {}
    virtual void refresh() {}
    virtual void detailAdd() {}
    virtual void detailModify() {}
    virtual void detailDelete() {}
    virtual void help() {}
    virtual void exitForm() { unload(); }
    // Runs the step of a header key (Add, Modify, Delete, Select, Refresh,
    // DetailAdd, DetailModify, DetailDelete, Help, Exit). Failures reach the caller.
    void runHeaderKey(const QString &key);

    // The one error path of the form's actions (header and footer clicks, the
    // form's keys, its showing and closing): the step runs as one user action;
    // a failure ends it and is shown once (showFailure, or nothing more when
    // the step has told it and ended the action); the form stays as the step
    // left it. Returns whether the step ran to its end.
    bool tellingFailures(const std::function<void()> &step);
    // The box a failure is shown in: the program's error box. It reads
    // nothing and throws nothing.
    virtual void showFailure(const std::exception &e);

    // Moves the focus to the control when it can take it.
    static void focusIfUsable(QWidget *control);

    // Ends the form from code: no question. Before the form was shown it
    // is then never shown.
    void unload();
    // The same once the dialog's own loop runs (from inside its showing).
    void unloadSoon();
    bool unloading() const { return m_unloading; }
    // The close box lets the form go: the unload steps, then the dialog ends.
    void acceptClose(QCloseEvent *event);

    // Runs once, the first time the form is shown.
    virtual void Form_Activate() {}
    // Whether the form may close now (the close box, and where a form asks on
    // leaving); a question that keeps the form open answers false.
    virtual bool Form_QueryUnload() { return true; }
    // The form's last steps.
    virtual void Form_Unload() {}

    void KeyDown(int &KeyCode, int Shift) override { Form_KeyDown(KeyCode, Shift); }
    virtual void Form_KeyDown(int &KeyCode, int Shift) = 0;
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    // Esc that reached the dialog itself: the form's key rules decide.
    void reject() override;

private:
    FormServices m_services;
    void wireToolbars(HeaderToolbarBase &header, const QStringList &headerKeys, FooterButtons footer);
    bool m_unloading = false;
    bool m_activated = false;
};

} // namespace zv::fw
