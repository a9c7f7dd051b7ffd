// The frequency picker: a grid of cells drawn in the picture box, in twips,
// one selection array per kind of rule.
#include "FrequencyPicker.h"
#include "ActivityLayout.h"
#include "platform/db/Dates.h"
#include "platform/ui/VbKeys.h"
#include <QFontMetrics>
#include <QMouseEvent>
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

// ---------------------------------------------------------------- building

FrequencyPicker::FrequencyPicker(QWidget *frame) : QObject(frame) {
    sstMnth = new QTabWidget(frame);
    sstMnth->setObjectName(QStringLiteral("sstMnth"));
    for (const char *tab : {"Month", "Week"})
        sstMnth->addTab(new QWidget, QString::fromLatin1(tab));
    sstAdhoc = new QTabWidget(frame);
    sstAdhoc->setObjectName(QStringLiteral("sstAdhoc"));
    sstAdhoc->setStyleSheet(QStringLiteral("QTabBar::tab { padding: 2px 4px; min-width: 0px; }"));
    for (int m = 1; m <= 12; ++m)
        sstAdhoc->addTab(new QWidget, zv::db::monthAbbrev(m));
    for (QTabWidget *tabs : {sstMnth, sstAdhoc}) {
        place(tabs, kFreqLeft, kFreqTop + kFreqHeight + 40, kTabWidth, kTabHeight);
        tabs->hide();
    }
    PicMain = new PictureBox(frame);
    PicMain->setObjectName(QStringLiteral("PicMain"));
    PicMain->hide();

    connect(sstMnth, &QTabWidget::currentChanged, this, [this] { monthTabChanged(); });
    connect(sstAdhoc, &QTabWidget::currentChanged, this, [this] { adhocTabChanged(); });
    connect(PicMain, &PictureBox::MouseDown, this, [this](int, int, double x, double y) { mouseDown(x, y); });
    PicMain->installEventFilter(this);
}

bool FrequencyPicker::eventFilter(QObject *watched, QEvent *event) {
    if (watched == PicMain &&
        (event->type() == QEvent::FocusOut || event->type() == QEvent::Hide ||
         event->type() == QEvent::EnabledChange))
        m_pressed.clear();
    return QObject::eventFilter(watched, event);
}

MonthlyShape FrequencyPicker::monthlyShape() const {
    return sstMnth->currentIndex() == 1 ? MonthlyShape::NthWeekday : MonthlyShape::Dates;
}

void FrequencyPicker::resetCursor() {
    CursorX = CellSize / 2 + GridLeft;
    CursorY = CellSize / 2 + GridTop;
}

int FrequencyPicker::textTwips(const QString &text) const {
    return QFontMetrics(PicMain->font()).horizontalAdvance(text) * 15;
}

void FrequencyPicker::hide() {
    PicMain->hide();
    sstAdhoc->hide();
    sstMnth->hide();
}

void FrequencyPicker::setPickable(bool pickable) {
    PicMain->setEnabled(pickable);
    sstMnth->setEnabled(pickable);
}

void FrequencyPicker::begin(RuleKind kind, const QDate &start) {
    m_kind = kind;
    m_start = start;
    for (QTabWidget *tabs : {sstAdhoc, sstMnth}) {
        const QSignalBlocker block(tabs);
        tabs->setCurrentIndex(0);
    }
    hide();
    resetCursor();
    switch (kind) {
    case RuleKind::AdHoc:
        cells.clearAdhoc();
        drawAdhocGrid();
        break;
    case RuleKind::Monthly:
        cells.clearMonthDays();
        cells.clearMonthWeeks();
        drawMonthDayGrid();
        break;
    case RuleKind::Weekly:
        cells.clearWeek();
        drawWeekGrid();
        break;
    case RuleKind::NoRule:
        break;
    }
}

void FrequencyPicker::showLoaded(RuleKind kind, const QDate &start, MonthlyShape shape) {
    m_kind = kind;
    m_start = start;
    resetCursor();
    switch (kind) {
    case RuleKind::AdHoc:
        drawAdhocGrid();
        break;
    case RuleKind::Monthly:
        // Only one of the two shapes was loaded: drawing the tab empties the other.
        {
            const QSignalBlocker block(sstMnth);
            sstMnth->setCurrentIndex(shape == MonthlyShape::NthWeekday ? 1 : 0);
        }
        if (shape == MonthlyShape::NthWeekday)
            drawMonthWeekGrid();
        else
            drawMonthDayGrid();
        break;
    case RuleKind::Weekly:
        drawWeekGrid();
        break;
    case RuleKind::NoRule:
        break;
    }
}

void FrequencyPicker::adhocTabChanged() {
    if (m_kind == RuleKind::AdHoc && !sstAdhoc->isHidden())
        drawAdhocGrid();
}

void FrequencyPicker::monthTabChanged() {
    if (m_kind != RuleKind::Monthly || sstMnth->isHidden())
        return;
    if (sstMnth->currentIndex() == 0)
        drawMonthDayGrid();
    else
        drawMonthWeekGrid();
}

// ---------------------------------------------------------------- drawing

void FrequencyPicker::placeTabs(QTabWidget *tabs, int pictureTop, int widthLess, int heightLess) {
    const int top = kFreqTop + kFreqHeight + 40;
    place(tabs, kFreqLeft, top, kTabWidth, kTabHeight);
    m_picWidth = kTabWidth - widthLess;
    m_picHeight = kTabHeight - heightLess;
    place(PicMain, kFreqLeft, top + pictureTop, m_picWidth, m_picHeight);
    tabs->show();
    PicMain->show();
    PicMain->raise();
}

void FrequencyPicker::printAt(int x, int y, const QString &text) { Canvas(PicMain).text(x, y, text); }

std::vector<FrequencyPicker::Position> FrequencyPicker::positions(bool forHitTest) const {
    std::vector<Position> out;
    switch (m_kind) {
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
            // The first column holds the ordinals' captions.
            for (int r = 1; r <= 6; ++r)
                for (int c = 1; c <= 8; ++c)
                    out.push_back({c == 1 ? GridLeft : nthFirstCellLeft() + (c - 2) * ColPitch,
                                   GridTop + (r - 1) * RowPitch, r >= 2 && c >= 2, r - 2, c - 2});
        }
        break;
    case RuleKind::AdHoc: {
        const int m = sstAdhoc->currentIndex() + 1;
        for (int r = 1; r <= 5; ++r)
            for (int c = 1; c <= 7; ++c) {
                const int p = (r - 1) * 7 + c;
                out.push_back({GridLeft + (c - 1) * ColPitch, GridTop + (r - 1) * RowPitch,
                               isAdhocDate(m, p, m_start), m - 1, p - 1});
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

void FrequencyPicker::drawCell(int x0, int y0, bool picked) {
    const double x = x0, y = y0, s = CellSize;
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

void FrequencyPicker::drawFocusFrames() {
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

void FrequencyPicker::drawWeekGrid() {
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
        printAt(GridLeft + roundEven(CellSize * 1.4), p.y, weekdayName(p.a + 1));
    }
    drawFocusFrames();
}

void FrequencyPicker::drawMonthDayGrid() {
    cells.clearMonthWeeks();
    placeTabs(sstMnth, 300, 40, 330);
    ColPitch = roundEven(m_picWidth / 7.0);
    RowPitch = roundEven(m_picHeight / 5.0);
    PicMain->clear(kPictureBack);
    for (const Position &p : positions(false)) {
        drawCellAt(p);
        printAt(p.x + CellSize + 20, p.y, QStringLiteral(" ") + QString::number(p.a + 1));
    }
    drawFocusFrames();
}

void FrequencyPicker::drawMonthWeekGrid() {
    cells.clearMonthDays();
    placeTabs(sstMnth, 300, 40, 330);
    // The columns are an eighth of the picture, or wider where the captions
    // need it at the font in use; the picture and its tabs grow to hold them.
    const int gap = 90;
    int widestDay = 0, widestOrdinal = 0;
    for (int c = 1; c <= 7; ++c)
        widestDay = std::max(widestDay, textTwips(weekdayName(c).left(3)));
    for (const char *o : kOrdinals)
        widestOrdinal = std::max(widestOrdinal, textTwips(QString::fromLatin1(o)));
    ColPitch = std::max({roundEven(m_picWidth / 8.0), widestDay + gap, CellSize + gap});
    m_nthLabelWidth = std::max(ColPitch, widestOrdinal + gap);
    const int needed = nthFirstCellLeft() + 6 * ColPitch + std::max(CellSize, widestDay) + GridLeft;
    if (needed > m_picWidth) {
        m_picWidth = needed;
        sstMnth->resize(twipsToPixels(needed + 40), sstMnth->height());
        PicMain->resize(twipsToPixels(needed), PicMain->height());
    }
    RowPitch = roundEven(m_picHeight / 6.0);
    PicMain->clear(kPictureBack);
    for (int c = 1; c <= 7; ++c)
        printAt(nthFirstCellLeft() + (c - 1) * ColPitch, GridTop, weekdayName(c).left(3));
    for (int r = 2; r <= 6; ++r)
        printAt(GridLeft, GridTop + (r - 1) * RowPitch, QString::fromLatin1(kOrdinals[r - 2]));
    for (const Position &p : positions(false))
        drawCellAt(p);
    drawFocusFrames();
}

void FrequencyPicker::drawAdhocGrid() {
    placeTabs(sstAdhoc, 600, 180, 630);
    ColPitch = roundEven(m_picWidth / 7.0);
    RowPitch = roundEven(m_picHeight / 5.0);
    PicMain->clear(kPictureBack);
    for (const Position &p : positions(false)) {
        drawCellAt(p);
        printAt(p.x + CellSize + 20, p.y, QStringLiteral(" ") + QString::number(p.b + 1));
    }
    drawFocusFrames();
}

// ---------------------------------------------------------------- picking

void FrequencyPicker::mouseDown(double X, double Y) {
    emit touched();
    toggleCell(X, Y);
    drawFocusFrames();
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
qint16 &FrequencyPicker::cellAt(const Position &p) {
    switch (m_kind) {
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

void FrequencyPicker::drawCellAt(const Position &p) { drawCell(p.x, p.y, cellAt(p) == 1); }

// Flips the cell under the point, if there is one, and moves the keyboard
// cursor there when a position was hit.
void FrequencyPicker::toggleCell(double X, double Y) {
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

namespace {
// The picker's own keys: the release of a toolbar key (F9 ...) must not wipe
// the status that the key has just shown.
bool isPickerKey(int KeyCode) {
    static const int handled[] = {vbKey::Return, vbKey::Space, vbKey::Left, vbKey::Up, vbKey::Right, vbKey::Down};
    return std::find(std::begin(handled), std::end(handled), KeyCode) != std::end(handled);
}
} // namespace

void FrequencyPicker::keyDown(int &KeyCode, int) {
    if (isPickerKey(KeyCode) && std::find(m_pressed.begin(), m_pressed.end(), KeyCode) == m_pressed.end())
        m_pressed.push_back(KeyCode);
}

void FrequencyPicker::keyUp(int &KeyCode, int) {
    if (!isPickerKey(KeyCode))
        return;
    // A release whose press went elsewhere (the Enter that closed a message
    // box, the Space that pressed a button before the focus came here) is no
    // pick and no move.
    const auto pressed = std::find(m_pressed.begin(), m_pressed.end(), KeyCode);
    if (pressed == m_pressed.end())
        return;
    m_pressed.erase(pressed);
    if (!PicMain->isVisible() || !PicMain->isEnabled())
        return;
    emit touched();
    switch (KeyCode) {
    case vbKey::Return:
    case vbKey::Space:
        mouseDown(CursorX, CursorY);
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
    drawFocusFrames();
}

// ---------------------------------------------------------------- PictureBox

PictureBox::PictureBox(QWidget *parent) : QWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureBox::clear(const QColor &background) {
    if (m_image.size() != size())
        m_image = QImage(size().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    m_image.fill(background);
    update();
}

void PictureBox::paintEvent(QPaintEvent *) {
    QPainter p(this);
    p.drawImage(0, 0, m_image);
}

void PictureBox::resizeEvent(QResizeEvent *event) {
    QWidget::resizeEvent(event);
    QImage resized(size().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    resized.fill(kPictureBack);
    {
        QPainter p(&resized);
        p.drawImage(0, 0, m_image);
    }
    m_image = resized;
}

void PictureBox::mousePressEvent(QMouseEvent *event) {
    int button = 0;
    if (event->button() == Qt::LeftButton)
        button = 1;
    else if (event->button() == Qt::RightButton)
        button = 2;
    else if (event->button() == Qt::MiddleButton)
        button = 4;
    int shift = 0;
    if (event->modifiers() & Qt::ShiftModifier)
        shift |= 1;
    if (event->modifiers() & Qt::ControlModifier)
        shift |= 2;
    if (event->modifiers() & Qt::AltModifier)
        shift |= 4;
    setFocus(Qt::MouseFocusReason);
    emit MouseDown(button, shift, event->position().x() * 15.0, event->position().y() * 15.0);
}

} // namespace zv::activity
