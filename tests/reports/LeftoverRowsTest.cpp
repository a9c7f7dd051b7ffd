#include "ReportFixture.h"
#include "core/FormRegistry.h"
#include "platform/clock/Clock.h"
#include "reports/ChecklistStore.h"
#include "reports/DiarizedStore.h"
#include "reports/ReportForms.h"
#include "support/FailingStatement.h"

namespace {

// Working rows of report runs, as a killed run leaves them: the diarized
// report's under the key of its opening, the checklist's under the user's.
class LeftoverRows : public ReportTest {
public:
    void addDiarized(const QString &id, int rows = 2) {
        for (int i = 1; i <= rows; ++i)
            insert("INSERT INTO Temp_Year (Serl_Num, Emp_Name, Id) VALUES (?, 'Asha', ?)", {i, id});
    }
    void addChecklist(const QString &user, int rows = 2) {
        zv::db::Transaction t(other);
        for (int i = 0; i < rows; ++i)
            insert("INSERT INTO temp_mchklist (User_ID, Emp_Name) VALUES (?, 'Asha')", {user});
        t.commit();
    }
    // Read on the main connection: other may be closed.
    int diarizedRows(const QString &id) {
        return modCommon::MainConnection().scalar("SELECT count(*) FROM Temp_Year WHERE Id = ?", {id}).toInt();
    }
    int checklistRows(const QString &user) {
        return modCommon::MainConnection().scalar("SELECT count(*) FROM temp_mchklist WHERE User_ID = ?", {user}).toInt();
    }
};

TEST_F(LeftoverRows, OnlyRowsThatAKilledRunOfTheAdministratorLeftGo) {
    const QDateTime now(QDate(2026, 3, 10), QTime(12, 0, 0));
    struct Case {
        QString id;
        bool goes;
    };
    const Case diarized[] = {
        {zv::reports::diarizedFormId(now.addDays(-2)), true},
        {zv::reports::diarizedFormId(now.addSecs(-24 * 3600 - 1)), true},
        {"08032026110000", true},                                         // a bare time stamp, two days old
        {zv::reports::diarizedFormId(now.addSecs(-23 * 3600)), false},   // a form that may still be open
        {zv::reports::diarizedFormId(now.addSecs(3600)), false},         // the clock was set back
        {"31132026120000-abcdef", false},                                 // no such month: not a time stamp
        {"080320261100001", false},
        {"report of someone else", false},
    };
    for (const Case &c : diarized)
        addDiarized(c.id);

    const double admin = modCommon::gTempUserID;
    const QString adminRuns[] = {zv::reports::checklistRunKey(admin), zv::reports::checklistRunKey(admin),
                                 QString::number(admin)};
    const QString otherUsers[] = {zv::reports::checklistRunKey(7), QString::number(admin) + "7-abc", "17"};
    for (const QString &user : adminRuns)
        addChecklist(user);
    for (const QString &user : otherUsers)
        addChecklist(user);

    EXPECT_EQ(zv::reports::deleteStaleDiarized(modCommon::MainConnection(), now), 6);
    EXPECT_EQ(zv::reports::deleteLeftoverChecklists(modCommon::MainConnection(), admin), 6);
    for (const Case &c : diarized)
        EXPECT_EQ(diarizedRows(c.id), c.goes ? 0 : 2) << c.id.toStdString();
    for (const QString &user : adminRuns)
        EXPECT_EQ(checklistRows(user), 0) << user.toStdString();
    for (const QString &user : otherUsers)
        EXPECT_EQ(checklistRows(user), 2) << user.toStdString();
}

// The main window clears them when it loads on a sound production database
// that no other instance has open, and leaves them when the database is
// marked invalid.
TEST_F(LeftoverRows, GoWhenTheMainWindowLoads) {
    const QDateTime now = zv::clock::now();
    const QString killed = zv::reports::diarizedFormId(now.addDays(-3));
    const QString open = zv::reports::diarizedFormId(now);
    const QString checklist = zv::reports::checklistRunKey(modCommon::gTempUserID);
    addDiarized(killed);
    addDiarized(open);
    addChecklist(checklist);
    other.close();
    zv::forms::clearRegistry();
    zv::reports::registerForms(answers.forms());

    modCommon::gDBInvalid = true;
    MDIZVS::instance();
    EXPECT_EQ(diarizedRows(killed), 2);
    EXPECT_EQ(checklistRows(checklist), 2);
    MDIZVS::releaseInstance();

    modCommon::gDBInvalid = false;
    MDIZVS::instance();
    EXPECT_EQ(diarizedRows(killed), 0);
    EXPECT_EQ(diarizedRows(open), 2);
    EXPECT_EQ(checklistRows(checklist), 0);
    zv::forms::clearRegistry();
}

// Another instance started earlier on the same folder (another user, another
// machine) may be showing a report from these rows: while it has the file
// open, they all stay; once it is gone, the next start clears them.
TEST_F(LeftoverRows, StayWhileAnotherInstanceHasTheFileOpen) {
    const QString killed = zv::reports::diarizedFormId(zv::clock::now().addDays(-3));
    const QString running = zv::reports::checklistRunKey(modCommon::gTempUserID);
    addDiarized(killed);
    addChecklist(running, 231);
    zv::forms::clearRegistry();
    zv::reports::registerForms(answers.forms());

    ASSERT_TRUE(other.isOpen());   // the other instance's connection
    MDIZVS::instance();
    EXPECT_EQ(checklistRows(running), 231);
    EXPECT_EQ(diarizedRows(killed), 2);
    EXPECT_TRUE(messages.shown().isEmpty());
    MDIZVS::releaseInstance();

    other.close();
    MDIZVS::instance();
    EXPECT_EQ(checklistRows(running), 0);
    EXPECT_EQ(diarizedRows(killed), 0);
    zv::forms::clearRegistry();
}

// A database held by another program keeps the rows for the next start and
// lets the main window open.
TEST_F(LeftoverRows, HeldDatabaseKeepsThemAndStartsAnyway) {
    const QString killed = zv::reports::diarizedFormId(zv::clock::now().addDays(-3));
    addDiarized(killed);
    zv::forms::clearRegistry();
    zv::reports::registerForms(answers.forms());
    other.executeScript("BEGIN EXCLUSIVE");
    EXPECT_NE(MDIZVS::instance(), nullptr);
    other.executeScript("ROLLBACK");
    EXPECT_EQ(diarizedRows(killed), 2);
    EXPECT_TRUE(messages.shown().isEmpty());
    zv::forms::clearRegistry();
}

// Any other failure is news the user must have (a damaged or read-only file
// fails the same way): told once, and the main window opens all the same
// with every row kept.
TEST_F(LeftoverRows, AnyOtherFailureIsToldOnceAndStartsAnyway) {
    const QString killed = zv::reports::diarizedFormId(zv::clock::now().addDays(-3));
    const QString checklist = zv::reports::checklistRunKey(modCommon::gTempUserID);
    addDiarized(killed);
    addChecklist(checklist);
    other.close();
    zv::forms::clearRegistry();
    zv::reports::registerForms(answers.forms());
    modCommon::CloseMainConnection();
    const FailingStatement failing("ZV-DATA.mdb", "DELETE FROM temp_mchklist");
    modCommon::OpenDatabase();   // under the watch
    EXPECT_NE(MDIZVS::instance(), nullptr);
    EXPECT_TRUE(failing.failed());
    ASSERT_EQ(messages.prompts().size(), 1) << messages.prompts().join(" | ").toStdString();
    EXPECT_TRUE(messages.prompts().first().startsWith("Error Number is " + QString::number(zv::db::err::Interrupted)))
        << messages.prompts().first().toStdString();
    EXPECT_EQ(checklistRows(checklist), 2);
    EXPECT_EQ(diarizedRows(killed), 2);
    MDIZVS::releaseInstance();
    zv::forms::clearRegistry();
}

} // namespace
