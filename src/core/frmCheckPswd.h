#pragma once
#include "AdminForms.h"
#include <QDialog>

class QLineEdit;

// Asks for the administrator's password before a guarded step.
class frmCheckPswd : public QDialog {
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
    void tlbOkCancel_ButtonClick(int index);   // 1 OK, 2 Cancel, 3 Help

    // Characters the password box refuses as they are typed.
    static const QString &RefusedCharacters();

    bool validated() const { return m_validated; }
    bool unloaded() const { return m_unloaded; }

    QLineEdit *txtPassword = nullptr;
    zv::admin::OkCancelToolbar tlbOkCancel;

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void reject() override;

private:
    void Form_KeyDown(int &KeyCode, int Shift);

    QString m_text;
    bool m_validated = false;
    bool m_unloaded = false;
    zv::ui::KeyPreview *m_keys = nullptr;
    zv::admin::KeyFunctions m_formKeys;
    zv::admin::KeyFunctions m_boxKeys;
};
