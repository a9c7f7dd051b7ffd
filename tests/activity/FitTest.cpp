#include "ActivityFixture.h"
#include "activity/frmViewActivity.h"
#include <QFont>
#include <QFontMetrics>
#include <QHeaderView>
#include <QScrollBar>
#include <QStyle>

namespace {

// Columns, headings and captions hold their text at the font in use: the
// designed twips widths are a lower bound. Checked at the normal font and a
// large one.
class Fit : public ActivityTest, public ::testing::WithParamInterface<int> {
public:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(ActivityTest::SetUp());
        m_font = QApplication::font();
        if (GetParam() > 0) {
            QFont big = m_font;
            big.setPointSize(GetParam());
            QApplication::setFont(big);
        }
    }
    void TearDown() override {
        view.reset();
        ActivityTest::TearDown();
        QApplication::setFont(m_font);
    }

    // The widest date of any month, at the grid's font.
    static int widestDate(const QFontMetrics &fm) {
        int widest = 0;
        for (int m = 1; m <= 12; ++m)
            widest = std::max(widest, fm.horizontalAdvance(zv::db::toDisplayDate(QDate(2024, m, 28))));
        return widest;
    }
    // A heading needs its text and the header's margins on both sides.
    static void expectHeadingFits(zv::query::RecordsetGrid *grid, int column, const QString &heading) {
        auto *header = grid->horizontalHeader();
        EXPECT_EQ(grid->columnCaption(column).trimmed(), heading);
        const int margin = 2 * header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
        EXPECT_GE(grid->columnWidth(column), header->fontMetrics().horizontalAdvance(heading) + margin)
            << heading.toStdString();
    }
    static void expectDatesFit(zv::query::RecordsetGrid *grid, int column) {
        EXPECT_GT(grid->columnWidth(column), widestDate(grid->fontMetrics()) + 4) << column;
    }
    // In a grid narrower than its columns a scroll bar brings the last column
    // whole into view; in a wider one the last column reaches the right edge.
    // Either way it keeps at least its fitted width.
    static void expectLastColumnReachable(zv::query::RecordsetGrid *grid, const std::function<void(int)> &resizeTo) {
        auto *header = grid->horizontalHeader();
        const int last = header->logicalIndex(header->count() - 1);
        const int fitted = grid->columnWidth(last);
        for (const bool narrow : {true, false}) {
            SCOPED_TRACE(narrow ? "narrow" : "wide");
            resizeTo(narrow ? 300 : header->length() + 300);
            QCoreApplication::processEvents();
            QScrollBar *bar = grid->horizontalScrollBar();
            EXPECT_EQ(bar->maximum() > 0, narrow);
            EXPECT_EQ(bar->isVisible(), narrow);
            bar->setValue(bar->maximum());
            EXPECT_EQ(header->sectionViewportPosition(last) + header->sectionSize(last), grid->viewport()->width());
            EXPECT_GE(grid->columnWidth(last), fitted);
        }
    }

    std::unique_ptr<frmViewActivity> view;

private:
    QFont m_font;
};

TEST_P(Fit, ActivityGridDatesAndHeadings) {
    const qint64 act = activity("Audit");
    line(act, "2024-05-28", "2024-09-30", kWeekly, "2024-09-28");
    open();
    select(act);
    ASSERT_EQ(cell(0, 2), "28-May-2024");
    for (int column : {2, 3, 4})
        expectDatesFit(form->dgdAM, column);
    expectHeadingFits(form->dgdAM, 2, "Start Date");
    expectHeadingFits(form->dgdAM, 3, "End Date");
    expectHeadingFits(form->dgdAM, 4, "Last Generated Date");
    expectHeadingFits(form->dgdAM, 7, "Responsible Person");
    // The date boxes of the detail frame as well.
    for (QLineEdit *box : {form->txtStartDate, form->txtEndDate})
        EXPECT_GT(box->width(), widestDate(box->fontMetrics()) + 4) << box->objectName().toStdString();
}

TEST_P(Fit, DayViewHeadings) {
    view = std::make_unique<frmViewActivity>();
    ASSERT_TRUE(view->showActivity("30-Sep-2004"));
    expectHeadingFits(view->dgdActivity, 1, "Activity Description");
    expectHeadingFits(view->dgdActivity, 2, "Plan Date");
    expectDatesFit(view->dgdActivity, 2);
}

// The Department of the activity grid and the Plan Date of the day view.
TEST_P(Fit, TheLastColumnFillsTheGridOrScrollsIntoView) {
    const qint64 act = activity("Audit");
    line(act, "2024-05-28", "2024-09-30", kWeekly, "2024-09-28");
    open();
    select(act);
    ASSERT_EQ(form->dgdAM->columnCaption(9).trimmed(), "Department");
    expectLastColumnReachable(form->dgdAM, [&](int width) { form->dgdAM->resize(width, form->dgdAM->height()); });

    view = std::make_unique<frmViewActivity>();
    ASSERT_TRUE(view->showActivity("30-Sep-2004"));
    view->show();
    auto *grid = view->dgdActivity;
    expectLastColumnReachable(grid, [&](int width) { view->resize(width + view->width() - grid->width(), view->height()); });
}

// The "Week" tab of a monthly rule: the ordinals before the first column of
// cells, the weekday captions within their column, every cell inside the picture.
TEST_P(Fit, PickerWeekTabCaptions) {
    const qint64 act = activity("Audit");
    open();
    select(act);
    beginLine("01may2024", "31may2024", "M");
    ASSERT_EQ(form->picker->kind(), zv::activity::RuleKind::Monthly);
    form->picker->sstMnth->setCurrentIndex(1);
    const auto *p = form->picker;
    const QFontMetrics fm(p->PicMain->font());
    for (const char *ordinal : {"First", "Second", "Third", "Fourth", "Fifth"})
        EXPECT_LT(fm.horizontalAdvance(QString::fromLatin1(ordinal)) * 15, p->nthFirstCellLeft() - p->GridLeft)
            << ordinal;
    for (const char *day : {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"})
        EXPECT_LT(fm.horizontalAdvance(QString::fromLatin1(day)) * 15, p->ColPitch) << day;
    const int lastCellRight = p->nthFirstCellLeft() + 6 * p->ColPitch + p->CellSize;
    EXPECT_LE(lastCellRight, p->picWidth());
    EXPECT_LE(lastCellRight / 15, p->PicMain->width());
    // Still picked where the cell is drawn.
    clickNth(2, 4);
    EXPECT_EQ(p->cells.MonthWeekCells[1][3], 1);
}

INSTANTIATE_TEST_SUITE_P(Fonts, Fit, ::testing::Values(0, 16), [](const auto &info) {
    return info.param == 0 ? std::string("NormalFont") : "Font" + std::to_string(info.param) + "pt";
});

} // namespace
