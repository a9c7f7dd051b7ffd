#pragma once
#include "FormKeys.h"
#include "ImageList.h"
#include <QObject>
#include <QPointer>
#include <QToolBar>
#include <QStringList>
#include <memory>

class QAction;

// What the two header objects share: they build the form's (empty) header
// toolbar from a list of keys, read and write each button's Visible and
// Enabled by key, keep H_ButtonKey and turn clicks and hot keys into HeaderClick.
//
// Wiring, in this order: setformname, setToolBarName, setImageListName, LoadImages.
class HeaderToolbarBase : public QObject {
public:
    ~HeaderToolbarBase() override;

    void setToolBarName(QToolBar *toolbar);
    QToolBar *ToolBarName() const { return m_tlbHeader; }
    void setformname(QWidget *form);
    QWidget *formname() const { return m_parentForm; }
    // Keeps the list; it serves LoadImages. Never fails.
    void setImageListName(std::shared_ptr<const ImageList> images) { m_images = std::move(images); }
    std::shared_ptr<const ImageList> ImageListName() const { return m_images; }

    // One button per key, in order, with the picture and tooltip of its key;
    // "Separator" makes a separator. Stops at the first failure (a key without
    // a picture: 35601; a key already on the toolbar: 35602), keeping the
    // buttons added before it.
    void LoadImages(const QStringList &keys);

    int H_ButtonKey() const { return m_buttonKey; }
    void setH_ButtonKey(int code) { m_buttonKey = code; }

    // A click on a button: H_ButtonKey first, then HeaderClick. Also used by the hot keys.
    void tlbHeader_ButtonClick(QAction *button);

    // The buttons both header objects have.
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
    bool HelpEnable() const { return enabledOf("Help"); }
    void setHelpEnable(bool v) { setEnabledOf("Help", v); }
    bool ExitEnable() const { return enabledOf("Exit"); }
    void setExitEnable(bool v) { setEnabledOf("Exit", v); }
    bool RefreshEnable() const { return enabledOf("Refresh"); }
    void setRefreshEnable(bool v) { setEnabledOf("Refresh", v); }

protected:
    explicit HeaderToolbarBase(QObject *parent);

    // Reading or writing a property of a button that is not on the toolbar fails with 35601.
    bool visibleOf(const char *key) const;
    void setVisibleOf(const char *key, bool visible);
    bool enabledOf(const char *key) const;
    void setEnabledOf(const char *key, bool enabled);
    // The same, ignoring every failure.
    void trySetVisibleOf(const char *key, bool visible);
    void trySetEnabledOf(const char *key, bool enabled);
    QAction *findButton(const QString &key) const;
    // Clicks the button of key when the form's hot key may: it is on the
    // toolbar, enabled and visible. Returns whether it clicked.
    bool hotKeyClick(const QString &key, int &KeyCode, bool consumeKey);

    virtual QString GetToolTip(const QString &key) = 0;
    virtual int buttonCode(const QString &key, int previous) const = 0;
    virtual void raiseHeaderClick(const QString &key) = 0;
    virtual void ParentForm_KeyDown(int &KeyCode, int Shift) = 0;

private:
    QToolBar *toolbar() const;

    QPointer<QToolBar> m_tlbHeader;
    QPointer<QWidget> m_parentForm;
    std::shared_ptr<const ImageList> m_images;
    int m_buttonKey = 0;
    QMetaObject::Connection m_clicks;
    zv::fw::FormKeyHook m_keys;
};
