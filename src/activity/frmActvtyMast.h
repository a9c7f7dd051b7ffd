#pragma once
#include "ActivityRules.h"
#include "dateinput/clsDATEVALIDATE.h"
#include "framework/clsFooterToolBar.h"
#include "framework/clsGeneralDetailHeader.h"
#include "framework/clsHeaderToolbar.h"
#include "platform/db/Connection.h"
#include "platform/ui/ComboKeyFilter.h"
#include "platform/ui/KeyFilter.h"
#include "platform/ui/KeyPreview.h"
#include <QDialog>
#include <QImage>
#include <QWidget>
#include <memory>
#include <vector>

class QAction;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QTabWidget;
class QToolBar;

namespace zv::query {
class RecordsetGrid;
}

namespace zv::activity {

// A picture box that keeps what is drawn on it (an image the size of the
// box, shown on every repaint). Mouse presses come out in twips.
class PictureBox : public QWidget {
    Q_OBJECT
public:
    explicit PictureBox(QWidget *parent = nullptr);
    QImage &image() { return m_image; }
    void clear(const QColor &background);

signals:
    // button: 1 left, 2 right, 4 middle; shift: 1 Shift, 2 Ctrl, 4 Alt.
    void MouseDown(int button, int shift, double x, double y);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    QImage m_image;
};

// The Activity Master: an activity (date of entry, description, remarks)
// with its detail lines, each line's frequency rule picked on a grid of cells.
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
    QGroupBox *fraDet = nullptr;
    QLineEdit *txtStartDate = nullptr;
    QLineEdit *txtEndDate = nullptr;
    QComboBox *cmbDept = nullptr;
    QComboBox *CmbResP = nullptr;
    QComboBox *cmbAssignedBy = nullptr;
    QComboBox *cmbFreq = nullptr;
    QTabWidget *sstAdhoc = nullptr;
    QTabWidget *sstMnth = nullptr;
    PictureBox *PicMain = nullptr;
    zv::query::RecordsetGrid *dgdAM = nullptr;

    clsHeaderToolbar tlbHeader;
    clsFooterToolBar tlbFooter;
    clsGeneralDetailHeader utility;

    QAction *headerButton(const QString &key) const;
    QAction *footerButton(const QString &key) const;

    // Form state.
    const QString &headerMode() const { return m_headerMode; }
    const QString &detailMode() const { return m_detailMode; }
    const QString &activityKey() const { return m_activityKey; }
    const QString &lineKey() const { return m_lineKey; }
    bool lineView() const { return m_lineView; }
    bool rowLocked() const { return m_lock != nullptr; }

    // The picker: picked cells, and its geometry in twips.
    RuleCells cells;
    int GridLeft = 150;
    int GridTop = 150;
    int CellSize = 180;
    int ColPitch = 0;
    int RowPitch = 0;
    int CursorX = 240;
    int CursorY = 240;
    int CellX = 0;
    int CellY = 0;
    // The monthly tab on show: "Month" or "Week".
    MonthlyShape monthlyShape() const;
    // The kind of rule of the chosen frequency.
    RuleKind freqKind() const;
    // The picture's size in twips.
    int picWidth() const { return m_picWidth; }
    int picHeight() const { return m_picHeight; }
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
    bool Form_QueryUnload(int UnloadMode);
    void Form_Unload();
    void unload();
    bool editing() const;
    void status(const QString &code, const QString &prefix = QString(), const QString &suffix = QString());
    void clearStatus();
    zv::db::Connection &db();
    static bool dbOpen();
    qint64 activityNum() const { return m_activityKey.toLongLong(); }
    qint64 lineNum() const { return m_lineKey.toLongLong(); }

    void headerModify();
    void headerDelete();
    void headerSelect();
    void headerDetailModify();
    void headerDetailDelete();
    void activityGone(const QString &prefix);
    bool activityExists();
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
    void footerCancel(const QString &Key);
    // After a save: the lock goes, the fields are locked, no mode is left and
    // the grid is refilled from its first line; code is the status shown.
    bool savedAndRefilled(const QString &code);
    // The detail frame is left: no mode, no line.
    void leaveDetail();

    bool ValidateHeader();
    bool DescriptionExists();
    bool InsertHeader();
    bool UpdateHeader();
    void DisplayActivity();
    void CancelAdd();
    void CancelModify();
    void DisableHeaderFields();
    void ClearFields();
    void EnableHeaderForAdd();
    void EnableHeaderForModify();
    void releaseLock();
    void showHelp();

    // ------------------------------------------------------ detail lines
    void DisableDetail();
    void ClearDetail();
    void EnableDetailForAdd();
    void EnableDetailForModify();
    bool ValidateDetailDates();
    bool ValidateDetail();
    // Writes the line (replacing the line of replaceLine when not 0) with its
    // rule rows in one transaction.
    bool InsertDetail(qint64 replaceLine = 0);
    bool UpdateDetail();
    void FillDepartments();
    void FillResponsiblePersons();
    void FillFrequencies();
    void fillList(QComboBox *list, const QString &sql);
    void listChanged(QComboBox *list);
    void focusIfShown(QWidget *w);
    // A field refused: the status says why, the field gets the focus; always false.
    bool refuse(QWidget *focus, const QString &code, const QString &prefix, const QString &suffix = QString());
    DateField dateField(const QString &validated) const;
    QString validateBox(QLineEdit *box, bool required, const QString &caption);

    // ------------------------------------------------------ frequency picker
    void cmbFreq_Change();
    void LoadFrequencyRule();
    void sstAdhoc_Click();
    void sstMnth_Click();
    void DrawWeekGrid();
    void DrawMonthDayGrid();
    void DrawMonthWeekGrid();
    void DrawAdhocGrid();
    void DrawCell(bool picked);
    void DrawFocusFrames();
    void PicMain_MouseDown(int Button, int Shift, double X, double Y);
    void PicMain_KeyUp(int &KeyCode, int Shift);
    void ToggleCell(double X, double Y);
    void placeMonthTabs(QTabWidget *tabs, int pictureTop, int widthLess, int heightLess);
    void printAt(int x, int y, const QString &text);
    QDate pickerStart() const;
    int adhocMonth() const;
    // The grid on show: its positions in draw order, with whether each holds a cell.
    struct Position {
        int x, y;
        bool cell;
        int a, b;   // the cell's indexes into its array
    };
    std::vector<Position> positions(bool forHitTest) const;
    qint16 &cellAt(const Position &p);
    void drawCellAt(const Position &p);
    void resetPicker();

    // ------------------------------------------------------ grid, deletes, locks
    void FillDetailGrid();
    bool DeleteHeader();
    bool CheckHeaderLock();
    bool CheckAssignBy();
    void SetNextStartDate();
    void FillLastGnrtdDate();
    void dgdAM_DblClick();
    void dgdAM_RowColChange();
    void detailButtonsByRow();
    QString gridText(int column) const;

    // ------------------------------------------------------ state
    QString m_headerMode;
    QString m_detailMode;
    QString m_activityKey = QStringLiteral("0");
    QString m_lineKey = QStringLiteral("0");
    QString m_entryDate;
    QString m_startDate;
    QString m_endDate;
    int m_gridBookmark = 0;
    bool m_lineView = false;
    bool m_closing1 = false;   // Esc or Exit
    bool m_closing2 = false;   // Esc
    bool m_unloading = false;
    bool m_activated = false;
    bool m_settingUp = false;   // fields being filled by the form, not typed
    bool m_inFreqChange = false;
    int m_picWidth = 0;
    int m_picHeight = 0;
    int m_fraLeft = 180;
    int m_fraTop = 0;
    QWidget *m_detailArea = nullptr;

    std::unique_ptr<zv::db::RowLock> m_lock;
    clsDATEVALIDATE m_entryDateBox;
    clsDATEVALIDATE m_startDateBox;
    clsDATEVALIDATE m_endDateBox;
    clsDATEVALIDATE m_checkDate;
    zv::ui::KeyFilter KeyFilter;
    zv::ui::ComboKeyFilter ComboKeyFilter;
    std::vector<std::unique_ptr<zv::ui::KeyFunctions>> m_controlKeys;
};

} // namespace zv::activity
