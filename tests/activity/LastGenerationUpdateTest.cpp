#include "UtilityFixture.h"
#include "activity/ActivityUtilityForms.h"
#include "activity/LastGeneratedDate.h"
#include "activity/frmLastGnrDateUpdation.h"
#include "core/FormRegistry.h"
#include "core/MDIZVS.h"
#include "platform/db/Dates.h"
#include "support/Modal.h"
#include <QLabel>
#include <QProgressBar>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <vector>

using namespace zv::ui;

namespace {

const QString kQuestion = QStringLiteral("Do you want to continue?");
const QString kDone = QStringLiteral("All the records updated successfully");
const QString kIdleCaption = QStringLiteral("Update Last Generation Date Details");

struct Entry {
    const char *expected;    // nullptr: no expected date
    const char *completed;   // nullptr: pending
};

struct LineCase {
    const char *name;
    const char *before;      // Last_Gnrtd_Date before the run; nullptr: NULL
    std::vector<Entry> entries;
    const char *after;       // nullptr: NULL
};

// Each line's date becomes the latest expected date of its own entries,
// completed or pending; a line without dated entries gets NULL.
const std::vector<LineCase> kLines = {
    {"no entries, stale date", "2004-01-01", {}, nullptr},
    {"no entries, no date", nullptr, {}, nullptr},
    {"one pending", nullptr, {{"2005-03-05", nullptr}}, "2005-03-05"},
    {"pending after completed", "2005-01-10",
     {{"2005-01-10", "2005-01-10"}, {"2005-03-10", nullptr}, {"2005-02-10", "2005-02-11"}}, "2005-03-10"},
    {"completed is the latest", nullptr, {{"2005-04-01", "2005-04-02"}, {"2005-03-01", nullptr}}, "2005-04-01"},
    {"across a year end", "2004-12-31", {{"2004-12-31", nullptr}, {"2005-01-01", nullptr}}, "2005-01-01"},
    {"date already right", "2005-06-30", {{"2005-06-30", nullptr}}, "2005-06-30"},
    {"entry without a date", nullptr, {{nullptr, nullptr}, {"2005-02-28", nullptr}}, "2005-02-28"},
    {"only undated entries", "2005-01-01", {{nullptr, nullptr}}, nullptr},
};

QVariant iso(const char *text) { return text ? QVariant(QString::fromLatin1(text)) : QVariant(); }

class LastGenerationUpdate : public UtilityTest {
public:
    void SetUp() override {
        UtilityTest::SetUp();
        emp = employee(QStringLiteral("Asha"));
        // Lines of two activities, interleaved, so one line's entries cannot
        // pass for another's.
        const qint64 first = activity(QStringLiteral("Audit"));
        const qint64 second = activity(QStringLiteral("Backup"));
        for (size_t i = 0; i < kLines.size(); ++i) {
            const qint64 act = i % 2 ? second : first;
            const qint64 key = line(act, emp, iso(kLines[i].before));
            keys.push_back(key);
            for (const Entry &e : kLines[i].entries)
                entry(act, key, emp, iso(e.expected), iso(e.completed));
        }
    }
    void TearDown() override {
        form.reset();
        UtilityTest::TearDown();
    }

    void expectDates(bool updated) {
        for (size_t i = 0; i < kLines.size(); ++i)
            EXPECT_EQ(lastGenerated(keys[i]), iso(updated ? kLines[i].after : kLines[i].before)) << kLines[i].name;
    }
    void openForm() {
        form = std::make_unique<frmLastGnrDateUpdation>();
        form->show();
        QApplication::processEvents();
    }
    void expectIdle() {
        EXPECT_FALSE(form->running());
        EXPECT_EQ(form->windowTitle(), kIdleCaption);
        EXPECT_TRUE(form->tlbOkCancel.bar->isVisible());
        EXPECT_FALSE(form->pbar->isVisible());
        EXPECT_FALSE(QApplication::overrideCursor());
    }

    qint64 emp = 0;
    std::vector<qint64> keys;
    std::unique_ptr<frmLastGnrDateUpdation> form;
};

TEST_F(LastGenerationUpdate, EachLineGetsTheLatestExpectedDateOfItsEntries) {
    EXPECT_EQ(zv::activity::RecalculateLastGnrtdDate(modCommon::MainConnection()), int(kLines.size()));
    expectDates(true);
}

// The lines are written in batches of consecutive keys; whatever the number
// of lines and the gaps between their keys, every line is written once, and
// the progress runs from (0, total) up to (total, total).
TEST_F(LastGenerationUpdate, BatchesCoverEveryLine) {
    const qint64 act = activity(QStringLiteral("Many lines"));
    for (int count : {1, 101, 1003}) {
        SCOPED_TRACE(count);
        other.executeScript(QStringLiteral("DELETE FROM Statry_Cmpltd_Entry; DELETE FROM Actvty_Mast_Det;"));
        other.executeScript(QStringLiteral("BEGIN"));
        for (int i = 0; i < count; ++i) {
            const qint64 key = line(act, emp, QStringLiteral("2000-01-01"));
            if (i % 2 == 0)
                entry(act, key, emp, zv::db::toIsoDate(QDate(2005, 1, 1).addDays(i)));
        }
        other.executeScript(QStringLiteral("COMMIT"));
        // Gaps between the keys.
        other.execute(QStringLiteral("DELETE FROM Actvty_Mast_Det WHERE Sys_Actvty_Line_Num % 7 = 3 AND"
                                     " Sys_Actvty_Line_Num NOT IN (SELECT Sys_Actvty_Line_Num FROM Statry_Cmpltd_Entry)"));
        const int lines = scalar(QStringLiteral("SELECT count(*) FROM Actvty_Mast_Det")).toInt();

        std::vector<std::pair<int, int>> calls;
        EXPECT_EQ(zv::activity::RecalculateLastGnrtdDate(
                      modCommon::MainConnection(), [&](int done, int total) { calls.emplace_back(done, total); }),
                  lines);

        EXPECT_EQ(scalar(QStringLiteral(
                             "SELECT count(*) FROM Actvty_Mast_Det D WHERE Last_Gnrtd_Date IS NOT (SELECT"
                             " MAX(Expctd_Date) FROM Statry_Cmpltd_Entry SC WHERE SC.Sys_Actvty_Line_Num ="
                             " D.Sys_Actvty_Line_Num)"))
                      .toInt(),
                  0);
        ASSERT_GE(calls.size(), 2u);
        EXPECT_EQ(calls.front(), std::make_pair(0, lines));
        EXPECT_EQ(calls.back(), std::make_pair(lines, lines));
        for (size_t i = 1; i < calls.size(); ++i) {
            EXPECT_GT(calls[i].first, calls[i - 1].first);
            EXPECT_EQ(calls[i].second, lines);
        }
        EXPECT_LE(calls.size(), 101u);   // the progress is not paid for line by line
    }
}

TEST_F(LastGenerationUpdate, OkAndYesUpdatesEveryLineAndUnloadsTheWindow) {
    openForm();
    messages.answer(vbYes);
    form->tlbOkCancel.ok->trigger();

    expectDates(true);
    ASSERT_EQ(messages.shown().size(), 2);
    EXPECT_EQ(messages.shown()[0].prompt, kQuestion);
    EXPECT_EQ(messages.shown()[0].buttons, vbYesNo + vbQuestion);
    EXPECT_EQ(messages.shown()[0].title, "Information");
    EXPECT_EQ(messages.shown()[1].prompt, kDone);
    EXPECT_EQ(messages.shown()[1].buttons, vbInformation);
    EXPECT_EQ(form->pbar->value(), int(kLines.size()));
    EXPECT_EQ(form->pbar->maximum(), int(kLines.size()));
    EXPECT_TRUE(form->unloaded());
    EXPECT_FALSE(QApplication::overrideCursor());
}

TEST_F(LastGenerationUpdate, NoLeavesEverythingAndTheWindowOpen) {
    openForm();
    messages.answer(vbNo);
    form->tlbOkCancel.ok->trigger();

    expectDates(false);
    EXPECT_EQ(messages.prompts(), QStringList{kQuestion});
    EXPECT_FALSE(form->unloaded());
    expectIdle();
}

// A failure anywhere in the run leaves every line as it was, is reported as an
// error, never as success, and returns the window to its idle state.
TEST_F(LastGenerationUpdate, AFailureChangesNothingAndIsReported) {
    struct Failure {
        const char *name;
        std::function<void()> arrange;
        const char *told;   // how the box begins
    };
    const std::vector<Failure> failures = {
        {"the last line's write is refused",
         [&] {
             other.executeScript(QStringLiteral("CREATE TRIGGER refuse_last BEFORE UPDATE ON Actvty_Mast_Det"
                                                " WHEN NEW.Sys_Actvty_Line_Num = %1"
                                                " BEGIN SELECT RAISE(ABORT, 'refused'); END")
                                     .arg(keys.back()));
         },
         "Error Number is "},
        {"another program holds the database", [&] { other.executeScript(QStringLiteral("BEGIN IMMEDIATE")); },
         "The database is in use by another program. Please try again when it is closed."},
    };
    for (const Failure &f : failures) {
        SCOPED_TRACE(f.name);
        f.arrange();
        openForm();
        messages.clear();
        messages.answer(vbYes);
        form->tlbOkCancel.ok->trigger();

        if (other.inTransaction())
            other.executeScript(QStringLiteral("ROLLBACK"));
        other.executeScript(QStringLiteral("DROP TRIGGER IF EXISTS refuse_last"));
        expectDates(false);
        ASSERT_EQ(messages.shown().size(), 2);
        EXPECT_TRUE(messages.shown()[1].prompt.startsWith(f.told)) << messages.shown()[1].prompt.toStdString();
        EXPECT_EQ(messages.shown()[1].buttons, vbCritical);
        EXPECT_FALSE(messages.prompts().contains(kDone));
        EXPECT_FALSE(form->unloaded());
        EXPECT_FALSE(modCommon::MainConnection().inTransaction());
        expectIdle();

        // The window stays usable: the next run succeeds.
        messages.clear();
        messages.answer(vbYes);
        form->tlbOkCancel.ok->trigger();
        EXPECT_EQ(messages.prompts(), (QStringList{kQuestion, kDone}));
        expectDates(true);
        // Back to the dates before, for the next failure.
        for (size_t i = 0; i < kLines.size(); ++i)
            other.execute("UPDATE Actvty_Mast_Det SET Last_Gnrtd_Date = ? WHERE Sys_Actvty_Line_Num = ?",
                          {iso(kLines[i].before), keys[i]});
    }
}

// Master menu, "Update Last Generation Date Details": F9 runs it, and the window
// closes when it is done. Without lines the run still completes.
TEST_F(LastGenerationUpdate, FromTheMainWindowWithF9) {
    zv::forms::clearRegistry();
    zv::activity::registerUtilityForms();
    MDIZVS *main = MDIZVS::instance();
    main->applyEnablingRule(true);
    ASSERT_TRUE(main->cmdULGD->isEnabled());
    other.executeScript(QStringLiteral("DELETE FROM Statry_Cmpltd_Entry; DELETE FROM Actvty_Mast_Det;"));

    int barValue = -1;
    bool opened = false;
    onModal<frmLastGnrDateUpdation>([&](frmLastGnrDateUpdation *f) {
        opened = true;
        messages.answer(vbYes);
        QTest::keyClick(f, Qt::Key_F9);
        barValue = f->pbar->value();
        if (!f->unloaded())
            f->close();
    });
    main->cmdULGD->trigger();
    zv::forms::clearRegistry();

    ASSERT_TRUE(opened);
    // The main window's own reminder follows when it is active again.
    EXPECT_EQ(messages.prompts().mid(0, 2), (QStringList{kQuestion, kDone}));
    EXPECT_EQ(barValue, 0);
}

} // namespace
