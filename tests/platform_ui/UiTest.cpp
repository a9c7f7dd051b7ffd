#include "platform/ui/Ui.h"
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOption>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>
#include <gtest/gtest.h>

using namespace zv::ui;

TEST(Icons, EveryKeyOfTheSharedImageListAndTheMainToolbarHasAPicture) {
    const QStringList required = {
        // header, footer and status pictures of the data forms
        "Add", "Modify", "Delete", "Attachment", "Select", "Refresh", "Help", "Exit", "Print", "DetailAdd",
        "DetailModify", "DetailDelete", "Ok", "Cancel", "Reset", "Status", "Sort", "Find", "Copy", "Format",
        "Confirmation", "Warning", "Information", "Critical", "None",
        // the rest of the shared image list
        "Condition", "Selection", "Filter", "Gear", "MC", "TOOL", "JF", "SETUP", "INSP", "OPR", "History", "Edit",
        "DeleteColumn", "Item", "Notes", "Term",
        // the main window's toolbar
        "ShowDataBasePath", "BackUp Database", "Restore Database", "Reset Database", "ChangePassword", "Parameter",
        "CmpnySetup", "Department", "Designation", "Holiday Master", "EmpMaster", "Emp_Manager", "Activity Mast",
        "ULGDET", "Report1", "Report2", "Report3", "Report4"};
    for (const QString &key : required) {
        EXPECT_TRUE(iconKeys().contains(key)) << key.toStdString();
        const QIcon i = icon(key);
        ASSERT_FALSE(i.isNull()) << key.toStdString();
        const QImage image = i.pixmap(32, 32).toImage();
        EXPECT_EQ(image.width(), 32) << key.toStdString();
        if (key == "None" || key == "Status")
            continue;   // a blank picture
        bool drawn = false;
        for (int y = 0; y < image.height() && !drawn; ++y)
            for (int x = 0; x < image.width() && !drawn; ++x)
                drawn = qAlpha(image.pixel(x, y)) > 0;
        EXPECT_TRUE(drawn) << key.toStdString() << " draws nothing";
    }
    EXPECT_TRUE(icon("NoSuchKey").isNull());
}

// The program's style keeps the standard pictures it made, apart by direction:
// a right-to-left window never gets the left-to-right overflow arrow.
TEST(ProgramStyle, KeepsStandardPicturesApartByDirection) {
    installProgramStyle();
    QStyle *style = QApplication::style();
    QStyleOption ltr;
    ltr.direction = Qt::LeftToRight;
    QStyleOption rtl;
    rtl.direction = Qt::RightToLeft;
    const auto picture = [style](const QStyleOption &o) {
        return style->standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton, &o);
    };
    const QIcon first = picture(ltr);
    ASSERT_FALSE(first.isNull());
    EXPECT_EQ(picture(ltr).cacheKey(), first.cacheKey());
    const QIcon mirrored = picture(rtl);
    ASSERT_FALSE(mirrored.isNull());
    EXPECT_NE(mirrored.pixmap(16, 16).toImage(), first.pixmap(16, 16).toImage());
}

TEST(Pointer, TheHourglassIsAnOverrideCursorWhileItLives) {
    ASSERT_EQ(QGuiApplication::overrideCursor(), nullptr);
    {
        Hourglass busy;
        ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    }
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);

    setMousePointer(11);
    setMousePointer(11);   // setting it twice needs one reset, as on a form
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    setMousePointer(0);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    setMousePointer(0);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST(SendTab, MovesTheFocusToTheNextControlThatTakesIt) {
    QWidget form;
    auto *layout = new QVBoxLayout(&form);
    auto *first = new QLineEdit(&form);
    auto *disabled = new QLineEdit(&form);
    auto *hidden = new QCheckBox(&form);
    auto *last = new QLineEdit(&form);
    for (QWidget *w : {static_cast<QWidget *>(first), static_cast<QWidget *>(disabled),
                       static_cast<QWidget *>(hidden), static_cast<QWidget *>(last)})
        layout->addWidget(w);
    disabled->setEnabled(false);
    hidden->hide();
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    first->setFocus();

    sendTab(first);
    EXPECT_TRUE(last->hasFocus());
    sendTab(last);
    EXPECT_TRUE(first->hasFocus()) << "the chain wraps round";
}

TEST(DoEvents, RunsPendingEvents) {
    bool ran = false;
    QMetaObject::invokeMethod(qApp, [&] { ran = true; }, Qt::QueuedConnection);
    DoEvents();
    EXPECT_TRUE(ran);
}
