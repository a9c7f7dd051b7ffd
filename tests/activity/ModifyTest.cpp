#include "ActivityFixture.h"

using zv::ui::vbYes;

namespace {

class Modify : public ActivityTest {};

// Modify holds the activity's row lock until Ok; its own description is no
// duplicate; the date of entry may not pass the first line's start.
TEST_F(Modify, HeaderUnderItsLock) {
    const qint64 act = activity("Audit", "2024-04-01");
    activity("Cleaning");
    line(act, "2024-05-01", "2024-05-31");
    open();
    select(act);
    // Select, then the filter's Cancel: nothing changes.
    answers.filter = [](const QString &) { return QStringList{"", ""}; };
    press(Qt::Key_F8);
    EXPECT_EQ(form->activityKey(), act);
    EXPECT_EQ(form->txtActDesc->text(), "Audit");
    EXPECT_TRUE(on("Modify"));
    EXPECT_TRUE(on("Delete"));
    EXPECT_TRUE(on("Refresh"));
    EXPECT_TRUE(on("DetailAdd"));
    EXPECT_TRUE(on("DetailModify"));

    press(Qt::Key_F3);
    ASSERT_EQ(form->headerMode(), HeaderMode::Modify);
    EXPECT_TRUE(form->rowLocked());
    EXPECT_THROW(other.lockRow("Actvty_Mast", act), zv::db::DbError);
    EXPECT_TRUE(form->txtEntryDate->isEnabled());   // no line has generated entries
    EXPECT_TRUE(form->txtActDesc->hasFocus());
    EXPECT_FALSE(form->dgdAM->isEnabled());
    for (const char *b : {"Add", "Modify", "Delete", "Select", "DetailAdd", "Exit"})
        EXPECT_FALSE(on(b)) << b;

    form->txtActDesc->setText("cleaning");
    press(Qt::Key_F9);
    EXPECT_EQ(statusCode(), "ZVE006");
    typeDate(form->txtEntryDate, "02may2024");
    form->txtActDesc->setText("AUDIT");
    press(Qt::Key_F9);
    EXPECT_EQ(statusCode(), "ZVE019");
    EXPECT_TRUE(statusText().endsWith("Activity Start Date"));
    typeDate(form->txtEntryDate, "01may2024");   // the same day passes
    type(form->txtRemarks, "Yearly");
    press(Qt::Key_F9);
    ASSERT_EQ(statusCode(), "ZVE002");
    EXPECT_EQ(form->headerMode(), HeaderMode::None);
    EXPECT_FALSE(form->rowLocked());
    EXPECT_NO_THROW(other.lockRow("Actvty_Mast", act));
    auto rs = other.query("SELECT Entry_Date, Actvty_Desc, Remk FROM Actvty_Mast WHERE Sys_Actvty_Num = ?", {act});
    rs.moveFirst();
    EXPECT_EQ(rs.text("Entry_Date"), "2024-05-01");
    EXPECT_EQ(rs.text("Actvty_Desc"), "AUDIT");
    EXPECT_EQ(rs.text("Remk"), "Yearly");

    // Cancel of Modify brings the stored values back.
    press(Qt::Key_F3);
    form->txtActDesc->setText("Something else");
    press(Qt::Key_F10);
    EXPECT_EQ(form->txtActDesc->text(), "AUDIT");
    EXPECT_FALSE(form->rowLocked());
}

TEST_F(Modify, DateOfEntryIsFixedOnceEntriesWereGenerated) {
    const qint64 act = activity("Audit");
    line(act, "2024-05-01", "2024-05-31", kWeekly, "2024-05-06");
    open();
    select(act);
    press(Qt::Key_F3);
    ASSERT_EQ(form->headerMode(), HeaderMode::Modify);
    EXPECT_FALSE(form->txtEntryDate->isEnabled());
    EXPECT_TRUE(form->txtActDesc->isEnabled());
}

// A line without generated entries is written anew under a new key with the same rule rows.
TEST_F(Modify, LineWithoutEntriesIsRewritten) {
    const qint64 act = activity("Audit");
    const qint64 old = line(act, "2024-05-01", "2024-05-31");
    open();
    select(act);
    press(Qt::Key_F6);
    ASSERT_EQ(form->lineMode(), DetailMode::DetailModify);
    EXPECT_TRUE(form->rowLocked());
    EXPECT_EQ(form->lineKey(), old);
    EXPECT_EQ(form->txtStartDate->text(), "01-May-2024");
    EXPECT_EQ(form->txtEndDate->text(), "31-May-2024");
    EXPECT_EQ(form->cmbDept->currentText(), "Accounts");
    EXPECT_EQ(form->CmbResP->currentText(), "Asha");
    EXPECT_EQ(form->cmbFreq->currentText(), "Weekly");
    EXPECT_TRUE(form->cmbFreq->isEnabled());
    ASSERT_TRUE(form->picker->PicMain->isVisible());
    EXPECT_EQ(form->picker->cells.WeekCells[1], 1);   // the stored Monday

    chooseByText(form->CmbResP, "Ravi");
    press(Qt::Key_F9);
    ASSERT_EQ(statusCode(), "ZVE002") << statusText().toStdString();
    EXPECT_FALSE(form->rowLocked());
    EXPECT_EQ(count("SELECT count(*) FROM Actvty_Mast_Det WHERE Sys_Actvty_Line_Num = ?", {old}), 0);
    const qint64 now = newestLine();
    EXPECT_NE(now, old);
    EXPECT_EQ(scalar("SELECT Sys_Emp_Num FROM Actvty_Mast_Det WHERE Sys_Actvty_Line_Num = ?", {now}).toLongLong(), ravi);
    EXPECT_EQ(rules(now), QStringList{"0/2/0"});
    EXPECT_EQ(count("SELECT count(*) FROM Actvty_Mast_Freq"), 1);
}

// Once entries were generated only the end date may change, and not to before the last generated date.
TEST_F(Modify, LineWithEntriesChangesOnlyItsEndDate) {
    const qint64 act = activity("Audit");
    const qint64 ln = line(act, "2024-05-01", "2024-05-31", kWeekly, "2024-05-15");
    entry(act, ln, "2024-05-15");
    open();
    select(act);
    EXPECT_EQ(cell(0, 4), "15-May-2024");
    press(Qt::Key_F6);
    ASSERT_EQ(form->lineMode(), DetailMode::DetailModify);
    for (QWidget *w : std::initializer_list<QWidget *>{form->txtStartDate, form->cmbDept, form->CmbResP,
                                                       form->cmbFreq, form->picker->PicMain, form->picker->sstMnth})
        EXPECT_FALSE(w->isEnabled()) << w->objectName().toStdString();
    EXPECT_TRUE(form->txtEndDate->isEnabled());
    EXPECT_TRUE(form->picker->PicMain->isVisible());   // the rule is shown, not changeable

    typeDate(form->txtEndDate, "10may2024");
    press(Qt::Key_F9);
    EXPECT_EQ(statusCode(), "ZVE029");
    EXPECT_TRUE(statusText().endsWith("Last Generated Date"));
    typeDate(form->txtEndDate, "15may2024");
    press(Qt::Key_F9);
    ASSERT_EQ(statusCode(), "ZVE002");
    EXPECT_EQ(scalar("SELECT End_Date FROM Actvty_Mast_Det WHERE Sys_Actvty_Line_Num = ?", {ln}).toString(),
              "2024-05-15");
    EXPECT_EQ(newestLine(), ln);
    EXPECT_EQ(rules(ln), QStringList{"0/2/0"});
}

// Entries generated by the employees' program while the line is being
// modified: the rewrite is refused in the program's words, the line is shown
// again as it now is but with the end date typed, which the next Ok saves.
TEST_F(Modify, LineThatGotEntriesMeanwhileKeepsItsKey) {
    const qint64 act = activity("Audit");
    const qint64 ln = line(act, "2024-05-01", "2024-05-31");
    open();
    select(act);
    press(Qt::Key_F6);
    ASSERT_EQ(form->lineMode(), DetailMode::DetailModify);
    ASSERT_TRUE(form->cmbFreq->isEnabled());
    entry(act, ln, "2024-05-13");
    entry(act, ln, "2024-05-06");
    chooseByText(form->CmbResP, "Ravi");
    typeDate(form->txtEndDate, "20may2024");
    press(Qt::Key_F9);
    EXPECT_EQ(messages.prompts(), QStringList{});
    EXPECT_EQ(statusCode(), "ZVE177") << statusText().toStdString();
    EXPECT_EQ(form->lineMode(), DetailMode::DetailModify);
    EXPECT_TRUE(form->rowLocked());
    EXPECT_EQ(form->lineKey(), ln);
    EXPECT_EQ(form->CmbResP->currentText(), "Asha");   // reloaded
    EXPECT_EQ(cell(0, 4), "13-May-2024");
    EXPECT_EQ(form->txtEndDate->text(), "20-May-2024");   // as typed
    for (QWidget *w : std::initializer_list<QWidget *>{form->txtStartDate, form->cmbDept, form->CmbResP,
                                                       form->cmbFreq, form->picker->PicMain})
        EXPECT_FALSE(w->isEnabled()) << w->objectName().toStdString();
    EXPECT_TRUE(form->txtEndDate->isEnabled());
    EXPECT_EQ(scalar("SELECT Sys_Emp_Num FROM Actvty_Mast_Det WHERE Sys_Actvty_Line_Num = ?", {ln}).toLongLong(), asha);
    EXPECT_EQ(rules(ln), QStringList{"0/2/0"});

    // The next Ok saves the end date asked for, under the same key.
    press(Qt::Key_F9);
    ASSERT_EQ(statusCode(), "ZVE002") << statusText().toStdString();
    EXPECT_EQ(form->lineMode(), DetailMode::None);
    EXPECT_FALSE(form->rowLocked());
    EXPECT_EQ(newestLine(), ln);
    EXPECT_EQ(scalar("SELECT End_Date FROM Actvty_Mast_Det WHERE Sys_Actvty_Line_Num = ?", {ln}).toString(),
              "2024-05-20");
    EXPECT_EQ(count("SELECT count(*) FROM Statry_Cmpltd_Entry WHERE Sys_Actvty_Line_Num = ?", {ln}), 2);
}

// Another user's lock refuses every change: nothing is asked, nothing is written.
TEST_F(Modify, AnotherUsersLockRefusesChanges) {
    const qint64 act = activity("Audit");
    const qint64 ln = line(act, "2024-05-01", "2024-05-31");
    open();
    select(act);
    {
        auto held = other.lockRow("Actvty_Mast", act);
        struct Case {
            Qt::Key key;
            const char *code;
        } cases[] = {{Qt::Key_F3, "ZVE027"}, {Qt::Key_F4, "ZVE028"}, {Qt::Key_F6, "ZVE027"}, {Qt::Key_F7, "ZVE028"}};
        for (const Case &c : cases) {
            messages.answer(vbYes);   // DetailDelete asks before it tries the lock
            press(c.key);
            EXPECT_EQ(statusCode(), c.code) << c.code;
            EXPECT_EQ(form->headerMode(), HeaderMode::None);
            EXPECT_EQ(form->lineMode(), DetailMode::None);
            EXPECT_FALSE(form->rowLocked());
            EXPECT_EQ(form->txtActDesc->text(), "Audit");
        }
        EXPECT_EQ(messages.prompts(), QStringList{kDeleteQuestion});
    }
    EXPECT_EQ(count("SELECT count(*) FROM Actvty_Mast_Det WHERE Sys_Actvty_Line_Num = ?", {ln}), 1);
    // Lock released: Modify goes ahead, and Esc's No gives the lock up again.
    press(Qt::Key_F3);
    EXPECT_TRUE(form->rowLocked());
    messages.answer(zv::ui::vbNo);
    press(Qt::Key_Escape);
    EXPECT_FALSE(form->rowLocked());
    EXPECT_EQ(form->headerMode(), HeaderMode::None);
    EXPECT_TRUE(form->isVisible());
}

// An activity deleted by another user meanwhile: Modify says it is gone and clears the form.
TEST_F(Modify, ActivityGoneMeanwhile) {
    const qint64 act = activity("Audit");
    open();
    select(act);
    other.execute("DELETE FROM Actvty_Mast WHERE Sys_Actvty_Num = ?", {act});
    press(Qt::Key_F3);
    EXPECT_EQ(statusCode(), "ZVE034");
    EXPECT_TRUE(statusText().contains("Cannot modify."));
    EXPECT_EQ(form->txtActDesc->text(), "");
    EXPECT_EQ(form->activityKey(), 0);
    EXPECT_FALSE(on("Modify"));
    EXPECT_TRUE(on("Add"));
}

// Showing an activity fills each missing last generated date from the latest expected
// date of the line's schedule entries; a line without entries keeps none.
TEST_F(Modify, ShowingAnActivityFillsMissingLastGeneratedDates) {
    const qint64 act = activity("Audit");
    const qint64 a = line(act, "2024-05-01", "2024-05-31");
    const qint64 b = line(act, "2024-06-01", "2024-06-30");
    const qint64 c = line(act, "2024-07-01", "2024-07-31", kWeekly, "2024-07-01");
    entry(act, a, "2024-05-20");
    entry(act, a, "2024-05-06");
    entry(act, c, "2024-07-29");   // a date already on file is left to the update utility
    open();
    select(act);
    EXPECT_EQ(scalar("SELECT Last_Gnrtd_Date FROM Actvty_Mast_Det WHERE Sys_Actvty_Line_Num = ?", {a}).toString(),
              "2024-05-20");
    EXPECT_TRUE(scalar("SELECT Last_Gnrtd_Date FROM Actvty_Mast_Det WHERE Sys_Actvty_Line_Num = ?", {b}).isNull());
    EXPECT_EQ(scalar("SELECT Last_Gnrtd_Date FROM Actvty_Mast_Det WHERE Sys_Actvty_Line_Num = ?", {c}).toString(),
              "2024-07-01");
    EXPECT_EQ(cell(0, 4), "20-May-2024");
    EXPECT_EQ(cell(1, 4), "");
    // New entries show at the next Refresh.
    entry(act, b, "2024-06-03");
    press(Qt::Key_F11);
    EXPECT_EQ(cell(1, 4), "03-Jun-2024");
}

} // namespace
