#include "platform/ui/KeyPreview.h"
#include "platform/ui/VbKeys.h"
#include "PrintQt.h"
#include <QDialog>
#include <QLineEdit>
#include <QPointer>
#include <QShortcut>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

using namespace zv::ui;

namespace {

// Records every call as "<name>:<event>:<code>" into a shared log; the hooks
// may change the code.
class Recorder : public KeyHandler {
public:
    Recorder(QString name, QStringList &log) : m_name(std::move(name)), m_log(log) {}
    std::function<void(int &, int)> onDown;
    std::function<void(int &)> onPress;
    std::function<void(int &, int)> onUp;

    void KeyDown(int &KeyCode, int Shift) override {
        m_log << QStringLiteral("%1:down:%2:%3").arg(m_name).arg(KeyCode).arg(Shift);
        if (onDown)
            onDown(KeyCode, Shift);
    }
    void KeyPress(int &KeyAscii) override {
        m_log << QStringLiteral("%1:press:%2").arg(m_name).arg(KeyAscii);
        if (onPress)
            onPress(KeyAscii);
    }
    void KeyUp(int &KeyCode, int Shift) override {
        m_log << QStringLiteral("%1:up:%2:%3").arg(m_name).arg(KeyCode).arg(Shift);
        if (onUp)
            onUp(KeyCode, Shift);
    }

private:
    QString m_name;
    QStringList &m_log;
};

// A small form: the key preview is made first, the two line edits after it,
// as forms build their controls.
class KeyPreviewTest : public ::testing::Test {
protected:
    void SetUp() override {
        form = std::make_unique<QDialog>();
        preview = new KeyPreview(form.get());
        auto *layout = new QVBoxLayout(form.get());
        edit1 = new QLineEdit(form.get());
        edit2 = new QLineEdit(form.get());
        layout->addWidget(edit1);
        layout->addWidget(edit2);
        preview->addFormHandler(&header);
        preview->addFormHandler(&footer);
        preview->setControlHandler(edit1, &control1);
        form->show();
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
        edit1->setFocus();
        ASSERT_TRUE(edit1->hasFocus());
    }

    QStringList log;
    Recorder header{QStringLiteral("header"), log};
    Recorder footer{QStringLiteral("footer"), log};
    Recorder control1{QStringLiteral("txt1"), log};
    std::unique_ptr<QDialog> form;
    KeyPreview *preview = nullptr;
    QLineEdit *edit1 = nullptr;
    QLineEdit *edit2 = nullptr;
};

TEST_F(KeyPreviewTest, FormHandlersRunFirstInOrderThenTheControlAndTheCharacterIsTyped) {
    QTest::keyClick(edit1, Qt::Key_X);
    EXPECT_EQ(log, QStringList({"header:down:88:0", "footer:down:88:0", "txt1:down:88:0", "header:press:120",
                                "footer:press:120", "txt1:press:120", "header:up:88:0", "footer:up:88:0",
                                "txt1:up:88:0"}));
    EXPECT_EQ(edit1->text(), "x");

    log.clear();
    QTest::keyClick(edit1, Qt::Key_Y, Qt::ShiftModifier);
    EXPECT_EQ(log.count("header:down:89:1"), 1) << "with the shift state";
}

TEST_F(KeyPreviewTest, OnlyTheFocusedControlsOwnHandlerRuns) {
    edit2->setFocus();
    QTest::keyClick(edit2, Qt::Key_A);
    EXPECT_EQ(log, QStringList({"header:down:65:0", "footer:down:65:0", "header:press:97", "footer:press:97",
                                "header:up:65:0", "footer:up:65:0"}));
    EXPECT_EQ(edit2->text(), "a");
}

TEST_F(KeyPreviewTest, ASwallowedKeyDownStopsTheChainAndNeverReachesTheWidget) {
    header.onDown = [](int &code, int) {
        if (code == 'Q')
            code = 0;
    };
    QTest::keyClicks(edit1, "pqr");
    EXPECT_EQ(edit1->text(), "pr");
    EXPECT_FALSE(log.contains("footer:down:81:0"));
    EXPECT_FALSE(log.contains("txt1:down:81:0"));
    EXPECT_FALSE(log.contains("header:press:113"));
}

TEST_F(KeyPreviewTest, ASwallowedKeyAsciiIsNotTypedAndLaterHandlersDoNotSeeIt) {
    footer.onPress = [](int &ascii) {
        if (ascii >= '0' && ascii <= '9')
            ascii = 0;
    };
    QTest::keyClicks(edit1, "a1b2");
    EXPECT_EQ(edit1->text(), "ab");
    EXPECT_TRUE(log.contains("footer:press:49"));
    EXPECT_FALSE(log.contains("txt1:press:49"));
}

TEST_F(KeyPreviewTest, AChangedKeyAsciiTypesTheChangedCharacter) {
    control1.onPress = [](int &ascii) {
        if (ascii >= 'a' && ascii <= 'z')
            ascii -= 32;
    };
    QTest::keyClicks(edit1, "ab-c");
    EXPECT_EQ(edit1->text(), "AB-C");
}

TEST_F(KeyPreviewTest, FunctionKeysInALineEditAreDeliveredOnce) {
    for (Qt::Key key : {Qt::Key_F2, Qt::Key_F9, Qt::Key_F12}) {
        log.clear();
        QTest::keyClick(edit1, key);
        const int code = vbKeyCodeFromQt(key, Qt::NoModifier);
        EXPECT_EQ(log.count(QStringLiteral("header:down:%1:0").arg(code)), 1) << key;
        EXPECT_EQ(log.count(QStringLiteral("txt1:down:%1:0").arg(code)), 1) << key;
        EXPECT_EQ(log.filter(":press:").size(), 0) << "a function key types nothing";
    }
    log.clear();
    QTest::keyClick(edit1, Qt::Key_F4, Qt::ShiftModifier);
    EXPECT_EQ(log.count("header:down:115:1"), 1);
}

TEST_F(KeyPreviewTest, AFunctionKeyThatIsAlsoAShortcutReachesTheHandlersOnceAndASwallowedOneFiresNoShortcut) {
    auto *shortcut = new QShortcut(QKeySequence(Qt::Key_F5), form.get());
    QSignalSpy fired(shortcut, &QShortcut::activated);

    QTest::keyClick(edit1, Qt::Key_F5);
    EXPECT_EQ(log.count("header:down:116:0"), 1);
    EXPECT_EQ(log.count("txt1:down:116:0"), 1);
    EXPECT_EQ(fired.count(), 1);

    log.clear();
    header.onDown = [](int &code, int) {
        if (code == vbKey::F5)
            code = 0;
    };
    QTest::keyClick(edit1, Qt::Key_F5);
    EXPECT_EQ(log.count("header:down:116:0"), 1);
    EXPECT_EQ(log.count("txt1:down:116:0"), 0);
    EXPECT_EQ(fired.count(), 1) << "a swallowed key fires no shortcut";
}

TEST_F(KeyPreviewTest, EscapeReachesTheFormUnlessSwallowed) {
    header.onDown = [](int &code, int) {
        if (code == vbKey::Escape)
            code = 0;
    };
    QTest::keyClick(edit1, Qt::Key_Escape);
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(log.count("header:down:27:0"), 1);

    header.onDown = nullptr;
    log.clear();
    QTest::keyClick(edit1, Qt::Key_Escape);
    EXPECT_EQ(log.count("header:down:27:0"), 1);
    EXPECT_EQ(log.count("header:press:27"), 1);
    EXPECT_FALSE(form->isVisible()) << "the dialog's own Esc handling runs once the key is not swallowed";
}

TEST_F(KeyPreviewTest, EditingKeysAndEnterReachTheLineEdit) {
    edit1->setText("abc");
    edit1->setCursorPosition(3);
    QSignalSpy returned(edit1, &QLineEdit::returnPressed);
    QTest::keyClick(edit1, Qt::Key_Backspace);
    QTest::keyClick(edit1, Qt::Key_Home);
    QTest::keyClick(edit1, Qt::Key_Delete);
    QTest::keyClick(edit1, Qt::Key_Return);
    EXPECT_EQ(edit1->text(), "b");
    EXPECT_EQ(returned.count(), 1);
    EXPECT_EQ(log.count("header:press:8"), 1);
    EXPECT_EQ(log.count("header:press:13"), 1);
    EXPECT_EQ(log.count("header:down:46:0"), 1);
    EXPECT_EQ(log.filter("header:press:").size(), 2) << "Home and Delete raise no KeyPress";
}

TEST_F(KeyPreviewTest, TabMovesTheFocusAfterTheHandlers) {
    QTest::keyClick(edit1, Qt::Key_Tab);
    EXPECT_TRUE(edit2->hasFocus());
    EXPECT_EQ(log.count("header:down:9:0"), 1);
}

TEST_F(KeyPreviewTest, KeysOfADialogOpenedByTheFormAreNotTheForms) {
    QDialog child(form.get());
    auto *childEdit = new QLineEdit(&child);
    child.show();
    child.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&child));
    childEdit->setFocus();
    QTest::keyClick(childEdit, Qt::Key_K);
    QTest::keyClick(childEdit, Qt::Key_F3);
    EXPECT_EQ(childEdit->text(), "k");
    EXPECT_TRUE(log.isEmpty()) << log.join(", ").toStdString();
}

// A key whose handler opens a dialog in which keys are typed runs its handler once:
// the dialog's keys do not make the form forget that its own key was handled.
TEST_F(KeyPreviewTest, AKeyHandlerThatOpensADialogRunsOnce) {
    int opened = 0;
    header.onDown = [&](int &code, int) {
        if (code != vbKey::F3)
            return;
        code = 0;
        ++opened;
        QDialog prompt(form.get());
        auto *box = new QLineEdit(&prompt);
        QTimer::singleShot(0, &prompt, [&prompt, box] {
            QTest::keyClicks(box, "ab");
            QTest::keyClick(box, Qt::Key_Return);   // the dialog's default action: accept
            prompt.accept();
        });
        prompt.exec();
    };
    QTest::keyClick(edit1, Qt::Key_F3);
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(log.count("header:down:114:0"), 1);
}

// One press is one action, whatever the action lets run: the key's release
// handled while its handler still runs (events let through for a progress
// step, or a modal window the action opens) does not make the key press that
// follows a second action.
TEST_F(KeyPreviewTest, AReleaseHandledDuringTheActionDoesNotRepeatIt) {
    const struct {
        const char *name;
        bool insideModal;   // the release arrives while a modal window of the action is open
    } cases[] = {{"events let run", false}, {"inside a modal window", true}};
    for (const auto &c : cases) {
        int actions = 0;
        header.onDown = [&](int &code, int) {
            if (code != vbKey::F9)
                return;
            code = 0;
            ++actions;
            if (!c.insideModal) {
                QCoreApplication::processEvents();
                return;
            }
            QDialog viewer(form.get());
            QTimer::singleShot(0, &viewer, [&viewer, this] {
                QTest::keyRelease(edit1, Qt::Key_F9);
                viewer.reject();
            });
            viewer.exec();
        };
        if (!c.insideModal)
            QCoreApplication::postEvent(edit1, new QKeyEvent(QEvent::KeyRelease, Qt::Key_F9, Qt::NoModifier));
        QTest::keyPress(edit1, Qt::Key_F9);
        QCoreApplication::processEvents();
        EXPECT_EQ(actions, 1) << c.name;
        // The next press is a new key.
        QTest::keyClick(edit1, Qt::Key_F9);
        EXPECT_EQ(actions, 2) << c.name;
    }
}

TEST_F(KeyPreviewTest, RemovedHandlersAndDestroyedControlsAreForgotten) {
    preview->removeFormHandler(&footer);
    preview->setControlHandler(edit1, nullptr);
    QTest::keyClick(edit1, Qt::Key_B);
    EXPECT_EQ(log, QStringList({"header:down:66:0", "header:press:98", "header:up:66:0"}));

    auto *extra = new QLineEdit(form.get());
    preview->setControlHandler(extra, &control1);
    delete extra;
    log.clear();
    QTest::keyClick(edit1, Qt::Key_C);
    EXPECT_EQ(edit1->text(), "bc");
}

TEST(VbKeys, QtKeysMapToVbCodesAndBack) {
    struct Case {
        int qt;
        Qt::KeyboardModifiers mods;
        int vb;
    };
    const Case cases[] = {
        {Qt::Key_F1, Qt::NoModifier, vbKey::F1},          {Qt::Key_F12, Qt::NoModifier, vbKey::F12},
        {Qt::Key_Return, Qt::NoModifier, vbKey::Return},  {Qt::Key_Enter, Qt::KeypadModifier, vbKey::Return},
        {Qt::Key_Escape, Qt::NoModifier, vbKey::Escape},  {Qt::Key_Backspace, Qt::NoModifier, vbKey::Back},
        {Qt::Key_Delete, Qt::NoModifier, vbKey::Delete},  {Qt::Key_Left, Qt::NoModifier, vbKey::Left},
        {Qt::Key_A, Qt::NoModifier, 65},                  {Qt::Key_Z, Qt::ShiftModifier, 90},
        {Qt::Key_5, Qt::NoModifier, 53},                  {Qt::Key_5, Qt::KeypadModifier, 101},
        {Qt::Key_Minus, Qt::NoModifier, 189},             {Qt::Key_Minus, Qt::KeypadModifier, 109},
        {Qt::Key_Slash, Qt::NoModifier, 191},             {Qt::Key_Exclam, Qt::ShiftModifier, 49},
        {Qt::Key_Space, Qt::NoModifier, vbKey::Space},    {Qt::Key_unknown, Qt::NoModifier, 0},
    };
    for (const Case &c : cases)
        EXPECT_EQ(vbKeyCodeFromQt(c.qt, c.mods), c.vb) << c.qt;
    for (int vb : {int(vbKey::F1), int(vbKey::F10), int(vbKey::Return), int(vbKey::Escape), int(vbKey::Back),
                   int(vbKey::Tab), int(vbKey::Delete), int(vbKey::Home), 65, 90, 48, 57, 189, 191})
        EXPECT_EQ(vbKeyCodeFromQt(qtKeyFromVbKeyCode(vb), Qt::NoModifier), vb) << vb;
    EXPECT_EQ(vbShiftFromQt(Qt::ShiftModifier | Qt::ControlModifier), vbShiftMask::Shift | vbShiftMask::Ctrl);
    EXPECT_EQ(qtModifiersFromVbShift(vbShiftMask::Alt | vbShiftMask::Shift), Qt::AltModifier | Qt::ShiftModifier);
}

// Forms under test are often never shown: keys sent straight to a widget of a
// hidden form are delivered the same way.
TEST(KeyPreviewHidden, KeysReachTheHandlersOfAFormThatIsNotShown) {
    QStringList log;
    Recorder header(QStringLiteral("header"), log);
    QWidget form;
    KeyPreview preview(&form);
    preview.addFormHandler(&header);
    auto *edit = new QLineEdit(&form);
    header.onPress = [](int &ascii) {
        if (ascii == 'b')
            ascii = 'B';
    };
    QTest::keyClick(edit, Qt::Key_F2);
    QTest::keyClicks(edit, "ab");
    EXPECT_EQ(log.count("header:down:113:0"), 1);
    EXPECT_EQ(edit->text(), "aB");
}

} // namespace
