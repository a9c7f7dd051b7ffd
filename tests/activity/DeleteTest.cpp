#include "ActivityFixture.h"

using zv::ui::vbNo;
using zv::ui::vbYes;

namespace {

class Delete : public ActivityTest {
public:
    int rowsOf(qint64 act) {
        return count("SELECT (SELECT count(*) FROM Actvty_Mast WHERE Sys_Actvty_Num = ?1) + "
                     "(SELECT count(*) FROM Actvty_Mast_Det WHERE Sys_Actvty_Num = ?1) + "
                     "(SELECT count(*) FROM Actvty_Mast_Freq WHERE Sys_Actvty_Num = ?1) + "
                     "(SELECT count(*) FROM Statry_Cmpltd_Entry WHERE Sys_Actvty_Num = ?1)",
                     {act});
    }
};

// Completed work refuses the delete of the activity and of its line: nothing goes.
TEST_F(Delete, RefusedWhileCompletedEntriesExist) {
    const qint64 act = activity("Audit");
    const qint64 ln = line(act, "2024-05-01", "2024-05-31");
    entry(act, ln, "2024-05-06", "2024-05-06");
    entry(act, ln, "2024-05-13");
    open();
    select(act);
    const int before = rowsOf(act);
    for (Qt::Key k : {Qt::Key_F4, Qt::Key_F7}) {
        messages.answer(vbYes);
        press(k);
        EXPECT_EQ(statusCode(), "ZVE014");
        EXPECT_EQ(rowsOf(act), before);
    }
    // The grid's line shows its last generated date, so both questions name the planner details.
    EXPECT_EQ(messages.prompts(), (QStringList{kDeleteWithEntries, kDeleteWithEntries}));
    EXPECT_EQ(messages.shown().at(0).title, "Question");
    EXPECT_EQ(messages.shown().at(0).buttons, zv::ui::vbYesNo + zv::ui::vbQuestion + zv::ui::vbDefaultButton2);
    EXPECT_FALSE(form->rowLocked());
}

// Pending entries go with the activity, its rule rows and lines; No deletes nothing and
// leaves the form in view, so Esc then closes it without a save question.
TEST_F(Delete, ActivityWithPendingEntries) {
    const qint64 act = activity("Audit");
    const qint64 a = line(act, "2024-05-01", "2024-05-31");
    const qint64 b = line(act, "2024-06-01", "2024-06-30", kMonthly);
    entry(act, a, "2024-05-06");
    entry(act, b, "2024-06-03");
    const qint64 keep = activity("Cleaning");
    line(keep, "2024-05-01", "2024-05-31");
    open();
    select(act);
    const int others = rowsOf(keep);

    messages.answer(vbNo);
    press(Qt::Key_F4);
    EXPECT_EQ(rowsOf(act), 1 + 2 + 1 + 2);

    messages.answer(vbYes);
    press(Qt::Key_F4);
    ASSERT_EQ(statusCode(), "ZVE008");
    EXPECT_EQ(rowsOf(act), 0);
    EXPECT_EQ(rowsOf(keep), others);
    EXPECT_EQ(form->txtActDesc->text(), "");
    EXPECT_EQ(form->activityKey(), 0);
    EXPECT_FALSE(on("Modify"));
    EXPECT_FALSE(on("Delete"));
    EXPECT_EQ(form->dgdAM->gridModel()->rowCount(), 0);

    messages.clear();
    press(Qt::Key_Escape);
    EXPECT_TRUE(messages.prompts().isEmpty());
    EXPECT_FALSE(form->isVisible());
}

// A line goes with its pending entries and rule rows; the line before a deleted last line
// becomes current, otherwise the line now at the same place.
TEST_F(Delete, LinesAndTheCurrentRowAfterwards) {
    const qint64 act = activity("Audit");
    const qint64 a = line(act, "2024-04-01", "2024-04-30");
    const qint64 b = line(act, "2024-05-01", "2024-05-31", kWeekly, "2024-05-13");
    const qint64 c = line(act, "2024-06-01", "2024-06-30");
    const qint64 d = line(act, "2024-07-01", "2024-07-31");
    entry(act, b, "2024-05-13");
    open();
    select(act);
    ASSERT_EQ(form->dgdAM->gridModel()->rowCount(), 4);

    clickRow(3);
    messages.answer(vbYes);
    press(Qt::Key_F7);
    ASSERT_EQ(statusCode(), "ZVE008");
    EXPECT_EQ(count("SELECT count(*) FROM Actvty_Mast_Det WHERE Sys_Actvty_Line_Num = ?", {d}), 0);
    EXPECT_EQ(currentRow(), 2);

    clickRow(1);
    messages.answer(vbYes);
    press(Qt::Key_F7);
    ASSERT_EQ(statusCode(), "ZVE008");
    EXPECT_EQ(messages.prompts(), (QStringList{kDeleteQuestion, kDeleteWithEntries}));
    EXPECT_EQ(count("SELECT count(*) FROM Statry_Cmpltd_Entry WHERE Sys_Actvty_Line_Num = ?", {b}), 0);
    EXPECT_EQ(count("SELECT count(*) FROM Actvty_Mast_Freq WHERE Sys_Actvty_Line_Num = ?", {b}), 0);
    EXPECT_EQ(currentRow(), 1);
    EXPECT_EQ(cell(1, 1), QString::number(c));
    EXPECT_EQ(count("SELECT count(*) FROM Actvty_Mast_Det WHERE Sys_Actvty_Num = ?", {act}), 2);
    EXPECT_EQ(rules(a), QStringList{"0/2/0"});
}

// A line assigned by an employee is his: its name shows, the detail buttons are off on
// it, and the activity cannot be deleted.
TEST_F(Delete, LinesAssignedByAnEmployee) {
    const qint64 act = activity("Audit");
    line(act, "2024-04-01", "2024-04-30");
    line(act, "2024-05-01", "2024-05-31", kWeekly, QVariant(), ravi);
    line(act, "2024-06-01", "2025-03-31");
    line(act, "2025-04-01", "2025-04-30");   // outside the period: not listed
    open();
    select(act);
    ASSERT_EQ(form->dgdAM->gridModel()->rowCount(), 3);
    EXPECT_EQ(cell(0, 6), "ADMIN");
    EXPECT_EQ(cell(1, 6), "Ravi");
    EXPECT_FALSE(on("Delete"));
    EXPECT_TRUE(on("Modify"));
    EXPECT_TRUE(on("DetailModify"));
    clickRow(1);
    EXPECT_FALSE(on("DetailModify"));
    EXPECT_FALSE(on("DetailDelete"));
    clickRow(2);
    EXPECT_TRUE(on("DetailModify"));
    EXPECT_TRUE(on("DetailDelete"));
    // The proposed start of a new line follows the latest end date of all lines.
    press(Qt::Key_F5);
    EXPECT_EQ(form->txtStartDate->text(), "01-May-2025");
}

// The activity's row no longer there when the delete runs (a trigger of the test
// skips it): nothing goes, and the form lets go of the activity.
TEST_F(Delete, ActivityGoneWhenTheDeleteRuns) {
    const qint64 act = activity("Audit");
    const qint64 ln = line(act, "2024-05-01", "2024-05-31");
    entry(act, ln, "2024-05-06");
    open();
    select(act);
    const int before = rowsOf(act);
    other.execute("CREATE TRIGGER skip BEFORE DELETE ON Actvty_Mast BEGIN SELECT RAISE(IGNORE); END");
    messages.answer(vbYes);
    press(Qt::Key_F4);
    EXPECT_EQ(statusCode(), "ZVE034");
    EXPECT_TRUE(statusText().contains("Cannot delete"));
    EXPECT_EQ(rowsOf(act), before);
    EXPECT_EQ(form->txtActDesc->text(), "");
    EXPECT_EQ(form->activityKey(), 0);
    EXPECT_FALSE(form->rowLocked());
    EXPECT_FALSE(on("Modify"));
    EXPECT_TRUE(on("Add"));
}

} // namespace
