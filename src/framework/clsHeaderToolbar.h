#pragma once
#include "HeaderToolbarBase.h"

// Header object of the header/detail forms. Hot keys (no Shift, Ctrl or Alt),
// each for a button that is on the toolbar, enabled and visible: F1 Help (the
// key is left to the form as well), F2 Add, F3 Modify, F4 Delete, F5 DetailAdd,
// F6 DetailModify, F7 DetailDelete, F8 Select, F11 Refresh, F12 Print (these
// are swallowed). Esc is left to the form. H_ButtonKey after a click: Add 1,
// Modify 2, Delete 3, Attachment 4, Select 5, DetailAdd 6, DetailModify 7,
// DetailDelete 8, Help leaves it as it was, any other key -1.
class clsHeaderToolbar : public HeaderToolbarBase {
    Q_OBJECT
public:
    explicit clsHeaderToolbar(QObject *parent = nullptr) : HeaderToolbarBase(parent) {}

    bool DetailAddVisible() const { return visibleOf("DetailAdd"); }
    void setDetailAddVisible(bool v) { setVisibleOf("DetailAdd", v); }
    bool DetailModifyVisible() const { return visibleOf("DetailModify"); }
    void setDetailModifyVisible(bool v) { setVisibleOf("DetailModify", v); }
    bool DetailDeleteVisible() const { return visibleOf("DetailDelete"); }
    void setDetailDeleteVisible(bool v) { setVisibleOf("DetailDelete", v); }
    bool AddVisible() const { return visibleOf("Add"); }
    void setAddVisible(bool v) { setVisibleOf("Add", v); }
    bool ModifyVisible() const { return visibleOf("Modify"); }
    void setModifyVisible(bool v) { setVisibleOf("Modify", v); }
    bool DeleteVisible() const { return visibleOf("Delete"); }
    void setDeleteVisible(bool v) { setVisibleOf("Delete", v); }
    bool AttachmentVisible() const { return visibleOf("Attachment"); }
    void setAttachmentVisible(bool v) { setVisibleOf("Attachment", v); }
    bool FilterVisible() const { return visibleOf("Select"); }
    void setFilterVisible(bool v) { setVisibleOf("Select", v); }
    bool HelpVisible() const { return visibleOf("Help"); }
    void setHelpVisible(bool v) { setVisibleOf("Help", v); }
    bool RefreshVisible() const { return visibleOf("Refresh"); }
    void setRefreshVisible(bool v) { setVisibleOf("Refresh", v); }

    bool AddEnable() const { return enabledOf("Add"); }
    void setAddEnable(bool v) { setEnabledOf("Add", v); }
    bool ModifyEnable() const { return enabledOf("Modify"); }
    void setModifyEnable(bool v) { setEnabledOf("Modify", v); }
    bool DeleteEnable() const { return enabledOf("Delete"); }
    void setDeleteEnable(bool v) { setEnabledOf("Delete", v); }
    bool AttachmentEnable() const { return enabledOf("Attachment"); }
    void setAttachmentEnable(bool v) { setEnabledOf("Attachment", v); }
    bool FilterEnable() const { return enabledOf("Select"); }
    void setFilterEnable(bool v) { setEnabledOf("Select", v); }
    bool DetailAddEnable() const { return enabledOf("DetailAdd"); }
    void setDetailAddEnable(bool v) { setEnabledOf("DetailAdd", v); }
    bool DetailModifyEnable() const { return enabledOf("DetailModify"); }
    void setDetailModifyEnable(bool v) { setEnabledOf("DetailModify", v); }
    bool DetailDeleteEnable() const { return enabledOf("DetailDelete"); }
    void setDetailDeleteEnable(bool v) { setEnabledOf("DetailDelete", v); }
    bool HelpEnable() const { return enabledOf("Help"); }
    void setHelpEnable(bool v) { setEnabledOf("Help", v); }
    bool ExitEnable() const { return enabledOf("Exit"); }
    void setExitEnable(bool v) { setEnabledOf("Exit", v); }
    bool RefreshEnable() const { return enabledOf("Refresh"); }
    void setRefreshEnable(bool v) { setEnabledOf("Refresh", v); }

    // Print, Sort and Find: setting them on a toolbar without the button does nothing.
    bool PrintEnable() const { return enabledOf("Print"); }
    void setPrintEnable(bool v) { trySetEnabledOf("Print", v); }
    bool PrintVisible() const { return visibleOf("Print"); }
    void setPrintVisible(bool v) { trySetVisibleOf("Print", v); }
    bool SortEnable() const { return enabledOf("Sort"); }
    void setSortEnable(bool v) { trySetEnabledOf("Sort", v); }
    bool SortVisible() const { return visibleOf("Sort"); }
    void setSortVisible(bool v) { trySetVisibleOf("Sort", v); }
    bool FindEnable() const { return enabledOf("Find"); }
    void setFindEnable(bool v) { trySetEnabledOf("Find", v); }
    bool FindVisible() const { return visibleOf("Find"); }
    void setFindVisible(bool v) { trySetVisibleOf("Find", v); }

signals:
    void HeaderClick(const QString &Key);

protected:
    QString GetToolTip(const QString &key) override;
    int buttonCode(const QString &key, int previous) const override;
    void raiseHeaderClick(const QString &key) override { emit HeaderClick(key); }
    void ParentForm_KeyDown(int &KeyCode, int Shift) override;
};
