#include "AdminFixture.h"
#include "core/frmBackup.h"
#include "core/frmChangePswd.h"
#include "core/frmCheckPswd.h"
#include "core/frmRestore.h"
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
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

// No box of the administration windows takes a paste, and the clipboard is left
// alone. A plain box in the same state does take it, so the keys really paste.
TEST_F(AdminTest, BoxesRefusePasteAndKeepTheClipboard) {
    frmBackup backup;
    frmRestore restore;
    frmChangePswd change;
    frmCheckPswd check;
    QLineEdit plain;
    struct Case {
        const char *name;
        QLineEdit *box;
        bool takesPaste;
    };
    const Case cases[] = {
        {"backup folder", backup.txtPath, false},        {"backup name", backup.txtFile, false},
        {"restore file", restore.txtPath, false},        {"current password", change.txtOldPswd, false},
        {"new password", change.txtNewPswd, false},      {"confirmation", change.txtConfirmPswd, false},
        {"password prompt", check.txtPassword, false},   {"plain box", &plain, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        QApplication::clipboard()->setText(QStringLiteral("pasted"));
        c.box->setReadOnly(false);   // a read-only box would refuse it anyway
        c.box->clear();
        for (const QKeyCombination keys : {QKeyCombination(Qt::ControlModifier, Qt::Key_V),
                                           QKeyCombination(Qt::ShiftModifier, Qt::Key_Insert)}) {
            QKeyEvent press(QEvent::KeyPress, keys.key(), keys.keyboardModifiers(),
                            keys.key() == Qt::Key_V ? QStringLiteral("\x16") : QString());
            QApplication::sendEvent(c.box, &press);
        }
        EXPECT_EQ(c.box->text(), c.takesPaste ? QStringLiteral("pastedpasted") : QString());
        EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("pasted"));
    }
}
