#include "ActivityFixture.h"
#include "activity/frmLastGnrDateUpdation.h"
#include "activity/frmViewActivity.h"
#include "support/HeldFile.h"
#include "support/OtherProgramLock.h"
#include <QToolBar>
#include <functional>
#include <vector>

using zv::ui::vbYes;

namespace {

const QString kInUse = QStringLiteral("The database is in use by another program. Please try again when it is closed.");

// Another program holding the production file, as one that reads everything
// away from us and as a writer in the middle of its transaction.
struct Hold {
    const char *name;
    const char *sql;
};
const Hold kHolds[] = {
    {"held exclusively", "BEGIN EXCLUSIVE"},
    {"held by a writer", "BEGIN IMMEDIATE; UPDATE Parm SET Start_Period = Start_Period"},
};

class HeldDatabase : public ActivityTest {
public:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(ActivityTest::SetUp());
        // Three activities; the middle one is the one on screen, its line
        // without a last generated date so showing it has something to fill.
        seedActivities();
        // Asha's work on 06-May-2024, for the day's view.
        const qint64 may = insert("INSERT INTO actvty_mnth_hdr (Sys_Const_Num, Sys_Emp_Num, yr) VALUES (5, ?, 2024)",
                                  {asha});
        insert("INSERT INTO actvty_mnth_det (Sys_Afm_Num, Actvty_Desc, Day6) VALUES (?, 'Audit', '*')", {may});
    }

    // Three activities; the middle one is the one on screen.
    void seedActivities() {
        first = activity("Audit");
        shown = activity("Backup");
        third = activity("Cleaning");
        line(first, "2024-05-01", "2024-05-31");
        shownLine = line(shown, "2024-05-01", "2024-05-31");
        entry(shown, shownLine, "2024-05-06");
        line(third, "2024-05-01", "2024-05-31");
    }

    // Everything the activity forms may write.
    QString contents() {
        QString all;
        for (const char *table : {"Actvty_Mast", "Actvty_Mast_Det", "Actvty_Mast_Freq", "Statry_Cmpltd_Entry"}) {
            auto rs = other.query(QStringLiteral("SELECT * FROM %1 ORDER BY 1, 2").arg(QLatin1String(table)));
            for (int r = 0; r < rs.recordCount(); ++r) {
                for (int c = 0; c < rs.fieldCount(); ++c)
                    all += rs.valueAt(r, c).toString() + '|';
                all += '\n';
            }
        }
        return all;
    }
    QString descriptionOf(qint64 key) {
        return scalar("SELECT Actvty_Desc FROM Actvty_Mast WHERE Sys_Actvty_Num = ?", {key}).toString();
    }
    // The boxes that tell something (questions are the user's to answer).
    QStringList told() const {
        QStringList out;
        for (const auto &m : messages.shown())
            if ((m.buttons & 7) != zv::ui::vbYesNo)
                out << m.prompt;
        return out;
    }
    void showActivity(qint64 key) {
        open();
        select(key);
        ASSERT_EQ(form->activityKey(), key);
    }
    // The form shows the activity it acts on.
    void expectShowsItsKey() {
        if (!form || form->headerMode() != HeaderMode::None || form->activityKey() == 0)
            return;
        EXPECT_EQ(form->txtActDesc->text(), descriptionOf(form->activityKey()));
        if (form->lineMode() == DetailMode::DetailModify) {
            ASSERT_TRUE(form->dgdAM->current());
            EXPECT_EQ(form->dgdAM->current()->line, form->lineKey());
        }
    }

    qint64 first = 0, shown = 0, third = 0, shownLine = 0;
    std::unique_ptr<frmLastGnrDateUpdation> update;
    std::unique_ptr<frmViewActivity> view;
};

// Each key of the activity forms with another program holding the file:
// the in-use message at most once, never "corrupted" nor a raw number,
// nothing written, the form still on the record it shows, and the same key
// working once the other program lets go.
TEST_F(HeldDatabase, EveryKeyTellsInUseOnceAndWorksOnceLetGo) {
    struct Key {
        const char *name;
        std::function<void()> arrange;   // before the other program holds the file
        std::function<void()> act;       // the key pressed
        std::function<void()> worked;    // what the key did once let go
    };
    const QString savedPath = modCommon::gDBPath;
    const std::vector<Key> keys = {
        {"open", [&] { form.reset(); }, [&] { open(); },
         [&] { EXPECT_TRUE(form->isVisible()); }},
        {"Select", [&] { showActivity(shown); }, [&] { select(first); },
         [&] { EXPECT_EQ(form->activityKey(), first); EXPECT_EQ(form->txtActDesc->text(), "Audit"); }},
        {"Refresh",
         [&] {
             showActivity(shown);
             other.execute("UPDATE Actvty_Mast_Det SET Last_Gnrtd_Date = NULL");
         },
         [&] { press(Qt::Key_F2, Qt::AltModifier); },
         [&] { EXPECT_FALSE(scalar("SELECT Last_Gnrtd_Date FROM Actvty_Mast_Det WHERE Sys_Actvty_Line_Num = ?",
                                   {shownLine}).isNull()); }},
        {"Add and Ok",
         [&] {
             showActivity(shown);
             press(Qt::Key_F2);
             type(form->txtActDesc, "Dusting");
         },
         [&] { press(Qt::Key_F9); },
         [&] { EXPECT_EQ(count("SELECT count(*) FROM Actvty_Mast WHERE Actvty_Desc = 'Dusting'"), 1); }},
        {"Modify",
         [&] { showActivity(shown); },
         [&] { press(Qt::Key_F3); },
         [&] { EXPECT_EQ(form->headerMode(), HeaderMode::Modify); }},
        {"Modify and Ok",
         [&] {
             showActivity(shown);
             press(Qt::Key_F3);
             ASSERT_EQ(form->headerMode(), HeaderMode::Modify);
             form->txtActDesc->setText("Backups");
         },
         [&] { press(Qt::Key_F9); },
         [&] { EXPECT_EQ(descriptionOf(shown), "Backups"); EXPECT_EQ(descriptionOf(first), "Audit"); }},
        {"Delete", [&] { showActivity(shown); },
         [&] { messages.answer(vbYes); press(Qt::Key_F4); },
         [&] { EXPECT_EQ(count("SELECT count(*) FROM Actvty_Mast WHERE Sys_Actvty_Num = ?", {shown}), 0);
               EXPECT_EQ(count("SELECT count(*) FROM Actvty_Mast"), 2); }},
        {"DetailAdd and Ok",
         [&] {
             showActivity(shown);
             beginLine("01jun2024", "30jun2024", "D");
         },
         [&] { press(Qt::Key_F9); },
         [&] { EXPECT_EQ(count("SELECT count(*) FROM Actvty_Mast_Det WHERE Sys_Actvty_Num = ?", {shown}), 2); }},
        {"DetailAdd", [&] { showActivity(shown); }, [&] { press(Qt::Key_F5); },
         [&] { EXPECT_EQ(form->lineMode(), DetailMode::DetailAdd); }},
        {"DetailModify", [&] { showActivity(shown); }, [&] { press(Qt::Key_F6); },
         [&] { EXPECT_EQ(form->lineMode(), DetailMode::DetailModify); EXPECT_EQ(form->lineKey(), shownLine); }},
        {"DetailModify and Ok",
         [&] {
             showActivity(shown);
             press(Qt::Key_F6);
             ASSERT_EQ(form->lineMode(), DetailMode::DetailModify);
             typeDate(form->txtEndDate, "30jun2024");
         },
         [&] { press(Qt::Key_F9); },
         [&] { EXPECT_EQ(scalar("SELECT End_Date FROM Actvty_Mast_Det WHERE Sys_Actvty_Line_Num = ?", {shownLine}),
                         "2024-06-30"); }},
        {"DetailDelete", [&] { showActivity(shown); },
         [&] { messages.answer(vbYes); press(Qt::Key_F7); },
         [&] { EXPECT_EQ(count("SELECT count(*) FROM Actvty_Mast_Det WHERE Sys_Actvty_Num = ?", {shown}), 0); }},
        {"a line's view", [&] { showActivity(shown); }, [&] { doubleClickRow(0); },
         [&] { EXPECT_TRUE(form->lineView()); EXPECT_EQ(form->lineKey(), shownLine); }},
        {"last generation update Ok",
         [&] {
             form.reset();
             update = std::make_unique<frmLastGnrDateUpdation>();
             update->show();
         },
         [&] { messages.answer(vbYes); update->tlbOkCancel.ok->trigger(); },
         [&] { EXPECT_TRUE(update->unloaded());
               EXPECT_EQ(scalar("SELECT Last_Gnrtd_Date FROM Actvty_Mast_Det WHERE Sys_Actvty_Line_Num = ?",
                                {shownLine}), "2024-05-06"); }},
        {"view activity",
         [&] {
             form.reset();
             view = std::make_unique<frmViewActivity>();
         },
         [&] { view->showActivity("06-May-2024"); },
         [&] { EXPECT_EQ(view->dgdActivity->recordset()->recordCount(), 1); }},
    };

    for (const Hold &hold : kHolds) {
        for (const Key &k : keys) {
            SCOPED_TRACE(std::string(hold.name) + ", " + k.name);
            modCommon::gDBPath = savedPath;   // each key judged on its own
            k.arrange();
            if (HasFatalFailure())
                return;
            const QString before = contents();
            messages.clear();
            {
                OtherProgramLock lock(folder->productionDb(), QString::fromLatin1(hold.sql));
                ASSERT_TRUE(lock.held()) << lock.output().toStdString();
                k.act();
                QApplication::processEvents();
                for (const QString &p : messages.prompts()) {
                    EXPECT_FALSE(misleadingForAHeldFile(p)) << p.toStdString();
                }
                EXPECT_LE(told().size(), 1) << told().join(" / ").toStdString();
                EXPECT_EQ(modCommon::gDBPath, savedPath);
                ASSERT_TRUE(lock.release());
            }
            EXPECT_EQ(contents(), before);
            expectShowsItsKey();

            // Let go: the same key, pressed again where the failure left the form, works.
            messages.clear();
            k.act();
            QApplication::processEvents();
            EXPECT_FALSE(messages.prompts().contains(kInUse)) << messages.prompts().join(" / ").toStdString();
            k.worked();
            expectShowsItsKey();

            // The rows as they were, for the next key.
            form.reset();
            update.reset();
            view.reset();
            other.executeScript("DELETE FROM Statry_Cmpltd_Entry; DELETE FROM Actvty_Mast_Freq; "
                                "DELETE FROM Actvty_Mast_Det; DELETE FROM Actvty_Mast;");
            seedActivities();
        }
    }
}

} // namespace

namespace {

// Activity "Backup" on screen; a writer holds the file; Select of "Audit"
// fails with the in-use message. The form stays on "Backup": its Modify and
// Delete, once the writer lets go, act on "Backup" and nothing else.
TEST_F(HeldDatabase, AFailedSelectLeavesTheFormOnTheActivityItShows) {
    showActivity(shown);
    const QString before = contents();
    {
        OtherProgramLock lock(folder->productionDb(),
                              QStringLiteral("BEGIN IMMEDIATE; UPDATE Actvty_Mast SET Remk = Remk"));
        ASSERT_TRUE(lock.held()) << lock.output().toStdString();
        messages.clear();
        select(first);
        EXPECT_EQ(messages.prompts(), QStringList{kInUse});
        EXPECT_EQ(form->activityKey(), shown);
        EXPECT_EQ(form->txtActDesc->text(), "Backup");
        ASSERT_TRUE(lock.release());
    }
    EXPECT_EQ(contents(), before);

    press(Qt::Key_F3);
    ASSERT_EQ(form->headerMode(), HeaderMode::Modify);
    form->txtRemarks->setText("Weekly");
    press(Qt::Key_F9);
    EXPECT_EQ(form->headerMode(), HeaderMode::None);
    EXPECT_EQ(descriptionOf(first), "Audit");
    EXPECT_EQ(scalar("SELECT Remk FROM Actvty_Mast WHERE Sys_Actvty_Num = ?", {first}).toString(), "");
    EXPECT_EQ(scalar("SELECT Remk FROM Actvty_Mast WHERE Sys_Actvty_Num = ?", {shown}).toString(), "Weekly");

    messages.answer(vbYes);
    press(Qt::Key_F4);
    EXPECT_EQ(count("SELECT count(*) FROM Actvty_Mast WHERE Sys_Actvty_Num IN (?, ?)", {first, third}), 2);
    EXPECT_EQ(count("SELECT count(*) FROM Actvty_Mast WHERE Sys_Actvty_Num = ?", {shown}), 0);
}

} // namespace
