#include "platform/ui/TextBox.h"
#include "PrintQt.h"
#include <QLineEdit>
#include <QWidget>
#include <gtest/gtest.h>

using zv::ui::TextBox;

TEST(TextBox, SelStartAndSelLengthFollowTheTextBoxRules) {
    QLineEdit edit;
    TextBox box(&edit);
    box.setText("hello world");

    box.setSelStart(6);
    EXPECT_EQ(box.SelStart(), 6);
    EXPECT_EQ(box.SelLength(), 0);

    box.setSelLength(5);   // selects from SelStart
    EXPECT_EQ(box.SelStart(), 6);
    EXPECT_EQ(box.SelLength(), 5);
    EXPECT_EQ(box.SelText(), "world");

    box.setSelStart(2);    // clears the selection
    EXPECT_EQ(box.SelStart(), 2);
    EXPECT_EQ(box.SelLength(), 0);

    box.setSelLength(100); // no further than the end of the text
    EXPECT_EQ(box.SelLength(), 9);
    box.setSelLength(0);
    EXPECT_EQ(box.SelStart(), 2);
    EXPECT_EQ(box.SelLength(), 0);

    box.setSelStart(99);
    EXPECT_EQ(box.SelStart(), 11);
    box.setSelStart(-3);
    EXPECT_EQ(box.SelStart(), 0);
}

TEST(TextBox, SelStartIsTheStartOfASelectionMadeBackwards) {
    QLineEdit edit("abcdef");
    TextBox box(&edit);
    edit.setCursorPosition(5);
    edit.cursorBackward(true, 3);   // caret at 2, anchor at 5
    EXPECT_EQ(box.SelStart(), 2);
    EXPECT_EQ(box.SelLength(), 3);
}

TEST(TextBox, SelTextReplacesTheSelectionWithTheCaretAfterIt) {
    QLineEdit edit;
    TextBox box(&edit);
    box.setText("__-___-____");
    box.setSelStart(3);
    box.setSelLength(3);
    box.setSelText("Jan");
    EXPECT_EQ(box.Text(), "__-Jan-____");
    EXPECT_EQ(box.SelStart(), 6);
    EXPECT_EQ(box.SelLength(), 0);

    box.setSelStart(0);
    box.setSelText("0");   // no selection: inserts at the caret
    EXPECT_EQ(box.Text(), "0__-Jan-____");
    EXPECT_EQ(box.SelStart(), 1);
}

TEST(TextBox, PropertiesMapOntoTheLineEdit) {
    QWidget form;
    auto *edit = new QLineEdit(&form);
    TextBox box(edit);
    EXPECT_EQ(box.MaxLength(), 0);
    box.setMaxLength(4);
    box.setText("abcdef");
    EXPECT_EQ(box.Text(), "abcd");
    box.setMaxLength(0);
    EXPECT_EQ(box.MaxLength(), 0);
    EXPECT_GT(edit->maxLength(), 1000);

    box.setLocked(true);
    EXPECT_TRUE(edit->isReadOnly());
    EXPECT_TRUE(box.Locked());
    box.setEnabled(false);
    EXPECT_FALSE(box.Enabled());

    EXPECT_TRUE(box.Visible()) << "visible as a setting before its form is shown";
    edit->hide();
    EXPECT_FALSE(box.Visible());

    delete edit;
    EXPECT_TRUE(box.isNull());
    EXPECT_EQ(box.Text(), QString());
    box.setSelStart(2);   // harmless once the widget is gone
    EXPECT_EQ(box.SelLength(), 0);
}
