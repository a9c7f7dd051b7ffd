// The Activity Master's frequency picker: a grid of cells drawn in the
// picture box PicMain, in twips, one selection array per kind of rule.
#include "FormParts.h"
#include "core/modCommon.h"
#include "frmActvtyMast.h"
#include "platform/db/Dates.h"
#include "platform/ui/VbKeys.h"
#include "query/RecordsetGrid.h"
#include <QComboBox>
#include <QPainter>
#include <QTabWidget>
#include <algorithm>
#include <cmath>
#include <stdexcept>

using namespace zv::ui;

namespace zv::activity {

namespace {

// Rounds to the nearest whole number, halves to even.
int roundEven(double v) { return int(std::nearbyint(v)); }

// Draws on a picture box in twips.
class Canvas {
public:
    explicit Canvas(PictureBox *box) : m_box(box), m_p(&box->image()) { m_p.setFont(box->font()); }
    ~Canvas() {
        m_p.end();
        m_box->update();
    }
    void line(double x1, double y1, double x2, double y2, const QColor &c) {
        m_p.setPen(QPen(c, 0));
        m_p.drawLine(QPointF(x1 / 15.0, y1 / 15.0), QPointF(x2 / 15.0, y2 / 15.0));
    }
    void fill(double x1, double y1, double x2, double y2, const QColor &c) {
        m_p.fillRect(QRectF(QPointF(x1 / 15.0, y1 / 15.0), QPointF(x2 / 15.0, y2 / 15.0)), c);
    }
    void frame(double x1, double y1, double x2, double y2, const QColor &c) {
        m_p.setPen(QPen(c, 0));
        m_p.setBrush(Qt::NoBrush);
        m_p.drawRect(QRectF(QPointF(x1 / 15.0, y1 / 15.0), QPointF(x2 / 15.0, y2 / 15.0)));
    }
    void text(double x, double y, const QString &s) {
        m_p.setPen(m_box->palette().color(QPalette::WindowText));
        m_p.drawText(QRectF(x / 15.0, y / 15.0, 2000, 100), Qt::AlignLeft | Qt::AlignTop, s);
    }

private:
    PictureBox *m_box;
    QPainter m_p;
};

const char *const kOrdinals[] = {"First", "Second", "Third", "Fourth", "Fifth"};

} // namespace

MonthlyShape frmActvtyMast::monthlyShape() const {
    return sstMnth->currentIndex() == 1 ? MonthlyShape::NthWeekday : MonthlyShape::Dates;
}

RuleKind frmActvtyMast::freqKind() const { return ruleKindAt(cmbFreq->currentIndex()); }

QDate frmActvtyMast::pickerStart() const { return zv::db::fromDisplayDate(txtStartDate->text()); }

int frmActvtyMast::adhocMonth() const { return sstAdhoc->currentIndex() + 1; }

void frmActvtyMast::resetPicker() {
    CursorX = CellSize / 2 + GridLeft;
    CursorY = CellSize / 2 + GridTop;
}

// ---------------------------------------------------------------- choosing the kind

void frmActvtyMast::cmbFreq_Change() {
    if (m_settingUp || m_inFreqChange)
        return;
    SettingUp guard(m_inFreqChange);
    ComboKeyFilter.Change(cmbFreq, true);
    const int position = cmbFreq->currentIndex();
    if (position < 0)
        return;
    bool datesHold = false;
    try {
        datesHold = ValidateDetailDates();
    } catch (const std::exception &e) {
        modCommon::ShowErrorMessage(e);
    }
    if (!datesHold) {
        SettingUp quiet(m_settingUp);
        cmbFreq->setCurrentIndex(-1);
        cmbFreq->setEditText(QString());
        return;
    }
    for (QTabWidget *tabs : {sstAdhoc, sstMnth}) {
        const QSignalBlocker block(tabs);
        tabs->setCurrentIndex(0);
    }
    PicMain->hide();
    sstAdhoc->hide();
    sstMnth->hide();
    resetPicker();
    switch (ruleKindAt(position)) {
    case RuleKind::AdHoc:
        cells.clearAdhoc();
        DrawAdhocGrid();
        break;
    case RuleKind::Monthly:
        cells.clearMonthDays();
        cells.clearMonthWeeks();
        DrawMonthDayGrid();
        break;
    case RuleKind::Weekly:
        cells.clearWeek();
        DrawWeekGrid();
        break;
    case RuleKind::NoRule:
        break;
    }
}

void frmActvtyMast::LoadFrequencyRule() {
    const qint64 line = gridText(1).toLongLong();
    const RuleKind kind = freqKind();
    if (kind == RuleKind::NoRule)
        return;
    const MonthlyShape shape = loadRuleCells(db(), line, kind, cells);
    resetPicker();
    switch (kind) {
    case RuleKind::AdHoc:
        DrawAdhocGrid();
        break;
    case RuleKind::Monthly:
        // Only one of the two shapes was loaded: drawing the tab empties the other.
        {
            const QSignalBlocker block(sstMnth);
            sstMnth->setCurrentIndex(shape == MonthlyShape::NthWeekday ? 1 : 0);
        }
        if (shape == MonthlyShape::NthWeekday)
            DrawMonthWeekGrid();
        else
            DrawMonthDayGrid();
        break;
    case RuleKind::Weekly:
        DrawWeekGrid();
        break;
    case RuleKind::NoRule:
        break;
    }
}

void frmActvtyMast::sstAdhoc_Click() {
    if (freqKind() == RuleKind::AdHoc && !sstAdhoc->isHidden())
        DrawAdhocGrid();
}

void frmActvtyMast::sstMnth_Click() {
    if (freqKind() != RuleKind::Monthly || sstMnth->isHidden())
        return;
    if (sstMnth->currentIndex() == 0)
        DrawMonthDayGrid();
    else
        DrawMonthWeekGrid();
}

// ---------------------------------------------------------------- drawing

void frmActvtyMast::placeMonthTabs(QTabWidget *tabs, int pictureTop, int widthLess, int heightLess) {
    const int top = kFreqTop + kFreqHeight + 40;
    place(tabs, kFreqLeft, top, kTabWidth, kTabHeight);
    m_picWidth = kTabWidth - widthLess;
    m_picHeight = kTabHeight - heightLess;
    place(PicMain, kFreqLeft, top + pictureTop, m_picWidth, m_picHeight);
    tabs->show();
    PicMain->show();
    PicMain->raise();
}

void frmActvtyMast::printAt(int x, int y, const QString &text) { Canvas(PicMain).text(x, y, text); }

std::vector<frmActvtyMast::Position> frmActvtyMast::positions(bool forHitTest) const {
    std::vector<Position> out;
    switch (freqKind()) {
    case RuleKind::Weekly:
        for (int k = 0; k < 7; ++k)
            out.push_back({GridLeft, GridTop + k * RowPitch, true, k, 0});
        break;
    case RuleKind::Monthly:
        if (monthlyShape() == MonthlyShape::Dates) {
            for (int r = 1; r <= 5; ++r)
                for (int c = 1; c <= 7; ++c) {
                    const int p = (r - 1) * 7 + c;
                    out.push_back({GridLeft + (c - 1) * ColPitch, GridTop + (r - 1) * RowPitch, p <= 31, p - 1, 0});
                }
        } else {
            for (int r = 1; r <= 6; ++r)
                for (int c = 1; c <= 8; ++c)
                    out.push_back({GridLeft + (c - 1) * ColPitch, GridTop + (r - 1) * RowPitch, r >= 2 && c >= 2,
                                   r - 2, c - 2});
        }
        break;
    case RuleKind::AdHoc: {
        const int m = adhocMonth();
        const QDate start = pickerStart();
        for (int r = 1; r <= 5; ++r)
            for (int c = 1; c <= 7; ++c) {
                const int p = (r - 1) * 7 + c;
                out.push_back({GridLeft + (c - 1) * ColPitch, GridTop + (r - 1) * RowPitch,
                               isAdhocDate(m, p, start), m - 1, p - 1});
            }
        break;
    }
    case RuleKind::NoRule:
        break;
    }
    if (!forHitTest)
        std::erase_if(out, [](const Position &p) { return !p.cell; });
    return out;
}

void frmActvtyMast::DrawCell(bool picked) {
    const double x = CellX, y = CellY, s = CellSize;
    const QColor white(255, 255, 255), black(0, 0, 0);
    Canvas c(PicMain);
    c.fill(x, y, x + s, y + s, white);
    c.line(x, y, x + s, y, black);
    c.line(x, y, x, y + s, black);
    if (picked) {
        c.fill(x + 30, y + 30, x + s - 30, y + s - 30, QColor(0, 255, 0));
        c.line(x, y, x + s, y, white);
        c.line(x, y, x, y + s, white);
        c.line(x + 15, y + 15, x + s - 15, y + 15, white);
        c.line(x + 15, y + 15, x + 15, y + s - 15, white);
        c.line(x + 15, y + s - 15, x + s - 15, y + s - 15, black);
        c.line(x + s - 15, y + 15, x + s - 15, y + s, black);
        c.line(x, y + s, x + s, y + s, black);
        c.line(x + s, y, x + s, y + s, black);
    } else {
        const QColor face = PicMain->palette().color(QPalette::Button);
        c.line(x + 15, y + 15, x + s - 15, y + 15, black);
        c.line(x + 15, y + 15, x + 15, y + s - 15, black);
        c.line(x + 15, y + s - 15, x + s - 15, y + s - 15, face);
        c.line(x + s - 15, y + 15, x + s - 15, y + s, face);
    }
}

void frmActvtyMast::DrawFocusFrames() {
    const std::vector<Position> all = positions(false);
    if (all.empty())
        return;
    Canvas c(PicMain);
    const int s = CellSize;
    for (const Position &p : all) {
        c.frame(p.x - 30, p.y - 30, p.x + s + 30, p.y + s + 30, kPictureBack);
        if (CursorX >= p.x && CursorX <= p.x + s && CursorY >= p.y && CursorY <= p.y + s)
            c.frame(p.x - 30, p.y - 30, p.x + s + 30, p.y + s + 30, Qt::black);
    }
}

void frmActvtyMast::DrawWeekGrid() {
    m_picWidth = kComboWidth;
    m_picHeight = 3030;
    place(PicMain, kFreqLeft, kFreqTop + kFreqHeight + 20, m_picWidth, m_picHeight);
    PicMain->show();
    PicMain->raise();
    RowPitch = roundEven(3030 / 7.5);
    // One column: Left and Right have nowhere to go.
    ColPitch = 0;
    PicMain->clear(kPictureBack);
    for (const Position &p : positions(false)) {
        drawCellAt(p);
        printAt(GridLeft + roundEven(CellSize * 1.4), CellY, weekdayName(p.a + 1));
    }
    DrawFocusFrames();
}

void frmActvtyMast::DrawMonthDayGrid() {
    cells.clearMonthWeeks();
    placeMonthTabs(sstMnth, 300, 40, 330);
    ColPitch = roundEven(m_picWidth / 7.0);
    RowPitch = roundEven(m_picHeight / 5.0);
    PicMain->clear(kPictureBack);
    for (const Position &p : positions(false)) {
        drawCellAt(p);
        printAt(CellX + CellSize + 20, CellY, QStringLiteral(" ") + QString::number(p.a + 1));
    }
    DrawFocusFrames();
}

void frmActvtyMast::DrawMonthWeekGrid() {
    cells.clearMonthDays();
    placeMonthTabs(sstMnth, 300, 40, 330);
    ColPitch = roundEven(m_picWidth / 8.0);
    RowPitch = roundEven(m_picHeight / 6.0);
    PicMain->clear(kPictureBack);
    for (int c = 1; c <= 7; ++c)
        printAt(GridLeft + c * ColPitch, GridTop, weekdayName(c).left(3));
    for (int r = 2; r <= 6; ++r)
        printAt(GridLeft, GridTop + (r - 1) * RowPitch, QString::fromLatin1(kOrdinals[r - 2]));
    for (const Position &p : positions(false))
        drawCellAt(p);
    DrawFocusFrames();
}

void frmActvtyMast::DrawAdhocGrid() {
    placeMonthTabs(sstAdhoc, 600, 180, 630);
    ColPitch = roundEven(m_picWidth / 7.0);
    RowPitch = roundEven(m_picHeight / 5.0);
    PicMain->clear(kPictureBack);
    for (const Position &p : positions(false)) {
        drawCellAt(p);
        printAt(CellX + CellSize + 20, CellY, QStringLiteral(" ") + QString::number(p.b + 1));
    }
    DrawFocusFrames();
}

// ---------------------------------------------------------------- picking

void frmActvtyMast::PicMain_MouseDown(int Button, int Shift, double X, double Y) {
    (void)Button;
    (void)Shift;
    clearStatus();
    ToggleCell(X, Y);
    DrawFocusFrames();
}

namespace {
// The first position of the walk whose cell square holds the point, bounds included.
template <class Positions>
const typename Positions::value_type *hit(const Positions &all, double X, double Y, int size) {
    for (const auto &p : all)
        if (X >= p.x && X <= p.x + size && Y >= p.y && Y <= p.y + size)
            return &p;
    return nullptr;
}
} // namespace

// The picked flag behind a position of the grid on show.
qint16 &frmActvtyMast::cellAt(const Position &p) {
    switch (freqKind()) {
    case RuleKind::Weekly:
        return cells.WeekCells[p.a];
    case RuleKind::Monthly:
        if (monthlyShape() == MonthlyShape::Dates)
            return cells.MonthDayCells[p.a];
        return cells.MonthWeekCells[p.a][p.b];
    case RuleKind::AdHoc:
        return cells.AdhocCells[p.a][p.b];
    case RuleKind::NoRule:
        break;
    }
    // Without a rule there are no positions to ask about.
    throw std::logic_error("no picker cells without a frequency rule");
}

void frmActvtyMast::drawCellAt(const Position &p) {
    CellX = p.x;
    CellY = p.y;
    DrawCell(cellAt(p) == 1);
}

// Flips the cell under the point, if there is one, and moves the keyboard
// cursor there when a position was hit.
void frmActvtyMast::ToggleCell(double X, double Y) {
    const auto all = positions(true);
    const Position *p = hit(all, X, Y, CellSize);
    if (!p)
        return;
    if (p->cell) {
        qint16 &v = cellAt(*p);
        v = v == 0 ? 1 : 0;
        drawCellAt(*p);
    }
    CursorX = int(std::lrint(X));
    CursorY = int(std::lrint(Y));
}

void frmActvtyMast::PicMain_KeyUp(int &KeyCode, int Shift) {
    (void)Shift;
    // Only the picker's own keys: the release of a toolbar key (F9 ...) must
    // not wipe the status that the key has just shown.
    static const int handled[] = {vbKey::Return, vbKey::Space, vbKey::Left, vbKey::Up, vbKey::Right, vbKey::Down};
    if (std::find(std::begin(handled), std::end(handled), KeyCode) == std::end(handled) || !PicMain->isVisible() ||
        !PicMain->isEnabled())
        return;
    clearStatus();
    switch (KeyCode) {
    case vbKey::Return:
    case vbKey::Space:
        PicMain_MouseDown(0, 0, CursorX, CursorY);
        return;
    case vbKey::Left:
        CursorX -= ColPitch;
        if (CursorX < 75)
            CursorX = GridLeft;
        break;
    case vbKey::Up:
        CursorY -= RowPitch;
        if (CursorY < 75)
            CursorY = GridTop;
        break;
    case vbKey::Right:
        CursorX += ColPitch;
        if (CursorX > m_picWidth - 75)
            CursorX = GridLeft;
        break;
    case vbKey::Down:
        CursorY += RowPitch;
        if (CursorY > m_picHeight - 75)
            CursorY = GridTop;
        break;
    }
    DrawFocusFrames();
}

} // namespace zv::activity
