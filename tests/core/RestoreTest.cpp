#include "AdminFixture.h"
#include "core/AdminForms.h"
#include "core/FormRegistry.h"
#include "core/MDIZVS.h"
#include "core/frmRestore.h"
#include "platform/ui/WindowWait.h"
#include "support/StatementWatch.h"
#include "support/OtherProgramLock.h"
#include <vector>
#include <QProgressBar>
#include <QPushButton>
#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <functional>
#include <sqlite3.h>
#include <time.h>

using namespace zv::ui;

namespace {
const QString kDone = QStringLiteral("Database has been Restored succesfully.");
const QString kInvalid = QStringLiteral("Can not Restore. Not a valid Database.");
QString question(const QString &file) {
    return QStringLiteral("Restore will overwrite the current Database with the contents of ") + file +
           QStringLiteral(". If you need to save the current Database please take Backup of your Database before "
                          "proceeding. Are you sure you want to Restore the Database?");
}

void rawExec(const QString &path, const char *sql) {
    sqlite3 *db = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(path).constData(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
    sqlite3_close(db);
}
} // namespace

class RestoreTest : public AdminTest {
public:
    void SetUp() override {
        AdminTest::SetUp();
        ASSERT_TRUE(backups.isValid());
        backup = backups.path() + QStringLiteral("/MONDAY.mdb");
        ASSERT_TRUE(QFile::copy(production(), backup));
        stamp(backup, QStringLiteral("monday"));
        stamp(production(), QStringLiteral("today"));
        form = std::make_unique<frmRestore>();
        form->show();
    }
    void TearDown() override {
        form.reset();
        zv::forms::clearRegistry();
        AdminTest::TearDown();
    }
    void choose(const QString &file) {
        messages.answerPath(file);
        form->cmdBrowse_Click();
        messages.clear();
    }

    QTemporaryDir backups;
    QString backup;
    std::unique_ptr<frmRestore> form;
};

TEST_F(RestoreTest, ReplacesProductionAfterTheChecksAndTheConfirmation) {
    zv::admin::registerForms();
    rawExec(backup, "UPDATE Parm SET Start_Period = '2024-04-01', End_Period = '2025-03-31';");
    // As the login leaves an invalid production database: no period.
    modCommon::gDBInvalid = true;
    modCommon::gStartPeriod.clear();
    modCommon::gEndPeriod.clear();
    MDIZVS *main = MDIZVS::instance();
    modCommon::EnableMainMenus();
    ASSERT_FALSE(main->mnuBackup->isEnabled());
    choose(backup);
    EXPECT_EQ(form->txtPath->text(), backup);
    messages.answer(vbYes);
    form->RestoreDatabase();

    EXPECT_EQ(messages.prompts(), (QStringList{question(backup), kDone}));
    EXPECT_EQ(messages.shown().at(0).buttons, vbYesNo + vbQuestion + vbDefaultButton2);
    EXPECT_EQ(messages.shown().at(0).title, QStringLiteral("Restore Production database"));
    EXPECT_EQ(stampOf(production()), QStringLiteral("monday"));
    EXPECT_EQ(stampOf(backup), QStringLiteral("monday"));
    EXPECT_FALSE(modCommon::gDBInvalid);
    EXPECT_TRUE(main->mnuBackup->isEnabled());
    EXPECT_TRUE(main->mnuShowDBPath->isEnabled());
    EXPECT_TRUE(mainConnectionOn(production()));
    // The restored file's period, at once, in the program and in the caption.
    EXPECT_EQ(modCommon::gStartPeriod, QStringLiteral("01-Apr-2024"));
    EXPECT_EQ(modCommon::gEndPeriod, QStringLiteral("31-Mar-2025"));
    EXPECT_EQ(main->windowTitle(), QStringLiteral("Zorvane 2.0 - ADMIN (From:01-Apr-2024 To:31-Mar-2025)"));
    EXPECT_TRUE(form->unloaded());
    EXPECT_TRUE(leftovers(folder->file(QStringLiteral("Data"))).isEmpty());
    // The chosen file was only read: no lock file was made beside it.
    EXPECT_FALSE(QFileInfo::exists(zv::db::lockFilePath(backup)));
}

// The check of the chosen file runs while events keep running; meanwhile the
// window takes no button, key or close, and the outcome is the same.
TEST_F(RestoreTest, TheCheckLetsEventsRunWhileTheWindowWaits) {
    // Another program is writing to the chosen file: the check waits for its lock.
    sqlite3 *writer = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(backup).constData(), &writer), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(writer, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    choose(backup);
    bool fired = false, busy = false, unloaded = true;
    QStringList promptsMeanwhile{QStringLiteral("not seen")};
    QTimer::singleShot(0, form.get(), [&] {
        fired = true;
        busy = form->busy();
        form->tlbOkCancel.ok->trigger();
        typeKey(form->txtPath, Qt::Key_F9);
        typeKey(form->txtPath, Qt::Key_Escape);
        form->close();
        promptsMeanwhile = messages.prompts();
        unloaded = form->unloaded();
        sqlite3_exec(writer, "COMMIT", nullptr, nullptr, nullptr);
    });
    messages.answer(vbYes);
    form->RestoreDatabase();
    sqlite3_close(writer);

    EXPECT_TRUE(fired);
    EXPECT_TRUE(busy);
    EXPECT_TRUE(promptsMeanwhile.isEmpty()) << promptsMeanwhile.join(QLatin1Char('|')).toStdString();
    EXPECT_FALSE(unloaded);
    EXPECT_FALSE(form->busy());
    EXPECT_EQ(messages.prompts(), (QStringList{question(backup), kDone}));
    EXPECT_EQ(stampOf(production()), QStringLiteral("monday"));
    EXPECT_TRUE(form->unloaded());
}

TEST_F(RestoreTest, AnsweringNoChangesNothing) {
    choose(backup);
    messages.answer(vbNo);
    form->RestoreDatabase();
    EXPECT_EQ(messages.prompts(), QStringList{question(backup)});
    EXPECT_EQ(stampOf(production()), QStringLiteral("today"));
    EXPECT_EQ(modCommon::gDBPath, production());
    EXPECT_FALSE(form->unloaded());
}

// Files that must never replace production; none of them gets as far as the question.
TEST_F(RestoreTest, RefusesFilesThatAreNotSoundDatabasesOfThisSystem) {
    const QString dir = backups.path() + QLatin1Char('/');
    {
        QFile text(dir + QStringLiteral("text.mdb"));
        ASSERT_TRUE(text.open(QIODevice::WriteOnly));
        text.write(QByteArray(8192, 'x'));
    }
    rawExec(dir + QStringLiteral("other.mdb"), "CREATE TABLE Something (a TEXT);");
    ASSERT_TRUE(QFile::copy(backup, dir + QStringLiteral("foreign.mdb")));
    rawExec(dir + QStringLiteral("foreign.mdb"), "UPDATE Parm SET DB_Check = 'SOMEONE ELSE';");
    // Passes the identity query but fails the integrity check: an index page overwritten.
    const QString damaged = dir + QStringLiteral("damaged.mdb");
    ASSERT_TRUE(QFile::copy(backup, damaged));
    rawExec(damaged, "CREATE TABLE Filler (v TEXT); CREATE INDEX FillerV ON Filler (v);"
                     "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 300)"
                     " INSERT INTO Filler SELECT printf('row %05d', i) FROM n;");
    {
        zv::db::Connection c;
        c.open(damaged, zv::db::Connection::Mode::ReadOnly);
        const int pageSize = c.scalar(QStringLiteral("PRAGMA page_size")).toInt();
        const int root = c.scalar(QStringLiteral("SELECT rootpage FROM sqlite_master WHERE name = 'FillerV'")).toInt();
        c.close();
        QFile f(damaged);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_TRUE(f.seek(qint64(root - 1) * pageSize + pageSize / 2));
        f.write(QByteArray(pageSize / 2, '\x01'));
    }
    ASSERT_FALSE(soundDatabase(damaged));

    struct Case {
        QString file, message;
    };
    const QList<Case> cases = {
        {dir + QStringLiteral("text.mdb"), kInvalid},
        {dir + QStringLiteral("other.mdb"), kInvalid},
        {dir + QStringLiteral("foreign.mdb"), kInvalid},
        {damaged, kInvalid},
        {dir + QStringLiteral("missing.mdb"), kInvalid},
        {dir + QStringLiteral("notes.txt"), QStringLiteral("Select a Database to Restore.")},
        {production(), QStringLiteral("Can not Restore from the Production Database itself.")},
        {folder->file(QStringLiteral("Data/../Data/ZV-DATA.mdb")),
         QStringLiteral("Can not Restore from the Production Database itself.")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.file.toStdString());
        messages.clear();
        form->txtPath->setText(c.file);
        form->RestoreDatabase();
        EXPECT_EQ(messages.prompts(), QStringList{c.message});
        EXPECT_EQ(stampOf(production()), QStringLiteral("today"));
        EXPECT_FALSE(form->unloaded());
    }
    // Nothing was created where a file was missing.
    EXPECT_FALSE(QFileInfo::exists(dir + QStringLiteral("missing.mdb")));
}

TEST_F(RestoreTest, RefusesWhileADatabaseIsInUseAndGoesAheadOverStaleLocks) {
    choose(backup);
    {
        zv::db::Connection other;
        other.open(backup);
        form->RestoreDatabase();
        EXPECT_EQ(messages.prompts(), QStringList{QStringLiteral("Can not Restore, Source Database in use.")});
    }
    {
        messages.clear();
        zv::db::Connection other;
        other.open(production());
        form->RestoreDatabase();
        EXPECT_EQ(messages.prompts(), QStringList{QStringLiteral("Can not Restore, Destination Database in use.")});
    }
    EXPECT_EQ(stampOf(production()), QStringLiteral("today"));

    for (const QString &db : {production(), backup}) {
        QFile stale(zv::db::lockFilePath(db));
        ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    }
    messages.clear();
    messages.answer(vbYes);
    form->RestoreDatabase();
    EXPECT_EQ(messages.prompts(), (QStringList{question(backup), kDone}));
    EXPECT_EQ(stampOf(production()), QStringLiteral("monday"));
}

// Another program holds a file (no lock file of ours says so): whichever way
// it holds production, and when it holds the backup exclusively, the restore
// refuses before it asks anything, with the in-use message of that file, and
// production stays as it was to the byte.
TEST_F(RestoreTest, AnotherProgramHoldingAFileStopsTheRestoreBeforeTheQuestion) {
    modCommon::CloseConnections();
    const QByteArray before = bytesOf(production());
    choose(backup);
    struct Case {
        QString held, sql, message;
    };
    std::vector<Case> cases;
    for (const char *hold : kOtherProgramHolds)
        cases.push_back({production(), QString::fromLatin1(hold), QStringLiteral("Can not Restore, Destination Database in use.")});
    cases.push_back({backup, QStringLiteral("BEGIN EXCLUSIVE"), QStringLiteral("Can not Restore, Source Database in use.")});
    for (const Case &c : cases) {
        SCOPED_TRACE((c.held + QStringLiteral(" / ") + c.sql).toStdString());
        messages.clear();
        OtherProgramLock other(c.held, c.sql);
        ASSERT_TRUE(other.held()) << other.output().constData();
        messages.answer(vbYes);   // were it asked
        form->RestoreDatabase();
        EXPECT_EQ(messages.prompts(), QStringList{c.message});
        ASSERT_TRUE(other.release());
        EXPECT_TRUE(bytesOf(production()) == before);
        EXPECT_FALSE(form->unloaded());
    }
}

// Another program takes the chosen file between the check's open and its
// identity question: the restore refuses it as in use, never as a file that
// is not a valid database, and replaces nothing.
TEST_F(RestoreTest, ABackupTakenBetweenTheOpenAndTheIdentityCheckIsInUse) {
    modCommon::CloseConnections();
    const QByteArray before = bytesOf(production());
    choose(backup);
    sqlite3 *other = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(backup).constData(), &other), SQLITE_OK);
    bool took = false;
    {
        StatementWatch watch("/" + QFileInfo(backup).fileName().toUtf8(), "DB_Check", [&] {
            took = sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr) == SQLITE_OK;
        });
        form->RestoreDatabase();
    }
    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    EXPECT_TRUE(took);
    EXPECT_EQ(messages.prompts(), QStringList{QStringLiteral("Can not Restore, Source Database in use.")});
    EXPECT_TRUE(bytesOf(production()) == before);
    EXPECT_FALSE(form->unloaded());
}

// One cause, one message: a folder where production's lock file goes cannot be written.
TEST_F(RestoreTest, ALockFileThatCannotBeMadeIsNamedAsTheCause) {
    modCommon::CloseConnections();
    const QString lock = zv::db::lockFilePath(production());
    ASSERT_TRUE(QDir().mkdir(lock));
    choose(backup);
    messages.answer(vbYes);   // were it asked
    form->RestoreDatabase();
    EXPECT_EQ(messages.prompts(), QStringList{QStringLiteral("Can not Restore ") + backup + QStringLiteral(". ") + lock +
                                              QStringLiteral(" can not be written. Please make it writable.")});
    EXPECT_EQ(stampOf(production()), QStringLiteral("today"));
}

// The check of a large file can be cancelled: nothing is asked and production stays.
TEST_F(RestoreTest, TheCheckOffersCancelWhichLeavesProductionAlone) {
    // Another program writing to the chosen file keeps the check waiting until Cancel is pressed.
    sqlite3 *writer = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(backup).constData(), &writer), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(writer, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    choose(backup);
    bool cancelOffered = false;
    QTimer watch;
    watch.setInterval(0);
    QObject::connect(&watch, &QTimer::timeout, form.get(), [&] {
        if (!zv::ui::busyWindow())
            return;
        watch.stop();
        auto *cancel = zv::ui::busyWindow()->findChild<QPushButton *>("cmdCancel");
        cancelOffered = cancel != nullptr;
        if (cancel)
            cancel->click();
        sqlite3_exec(writer, "COMMIT", nullptr, nullptr, nullptr);
    });
    watch.start();
    messages.answer(vbYes);   // were it asked
    form->RestoreDatabase();
    watch.stop();
    sqlite3_close(writer);

    EXPECT_TRUE(cancelOffered);
    EXPECT_EQ(messages.prompts(), QStringList{});
    EXPECT_EQ(stampOf(production()), QStringLiteral("today"));
    EXPECT_FALSE(form->unloaded());
    EXPECT_FALSE(form->busy());
}

// The check tells how far it is, and stops when asked.
TEST(BackupCheck, ReportsItsProgressAndStopsOnCancel) {
    ProgramFolder folder;
    const QString file = folder.productionDb();
    {
        zv::db::Connection c;
        c.open(file);
        c.executeScript("CREATE TABLE Filler (v TEXT); CREATE INDEX FillerV ON Filler (v);"
                        "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 20000)"
                        " INSERT INTO Filler SELECT printf('row %08d', i) FROM n;");
    }
    zv::ui::WorkProgress done;
    EXPECT_EQ(zv::admin::checkDatabaseFile(file, done), zv::admin::FileCheck::Valid);
    EXPECT_EQ(done.percent.load(), 100);

    zv::ui::WorkProgress cancelled;
    cancelled.cancelRequested = true;
    EXPECT_EQ(zv::admin::checkDatabaseFile(file, cancelled), zv::admin::FileCheck::Cancelled);
    EXPECT_LT(cancelled.percent.load(), 100);
}

namespace {

// A production database with a table of 30,000 rows and three indexes: a
// check that takes a while. A quote in the table's name: it is counted all the same.
QString fillerDatabase(ProgramFolder &folder) {
    const QString file = folder.productionDb();
    zv::db::Connection c;
    c.open(file);
    c.executeScript("CREATE TABLE \"Fill\"\"er\" (a INTEGER, b TEXT, c TEXT);"
                    "CREATE INDEX FillerA ON \"Fill\"\"er\" (a); CREATE INDEX FillerB ON \"Fill\"\"er\" (b);"
                    "CREATE INDEX FillerC ON \"Fill\"\"er\" (c, a);"
                    "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 30000)"
                    " INSERT INTO \"Fill\"\"er\" SELECT (i * 7919) % 30011, printf('row %08d', (i * 104729) % 30011),"
                    " hex(randomblob(8)) FROM n;");
    return file;
}

double threadSeconds() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) / 1e9;
}

// One check of a file played as read from a disk that takes `wait` seconds
// for each page the check reads the first time (0: the file is in memory).
// The check's clock is the work its thread does (its processor time) plus
// those waits, so nothing depends on how busy the machine is.
struct PlayedCheck {
    zv::admin::FileCheck result = zv::admin::FileCheck::Invalid;
    double seconds = 0;                        // the whole check, on its clock
    std::vector<std::pair<double, int>> shown;   // each percent and when it was shown
    int pagesRead = 0;
    int percent = 0;                           // at the end

    // The percent on show once share of the check's time had gone.
    int percentAt(double share) const {
        int then = 0;
        for (const auto &[at, percent] : shown)
            if (at <= share * seconds)
                then = percent;
        return then;
    }
};

PlayedCheck playCheck(const QString &file, double wait,
                      const std::function<void(int pagesRead, zv::ui::WorkProgress &)> &afterRead = {}) {
    PlayedCheck check;
    double waited = 0;
    auto clock = [&] { return threadSeconds() + waited; };
    zv::ui::WorkProgress progress;
    zv::admin::CheckHooks hooks;
    hooks.seconds = clock;
    hooks.onPageRead = [&] {
        waited += wait;
        ++check.pagesRead;
        if (afterRead)
            afterRead(check.pagesRead, progress);
    };
    const double start = clock();
    hooks.onPercent = [&](int percent) { check.shown.emplace_back(clock() - start, percent); };
    check.result = zv::admin::checkDatabaseFile(file, progress, hooks);
    check.seconds = clock() - start;
    check.percent = progress.percent.load();
    return check;
}

} // namespace

// The percent follows the work of the check: it rises step by step through
// the middle instead of reaching 99 once the file's pages have been read.
TEST(BackupCheck, ItsPercentRisesWithTheWork) {
    ProgramFolder folder;
    const QString file = fillerDatabase(folder);
    zv::ui::WorkProgress progress;
    QList<int> seen;
    zv::admin::CheckHooks hooks;
    hooks.onPercent = [&](int percent) { seen << percent; };
    EXPECT_EQ(zv::admin::checkDatabaseFile(file, progress, hooks), zv::admin::FileCheck::Valid);
    EXPECT_EQ(progress.percent.load(), 100);
    ASSERT_GE(seen.size(), 20);
    EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()));
    for (const auto &[from, to] : {std::pair{10, 35}, {35, 60}, {60, 85}})
        EXPECT_TRUE(std::any_of(seen.begin(), seen.end(), [&](int p) { return p >= from && p < to; }))
            << "nothing seen from " << from << " to " << to << " %";
    const auto nearlyDone = std::count_if(seen.begin(), seen.end(), [](int p) { return p >= 95; });
    EXPECT_LT(nearlyDone, seen.size() / 4) << "stuck near the end";
}

// A file just chosen is read from the disk, and reading it is most of the
// check's time; a file read before is in memory, and checking it is all of
// the time. Either way, and half and half, the percent at a quarter, half and
// three quarters of the check's time is within 15 points of 25, 50 and 75.
TEST(BackupCheck, ItsPercentFollowsItsTimeWhetherTheFileIsReadFromDiskOrMemory) {
    ProgramFolder folder;
    const QString file = fillerDatabase(folder);
    // The first check in a process also pays for first touching the memory of
    // its page cache, a cost that a file of a few megabytes makes most of its
    // first pass: each play here starts as a later check does.
    playCheck(file, 0);
    const PlayedCheck inMemory = playCheck(file, 0);
    ASSERT_GT(inMemory.pagesRead, 100);
    // A disk as slow as the check's work on the pages, and one twenty times slower.
    const double even = std::max(inMemory.seconds / inMemory.pagesRead, 100e-6);
    for (const auto &[disk, wait] :
         {std::pair{"in memory", 0.0}, {"half reading", even}, {"read from disk", 20 * even}}) {
        SCOPED_TRACE(disk);
        const PlayedCheck check = wait > 0 ? playCheck(file, wait) : inMemory;
        EXPECT_EQ(check.result, zv::admin::FileCheck::Valid);
        EXPECT_EQ(check.percent, 100);
        EXPECT_TRUE(std::is_sorted(check.shown.begin(), check.shown.end(),
                                   [](const auto &a, const auto &b) { return a.second < b.second; }));
        for (const double share : {0.25, 0.5, 0.75})
            EXPECT_NEAR(check.percentAt(share), 100 * share, 15)
                << "at " << share << " of " << check.seconds << " s, " << check.pagesRead << " pages read";
    }
}

// Cancel stops the check while it reads the file (its first pass reads the
// whole file in one step): no page is read after it.
TEST(BackupCheck, CancelStopsItWhileItReadsTheFile) {
    ProgramFolder folder;
    const QString file = fillerDatabase(folder);
    int pages = 0;
    {
        zv::db::Connection c;
        c.open(file, zv::db::Connection::Mode::ReadOnly);
        pages = c.scalar(QStringLiteral("PRAGMA page_count")).toInt();
    }
    int readWhenCancelled = 0;
    const PlayedCheck check = playCheck(file, 1e-3, [&](int pagesRead, zv::ui::WorkProgress &progress) {
        if (pagesRead == pages / 2) {
            progress.cancelRequested = true;
            readWhenCancelled = pagesRead;
        }
    });
    EXPECT_EQ(check.result, zv::admin::FileCheck::Cancelled);
    EXPECT_EQ(readWhenCancelled, pages / 2);
    EXPECT_EQ(check.pagesRead, readWhenCancelled);
    EXPECT_GT(check.percent, 0);
    EXPECT_LT(check.percent, 100);
}

TEST_F(RestoreTest, ACopyThatFailsHalfWayLeavesProductionWhole) {
    modCommon::CloseConnections();
    const QByteArray before = bytesOf(production());
    choose(backup);
    messages.answer(vbYes);   // the restore question
    messages.answer(vbOK);    // the failure
    messages.answer(vbYes);   // "Do you want to exit?" as the window closes after the failure
    {
        FileSizeLimit limit(FileSizeLimit::halfOf(backup));
        form->RestoreDatabase();
    }
    EXPECT_EQ(messages.prompts(),
              (QStringList{question(backup),
                           QStringLiteral("Can not Restore ") + backup +
                               QStringLiteral(". There is not enough space left on the disk. Please free some "
                                              "space and try again."),
                           QStringLiteral("Do you want to exit?")}));
    EXPECT_TRUE(bytesOf(production()) == before);
    EXPECT_TRUE(soundDatabase(production()));
    EXPECT_EQ(stampOf(production()), QStringLiteral("today"));
    EXPECT_TRUE(leftovers(folder->file(QStringLiteral("Data"))).isEmpty());
    EXPECT_TRUE(form->unloaded());
}

TEST_F(RestoreTest, AStaleJournalBesideProductionIsNotPlayedIntoTheRestoredFile) {
    // The backup's schema differs from production's, so old production pages played into it would show.
    rawExec(backup, "CREATE TABLE OnlyInBackup (v TEXT); INSERT INTO OnlyInBackup VALUES ('x');");
    modCommon::CloseConnections();
    leaveHotJournal(production());
    choose(backup);
    messages.answer(vbYes);
    form->RestoreDatabase();
    EXPECT_EQ(messages.prompts(), (QStringList{question(backup), kDone}));
    modCommon::CloseConnections();
    EXPECT_FALSE(QFile::exists(production() + QStringLiteral("-journal")));
    EXPECT_TRUE(bytesOf(production()) == bytesOf(backup));
    EXPECT_TRUE(soundDatabase(production()));
}

TEST_F(RestoreTest, ClosingAsksOnlyOnceAFileIsChosen) {
    form->close();
    EXPECT_TRUE(messages.prompts().isEmpty());
    EXPECT_TRUE(form->unloaded());

    form = std::make_unique<frmRestore>();
    form->show();
    choose(backup);
    messages.answer(vbNo);
    form->close();
    EXPECT_EQ(messages.prompts(), QStringList{QStringLiteral("Do you want to exit?")});
    EXPECT_FALSE(form->unloaded());
}
