// Every editing shortcut the line edit has on Linux that the date rules do
// not list is refused by both kinds of date box (the masked
// boxes of src/dateinput and the filter's FilterDateBox): the text stays
// exactly as it was, and the key never reaches the line edit's own handling.
// The tests run on the offscreen platform, whose key bindings are not X11's,
// so "never reaches the line edit" is what proves the X11 bindings (Ctrl+D,
// Ctrl+K, Ctrl+U, F18 ...) refused too.
#include "dateinput/QARNDATEINPUT.h"
#include "dateinput/clsDATEVALIDATE.h"
#include "platform/ui/KeyPreview.h"
#include "query/FilterDateBox.h"
#include <algorithm>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>
#include <vector>

inline void PrintTo(const QString &s, std::ostream *os) { *os << '"' << s.toStdString() << '"'; }

namespace {

// Notes every key that reaches the line edit's own key handling, but for the
// modifier keys pressed on their own ahead of a combination.
struct KeySpy {
    std::vector<QString> seen;
    void note(const QKeyEvent *e) {
        switch (e->key()) {
        case Qt::Key_Shift:
        case Qt::Key_Control:
        case Qt::Key_Alt:
        case Qt::Key_Meta:
            return;
        default:
            seen.push_back(QKeySequence(e->keyCombination()).toString());
        }
    }
};

// A whole key stroke. Keys without a character of their own (the Paste key
// and the like) go with an empty text, which QTest cannot make up for them.
void click(QWidget *w, int key, Qt::KeyboardModifiers mods) {
    static const int uncoded[] = {Qt::Key_Paste, Qt::Key_Cut, Qt::Key_Undo, Qt::Key_Redo, Qt::Key_Clear};
    if (std::find(std::begin(uncoded), std::end(uncoded), key) != std::end(uncoded))
        QTest::sendKeyEvent(QTest::Click, w, Qt::Key(key), QString(), mods);
    else
        QTest::keyClick(w, Qt::Key(key), mods);
}

class SpyEdit : public QLineEdit {
public:
    using QLineEdit::QLineEdit;
    KeySpy spy;

protected:
    void keyPressEvent(QKeyEvent *e) override {
        spy.note(e);
        QLineEdit::keyPressEvent(e);
    }
};

class SpyFilterBox : public zv::query::FilterDateBox {
public:
    using FilterDateBox::FilterDateBox;
    KeySpy spy;

protected:
    void keyPressEvent(QKeyEvent *e) override {
        spy.note(e);
        FilterDateBox::keyPressEvent(e);
    }
};

struct Shortcut {
    const char *name;
    int key;
    Qt::KeyboardModifiers mods;
};

const Qt::KeyboardModifiers C = Qt::ControlModifier, S = Qt::ShiftModifier, A = Qt::AltModifier, N = Qt::NoModifier;

// The line edit's editing shortcuts on Linux (QKeySequence's X11 bindings and
// the X11 branches of its key handling) and the Windows-style ones, with the
// other Ctrl letters that move the caret in Emacs style, none of which the
// date boxes' typing rules list.
const Shortcut kShortcuts[] = {
    {"Ctrl+D (delete)", Qt::Key_D, C},
    {"Ctrl+H (backspace)", Qt::Key_H, C},
    {"Ctrl+K (delete to end of line)", Qt::Key_K, C},
    {"Ctrl+U (delete line)", Qt::Key_U, C},
    {"Ctrl+W", Qt::Key_W, C},
    {"Ctrl+A (select all / start)", Qt::Key_A, C},
    {"Ctrl+Shift+A (deselect)", Qt::Key_A, C | S},
    {"Ctrl+E (end)", Qt::Key_E, C},
    {"Ctrl+F (forward)", Qt::Key_F, C},
    {"Ctrl+B (back)", Qt::Key_B, C},
    {"Ctrl+N", Qt::Key_N, C},
    {"Ctrl+P", Qt::Key_P, C},
    {"Ctrl+Z (undo)", Qt::Key_Z, C},
    {"Ctrl+Y (redo)", Qt::Key_Y, C},
    {"Ctrl+Shift+Z (redo)", Qt::Key_Z, C | S},
    {"Alt+Backspace (undo)", Qt::Key_Backspace, A},
    {"Alt+Shift+Backspace (redo)", Qt::Key_Backspace, A | S},
    {"Ctrl+X (cut)", Qt::Key_X, C},
    {"Shift+Delete (cut)", Qt::Key_Delete, S},
    {"Ctrl+V (paste)", Qt::Key_V, C},
    {"Ctrl+Shift+V", Qt::Key_V, C | S},
    {"Shift+Insert (paste)", Qt::Key_Insert, S},
    {"Ctrl+Shift+Insert (paste selection)", Qt::Key_Insert, C | S},
    {"F14 (undo)", Qt::Key_F14, N},
    {"F18 (paste)", Qt::Key_F18, N},
    {"F20 (cut)", Qt::Key_F20, N},
    {"Paste key", Qt::Key_Paste, N},
    {"Cut key", Qt::Key_Cut, N},
    {"Undo key", Qt::Key_Undo, N},
    {"Redo key", Qt::Key_Redo, N},
    {"Clear key", Qt::Key_Clear, N},
    {"Space", Qt::Key_Space, N},
    {"Ctrl+Space", Qt::Key_Space, C},
};

// A hooked box with the texts and carets to try every shortcut on.
struct Box {
    const char *kind;
    QLineEdit *edit;
    KeySpy *spy;
    QString text;
    std::vector<std::pair<int, int>> carets;   // (caret or selection start, selection length)
};

class DateBoxShortcuts : public ::testing::Test {
protected:
    void SetUp() override {
        auto *layout = new QVBoxLayout(&form);
        preview = new zv::ui::KeyPreview(&form);
        auto add = [&](auto *edit) {
            layout->addWidget(edit);
            return edit;
        };
        monthName = add(new SpyEdit(&form));
        numeric = add(new SpyEdit(&form));
        dateTime = add(new SpyEdit(&form));
        filter = add(new SpyFilterBox(&form, preview));
        dv.setTxtdate(monthName, preview);
        numericInput.setTxtdate(numeric, preview);
        numericInput.setTxtDateTime(dateTime, preview);
        form.show();
        form.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    }
    void TearDown() override {
        dv.setTxtdate(nullptr);
        numericInput.setTxtdate(nullptr);
        numericInput.setTxtDateTime(nullptr);
    }

    std::vector<Box> boxes() {
        // Carets in the day, in the year and at the end, and the year selected;
        // not in the month-name box's month nor on the A/P letter, where a
        // letter key types its letter whatever the Shift argument.
        return {
            {"month-name box (clsDATEVALIDATE)", monthName, &monthName->spy, QStringLiteral("01-Apr-2026"),
             {{0, 0}, {1, 0}, {8, 0}, {11, 0}, {7, 4}}},
            {"numeric box (QARNDATEINPUT)", numeric, &numeric->spy, QStringLiteral("01/04/2026"),
             {{0, 0}, {3, 0}, {8, 0}, {10, 0}, {6, 4}}},
            {"date-and-time box (QARNDATEINPUT)", dateTime, &dateTime->spy, QStringLiteral("01/04/2026 09:30 AM"),
             {{0, 0}, {4, 0}, {12, 0}, {19, 0}, {6, 4}}},
            {"filter's date box (FilterDateBox)", filter, &filter->spy, QStringLiteral("01-Apr-2026"),
             {{0, 0}, {1, 0}, {8, 0}, {11, 0}, {7, 4}}},
        };
    }

    static void place(QLineEdit *e, const QString &text, int caret, int sel) {
        e->setText(text);
        e->setFocus();
        if (sel)
            e->setSelection(caret, sel);
        else
            e->setCursorPosition(caret);
    }

    QWidget form;
    zv::ui::KeyPreview *preview = nullptr;
    clsDATEVALIDATE dv;
    QARNDATEINPUT numericInput;
    SpyEdit *monthName = nullptr;
    SpyEdit *numeric = nullptr;
    SpyEdit *dateTime = nullptr;
    SpyFilterBox *filter = nullptr;
};

} // namespace

TEST_F(DateBoxShortcuts, EveryUnlistedEditingShortcutIsRefusedAndTheMaskStaysFull) {
    QApplication::clipboard()->setText(QStringLiteral("12"));
    for (const Box &b : boxes()) {
        for (const Shortcut &s : kShortcuts) {
            for (const auto &[caret, sel] : b.carets) {
                SCOPED_TRACE(std::string(b.kind) + ", " + s.name + ", caret " + std::to_string(caret) +
                             ", selection " + std::to_string(sel));
                place(b.edit, b.text, caret, sel);
                ASSERT_TRUE(b.edit->hasFocus());
                b.spy->seen.clear();
                click(b.edit, s.key, s.mods);
                EXPECT_EQ(b.edit->text(), b.text);
                EXPECT_TRUE(b.spy->seen.empty()) << "reached the line edit: " << (b.spy->seen.empty() ? std::string() : b.spy->seen.front().toStdString());
            }
        }
    }
}

// What the boxes still leave to the line edit: moving, selecting and copying.
TEST_F(DateBoxShortcuts, CaretKeysSelectionAndCopyStillWork) {
    for (const Box &b : boxes()) {
        SCOPED_TRACE(b.kind);
        place(b.edit, b.text, 0, 0);
        QTest::keyClick(b.edit, Qt::Key_Right);
        EXPECT_EQ(b.edit->cursorPosition(), 1);
        QTest::keyClick(b.edit, Qt::Key_End);
        EXPECT_EQ(b.edit->cursorPosition(), b.text.size());
        QTest::keyClick(b.edit, Qt::Key_Home);
        EXPECT_EQ(b.edit->cursorPosition(), 0);
        QTest::keyClick(b.edit, Qt::Key_Right, Qt::ShiftModifier);
        EXPECT_EQ(b.edit->selectedText(), b.text.left(1));
        QApplication::clipboard()->clear();
        QTest::keyClick(b.edit, Qt::Key_C, Qt::ControlModifier);
        EXPECT_EQ(QApplication::clipboard()->text(), b.text.left(1));
        QApplication::clipboard()->clear();
        QTest::keyClick(b.edit, Qt::Key_Insert, Qt::ControlModifier);
        EXPECT_EQ(QApplication::clipboard()->text(), b.text.left(1));
        EXPECT_EQ(b.edit->text(), b.text);
    }
}

// A key the box refuses is not taken from the window: its shortcut still acts.
TEST_F(DateBoxShortcuts, ARefusedKeyStillReachesTheWindowsShortcuts) {
    auto *action = new QAction(&form);
    action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    action->setShortcutContext(Qt::WindowShortcut);
    form.addAction(action);
    int fired = 0;
    QObject::connect(action, &QAction::triggered, [&] { ++fired; });
    for (const Box &b : boxes()) {
        SCOPED_TRACE(b.kind);
        place(b.edit, b.text, 0, 0);
        const int before = fired;
        QTest::keyClick(b.edit, Qt::Key_O, Qt::ControlModifier);
        EXPECT_EQ(fired, before + 1);
        EXPECT_EQ(b.edit->text(), b.text);
    }
}
