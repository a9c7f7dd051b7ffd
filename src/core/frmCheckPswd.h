#pragma once
#include "AdminForms.h"

class QLineEdit;

// Asks for the administrator's password before a guarded step.
class frmCheckPswd : public zv::admin::AdminDialog {
    Q_OBJECT
public:
    explicit frmCheckPswd(QWidget *parent = nullptr);
    ~frmCheckPswd() override;

    // Shows the prompt modally; true only when the administrator's password was entered.
    bool UsrCheckShowForm(QString &text);
    // The same on a prompt of its own.
    static bool Ask(QString &text, QWidget *parent = nullptr);

    void Form_Load();
    void CheckPassword();
    void tlbOkCancel_ButtonClick(int index) override;

    // Characters the password box refuses as they are typed.
    static const QString &RefusedCharacters();

    bool validated() const { return m_validated; }

    QLineEdit *txtPassword = nullptr;

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    QString m_text;
    bool m_validated = false;
    zv::ui::KeyFunctions m_boxKeys;
};
