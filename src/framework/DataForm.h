#pragma once
#include "FormUtilityBase.h"
#include "HeaderToolbarBase.h"
#include "clsFooterToolBar.h"
#include "platform/db/Connection.h"
#include "platform/ui/KeyFilter.h"
#include "platform/ui/KeyPreview.h"
#include <QDialog>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

class QFrame;
class QLabel;
class QLineEdit;
class QToolBar;
class QVBoxLayout;

namespace zv::fw {

// What every master form shares, whatever its header object: the header and
// footer toolbars with the footer object and the status label, the key-press
// filters of its boxes, the main connection, the row lock of the row being
// changed, Select through the general filter, help, and unloading from code.
//
// The single-table masters build on it through MasterForm, the header/detail
// masters through HeaderDetailForm; each of those wires its own header object.
class DataForm : public QDialog, public zv::ui::KeyHandler {
    Q_OBJECT
public:
    ~DataForm() override;

    // Chooses a row through the general filter by screen key: the texts of the
    // chosen grid row, element 0 empty when nothing was chosen. Tests answer it
    // with setGeneralFilter; nullptr restores the real filter window, which
    // also receives the join condition.
    using GeneralFilter = std::function<QStringList(const QString &screenKey)>;
    static void setGeneralFilter(GeneralFilter filter);
    using RealGeneralFilter = std::function<QStringList(const QString &screenKey, const QString &joinCondition)>;
    static void setRealGeneralFilter(RealGeneralFilter filter);
    static QStringList ShowGeneralFilter(const QString &screenKey, const QString &joinCondition = QString());

    // The designed controls, as the forms name them.
    QToolBar *tbHeader = nullptr;
    QToolBar *tbFooter = nullptr;
    QLabel *lblStatus = nullptr;
    QFrame *Frame1 = nullptr;
    clsFooterToolBar tlbFooter;

    QAction *headerButton(const QString &key) const;
    QAction *footerButton(const QString &key) const;

    const QString &mode() const { return m_mode; }
    bool rowLocked() const { return m_lock != nullptr; }

    // A form that unloads itself while it loads is never shown.
    int exec() override;
    void setVisible(bool visible) override;

public slots:
    virtual void tlbHeader_HeaderClick(const QString &Key) = 0;
    virtual void tlbFooter_FooterClick(const QString &Key) = 0;

protected:
    DataForm(const QString &caption, QWidget *parent);

    // The utility object of the form's kind: rights and coded status messages.
    virtual FormUtilityBase &formUtility() = 0;

    // The footer's buttons ("Status", a gap, "Ok", "Cancel" and, when asked,
    // "Reset"), the header built from its keys, then the footer object and the
    // form's own key handler, in the framework's order. The header's clicks go
    // to tlbHeader_HeaderClick.
    template <class Header>
    void setUpToolbars(Header &header, const QStringList &headerKeys, bool withReset) {
        wireToolbars(header, headerKeys, withReset);
        connect(&header, &Header::HeaderClick, this, &DataForm::tlbHeader_HeaderClick);
    }
    // Coded status message in the footer.
    void status(const QString &code, const QString &prefix = QString(), const QString &suffix = QString());
    // The layout inside Frame1 for the form's fields.
    QVBoxLayout *fieldArea() const { return m_fieldArea; }

    // Runs the key presses of a text box through the key-press filter.
    void filterKeys(QLineEdit *box, int mode, const QString &chars, bool flag = false);
    // Refuses every way of pasting into a line edit or an editable combo box
    // (paste keys, context menu, middle click, dropped text), so what reaches
    // it has passed its key rules. The clipboard itself is left alone.
    static void refusePaste(QWidget *box);

    // The main connection, opened again when it was found closed.
    static zv::db::Connection &db();
    static bool dbOpen();

    // Row lock of the row being modified or deleted. False when another
    // connection holds it (any other failure as well: nothing is edited
    // without its lock).
    bool takeRowLock(const QString &table, const QVariant &key);
    void releaseRowLock();

    // Help page of the form.
    void showHelp(const QString &topic);

    // The steps of the header's keys. A key whose step a form does not offer
    // does nothing.
    virtual void add() {}
    virtual void modify() {}
    virtual void remove() {}
    virtual void select() {}
    virtual void refresh() {}
    virtual void detailAdd() {}
    virtual void detailDelete() {}
    virtual void help() {}
    virtual void exitForm() { unload(); }
    // Runs the step of a header key (Add, Modify, Delete, Select, Refresh,
    // DetailAdd, DetailDelete, Help, Exit). Failures reach the caller.
    void runHeaderKey(const QString &key);
    // Runs a button's step; a failure is told in the error message and the
    // form stays as the step left it.
    static void tellingFailures(const std::function<void()> &step);

    // "Yes" to a delete question (Yes and No, No the default, title "Question").
    static bool confirmDelete(const QString &prompt);
    // "Do you want to save the changes you made to '<subject>'?", asked on
    // leaving an edit; some of the questions have a blank before the mark.
    static QString saveChangesQuestion(const QString &subject, bool blankBeforeMark = false);
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
    // Ends the form: withdraws the rights and releases the lock.
    virtual void Form_Unload();

    void KeyDown(int &KeyCode, int Shift) override { Form_KeyDown(KeyCode, Shift); }
    virtual void Form_KeyDown(int &KeyCode, int Shift) = 0;
    void showEvent(QShowEvent *event) override;
    // Esc that reached the dialog itself: the form's key rules decide.
    void reject() override;

    QString m_mode;

private:
    class BoxFilter;
    void wireToolbars(HeaderToolbarBase &header, const QStringList &headerKeys, bool withReset);
    QVBoxLayout *m_fieldArea = nullptr;
    std::unique_ptr<zv::db::RowLock> m_lock;
    zv::ui::KeyFilter m_keyFilter;
    std::vector<std::unique_ptr<BoxFilter>> m_boxFilters;
    bool m_unloading = false;
    bool m_activated = false;
};

inline const QString kDeleteRecord = QStringLiteral("Are you sure you want to delete this record?");

} // namespace zv::fw
