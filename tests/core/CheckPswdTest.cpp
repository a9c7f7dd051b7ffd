#include "AdminFixture.h"
#include "core/frmCheckPswd.h"
#include "platform/help/Help.h"
#include "platform/help/HelpWindow.h"
#include "platform/ui/ErrorBox.h"
#include "support/OtherProgramLock.h"
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QTimer>
#include <functional>

using namespace zv::ui;

class CheckPswdTest : public AdminTest {
public:
    // Shows the prompt modally and plays the steps, one per turn of its event loop.
    bool runPrompt(frmCheckPswd &prompt, QList<std::function<void()>> steps) {
        // Owned here, not by the step itself (that would be a cycle that never frees);
        // a step that runs after the prompt has closed returns before using it.
        auto next = std::make_shared<std::function<void()>>();
        std::function<void()> *step = next.get();
        auto i = std::make_shared<int>(0);
        *next = [&prompt, steps, step, i]() {
            if (!prompt.isVisible() || *i >= steps.size()) {
                if (prompt.isVisible())
                    prompt.done(QDialog::Rejected);   // a test that forgot to finish must not hang
                return;
            }
            steps[(*i)++]();
            QTimer::singleShot(0, &prompt, *step);
        };
        QTimer::singleShot(0, &prompt, *next);
        QString text = QStringLiteral("guarded step");
        return prompt.UsrCheckShowForm(text);
    }
};

TEST_F(CheckPswdTest, TrueOnlyAfterTheRightPasswordAndAWrongOneKeepsItOpen) {
    frmCheckPswd prompt;
    bool openAfterWrong = false;
    const bool ok = runPrompt(prompt, {
                                          [&] {
                                              prompt.tlbOkCancel_ButtonClick(1);   // nothing typed
                                          },
                                          [&] {
                                              prompt.txtPassword->setText(QStringLiteral("Admin"));
                                              prompt.CheckPassword();
                                          },
                                          [&] {
                                              openAfterWrong = prompt.isVisible();
                                              prompt.txtPassword->setText(QStringLiteral(" admin "));
                                              prompt.CheckPassword();
                                          },
                                      });
    EXPECT_TRUE(ok);
    EXPECT_TRUE(openAfterWrong);
    EXPECT_EQ(messages.prompts(), (QStringList{QStringLiteral("Admin Password has to be entered"),
                                               QStringLiteral("Invalid Password")}));
}

TEST_F(CheckPswdTest, CancelGivesFalse) {
    frmCheckPswd prompt;
    // No answer queued: the exit question's default button, Yes, closes the prompt.
    const bool ok = runPrompt(prompt, {[&] { prompt.tlbOkCancel_ButtonClick(2); }});
    EXPECT_FALSE(ok);
    ASSERT_EQ(messages.shown().size(), 1);
    EXPECT_EQ(messages.shown().at(0).prompt, QStringLiteral("Do you want to exit?"));
    EXPECT_EQ(messages.shown().at(0).buttons, vbYesNo + vbQuestion + vbDefaultButton1);

    // No keeps it open for another try; the password then gives True.
    messages.clear();
    frmCheckPswd again;
    const bool ok2 = runPrompt(again, {[&] {
                                           messages.answer(vbNo);
                                           again.close();
                                       },
                                       [&] {
                                           again.txtPassword->setText(QStringLiteral("admin"));
                                           again.CheckPassword();
                                       }});
    EXPECT_TRUE(ok2);
}

// A system database another program holds is told as in use, once, never as
// a wrong password; the prompt stays, and the same password then opens it.
TEST_F(CheckPswdTest, AHeldSystemDatabaseGivesTheInUseBoxNotAWrongPassword) {
    frmCheckPswd prompt;
    std::unique_ptr<OtherProgramLock> other;
    bool openAfterHeld = false;
    const bool ok = runPrompt(prompt, {[&] {
                                           other = std::make_unique<OtherProgramLock>(systemDb());
                                           ASSERT_TRUE(other->held()) << other->output().constData();
                                           prompt.txtPassword->setText(QStringLiteral("admin"));
                                           prompt.CheckPassword();
                                       },
                                       [&] {
                                           openAfterHeld = prompt.isVisible();
                                           EXPECT_TRUE(other->release());
                                           prompt.CheckPassword();
                                       }});
    EXPECT_TRUE(ok);
    EXPECT_TRUE(openAfterHeld);
    EXPECT_EQ(messages.prompts(), QStringList{zv::db::inUseText(zv::db::kInUseSubject)});
}

TEST_F(CheckPswdTest, AnEmptySystemTableRefusesEveryPassword) {
    modCommon::gSysConn->execute(QStringLiteral("DELETE FROM ZV_SYS"));
    frmCheckPswd prompt;
    const bool ok = runPrompt(prompt, {[&] {
                                           prompt.txtPassword->setText(QStringLiteral("admin"));
                                           prompt.CheckPassword();
                                       },
                                       [&] { prompt.close(); }});
    EXPECT_FALSE(ok);
    EXPECT_EQ(messages.prompts(),
              (QStringList{QStringLiteral("Invalid Password"), QStringLiteral("Do you want to exit?")}));
}

// The prompt's Help opens its own page of the program's help file.
TEST_F(CheckPswdTest, HelpOpensThePromptsPage) {
    ASSERT_TRUE(QFile::copy(QStringLiteral(ZV_HELP_FILE), folder->file(QStringLiteral("Help/ZVA.qch"))));
    frmCheckPswd prompt;
    QString page;
    runPrompt(prompt, {[&] {
                           prompt.tlbOkCancel_ButtonClick(3);
                           if (zv::help::HelpWindow *help = zv::help::currentWindow())
                               page = help->currentUrl().toString();
                       },
                       [&] { prompt.done(QDialog::Rejected); }});
    EXPECT_FALSE(messages.prompts().contains(QStringLiteral("Help not available")));
    EXPECT_TRUE(page.endsWith(QStringLiteral("AdminPasswordPrompt.htm"), Qt::CaseInsensitive)) << page.toStdString();
}
