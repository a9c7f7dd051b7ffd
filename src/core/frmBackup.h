#pragma once
#include "AdminForms.h"
#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

// Copies the production database to a folder and file name the administrator chooses.
class frmBackup : public QDialog {
    Q_OBJECT
public:
    explicit frmBackup(QWidget *parent = nullptr);
    ~frmBackup() override;

    void BrowseFolder();
    void BackupDatabase();
    void tlbOkCancel_ButtonClick(int index);   // 1 OK, 2 Cancel, 3 Help

    bool isDone() const { return m_done; }
    bool unloaded() const { return m_unloaded; }

    QLineEdit *txtPath = nullptr;
    QLineEdit *txtFile = nullptr;
    QPushButton *cmbChange = nullptr;
    zv::admin::OkCancelToolbar tlbOkCancel;

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void reject() override;

private:
    void Form_KeyDown(int &KeyCode, int Shift);
    void txtFile_KeyPress(int &KeyAscii);
    QString destinationPath() const;
    void completed();

    bool m_done = false;
    bool m_unloaded = false;
    bool m_placed = false;
    zv::ui::KeyPreview *m_keys = nullptr;
    zv::admin::KeyFunctions m_formKeys;
    zv::admin::KeyFunctions m_pathKeys;
    zv::admin::KeyFunctions m_fileKeys;
};
