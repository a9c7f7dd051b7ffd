#include "dateinput/QARNDATEINPUT.h"
#include "dateinput/clsDATEVALIDATE.h"
#include "platform/ui/KeyPreview.h"
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDialog>
#include <QLineEdit>
#include <QMimeData>
#include <QMouseEvent>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>
#include <gtest/gtest.h>
#include <ostream>

// Readable Qt strings in failure messages.
inline void PrintTo(const QString &s, std::ostream *os) { *os << '"' << s.toStdString() << '"'; }
#include <vector>

namespace {

// Notes every menu that shows while it lives and closes it again, whether the
// menu was popped up or runs its own event loop.
struct MenuWatch : QObject {
    bool opened = false;
    MenuWatch() { qApp->installEventFilter(this); }
    ~MenuWatch() override { qApp->removeEventFilter(this); }
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() == QEvent::Show && watched->inherits("QMenu")) {
            opened = true;
            QTimer::singleShot(0, watched, [w = static_cast<QWidget *>(watched)] { w->close(); });
        }
        return false;
    }
    void closeMenus() {
        while (QWidget *popup = QApplication::activePopupWidget())
            popup->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

// One step of a typing script: a key (with modifiers) and the box's text,
// caret and selection length afterwards. A step with no key places the
// caret and selection instead.
struct Step {
    int key;                              // Qt::Key; 0 = place the caret
    Qt::KeyboardModifiers mods;
    QString text;                         // expected text (unchecked when placing)
    int caret;                            // caret, or selection start when something is selected
    int sel;                              // selection length
};

Step key(int k, const char *text, int caret, int sel = 0) { return {k, Qt::NoModifier, QString::fromUtf8(text), caret, sel}; }
Step ctrl(int k, const char *text, int caret, int sel = 0) { return {k, Qt::ControlModifier, QString::fromUtf8(text), caret, sel}; }
Step shift(int k, const char *text, int caret, int sel = 0) { return {k, Qt::ShiftModifier, QString::fromUtf8(text), caret, sel}; }
Step keypad(int k, const char *text, int caret) { return {k, Qt::KeypadModifier, QString::fromUtf8(text), caret, 0}; }
Step place(int caret, int sel = 0) { return {0, Qt::NoModifier, QString(), caret, sel}; }

struct Script {
    const char *name;
    const char *start;
    std::vector<Step> steps;
};

int caretOf(const QLineEdit *e) { return e->hasSelectedText() ? e->selectionStart() : e->cursorPosition(); }

// A form with the hooked box and a next control, on screen with the focus in the box.
class MaskedBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto *layout = new QVBoxLayout(&form);
        box = new QLineEdit(&form);
        next = new QLineEdit(&form);
        layout->addWidget(box);
        layout->addWidget(next);
        preview = new zv::ui::KeyPreview(&form);
        form.show();
        form.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    }
    void TearDown() override { delete preview; }

    void run(const Script &s) {
        SCOPED_TRACE(s.name);
        box->setText(QString::fromUtf8(s.start));
        box->setFocus();
        ASSERT_TRUE(box->hasFocus());
        box->setCursorPosition(0);
        int n = 0;
        for (const Step &st : s.steps) {
            ++n;
            if (st.key == 0) {
                box->setCursorPosition(st.caret);
                if (st.sel)
                    box->setSelection(st.caret, st.sel);
                continue;
            }
            QTest::keyClick(box, Qt::Key(st.key), st.mods);
            const QString where = QStringLiteral("step %1 of %2").arg(n).arg(QString::fromUtf8(s.name));
            EXPECT_EQ(box->text(), st.text) << where.toStdString();
            EXPECT_EQ(caretOf(box), st.caret) << where.toStdString();
            EXPECT_EQ(box->selectedText().size(), st.sel) << where.toStdString();
        }
    }

    QWidget form;
    QLineEdit *box = nullptr;
    QLineEdit *next = nullptr;
    zv::ui::KeyPreview *preview = nullptr;
};

} // namespace

TEST_F(MaskedBoxTest, MonthNameBoxTyping) {
    clsDATEVALIDATE dv;
    dv.setTxtdate(box, preview);
    EXPECT_EQ(box->text(), QStringLiteral("__-___-____"));
    EXPECT_EQ(box->maxLength(), 11);
    const Script scripts[] = {
        {"digits become a month name", "__-___-____",
         {key(Qt::Key_0, "0_-___-____", 1), key(Qt::Key_7, "07-___-____", 3), key(Qt::Key_0, "07-0__-____", 4),
          key(Qt::Key_3, "07-Mar-____", 7), key(Qt::Key_2, "07-Mar-2___", 8), key(Qt::Key_0, "07-Mar-20__", 9),
          key(Qt::Key_0, "07-Mar-200_", 10), key(Qt::Key_4, "07-Mar-2004", 11),
          key(Qt::Key_9, "07-Mar-2004", 11)}},
        {"a month above 12 is cleared", "07-___-____",
         {place(3), key(Qt::Key_1, "07-1__-____", 4), key(Qt::Key_3, "07-___-____", 3),
          key(Qt::Key_1, "07-1__-____", 4), key(Qt::Key_2, "07-Dec-____", 7), place(3),
          key(Qt::Key_0, "07-0__-____", 4), key(Qt::Key_0, "07-___-____", 3)}},
        {"one digit from 2 names the month at once", "07-___-____",
         {place(3), key(Qt::Key_5, "07-May-____", 7), place(3), key(Qt::Key_9, "07-Sep-____", 7)}},
        {"a digit on a name's last letter names the month", "07-Jan-____",
         {place(5), key(Qt::Key_3, "07-Mar-____", 7)}},
        {"keypad and held Shift or Ctrl type digits", "__-___-____",
         {keypad(Qt::Key_1, "1_-___-____", 1), shift(Qt::Key_2, "12-___-____", 3),
          ctrl(Qt::Key_1, "12-1__-____", 4)}},
        {"month letters", "07-___-____",
         {place(3), key(Qt::Key_J, "07-J__-____", 4), shift(Qt::Key_A, "07-Ja_-____", 5),
          key(Qt::Key_N, "07-Jan-____", 7), key(Qt::Key_X, "07-Jan-____", 7), place(0),
          key(Qt::Key_A, "07-Jan-____", 0)}},
        {"no letter after a month digit", "07-1__-____", {place(4), key(Qt::Key_A, "07-1__-____", 4)}},
        {"no digit or punctuation on a separator", "07-Jan-2004",
         {place(2), key(Qt::Key_5, "07-Jan-2004", 2), place(6), key(Qt::Key_5, "07-Jan-2004", 6),
          key(Qt::Key_Minus, "07-Jan-2004", 6), key(Qt::Key_Space, "07-Jan-2004", 6)}},
        {"a digit over a selection", "07-Mar-2004",
         {place(0, 2), shift(Qt::Key_3, "07-Mar-2004", 0, 2), key(Qt::Key_3, "3_-Mar-2004", 1)}},
    };
    for (const Script &s : scripts)
        run(s);
}

TEST_F(MaskedBoxTest, MonthNameBoxCompletionAndSelection) {
    clsDATEVALIDATE dv;
    dv.setTxtdate(box, preview);
    const Script scripts[] = {
        {"Ctrl+Right completes day, month and year", "7_-1__-4___",
         {place(1), ctrl(Qt::Key_Right, "07-1__-4___", 3), ctrl(Qt::Key_Right, "07-Jan-4___", 7),
          ctrl(Qt::Key_Right, "07-Jan-2004", 11), ctrl(Qt::Key_Left, "07-Jan-2004", 3),
          ctrl(Qt::Key_Left, "07-Jan-2004", 0)}},
        {"years of one, two and three digits", "07-Jan-_4__",
         {place(9), ctrl(Qt::Key_Right, "07-Jan-2004", 11)}},
        {"two-digit year", "07-Jan-04__", {place(8), ctrl(Qt::Key_Left, "07-Jan-2004", 3)}},
        {"three-digit year", "07-Jan-004_", {place(10), ctrl(Qt::Key_Right, "07-Jan-2004", 11)}},
        {"a blank year stays blank", "07-Jan-____", {place(7), ctrl(Qt::Key_Right, "07-Jan-____", 11)}},
        {"the month's end counts to the month", "07-Jan-2004", {place(6), ctrl(Qt::Key_Right, "07-Jan-2004", 7)}},
        {"Shift+Home and Shift+End select within the segment", "07-Mar-2004",
         {place(9), shift(Qt::Key_Home, "07-Mar-2004", 7, 2), place(4), shift(Qt::Key_End, "07-Mar-2004", 4, 2),
          place(2), shift(Qt::Key_End, "07-Mar-2004", 3, 3), place(11), shift(Qt::Key_Home, "07-Mar-2004", 7, 4),
          place(6), shift(Qt::Key_Home, "07-Mar-2004", 3, 3), place(1), shift(Qt::Key_Home, "07-Mar-2004", 0, 1)}},
    };
    for (const Script &s : scripts)
        run(s);
}

TEST_F(MaskedBoxTest, MonthNameBoxDeleteKeepsTheMask) {
    clsDATEVALIDATE dv;
    dv.setTxtdate(box, preview);
    const Script scripts[] = {
        {"a selection across a separator", "07-Mar-2004", {place(3, 6), key(Qt::Key_Delete, "07-___-__04", 3)}},
        {"the whole text", "07-Mar-2004", {place(0, 11), key(Qt::Key_Backspace, "__-___-____", 0)}},
        {"Backspace blanks the character before the caret", "07-Mar-2___",
         {place(8), key(Qt::Key_Backspace, "07-Mar-____", 7), key(Qt::Key_Backspace, "07-Mar-____", 6),
          key(Qt::Key_Backspace, "07-Ma_-____", 5), place(0), key(Qt::Key_Backspace, "07-Ma_-____", 0)}},
        {"Delete blanks the character at the caret and steps over separators", "07-Mar-2004",
         {key(Qt::Key_Delete, "_7-Mar-2004", 0), place(2), key(Qt::Key_Delete, "_7-Mar-2004", 3),
          key(Qt::Key_Delete, "_7-_ar-2004", 3), place(11), key(Qt::Key_Delete, "_7-_ar-2004", 11),
          key(Qt::Key_Backspace, "_7-_ar-200_", 10)}},
        {"Shift+Delete and Ctrl+Backspace", "07-Mar-2004",
         {place(0, 2), shift(Qt::Key_Delete, "07-Mar-2004", 0, 2), place(5),
          ctrl(Qt::Key_Backspace, "07-M_r-2004", 4)}},
    };
    for (const Script &s : scripts)
        run(s);
}

TEST_F(MaskedBoxTest, EnterMovesTheFocusAndFocusPutsTheCaretAtTheStart) {
    clsDATEVALIDATE dv;
    dv.setTxtdate(box, preview);
    box->setText(QStringLiteral("07-Mar-2004"));
    box->setFocus();
    box->setCursorPosition(5);
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_TRUE(next->hasFocus());
    EXPECT_EQ(box->text(), QStringLiteral("07-Mar-2004"));

    box->setFocus(Qt::TabFocusReason);   // a plain line edit would select everything
    EXPECT_EQ(box->cursorPosition(), 0);
    EXPECT_FALSE(box->hasSelectedText());
}

TEST_F(MaskedBoxTest, EnterMovesTheFocusFromTheNumericAndDateTimeBoxes) {
    for (const bool withTime : {false, true}) {
        SCOPED_TRACE(withTime ? "date and time" : "numeric");
        QARNDATEINPUT numeric;
        clsDATEVALIDATE dateTime;
        const QString text = withTime ? QStringLiteral("25/12/2004 09:30 PM") : QStringLiteral("25/12/2004");
        if (withTime)
            dateTime.setTxtDateTime(box, preview);
        else
            numeric.setTxtdate(box, preview);
        box->setText(text);
        box->setFocus();
        box->setCursorPosition(4);
        QTest::keyClick(box, Qt::Key_Return);
        EXPECT_TRUE(next->hasFocus());
        EXPECT_EQ(box->text(), text);
    }
}

TEST_F(MaskedBoxTest, NumericBox) {
    QARNDATEINPUT di;
    di.setTxtdate(box, preview);
    EXPECT_EQ(box->text(), QStringLiteral("__/__/____"));
    const Script scripts[] = {
        {"digits skip the separators", "__/__/____",
         {key(Qt::Key_2, "2_/__/____", 1), key(Qt::Key_5, "25/__/____", 3), key(Qt::Key_1, "25/1_/____", 4),
          key(Qt::Key_3, "25/13/____", 6), key(Qt::Key_2, "25/13/2___", 7), key(Qt::Key_0, "25/13/20__", 8),
          key(Qt::Key_0, "25/13/200_", 9), key(Qt::Key_4, "25/13/2004", 10), key(Qt::Key_4, "25/13/2004", 10)}},
        {"letters and separators refuse", "25/12/2004",
         {key(Qt::Key_J, "25/12/2004", 0), place(2), key(Qt::Key_1, "25/12/2004", 2)}},
        {"Ctrl+Right and Ctrl+Left complete", "5_/1_/4___",
         {ctrl(Qt::Key_Right, "05/1_/4___", 3), ctrl(Qt::Key_Right, "05/01/4___", 6),
          ctrl(Qt::Key_Right, "05/01/2004", 10), ctrl(Qt::Key_Left, "05/01/2004", 3)}},
        {"Shift+Home and Shift+End", "25/12/2004",
         {place(9), shift(Qt::Key_Home, "25/12/2004", 6, 3), place(5), shift(Qt::Key_End, "25/12/2004", 6, 4),
          place(2), shift(Qt::Key_End, "25/12/2004", 3, 2)}},
        {"Delete and Backspace keep the mask", "25/12/2004",
         {place(1, 3), key(Qt::Key_Delete, "2_/_2/2004", 1), place(3), key(Qt::Key_Backspace, "2_/_2/2004", 2),
          key(Qt::Key_Delete, "2_/_2/2004", 3), place(0, 10), key(Qt::Key_Delete, "__/__/____", 0)}},
        {"Backspace after the first digit blanks it; at the start it does nothing", "25/12/2004",
         {place(1), key(Qt::Key_Backspace, "_5/12/2004", 0), key(Qt::Key_Backspace, "_5/12/2004", 0)}},
    };
    for (const Script &s : scripts)
        run(s);
}

TEST_F(MaskedBoxTest, DateTimeBox) {
    clsDATEVALIDATE dv;
    dv.setTxtDateTime(box, preview);
    EXPECT_EQ(box->text(), QStringLiteral("__/__/____ __:__ _M"));
    const Script scripts[] = {
        {"date, hour, minute and A/P letter", "__/__/____ __:__ _M",
         {key(Qt::Key_2, "2_/__/____ __:__ _M", 1), key(Qt::Key_5, "25/__/____ __:__ _M", 3), place(11),
          key(Qt::Key_0, "25/__/____ 0_:__ _M", 12), key(Qt::Key_9, "25/__/____ 09:__ _M", 14),
          key(Qt::Key_3, "25/__/____ 09:3_ _M", 15), key(Qt::Key_0, "25/__/____ 09:30 _M", 17),
          key(Qt::Key_Q, "25/__/____ 09:30 _M", 17), key(Qt::Key_7, "25/__/____ 09:30 _M", 17),
          key(Qt::Key_P, "25/__/____ 09:30 PM", 18), key(Qt::Key_Left, "25/__/____ 09:30 PM", 17),
          shift(Qt::Key_A, "25/__/____ 09:30 AM", 18), key(Qt::Key_1, "25/__/____ 09:30 AM", 19),
          // the layout keeps its 19 characters
          key(Qt::Key_1, "25/__/____ 09:30 AM", 19)}},
        {"a digit on a separator", "__/__/____ __:__ _M",
         {place(10), key(Qt::Key_4, "__/__/____ __:__ _M", 11), place(2), key(Qt::Key_4, "__/__/____ __:__ _M", 2)}},
        {"Ctrl+Right completes year, hour and minute", "__/__/4___ 7_:_5 _M",
         {place(7), ctrl(Qt::Key_Right, "__/__/2004 7_:_5 _M", 11), ctrl(Qt::Key_Right, "__/__/2004 07:_5 _M", 14),
          ctrl(Qt::Key_Right, "__/__/2004 07:05 _M", 17), ctrl(Qt::Key_Left, "__/__/2004 07:05 _M", 14)}},
        {"Ctrl+Left at 10 completes the hour", "__/__/2004 7_:__ _M",
         {place(10), ctrl(Qt::Key_Left, "__/__/2004 07:__ _M", 6)}},
        {"Shift+Home and Shift+End", "25/12/2004 09:30 PM",
         {place(19), shift(Qt::Key_Home, "25/12/2004 09:30 PM", 17, 1), place(12),
          shift(Qt::Key_End, "25/12/2004 09:30 PM", 12, 1), place(10),
          shift(Qt::Key_End, "25/12/2004 09:30 PM", 11, 2)}},
        {"Delete and Backspace", "25/12/2004 09:30 PM",
         {place(13), key(Qt::Key_Delete, "25/12/2004 09:30 PM", 14), place(11, 5),
          key(Qt::Key_Delete, "25/12/2004 __:__ PM", 11), place(4), key(Qt::Key_Backspace, "25/_2/2004 __:__ PM", 3),
          key(Qt::Key_Backspace, "25/_2/2004 __:__ PM", 2), key(Qt::Key_Delete, "25/_2/2004 __:__ PM", 3)}},
        {"Backspace after the first digit blanks it; at the start it does nothing", "25/12/2004 09:30 PM",
         {place(1), key(Qt::Key_Backspace, "_5/12/2004 09:30 PM", 0), key(Qt::Key_Backspace, "_5/12/2004 09:30 PM", 0)}},
        {"a digit over a selection", "25/12/2004 09:30 PM",
         {place(11, 5), key(Qt::Key_4, "25/12/2004 4_:__ PM", 12)}},
    };
    for (const Script &s : scripts)
        run(s);
}

TEST_F(MaskedBoxTest, NothingReachesTheBoxButItsKeys) {
    clsDATEVALIDATE dv;
    dv.setTxtdate(box, preview);
    QApplication::clipboard()->setText(QStringLiteral("12"));

    // A plain box takes each of these; the hooked one none.
    next->setText(QStringLiteral("x"));
    next->setFocus();
    QTest::keyClick(next, Qt::Key_V, Qt::ControlModifier);
    ASSERT_EQ(next->text(), QStringLiteral("x12"));

    box->setText(QStringLiteral("07-___-____"));
    box->setFocus();
    box->setCursorPosition(3);
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(box, Qt::Key_Insert, Qt::ShiftModifier);
    box->setSelection(0, 2);
    QTest::keyClick(box, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(box->text(), QStringLiteral("07-___-____"));

    box->setCursorPosition(0);
    QTest::keyClick(box, Qt::Key_5);
    QTest::keyClick(box, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(box->text(), QStringLiteral("57-___-____"));

    // Dropped text.
    for (QLineEdit *target : {next, box}) {
        const QString before = target->text();
        QMimeData mime;
        mime.setText(QStringLiteral("99"));
        QDragEnterEvent enter(QPoint(2, 2), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &enter);
        QDropEvent drop(QPointF(2, 2), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &drop);
        if (target == next)
            ASSERT_NE(target->text(), before);
        else
            EXPECT_EQ(target->text(), before);
    }

    // The context menu (with its Paste) does not open. A menu is seen as it
    // shows, inside the event that opens it, so no timing is involved.
    for (QLineEdit *target : {next, box}) {
        MenuWatch watch;
        QContextMenuEvent menu(QContextMenuEvent::Mouse, QPoint(2, 2), target->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(target, &menu);
        watch.closeMenus();
        if (target == next)
            ASSERT_TRUE(watch.opened);
        else
            EXPECT_FALSE(watch.opened);
    }
    EXPECT_EQ(box->text(), QStringLiteral("57-___-____"));

    // The middle button pastes the selection clipboard where there is one.
    if (QApplication::clipboard()->supportsSelection()) {
        QApplication::clipboard()->setText(QStringLiteral("12"), QClipboard::Selection);
        QTest::mouseClick(box, Qt::MiddleButton, Qt::NoModifier, QPoint(2, 2));
        EXPECT_EQ(box->text(), QStringLiteral("57-___-____"));
    }
}

// Where the platform has no selection clipboard the middle button pastes nothing
// anyway; the box itself must still never see that button.
TEST_F(MaskedBoxTest, MiddleButtonNeverReachesTheBox) {
    struct MouseProbe : QLineEdit {
        using QLineEdit::QLineEdit;
        QList<Qt::MouseButton> seen;
        void mousePressEvent(QMouseEvent *e) override {
            seen << e->button();
            QLineEdit::mousePressEvent(e);
        }
        void mouseReleaseEvent(QMouseEvent *e) override {
            seen << e->button();
            QLineEdit::mouseReleaseEvent(e);
        }
    };
    auto *probe = new MouseProbe(&form);
    probe->show();
    clsDATEVALIDATE dv;
    dv.setTxtdate(probe, preview);
    QTest::mouseClick(probe, Qt::MiddleButton, Qt::NoModifier, QPoint(2, 2));
    QTest::mouseClick(probe, Qt::LeftButton, Qt::NoModifier, QPoint(2, 2));
    EXPECT_EQ(probe->seen, (QList<Qt::MouseButton>{Qt::LeftButton, Qt::LeftButton}));
    EXPECT_EQ(probe->text(), QStringLiteral("__-___-____"));
}

TEST_F(MaskedBoxTest, HookingMovesAndReleases) {
    QLineEdit other(&form);
    clsDATEVALIDATE dv;
    dv.setTxtdate(box, preview);
    dv.setTxtdate(&other, preview);
    EXPECT_EQ(dv.txtdate().widget(), &other);

    // The first box is an ordinary line edit again.
    box->setText(QStringLiteral("ab"));
    box->setFocus();
    box->setCursorPosition(2);
    QTest::keyClick(box, Qt::Key_C);
    EXPECT_EQ(box->text(), QStringLiteral("abc"));

    {
        clsDATEVALIDATE shortLived;
        shortLived.setTxtdate(box, preview);
    }
    box->setCursorPosition(3);
    QTest::keyClick(box, Qt::Key_D);   // no handler of the gone object is called
    EXPECT_EQ(box->text(), QStringLiteral("abcd"));
}

TEST_F(MaskedBoxTest, FindsTheFormsKeyPreviewOrBringsItsOwn) {
    clsDATEVALIDATE onForm;
    onForm.setTxtdate(box);   // the form's preview is found
    box->setFocus();
    box->clear();   // an emptied box gets the mask back with the first key
    QTest::keyClick(box, Qt::Key_4);
    EXPECT_EQ(box->text(), QStringLiteral("4_-___-____"));

    QLineEdit alone;   // a box without a form preview
    alone.show();
    alone.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&alone));
    QARNDATEINPUT di;
    di.setTxtdate(&alone);
    alone.setFocus();
    alone.setCursorPosition(0);
    QTest::keyClick(&alone, Qt::Key_1);
    QTest::keyClick(&alone, Qt::Key_A);
    EXPECT_EQ(alone.text(), QStringLiteral("1_/__/____"));
    EXPECT_EQ(alone.cursorPosition(), 1);
}

TEST(MaskedBoxDialog, EscStillClosesTheDialog) {
    QDialog dialog;
    auto *layout = new QVBoxLayout(&dialog);
    auto *box = new QLineEdit(&dialog);
    layout->addWidget(box);
    zv::ui::KeyPreview preview(&dialog);
    clsDATEVALIDATE dv;
    dv.setTxtdate(box, &preview);
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    box->setFocus();
    QTest::keyClick(box, Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
}
