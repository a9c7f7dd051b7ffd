#include "CoreFixture.h"
#include "core/frmLogin.h"
#include "support/StatementWatch.h"
#include "support/OtherProgramLock.h"
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>

using namespace modCommon;
using zv::ui::vbNo;
using zv::ui::vbYes;

namespace {

const QString kMissingExit = QStringLiteral("Some of the Application Folders/Files are missing. Exiting the Application.");
const QString kCorruptedExit =
    QStringLiteral("Some of the Application Folders/Files are corrupted. Exiting the Application.");
const QString kInvalidPassword = QStringLiteral("Enter a valid Password");
const QString kProdIdentity = QStringLiteral("Production DataBase is corrupted. Please reset the Production Database.");
const QString kProdDamaged = QStringLiteral("Production Database is corrupted. Please reset the Production Database.");

enum class Path { Unchanged, Template, Production, Empty };

struct Outcome {
    const char *name;
    std::function<void(CoreTest &, ProgramFolder &)> prepare;
    QString user;
    QString password;
    QStringList messages;   // shown by the login, in order (the backup reminder aside)
    bool ended;
    bool mainWindow;
    bool sysOpen;
    bool connOpen;          // gConnOpen
    bool mainConnectionOpen;
    Path dbPath;
    bool dbInvalid;
    bool periodLoaded;
};

void PrintTo(const Outcome &o, std::ostream *os) { *os << o.name; }

class LoginOutcome : public CoreTest, public ::testing::WithParamInterface<Outcome> {};

TEST_P(LoginOutcome, LeavesTheStateOfTheTable) {
    const Outcome &c = GetParam();
    if (c.prepare)
        c.prepare(*this, *folder);

    frmLogin login;
    login.show();
    login.txtUserName->setText(c.user);
    login.txtPassword->setText(c.password);
    login.tlbOkCancel_ButtonClick(1);
    QCoreApplication::processEvents();

    EXPECT_EQ(promptsWithout(kReminder), c.messages);
    EXPECT_EQ(endCount, c.ended ? 1 : 0);
    if (c.ended)
        return;   // the program would be gone: nothing further is defined
    EXPECT_EQ(MDIZVS::existingInstance() != nullptr, c.mainWindow);
    EXPECT_EQ(login.loginSucceeded(), c.mainWindow);
    EXPECT_EQ(login.isVisible(), !c.mainWindow);
    EXPECT_EQ(gIsAdmin, c.mainWindow);
    EXPECT_EQ(gSysOpen, c.sysOpen);
    EXPECT_EQ(gSysConn && gSysConn->isOpen(), c.sysOpen);
    EXPECT_EQ(gConnOpen, c.connOpen);
    EXPECT_EQ(MainConnectionPath(), c.mainConnectionOpen ? folder->productionDb() : QString());
    switch (c.dbPath) {
    case Path::Unchanged: EXPECT_EQ(gDBPath, QString()); break;
    case Path::Template: EXPECT_EQ(gDBPath, folder->templateDb()); break;
    case Path::Production: EXPECT_EQ(gDBPath, folder->productionDb()); break;
    case Path::Empty: EXPECT_TRUE(gDBPath.isEmpty()); break;
    }
    EXPECT_EQ(gDBInvalid, c.dbInvalid);
    EXPECT_EQ(gStartPeriod, c.periodLoaded ? QStringLiteral("01-Apr-2026") : QString());
    EXPECT_EQ(gEndPeriod, c.periodLoaded ? QStringLiteral("31-Mar-2027") : QString());
    if (MDIZVS *w = MDIZVS::existingInstance()) {
        EXPECT_EQ(w->windowTitle(), MDIZVS::CaptionText(gStartPeriod, gEndPeriod));
        EXPECT_EQ(w->mnuMaster->menuAction()->isEnabled(), !c.dbInvalid);
    }
}

const auto setProdCheck = [](const QString &value) {
    return [value](CoreTest &t, ProgramFolder &f) {
        t.execOn(f.productionDb(), QStringLiteral("UPDATE Parm SET DB_Check = ?"), {value});
    };
};
const auto setStoredPassword = [](const QVariant &value) {
    return [value](CoreTest &t, ProgramFolder &f) {
        t.execOn(f.systemDb(), QStringLiteral("UPDATE ZV_SYS SET Pswd = ?"), {value});
    };
};

// name, prepare, user, password, messages, ended, main window, sysOpen, gConnOpen, main open, gDBPath, invalid, period
INSTANTIATE_TEST_SUITE_P(
    Core, LoginOutcome,
    ::testing::Values(
        Outcome{"Success", {}, "Admin", "admin", {}, false, true, true, true, true, Path::Production, false, true},
        Outcome{"AnyUserNameAndTrimmedPassword", {}, "nobody", "  admin ", {}, false, true, true, true, true,
                Path::Production, false, true},
        Outcome{"BlankUserName", {}, "   ", "admin", {"Enter a User Name"}, false, false, false, false, false,
                Path::Unchanged, false, false},
        Outcome{"BlankPassword", {}, "Admin", "  ", {"Enter a Password "}, false, false, false, false, false,
                Path::Unchanged, false, false},
        Outcome{"WrongPassword", {}, "Admin", "wrong", {kInvalidPassword}, false, false, true, false, false,
                Path::Template, false, false},
        Outcome{"LetterCaseCounts", {}, "Admin", "ADMIN", {kInvalidPassword}, false, false, true, false, false,
                Path::Template, false, false},
        Outcome{"NoSystemRow",
                [](CoreTest &t, ProgramFolder &f) {
                    t.execOn(f.systemDb(), QStringLiteral("DELETE FROM ZV_SYS"));
                },
                "Admin", "admin", {kInvalidPassword}, false, false, true, false, false, Path::Template, false, false},
        Outcome{"StoredPasswordNull", setStoredPassword(QVariant()), "Admin", "admin", {kInvalidPassword}, false,
                false, true, false, false, Path::Template, false, false},
        Outcome{"StoredPasswordOneCharacter", setStoredPassword(QStringLiteral("x")), "Admin", "admin",
                {kInvalidPassword}, false, false, true, false, false, Path::Template, false, false},
        Outcome{"StoredPasswordBelowZero", setStoredPassword(QString::fromLatin1("\x05\x01\x09")), "Admin", "admin",
                {kInvalidPassword}, false, false, true, false, false, Path::Template, false, false},
        Outcome{"ProductionFileMissing",
                [](CoreTest &, ProgramFolder &f) { QFile::remove(f.productionDb()); },
                "Admin", "admin", {kMissingExit}, true, false, false, false, false, Path::Unchanged, false, false},
        Outcome{"TemplateFileMissing",
                [](CoreTest &, ProgramFolder &f) { QFile::remove(f.templateDb()); },
                "Admin", "admin", {kMissingExit}, true, false, false, false, false, Path::Unchanged, false, false},
        Outcome{"TemplateDamaged",
                [](CoreTest &t, ProgramFolder &f) { t.damage(f.templateDb()); },
                "Admin", "admin", {kCorruptedExit}, true, false, false, false, false, Path::Unchanged, false, false},
        Outcome{"TemplateWithoutIdentity",
                [](CoreTest &t, ProgramFolder &f) {
                    t.execOn(f.templateDb(), QStringLiteral("UPDATE Parm SET DB_Check = 'OTHER'"));
                },
                "Admin", "admin", {kCorruptedExit}, true, false, false, false, false, Path::Unchanged, false, false},
        Outcome{"SystemTableWrong",
                [](CoreTest &t, ProgramFolder &f) {
                    t.execOn(f.systemDb(), QStringLiteral("DROP TABLE ZV_SYS"));
                    t.execOn(f.systemDb(), QStringLiteral("CREATE TABLE ZV_SYS (Other TEXT)"));
                },
                "Admin", "admin", {kCorruptedExit}, true, false, false, false, false, Path::Unchanged, false, false},
        Outcome{"SystemDatabaseDamaged",
                [](CoreTest &t, ProgramFolder &f) { t.damage(f.systemDb()); },
                "Admin", "admin", {kCorruptedExit}, true, false, false, false, false, Path::Unchanged, false, false},
        Outcome{"ProductionIdentityInLowerCase", setProdCheck(QStringLiteral("zorvane")), "Admin", "admin", {}, false,
                true, true, true, true, Path::Production, false, true},
        Outcome{"ProductionFailsIdentity", setProdCheck(QStringLiteral("OTHER")), "Admin", "admin", {kProdIdentity},
                false, true, true, true, false, Path::Empty, true, false},
        // Counted as invalid: only the repair entries stay open.
        Outcome{"ProductionCannotBeOpened",
                [](CoreTest &t, ProgramFolder &f) { t.damage(f.productionDb()); },
                "Admin", "admin", {kProdDamaged}, false, true, true, false, false, Path::Empty, true, false},
        Outcome{"ProductionReadOnly",
                [](CoreTest &, ProgramFolder &f) {
                    QFile::setPermissions(f.productionDb(), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
                },
                "Admin", "admin", {QStringLiteral("Database is Read Only. Exiting the application.")}, true, false,
                true, false, false, Path::Unchanged, false, false}),
    [](const ::testing::TestParamInfo<Outcome> &info) { return std::string(info.param.name); });

void sendKey(QWidget *w, Qt::Key key, const QString &text = QString()) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(w, &release);
}

void typeText(QWidget *w, const QString &text) {
    for (QChar ch : text)
        sendKey(w, ch == QLatin1Char(' ') ? Qt::Key_Space : Qt::Key(ch.toUpper().unicode()), QString(ch));
}

using LoginWindow = CoreTest;

TEST_F(LoginWindow, SecondOkAfterAWrongPasswordReusesTheSystemConnection) {
    frmLogin login;
    login.show();
    login.txtPassword->setText(QStringLiteral("wrong"));
    login.tlbOkCancel_ButtonClick(1);
    ASSERT_TRUE(gSysOpen);
    const auto sys = gSysConn;
    login.txtPassword->setText(QStringLiteral("admin"));
    login.tlbOkCancel_ButtonClick(1);
    EXPECT_EQ(gSysConn, sys);
    EXPECT_TRUE(login.loginSucceeded());
    ASSERT_NE(MDIZVS::existingInstance(), nullptr);
    EXPECT_EQ(promptsWithout(kReminder), QStringList{kInvalidPassword});
}

// A production folder where the lock file cannot be made: the login says
// so and does not call the database corrupted.
TEST_F(LoginWindow, ProductionLockFileThatCannotBeMadeIsNotCalledCorruption) {
    const QString lock = zv::db::lockFilePath(folder->productionDb());
    ASSERT_TRUE(QDir().mkdir(lock));
    frmLogin login;
    login.show();
    login.txtPassword->setText(QStringLiteral("admin"));
    login.tlbOkCancel_ButtonClick(1);
    EXPECT_EQ(promptsWithout(kReminder),
              QStringList{QStringLiteral("Production Database can not be opened: ") + lock +
                          QStringLiteral(" can not be written. Please make it writable.")});
    EXPECT_EQ(endCount, 0);
    EXPECT_TRUE(login.loginSucceeded());
    EXPECT_FALSE(gConnOpen);
}

// Another program holds a database (the employees' program shares production):
// the login says it is in use and to try again, never that it is corrupted,
// and offers no reset; once the other program lets go, OK logs in.
TEST_F(LoginWindow, ADatabaseAnotherProgramHoldsIsInUseNotCorrupted) {
    const struct {
        const char *name;
        QString path;
        QString message;
    } cases[] = {
        {"production", folder->productionDb(),
         QStringLiteral("Production Database is in use by another program. Please try again when it is closed.")},
        {"template", folder->templateDb(),
         QStringLiteral("Database ") + folder->templateDb() +
             QStringLiteral(" is in use by another program. Please try again when it is closed.")},
        {"system", folder->systemDb(),
         QStringLiteral("Database ") + folder->systemDb() +
             QStringLiteral(" is in use by another program. Please try again when it is closed.")},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        ResetState();
        messages.clear();
        frmLogin login;
        login.show();
        login.txtPassword->setText(QStringLiteral("admin"));
        {
            OtherProgramLock other(c.path);
            ASSERT_TRUE(other.held()) << other.output().constData();
            login.tlbOkCancel_ButtonClick(1);
            EXPECT_EQ(promptsWithout(kReminder), QStringList{c.message});
            EXPECT_EQ(endCount, 0);
            EXPECT_FALSE(login.loginSucceeded());
            EXPECT_EQ(MDIZVS::existingInstance(), nullptr);
            EXPECT_FALSE(gDBInvalid);
            ASSERT_TRUE(other.release());
        }
        messages.clear();
        login.tlbOkCancel_ButtonClick(1);
        EXPECT_EQ(promptsWithout(kReminder), QStringList{});
        EXPECT_TRUE(login.loginSucceeded());
        EXPECT_TRUE(gConnOpen);
        EXPECT_FALSE(gDBInvalid);
        EXPECT_EQ(endCount, 0);
    }
}

// Another program takes the system database between the login's open of it
// and one of its reads (the table check, the password): the in-use box names
// the system database, the file that is held, never "corrupted"; nothing
// ends, and the next OK logs in.
TEST_F(LoginWindow, ASystemDatabaseTakenBeforeAReadIsNamedAsInUse) {
    const struct {
        const char *read;
        QByteArray statement;
    } reads[] = {
        {"table check", "SELECT DB_Path, Pswd FROM ZV_SYS WHERE 1 = 2"},
        {"password", "SELECT DB_Path, Pswd FROM ZV_SYS"},
    };
    for (const auto &r : reads) {
        SCOPED_TRACE(r.read);
        ResetState();
        messages.clear();
        endCount = 0;
        frmLogin login;
        login.show();
        login.txtPassword->setText(QStringLiteral("admin"));
        sqlite3 *other = nullptr;
        ASSERT_EQ(sqlite3_open(QFile::encodeName(folder->systemDb()).constData(), &other), SQLITE_OK);
        bool took = false;
        {
            StatementWatch watch(
                "/" + QFileInfo(folder->systemDb()).fileName().toUtf8(), r.statement,
                [&] { took = sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr) == SQLITE_OK; },
                true);
            login.tlbOkCancel_ButtonClick(1);
        }
        sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
        sqlite3_close(other);
        EXPECT_TRUE(took);
        EXPECT_EQ(promptsWithout(kReminder),
                  QStringList{QStringLiteral("Database ") + folder->systemDb() +
                              QStringLiteral(" is in use by another program. Please try again when it is closed.")});
        EXPECT_FALSE(login.loginSucceeded());
        EXPECT_EQ(endCount, 0);

        messages.clear();
        login.tlbOkCancel_ButtonClick(1);
        EXPECT_EQ(promptsWithout(kReminder), QStringList{});
        EXPECT_TRUE(login.loginSucceeded());
    }
}

TEST_F(LoginWindow, CancelAsksAndNoKeepsTheWindowUsable) {
    frmLogin login;
    login.show();
    messages.answer(vbNo);
    login.tlbOkCancel_ButtonClick(2);
    ASSERT_EQ(messages.shown().size(), 1);
    EXPECT_EQ(messages.shown().at(0).prompt, QStringLiteral("Do you want to exit?"));
    EXPECT_EQ(messages.shown().at(0).buttons, zv::ui::vbYesNo + zv::ui::vbQuestion + zv::ui::vbDefaultButton2);
    EXPECT_EQ(messages.shown().at(0).title, QStringLiteral("Exit Confirmation"));
    EXPECT_TRUE(login.isVisible());
    EXPECT_EQ(endCount, 0);

    // Still usable: the login goes through afterwards.
    login.txtPassword->setText(QStringLiteral("admin"));
    login.tlbOkCancel_ButtonClick(1);
    EXPECT_TRUE(login.loginSucceeded());

    // Once logged in, closing asks nothing.
    messages.clear();
    login.close();
    EXPECT_TRUE(messages.prompts().filter(QStringLiteral("exit")).isEmpty());
}

TEST_F(LoginWindow, EscAndCloseBoxAskAndYesEndsTheProgram) {
    frmLogin login;
    login.show();
    messages.answer(vbNo);
    sendKey(login.txtUserName, Qt::Key_Escape);
    EXPECT_EQ(messages.prompts(), QStringList{QStringLiteral("Do you want to exit?")});
    EXPECT_TRUE(login.isVisible());
    messages.answer(vbYes);
    login.close();
    EXPECT_EQ(endCount, 1);
    EXPECT_FALSE(login.isVisible());
}

TEST_F(LoginWindow, KeysOfTheBoxes) {
    frmLogin login;
    login.show();
    login.activateWindow();
    login.txtUserName->clear();
    login.txtUserName->setFocus();
    typeText(login.txtUserName, QStringLiteral("ad'm|in"));
    EXPECT_EQ(login.txtUserName->text(), QStringLiteral("admin"));

    login.txtPassword->setFocus();
    typeText(login.txtPassword, QStringLiteral("ad m'i|n"));
    EXPECT_EQ(login.txtPassword->text(), QStringLiteral("admin"));
    EXPECT_EQ(login.txtPassword->displayText(), QStringLiteral("*****"));

    // Enter in the password box logs in.
    sendKey(login.txtPassword, Qt::Key_Return, QStringLiteral("\r"));
    EXPECT_TRUE(login.loginSucceeded());
}

TEST_F(LoginWindow, F9LogsInAndF10Cancels) {
    frmLogin login;
    login.show();
    messages.answer(vbNo);
    sendKey(login.txtPassword, Qt::Key_F10);
    EXPECT_EQ(messages.prompts(), QStringList{QStringLiteral("Do you want to exit?")});
    login.txtPassword->setText(QStringLiteral("admin"));
    sendKey(login.txtPassword, Qt::Key_F9);
    EXPECT_TRUE(login.loginSucceeded());
}

} // namespace
