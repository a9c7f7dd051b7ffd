#pragma once
#include "AdminForms.h"

class QLineEdit;

// Changes the administrator's password after checking the current one.
class frmChangePswd : public zv::admin::AdminDialog {
    Q_OBJECT
public:
    explicit frmChangePswd(QWidget *parent = nullptr);
    ~frmChangePswd() override;

    void ChangePassword();
    void tlbOkCancel_ButtonClick(int index) override;

    // Characters a password box refuses as they are typed.
    static const QString &RefusedCharacters();
    // Whether a password can be stored and typed again at the login.
    static bool IsUsablePassword(const QString &password);

    bool isDone() const { return m_done; }

    QLineEdit *txtOldPswd = nullptr;
    QLineEdit *txtNewPswd = nullptr;
    QLineEdit *txtConfirmPswd = nullptr;

protected:
    void closeEvent(QCloseEvent *event) override;
    void Form_KeyDown(int &KeyCode, int Shift) override;

private:
    void focusAndSelect(QLineEdit *box);

    bool m_done = false;
    zv::ui::KeyFunctions m_boxKeys;
    zv::ui::KeyFunctions m_confirmKeys;
};
