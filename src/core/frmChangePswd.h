#pragma once
#include "AdminForms.h"
#include <QDialog>

class QLineEdit;

// Changes the administrator's password after checking the current one.
class frmChangePswd : public QDialog {
    Q_OBJECT
public:
    explicit frmChangePswd(QWidget *parent = nullptr);
    ~frmChangePswd() override;

    void ChangePassword();
    void tlbOkCancel_ButtonClick(int index);   // 1 OK, 2 Cancel, 3 Help

    // Characters a password box refuses as they are typed.
    static const QString &RefusedCharacters();
    // Whether a password can be stored and typed again at the login.
    static bool IsUsablePassword(const QString &password);

    bool isDone() const { return m_done; }
    bool unloaded() const { return m_unloaded; }

    QLineEdit *txtOldPswd = nullptr;
    QLineEdit *txtNewPswd = nullptr;
    QLineEdit *txtConfirmPswd = nullptr;
    zv::admin::OkCancelToolbar tlbOkCancel;

protected:
    void closeEvent(QCloseEvent *event) override;
    void reject() override;

private:
    void Form_KeyDown(int &KeyCode, int Shift);
    void focusAndSelect(QLineEdit *box);

    bool m_done = false;
    bool m_unloaded = false;
    zv::ui::KeyPreview *m_keys = nullptr;
    zv::admin::KeyFunctions m_formKeys;
    zv::admin::KeyFunctions m_boxKeys;
    zv::admin::KeyFunctions m_confirmKeys;
};
