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

    bool DetailAddEnable() const { return enabledOf("DetailAdd"); }
    void setDetailAddEnable(bool v) { setEnabledOf("DetailAdd", v); }
    bool DetailModifyEnable() const { return enabledOf("DetailModify"); }
    void setDetailModifyEnable(bool v) { setEnabledOf("DetailModify", v); }
    bool DetailDeleteEnable() const { return enabledOf("DetailDelete"); }
    void setDetailDeleteEnable(bool v) { setEnabledOf("DetailDelete", v); }

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
