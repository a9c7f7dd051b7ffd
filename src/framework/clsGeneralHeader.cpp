#include "clsGeneralHeader.h"
#include "FrameworkErrors.h"
#include "clsFooterToolBar.h"
#include "clsHeader.h"
#include "platform/db/Connection.h"
#include <QComboBox>

void clsGeneralHeader::ActivateHeaderToolBar(clsHeader *header) {
    if (!header)
        zv::fw::raiseObjectNotSet("header");
    header->setAddEnable(m_addRight);
    header->setModifyEnable(false);
    header->setDeleteEnable(false);
    header->setFilterEnable(true);
    header->setRefreshEnable(false);
    header->setHelpEnable(true);
    header->setExitEnable(true);
}

void clsGeneralHeader::ToolBarsForFilter(clsHeader *header, clsFooterToolBar *footer) {
    if (!header || !footer)
        zv::fw::raiseObjectNotSet(header ? "footer" : "header");
    header->setAddEnable(m_addRight);
    header->setModifyEnable(m_modifyRight);
    header->setDeleteEnable(m_deleteRight);
    header->setFilterEnable(true);
    header->setRefreshEnable(true);
    header->setHelpEnable(true);
    header->setExitEnable(true);
    footer->setStatusVisible(true);
    footer->setRightToolbarVisible(false);
    clearStatus(footer);
}

void clsGeneralHeader::ToolBarsForAdd(clsHeader *header, clsFooterToolBar *footer) {
    if (!header || !footer)
        zv::fw::raiseObjectNotSet(header ? "footer" : "header");
    header->setAddEnable(false);
    header->setModifyEnable(false);
    header->setDeleteEnable(false);
    header->setAttachmentVisible(false);
    header->setFilterEnable(false);
    header->setRefreshEnable(false);
    header->setHelpEnable(true);
    header->setExitEnable(false);
    footer->setStatusVisible(true);
    footer->setRightToolbarVisible(true);
    footer->setResetVisible(true);
    clearStatus(footer);
}

void clsGeneralHeader::ToolBarsForModify(clsHeader *header, clsFooterToolBar *footer) {
    if (!header || !footer)
        zv::fw::raiseObjectNotSet(header ? "footer" : "header");
    header->setAddEnable(false);
    header->setModifyEnable(false);
    header->setDeleteEnable(false);
    header->setAttachmentEnable(false);
    header->setAttachmentVisible(false);
    header->setFilterEnable(false);
    header->setRefreshEnable(false);
    header->setHelpEnable(true);
    header->setExitEnable(false);
    footer->setStatusVisible(true);
    footer->setRightToolbarVisible(true);
    clearStatus(footer);
}

QString clsGeneralHeader::GetCode(const QString &Field, const QVariant &Value, const QString &KeyField,
                                  const QString &Table, const QString &Query, const QVariantList &QueryParams) {
    QVariant v;
    if (!lookUp(Field, Value, KeyField, Table, Query, QueryParams, {.byName = true}, v))
        return QString();
    if (v.isNull())
        throw zv::db::DbError(zv::fw::InvalidUseOfNull, QStringLiteral("Invalid use of Null"),
                              QStringLiteral("zv.framework"));
    return v.toString();
}

void clsGeneralHeader::FillCombo(QComboBox *Combo, const QString &Table, const QString &Field,
                                 const QString &Query, const QVariantList &QueryParams) {
    if (!Combo)
        zv::fw::raiseObjectNotSet("combo box");
    Combo->clear();
    if (Table.isEmpty() && Field.isEmpty() && Query.isEmpty())
        throw zv::db::DbError(201, QStringLiteral("Pass Either Query or First Three Fields "),
                              QStringLiteral("zv.framework"));
    const auto rs = Query.isEmpty()
                        ? conn().query(QStringLiteral("SELECT ") + ident(Field) + QStringLiteral(" FROM ") +
                                       ident(Table) + QStringLiteral(" ORDER BY upper(") + Field +
                                       QLatin1Char(')'))
                        : conn().query(Query, QueryParams);
    if (rs.isEmpty())
        return;
    for (int i = 0; i < rs.recordCount(); ++i)
        Combo->addItem(rs.valueAt(i, 0).toString());
    Combo->setVisible(true);
}

void clsGeneralHeader::UsrClearFooter(clsFooterToolBar *footer) {
    try {
        clearStatus(footer);
    } catch (const std::exception &) {
        // Every change of an input field calls this; a footer not wired yet is no reason to fail.
    }
}
