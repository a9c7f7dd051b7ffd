#pragma once
#include "HeaderToolbarBase.h"

// Header object of the single-table forms and report filter forms. Hot keys
// (no Shift, Ctrl or Alt): F1 Help, F2 Add, F3 Modify, F4 Delete, F8 Select,
// F11 Refresh, each only for a button that LoadImages put on this toolbar and
// that is enabled and visible; the key is then swallowed. F7, F12 and Esc are
// left to the form. H_ButtonKey after a click: Add 1, Modify 2, Delete 3,
// Attachment 4, Select 5, Refresh 6, any other key 0.
class clsHeader : public HeaderToolbarBase {
    Q_OBJECT
public:
    explicit clsHeader(QObject *parent = nullptr) : HeaderToolbarBase(parent) {}

    bool PrintVisible() const { return visibleOf("Print"); }
    void setPrintVisible(bool v) { setVisibleOf("Print", v); }

    bool PrintEnable() const { return enabledOf("Print"); }
    void setPrintEnable(bool v) { setEnabledOf("Print", v); }

signals:
    void HeaderClick(const QString &Key);

protected:
    QString GetToolTip(const QString &key) override;
    int buttonCode(const QString &key, int previous) const override;
    void raiseHeaderClick(const QString &key) override { emit HeaderClick(key); }
    void ParentForm_KeyDown(int &KeyCode, int Shift) override;

private:
    // Keys whose hot key works: set when LoadImages puts their button on the toolbar.
    QStringList m_loaded;
};
