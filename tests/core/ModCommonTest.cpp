#include "support/OtherProgramLock.h"
#include "CoreFixture.h"
#include "core/password/Password.h"
#include "platform/clock/Clock.h"
#include <QDialog>
#include <QDir>
#include <QRegularExpression>

using namespace modCommon;
namespace names = zv::forms::names;

namespace {

using Routines = CoreTest;

TEST_F(Routines, ProgramRelativePathsHaveOneSeparator) {
    setAppPath(QStringLiteral("/opt/zv"));
    EXPECT_EQ(appFile(QStringLiteral("SysData/ZV-SYS.mdb")), QStringLiteral("/opt/zv/SysData/ZV-SYS.mdb"));
    setAppPath(QStringLiteral("/"));
    EXPECT_EQ(appFile(QStringLiteral("SysData/ZV-SYS.mdb")), QStringLiteral("/SysData/ZV-SYS.mdb"));
}

TEST_F(Routines, CheckAppFilesNeedsAllThree) {
    EXPECT_TRUE(CheckAppFiles());
    for (const char *rel : {kTemplateDb, kSystemDb, kProductionDb}) {
        ProgramFolder other;
        setAppPath(other.path());
        QFile::remove(other.file(QString::fromLatin1(rel)));
        EXPECT_FALSE(CheckAppFiles()) << rel;
    }
}

// The system connection opens without touching the main connection or gDBPath.
TEST_F(Routines, OpenSystemDatabaseTouchesOnlyTheSystemConnection) {
    gDBPath = folder->productionDb();
    OpenDatabase();
    ASSERT_TRUE(gConnOpen);
    const auto main = gConn;
    OpenSystemDatabase();
    EXPECT_TRUE(gSysOpen);
    ASSERT_TRUE(gSysConn && gSysConn->isOpen());
    EXPECT_EQ(gSysConn->path(), folder->systemDb());
    EXPECT_EQ(gDBPath, folder->productionDb());
    EXPECT_EQ(gConn, main);
    EXPECT_TRUE(gConn->isOpen());
    EXPECT_TRUE(messages.prompts().isEmpty());
}

TEST_F(Routines, OpenSystemDatabaseMissingFile) {
    QFile::remove(folder->systemDb());
    gSysOpen = true;
    OpenSystemDatabase();
    EXPECT_FALSE(gSysOpen);
    EXPECT_EQ(messages.prompts(),
              QStringList{"Some of the Application Folders/Files are missing. Can not open the Application."});
    EXPECT_EQ(endCount, 0);
}

TEST_F(Routines, OpenDatabaseFailures) {
    // A missing file opens the path form with an empty path box; gConnOpen stays.
    QVariant tag = QStringLiteral("unset"), clear;
    registerClosingForm(names::frmDBPathSetting, [&](QDialog &d) {
        tag = d.property("Tag");
        clear = d.property("ClearPath");
    });
    gDBPath = folder->file(QStringLiteral("Data/missing.mdb"));
    OpenDatabase();
    EXPECT_EQ(opened, QStringList{names::frmDBPathSetting});
    EXPECT_EQ(tag.toString(), QString());
    EXPECT_TRUE(clear.toBool());
    EXPECT_FALSE(gConnOpen);
    EXPECT_TRUE(messages.prompts().isEmpty());

    // A damaged template is silent; a damaged production database says so.
    damage(folder->templateDb());
    gDBPath = folder->templateDb();
    OpenDatabase();
    EXPECT_FALSE(gConnOpen);
    EXPECT_TRUE(messages.prompts().isEmpty());
    damage(folder->productionDb());
    gDBPath = folder->productionDb();
    OpenDatabase();
    EXPECT_FALSE(gConnOpen);
    EXPECT_EQ(messages.prompts(),
              QStringList{"Production Database is corrupted. Please reset the Production Database."});
    EXPECT_EQ(endCount, 0);
}

// A lock file that cannot be made beside a database (here a folder in its
// place) is no fault of the database: the message names what cannot be
// written and advises no reset.
TEST_F(Routines, ALockFileThatCannotBeWrittenIsNotCalledCorruption) {
    struct Case {
        QString database;
        bool system;
        QString message;
    };
    const QString tail = QStringLiteral(" can not be written. Please make it writable.");
    const QList<Case> cases = {
        {folder->productionDb(), false,
         QStringLiteral("Production Database can not be opened: ") + zv::db::lockFilePath(folder->productionDb()) + tail},
        {folder->templateDb(), false,
         QStringLiteral("Database ") + folder->templateDb() + QStringLiteral(" can not be opened: ") +
             zv::db::lockFilePath(folder->templateDb()) + tail},
        {folder->systemDb(), true,
         QStringLiteral("Database ") + folder->systemDb() + QStringLiteral(" can not be opened: ") +
             zv::db::lockFilePath(folder->systemDb()) + tail},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.database.toStdString());
        messages.clear();
        endCount = 0;
        const QString lock = zv::db::lockFilePath(c.database);
        ASSERT_TRUE(QDir().mkdir(lock));
        if (c.system) {
            OpenSystemDatabase();
            EXPECT_FALSE(gSysOpen);
            EXPECT_EQ(endCount, 1);   // nothing works without the system database
        } else {
            gConnOpen = false;
            gDBPath = c.database;
            OpenDatabase();
            EXPECT_FALSE(gConnOpen);
            EXPECT_EQ(gDBPath, c.database);
            EXPECT_EQ(endCount, 0);
        }
        EXPECT_EQ(messages.prompts(), QStringList{c.message});
        ASSERT_TRUE(QDir().rmdir(lock));
    }
}

TEST_F(Routines, OpenDatabaseReadOnlyEndsTheProgram) {
    OpenSystemDatabase();
    ASSERT_TRUE(gSysOpen);
    QFile::setPermissions(folder->productionDb(), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    gDBPath = folder->productionDb();
    OpenDatabase();
    EXPECT_EQ(messages.prompts(), QStringList{"Database is Read Only. Exiting the application."});
    EXPECT_EQ(endCount, 1);
    EXPECT_FALSE(gSysConn->isOpen());
    EXPECT_FALSE(gConnOpen);
}

TEST_F(Routines, OpenSystemDatabaseReadOnlyEndsTheProgram) {
    gDBPath = folder->productionDb();
    OpenDatabase();
    ASSERT_TRUE(gConnOpen);
    QFile::setPermissions(folder->systemDb(), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    OpenSystemDatabase();
    EXPECT_EQ(messages.prompts(), QStringList{"DataBase is Read Only. Exiting Application."});
    EXPECT_EQ(endCount, 1);
    EXPECT_FALSE(gConn->isOpen());
    EXPECT_FALSE(gSysOpen);
}

TEST_F(Routines, DatabaseChecksAndPeriod) {
    EXPECT_FALSE(CheckDatabaseIdentity());   // no connection
    EXPECT_FALSE(CheckSystemTable());
    gDBPath = folder->productionDb();
    OpenDatabase();
    OpenSystemDatabase();
    EXPECT_TRUE(CheckDatabaseIdentity());
    EXPECT_TRUE(CheckSystemTable());
    LoadPeriod();
    EXPECT_EQ(gStartPeriod, QStringLiteral("01-Apr-2026"));
    EXPECT_EQ(gEndPeriod, QStringLiteral("31-Mar-2027"));
    EXPECT_EQ(GetServerDate(), zv::clock::today());

    // An empty Parm: no identity, and the period load fails to its caller.
    gConn->execute(QStringLiteral("DELETE FROM Parm"));
    EXPECT_FALSE(CheckDatabaseIdentity());
    EXPECT_THROW(LoadPeriod(), zv::db::DbError);
    gConn->close();
    EXPECT_FALSE(CheckDatabaseIdentity());
}

// Another program that takes the file after it was opened leaves the identity
// check without an answer: its error reaches the caller, which tells it as in
// use; it is never taken for a file without the identity.
TEST_F(Routines, AnIdentityCheckOnAHeldFileGivesNoAnswer) {
    gDBPath = folder->productionDb();
    OpenDatabase();
    ASSERT_TRUE(gConnOpen);
    {
        OtherProgramLock other(gDBPath);
        ASSERT_TRUE(other.held()) << other.output().constData();
        try {
            CheckDatabaseIdentity();
            ADD_FAILURE() << "a held file answered the identity question";
        } catch (const zv::db::DbError &e) {
            EXPECT_EQ(e.number(), zv::db::err::DatabaseInUse);
        }
        ASSERT_TRUE(other.release());
    }
    EXPECT_TRUE(CheckDatabaseIdentity());
    EXPECT_TRUE(messages.shown().isEmpty());
}

// Asking whether the main connection is open never opens it: a closed one stays
// closed and nothing is shown, even where opening it would say that another
// program holds the file.
TEST_F(Routines, AskingWhetherTheMainConnectionIsOpenNeverOpensIt) {
    gDBPath = folder->productionDb();
    OpenDatabase();
    EXPECT_TRUE(MainConnectionIsOpen());
    CloseMainConnection();
    EXPECT_FALSE(MainConnectionIsOpen());
    gConnOpen = true;   // as the login leaves the flag over a closed corrupted file
    EXPECT_FALSE(MainConnectionIsOpen());
    {
        OtherProgramLock other(gDBPath);
        ASSERT_TRUE(other.held()) << other.output().constData();
        EXPECT_FALSE(MainConnectionIsOpen());
        ASSERT_TRUE(other.release());
    }
    EXPECT_TRUE(MainConnectionPath().isEmpty());
    EXPECT_TRUE(messages.shown().isEmpty());
    MainConnection();
    EXPECT_TRUE(MainConnectionIsOpen());
}

TEST_F(Routines, TimeStampIsFourteenDigits) {
    EXPECT_EQ(GetTimeStampString(QDateTime(QDate(2026, 12, 9), QTime(14, 5, 7))), QStringLiteral("09122026140507"));
    const QString now = GetTimeStampString();
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d{14}$")).match(now).hasMatch()) << now.toStdString();
}

TEST_F(Routines, IsDigitKey) {
    struct Case { int ascii, code; bool digit; };
    for (const Case &c : {Case{53, 0, true}, Case{65, 0, false}, Case{0, 100, true}, Case{0, 48, true},
                          Case{0, 57, true}, Case{0, 96, true}, Case{0, 105, true}, Case{0, 106, false},
                          Case{47, 58, false}, Case{0, 0, false}})
        EXPECT_EQ(IsDigitKey(c.ascii, c.code), c.digit) << c.ascii << " " << c.code;
}

TEST_F(Routines, ShowErrorMessage) {
    ShowErrorMessage(nullptr);
    EXPECT_TRUE(messages.shown().isEmpty());
    const zv::db::DbError e(-2147217887, QStringLiteral("Related rows"), QStringLiteral("zv.db"));
    ShowErrorMessage(e);
    ASSERT_EQ(messages.shown().size(), 1);
    EXPECT_EQ(messages.shown().at(0).prompt,
              QStringLiteral("Error Number is -2147217887\rError Description is    Related rows\rzv.db\r"
                             "Contact System Administrator"));
    EXPECT_EQ(messages.shown().at(0).buttons, zv::ui::vbCritical);
    EXPECT_EQ(messages.shown().at(0).title, QStringLiteral("Information"));
}

TEST(Password, ScrambleRoundTrip) {
    QString all;
    for (int c = 1; c <= 245; ++c)
        all.append(QChar(c));
    for (const QString &p : {QStringLiteral("admin"), QStringLiteral("a"), QStringLiteral("Pass Word'|9"), all,
                             QStringLiteral("\u00e9t\u00e9")}) {
        for (int round = 0; round < 20; ++round) {   // different key draws
            const QString stored = EncodePassword(p);
            ASSERT_EQ(stored.size(), p.size() + 2);
            EXPECT_GE(stored.front().unicode(), 1);
            EXPECT_LE(stored.front().unicode(), 10);
            EXPECT_GE(stored.back().unicode(), 1);
            EXPECT_LE(stored.back().unicode(), 10);
            EXPECT_EQ(DecodePassword(stored), p);
        }
    }
}

TEST(Password, ShapeAndUndecodableValues) {
    // Odd positions shift by the last key, even ones by the first.
    const QString stored = QString(QChar(2)) + QChar('a' + 5) + QChar('b' + 2) + QChar('c' + 5) + QChar(5);
    EXPECT_EQ(DecodePassword(stored), QStringLiteral("abc"));
    EXPECT_EQ(DecodePassword(QString(QChar(3)) + QChar(4)), QStringLiteral(""));
    EXPECT_FALSE(DecodePassword(QString(QChar(3)) + QChar(4)).isNull());
    EXPECT_TRUE(DecodePassword(QStringLiteral("x")).isNull());
    EXPECT_TRUE(DecodePassword(QString(QChar(1)) + QChar(2) + QChar(9)).isNull());
    EXPECT_TRUE(CanEncodePassword(QString(QChar(245))));
    EXPECT_FALSE(CanEncodePassword(QString(QChar(246))));
}

} // namespace
