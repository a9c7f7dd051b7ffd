#include "AdminFixture.h"
#include "core/AdminForms.h"
#include "core/FormRegistry.h"
#include "core/MDIZVS.h"
#include "core/frmDBPathSetting.h"
#include "support/OtherProgramLock.h"
#include <QDir>
#include <QAction>
#include <QFile>
#include <QFrame>
#include <QLineEdit>
#include <QToolBar>

using namespace zv::ui;

namespace {
const QString kQuestion = QStringLiteral("Are you sure to reset the Database?");
const QString kDone = QStringLiteral("Production Database is reset");
const QString kDestInUse = QStringLiteral("Can not reset, Destination Database in use. Please confirm all users are "
                                          "logged off before reset the Database.");
const QString kSourceInUse = QStringLiteral("Can not reset, Source Database in use. Please confirm all users are "
                                            "logged off before reset the Database.");
const QString kDiskFull =
    QStringLiteral("Cannot Reset. There is not enough space left on the disk. Please free some space and try again.");
} // namespace

class DBPathSettingTest : public AdminTest {
public:
    void TearDown() override {
        form.reset();
        zv::forms::clearRegistry();
        AdminTest::TearDown();
    }
    void openForm(const QString &tag) {
        form = std::make_unique<frmDBPathSetting>();
        form->setTag(tag);
        form->show();
    }
    std::unique_ptr<frmDBPathSetting> form;
};

TEST_F(DBPathSettingTest, ShowModeShowsOnlyThePath) {
    for (const QString tag : {QStringLiteral("1"), QString()}) {
        openForm(tag);
        EXPECT_EQ(form->lbltxtDBPath->text(), production());
        EXPECT_TRUE(form->lbltxtDBPath->isReadOnly());
        EXPECT_FALSE(form->fraMsg->isVisible());
        EXPECT_FALSE(form->tlbOkCancel.bar->isVisible());
        EXPECT_FALSE(form->isResetMode());
    }
    openForm(QStringLiteral("0"));
    EXPECT_TRUE(form->fraMsg->isVisible());
    EXPECT_TRUE(form->tlbOkCancel.bar->isVisible());
}

TEST_F(DBPathSettingTest, ResetCopiesTheTemplateAndLiftsTheRestrictedMenus) {
    zv::admin::registerForms();
    stamp(production(), QStringLiteral("old data"));
    // As the login leaves an invalid production database: no period.
    modCommon::gDBInvalid = true;
    modCommon::gStartPeriod.clear();
    modCommon::gEndPeriod.clear();
    MDIZVS *main = MDIZVS::instance();
    modCommon::EnableMainMenus();
    ASSERT_FALSE(main->mnuBackup->isEnabled());

    openForm(QStringLiteral("0"));
    messages.answer(vbYes);
    form->ResetProductionDatabase();

    EXPECT_EQ(messages.prompts(), (QStringList{kQuestion, kDone}));
    EXPECT_EQ(messages.shown().at(0).buttons, vbYesNo + vbQuestion + vbDefaultButton2);
    EXPECT_TRUE(bytesOf(production()) == bytesOf(templateDb()));
    EXPECT_EQ(stampOf(production()), QString(""));
    EXPECT_FALSE(modCommon::gDBInvalid);
    EXPECT_TRUE(main->mnuBackup->isEnabled());
    EXPECT_TRUE(main->mnuShowDBPath->isEnabled());
    EXPECT_EQ(modCommon::gDBPath, production());
    EXPECT_TRUE(mainConnectionOn(production()));
    // The period of the new file, at once, in the program and in the caption.
    EXPECT_EQ(modCommon::gStartPeriod, QStringLiteral("01-Apr-2026"));
    EXPECT_EQ(modCommon::gEndPeriod, QStringLiteral("31-Mar-2027"));
    EXPECT_EQ(main->windowTitle(), QStringLiteral("Zorvane 2.0 - ADMIN (From:01-Apr-2026 To:31-Mar-2027)"));
    EXPECT_TRUE(form->unloaded());
    EXPECT_EQ(endCount, 0);
    EXPECT_TRUE(leftovers(folder->file(QStringLiteral("Data"))).isEmpty());
}

// Every way of stopping before the copy leaves production whole and the
// program on it, never on the template.
TEST_F(DBPathSettingTest, AResetThatStopsEarlyLeavesTheProgramOnProduction) {
    struct Case {
        const char *name;
        std::function<std::shared_ptr<zv::db::Connection>(DBPathSettingTest &)> arrange;
        QStringList prompts;
        QString shownPath = {};   // the path box's text, when not production's
    };
    auto holdOpen = [](const QString &path) {
        auto c = std::make_shared<zv::db::Connection>();
        c->open(path);
        return c;
    };
    const QList<Case> cases = {
        {"production in use", [&](DBPathSettingTest &t) { return holdOpen(t.production()); }, {kDestInUse}},
        {"template in use", [&](DBPathSettingTest &t) { return holdOpen(t.templateDb()); }, {kSourceInUse}},
        {"answer No",
         [](DBPathSettingTest &t) {
             t.messages.answer(vbNo);
             return std::shared_ptr<zv::db::Connection>();
         },
         {kQuestion}},
        // The path box names the template itself: nothing to copy over.
        {"same file",
         [](DBPathSettingTest &t) {
             t.messages.answer(vbYes);
             return std::shared_ptr<zv::db::Connection>();
         },
         {kQuestion},
         templateDb()},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        stamp(production(), QStringLiteral("keep me"));
        modCommon::OpenMainConnection();
        messages.clear();
        auto other = c.arrange(*this);
        const QByteArray templ = bytesOf(templateDb());
        openForm(QStringLiteral("0"));
        if (!c.shownPath.isEmpty())
            form->lbltxtDBPath->setText(c.shownPath);
        form->ResetProductionDatabase();
        EXPECT_EQ(messages.prompts(), c.prompts);
        EXPECT_TRUE(bytesOf(templateDb()) == templ);
        EXPECT_EQ(stampOf(production()), QStringLiteral("keep me"));
        EXPECT_EQ(modCommon::gDBPath, production());
        EXPECT_FALSE(mainConnectionOn(templateDb()));
        EXPECT_FALSE(form->unloaded());
        EXPECT_EQ(endCount, 0);
    }
}

// A template that is not the program's own (its identity value gone, not a
// database at all, its pages damaged) ends the program before any question,
// and production is never touched.
TEST_F(DBPathSettingTest, ATemplateThatIsNotOursEndsTheProgramBeforeAnything) {
    const QString corrupted =
        QStringLiteral("Some of the Application Folders/Files are corrupted. Exiting the Application.");
    const QByteArray sound = bytesOf(templateDb());
    const struct {
        const char *name;
        std::function<void(const QString &path)> spoil;
    } cases[] = {
        {"no identity value",
         [](const QString &path) {
             zv::db::Connection c;
             c.open(path);
             c.execute(QStringLiteral("UPDATE Parm SET DB_Check = 'SOMEONE ELSE'"));
         }},
        {"not a database",
         [](const QString &path) {
             QFile f(path);
             ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
             f.write(QByteArray(8192, 'x'));
         }},
        {"damaged pages",
         [](const QString &path) {
             QFile f(path);
             ASSERT_TRUE(f.open(QIODevice::ReadWrite));
             ASSERT_GT(f.size(), 4096);
             f.seek(1024);   // past the header: it still opens, its tables do not read
             f.write(QByteArray(int(f.size()) - 1024, '\x5a'));
         }},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        modCommon::CloseMainConnection();
        {
            QFile f(templateDb());
            ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            f.write(sound);
        }
        c.spoil(templateDb());
        stamp(production(), QStringLiteral("keep me"));
        modCommon::gDBPath = production();
        modCommon::OpenMainConnection();
        messages.clear();
        endCount = 0;
        openForm(QStringLiteral("0"));
        messages.answer(vbYes);
        form->ResetProductionDatabase();
        EXPECT_EQ(messages.prompts(), QStringList{corrupted});
        EXPECT_EQ(endCount, 1);
        EXPECT_EQ(stampOf(production()), QStringLiteral("keep me"));
    }
}

TEST_F(DBPathSettingTest, AStaleLockFileDoesNotStopTheReset) {
    stamp(production(), QStringLiteral("old data"));
    modCommon::CloseConnections();
    const QString ldb = zv::db::lockFilePath(production());
    QFile stale(ldb);
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.close();

    openForm(QStringLiteral("0"));
    messages.answer(vbYes);
    form->ResetProductionDatabase();

    EXPECT_EQ(messages.prompts(), (QStringList{kQuestion, kDone}));
    EXPECT_EQ(stampOf(production()), QString(""));
    EXPECT_TRUE(mainConnectionOn(production()));
}

// The copy fails half-way (the file system takes no more than a few pages):
// the old production file is still there, whole, and nothing is left behind.
TEST_F(DBPathSettingTest, ACopyThatFailsHalfWayLeavesProductionWhole) {
    stamp(production(), QStringLiteral("keep me"));
    modCommon::CloseConnections();
    modCommon::OpenDatabase();
    const QByteArray before = bytesOf(production());

    openForm(QStringLiteral("0"));
    messages.answer(vbYes);
    {
        FileSizeLimit limit(FileSizeLimit::halfOf(templateDb()));
        form->ResetProductionDatabase();
    }
    EXPECT_EQ(messages.prompts(), (QStringList{kQuestion, kDiskFull}));
    EXPECT_TRUE(bytesOf(production()) == before);
    EXPECT_TRUE(soundDatabase(production()));
    EXPECT_TRUE(leftovers(folder->file(QStringLiteral("Data"))).isEmpty());
    EXPECT_EQ(modCommon::gDBPath, production());
    EXPECT_FALSE(mainConnectionOn(templateDb()));
    EXPECT_FALSE(form->unloaded());
}

// Another program holds production (no lock file of ours says so): the reset
// refuses with the in-use message and replaces nothing; once it lets go the
// reset goes ahead.
TEST_F(DBPathSettingTest, AnotherProgramHoldingProductionStopsTheReset) {
    stamp(production(), QStringLiteral("sound data"));
    modCommon::CloseConnections();
    const QByteArray before = bytesOf(production());
    openForm(QStringLiteral("0"));
    {
        OtherProgramLock other(production());
        ASSERT_TRUE(other.held()) << other.output().constData();
        messages.answer(vbYes);   // were it asked
        form->ResetProductionDatabase();
        EXPECT_EQ(messages.prompts(), QStringList{kDestInUse});
        ASSERT_TRUE(other.release());
    }
    EXPECT_TRUE(bytesOf(production()) == before);
    EXPECT_EQ(stampOf(production()), QStringLiteral("sound data"));
    EXPECT_FALSE(form->unloaded());

    messages.clear();
    messages.answer(vbYes);
    form->ResetProductionDatabase();
    EXPECT_EQ(messages.prompts(), (QStringList{kQuestion, kDone}));
    EXPECT_EQ(stampOf(production()), QString(""));
}

// Whichever way another program holds production, the reset refuses before
// it asks anything, and production stays as it was to the byte.
TEST_F(DBPathSettingTest, EveryKindOfHoldOnProductionRefusesBeforeTheQuestion) {
    stamp(production(), QStringLiteral("sound data"));
    modCommon::CloseConnections();
    const QByteArray before = bytesOf(production());
    openForm(QStringLiteral("0"));
    for (const char *hold : kOtherProgramHolds) {
        SCOPED_TRACE(hold);
        messages.clear();
        OtherProgramLock other(production(), QString::fromLatin1(hold));
        ASSERT_TRUE(other.held()) << other.output().constData();
        form->ResetProductionDatabase();
        EXPECT_EQ(messages.prompts(), QStringList{kDestInUse});
        ASSERT_TRUE(other.release());
        EXPECT_TRUE(bytesOf(production()) == before);
        EXPECT_FALSE(form->unloaded());
    }
}

// Another program that lets go of production within the usual wait does not
// stop the reset: the hold waits for it.
TEST_F(DBPathSettingTest, ALockLetGoWithinTheWaitDoesNotStopTheReset) {
    stamp(production(), QStringLiteral("old data"));
    modCommon::CloseConnections();
    openForm(QStringLiteral("0"));
    OtherProgramLock other(production(), QStringLiteral("BEGIN EXCLUSIVE"), zv::db::kBusyTimeoutMs / 5);
    ASSERT_TRUE(other.held()) << other.output().constData();
    messages.answer(vbYes);
    form->ResetProductionDatabase();
    EXPECT_EQ(messages.prompts(), (QStringList{kQuestion, kDone}));
    EXPECT_EQ(stampOf(production()), QString(""));
    EXPECT_TRUE(other.release());
}

// While "Are you sure" is up, production is the reset's: no other program
// can take it, not even to read, nor another connection of this one; the
// reset then goes through.
TEST_F(DBPathSettingTest, NobodyTakesProductionWhileTheQuestionIsUp) {
    stamp(production(), QStringLiteral("old data"));
    modCommon::CloseConnections();
    openForm(QStringLiteral("0"));
    AskingMessages asking;
    QStringList taken;
    bool asked = false;
    asking.whileAsked = [&](const QString &prompt) {
        if (prompt != kQuestion)
            return;
        asked = true;
        for (const char *hold : kOtherProgramHolds) {
            OtherProgramLock other(production(), QString::fromLatin1(hold));
            if (other.held())
                taken << QString::fromLatin1(hold);
        }
        try {
            zv::db::Connection mine;
            mine.open(production());
            mine.scalar(QStringLiteral("SELECT count(*) FROM Parm"));
            taken << QStringLiteral("this program");
        } catch (const zv::db::DbError &) {
        }
    };
    asking.answer(vbYes);
    form->ResetProductionDatabase();
    EXPECT_TRUE(asked);
    EXPECT_TRUE(taken.isEmpty()) << taken.join(QStringLiteral(" | ")).toStdString();
    EXPECT_EQ(asking.prompts(), (QStringList{kQuestion, kDone}));
    EXPECT_EQ(stampOf(production()), QString(""));
}

// One cause, one message: a folder where production's lock file goes is what
// cannot be written, as the login says, not a database in use.
TEST_F(DBPathSettingTest, ALockFileThatCannotBeMadeIsNamedAsTheCause) {
    stamp(production(), QStringLiteral("sound data"));
    modCommon::CloseConnections();
    const QString lock = zv::db::lockFilePath(production());
    ASSERT_TRUE(QDir().mkdir(lock));
    openForm(QStringLiteral("0"));
    messages.answer(vbYes);   // were it asked
    form->ResetProductionDatabase();
    EXPECT_EQ(messages.prompts(), QStringList{QStringLiteral("Cannot Reset. ") + lock +
                                              QStringLiteral(" can not be written. Please make it writable.")});
    EXPECT_EQ(stampOf(production()), QStringLiteral("sound data"));
    EXPECT_EQ(modCommon::gDBPath, production());
}

// A journal left by a crashed writer of the old file must not be played back
// into the fresh copy.
TEST_F(DBPathSettingTest, AStaleJournalBesideProductionIsRemoved) {
    // Production's schema differs from the template's, so its old pages played into the copy would show.
    stamp(production(), QStringLiteral("old data"));
    modCommon::CloseConnections();
    leaveHotJournal(production());

    openForm(QStringLiteral("0"));
    messages.answer(vbYes);
    form->ResetProductionDatabase();

    EXPECT_EQ(messages.prompts(), (QStringList{kQuestion, kDone}));
    EXPECT_FALSE(QFile::exists(production() + QStringLiteral("-journal")));
    modCommon::CloseConnections();
    EXPECT_TRUE(bytesOf(production()) == bytesOf(templateDb()));
    EXPECT_TRUE(soundDatabase(production()));
}

TEST_F(DBPathSettingTest, KeysFollowTheMode) {
    openForm(QStringLiteral("1"));
    typeKey(form->lbltxtDBPath, Qt::Key_F9);
    typeKey(form->lbltxtDBPath, Qt::Key_F10);
    typeKey(form->lbltxtDBPath, Qt::Key_Return, QStringLiteral("\r"));
    EXPECT_TRUE(messages.shown().isEmpty());
    EXPECT_FALSE(form->unloaded());
    typeKey(form->lbltxtDBPath, Qt::Key_Escape);
    EXPECT_TRUE(form->unloaded());

    openForm(QStringLiteral("0"));
    messages.answer(vbNo);
    typeKey(form->lbltxtDBPath, Qt::Key_F9);
    EXPECT_EQ(messages.prompts(), QStringList{kQuestion});
    messages.clear();
    messages.answer(vbNo);
    typeKey(form->lbltxtDBPath, Qt::Key_Return, QStringLiteral("\r"));
    EXPECT_EQ(messages.prompts(), QStringList{kQuestion});
    EXPECT_FALSE(form->unloaded());
    typeKey(form->lbltxtDBPath, Qt::Key_F10);
    EXPECT_TRUE(form->unloaded());
}
