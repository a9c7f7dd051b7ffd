#pragma once
#include "ActivityRules.h"
#include <QDate>
#include <QImage>
#include <QObject>
#include <QWidget>
#include <vector>

class QTabWidget;

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

// The cells of a line's frequency rule, drawn in a picture box under the
// frequency list (the monthly and ad-hoc grids inside their tab strips) and
// picked with the mouse or the keys. It stores nothing: the cells are read
// and set by the detail-line editor. Geometry in twips.
class FrequencyPicker : public QObject {
    Q_OBJECT
public:
    // The picker's widgets are made in frame, placed below the frequency list.
    explicit FrequencyPicker(QWidget *frame);

    PictureBox *PicMain = nullptr;
    QTabWidget *sstAdhoc = nullptr;   // "Jan" .. "Dec"
    QTabWidget *sstMnth = nullptr;    // "Month", "Week"

    RuleCells cells;
    int GridLeft = 150;
    int GridTop = 150;
    int CellSize = 180;
    int ColPitch = 0;
    int RowPitch = 0;
    int CursorX = 240;
    int CursorY = 240;

    // A new rule of the kind for a line starting on start: the kind's cells
    // emptied, its grid shown (nothing for a kind without a rule).
    void begin(RuleKind kind, const QDate &start);
    // The loaded cells of a rule of the kind shown, the monthly rule on the
    // tab of its shape.
    void showLoaded(RuleKind kind, const QDate &start, MonthlyShape shape);
    void hide();
    // Whether cells can be picked (the monthly tabs follow).
    void setPickable(bool pickable);
    // The monthly tab on show.
    MonthlyShape monthlyShape() const;
    RuleKind kind() const { return m_kind; }
    // The picture's size in twips.
    int picWidth() const { return m_picWidth; }
    int picHeight() const { return m_picHeight; }
    // Where the first column of cells starts on the "Week" tab, in twips:
    // after the widest ordinal caption.
    int nthFirstCellLeft() const { return GridLeft + m_nthLabelWidth; }

    // Keys pressed on the picture: noted, so that their release acts.
    void keyDown(int &KeyCode, int Shift);
    // Keys released on the picture: Enter and Space pick, the arrows move;
    // only a release whose press the picture received acts (the release of
    // the Enter that closed a message box over the form does nothing).
    void keyUp(int &KeyCode, int Shift);

signals:
    // A cell was picked or the cursor moved: the form clears its status.
    void touched();

private:
    struct Position {
        int x, y;
        bool cell;
        int a, b;   // the cell's indexes into its array
    };
    std::vector<Position> positions(bool forHitTest) const;
    qint16 &cellAt(const Position &p);
    void drawCellAt(const Position &p);
    void drawCell(int x, int y, bool picked);
    void drawFocusFrames();
    void drawWeekGrid();
    void drawMonthDayGrid();
    void drawMonthWeekGrid();
    void drawAdhocGrid();
    void placeTabs(QTabWidget *tabs, int pictureTop, int widthLess, int heightLess);
    void printAt(int x, int y, const QString &text);
    int textTwips(const QString &text) const;
    void resetCursor();
    void mouseDown(double X, double Y);
    void toggleCell(double X, double Y);
    void adhocTabChanged();
    void monthTabChanged();

    bool eventFilter(QObject *watched, QEvent *event) override;

    RuleKind m_kind = RuleKind::NoRule;
    // The picker's keys pressed on the picture and not yet released there;
    // forgotten when the picture loses the focus or is hidden.
    std::vector<int> m_pressed;
    QDate m_start;
    int m_picWidth = 0;
    int m_picHeight = 0;
    int m_nthLabelWidth = 0;
};

} // namespace zv::activity
