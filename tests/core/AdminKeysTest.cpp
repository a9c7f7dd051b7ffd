#include "AdminFixture.h"
#include "core/frmBackup.h"
#include "core/frmChangePswd.h"
#include "core/frmCheckPswd.h"
#include "core/frmRestore.h"
#include <QLineEdit>
#include <functional>

using namespace zv::ui;

// The toolbar's hot keys, typed into a box of each window: F9 is OK, F1 Help,
// F10 Cancel and Escape close (through the exit question where the window asks it).
TEST_F(AdminTest, ToolbarKeysOfTheAdministrationWindows) {
    const QString exitQuestion = QStringLiteral("Do you want to exit?");
    const QString noHelp = QStringLiteral("Help not available");
    struct Case {
        const char *name;
        std::function<QDialog *()> make;
        std::function<QWidget *(QDialog *)> box;
        QString okPrompt;
        bool asksBeforeClosing;
    };
    const QList<Case> cases = {
        {"backup", [] { return new frmBackup; }, [](QDialog *f) { return static_cast<frmBackup *>(f)->txtFile; },
         QStringLiteral("Select a Destination Folder"), true},
        {"restore", [] { return new frmRestore; }, [](QDialog *f) { return static_cast<frmRestore *>(f)->txtPath; },
         QStringLiteral("Select a Database to Restore."), false},
        {"change password", [] { return new frmChangePswd; },
         [](QDialog *f) { return static_cast<frmChangePswd *>(f)->txtOldPswd; },
         QStringLiteral("Enter Current Password"), true},
        {"check password", [] { return new frmCheckPswd; },
         [](QDialog *f) { return static_cast<frmCheckPswd *>(f)->txtPassword; },
         QStringLiteral("Admin Password has to be entered"), true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        for (int closeKey : {int(Qt::Key_F10), int(Qt::Key_Escape)}) {
            std::unique_ptr<QDialog> form(c.make());
            form->show();
            QWidget *box = c.box(form.get());
            messages.clear();
            typeKey(box, Qt::Key_F9);
            typeKey(box, Qt::Key_F1);
            EXPECT_EQ(messages.prompts(), (QStringList{c.okPrompt, noHelp}));
            EXPECT_TRUE(form->isVisible());

            messages.clear();
            if (c.asksBeforeClosing) {
                messages.answer(vbNo);
                typeKey(box, closeKey);
                EXPECT_EQ(messages.prompts(), QStringList{exitQuestion});
                EXPECT_TRUE(form->isVisible());
                messages.answer(vbYes);
            }
            typeKey(box, closeKey);
            EXPECT_FALSE(form->isVisible());
        }
    }
}
