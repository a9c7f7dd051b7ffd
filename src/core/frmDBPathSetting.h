#pragma once
#include "AdminForms.h"

class QFrame;
class QLabel;
class QLineEdit;

// Shows the production database's path (tag "1"), or resets the production
// database to a copy of the empty template (tag "0"). An empty tag shows the path.
class frmDBPathSetting : public zv::admin::AdminDialog {
    Q_OBJECT
public:
    explicit frmDBPathSetting(QWidget *parent = nullptr);
    ~frmDBPathSetting() override;

    // The mode, as the caller sets it (also as the dynamic property "Tag").
    QString tag() const { return property("Tag").toString(); }
    void setTag(const QString &tag) { setProperty("Tag", tag); }
    bool isResetMode() const;

    // Opens the window modally the way the main window's File menu does.
    static void ShowModal(QWidget *parent, bool resetMode);

    void Form_Activate();
    void ResetProductionDatabase();
    bool IsTemplateDatabase();
    void tlbOkCancel_ButtonClick(int index) override;

    QLabel *lblDBPath = nullptr;
    QLineEdit *lbltxtDBPath = nullptr;
    QFrame *fraMsg = nullptr;
    QLabel *lblMsg = nullptr;

protected:
    void showEvent(QShowEvent *event) override;
    void Form_KeyDown(int &KeyCode, int Shift) override;

private:
    void leaveOnProduction();

    zv::ui::KeyFunctions m_pathKeys;
};
