#pragma once
#include "FormUtilityBase.h"

class clsHeaderToolbar;

// Form utility object of the header/detail forms: the modes of
// clsGeneralHeader plus the detail buttons, a detail-add mode and a locked
// mode, and the shared status, check and look-up routines.
class clsGeneralDetailHeader : public FormUtilityBase {
    Q_OBJECT
public:
    explicit clsGeneralDetailHeader(QObject *parent = nullptr) : FormUtilityBase(parent) {}

    // View: Add by the add right; Modify, Delete, Refresh, Attachment and the
    // detail buttons off; Select, Help, Exit on.
    void ActivateHeaderToolBar(clsHeaderToolbar *header);
    // Record selected: Add, Modify, Delete by the rights; Select, Refresh, Help,
    // Exit on; Attachment and the detail buttons off; footer buttons hidden, status cleared.
    void ToolBarsForFilter(clsHeaderToolbar *header, clsFooterToolBar *footer);
    // Add: Help, Attachment and DetailAdd on, the rest off but DetailModify and
    // DetailDelete, which stay as they are; footer buttons and Reset shown.
    void ToolBarsForAdd(clsHeaderToolbar *header, clsFooterToolBar *footer);
    // Modify: Help, Attachment and the three detail buttons on, the rest off.
    void ToolBarsForModify(clsHeaderToolbar *header, clsFooterToolBar *footer);
    // Locked: as Modify with DetailModify and DetailDelete off.
    void ToolBarsForLock(clsHeaderToolbar *header, clsFooterToolBar *footer);
    // Detail add: every header button off but Help.
    void ToolBarsForDetailsAdd(clsHeaderToolbar *header, clsFooterToolBar *footer);

    // Empties, disables and greys every text box of the form, greys and
    // disables its combo boxes (keeping their text), clears and disables
    // check boxes and option buttons, disables date editors, hides pictures.
    void DisableControls(QWidget *Container);

    // First column of the first row (of Query when given, else Field of Table
    // where KeyField equals Value) as the column holds it; an empty text when
    // there is no row; failures reach the caller.
    QVariant GetCode(const QString &Field, const QVariant &Value, const QString &KeyField, const QString &Table,
                     const QString &Query = QString(), const QVariantList &QueryParams = {});

    // The clear-status step; failures reach the caller.
    void UsrClearFooter(clsFooterToolBar *footer) { clearStatus(footer); }

private:
    // The header buttons an editing mode leaves enabled (Help always; Exit never).
    struct EditingButtons {
        bool attachment = false;
        bool detailAdd = false;
    };
    void setHeader(clsHeaderToolbar *header, EditingButtons enabled);
};
