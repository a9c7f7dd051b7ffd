#include "AdminFixture.h"
#include "core/frmChangePswd.h"
#include "platform/ui/ErrorBox.h"
#include "support/OtherProgramLock.h"
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLineEdit>

using namespace zv::ui;

class ChangePswdTest : public AdminTest {
public:
    void SetUp() override {
        AdminTest::SetUp();
        form = std::make_unique<frmChangePswd>();
        form->show();
    }
    void TearDown() override {
        form.reset();
        AdminTest::TearDown();
    }
    QString storedPassword() {
        return modCommon::DecodePassword(
            modCommon::gSysConn->scalar(QStringLiteral("SELECT Pswd FROM ZV_SYS")).toString());
    }
    void fill(const QString &oldPswd, const QString &newPswd, const QString &confirm) {
        form->txtOldPswd->setText(oldPswd);
        form->txtNewPswd->setText(newPswd);
        form->txtConfirmPswd->setText(confirm);
    }
    std::unique_ptr<frmChangePswd> form;
};

TEST_F(ChangePswdTest, RefusesAndKeepsTheStoredPassword) {
    struct Case {
        QString oldPswd, newPswd, confirm, message;
        QLineEdit *frmChangePswd::*focus;
    };
    const QString notUsable = QStringLiteral("Password contains characters that can not be used");
    const QList<Case> cases = {
        {QStringLiteral("  "), QStringLiteral("secret"), QStringLiteral("secret"),
         QStringLiteral("Enter Current Password"), &frmChangePswd::txtOldPswd},
        {QStringLiteral("admin"), QString(), QString(), QStringLiteral("Enter New Password"),
         &frmChangePswd::txtNewPswd},
        {QStringLiteral("admin"), QStringLiteral(" abc "), QStringLiteral("abc"),
         QStringLiteral("Password should not be less than 4 characters"), &frmChangePswd::txtNewPswd},
        {QStringLiteral("admin"), QStringLiteral("ab cd"), QStringLiteral("ab cd"), notUsable,
         &frmChangePswd::txtNewPswd},
        {QStringLiteral("admin"), QStringLiteral("ab'cd"), QStringLiteral("ab'cd"), notUsable,
         &frmChangePswd::txtNewPswd},
        {QStringLiteral("admin"), QStringLiteral("ab|cd"), QStringLiteral("ab|cd"), notUsable,
         &frmChangePswd::txtNewPswd},
        {QStringLiteral("admin"), QStringLiteral("abc\u00ff"), QStringLiteral("abc\u00ff"), notUsable,
         &frmChangePswd::txtNewPswd},
        {QStringLiteral("admin"), QStringLiteral("secret"), QString(), QStringLiteral("Re-enter New Password"),
         &frmChangePswd::txtConfirmPswd},
        {QStringLiteral("admin"), QStringLiteral("secret"), QStringLiteral("Secret"),
         QStringLiteral("Re-entered New Password and New Password does not match"), &frmChangePswd::txtConfirmPswd},
        {QStringLiteral("Admin"), QStringLiteral("secret"), QStringLiteral("secret"),
         QStringLiteral("Current Password is invalid"), &frmChangePswd::txtOldPswd},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.message.toStdString());
        messages.clear();
        fill(c.oldPswd, c.newPswd, c.confirm);
        form->ChangePassword();
        EXPECT_EQ(messages.prompts(), QStringList{c.message});
        EXPECT_EQ(form->focusWidget(), form.get()->*c.focus);
        EXPECT_EQ(storedPassword(), QStringLiteral("admin"));
        EXPECT_FALSE(form->unloaded());
    }
}

TEST_F(ChangePswdTest, StoresTheTrimmedNewPasswordAndCloses) {
    // Four characters are enough; the blanks around them are not kept.
    fill(QStringLiteral(" admin "), QStringLiteral(" n3w4 "), QStringLiteral("n3w4"));
    form->ChangePassword();
    EXPECT_EQ(messages.prompts(), QStringList{QStringLiteral("Password has been changed successfully")});
    EXPECT_EQ(storedPassword(), QStringLiteral("n3w4"));
    EXPECT_TRUE(form->unloaded());
}

// Another program holding the system database, whichever way: Ok tells it
// as in use in one box and changes nothing; once it lets go, Ok goes through.
TEST_F(ChangePswdTest, AHeldSystemDatabaseIsInUseOnceAndChangesNothing) {
    for (const char *hold : kOtherProgramHolds) {
        SCOPED_TRACE(hold);
        messages.clear();
        fill(QStringLiteral("admin"), QStringLiteral("secret"), QStringLiteral("secret"));
        {
            OtherProgramLock other(systemDb(), QString::fromLatin1(hold));
            ASSERT_TRUE(other.held()) << other.output().constData();
            form->tlbOkCancel_ButtonClick(1);
            ASSERT_TRUE(other.release());
        }
        EXPECT_EQ(messages.prompts(), QStringList{zv::db::inUseText(zv::db::kInUseSubject)});
        EXPECT_EQ(storedPassword(), QStringLiteral("admin"));
        EXPECT_FALSE(form->unloaded());
    }
    messages.clear();
    form->tlbOkCancel_ButtonClick(1);
    EXPECT_EQ(messages.prompts(), QStringList{QStringLiteral("Password has been changed successfully")});
    EXPECT_EQ(storedPassword(), QStringLiteral("secret"));
}

TEST_F(ChangePswdTest, AnEmptySystemTableMakesEveryCurrentPasswordInvalid) {
    modCommon::gSysConn->execute(QStringLiteral("DELETE FROM ZV_SYS"));
    fill(QStringLiteral("admin"), QStringLiteral("secret"), QStringLiteral("secret"));
    form->ChangePassword();
    EXPECT_EQ(messages.prompts(), QStringList{QStringLiteral("Current Password is invalid")});
    EXPECT_TRUE(modCommon::gSysConn->query(QStringLiteral("SELECT * FROM ZV_SYS")).isEmpty());
}

TEST_F(ChangePswdTest, CancelAsksAndNoKeepsTheWindow) {
    messages.answer(vbNo);
    form->tlbOkCancel_ButtonClick(2);
    EXPECT_EQ(messages.prompts(), QStringList{QStringLiteral("Do you want to exit?")});
    EXPECT_FALSE(form->unloaded());
    messages.answer(vbYes);
    form->tlbOkCancel_ButtonClick(2);
    EXPECT_TRUE(form->unloaded());
}

TEST_F(ChangePswdTest, PasswordBoxesRefusePasteButKeepTheClipboard) {
    QApplication::clipboard()->setText(QStringLiteral("pasted"));
    form->txtNewPswd->setFocus();
    QKeyEvent press(QEvent::KeyPress, Qt::Key_V, Qt::ControlModifier, QStringLiteral("\x16"));
    QApplication::sendEvent(form->txtNewPswd, &press);
    QKeyEvent shiftInsert(QEvent::KeyPress, Qt::Key_Insert, Qt::ShiftModifier);
    QApplication::sendEvent(form->txtNewPswd, &shiftInsert);
    EXPECT_EQ(form->txtNewPswd->text(), QString());
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("pasted"));
    // Typing still works, minus the refused characters.
    typeText(form->txtNewPswd, QStringLiteral("a!' |b"));
    EXPECT_EQ(form->txtNewPswd->text(), QStringLiteral("ab"));
}
