#pragma once
#include "HolidayStore.h"
#include "LineGrid.h"
#include "platform/ui/MessageService.h"
#include "dateinput/clsDATEVALIDATE.h"
#include <QDate>
#include <functional>

class QGroupBox;
class QLabel;
class QLineEdit;

// The holiday lists: one header row per year (Holday_List_Hdr) and its dated,
// described lines (Holday_List_Det). A line is entered in the detail frame,
// checked against the work already allocated to employees on its day, and
// saved together with the year's header row when that is still missing.
class frmHolidayMaster : public zv::fw::HeaderDetailForm {
    Q_OBJECT
public:
    explicit frmHolidayMaster(QWidget *parent, zv::fw::FormServices services);
    ~frmHolidayMaster() override;

    QLineEdit *txtYear = nullptr;
    zv::masters::LineGrid *dgdHolidayList = nullptr;
    QGroupBox *fraDetail = nullptr;
    QLineEdit *dtpHolDate = nullptr;
    QLineEdit *txtWeekDay = nullptr;
    QLabel *picView = nullptr;
    bool m_picViewPressed = false;   // the left button was pressed on picView and is still held
    QLineEdit *txtHolidayDescription = nullptr;

    // Sys_Holday_List_Num of the list shown: blank before a list is chosen,
    // "0" after the list was removed.
    const QString &headerKey() const { return m_headerKey; }
    bool listHasRows() const { return m_listHasRows; }

protected:
    void Form_Activate() override;
    void Form_KeyDown(int &KeyCode, int Shift) override;
    // Esc and the close box ask the save question of an open line.
    bool isEditing() const override;
    QString closeQuestion() const override;
    int saveQuestionIcon() const override { return zv::ui::vbExclamation; }
    QString saveQuestionTitle() const override { return QStringLiteral("Information"); }
    void escNo() override;
    void saveQuestionCancelled() override { focusIfUsable(dtpHolDate); }
    bool saveBeforeClose() override;
    void closeWithoutSaving() override { escNo(); }
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // A line is being entered in the detail frame.
    bool lineOpen() const { return m_detailMode == DetailMode::DetailAdd; }
    void UsrEnableControls();
    void UsrDisableControls();
    void resetFields();
    // Reads the lines of the header key into the grid.
    void readList();
    void defaultHeaderState();
    void lockYear();
    void showListYear();

    void select() override;
    void refresh() override;
    void detailAdd() override;
    void detailDelete() override;
    void help() override;
    void ok() override;
    // True when the line was saved (or its entry given up at a question).
    bool saveLine();
    void cancel() override;
    void restoreViewAfterEntry();

    // The year check: false (status shown, focus to the box) when the box holds no full year.
    bool yearCheck();
    // The date check: false (status shown, focus to the box) when the box holds no date.
    bool dateCheck();
    QDate enteredDate() const;
    // The allocation pass before a save: go on, stop (the picture shown, the
    // line kept), or the entry given up at the question. Later: the passes
    // that follow a save of this form, with their own question.
    enum class Pass { Go, Stop, GivenUp };
    enum class Question { First, Later };
    Pass allocationPass(Question question);
    // Whether work is booked on the day; a failed look-up throws, so the
    // save or delete that asked ends through the error path.
    static bool workAllocated(const QDate &day);
    // The shown list's year, "" when it is gone (a failure shown).
    QString listYear();
    // Whether the year has a list; a failed look-up throws.
    static bool yearHasList(int year);
    static zv::masters::HolidayStore store() { return zv::masters::HolidayStore(db()); }
    void showDayView();
    void dtpHolDate_Change();
    QVariant keyValue() const { return m_headerKey.toLongLong(); }

    clsDATEVALIDATE m_dateBox;
    clsDATEVALIDATE m_dateCheck;
    QString m_headerKey;
    QString m_enteredDate;
    bool m_dateInvalid = false;
    bool m_listHasRows = false;
    int m_rowPosition = 0;
    bool m_noListChosen = false;
    bool m_allocationAsked = false;
    bool m_allocationConfirmed = false;
};
