#pragma once
#include <QObject>
#include <QString>
#include <QVariant>
#include <QVariantList>

class clsFooterToolBar;
class QWidget;

namespace zv::db {
class Connection;
}

// What the two form utility objects share: the user's rights, coded status
// messages from Err_Msg in the footer, field checks and the small database
// helpers, all on the main connection (modCommon::MainConnection, reopened when closed).
//
// SQL: table and column names are the program's own (letters, digits and '_'
// only, else the statement fails with -2147217900); every value goes in bound,
// through ? placeholders in a condition and the list of values that goes with
// it. No typed text is ever pasted into a statement.
class FormUtilityBase : public QObject {
public:
    // The clear-status step: a non-empty status is emptied together with its picture.
    static void clearStatus(clsFooterToolBar *footer);
    // The footer of view mode: no picture, the status shown, the right buttons hidden.
    void ActivateFooterToolBar(clsFooterToolBar *footer);
    void UsrSetValue() { m_addRight = m_modifyRight = m_deleteRight = true; }
    void UsrResetValue() { m_addRight = m_modifyRight = m_deleteRight = false; }

    // Looks the code up in Err_Msg and shows "CODE - prefix message suffix" in
    // the footer with the picture of the row's Err_Type (F none, S confirmation,
    // W warning in red, I information, E critical; anything else keeps the
    // picture). A code that is not in the table leaves the footer untouched.
    // Does not let pending events run. A failed read reaches the caller: it
    // ends the action, the footer as it was.
    void DisplayStatus(const QString &Code, clsFooterToolBar *footer, const QString &Prefix = QString(),
                       const QString &Suffix = QString());

    // True when the control's text, trimmed, is empty: then shows ZVE007 (mode 0),
    // ZVE164 (1) or ZVE165 (2) with the prefix (other modes show nothing) and
    // moves the focus to the control when it is enabled. Line edits, combo
    // boxes, list views and anything with a "text" property qualify.
    bool CheckNullText(QWidget *Control, clsFooterToolBar *footer, const QString &Prefix, int Mode);
    // True (and ZVE022 shown, focus moved) when the text is shorter than 4 characters.
    bool ChequePswdLengthTest(QWidget *Control, clsFooterToolBar *footer, const QString &Prefix);
    // True (and ZVE006 shown) when a row of Table meets the condition, or the
    // alternative condition when that is not empty. Conditions carry no WHERE.
    // A failed read is no answer: it reaches the caller.
    bool ChequeDuplicateRecord(const QString &Table, const QString &Condition, const QVariantList &Params,
                               clsFooterToolBar *footer, const QString &Prefix,
                               const QString &AltCondition = QString(), const QVariantList &AltParams = {},
                               const QString &FieldName = QString());

    // Field of the first row of Table whose KeyField equals Value (a number
    // when Value reads as one), or of the first row of Query when that is not
    // blank; "" when there is no row. A Null value (94) and failures reach the caller.
    QString GetCodeNum(const QString &Field, const QVariant &Value, const QString &KeyField,
                       const QString &Table, const QString &Query = QString(),
                       const QVariantList &QueryParams = {});

    // Whether Table has a row meeting Where ("WHERE ..." with ? placeholders;
    // empty: any row). Failures reach the caller.
    bool RecordExists(const QString &Table, const QString &Where = QString(), const QVariantList &Params = {});

    // Deletes the rows of Table meeting Where, holding their row locks while it
    // does. "DELETE" rows deleted; "NOTDELETE" no row matched; "Link" other rows
    // refer to them (ZVE030 shown); "NOTUPDATE" a row is locked by another user
    // (ZVE028 shown). Any other failure reaches the caller, nothing deleted.
    QString DeleteRecord(const QString &Table, const QString &Where, const QVariantList &Params,
                         clsFooterToolBar *footer);

protected:
    explicit FormUtilityBase(QObject *parent) : QObject(parent) {}

    // The main connection, reopened when it was closed (modCommon::MainConnection).
    static zv::db::Connection &conn();
    // Throws -2147217900 unless name is a plain identifier.
    static const QString &ident(const QString &name);
    static QVariant keyValue(const QVariant &value, bool numeric);
    // First row of the look-up as a recordset cell: throws when nothing was asked.
    // How a look-up matches its key and reads its answer.
    struct LookUpKind {
        bool numericKey = false;   // the key compared as a number
        bool byName = false;       // the answer read by the field's name, not as the first column
    };
    static bool lookUp(const QString &Field, const QVariant &Value, const QString &KeyField, const QString &Table,
                       const QString &Query, const QVariantList &QueryParams, LookUpKind kind,
                       QVariant &out);
    static QString textOf(QWidget *control);

    bool m_addRight = false;
    bool m_modifyRight = false;
    bool m_deleteRight = false;
};
