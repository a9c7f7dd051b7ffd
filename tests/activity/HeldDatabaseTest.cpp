#include "ActivityFixture.h"
#include "activity/frmLastGnrDateUpdation.h"
#include "activity/frmViewActivity.h"
#include "support/HeldFile.h"
#include "support/OtherProgramLock.h"
#include <QProgressBar>
#include <QToolBar>
#include <iterator>
#include <tuple>

using zv::ui::vbYes;

namespace {

const QString kInUse = QStringLiteral("The database is in use by another program. Please try again when it is closed.");

// Another program holding the production file: one that reads everything
// away from us, a writer in the middle of its transaction, and a reader
// whose long read keeps every write of ours from committing.
struct Hold {
    const char *name;
    const char *sql;
};
const Hold kHolds[] = {
    {"Exclusive", "BEGIN EXCLUSIVE"},
    {"Writer", "BEGIN IMMEDIATE; UPDATE Parm SET Start_Period = Start_Period"},
    {"LongRead", "BEGIN; SELECT count(*) FROM Actvty_Mast"},
};

class HeldDatabase : public ActivityTest {
public:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(ActivityTest::SetUp());
        seedActivities();
        // Asha's work on 06-May-2024, for the day's view.
        const qint64 may = insert("INSERT INTO actvty_mnth_hdr (Sys_Const_Num, Sys_Emp_Num, yr) VALUES (5, ?, 2024)",
                                  {asha});
        insert("INSERT INTO actvty_mnth_det (Sys_Afm_Num, Actvty_Desc, Day6) VALUES (?, 'Audit', '*')", {may});
        // Every statement that fails, on any connection: a press that met one has failed.
        zv::db::Connection::setFailureObserver([this](const zv::db::DbError &) { ++failures; });
    }
    void TearDown() override {
        zv::db::Connection::setFailureObserver({});
        update.reset();
        view.reset();
        ActivityTest::TearDown();
    }

    // Three activities; the middle one is the one on screen, its line
    // without a last generated date so showing it has something to fill.
    void seedActivities() {
        first = activity("Audit");
        shown = activity("Backup");
        third = activity("Cleaning");
        line(first, "2024-05-01", "2024-05-31");
        shownLine = line(shown, "2024-05-01", "2024-05-31");
        entry(shown, shownLine, "2024-05-06");
        line(third, "2024-05-01", "2024-05-31");
    }

    QString descriptionOf(qint64 key) {
        return scalar("SELECT Actvty_Desc FROM Actvty_Mast WHERE Sys_Actvty_Num = ?", {key}).toString();
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
    // The window the key acts in, as the user sees it.
    std::string windowState() {
        if (update)
            return QStringList{update->windowTitle(), update->running() ? "running" : "",
                               update->pbar->isVisible() ? "bar" : "",
                               update->tlbOkCancel.bar->isVisible() ? "buttons" : "", update->unloaded() ? "unloaded" : ""}
                .join('|')
                .toStdString();
        if (view)
            return view->dgdActivity->recordset() ? std::to_string(view->dgdActivity->recordset()->recordCount())
                                                  : "empty";
        return form ? formState() : "no form";
    }
    void makeUpdate() {
        form.reset();
        update = std::make_unique<frmLastGnrDateUpdation>();
        showForm(*update);
    }
    // An activity on screen with a new line's dates typed.
    void lineDatesTyped() {
        showActivity(shown);
        press(Qt::Key_F5);
        ASSERT_EQ(form->lineMode(), DetailMode::DetailAdd);
        typeDate(form->txtStartDate, "01jun2024");
        typeDate(form->txtEndDate, "30jun2024");
    }
    // The activity on screen, its lines' last generated dates to be filled again.
    void datesToFill() {
        showActivity(shown);
        other.execute("UPDATE Actvty_Mast_Det SET Last_Gnrtd_Date = NULL");
    }
    void expectDatesFilled() {
        EXPECT_FALSE(
            scalar("SELECT Last_Gnrtd_Date FROM Actvty_Mast_Det WHERE Sys_Actvty_Line_Num = ?", {shownLine}).isNull());
    }
    void modifying() {
        showActivity(shown);
        press(Qt::Key_F3);
        ASSERT_EQ(form->headerMode(), HeaderMode::Modify);
        form->txtActDesc->setText("Backups");
    }

    int failures = 0;
    qint64 first = 0, shown = 0, third = 0, shownLine = 0;
    std::unique_ptr<frmLastGnrDateUpdation> update;
    std::unique_ptr<frmViewActivity> view;
};

using Step = void (*)(HeldDatabase &);
struct Key {
    const char *name;
    Step arrange;   // before the other program holds the file
    Step act;       // the press
    Step worked;    // what the press did once the other program let go
};

// Every key and click of the activity forms that reads or writes.
const Key kKeys[] = {
    {"Open", [](HeldDatabase &t) { t.form.reset(); }, [](HeldDatabase &t) { t.open(); },
     [](HeldDatabase &t) { EXPECT_TRUE(t.form->isVisible()); }},
    {"OpenReconnecting",
     [](HeldDatabase &t) {
         t.form.reset();
         modCommon::CloseMainConnection();
     },
     [](HeldDatabase &t) { t.open(); }, [](HeldDatabase &t) { EXPECT_TRUE(t.form->isVisible()); }},
    {"Select", [](HeldDatabase &t) { t.showActivity(t.shown); }, [](HeldDatabase &t) { t.select(t.first); },
     [](HeldDatabase &t) {
         EXPECT_EQ(t.form->activityKey(), t.first);
         EXPECT_EQ(t.form->txtActDesc->text(), "Audit");
     }},
    {"Refresh", [](HeldDatabase &t) { t.datesToFill(); }, [](HeldDatabase &t) { t.press(Qt::Key_F11); },
     [](HeldDatabase &t) { t.expectDatesFilled(); }},
    {"RefreshAltF2", [](HeldDatabase &t) { t.datesToFill(); },
     [](HeldDatabase &t) { t.press(Qt::Key_F2, Qt::AltModifier); }, [](HeldDatabase &t) { t.expectDatesFilled(); }},
    {"AddOk",
     [](HeldDatabase &t) {
         t.showActivity(t.shown);
         t.press(Qt::Key_F2);
         t.type(t.form->txtActDesc, "Dusting");
     },
     [](HeldDatabase &t) { t.press(Qt::Key_F9); },
     [](HeldDatabase &t) { EXPECT_EQ(t.count("SELECT count(*) FROM Actvty_Mast WHERE Actvty_Desc = 'Dusting'"), 1); }},
    {"Modify", [](HeldDatabase &t) { t.showActivity(t.shown); }, [](HeldDatabase &t) { t.press(Qt::Key_F3); },
     [](HeldDatabase &t) { EXPECT_EQ(t.form->headerMode(), HeaderMode::Modify); }},
    {"ModifyOk", [](HeldDatabase &t) { t.modifying(); }, [](HeldDatabase &t) { t.press(Qt::Key_F9); },
     [](HeldDatabase &t) {
         EXPECT_EQ(t.descriptionOf(t.shown), "Backups");
         EXPECT_EQ(t.descriptionOf(t.first), "Audit");
     }},
    {"ModifyCancel", [](HeldDatabase &t) { t.modifying(); }, [](HeldDatabase &t) { t.press(Qt::Key_F10); },
     [](HeldDatabase &t) {
         EXPECT_EQ(t.form->headerMode(), HeaderMode::None);
         EXPECT_EQ(t.form->txtActDesc->text(), "Backup");
         EXPECT_FALSE(t.form->rowLocked());
     }},
    {"ModifyEscYes", [](HeldDatabase &t) { t.modifying(); },
     [](HeldDatabase &t) { t.confirmed(Qt::Key_Escape); },
     [](HeldDatabase &t) { EXPECT_EQ(t.descriptionOf(t.shown), "Backups"); }},
    {"ModifyCloseBoxYes", [](HeldDatabase &t) { t.modifying(); },
     [](HeldDatabase &t) {
         t.messages.answer(vbYes);
         t.form->close();
     },
     [](HeldDatabase &t) {
         EXPECT_EQ(t.descriptionOf(t.shown), "Backups");
         EXPECT_FALSE(t.form->isVisible());
     }},
    {"Delete", [](HeldDatabase &t) { t.showActivity(t.shown); },
     [](HeldDatabase &t) { t.confirmed(Qt::Key_F4); },
     [](HeldDatabase &t) {
         EXPECT_EQ(t.count("SELECT count(*) FROM Actvty_Mast WHERE Sys_Actvty_Num = ?", {t.shown}), 0);
         EXPECT_EQ(t.count("SELECT count(*) FROM Actvty_Mast"), 2);
     }},
    {"DetailAdd", [](HeldDatabase &t) { t.showActivity(t.shown); }, [](HeldDatabase &t) { t.press(Qt::Key_F5); },
     [](HeldDatabase &t) { EXPECT_EQ(t.form->lineMode(), DetailMode::DetailAdd); }},
    {"DetailAddOk",
     [](HeldDatabase &t) {
         t.showActivity(t.shown);
         t.beginLine("01jun2024", "30jun2024", "D");
     },
     [](HeldDatabase &t) { t.press(Qt::Key_F9); },
     [](HeldDatabase &t) {
         EXPECT_EQ(t.count("SELECT count(*) FROM Actvty_Mast_Det WHERE Sys_Actvty_Num = ?", {t.shown}), 2);
     }},
    {"DetailAddCancel",
     [](HeldDatabase &t) {
         t.showActivity(t.shown);
         t.beginLine("01jun2024", "30jun2024", "D");
     },
     [](HeldDatabase &t) { t.press(Qt::Key_F10); },
     [](HeldDatabase &t) {
         EXPECT_EQ(t.form->lineMode(), DetailMode::None);
         EXPECT_FALSE(t.form->fraDet->isVisible());
     }},
    {"DetailModify", [](HeldDatabase &t) { t.showActivity(t.shown); }, [](HeldDatabase &t) { t.press(Qt::Key_F6); },
     [](HeldDatabase &t) {
         EXPECT_EQ(t.form->lineMode(), DetailMode::DetailModify);
         EXPECT_EQ(t.form->lineKey(), t.shownLine);
     }},
    {"DetailModifyOk",
     [](HeldDatabase &t) {
         t.showActivity(t.shown);
         t.press(Qt::Key_F6);
         ASSERT_EQ(t.form->lineMode(), DetailMode::DetailModify);
         t.typeDate(t.form->txtEndDate, "30jun2024");
     },
     [](HeldDatabase &t) { t.press(Qt::Key_F9); },
     [](HeldDatabase &t) {
         EXPECT_EQ(t.scalar("SELECT End_Date FROM Actvty_Mast_Det WHERE Sys_Actvty_Line_Num = ?", {t.shownLine}),
                   "2024-06-30");
     }},
    {"DetailDelete", [](HeldDatabase &t) { t.showActivity(t.shown); },
     [](HeldDatabase &t) { t.confirmed(Qt::Key_F7); },
     [](HeldDatabase &t) {
         EXPECT_EQ(t.count("SELECT count(*) FROM Actvty_Mast_Det WHERE Sys_Actvty_Num = ?", {t.shown}), 0);
     }},
    {"LineView", [](HeldDatabase &t) { t.showActivity(t.shown); }, [](HeldDatabase &t) { t.doubleClickRow(0); },
     [](HeldDatabase &t) {
         EXPECT_TRUE(t.form->lineView());
         EXPECT_EQ(t.form->lineKey(), t.shownLine);
     }},
    {"LineViewEsc",
     [](HeldDatabase &t) {
         t.showActivity(t.shown);
         t.doubleClickRow(0);
         ASSERT_TRUE(t.form->lineView());
     },
     [](HeldDatabase &t) { t.press(Qt::Key_Escape); },
     [](HeldDatabase &t) {
         EXPECT_FALSE(t.form->lineView());
         EXPECT_EQ(t.form->lineMode(), DetailMode::None);
     }},
    {"FrequencyTyped", [](HeldDatabase &t) { t.lineDatesTyped(); },
     [](HeldDatabase &t) { t.chooseFrequency("W"); },
     [](HeldDatabase &t) { EXPECT_EQ(t.form->picker->kind(), zv::activity::RuleKind::Weekly); }},
    {"FrequencyFromTheList",
     [](HeldDatabase &t) {
         t.lineDatesTyped();
         t.chooseByText(t.form->cmbFreq, "Monthly");
         ASSERT_EQ(t.form->picker->kind(), zv::activity::RuleKind::Monthly);
     },
     [](HeldDatabase &t) { t.chooseByText(t.form->cmbFreq, "Weekly"); },
     [](HeldDatabase &t) { EXPECT_EQ(t.form->picker->kind(), zv::activity::RuleKind::Weekly); }},
    {"UpdateOk", [](HeldDatabase &t) { t.makeUpdate(); },
     [](HeldDatabase &t) {
         t.messages.answer(vbYes);
         t.update->tlbOkCancel.ok->trigger();
     },
     [](HeldDatabase &t) {
         EXPECT_TRUE(t.update->unloaded());
         EXPECT_EQ(t.scalar("SELECT Last_Gnrtd_Date FROM Actvty_Mast_Det WHERE Sys_Actvty_Line_Num = ?",
                            {t.shownLine}),
                   "2024-05-06");
     }},
    {"UpdateF9", [](HeldDatabase &t) { t.makeUpdate(); },
     [](HeldDatabase &t) {
         t.messages.answer(vbYes);
         QTest::keyClick(t.update.get(), Qt::Key_F9);
     },
     [](HeldDatabase &t) { EXPECT_TRUE(t.update->unloaded()); }},
    {"DayView",
     [](HeldDatabase &t) {
         t.form.reset();
         t.view = std::make_unique<frmViewActivity>();
     },
     [](HeldDatabase &t) { t.view->showActivity("06-May-2024"); },
     [](HeldDatabase &t) { EXPECT_EQ(t.view->dgdActivity->recordset()->recordCount(), 1); }},
};

class HeldKey : public HeldDatabase, public ::testing::WithParamInterface<std::tuple<int, int>> {};

// A key of the activity forms pressed while another program holds the file,
// twice: each press that fails says so in exactly one box (never as
// corrupted nor with a raw number) and leaves the window as it was; a press
// that meets no failure shows none. Nothing is written, the path is kept,
// and the same key works once the other program lets go.
TEST_P(HeldKey, EachFailingPressSaysSoOnceAndTheKeyWorksOnceLetGo) {
    const Hold &hold = kHolds[std::get<0>(GetParam())];
    const Key &k = kKeys[std::get<1>(GetParam())];
    const QString savedPath = modCommon::gDBPath;
    k.arrange(*this);
    ASSERT_FALSE(HasFatalFailure());
    const QString before = contents();
    {
        OtherProgramLock lock(folder->productionDb(), QString::fromLatin1(hold.sql));
        ASSERT_TRUE(lock.held()) << lock.output().toStdString();
        for (int press = 1; press <= 2; ++press) {
            SCOPED_TRACE(press);
            const std::string window = windowState();
            messages.clear();
            failures = 0;
            k.act(*this);
            QApplication::processEvents();
            // A statement failed, or the database would not open.
            const bool failed = failures > 0 || !modCommon::MainConnectionIsOpen();
            const QStringList boxes = told();
            EXPECT_EQ(boxes.size(), failed ? 1 : 0)
                << failures << " failures; told: " << boxes.join(" / ").toStdString();
            for (const QString &p : messages.prompts())
                EXPECT_FALSE(misleadingForAHeldFile(p)) << p.toStdString();
            if (failed && !std::string(k.name).starts_with("Open"))
                EXPECT_EQ(windowState(), window) << "a failed press changed the window";
            // Another program's exclusive hold fails every key that reads.
            if (std::string(hold.name) == "Exclusive")
                EXPECT_TRUE(failed) << "the press met no failure";
        }
        EXPECT_EQ(modCommon::gDBPath, savedPath);
        ASSERT_TRUE(lock.release());
    }
    EXPECT_EQ(contents(), before);
    expectShowsItsKey();

    // Let go: the same key, pressed again where the failure left the window, works.
    messages.clear();
    failures = 0;
    k.act(*this);
    QApplication::processEvents();
    EXPECT_EQ(failures, 0);
    EXPECT_TRUE(told().isEmpty()) << told().join(" / ").toStdString();
    k.worked(*this);
    expectShowsItsKey();
}

INSTANTIATE_TEST_SUITE_P(ActivityForms, HeldKey,
                         ::testing::Combine(::testing::Range(0, int(std::size(kHolds))),
                                            ::testing::Range(0, int(std::size(kKeys)))),
                         [](const ::testing::TestParamInfo<std::tuple<int, int>> &info) {
                             return std::string(kHolds[std::get<0>(info.param)].name) + "_" +
                                    kKeys[std::get<1>(info.param)].name;
                         });

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

    confirmed(Qt::Key_F4);
    EXPECT_EQ(count("SELECT count(*) FROM Actvty_Mast WHERE Sys_Actvty_Num IN (?, ?)", {first, third}), 2);
    EXPECT_EQ(count("SELECT count(*) FROM Actvty_Mast WHERE Sys_Actvty_Num = ?", {shown}), 0);
}

} // namespace
