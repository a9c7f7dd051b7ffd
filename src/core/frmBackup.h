#pragma once
#include "AdminForms.h"

class QLabel;
class QLineEdit;
class QPushButton;

// Copies the production database to a folder and file name the administrator chooses.
class frmBackup : public zv::admin::AdminDialog {
    Q_OBJECT
public:
    explicit frmBackup(QWidget *parent = nullptr);
    ~frmBackup() override;

    void BrowseFolder();
    void BackupDatabase();
    void tlbOkCancel_ButtonClick(int index) override;

    bool isDone() const { return m_done; }

    QLineEdit *txtPath = nullptr;
    QLineEdit *txtFile = nullptr;
    QPushButton *cmbChange = nullptr;

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void Form_KeyDown(int &KeyCode, int Shift) override;
    void Form_KeyPress(int &KeyAscii) override { zv::admin::refuseQuoteAndBar(KeyAscii); }

private:
    void txtFile_KeyPress(int &KeyAscii);
    QString destinationPath() const;
    void copyInBackground(const QString &source, const QString &destination, bool overwrite);
    void completed();

    bool m_done = false;
    zv::ui::KeyFunctions m_pathKeys;
    zv::ui::KeyFunctions m_fileKeys;
};
