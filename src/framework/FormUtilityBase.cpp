#include "FormUtilityBase.h"
#include "FormBase.h"
#include "FrameworkErrors.h"
#include "clsFooterToolBar.h"
#include "core/modCommon.h"
#include "platform/db/Connection.h"
#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QWidget>
#include <memory>
#include <vector>

using zv::db::DbError;
namespace err = zv::db::err;

zv::db::Connection &FormUtilityBase::conn() { return modCommon::MainConnection(); }

const QString &FormUtilityBase::ident(const QString &name) {
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
    if (!plain.match(name).hasMatch())
        throw DbError(err::SyntaxError, QStringLiteral("Not a table or column name: '%1'").arg(name),
                      QStringLiteral("zv.framework"));
    return name;
}

void FormUtilityBase::clearStatus(clsFooterToolBar *footer) {
    if (!footer)
        zv::fw::raiseObjectNotSet("footer");
    if (!footer->Status().isEmpty()) {
        footer->setSelectPicture(clsFooterToolBar::NoPicture);
        footer->setStatus(QString());
    }
}

void FormUtilityBase::DisplayStatus(const QString &Code, clsFooterToolBar *footer, const QString &Prefix,
                                    const QString &Suffix) {
    auto rs = conn().query(QStringLiteral("SELECT Err_Code, Err_Msg, Err_Type FROM Err_Msg WHERE Err_Code = ?"),
                           {Code});
    if (rs.isEmpty())
        return;
    if (!footer)
        zv::fw::raiseObjectNotSet("footer");
    rs.moveFirst();
    static const QString types = QStringLiteral("SWIEF");   // index = picture kind
    const QString type = rs.text(QStringLiteral("Err_Type")).trimmed();
    const int kind = type.size() == 1 ? types.indexOf(type.at(0)) : -1;
    if (kind >= 0)
        footer->setSelectPicture(kind);
    // No yielding to pending events here: a queued click must not run
    // between the picture and the text.
    footer->setStatusVisible(true);
    footer->setStatus(rs.text(QStringLiteral("Err_Code")) + QStringLiteral(" - ") + Prefix + QLatin1Char(' ') +
                      rs.text(QStringLiteral("Err_Msg")) + QLatin1Char(' ') + Suffix);
}

QString FormUtilityBase::textOf(QWidget *control) {
    if (!control)
        zv::fw::raiseObjectNotSet("control");
    if (auto *edit = qobject_cast<QLineEdit *>(control))
        return edit->text();
    if (auto *combo = qobject_cast<QComboBox *>(control))
        return combo->currentText();
    if (auto *plain = qobject_cast<QPlainTextEdit *>(control))
        return plain->toPlainText();
    if (auto *view = qobject_cast<QAbstractItemView *>(control))
        return view->currentIndex().data().toString();
    const QVariant text = control->property("text");
    if (!text.isValid())
        throw DbError(438, QStringLiteral("Object doesn't support this property or method"),
                      QStringLiteral("zv.framework"));
    return text.toString();
}

bool FormUtilityBase::CheckNullText(QWidget *Control, clsFooterToolBar *footer, const QString &Prefix, int Mode) {
    if (!textOf(Control).trimmed().isEmpty())
        return false;
    static const char *const codes[] = {"ZVE007", "ZVE164", "ZVE165"};
    if (Mode >= 0 && Mode <= 2)
        DisplayStatus(QString::fromLatin1(codes[Mode]), footer, Prefix, QString());
    if (Control->isEnabled())
        Control->setFocus();
    return true;
}

bool FormUtilityBase::ChequePswdLengthTest(QWidget *Control, clsFooterToolBar *footer, const QString &Prefix) {
    if (textOf(Control).size() >= 4)
        return false;
    DisplayStatus(QStringLiteral("ZVE022"), footer, Prefix, QString());
    if (Control->isEnabled())
        Control->setFocus();
    return true;
}

bool FormUtilityBase::ChequeDuplicateRecord(const QString &Table, const QString &Condition,
                                            const QVariantList &Params, clsFooterToolBar *footer,
                                            const QString &Prefix, const QString &AltCondition,
                                            const QVariantList &AltParams, const QString & /*FieldName*/) {
    const bool alt = !AltCondition.isEmpty();
    const QString sql = QStringLiteral("SELECT 1 FROM ") + ident(Table) + QStringLiteral(" WHERE ") +
                        (alt ? AltCondition : Condition) + QStringLiteral(" LIMIT 1");
    const bool found = !conn().query(sql, alt ? AltParams : Params).isEmpty();
    if (found)
        DisplayStatus(QStringLiteral("ZVE006"), footer, Prefix, QString());
    return found;
}

QVariant FormUtilityBase::keyValue(const QVariant &value, bool numeric) {
    if (!numeric)
        return value.isNull() ? value : QVariant(value.toString());
    if (value.typeId() != QMetaType::QString)
        return value;
    const QString text = value.toString().trimmed();
    bool ok = false;
    if (const qlonglong n = text.toLongLong(&ok); ok)
        return n;
    if (const double d = text.toDouble(&ok); ok)
        return d;
    return value;   // not a number: matches no numeric key
}

bool FormUtilityBase::lookUp(const QString &Field, const QVariant &Value, const QString &KeyField,
                             const QString &Table, const QString &Query, const QVariantList &QueryParams,
                             LookUpKind kind, QVariant &out) {
    zv::db::Recordset rs;
    if (Query.trimmed().isEmpty())
        rs = conn().query(QStringLiteral("SELECT ") + ident(Field) + QStringLiteral(" FROM ") + ident(Table) +
                              QStringLiteral(" WHERE ") + ident(KeyField) + QStringLiteral(" = ? LIMIT 1"),
                          {keyValue(Value, kind.numericKey)});
    else
        rs = conn().query(Query, QueryParams);
    if (rs.isEmpty())
        return false;
    rs.moveFirst();
    out = kind.byName ? rs.value(Field) : rs.value(0);
    return true;
}

QString FormUtilityBase::GetCodeNum(const QString &Field, const QVariant &Value, const QString &KeyField,
                                    const QString &Table, const QString &Query, const QVariantList &QueryParams) {
    QVariant v;
    if (!lookUp(Field, Value, KeyField, Table, Query, QueryParams, {.numericKey = true, .byName = true}, v))
        return QString();
    if (v.isNull())
        throw DbError(zv::fw::InvalidUseOfNull, QStringLiteral("Invalid use of Null"), QStringLiteral("zv.framework"));
    return v.toString();
}

bool FormUtilityBase::RecordExists(const QString &Table, const QString &Where, const QVariantList &Params) {
    const QString sql = QStringLiteral("SELECT 1 FROM ") + ident(Table) + QLatin1Char(' ') + Where +
                        QStringLiteral(" LIMIT 1");
    return !conn().query(sql, Params).isEmpty();
}

QString FormUtilityBase::DeleteRecord(const QString &Table, const QString &Where, const QVariantList &Params,
                                      clsFooterToolBar *footer) {
    auto &c = conn();
    const QString from = ident(Table) + QLatin1Char(' ') + Where;
    auto rows = c.query(QStringLiteral("SELECT rowid FROM ") + from, Params);
    if (rows.isEmpty())
        return QStringLiteral("NOTDELETE");
    try {
        // Rows another user holds for editing are not deleted from under him.
        std::vector<std::unique_ptr<zv::db::RowLock>> locks;
        for (int i = 0; i < rows.recordCount(); ++i)
            locks.push_back(c.lockRow(Table, rows.valueAt(i, 0)));
        zv::db::Transaction t(c);
        c.execute(QStringLiteral("DELETE FROM ") + from, Params);
        t.commit();
        return QStringLiteral("DELETE");
    } catch (const zv::db::RowHeld &) {
        DisplayStatus(QStringLiteral("ZVE028"), footer, QString(), QString());
        return QStringLiteral("NOTUPDATE");
    } catch (const DbError &e) {
        if (e.number() == err::NoCurrentRecord)
            return QStringLiteral("NOTDELETE");
        if (e.number() != err::RelatedRows)
            throw;
        DisplayStatus(QStringLiteral("ZVE030"), footer, QString(), QString());
        return QStringLiteral("Link");
    }
}

void FormUtilityBase::ActivateFooterToolBar(clsFooterToolBar *footer) {
    if (!footer)
        zv::fw::raiseObjectNotSet("footer");
    footer->setSelectPicture(clsFooterToolBar::NoPicture);
    footer->setStatusVisible(true);
    footer->setRightToolbarVisible(false);
    footer->setStatus(QString());
}

