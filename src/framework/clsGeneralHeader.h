#pragma once
#include "FormUtilityBase.h"

class clsHeader;
class QComboBox;

// Form utility object of the single-table forms and the report filter forms:
// switches header and footer between the modes view, record selected, add and
// modify, and offers the shared status, check and look-up routines.
class clsGeneralHeader : public FormUtilityBase {
    Q_OBJECT
public:
    explicit clsGeneralHeader(QObject *parent = nullptr) : FormUtilityBase(parent) {}

    // View: Add by the add right; Modify, Delete, Refresh off; Select, Help, Exit on.
    void ActivateHeaderToolBar(clsHeader *header);
    // Record selected: Add, Modify, Delete by the rights; Select, Refresh, Help, Exit on;
    // footer buttons hidden, status cleared.
    void ToolBarsForFilter(clsHeader *header, clsFooterToolBar *footer);
    // Idle footer: no picture, status shown and empty, buttons hidden.
    // Add: every header button off but Help, Attachment hidden; footer buttons and Reset shown.
    void ToolBarsForAdd(clsHeader *header, clsFooterToolBar *footer);
    // Modify: as Add, Attachment also disabled; Reset left as it is.
    void ToolBarsForModify(clsHeader *header, clsFooterToolBar *footer);

    // Field of the first row of Table whose KeyField equals Value, as text, or
    // that column of the first row of Query when that is not blank; "" when
    // there is no row. A Null value (94) and failures reach the caller.
    QString GetCode(const QString &Field, const QVariant &Value, const QString &KeyField, const QString &Table,
                    const QString &Query = QString(), const QVariantList &QueryParams = {});

    // Fills the combo box with the first column of Query, or with Field of
    // Table in alphabetical order; shows the box when rows came. Raises 201
    // when Table, Field and Query are all empty.
    void FillCombo(QComboBox *Combo, const QString &Table, const QString &Field, const QString &Query = QString(),
                   const QVariantList &QueryParams = {});

    // The clear-status step; failures of the footer are ignored.
    void UsrClearFooter(clsFooterToolBar *footer);
};
