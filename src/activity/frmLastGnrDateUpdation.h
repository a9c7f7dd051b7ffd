#pragma once
#include "core/AdminForms.h"
#include <QElapsedTimer>

class QLabel;
class QProgressBar;

// Recalculates the last generated date of every activity line from the
// schedule entries, after a confirmation, with a progress bar.
class frmLastGnrDateUpdation : public zv::admin::AdminDialog {
    Q_OBJECT
public:
    explicit frmLastGnrDateUpdation(QWidget *parent = nullptr);
    ~frmLastGnrDateUpdation() override;

    void tlbOkCancel_ButtonClick(int index) override;   // 1 OK, 2 Cancel, 3 Help

    // Asks, then rewrites every line's date. On success the completion message
    // is shown and the window unloaded; a failure changes nothing, leaves the
    // window idle and open, and reaches the caller (the button's action tells it).
    void UpdateLastGnrtdDate();

    bool running() const { return m_running; }

    QLabel *lblMsg = nullptr;
    QProgressBar *pbar = nullptr;

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void Form_KeyDown(int &KeyCode, int Shift) override;

private:
    void showProgress(int done, int total);

    bool m_running = false;
    QElapsedTimer m_sincePaint;
};
