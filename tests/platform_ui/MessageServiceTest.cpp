#include "platform/ui/MessageService.h"
#include "PrintQt.h"
#include "support/Modal.h"
#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

using namespace zv::ui;

TEST(ScriptedMessageService, AnswersFromItsQueueThenWithTheDefaultButtonAndRecordsEverything) {
    ScriptedMessageService script;
    script.answer(vbNo);
    EXPECT_EQ(MsgBox("Do you want to exit from the Application?", vbYesNo + vbQuestion + vbDefaultButton2,
                     "Exit Confirmation"),
              vbNo);

    struct Case {
        int buttons;
        int expected;
    };
    const Case defaults[] = {
        {vbOKOnly + vbInformation, vbOK},
        {vbYesNo + vbQuestion, vbYes},
        {vbYesNo + vbQuestion + vbDefaultButton2, vbNo},
        {vbYesNoCancel + vbDefaultButton3, vbCancel},
        {vbOKCancel + vbDefaultButton2, vbCancel},
        {vbRetryCancel, vbRetry},
        {vbAbortRetryIgnore + vbDefaultButton3, vbIgnore},
        {vbOKOnly + vbDefaultButton2, vbOK},   // no second button: the first
    };
    for (const Case &c : defaults)
        EXPECT_EQ(MsgBox("p", c.buttons, "t"), c.expected) << c.buttons;

    ASSERT_EQ(script.shown().size(), 9);
    const ShownMessage &first = script.shown().first();
    EXPECT_EQ(first.kind, "MsgBox");
    EXPECT_EQ(first.prompt, "Do you want to exit from the Application?");
    EXPECT_EQ(first.buttons, vbYesNo + vbQuestion + vbDefaultButton2);
    EXPECT_EQ(first.title, "Exit Confirmation");
    EXPECT_EQ(first.answer, "7");
    EXPECT_EQ(script.prompts().first(), "Do you want to exit from the Application?");

    script.clear();
    MsgBox("Help not available", vbInformation);
    EXPECT_EQ(script.shown().first().title, QCoreApplication::applicationName()) << "an empty title shows the program's";
}

TEST(ScriptedMessageService, ChoosersTakeQueuedPathsAndAreCancelledWithoutOne) {
    ScriptedMessageService script;
    script.answerPath("/tmp/backup");
    script.answerPath("");
    EXPECT_EQ(messages().existingDirectory("Select folder", "/"), "/tmp/backup");
    EXPECT_EQ(messages().openFileName("Restore", "/", "Database (*.mdb)"), QString());
    EXPECT_EQ(messages().saveFileName("Save as", "/", "Database (*.mdb)"), QString());
    ASSERT_EQ(script.shown().size(), 3);
    EXPECT_EQ(script.shown().at(0).kind, "existingDirectory");
    EXPECT_EQ(script.shown().at(0).answer, "/tmp/backup");
    EXPECT_EQ(script.shown().at(1).kind, "openFileName");
    EXPECT_EQ(script.shown().at(2).kind, "saveFileName");
    EXPECT_EQ(script.shown().at(2).prompt, "Save as");
}

TEST(ScriptedMessageService, InstallsItselfWhileAliveAndRestoresThePreviousService) {
    MessageService *real = &messages();
    {
        ScriptedMessageService outer;
        EXPECT_EQ(&messages(), &outer);
        {
            ScriptedMessageService inner;
            EXPECT_EQ(&messages(), &inner);
            MsgBox("inner");
            EXPECT_EQ(inner.shown().size(), 1);
        }
        EXPECT_EQ(&messages(), &outer);
        EXPECT_TRUE(outer.shown().isEmpty());
    }
    EXPECT_EQ(&messages(), real);
}

// The real boxes: what a box built from VB-style arguments shows, and which
// answer a click gives back. The box is inspected and answered from inside its
// own event loop.
TEST(RealMessageService, BuildsTheBoxFromTheVbArgumentsAndReturnsTheClickedButton) {
    struct Case {
        int buttons;
        QString title;
        QMessageBox::Icon icon;
        QList<QMessageBox::StandardButton> shown;
        QMessageBox::StandardButton defaultButton;
        QMessageBox::StandardButton click;
        int expected;
        QString expectedTitle;
    };
    const Case cases[] = {
        {vbYesNo + vbQuestion + vbDefaultButton2, "Exit Confirmation", QMessageBox::Question,
         {QMessageBox::Yes, QMessageBox::No}, QMessageBox::No, QMessageBox::Yes, vbYes, "Exit Confirmation"},
        {vbYesNoCancel + vbExclamation, "Warning", QMessageBox::Warning,
         {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel}, QMessageBox::Yes, QMessageBox::Cancel, vbCancel,
         "Warning"},
        {vbOKOnly + vbCritical, "", QMessageBox::Critical, {QMessageBox::Ok}, QMessageBox::Ok, QMessageBox::Ok, vbOK,
         QCoreApplication::applicationName()},
        {vbOKOnly + vbInformation, "Information", QMessageBox::Information, {QMessageBox::Ok}, QMessageBox::Ok,
         QMessageBox::Ok, vbOK, "Information"},
    };
    for (const Case &c : cases) {
        bool inspected = false;
        onModal<QMessageBox>([&](QMessageBox *box) {
            inspected = true;
            EXPECT_EQ(box->text(), "Prompt text");
            EXPECT_EQ(box->windowTitle(), c.expectedTitle);
            EXPECT_EQ(box->icon(), c.icon);
            EXPECT_EQ(box->buttons().size(), c.shown.size());
            for (QMessageBox::StandardButton b : c.shown)
                EXPECT_NE(box->button(b), nullptr) << b;
            EXPECT_EQ(box->defaultButton(), box->button(c.defaultButton));
            box->button(c.click)->click();
        });
        EXPECT_EQ(MsgBox("Prompt text", c.buttons, c.title), c.expected);
        EXPECT_TRUE(inspected);
    }
}
