#pragma once
#include "AdminForms.h"
#include <QDialog>

class QLineEdit;
class QPushButton;

// Replaces the production database with a chosen backup copy of it.
class frmRestore : public QDialog {
    Q_OBJECT
public:
    explicit frmRestore(QWidget *parent = nullptr);
    ~frmRestore() override;

    void cmdBrowse_Click();
    void RestoreDatabase();
    // The chosen file opens read-only, is a database of this system and passes SQLite's integrity check.
    bool IsValidBackup();
    void tlbOkCancel_ButtonClick(int index);   // 1 OK, 2 Cancel, 3 Help

    bool isDone() const { return m_done; }
    bool unloaded() const { return m_unloaded; }

    QLineEdit *txtPath = nullptr;
    QPushButton *cmdBrowse = nullptr;
    zv::admin::OkCancelToolbar tlbOkCancel;

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void reject() override;

private:
    void Form_KeyDown(int &KeyCode, int Shift);

    bool m_done = false;
    bool m_unloaded = false;
    bool m_placed = false;
    zv::ui::KeyPreview *m_keys = nullptr;
    zv::admin::KeyFunctions m_formKeys;
};
