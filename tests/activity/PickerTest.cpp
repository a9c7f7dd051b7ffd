#include "ActivityFixture.h"
#include <QMouseEvent>

namespace {

class Picker : public ActivityTest {
public:
    void SetUp() override {
        ActivityTest::SetUp();
        act = activity("Audit");
        open();
        select(act);
    }
    // Key releases on the picture, as the keyboard user gives them.
    void keyOnPicture(Qt::Key k) {
        form->picker->PicMain->setFocus();
        QTest::keyClick(form->picker->PicMain, k);
    }
    qint64 act = 0;
};

// The "Month" tab: 31 cells in 5 rows of 7; picks of one tab are dropped by showing the other.
TEST_F(Picker, MonthlyTabs) {
    beginLine("01apr2024", "30apr2024", "M");
    EXPECT_TRUE(form->picker->sstMnth->isVisible());
    EXPECT_EQ(form->picker->sstMnth->currentIndex(), 0);
    EXPECT_EQ(form->picker->ColPitch, 768);
    EXPECT_EQ(form->picker->RowPitch, 555);
    clickDate(3);
    clickDate(17);
    clickDate(32);   // past the 31st: no cell
    EXPECT_EQ(form->picker->cells.MonthDayCells[2], 1);
    EXPECT_EQ(form->picker->cells.MonthDayCells[16], 1);
    // Exactly on a cell's right edge still toggles it.
    QTest::mouseClick(form->picker->PicMain, Qt::LeftButton, {},
                      QPoint((form->picker->GridLeft + form->picker->CellSize) / 15, (form->picker->GridTop + 90) / 15));
    EXPECT_EQ(form->picker->cells.MonthDayCells[0], 1);

    form->picker->sstMnth->setCurrentIndex(1);
    EXPECT_EQ(form->picker->ColPitch, 672);
    EXPECT_EQ(form->picker->RowPitch, 462);
    clickCell(form->picker->GridLeft, form->picker->GridTop + form->picker->RowPitch);   // the label "First": no cell
    clickNth(1, 1);
    EXPECT_EQ(form->picker->cells.MonthWeekCells[0][0], 1);
    form->picker->sstMnth->setCurrentIndex(0);
    EXPECT_EQ(form->picker->cells.MonthWeekCells[0][0], 0);
    for (qint16 v : form->picker->cells.MonthDayCells)
        EXPECT_EQ(v, 0);
}

// Keys on the picture: Right moves a column and wraps, Left stops at the first, Space picks.
TEST_F(Picker, Keyboard) {
    beginLine("01apr2024", "30apr2024", "M");
    EXPECT_EQ(form->picker->CursorX, 240);
    keyOnPicture(Qt::Key_Right);
    EXPECT_EQ(form->picker->CursorX, 240 + 768);
    keyOnPicture(Qt::Key_Space);
    EXPECT_EQ(form->picker->cells.MonthDayCells[1], 1);
    keyOnPicture(Qt::Key_Down);
    keyOnPicture(Qt::Key_Return);
    EXPECT_EQ(form->picker->cells.MonthDayCells[8], 1);
    for (int i = 0; i < 5; ++i)
        keyOnPicture(Qt::Key_Right);
    EXPECT_EQ(form->picker->CursorX, 240 + 6 * 768);   // the seventh column
    keyOnPicture(Qt::Key_Right);
    EXPECT_EQ(form->picker->CursorX, form->picker->GridLeft);  // wrapped
    keyOnPicture(Qt::Key_Left);
    EXPECT_EQ(form->picker->CursorX, form->picker->GridLeft);

    // On the "Week" tab the cursor on a label picks nothing.
    form->picker->sstMnth->setCurrentIndex(1);
    form->picker->CursorX = form->picker->GridLeft + 10;
    form->picker->CursorY = form->picker->GridTop + form->picker->RowPitch + 10;
    keyOnPicture(Qt::Key_Space);
    for (const auto &row : form->picker->cells.MonthWeekCells)
        for (qint16 v : row)
            EXPECT_EQ(v, 0);
}

// Ad-hoc: a month has the days it has in the year it falls in on the line. The line
// starts in April 2024, so its February is that of 2025: no 29th.
TEST_F(Picker, AdhocDaysOfEachMonth) {
    beginLine("01apr2024", "31mar2025", "A");
    form->picker->sstAdhoc->setCurrentIndex(1);
    clickDate(29);
    clickDate(28);
    EXPECT_EQ(form->picker->cells.AdhocCells[1][28], 0);
    EXPECT_EQ(form->picker->cells.AdhocCells[1][27], 1);
    form->picker->sstAdhoc->setCurrentIndex(3);   // April: 30 days
    clickDate(31);
    clickDate(30);
    EXPECT_EQ(form->picker->cells.AdhocCells[3][30], 0);
    EXPECT_EQ(form->picker->cells.AdhocCells[3][29], 1);
    form->picker->sstAdhoc->setCurrentIndex(1);   // picks survive the change of month
    EXPECT_EQ(form->picker->cells.AdhocCells[1][27], 1);

    // A pick that a later start date turns into a day the month does not have is not stored.
    form->picker->cells.AdhocCells[1][28] = 1;   // 29 February, as a picker at a 2024 start would have kept it
    press(Qt::Key_F9);
    ASSERT_EQ(statusCode(), "ZVE003") << statusText().toStdString();
    EXPECT_EQ(rules(newestLine()), (QStringList{"2/0/28", "4/0/30"}));
}

// Weekly: seven rows named from Sunday; the picks reach the database in weekday order.
TEST_F(Picker, WeeklyRows) {
    beginLine("01apr2024", "30apr2024", "W");
    EXPECT_FALSE(form->picker->sstMnth->isVisible());
    EXPECT_FALSE(form->picker->sstAdhoc->isVisible());
    EXPECT_EQ(form->picker->RowPitch, 404);
    clickWeekday(7);
    clickWeekday(1);
    clickWeekday(7);   // and off again
    keyOnPicture(Qt::Key_Down);   // from the last row to the first
    EXPECT_EQ(form->picker->CursorY, form->picker->GridTop);
    keyOnPicture(Qt::Key_Down);
    keyOnPicture(Qt::Key_Space);   // the second row
    press(Qt::Key_F9);
    ASSERT_EQ(statusCode(), "ZVE003");
    EXPECT_EQ(rules(newestLine()), (QStringList{"0/1/0", "0/2/0"}));
}

} // namespace

// The release of a key whose press went elsewhere (the Enter
// that closed a message box over the form) neither picks nor moves; a whole
// stroke still does. A mouse release alone picks nothing either.
TEST_F(Picker, OnlyAReleaseWhosePressThePictureReceivedActs) {
    beginLine("01apr2024", "30apr2024", "M");
    auto *pic = form->picker->PicMain;
    clickDate(1);   // picks the 1st and puts the cursor there
    ASSERT_EQ(form->picker->cells.MonthDayCells[0], 1);
    pic->setFocus();
    ASSERT_TRUE(pic->hasFocus());
    const int x = form->picker->CursorX, y = form->picker->CursorY;

    for (Qt::Key k : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space}) {
        QTest::keyRelease(pic, k);
        EXPECT_EQ(form->picker->cells.MonthDayCells[0], 1) << "release alone of key " << k;
    }
    for (Qt::Key k : {Qt::Key_Right, Qt::Key_Down, Qt::Key_Left, Qt::Key_Up})
        QTest::keyRelease(pic, k);
    EXPECT_EQ(form->picker->CursorX, x);
    EXPECT_EQ(form->picker->CursorY, y);

    // A mouse release alone, over the 2nd.
    const auto *p = form->picker;
    const QPointF at((p->GridLeft + p->ColPitch + p->CellSize / 2) / 15.0, (p->GridTop + p->CellSize / 2) / 15.0);
    QMouseEvent release(QEvent::MouseButtonRelease, at, pic->mapToGlobal(at), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(pic, &release);
    EXPECT_EQ(form->picker->cells.MonthDayCells[1], 0);

    // A press noted, then the focus went away and came back: its release is no pick.
    QTest::keyPress(pic, Qt::Key_Space);
    pic->clearFocus();
    pic->setFocus();
    ASSERT_TRUE(pic->hasFocus());
    QTest::keyRelease(pic, Qt::Key_Space);
    EXPECT_EQ(form->picker->cells.MonthDayCells[0], 1);

    // Whole strokes still pick and move.
    QTest::keyClick(pic, Qt::Key_Return);
    EXPECT_EQ(form->picker->cells.MonthDayCells[0], 0);
    QTest::keyClick(pic, Qt::Key_Space);
    EXPECT_EQ(form->picker->cells.MonthDayCells[0], 1);
    QTest::keyClick(pic, Qt::Key_Right);
    EXPECT_EQ(form->picker->CursorX, x + p->ColPitch);
}
