#include "AdminFixture.h"
#include "core/frmBackup.h"
#include "support/OtherProgramLock.h"
#include <QApplication>
#include <QFileInfo>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>

using namespace zv::ui;

namespace {
const QString kComplete = QStringLiteral("Backup process is complete");
const QString kExists = QStringLiteral("File already exists. Would you like to replace existing File?");
} // namespace

class BackupTest : public AdminTest {
public:
    void SetUp() override {
        AdminTest::SetUp();
        ASSERT_TRUE(target.isValid());
        form = std::make_unique<frmBackup>();
        form->show();
    }
    void TearDown() override {
        form.reset();
        AdminTest::TearDown();
    }
    // Chooses the folder through Browse and names the copy.
    void choose(const QString &folderPath, const QString &name) {
        messages.answerPath(folderPath);
        form->BrowseFolder();
        form->txtFile->setText(name);
        messages.clear();
    }
    QString inTarget(const QString &name) const { return target.path() + QLatin1Char('/') + name; }

    QTemporaryDir target;
    std::unique_ptr<frmBackup> form;
};

TEST_F(BackupTest, WritesTheNamedCopyAndReopensProduction) {
    stamp(production(), QStringLiteral("today"));
    EXPECT_EQ(form->txtFile->text(), QStringLiteral("ZV-Data"));
    choose(target.path(), QStringLiteral(" mybackup.mdb "));
    form->BackupDatabase();

    EXPECT_EQ(messages.prompts(), (QStringList{kComplete}));
    EXPECT_EQ(form->txtFile->text(), QStringLiteral("MYBACKUP"));
    EXPECT_EQ(stampOf(inTarget(QStringLiteral("MYBACKUP.mdb"))), QStringLiteral("today"));
    EXPECT_TRUE(soundDatabase(inTarget(QStringLiteral("MYBACKUP.mdb"))));
    EXPECT_TRUE(leftovers(target.path()).isEmpty());
    EXPECT_TRUE(mainConnectionOn(production()));
    EXPECT_TRUE(form->unloaded());
}

TEST_F(BackupTest, AsksBeforeReplacingAnExistingCopy) {
    const QString copy = inTarget(QStringLiteral("ZV-DATA.mdb"));
    ASSERT_TRUE(QFile::copy(production(), copy));
    stamp(copy, QStringLiteral("last week"));
    stamp(production(), QStringLiteral("today"));

    choose(target.path(), QStringLiteral("ZV-Data"));
    messages.answer(vbNo);
    form->BackupDatabase();
    EXPECT_EQ(messages.prompts(), (QStringList{kExists}));
    EXPECT_EQ(messages.shown().at(0).buttons, vbYesNo + vbQuestion + vbDefaultButton1);
    EXPECT_EQ(stampOf(copy), QStringLiteral("last week"));
    EXPECT_FALSE(form->unloaded());
    EXPECT_TRUE(mainConnectionOn(production()));

    messages.clear();
    messages.answer(vbYes);
    form->BackupDatabase();
    EXPECT_EQ(messages.prompts(), (QStringList{kExists, kComplete}));
    EXPECT_EQ(stampOf(copy), QStringLiteral("today"));
    EXPECT_TRUE(form->unloaded());
}

TEST_F(BackupTest, RefusesCopiesOverTheProgramsOwnDatabases) {
    // The program's folders reached through a link are the same folders.
    const QString link = inTarget(QStringLiteral("program"));
    ASSERT_TRUE(QFile::link(folder->path(), link));
    const QByteArray system = bytesOf(systemDb()), templ = bytesOf(templateDb());
    struct Case {
        QString folder, name, message;
    };
    const QList<Case> cases = {
        {link + QStringLiteral("/SysData"), QStringLiteral("ZV-ORG"), QStringLiteral("Can not overwrite the System Database")},
        {folder->file(QStringLiteral("SysData/")), QStringLiteral("zv-sys.mdb"),
         QStringLiteral("Can not overwrite the System Database!")},
        {link + QStringLiteral("/Data/../Data"), QStringLiteral("zv-data"),
         QStringLiteral("Can not overwrite the Production Database!")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.message.toStdString());
        messages.clear();
        choose(c.folder, c.name);
        form->BackupDatabase();
        EXPECT_EQ(messages.prompts(), QStringList{c.message});
        EXPECT_FALSE(form->unloaded());
    }
    EXPECT_TRUE(bytesOf(systemDb()) == system);
    EXPECT_TRUE(bytesOf(templateDb()) == templ);
    EXPECT_TRUE(soundDatabase(production()));
}

TEST_F(BackupTest, RefusesWhileADatabaseIsInUseAndGoesAheadOverAStaleLock) {
    const QString copy = inTarget(QStringLiteral("ZV-DATA.mdb"));
    ASSERT_TRUE(QFile::copy(production(), copy));
    stamp(copy, QStringLiteral("last week"));
    stamp(production(), QStringLiteral("today"));
    choose(target.path(), QStringLiteral("ZV-Data"));
    {
        zv::db::Connection other;
        other.open(production());
        form->BackupDatabase();
        EXPECT_EQ(messages.prompts(), QStringList{QStringLiteral("Backup failed. Source Database in use.")});
    }
    {
        messages.clear();
        zv::db::Connection other;
        other.open(copy);
        form->BackupDatabase();
        EXPECT_EQ(messages.prompts(), QStringList{QStringLiteral("Backup failed. Destination Database in use.")});
    }
    EXPECT_EQ(stampOf(copy), QStringLiteral("last week"));

    // Lock files nobody holds, left by a program that died.
    for (const QString &db : {production(), copy}) {
        QFile stale(zv::db::lockFilePath(db));
        ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    }
    messages.clear();
    messages.answer(vbYes);
    form->BackupDatabase();
    EXPECT_EQ(messages.prompts(), (QStringList{kExists, kComplete}));
    EXPECT_EQ(stampOf(copy), QStringLiteral("today"));
}

// Another program holding production for its writes: nothing is copied, since
// the copy could catch a write half done; once it lets go, the backup goes ahead.
TEST_F(BackupTest, AProductionHeldByAnotherProgramIsNotCopied) {
    choose(target.path(), QStringLiteral("HELD"));
    {
        OtherProgramLock other(production());
        ASSERT_TRUE(other.held()) << other.output().constData();
        form->BackupDatabase();
        EXPECT_EQ(messages.prompts(), QStringList{QStringLiteral("Backup failed. Source Database in use.")});
        EXPECT_FALSE(QFileInfo::exists(inTarget(QStringLiteral("HELD.mdb"))));
        EXPECT_FALSE(form->unloaded());
        ASSERT_TRUE(other.release());
    }
    messages.clear();
    form->BackupDatabase();
    EXPECT_EQ(messages.prompts(), QStringList{kComplete});
    EXPECT_TRUE(soundDatabase(inTarget(QStringLiteral("HELD.mdb"))));
}

// Both files held by other programs: the destination is the one named, and
// neither changes.
TEST_F(BackupTest, WhenBothFilesAreHeldTheDestinationIsNamed) {
    const QString copy = inTarget(QStringLiteral("ZV-DATA.mdb"));
    ASSERT_TRUE(QFile::copy(production(), copy));
    stamp(copy, QStringLiteral("last week"));
    const QByteArray oldCopy = bytesOf(copy);
    choose(target.path(), QStringLiteral("ZV-Data"));
    OtherProgramLock onProduction(production());
    OtherProgramLock onCopy(copy);
    ASSERT_TRUE(onProduction.held()) << onProduction.output().constData();
    ASSERT_TRUE(onCopy.held()) << onCopy.output().constData();
    messages.answer(vbYes);   // were it asked
    form->BackupDatabase();
    EXPECT_EQ(messages.prompts(), QStringList{QStringLiteral("Backup failed. Destination Database in use.")});
    ASSERT_TRUE(onCopy.release());
    ASSERT_TRUE(onProduction.release());
    EXPECT_TRUE(bytesOf(copy) == oldCopy);
    EXPECT_FALSE(form->unloaded());
}

// While the copy runs another program cannot commit a change to production:
// the copy never catches a write half done. Tried the moment the busy window
// shows, with the copy under way.
TEST_F(BackupTest, NoChangeIsCommittedToProductionWhileTheCopyRuns) {
    stamp(production(), QStringLiteral("before"));
    choose(target.path(), QStringLiteral("DURING"));
    struct OnShow : QObject {
        std::function<void()> act;
        bool eventFilter(QObject *, QEvent *e) override {
            if (e->type() == QEvent::Show && act)
                act();
            return false;
        }
    } onShow;
    bool tried = false;
    QByteArray writer;
    onShow.act = [&] {
        if (tried || !form->busy())
            return;
        tried = true;
        OtherProgramLock other(production(),
                               QStringLiteral("BEGIN IMMEDIATE; UPDATE TestStamp SET v = 'during'; COMMIT;"));
        if (other.held())
            writer = "committed";
    };
    qApp->installEventFilter(&onShow);
    form->BackupDatabase();
    qApp->removeEventFilter(&onShow);
    EXPECT_TRUE(tried);
    EXPECT_EQ(writer, QByteArray());
    EXPECT_EQ(messages.prompts(), QStringList{kComplete});
    EXPECT_EQ(stampOf(inTarget(QStringLiteral("DURING.mdb"))), QStringLiteral("before"));
    EXPECT_EQ(stampOf(production()), QStringLiteral("before"));
}

TEST_F(BackupTest, ACopyThatFailsHalfWayLeavesTheOldCopyAndProductionWhole) {
    const QString copy = inTarget(QStringLiteral("ZV-DATA.mdb"));
    ASSERT_TRUE(QFile::copy(production(), copy));
    stamp(copy, QStringLiteral("last week"));
    const QByteArray oldCopy = bytesOf(copy);
    modCommon::CloseConnections();
    const QByteArray prod = bytesOf(production());

    choose(target.path(), QStringLiteral("ZV-Data"));
    messages.answer(vbYes);
    {
        FileSizeLimit limit(FileSizeLimit::halfOf(production()));
        form->BackupDatabase();
    }
    ASSERT_EQ(messages.prompts().size(), 2);
    EXPECT_EQ(messages.prompts().at(0), kExists);
    // No room left for the copy: the disk-full number, with the file system's words.
    EXPECT_TRUE(messages.prompts().at(1).startsWith(QStringLiteral("Error Number: 61\r\n")));
    EXPECT_TRUE(bytesOf(copy) == oldCopy);
    EXPECT_TRUE(bytesOf(production()) == prod);
    EXPECT_TRUE(leftovers(target.path()).isEmpty());
    EXPECT_FALSE(form->unloaded());
}

TEST_F(BackupTest, NameAndFolderChecks) {
    struct Case {
        QString folder, name, message;
    };
    const QList<Case> cases = {
        {QString(), QStringLiteral("ZV-Data"), QStringLiteral("Select a Destination Folder")},
        {target.path(), QStringLiteral("   "), QStringLiteral("Enter a Destination Database Name")},
        {target.path(), QStringLiteral("a/b"), QStringLiteral("Enter a Destination Database Name")},
        {target.path(), QStringLiteral("c:x"), QStringLiteral("Enter a Destination Database Name")},
        {target.path(), QStringLiteral(".mdb"), QStringLiteral("Enter a Destination Database Name")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name.toStdString());
        messages.clear();
        form->txtPath->setText(c.folder);
        form->txtFile->setText(c.name);
        form->BackupDatabase();
        EXPECT_EQ(messages.prompts(), QStringList{c.message});
    }
    EXPECT_TRUE(QDir(target.path()).isEmpty());
}

TEST_F(BackupTest, ClosingAsksUntilTheBackupIsDone) {
    messages.answer(vbNo);
    form->close();
    EXPECT_EQ(messages.prompts(), QStringList{QStringLiteral("Do you want to exit?")});
    EXPECT_EQ(messages.shown().at(0).buttons, vbYesNo + vbQuestion + vbDefaultButton2);
    EXPECT_TRUE(form->isVisible());
    messages.answer(vbYes);
    form->close();
    EXPECT_TRUE(form->unloaded());
}

TEST_F(BackupTest, TheNameBoxTakesFileNameCharactersOnlyAndEnterStartsTheBackup) {
    form->txtFile->clear();
    form->txtFile->setFocus();
    typeText(form->txtFile, QStringLiteral("a'b?c.d-_ |e*"));
    EXPECT_EQ(form->txtFile->text(), QStringLiteral("abc.d-_ e"));
    typeKey(form->txtFile, Qt::Key_Return, QStringLiteral("\r"));
    EXPECT_EQ(messages.prompts(), QStringList{QStringLiteral("Select a Destination Folder")});
}

// A journal left beside an old copy by a writer that died must not be played
// back into the new copy.
TEST_F(BackupTest, AStaleJournalBesideTheOldCopyIsRemoved) {
    const QString copy = inTarget(QStringLiteral("ZV-DATA.mdb"));
    ASSERT_TRUE(QFile::copy(production(), copy));
    stamp(copy, QStringLiteral("last week"));
    leaveHotJournal(copy);
    stamp(production(), QStringLiteral("today"));

    choose(target.path(), QStringLiteral("ZV-Data"));
    messages.answer(vbYes);
    form->BackupDatabase();
    EXPECT_EQ(messages.prompts(), (QStringList{kExists, kComplete}));
    EXPECT_FALSE(QFile::exists(copy + QStringLiteral("-journal")));
    modCommon::CloseConnections();
    EXPECT_TRUE(bytesOf(copy) == bytesOf(production()));
    EXPECT_TRUE(soundDatabase(copy));
}
