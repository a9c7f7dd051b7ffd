#pragma once
#include "framework/clsFooterToolBar.h"
#include "framework/clsGeneralHeader.h"
#include "framework/clsHeader.h"
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

namespace zv::masters {

// What every single-table master shares: the header and footer toolbars and
// their objects, the utility object, the modes (view, add, modify) as the
// header's buttons show them, the row lock held from Modify or Delete until
// the save, the cancel or the form's end, the save question on Esc and on the
// close box, Select through the general filter, help and the coded status line.
//
// A form designs its fields inside Frame1, then calls setUpToolbars from its
// constructor. It supplies the steps named after the program's conventions
// (UsrInitializeAllFields, UsrRefreshScreen, the checks and the saves) and its
// header and footer handlers.
class MasterForm : public QDialog, public zv::ui::KeyHandler {
    Q_OBJECT
public:
    ~MasterForm() override;

    // Chooses a row through the general filter by screen key (and the join of
    // the key's tables, where it has several): the texts of the chosen grid
    // row, element 0 empty when nothing was chosen. Tests answer it with
    // setGeneralFilter; nullptr restores the real filter window.
    using GeneralFilter = std::function<QStringList(const QString &screenKey)>;
    static void setGeneralFilter(GeneralFilter filter);
    static QStringList ShowGeneralFilter(const QString &screenKey, const QString &join = QString());

    // The designed controls and objects, as the forms name them.
    QToolBar *tbHeader = nullptr;
    QToolBar *tbFooter = nullptr;
    QLabel *lblStatus = nullptr;
    QFrame *Frame1 = nullptr;
    clsHeader tlbHeader;
    clsFooterToolBar tlbFooter;
    clsGeneralHeader utility;

    QAction *headerButton(const QString &key) const;
    QAction *footerButton(const QString &key) const;

    // "Add" or "Modify": the kind of the add or modify last begun.
    const QString &mode() const { return m_mode; }
    const QString &currentKey() const { return m_currentKey; }
    bool rowLocked() const { return m_lock != nullptr; }
    // An add or modify is open: Modify and Select are both disabled then,
    // while view mode always leaves Select enabled.
    virtual bool isEditing() const;

public slots:
    virtual void tlbHeader_HeaderClick(const QString &Key) = 0;
    virtual void tlbFooter_FooterClick(const QString &Key) = 0;

protected:
    MasterForm(const QString &caption, QWidget *parent);

    // Builds the footer ("Status", a gap, "Ok", "Cancel", "Reset") and wires
    // header, footer and the form's own key handler, in the framework's order.
    void setUpToolbars(const QStringList &headerKeys);
    // The layout inside Frame1 for the form's fields.
    QVBoxLayout *fieldArea() const { return m_fieldArea; }

    // Coded status message in the footer.
    void status(const QString &code, const QString &prefix = QString(), const QString &suffix = QString());
    void clearStatus() { utility.UsrClearFooter(&tlbFooter); }

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

    // Add, Modify and Delete only for the administrator.
    void applyAdminRule(bool withModifyDelete);

    // Help page of the form.
    void showHelp(const QString &topic);

    // Ends the form from code: no question.
    void unload();

    // The activation's structure probe: on failure the form says the
    // production database is corrupted, forgets its path and unloads.
    // An empty probe is not run.
    virtual QString probeSql() const = 0;
    virtual void Form_Activate();
    bool probeTable();
    void showCorrupted();

    // The save question's texts (the close-box wording may differ) and icon.
    virtual QString escQuestion() const = 0;
    virtual QString closeQuestion() const = 0;
    virtual int saveQuestionIcon() const;
    // Esc while editing: Yes runs Ok, No runs Cancel, the form stays open.
    virtual void escYes() { tlbFooter_FooterClick(QStringLiteral("Ok")); }
    virtual void escNo() { tlbFooter_FooterClick(QStringLiteral("Cancel")); }
    // Yes at the close box: true when the edit was saved and the form may close.
    virtual bool saveBeforeClose() = 0;

    void Form_KeyDown(int &KeyCode, int Shift);
    void KeyDown(int &KeyCode, int Shift) override { Form_KeyDown(KeyCode, Shift); }
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void reject() override;

    // Ends the form: withdraws the rights and releases the lock.
    virtual void Form_Unload();

    QString m_mode;
    QString m_currentKey;

private:
    class BoxFilter;
    QString m_caption;
    QVBoxLayout *m_fieldArea = nullptr;
    std::unique_ptr<zv::db::RowLock> m_lock;
    zv::ui::KeyFilter m_keyFilter;
    std::vector<std::unique_ptr<BoxFilter>> m_boxFilters;
    bool m_unloading = false;
    bool m_activated = false;
};

// Shown by the name checks before a save.
inline const QString kInvalidCharacters = QStringLiteral("Invalid character(s) found.\r\n\r\nPlease re-enter");
inline const QString kCorrupted =
    QStringLiteral("Production Database is corrupted. Please reset the Production Database.");

} // namespace zv::masters
