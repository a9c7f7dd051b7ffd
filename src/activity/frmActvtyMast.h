#pragma once
#include "ActivityGrid.h"
#include "ActivityLines.h"
#include "ActivityModes.h"
#include "ActivityStore.h"
#include "FrequencyPicker.h"
#include "dateinput/clsDATEVALIDATE.h"
#include "framework/clsFooterToolBar.h"
#include "framework/clsGeneralDetailHeader.h"
#include "framework/clsHeaderToolbar.h"
#include "platform/ui/KeyFilter.h"
#include "platform/ui/KeyPreview.h"
#include <QDialog>
#include <memory>
#include <vector>

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QToolBar;

namespace zv::db {
class Connection;
class RowLock;
}

namespace zv::activity {

// The Activity Master: an activity (date of entry, description, remarks)
// with its detail lines. The form wires its parts (the grid of lines, the
// detail frame with the frequency picker) and the store, and runs the modes.
class frmActvtyMast : public QDialog, public zv::ui::KeyHandler {
    Q_OBJECT
public:
    explicit frmActvtyMast(QWidget *parent = nullptr);
    ~frmActvtyMast() override;

    // Controls, as the form names them.
    QToolBar *tbHeader = nullptr;
    QToolBar *tbFooter = nullptr;
    QLabel *lblStatus = nullptr;
    QLineEdit *txtEntryDate = nullptr;
    QLineEdit *txtActDesc = nullptr;
    QLineEdit *txtRemarks = nullptr;
    ActivityGrid *dgdAM = nullptr;
    ActivityLines *fraDet = nullptr;
    FrequencyPicker *picker = nullptr;
    // The detail frame's fields.
    QLineEdit *txtStartDate = nullptr;
    QLineEdit *txtEndDate = nullptr;
    QComboBox *cmbDept = nullptr;
    QComboBox *CmbResP = nullptr;
    QComboBox *cmbAssignedBy = nullptr;
    QComboBox *cmbFreq = nullptr;

    clsHeaderToolbar tlbHeader;
    clsFooterToolBar tlbFooter;
    clsGeneralDetailHeader utility;

    QAction *headerButton(const QString &key) const;
    QAction *footerButton(const QString &key) const;

    // Form state.
    HeaderMode headerMode() const { return m_headerMode; }
    DetailMode detailMode() const { return m_detailMode; }
    qint64 activityKey() const { return m_activity; }
    qint64 lineKey() const { return m_line; }
    bool lineView() const { return m_lineView; }
    bool rowLocked() const { return m_lock != nullptr; }
    // The frame's left edge in twips (180 in view, -15000 pushed away).
    int fraDetLeft() const;

public slots:
    void tlbHeader_HeaderClick(const QString &Key);
    void tlbFooter_FooterClick(const QString &Key);

protected:
    void KeyDown(int &KeyCode, int Shift) override { Form_KeyDown(KeyCode, Shift); }
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void reject() override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // ------------------------------------------------------ form and header
    void Form_Load();
    void Form_Activate();
    void Form_KeyDown(int &KeyCode, int Shift);
    // The closing logic; true when the form may close.
    bool Form_QueryUnload();
    void unload();
    bool editing() const;
    ButtonCode buttonCode() const { return ButtonCode(tlbHeader.H_ButtonKey()); }
    void setButtonCode(ButtonCode code) { tlbHeader.setH_ButtonKey(int(code)); }
    void status(const QString &code, const QString &prefix = QString(), const QString &suffix = QString());
    void clearStatus();
    zv::db::Connection &db();
    ActivityStore store();

    void headerAdd();
    void headerModify();
    void headerDelete();
    void headerSelect();
    void headerDetailAdd();
    void headerDetailModify();
    void headerDetailDelete();
    void activityGone(const QString &prefix);
    // Before the activity is changed: false, with the reason shown, when it is
    // gone or another user holds it. Otherwise its lock is ours if it could be
    // taken (rowLocked()).
    bool activityFree(const QString &gonePrefix, const QString &lockedCode);
    // Ok of each mode; false when it was refused or failed (the form stays in its mode).
    bool okDetailAdd();
    bool okDetailModify();
    bool okHeaderAdd();
    bool okHeaderModify();
    bool footerOk();
    bool footerOkSteps();
    void footerCancel();
    // After a save: the lock goes, the fields are locked, no mode is left and
    // the grid is refilled from its first line; code is the status shown.
    bool savedAndRefilled(const QString &code);
    // The detail frame is left: no mode, no line.
    void leaveDetail();
    // The line being modified got generated entries meanwhile: it is shown
    // again as it now is, only its end date open.
    void lineGotEntries();
    // An unexpected failure of a routine: its description and the routine's phrase.
    void failed(const std::exception &e, const QString &where, bool withNumber = false);

    bool ValidateHeader();
    bool InsertHeader();
    bool UpdateHeader();
    void DisplayActivity();
    void CancelAdd();
    void CancelModify();
    void DisableHeaderFields();
    void ClearFields();
    void EnableHeaderForAdd();
    void EnableHeaderForModify();
    void EnableDetailForAdd();
    void EnableDetailForModify();
    void DisableDetail();
    bool InsertDetail(qint64 replaceLine = 0);
    bool UpdateDetail();
    void releaseLock();
    void showHelp();
    void FillDetailGrid();
    bool DeleteHeader();
    bool CheckHeaderLock();
    bool CheckAssignBy();
    void dgdAM_DblClick();
    void dgdAM_RowColChange();
    void detailButtonsByRow();

    // ------------------------------------------------------ state
    HeaderMode m_headerMode = HeaderMode::None;
    DetailMode m_detailMode = DetailMode::None;
    qint64 m_activity = 0;
    qint64 m_line = 0;
    QDate m_entryDate;
    int m_gridBookmark = 0;
    bool m_lineView = false;
    bool m_closing1 = false;   // Esc or Exit
    bool m_closing2 = false;   // Esc
    bool m_unloading = false;
    bool m_activated = false;
    int m_fraLeft = 180;
    int m_fraTop = 0;
    QWidget *m_detailArea = nullptr;

    std::unique_ptr<zv::db::RowLock> m_lock;
    clsDATEVALIDATE m_entryDateBox;
    clsDATEVALIDATE m_checkDate;
    zv::ui::KeyFilter KeyFilter;
    std::vector<std::unique_ptr<zv::ui::KeyFunctions>> m_controlKeys;
};

} // namespace zv::activity
