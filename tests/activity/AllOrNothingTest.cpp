#include "ActivityFixture.h"

using zv::ui::vbYes;

namespace {

// A statement that fails part-way (a trigger of the test refuses it) leaves
// nothing half-written or half-deleted, and the form never says it was done.
class AllOrNothing : public ActivityTest {
public:
    void refuse(const QString &when) {
        other.execute("CREATE TRIGGER refuse " + when + " BEGIN SELECT RAISE(ABORT, 'refused'); END");
    }
    void allow() { other.execute("DROP TRIGGER refuse"); }
};

TEST_F(AllOrNothing, ALineWithItsRuleRows) {
    const qint64 act = activity("Audit");
    open();
    select(act);
    refuse("BEFORE INSERT ON Actvty_Mast_Freq");
    beginLine("01apr2024", "30apr2024", "W");
    clickWeekday(2);
    press(Qt::Key_F9);
    EXPECT_NE(statusCode(), "ZVE003");
    ASSERT_EQ(messages.prompts().size(), 1);
    EXPECT_TRUE(messages.prompts().at(0).endsWith("In InsertDetail"));
    EXPECT_EQ(form->lineMode(), DetailMode::DetailAdd);
    EXPECT_EQ(count("SELECT count(*) FROM Actvty_Mast_Det"), 0);

    allow();
    press(Qt::Key_F9);
    EXPECT_EQ(statusCode(), "ZVE003");
    EXPECT_EQ(rules(newestLine()), QStringList{"0/2/0"});
}

TEST_F(AllOrNothing, ARewrittenLineKeepsTheOldOneOnFailure) {
    const qint64 act = activity("Audit");
    const qint64 ln = line(act, "2024-05-01", "2024-05-31");
    open();
    select(act);
    press(Qt::Key_F6);
    chooseByText(form->CmbResP, "Ravi");
    refuse("BEFORE INSERT ON Actvty_Mast_Det");
    press(Qt::Key_F9);
    EXPECT_NE(statusCode(), "ZVE002");
    EXPECT_EQ(form->lineMode(), DetailMode::DetailModify);
    EXPECT_TRUE(form->rowLocked());
    EXPECT_EQ(scalar("SELECT Sys_Emp_Num FROM Actvty_Mast_Det WHERE Sys_Actvty_Line_Num = ?", {ln}).toLongLong(), asha);
    EXPECT_EQ(rules(ln), QStringList{"0/2/0"});
}

TEST_F(AllOrNothing, AnActivityWithItsEntries) {
    const qint64 act = activity("Audit");
    const qint64 ln = line(act, "2024-05-01", "2024-05-31");
    entry(act, ln, "2024-05-06");
    open();
    select(act);
    refuse("BEFORE DELETE ON Actvty_Mast");
    messages.answer(vbYes);
    press(Qt::Key_F4);
    EXPECT_NE(statusCode(), "ZVE008");
    EXPECT_EQ(count("SELECT count(*) FROM Statry_Cmpltd_Entry"), 1);
    EXPECT_EQ(count("SELECT count(*) FROM Actvty_Mast_Freq"), 1);
    EXPECT_EQ(count("SELECT count(*) FROM Actvty_Mast_Det"), 1);
    EXPECT_EQ(form->txtActDesc->text(), "Audit");
    EXPECT_FALSE(form->rowLocked());
}

TEST_F(AllOrNothing, ALineWithItsEntries) {
    const qint64 act = activity("Audit");
    const qint64 ln = line(act, "2024-05-01", "2024-05-31", kWeekly, "2024-05-06");
    entry(act, ln, "2024-05-06");
    open();
    select(act);
    refuse("BEFORE DELETE ON Actvty_Mast_Det");
    messages.answer(vbYes);
    press(Qt::Key_F7);
    EXPECT_NE(statusCode(), "ZVE008");
    EXPECT_EQ(count("SELECT count(*) FROM Statry_Cmpltd_Entry"), 1);
    EXPECT_EQ(count("SELECT count(*) FROM Actvty_Mast_Freq"), 1);
    EXPECT_FALSE(form->rowLocked());
}

TEST_F(AllOrNothing, AnActivityHeader) {
    open();
    refuse("BEFORE UPDATE ON Actvty_Mast");   // the lock number written after the insert
    press(Qt::Key_F2);
    typeDate(form->txtEntryDate, "01apr2024");
    type(form->txtActDesc, "Audit");
    press(Qt::Key_F9);
    EXPECT_NE(statusCode(), "ZVE003");
    EXPECT_EQ(form->headerMode(), HeaderMode::Add);
    EXPECT_EQ(count("SELECT count(*) FROM Actvty_Mast"), 0);
}

} // namespace
