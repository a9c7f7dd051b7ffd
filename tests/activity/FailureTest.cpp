#include "ActivityFixture.h"
#include "support/FailingStatement.h"
#include <QFile>
#include <functional>
#include <vector>

namespace {

// The activity master's keys meeting a failure with the file free: one box
// for the press, the form as it was, nothing written.
class Failure : public ActivityTest {
public:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(ActivityTest::SetUp());
        seed();
    }
    void seed() {
        audit = activity("Audit");
        auditLine = line(audit, "2024-05-01", "2024-05-31");
        entry(audit, auditLine, "2024-05-06", "2024-05-06");   // completed work
        backup = activity("Backup");
        backupLine = line(backup, "2024-05-01", "2024-05-31");
    }

    struct Case {
        const char *name;
        std::function<void()> arrange;   // the form brought to the key
        std::function<void()> act;       // the key
        const char *failing;             // what fails: a trigger's event, or a statement's text
    };
    // Presses each case's key with its failure planted and checks what the
    // user is told and what is left.
    void pressFailing(const std::vector<Case> &cases, bool statement,
                      const std::function<void(const QString &told)> &toldRight) {
        for (const Case &c : cases) {
            SCOPED_TRACE(c.name);
            c.arrange();
            ASSERT_FALSE(HasFatalFailure());
            const std::string state = formState();
            const QString rows = contents();
            messages.clear();
            if (statement) {
                // The main connection opens again under the watch.
                modCommon::CloseMainConnection();
                const FailingStatement failing("ZV-DATA.mdb", c.failing);
                c.act();
                EXPECT_TRUE(failing.failed()) << "the check was not reached";
            } else {
                other.execute(QStringLiteral("CREATE TRIGGER refuse %1 BEGIN SELECT RAISE(ABORT, 'refused'); END")
                                  .arg(QLatin1String(c.failing)));
                c.act();
                other.execute("DROP TRIGGER refuse");
            }
            QApplication::processEvents();
            ASSERT_EQ(told().size(), 1) << told().join(" / ").toStdString();
            toldRight(told().first());
            EXPECT_EQ(formState(), state);
            EXPECT_EQ(contents(), rows);
        }
    }

    void adding(const QString &description) {
        open();
        press(Qt::Key_F2);
        type(form->txtActDesc, description);
    }
    void modifying(qint64 key) {
        showActivity(key);
        press(Qt::Key_F3);
        ASSERT_EQ(form->headerMode(), HeaderMode::Modify);
        form->txtRemarks->setText("Weekly");
    }

    qint64 audit = 0, auditLine = 0, backup = 0, backupLine = 0;
};

// A failure that carries the general failure's number (a damaged file gives
// it too) is told as the failure it is: never as another user's lock
// (ZVE027, ZVE028) nor as a duplicate (ZVE006).
TEST_F(Failure, AFailureThatIsNoLockIsToldAsItIs) {
    const std::vector<Case> cases = {
        {"Add and Ok",
         [&] {
             adding("Dusting");
         },
         [&] { press(Qt::Key_F9); }, "BEFORE INSERT ON Actvty_Mast"},
        {"Modify and Ok", [&] { modifying(backup); }, [&] { press(Qt::Key_F9); }, "BEFORE UPDATE ON Actvty_Mast"},
        {"Modify and Cancel",
         [&] {
             modifying(backup);
             other.execute("UPDATE Actvty_Mast_Det SET Last_Gnrtd_Date = NULL");
         },
         [&] { press(Qt::Key_F10); }, "BEFORE UPDATE ON Actvty_Mast_Det"},
        {"Delete",
         [&] { showActivity(backup); },
         [&] { confirmed(Qt::Key_F4); },
         "BEFORE DELETE ON Actvty_Mast"},
        {"DetailDelete",
         [&] { showActivity(backup); },
         [&] { confirmed(Qt::Key_F7); },
         "BEFORE DELETE ON Actvty_Mast_Det"},
        {"Refresh",
         [&] {
             showActivity(backup);
             other.execute("UPDATE Actvty_Mast_Det SET Last_Gnrtd_Date = NULL");
         },
         [&] { press(Qt::Key_F11); }, "BEFORE UPDATE ON Actvty_Mast_Det"},
    };
    // The form as it was includes its status line: no code was shown.
    pressFailing(cases, false,
                 [](const QString &told) { EXPECT_TRUE(told.contains("refused")) << told.toStdString(); });
}

// A check that cannot read decides nothing: the name is not free, the dates
// do not overlap, no completed work is missing, the activity has not gone,
// the period is not wrong. The key ends with the failure, told once, at the
// very read whose answer the write would have trusted, and gives up the row
// lock it took.
TEST_F(Failure, ACheckThatCannotReadDecidesNothing) {
    const std::vector<Case> cases = {
        {"the description is taken",
         [&] {
             adding("Audit");
         },
         [&] { press(Qt::Key_F9); }, "trim(Actvty_Desc) = ?"},
        {"the line overlaps another",
         [&] {
             showActivity(backup);
             beginLine("15may2024", "15jun2024", "D");
         },
         [&] { press(Qt::Key_F9); }, "BETWEEN Start_Date AND End_Date"},
        {"the activity has completed work",
         [&] { showActivity(audit); },
         [&] { confirmed(Qt::Key_F4); },
         "WHERE Sys_Actvty_Num = ? AND Cmpltd_Date IS NOT NULL"},
        {"the line has completed work",
         [&] { showActivity(audit); },
         [&] { confirmed(Qt::Key_F7); },
         "WHERE Sys_Actvty_Line_Num = ? AND Cmpltd_Date IS NOT NULL"},
        {"the activity is gone",
         [&] { showActivity(backup); },
         [&] { press(Qt::Key_F3); }, "SELECT 1 FROM Actvty_Mast WHERE Sys_Actvty_Num = ?"},
        {"the line to change, its activity's lock taken",
         [&] { showActivity(backup); },
         [&] { press(Qt::Key_F6); }, "WHERE AMD.Sys_Actvty_Line_Num = ?"},
        {"the line's dates lie outside the period",
         [&] {
             showActivity(backup);
             beginLine("01jun2024", "30jun2024", "");
         },
         [&] { chooseFrequency("W"); }, "SELECT Start_Period, End_Period FROM Parm"},
    };
    pressFailing(cases, true, [](const QString &told) {
        EXPECT_TRUE(told.contains("interrupted")) << told.toStdString();
    });
}

// A write that committed stands on the screen too when a read after it
// fails (the lines shown again, the status's message): the form has left the
// edit and shows the activity's buttons, the failure told once.
TEST_F(Failure, ASaveStandsWhenWhatFollowsItFails) {
    struct AfterSave {
        const char *name;
        std::function<void()> arrange;
        std::function<void()> act;
        const char *failing;            // a read after the write
        std::function<void()> written;  // what the key wrote
    };
    const char *lines = "ORDER BY AMD.Start_Date";
    const char *message = "FROM Err_Msg";
    const auto lineAdded = [&] {
        EXPECT_EQ(count("SELECT count(*) FROM Actvty_Mast_Det WHERE Sys_Actvty_Num = ?", {backup}), 2);
    };
    const auto addingLine = [&] {
        showActivity(backup);
        beginLine("01jun2024", "30jun2024", "D");
    };
    const std::vector<AfterSave> cases = {
        {"a line added, its lines", addingLine, [&] { press(Qt::Key_F9); }, lines, lineAdded},
        {"a line added, its status", addingLine, [&] { press(Qt::Key_F9); }, message, lineAdded},
        {"a line's end changed, its lines",
         [&] {
             showActivity(audit);
             press(Qt::Key_F6);
             typeDate(form->txtEndDate, "30jun2024");
         },
         [&] { press(Qt::Key_F9); }, lines,
         [&] { EXPECT_EQ(scalar("SELECT End_Date FROM Actvty_Mast_Det WHERE Sys_Actvty_Line_Num = ?", {auditLine}),
                         "2024-06-30"); }},
        {"an activity added, its status",
         [&] {
             adding("Dusting");
         },
         [&] { press(Qt::Key_F9); }, message,
         [&] { EXPECT_EQ(count("SELECT count(*) FROM Actvty_Mast WHERE Actvty_Desc = 'Dusting'"), 1); }},
        {"an activity changed, its lines", [&] { modifying(backup); }, [&] { press(Qt::Key_F9); }, lines,
         [&] { EXPECT_EQ(scalar("SELECT Remk FROM Actvty_Mast WHERE Sys_Actvty_Num = ?", {backup}), "Weekly"); }},
        {"a line deleted, its status",
         [&] { showActivity(backup); },
         [&] { confirmed(Qt::Key_F7); },
         message,
         [&] { EXPECT_EQ(count("SELECT count(*) FROM Actvty_Mast_Det WHERE Sys_Actvty_Num = ?", {backup}), 0); }},
    };
    for (const AfterSave &c : cases) {
        SCOPED_TRACE(c.name);
        c.arrange();
        ASSERT_FALSE(HasFatalFailure());
        messages.clear();
        modCommon::CloseMainConnection();
        {
            const FailingStatement failing("ZV-DATA.mdb", c.failing);
            c.act();
            EXPECT_TRUE(failing.failed()) << "the read after the write was not reached";
        }
        QApplication::processEvents();
        EXPECT_EQ(told().size(), 1) << told().join(" / ").toStdString();
        c.written();
        EXPECT_EQ(form->headerMode(), HeaderMode::None);
        EXPECT_EQ(form->lineMode(), DetailMode::None);
        EXPECT_FALSE(form->rowLocked());
        EXPECT_FALSE(form->fraDet->isVisible());
        EXPECT_FALSE(form->footerButton("Ok")->isVisible());
        for (const char *key : {"Add", "Modify", "Select", "Refresh", "DetailAdd"})
            EXPECT_TRUE(on(key)) << key;
        // The rows as they were, for the next case.
        form.reset();
        other.executeScript("DELETE FROM Statry_Cmpltd_Entry; DELETE FROM Actvty_Mast_Freq; "
                            "DELETE FROM Actvty_Mast_Det; DELETE FROM Actvty_Mast;");
        seed();
    }
}

// The production file damaged under the open form (garbage over every page):
// each key tells the failure in one box, as the failure it is (never a lock,
// never in use), leaves the form as it was and writes nothing over the file;
// opening the form then says the database is corrupted, once.
TEST_F(Failure, ADamagedFileIsToldOnceAKeyAndKeptAsItIs) {
    showActivity(backup);
    QFile file(folder->productionDb());
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    const QByteArray garbage(int(file.size()), char(0xA5));
    ASSERT_EQ(file.write(garbage), garbage.size());
    file.close();

    const std::vector<std::pair<const char *, std::function<void()>>> keys = {
        {"Select", [&] { select(audit); }},
        {"Refresh", [&] { press(Qt::Key_F11); }},
        {"Modify", [&] { press(Qt::Key_F3); }},
        {"Delete", [&] { press(Qt::Key_F4); }},
        {"DetailAdd", [&] { press(Qt::Key_F5); }},
        {"DetailModify", [&] { press(Qt::Key_F6); }},
        {"DetailDelete", [&] { press(Qt::Key_F7); }},
        {"a line's view", [&] { doubleClickRow(0); }},
    };
    for (const auto &[name, act] : keys) {
        SCOPED_TRACE(name);
        const std::string state = formState();
        messages.clear();
        act();
        QApplication::processEvents();
        ASSERT_EQ(told().size(), 1) << told().join(" / ").toStdString();
        const QString box = told().first();
        // The form's box for a key's failure: the description, then "Error".
        EXPECT_TRUE(box.endsWith("\rError")) << box.toStdString();
        EXPECT_TRUE(box.contains("not a database") || box.contains("malformed")) << box.toStdString();
        EXPECT_FALSE(box.contains("in use"));
        EXPECT_EQ(formState(), state);
    }

    messages.clear();
    form.reset();
    open();
    EXPECT_EQ(told(), QStringList{"Production Database is corrupted. Please reset the Production Database"});
    QTRY_VERIFY(!form->isVisible());
    EXPECT_TRUE(modCommon::gDBPath.isEmpty());

    QFile after(folder->productionDb());
    ASSERT_TRUE(after.open(QIODevice::ReadOnly));
    EXPECT_EQ(after.readAll(), garbage) << "the damaged file was written";
}

} // namespace
