#pragma once
#include "AdminForms.h"
#include "DatabaseFiles.h"

class QLineEdit;
class QPushButton;

// Replaces the production database with a chosen backup copy of it.
class frmRestore : public zv::admin::AdminDialog {
    Q_OBJECT
public:
    explicit frmRestore(QWidget *parent = nullptr);
    ~frmRestore() override;

    void cmdBrowse_Click();
    void RestoreDatabase();
    // The chosen file opens read-only, is a database of this system and passes
    // SQLite's integrity check. The check shows its progress and offers Cancel.
    zv::admin::FileCheck IsValidBackup();
    void tlbOkCancel_ButtonClick(int index) override;

    bool isDone() const { return m_done; }

    QLineEdit *txtPath = nullptr;
    QPushButton *cmdBrowse = nullptr;

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void Form_KeyPress(int &KeyAscii) override { zv::admin::refuseQuoteAndBar(KeyAscii); }

private:
    bool m_done = false;
};
