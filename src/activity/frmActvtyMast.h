#pragma once
#include "framework/FormServices.h"
#include "ActivityGrid.h"
#include "ActivityLines.h"
#include "ActivityModes.h"
#include "ActivityStore.h"
#include "FrequencyPicker.h"
#include "dateinput/clsDATEVALIDATE.h"
#include "framework/HeaderDetailForm.h"
#include "platform/ui/MessageService.h"

class QComboBox;
class QLineEdit;

namespace zv::activity {

// The Activity Master: an activity (date of entry, description, remarks)
// with its detail lines. The form wires its parts (the grid of lines, the
// detail frame with the frequency picker) and the store, and runs the modes;
// the toolbars, status, connection, row lock, header keys and the error path
// are the header/detail form's.
class frmActvtyMast : public zv::fw::HeaderDetailForm {
    Q_OBJECT
public:
    explicit frmActvtyMast(QWidget *parent, zv::fw::FormServices services);
    ~frmActvtyMast() override;

    // Controls, as the form names them.
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

    // Form state.
    HeaderMode headerMode() const { return mode(); }
    DetailMode lineMode() const { return detailMode(); }
    qint64 activityKey() const { return m_activity; }
    qint64 lineKey() const { return m_line; }
    bool lineView() const { return m_lineView; }
    // The frame's left edge in twips (180 in view, -15000 pushed away).
    int fraDetLeft() const;

public slots:
    // Every header key starts from a clear status.
    void tlbHeader_HeaderClick(const QString &Key) override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void Form_Activate() override;
    // Esc in a line's view closes the view; Alt+F2 refreshes.
    void Form_KeyDown(int &KeyCode, int Shift) override;
    QString escQuestion() const override;
    int saveQuestionIcon() const override { return zv::ui::vbExclamation; }
    bool saveBeforeClose() override;

    // The header's steps.
    void add() override;
    void modify() override;
    void remove() override;
    void select() override;
    void refresh() override { DisplayActivity(); }
    void detailAdd() override;
    void detailModify() override;
    void detailDelete() override;
    void help() override;
    // The footer's.
    void ok() override;
    void cancel() override;

private:
    ActivityStore store();

    void activityGone(const QString &prefix);
    // Before the activity is changed: false, with the reason shown, when it is
    // gone or another user holds it. Otherwise its lock is ours.
    bool activityFree(const QString &gonePrefix, const QString &lockedCode);
    // Ok of each mode; false when it was refused or failed (the form stays in its mode).
    bool okDetailAdd();
    bool okDetailModify();
    bool okHeaderAdd();
    bool okHeaderModify();
    // Ok's work; false when it was refused (the reason shown). A failure ends
    // the action: it reaches the boundary of the key or click, or is told here
    // in the routine's own words.
    bool saveEdit();
    // After a save: the lock goes, the fields are locked, no mode is left and
    // the grid is refilled with the line at keep current (the first at 0);
    // code is the status shown.
    bool savedAndRefilled(const QString &code, int keep);
    // The detail frame is left: no mode, no line.
    void leaveDetail();
    // A line entry or view ends without a save: the lines as they now are.
    void leaveLineEntry();
    // The line being modified got generated entries meanwhile: it is shown
    // again as it now is, only its end date open.
    void lineGotEntries();
    // An unexpected failure of a routine, told in the error box with the
    // routine's phrase (the number first for the checks); the action ends.
    [[noreturn]] void failed(const std::exception &e, const QString &where, bool withNumber = false);
    // The form's box for an unexpected failure of a key: the description,
    // then "Error", in the program's title.
    void showFailure(const std::exception &e) override;

    bool ValidateHeader();
    // Every rule of the line in the frame (except: the line being modified, or 0).
    bool ValidateDetail(qint64 except);
    bool InsertHeader();
    bool UpdateHeader();
    void DisplayActivity();
    void CancelAdd();
    void DisableHeaderFields();
    void ClearFields();
    void EnableHeaderForAdd();
    void EnableHeaderForModify(bool generated);
    // The frame opened for a line in the mode, with the lists shown.
    void openLineEntry(DetailMode mode, const QDate &latestEnd, const ActivityLines::Lists &lists);
    void EnableDetailForAdd();
    void EnableDetailForModify();
    void DisableDetail();
    bool InsertDetail(qint64 replaceLine = 0);
    bool UpdateDetail();
    // The lines read again, the one at keep (1-based) current, the first at 0.
    void FillDetailGrid(int keep = 0);
    // What the form shows of an activity, read whole before any of it is
    // shown, so a failed read changes nothing on the screen or in the form.
    struct ActivityView {
        std::optional<ActivityHeader> header;
        QList<ActivityLine> lines;
        bool assigned = false;   // a line assigned by an employee: no Delete
    };
    ActivityView readActivity(qint64 key);
    ActivityView readLines(qint64 key);
    void showActivity(const ActivityView &view);
    void showLines(const ActivityView &view, int keep = 0);
    // The header's buttons for an activity on show, the detail buttons by the grid.
    void lineButtons();
    bool DeleteHeader();
    // True when another user holds the activity; otherwise its lock is ours.
    bool CheckHeaderLock();
    void dgdAM_DblClick();
    void dgdAM_RowColChange();
    void detailButtonsByRow();

    // ------------------------------------------------------ state
    qint64 m_activity = 0;
    qint64 m_line = 0;
    QDate m_entryDate;
    int m_gridBookmark = 0;
    bool m_lineView = false;
    bool m_assignedLines = false;
    int m_fraLeft = 180;
    int m_fraTop = 0;
    bool m_fraAside = false;   // the right button was pressed on the frame and is still held
    QWidget *m_detailArea = nullptr;

    clsDATEVALIDATE m_entryDateBox;
    clsDATEVALIDATE m_checkDate;
};

} // namespace zv::activity
