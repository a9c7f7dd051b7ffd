#pragma once
#include "DataForm.h"
#include "TextRules.h"
#include "framework/clsGeneralHeader.h"
#include "framework/clsHeader.h"
#include <initializer_list>

namespace zv::fw {

// What every single-table master shares: on top of DataForm, the header
// object and the utility object of single-table forms, the modes (view, add,
// modify) as the header's buttons show them, the row lock held from Modify or
// Delete until the save, the cancel or the form's end, and the save question
// on Esc and on the close box.
//
// A form designs its fields inside Frame1, then calls setUpToolbars from its
// constructor. It supplies the steps named after the program's conventions
// (UsrInitializeAllFields, UsrRefreshScreen, the checks and the saves) and its
// header and footer handlers.
class MasterForm : public DataForm {
    Q_OBJECT
public:
    ~MasterForm() override;

    clsHeader tlbHeader;
    clsGeneralHeader utility;

    const QString &currentKey() const { return m_currentKey; }

public slots:
    // The status cleared, the form's own check, then the key's step. A delete
    // refused for related rows shows ZVE030; any other failure drops the row
    // lock, leaves an edit that was not open in view mode, and is shown once.
    void tlbHeader_HeaderClick(const QString &Key) override;

protected:
    MasterForm(const QString &caption, QWidget *parent, FormServices services);

    // After a failed header step: no row lock, and no mode unless the key was
    // pressed during an edit (Help), which the failure leaves open.
    void backFromFailure(bool wasEditing);
    // Before a header key's step: false stops it (the form has said why).
    virtual bool headerKeyAllowed(const QString &Key) {
        (void)Key;
        return true;
    }

    FormUtilityBase &formUtility() override { return utility; }
    // The toolbars, the footer with "Reset".
    void setUpToolbars(const QStringList &headerKeys) { DataForm::setUpToolbars(tlbHeader, headerKeys, true); }


    // Add, Modify and Delete only for the administrator.
    void applyAdminRule(bool withModifyDelete);

    // The field steps the shared routines run; a form without such a step
    // leaves it out.
    virtual void UsrInitializeAllFields() {}
    virtual void UsrSetFieldsToDisableMode() {}
    // Line edits open for typing (white) or closed (grey): a list of them, or
    // the boxes named in braces (setFieldsOpen({txtA, txtB}, false)).
    static void setFieldOpen(QWidget *field, bool open);
    template <class Field>
    static void setFieldsOpen(const QList<Field *> &fields, bool open) {
        for (Field *f : fields)
            setFieldOpen(f, open);
    }
    static void setFieldsOpen(std::initializer_list<QWidget *> fields, bool open) {
        for (QWidget *f : fields)
            setFieldOpen(f, open);
    }
    // View mode without a row: the header and footer of view mode, the fields emptied.
    void emptyView();
    // After a save: the row selected, its status shown, the fields closed.
    void showSaved(const QString &code);
    // A save of a modify writes only under the row lock, and only its own row.
    void requireRowLock() const;
    static void requireOneRowChanged(int changed);

    // The key of the current row as the table holds it.
    QVariant keyValue() const { return m_currentKey.toLongLong(); }
    // Shows the row again (Refresh), then the status when one is given; no mode.
    void backToView(const QString &code = QString());
    // Takes the row lock of the current row for Modify. False, the row shown
    // again and no lock held, when another user holds it (ZVE027) or when the
    // row went before the lock was ours (stillThere false: ZVE035).
    bool lockForModify(const QString &table, const std::function<bool()> &stillThere);
    // Help during an add or modify keeps the edit (the header took Help's
    // code for the click: the form's mode is recorded again).
    void showHelpKeepingEdit(const QString &topic);

    // The activation's structure probe. probeTable: false when the file is
    // damaged or the table or a column is missing; any other failure (another
    // program holds the file) is thrown as it is. An empty probe is not run.
    virtual QString probeSql() const = 0;
    void Form_Activate() override;
    bool probeTable();
    // The reads a form needs before it can show anything; false when they
    // failed. A damaged file or a missing table is told as corrupted, the
    // path forgotten and the form ended; anything else (another program holds
    // the file) is told as the failure it is, the path kept, and the form
    // ends only when endWhenNotDamage.
    bool readsOrEnd(const std::function<void()> &reads, bool endWhenNotDamage = true);
    bool probeOrEnd();
    void showCorrupted();

    // Each master words its save question and saves at the close box
    // (the question itself is DataForm's).
    QString escQuestion() const override = 0;
    QString closeQuestion() const override = 0;
    bool saveBeforeClose() override = 0;

    QString m_currentKey;
};

// Shown when the activation's probe fails.
inline const QString kCorrupted =
    QStringLiteral("Production Database is corrupted. Please reset the Production Database.");

} // namespace zv::fw
