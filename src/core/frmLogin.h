#pragma once
#include <QDialog>
#include <memory>

class QAction;
class QLineEdit;

namespace zv::ui {
class KeyPreview;
class KeyHandler;
}

// The administrator's login. The user name is required but not compared with
// anything: the password alone identifies the one administrator.
class frmLogin : public QDialog {
    Q_OBJECT
public:
    // The default instance: created on first use, released by releaseInstance.
    static frmLogin *instance();
    static frmLogin *existingInstance();
    static void releaseInstance();

    explicit frmLogin(QWidget *parent = nullptr);
    ~frmLogin() override;

    QLineEdit *txtUserName = nullptr;
    QLineEdit *txtPassword = nullptr;
    QWidget *tlbOkCancel = nullptr;   // the OK and Cancel picture buttons
    QAction *btnOk = nullptr;       // button 1
    QAction *btnCancel = nullptr;   // button 2

    bool loginSucceeded() const { return mLoginSucceeded; }

public slots:
    // Button 1 logs in; any other button cancels.
    void tlbOkCancel_ButtonClick(int button);

protected:
    void closeEvent(QCloseEvent *e) override;
    void reject() override;

private:
    void login();
    void giveFocus(QLineEdit *box);

    bool mLoginSucceeded = false;
    zv::ui::KeyPreview *m_keys = nullptr;
    std::unique_ptr<zv::ui::KeyHandler> m_formKeys;
    std::unique_ptr<zv::ui::KeyHandler> m_userKeys;
    std::unique_ptr<zv::ui::KeyHandler> m_passwordKeys;
};
