#include "TestForm.h"
#include "platform/db/DbError.h"
#include "platform/ui/MessageService.h"
#include "platform/ui/Ui.h"
#include <QApplication>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

long errorOf(const std::function<void()> &f) {
    try {
        f();
    } catch (const zv::db::DbError &e) {
        return e.number();
    }
    return 0;
}

template <class Form>
void showForm(Form &form) {
    form.show();
    QApplication::setActiveWindow(&form);
    form.txtName->setFocus();
    QApplication::processEvents();
}

// Presses a key in the form's text box, as a user typing in a field would.
template <class Form>
void press(Form &form, Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QTest::keyClick(form.txtName, key, mods);
}

template <class Form>
void clickButton(Form &form, QToolBar *tb, const QString &key) {
    QAction *a = form.button(tb, key);
    ASSERT_NE(a, nullptr) << key.toStdString();
    QWidget *w = tb->widgetForAction(a);
    ASSERT_NE(w, nullptr) << key.toStdString();
    QTest::mouseClick(w, Qt::LeftButton);
}

struct HotKeyCase {
    Qt::Key key;
    int vbCode;
    const char *button;
};

// ----------------------------------------------------------------- clsHeader

const HotKeyCase kHeaderHotKeys[] = {{Qt::Key_F1, 112, "Help"},   {Qt::Key_F2, 113, "Add"},
                                     {Qt::Key_F3, 114, "Modify"}, {Qt::Key_F4, 115, "Delete"},
                                     {Qt::Key_F8, 119, "Select"}, {Qt::Key_F11, 122, "Refresh"}};

TEST(clsHeaderTest, HotKeyActsOnlyOnAnEnabledVisibleButtonAndIsSwallowedThen) {
    zv::ui::ScriptedMessageService messages;
    SingleForm form(kMasterKeys);
    showForm(form);
    for (const auto &c : kHeaderHotKeys) {
        SCOPED_TRACE(c.button);
        QAction *a = form.button(form.tbHeader, QString::fromLatin1(c.button));
        ASSERT_NE(a, nullptr);

        a->setEnabled(true);
        a->setVisible(true);
        form.clear();
        press(form, c.key);
        ASSERT_EQ(form.headerClicks.size(), 1);
        EXPECT_EQ(form.headerClicks[0].first, QString::fromLatin1(c.button));
        EXPECT_TRUE(form.keysSeen.isEmpty()) << "a hot key that acted must not reach the form";

        // Disabled, hidden, or with Shift, Ctrl or Alt held: the form gets the key untouched.
        const auto untouched = [&](const char *what) {
            SCOPED_TRACE(what);
            EXPECT_TRUE(form.headerClicks.isEmpty());
            EXPECT_EQ(form.keysSeen, QList<int>{c.vbCode});
        };
        a->setEnabled(false);
        form.clear();
        press(form, c.key);
        untouched("disabled");
        a->setEnabled(true);
        a->setVisible(false);
        form.clear();
        press(form, c.key);
        untouched("hidden");
        a->setVisible(true);
        for (auto mod : {Qt::ShiftModifier, Qt::ControlModifier, Qt::AltModifier}) {
            form.clear();
            press(form, c.key, mod);
            EXPECT_TRUE(form.headerClicks.isEmpty());
        }
    }
    EXPECT_TRUE(messages.shown().isEmpty());
}

TEST(clsHeaderTest, KeysWithoutALoadedButtonAndF7F12EscAreLeftToTheForm) {
    // The report filter forms' list, plus Print; no Add on this toolbar.
    SingleForm form({"Modify", "Delete", "Attachment", "Select", "Refresh", "Print", "Help", "Exit"});
    showForm(form);
    form.header.setAttachmentEnable(true);
    form.header.setPrintEnable(true);
    const struct {
        Qt::Key key;
        int code;
    } leftAlone[] = {{Qt::Key_F2, 113}, {Qt::Key_F7, 118}, {Qt::Key_F12, 123}, {Qt::Key_Escape, 27}};
    for (const auto &k : leftAlone) {
        form.clear();
        press(form, k.key);
        EXPECT_TRUE(form.headerClicks.isEmpty()) << k.code;
        EXPECT_EQ(form.keysSeen, QList<int>{k.code});
    }
}

TEST(clsHeaderTest, ButtonCodesTooltipsAndLayout) {
    SingleForm form({"Add", "Modify", "Delete", "Attachment", "Separator", "Select", "Refresh", "Print", "Help",
                     "Exit", "Gear"});
    showForm(form);
    const auto items = form.tbHeader->actions();
    ASSERT_EQ(items.size(), 11);
    EXPECT_TRUE(items[4]->isSeparator());
    EXPECT_EQ(items[5]->objectName(), "Select");

    const struct {
        const char *key;
        int code;
        const char *tip;
    } cases[] = {{"Add", 1, "Add - F2"},         {"Modify", 2, "Modify - F3"},
                 {"Delete", 3, "Delete - F4"},   {"Attachment", 4, "Attachment - F7"},
                 {"Select", 5, "Select - F8"},   {"Refresh", 6, "Refresh - F11"},
                 {"Help", 0, "Help - F1"},       {"Print", 0, "Print - F12"},
                 {"Exit", 0, "Exit - Esc"},      {"Gear", 0, ""}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.key);
        QAction *a = form.button(form.tbHeader, QString::fromLatin1(c.key));
        ASSERT_NE(a, nullptr);
        EXPECT_EQ(a->toolTip(), QString::fromLatin1(c.tip));
        a->setEnabled(true);
        a->setVisible(true);
        form.header.setH_ButtonKey(77);
        form.clear();
        clickButton(form, form.tbHeader, QString::fromLatin1(c.key));
        ASSERT_EQ(form.headerClicks.size(), 1);
        EXPECT_EQ(form.headerClicks[0].first, QString::fromLatin1(c.key));
        EXPECT_EQ(form.headerClicks[0].second, c.code) << "H_ButtonKey is set before HeaderClick";
    }
}

TEST(clsHeaderTest, VisibleAndEnabledAreIndependent) {
    SingleForm form(kMasterKeys);
    form.header.setAttachmentEnable(true);
    form.header.setAttachmentVisible(false);
    EXPECT_TRUE(form.header.AttachmentEnable());
    form.header.setAttachmentEnable(false);
    form.header.setAttachmentVisible(true);
    EXPECT_FALSE(form.header.AttachmentEnable());
    EXPECT_TRUE(form.header.AttachmentVisible());
    form.header.setAttachmentEnable(true);
    EXPECT_TRUE(form.header.AttachmentEnable());
}

TEST(clsHeaderTest, LoadImagesFailures) {
    QToolBar tb;
    clsHeader header;
    header.setToolBarName(&tb);
    header.setImageListName(std::make_shared<const ImageList>(QStringList{"Add", "Modify"}));
    EXPECT_EQ(errorOf([&] { header.LoadImages({"Add", "Separator", "NoSuchPicture", "Modify"}); }), 35601);
    EXPECT_EQ(tb.actions().size(), 2) << "buttons before the failure stay";
    EXPECT_EQ(errorOf([&] { header.LoadImages({"Add"}); }), 35602);
    EXPECT_EQ(errorOf([&] { (void)header.DeleteVisible(); }), 35601);
    EXPECT_EQ(errorOf([&] { header.setFilterVisible(false); }), 35601);
}

// ----------------------------------------------------------- clsHeaderToolbar

const HotKeyCase kDetailHotKeys[] = {
    {Qt::Key_F2, 113, "Add"},          {Qt::Key_F3, 114, "Modify"},       {Qt::Key_F4, 115, "Delete"},
    {Qt::Key_F5, 116, "DetailAdd"},    {Qt::Key_F6, 117, "DetailModify"}, {Qt::Key_F7, 118, "DetailDelete"},
    {Qt::Key_F8, 119, "Select"},       {Qt::Key_F11, 122, "Refresh"},     {Qt::Key_F12, 123, "Print"}};

TEST(clsHeaderToolbarTest, HotKeysActOnEnabledVisibleButtonsAndAreSwallowed) {
    DetailForm form(kDetailKeys);
    showForm(form);
    for (const auto &c : kDetailHotKeys) {
        SCOPED_TRACE(c.button);
        QAction *a = form.button(form.tbHeader, QString::fromLatin1(c.button));
        ASSERT_NE(a, nullptr);
        a->setEnabled(true);
        a->setVisible(true);
        form.clear();
        press(form, c.key);
        ASSERT_EQ(form.headerClicks.size(), 1);
        EXPECT_EQ(form.headerClicks[0].first, QString::fromLatin1(c.button));
        EXPECT_TRUE(form.keysSeen.isEmpty());

        for (int hidden = 0; hidden < 2; ++hidden) {
            a->setEnabled(hidden);
            a->setVisible(!hidden);
            form.clear();
            press(form, c.key);
            EXPECT_TRUE(form.headerClicks.isEmpty());
            EXPECT_EQ(form.keysSeen, QList<int>{c.vbCode});
        }
        a->setEnabled(true);
        a->setVisible(true);
        form.clear();
        press(form, c.key, Qt::ShiftModifier);
        EXPECT_TRUE(form.headerClicks.isEmpty());
    }
}

TEST(clsHeaderToolbarTest, F1ClicksHelpAndStillReachesTheForm_EscIsTheForms) {
    DetailForm form(kDetailKeys);
    showForm(form);
    form.header.setH_ButtonKey(2);
    press(form, Qt::Key_F1);
    ASSERT_EQ(form.headerClicks.size(), 1);
    EXPECT_EQ(form.headerClicks[0], qMakePair(QString("Help"), 2)) << "Help keeps H_ButtonKey";
    EXPECT_EQ(form.keysSeen, QList<int>{112});

    form.clear();
    press(form, Qt::Key_Escape);
    EXPECT_TRUE(form.headerClicks.isEmpty());
    EXPECT_EQ(form.keysSeen, QList<int>{27});
}

TEST(clsHeaderToolbarTest, HotKeyOfAButtonNotOnTheToolbarIsLeftToTheForm) {
    DetailForm form({"Add", "Modify", "Help", "Exit"});
    showForm(form);
    press(form, Qt::Key_F5);
    EXPECT_TRUE(form.headerClicks.isEmpty());
    EXPECT_EQ(form.keysSeen, QList<int>{116});
}

TEST(clsHeaderToolbarTest, ButtonCodesAndTooltips) {
    DetailForm form(kDetailKeys);
    showForm(form);
    const struct {
        const char *key;
        int code;   // -2: unchanged
        const char *tip;
    } cases[] = {{"Add", 1, "Add - F2"},
                 {"Modify", 2, "Modify - F3"},
                 {"Delete", 3, "Delete - F4"},
                 {"Attachment", 4, ""},
                 {"Select", 5, "Select - F8"},
                 {"DetailAdd", 6, "DetailAdd - F5"},
                 {"DetailModify", 7, "DetailModify - F6"},
                 {"DetailDelete", 8, "DetailDelete - F7"},
                 {"Help", -2, "Help - F1"},
                 {"Refresh", -1, "Refresh - F11"},
                 {"Print", -1, "Print - F12"},
                 {"Exit", -1, "Exit - Esc"},
                 {"Sort", -1, "Sort"},
                 {"Find", -1, "Find"}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.key);
        QAction *a = form.button(form.tbHeader, QString::fromLatin1(c.key));
        ASSERT_NE(a, nullptr);
        EXPECT_EQ(a->toolTip(), QString::fromLatin1(c.tip));
        a->setEnabled(true);
        a->setVisible(true);
        form.header.setH_ButtonKey(42);
        form.clear();
        clickButton(form, form.tbHeader, QString::fromLatin1(c.key));
        ASSERT_EQ(form.headerClicks.size(), 1);
        EXPECT_EQ(form.headerClicks[0].second, c.code == -2 ? 42 : c.code);
    }
}

TEST(clsHeaderToolbarTest, PrintSortFindSettersIgnoreAMissingButton) {
    DetailForm form({"Add", "Modify", "Delete", "DetailAdd", "Help", "Exit"});
    form.header.setPrintVisible(false);
    form.header.setSortEnable(false);
    form.header.setFindVisible(false);
    EXPECT_EQ(errorOf([&] { form.header.setDetailDeleteVisible(false); }), 35601);
    EXPECT_EQ(errorOf([&] { (void)form.header.PrintEnable(); }), 35601);
}

// ---------------------------------------------------------- clsFooterToolBar

TEST(clsFooterToolBarTest, F9F10ClickOkAndCancelWithAnyShiftState) {
    SingleForm form(kMasterKeys);
    showForm(form);
    form.footer.setRightToolbarVisible(true);
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers mods;
        const char *button;
    } cases[] = {{Qt::Key_F9, Qt::NoModifier, "Ok"},
                 {Qt::Key_F9, Qt::ShiftModifier, "Ok"},
                 {Qt::Key_F10, Qt::NoModifier, "Cancel"},
                 {Qt::Key_F10, Qt::ControlModifier, "Cancel"}};
    for (const auto &c : cases) {
        form.clear();
        press(form, c.key, c.mods);
        EXPECT_EQ(form.footerClicks, QStringList{c.button});
        EXPECT_TRUE(form.keysSeen.isEmpty());
    }
    // The whole toolbar disabled: the buttons' own state decides.
    form.footer.setEnabled(false);
    form.clear();
    press(form, Qt::Key_F9);
    EXPECT_EQ(form.footerClicks, QStringList{"Ok"});
    form.footer.setEnabled(true);
}

TEST(clsFooterToolBarTest, KeysWithoutAnActiveButtonAreLeftToTheForm) {
    SingleForm form(kMasterKeys);
    showForm(form);
    form.footer.setRightToolbarVisible(true);
    QAction *ok = form.button(form.tbFooter, "Ok");
    ok->setEnabled(false);
    press(form, Qt::Key_F9);
    ok->setEnabled(true);
    form.footer.setRightToolbarVisible(false);
    press(form, Qt::Key_F10);
    form.footer.setRightToolbarVisible(true);
    press(form, Qt::Key_F11);   // never Reset
    press(form, Qt::Key_F12);   // no Print on this footer
    EXPECT_TRUE(form.footerClicks.isEmpty());
    EXPECT_EQ(form.keysSeen, (QList<int>{120, 121, 122, 123}));
}

TEST(clsFooterToolBarTest, ClicksRaiseFooterClickWithTheKey) {
    SingleForm form(kMasterKeys);
    showForm(form);
    form.footer.setRightToolbarVisible(true);
    for (const char *key : {"Status", "Ok", "Cancel", "Reset"})
        clickButton(form, form.tbFooter, QString::fromLatin1(key));
    EXPECT_EQ(form.footerClicks, (QStringList{"Status", "Ok", "Cancel", "Reset"}));
}

TEST(clsFooterToolBarTest, PicturesAndStatusColour) {
    SingleForm form(kMasterKeys);
    QAction *status = form.button(form.tbFooter, "Status");
    const auto same = [](const QIcon &a, const QIcon &b) {
        return a.pixmap(16, 16).toImage() == b.pixmap(16, 16).toImage();
    };
    ASSERT_FALSE(same(zv::ui::icon("Warning"), zv::ui::icon("Critical"))) << "the pictures must differ";
    EXPECT_TRUE(same(form.button(form.tbFooter, "Ok")->icon(), zv::ui::icon("Ok")));
    EXPECT_TRUE(same(form.button(form.tbFooter, "Reset")->icon(), zv::ui::icon("Reset")));

    const char *pictures[] = {"Confirmation", "Warning", "Information", "Critical"};
    form.footer.setStatus("ZVE000 - text ");
    for (int kind = 0; kind <= 3; ++kind) {
        form.footer.setSelectPicture(kind);
        EXPECT_EQ(form.footer.SelectPicture(), kind);
        EXPECT_TRUE(same(status->icon(), zv::ui::icon(pictures[kind]))) << kind;
        EXPECT_EQ(form.lblStatus->palette().color(QPalette::WindowText), kind == 1 ? QColor(Qt::red) : QColor(Qt::black));
    }
    form.footer.setSelectPicture(1);
    form.footer.setSelectPicture(7);   // stored, nothing else changes
    EXPECT_EQ(form.footer.SelectPicture(), 7);
    EXPECT_TRUE(same(status->icon(), zv::ui::icon("Warning")));
    EXPECT_EQ(form.lblStatus->palette().color(QPalette::WindowText), QColor(Qt::red));
    form.footer.setSelectPicture(4);
    EXPECT_TRUE(status->icon().isNull());
    EXPECT_EQ(form.lblStatus->palette().color(QPalette::WindowText), QColor(Qt::black));
    EXPECT_EQ(form.footer.Status(), "ZVE000 - text ");
}

TEST(clsFooterToolBarTest, FooterWithoutReset) {
    SingleForm form(kMasterKeys, /*withReset=*/false);
    EXPECT_TRUE(form.button(form.tbFooter, "Cancel")->icon().pixmap(16, 16).toImage() ==
                zv::ui::icon("Cancel").pixmap(16, 16).toImage());
    form.footer.setResetVisible(true);   // ignored
    EXPECT_EQ(errorOf([&] { (void)form.footer.ResetVisible(); }), 35601);
    form.footer.setRightToolbarVisible(false);
    EXPECT_FALSE(form.footer.RightToolbarVisible());
    EXPECT_TRUE(form.button(form.tbFooter, "Status")->isVisible());

    QToolBar onlyStatus;
    onlyStatus.addAction("Status")->setObjectName("Status");
    clsFooterToolBar bare;
    bare.setToolBarName(&onlyStatus);
    EXPECT_FALSE(bare.RightToolbarVisible());
    EXPECT_EQ(errorOf([&] { (void)bare.Status(); }), 91) << "no label handed over";
}

} // namespace
