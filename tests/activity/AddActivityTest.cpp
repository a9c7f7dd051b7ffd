#include "ActivityFixture.h"
#include "platform/clock/Clock.h"

namespace {

class AddActivity : public ActivityTest {};

// The typical request: an activity by keys, then a line of each kind of
// frequency, each with its cells picked on the drawn grid.
TEST_F(AddActivity, HeaderAndALineOfEachKind) {
    open();
    EXPECT_TRUE(on("Add"));
    EXPECT_TRUE(on("Select"));
    EXPECT_FALSE(on("Modify"));
    EXPECT_FALSE(on("DetailAdd"));
    EXPECT_FALSE(form->headerButton("Print")->isVisible());
    EXPECT_FALSE(form->headerButton("Attachment")->isVisible());
    EXPECT_FALSE(form->txtActDesc->isEnabled());

    press(Qt::Key_F2);
    ASSERT_EQ(form->headerMode(), HeaderMode::Add);
    EXPECT_TRUE(form->txtEntryDate->hasFocus());
    EXPECT_EQ(form->txtEntryDate->text(), zv::db::toDisplayDate(zv::clock::today()));
    EXPECT_FALSE(on("Exit"));
    EXPECT_TRUE(form->footerButton("Ok")->isVisible());
    typeDate(form->txtEntryDate, "01apr2024");
    type(form->txtActDesc, "Audit's (Q1) review");
    EXPECT_EQ(form->txtActDesc->text(), "Audits Q1 review");   // quotes and punctuation never reach the box
    type(form->txtRemarks, "Monthly \"books\", [all]");
    EXPECT_EQ(form->txtRemarks->text(), "Monthly books all");
    press(Qt::Key_F9);

    ASSERT_EQ(statusCode(), "ZVE003");
    const qint64 act = scalar("SELECT Sys_Actvty_Num FROM Actvty_Mast WHERE Actvty_Desc = 'Audits Q1 review'").toLongLong();
    ASSERT_GT(act, 0);
    EXPECT_EQ(form->activityKey(), act);
    EXPECT_EQ(scalar("SELECT Sys_Lock_Num FROM Actvty_Mast WHERE Sys_Actvty_Num = ?", {act}).toLongLong(), act);
    EXPECT_EQ(scalar("SELECT Entry_Date FROM Actvty_Mast WHERE Sys_Actvty_Num = ?", {act}).toString(), "2024-04-01");
    EXPECT_EQ(scalar("SELECT Remk FROM Actvty_Mast WHERE Sys_Actvty_Num = ?", {act}).toString(), "Monthly books all");
    EXPECT_TRUE(on("DetailAdd"));
    EXPECT_TRUE(on("Modify"));
    EXPECT_FALSE(form->txtActDesc->isEnabled());

    struct Line {
        const char *start;    // typed; empty: the proposed start is kept
        const char *proposed; // the start date DetailAdd proposes
        const char *end;
        const char *freq;
        std::function<void()> pick;
        QStringList rules;    // Mnth/Dow/Days
    };
    const QList<Line> lines = {
        // Monday, Wednesday and Friday
        {"01apr2024", "__-___-____", "30apr2024", "W", [&] { clickWeekday(2); clickWeekday(4); clickWeekday(6); },
         {"0/2/0", "0/4/0", "0/6/0"}},
        // the 3rd and the 17th
        {"", "01-May-2024", "31may2024", "M", [&] { clickDate(17); clickDate(3); }, {"0/0/3", "0/0/17"}},
        // the second Tuesday and the fifth Friday
        {"", "01-Jun-2024", "30jun2024", "M",
         [&] {
             form->picker->sstMnth->setCurrentIndex(1);
             clickNth(5, 6);
             clickNth(2, 3);
         },
         {"0/3/2", "0/6/5"}},
        // 15 March and 15 September
        {"", "01-Jul-2024", "31mar2025", "A",
         [&] {
             form->picker->sstAdhoc->setCurrentIndex(8);
             clickDate(15);
             form->picker->sstAdhoc->setCurrentIndex(2);
             clickDate(15);
         },
         {"3/0/15", "9/0/15"}},
    };
    for (const Line &l : lines) {
        press(Qt::Key_F5);
        ASSERT_EQ(form->lineMode(), DetailMode::DetailAdd) << l.freq;
        EXPECT_TRUE(form->fraDet->isVisible());
        EXPECT_EQ(form->fraDet->title(), "Schedule Details");
        EXPECT_EQ(form->txtStartDate->text(), l.proposed) << l.freq;
        EXPECT_EQ(form->cmbAssignedBy->currentText(), "ADMIN");
        EXPECT_TRUE(form->txtStartDate->hasFocus());
        if (*l.start)
            typeDate(form->txtStartDate, l.start);
        typeDate(form->txtEndDate, l.end);
        chooseByText(form->cmbDept, "Stores");
        chooseByText(form->CmbResP, "Ravi");
        chooseFrequency(l.freq);
        ASSERT_TRUE(form->picker->PicMain->isVisible()) << l.freq;
        l.pick();
        press(Qt::Key_F9);
        ASSERT_EQ(statusCode(), "ZVE003") << l.freq << " " << statusText().toStdString();
        const qint64 ln = newestLine();
        EXPECT_EQ(form->lineKey(), ln);
        EXPECT_EQ(rules(ln), l.rules) << l.freq;
        EXPECT_FALSE(form->fraDet->isVisible());
    }
    // A frequency without a rule: no picker, no rule rows.
    press(Qt::Key_F5);
    chooseByText(form->cmbDept, "Stores");
    chooseByText(form->CmbResP, "Ravi");
    // The line before ends the last day of the period: nothing is left for a further line.
    EXPECT_EQ(form->txtStartDate->text(), "01-Apr-2025");
    press(Qt::Key_F10);

    auto rs = other.query("SELECT Sys_Dept_Num, Sys_Emp_Num, Start_Date, End_Date, Sys_Const_Num, Assign_By, "
                          "Last_Gnrtd_Date FROM Actvty_Mast_Det WHERE Sys_Actvty_Num = ? ORDER BY Start_Date",
                          {act});
    ASSERT_EQ(rs.recordCount(), 4);
    rs.moveFirst();
    EXPECT_EQ(rs.value("Sys_Dept_Num").toLongLong(), stores);
    EXPECT_EQ(rs.value("Sys_Emp_Num").toLongLong(), ravi);
    EXPECT_EQ(rs.text("Start_Date"), "2024-04-01");
    EXPECT_EQ(rs.text("End_Date"), "2024-04-30");
    EXPECT_EQ(rs.value("Sys_Const_Num").toLongLong(), kWeekly);
    EXPECT_EQ(rs.value("Assign_By").toLongLong(), 0);
    EXPECT_TRUE(rs.value("Last_Gnrtd_Date").isNull());

    // The grid lists the lines by start date, dates shown dd-MMM-yyyy and the administrator as "ADMIN".
    const auto grid = form->dgdAM->recordset();
    ASSERT_TRUE(grid);
    EXPECT_EQ(grid->recordCount(), 4);
    EXPECT_EQ(form->dgdAM->gridModel()->cellText(1, 2), "01-May-2024");
    EXPECT_EQ(form->dgdAM->gridModel()->cellText(1, 5), "Monthly");
    EXPECT_EQ(form->dgdAM->gridModel()->cellText(1, 6), "ADMIN");
    EXPECT_EQ(form->dgdAM->gridModel()->cellText(1, 7), "Ravi");
    EXPECT_EQ(form->dgdAM->gridModel()->cellText(1, 9), "Stores");
}

// The activity number and the three dates are centred, the texts left-aligned.
TEST_F(AddActivity, GridColumnAlignment) {
    const qint64 act = activity("Audit");
    line(act, "2024-04-01", "2024-04-30", kWeekly, "2024-04-29");
    open();
    select(act);
    auto *model = form->dgdAM->gridModel();
    ASSERT_EQ(model->rowCount(), 1);
    const int centre = int(Qt::AlignCenter), left = int(Qt::AlignLeft | Qt::AlignVCenter);
    const QList<int> expected{centre, left, centre, centre, centre, left, left, left, left, left};
    ASSERT_EQ(model->columnCount(), expected.size());
    for (int column = 0; column < expected.size(); ++column)
        EXPECT_EQ(model->data(model->index(0, column), Qt::TextAlignmentRole).toInt(), expected.at(column))
            << form->dgdAM->columnCaption(column).trimmed().toStdString();
}

TEST_F(AddActivity, LineWithoutRuleAndTypedTextBound) {
    const qint64 act = activity("Cleaning");
    open();
    select(act);
    EXPECT_EQ(form->txtActDesc->text(), "Cleaning");
    beginLine("01apr2024", "30apr2024", "D");
    EXPECT_EQ(form->cmbFreq->currentText(), "Daily");
    EXPECT_FALSE(form->picker->PicMain->isVisible());
    EXPECT_FALSE(form->picker->sstMnth->isVisible());
    EXPECT_FALSE(form->picker->sstAdhoc->isVisible());
    press(Qt::Key_F9);
    ASSERT_EQ(statusCode(), "ZVE003");
    EXPECT_TRUE(rules(newestLine()).isEmpty());

    // Text that reaches the box by other means than typing is stored as it
    // stands (quotes and bars are refused at Ok; the rest is bound).
    press(Qt::Key_F3);
    ASSERT_EQ(form->headerMode(), HeaderMode::Modify);
    const QString pasted = "OBrien); DELETE FROM Actvty_Mast; --";
    form->txtActDesc->setText(pasted);
    press(Qt::Key_F9);
    ASSERT_EQ(statusCode(), "ZVE002");
    EXPECT_EQ(scalar("SELECT Actvty_Desc FROM Actvty_Mast WHERE Sys_Actvty_Num = ?", {act}).toString(), pasted);
}

// The responsible persons are read at every DetailAdd and DetailModify: an
// employee added after the form opened is offered and can be saved, one removed
// meanwhile is no longer offered.
TEST_F(AddActivity, ResponsiblePersonsAreReadAtEveryLineEntry) {
    const qint64 act = activity("Audit");
    open();
    select(act);
    press(Qt::Key_F5);
    ASSERT_EQ(form->lineMode(), DetailMode::DetailAdd);
    EXPECT_GE(form->CmbResP->findText("Ravi"), 0);
    press(Qt::Key_F10);

    const qint64 meera = insert("INSERT INTO Emp_Mast (Emp_Num, Emp_Name, Sys_Desg_Num, Sys_Dept_Num) "
                                "SELECT 'E3', 'Meera', Sys_Desg_Num, ? FROM Desg_Mast LIMIT 1",
                                {accounts});
    other.execute("DELETE FROM Emp_Mast WHERE Sys_Emp_Num = ?", {ravi});
    insert("INSERT INTO Actvty_Mast_Det (Sys_Actvty_Num, Sys_Dept_Num, Sys_Emp_Num, Start_Date, End_Date, "
           "Sys_Const_Num) VALUES (?, ?, ?, '2024-05-01', '2024-05-31', ?)",
           {act, accounts, meera, kDaily});
    press(Qt::Key_F11);

    press(Qt::Key_F5);
    ASSERT_EQ(form->lineMode(), DetailMode::DetailAdd);
    EXPECT_GE(form->CmbResP->findText("Meera"), 0);
    EXPECT_EQ(form->CmbResP->findText("Ravi"), -1);
    EXPECT_EQ(form->CmbResP->count(), 2);
    press(Qt::Key_F10);

    // A line naming him: shown with his entry, and saved.
    press(Qt::Key_F6);
    ASSERT_EQ(form->lineMode(), DetailMode::DetailModify);
    EXPECT_EQ(form->CmbResP->currentData().toLongLong(), meera);
    typeDate(form->txtEndDate, "30may2024");
    press(Qt::Key_F9);
    ASSERT_EQ(statusCode(), "ZVE002") << statusText().toStdString();
    EXPECT_EQ(scalar("SELECT Sys_Emp_Num FROM Actvty_Mast_Det WHERE Sys_Actvty_Line_Num = ?", {newestLine()})
                  .toLongLong(),
              meera);
    EXPECT_EQ(scalar("SELECT End_Date FROM Actvty_Mast_Det WHERE Sys_Actvty_Line_Num = ?", {newestLine()}).toString(),
              "2024-05-30");
}

// The department or responsible person chosen is deleted by another program
// before Ok: the line asks for the choice again (ZVE165), writes nothing and
// keeps the rest of what was typed; another choice then saves.
TEST_F(AddActivity, AChoiceDeletedBeforeOkIsAskedForAgain) {
    const qint64 act = activity("Audit");
    open();
    select(act);
    const qint64 lines = scalar("SELECT count(*) FROM Actvty_Mast_Det").toLongLong();
    const qint64 gone = insert("INSERT INTO Emp_Mast (Emp_Num, Emp_Name, Sys_Desg_Num, Sys_Dept_Num) "
                               "SELECT 'E9', 'Gopal', Sys_Desg_Num, ? FROM Desg_Mast LIMIT 1",
                               {accounts});
    beginLine("01apr2024", "30apr2024", "D");
    chooseByText(form->CmbResP, "Gopal");
    other.execute("DELETE FROM Emp_Mast WHERE Sys_Emp_Num = ?", {gone});
    press(Qt::Key_F9);
    EXPECT_EQ(statusCode(), "ZVE165") << statusText().toStdString();
    EXPECT_TRUE(statusText().contains("Responsible Person")) << statusText().toStdString();
    EXPECT_EQ(messages.prompts(), QStringList{});
    EXPECT_EQ(form->lineMode(), DetailMode::DetailAdd);
    EXPECT_EQ(form->CmbResP->currentText(), "");
    EXPECT_EQ(form->CmbResP->findText("Gopal"), -1);
    EXPECT_EQ(form->txtEndDate->text(), "30-Apr-2024");
    EXPECT_EQ(scalar("SELECT count(*) FROM Actvty_Mast_Det").toLongLong(), lines);

    chooseByText(form->CmbResP, "Asha");
    press(Qt::Key_F9);
    ASSERT_EQ(statusCode(), "ZVE003") << statusText().toStdString();
    EXPECT_EQ(scalar("SELECT count(*) FROM Actvty_Mast_Det").toLongLong(), lines + 1);
}

// The same for the department: the line asks for the department, not the
// person, and keeps the person chosen.
TEST_F(AddActivity, ADepartmentDeletedBeforeOkIsAskedForAgain) {
    const qint64 act = activity("Audit");
    const qint64 gone = insert("INSERT INTO Dept_Mast (Dept_Desc) VALUES ('Transport')");
    open();
    select(act);
    const qint64 lines = scalar("SELECT count(*) FROM Actvty_Mast_Det").toLongLong();
    beginLine("01apr2024", "30apr2024", "D");
    chooseByText(form->cmbDept, "Transport");
    other.execute("DELETE FROM Dept_Mast WHERE Sys_Dept_Num = ?", {gone});
    press(Qt::Key_F9);
    EXPECT_EQ(statusCode(), "ZVE165") << statusText().toStdString();
    EXPECT_TRUE(statusText().contains("Department")) << statusText().toStdString();
    EXPECT_FALSE(statusText().contains("Responsible Person")) << statusText().toStdString();
    EXPECT_EQ(messages.prompts(), QStringList{});
    EXPECT_EQ(form->lineMode(), DetailMode::DetailAdd);
    EXPECT_EQ(form->cmbDept->currentText(), "");
    EXPECT_EQ(form->cmbDept->findText("Transport"), -1);
    EXPECT_EQ(form->CmbResP->currentText(), "Asha");
    EXPECT_EQ(form->txtEndDate->text(), "30-Apr-2024");
    EXPECT_EQ(scalar("SELECT count(*) FROM Actvty_Mast_Det").toLongLong(), lines);

    chooseByText(form->cmbDept, "Stores");
    press(Qt::Key_F9);
    ASSERT_EQ(statusCode(), "ZVE003") << statusText().toStdString();
    EXPECT_EQ(scalar("SELECT count(*) FROM Actvty_Mast_Det").toLongLong(), lines + 1);
}

} // namespace
