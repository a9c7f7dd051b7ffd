#include "platform/ui/ComboKeyFilter.h"
#include "platform/ui/KeyFilter.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <functional>
#include <gtest/gtest.h>

using namespace zv::ui;

namespace {

// Stands in for a form's KeyPress handler: every typed character goes
// through `filter` first; 0 drops it, another code types that character.
class KeyPressHook : public QObject {
public:
    KeyPressHook(QWidget *target, std::function<int(int)> filter) : m_filter(std::move(filter)) {
        target->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (m_forwarding || event->type() != QEvent::KeyPress)
            return false;
        auto *ke = static_cast<QKeyEvent *>(event);
        if (ke->text().isEmpty())
            return false;
        const int typed = ke->text().at(0).unicode();
        const int kept = m_filter(typed);
        if (kept == 0)
            return true;
        if (kept == typed)
            return false;
        const QString text(QChar(static_cast<char16_t>(kept)));
        QKeyEvent replaced(QEvent::KeyPress, 0, Qt::NoModifier, text);
        m_forwarding = true;
        QApplication::sendEvent(watched, &replaced);
        m_forwarding = false;
        return true;
    }

private:
    std::function<int(int)> m_filter;
    bool m_forwarding = false;
};

void typeText(QWidget *w, const QString &text) {
    for (QChar c : text) {
        const int key = c.isLetter() ? Qt::Key_A + (c.toUpper().unicode() - 'A') : 0;
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(c));
        QApplication::sendEvent(w, &press);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString(c));
        QApplication::sendEvent(w, &release);
    }
}

void pressKey(QWidget *w, int qtKey, const QString &text = QString()) {
    QKeyEvent press(QEvent::KeyPress, qtKey, Qt::NoModifier, text);
    QApplication::sendEvent(w, &press);
}

const QString kPunct = QStringLiteral("~!@#$%^&*()_+{}:\"<>?`-=\\[];,./");

} // namespace

TEST(KeyFilter, PunctuationListIsTheThirtyCharacters) {
    EXPECT_EQ(punctuationList(), kPunct);
    EXPECT_EQ(punctuationList().size(), 30);
    EXPECT_FALSE(punctuationList().contains(QLatin1Char('\'')));
    EXPECT_FALSE(punctuationList().contains(QLatin1Char('|')));
}

struct FilterCase {
    const char *what;
    int mode;
    QString chars;
    bool flag;
    QString admitted;   // each of these passes unchanged
    QString refused;    // each of these gives 0
};

TEST(KeyFilter, ModesAndCharacterLists) {
    const QString noBackquote = QString(kPunct).remove(QLatin1Char('`'));
    const std::vector<FilterCase> cases = {
        {"mode 0, empty list: digits only", 0, "", false, "0123456789", "aZ -+.,'|/ é"},
        {"mode 0, telephone", 0, "-+()", false, "0189-+()", "aZ ./'|#"},
        {"mode 0 never admits quote or bar even when listed", 0, "'|-", false, "5-", "'|"},
        {"mode 2, employee number", 2, kPunct, false, "azAZ09", " ~!@#-_./\\`'|é"},
        {"mode 3, punctuation refused", 3, kPunct, false, "aZ09 éß", kPunct + "'|"},
        {"mode 3, employee name keeps the backquote", 3, noBackquote, false, "`aB ", noBackquote + "'|"},
        {"mode 3, web site list", 3, ".@\\", false, "aw:/-_", ".@\\'|"},
        {"mode 3, empty list", 3, "", false, "9 -~@", "'|"},
        {"mode 6, password", 6, noBackquote, true, "aZ09`", " ~@#.'|"},
        {"unknown mode acts as free text", 5, kPunct, false, "a 1", "@'|"},
    };
    KeyFilter kf;
    QLineEdit edit;
    const TextBox box(&edit);
    for (const auto &c : cases) {
        for (QChar ch : c.admitted)
            EXPECT_EQ(kf.FilterKey(box, c.mode, ch.unicode(), c.chars, 0, 0, c.flag), ch.unicode())
                << c.what << ": '" << QString(ch).toStdString() << "' should pass";
        for (QChar ch : c.refused)
            EXPECT_EQ(kf.FilterKey(box, c.mode, ch.unicode(), c.chars, 0, 0, c.flag), 0)
                << c.what << ": '" << QString(ch).toStdString() << "' should be dropped";
    }
}

TEST(KeyFilter, ControlKeysAlwaysPass) {
    KeyFilter kf;
    QLineEdit edit;
    const TextBox box(&edit);
    for (int mode : {0, 2, 3, 6})
        for (int code : {8, 9, 13, 27, 3, 22, 24, 127})
            EXPECT_EQ(kf.FilterKey(box, mode, code, kPunct), code) << "mode " << mode << " code " << code;
}

TEST(KeyFilter, ModeTwoFlagUpperCasesLetters) {
    EXPECT_EQ(KeyFilter::filter(2, 'e', kPunct, true), 'E');
    EXPECT_EQ(KeyFilter::filter(2, '7', kPunct, true), '7');
    EXPECT_EQ(KeyFilter::filter(2, 'e', kPunct, false), 'e');
}

TEST(KeyFilter, RefusedCharactersNeverReachTheTextBox) {
    KeyFilter kf;
    QLineEdit desc;
    KeyPressHook hook(&desc, [&](int k) { return kf.FilterKey(TextBox(&desc), 3, k, punctuationList()); });
    typeText(&desc, QStringLiteral("Pay 'tax' | file <returns>; by 31/03, ok!"));
    EXPECT_EQ(desc.text(), QStringLiteral("Pay tax  file returns by 3103 ok"));
    pressKey(&desc, Qt::Key_Backspace);
    EXPECT_EQ(desc.text(), QStringLiteral("Pay tax  file returns by 3103 o"));

    QLineEdit year;
    KeyPressHook yearHook(&year, [&](int k) { return kf.FilterKey(TextBox(&year), 0, k, QString()); });
    typeText(&year, QStringLiteral("2o0x4"));
    EXPECT_EQ(year.text(), QStringLiteral("204"));

    QLineEdit empNo;
    KeyPressHook empHook(&empNo, [&](int k) { return kf.FilterKey(TextBox(&empNo), 2, k, punctuationList(), 0, 0, true); });
    typeText(&empNo, QStringLiteral("e-00 7a"));
    EXPECT_EQ(empNo.text(), QStringLiteral("E007A"));
}

class ComboKeyFilterTest : public ::testing::Test {
protected:
    void SetUp() override {
        combo.setEditable(true);
        combo.addItems({QStringLiteral("Accounts"), QStringLiteral("Admin"), QStringLiteral("Sales"),
                        QStringLiteral("Sales Support")});
        combo.setCurrentIndex(-1);
        combo.setEditText(QString());
    }
    QComboBox combo;
    ComboKeyFilter ckf;
};

TEST_F(ComboKeyFilterTest, TypingCompletesToTheFirstEntryThatBeginsWithTheText) {
    KeyPressHook hook(&combo, [&](int k) { return ckf.KeyPress(&combo, k); });
    typeText(&combo, QStringLiteral("a"));
    EXPECT_EQ(combo.currentText(), QStringLiteral("Accounts"));
    EXPECT_EQ(combo.currentIndex(), 0);
    EXPECT_EQ(combo.lineEdit()->selectedText(), QStringLiteral("ccounts"));

    typeText(&combo, QStringLiteral("D"));   // letter case ignored; typed text replaces the completed tail
    EXPECT_EQ(combo.currentText(), QStringLiteral("Admin"));
    EXPECT_EQ(combo.currentIndex(), 1);
    EXPECT_EQ(combo.lineEdit()->selectedText(), QStringLiteral("min"));

    typeText(&combo, QStringLiteral("x"));   // no entry begins with "adx": typed as it stands
    EXPECT_EQ(combo.currentText(), QStringLiteral("Adx"));
    EXPECT_TRUE(ckf.Change(&combo, false));
    EXPECT_EQ(combo.currentIndex(), -1);
}

TEST_F(ComboKeyFilterTest, KeyOperationResults) {
    int key = 's';
    EXPECT_EQ(ckf.KeyPress(&combo, key), 0);
    EXPECT_EQ(key, 0);   // left in place for callers that keep the key code
    EXPECT_EQ(combo.currentText(), QStringLiteral("Sales"));
    for (int control : {8, 13, 27}) {
        int k = control;
        EXPECT_EQ(ckf.KeyPress(&combo, k), control);
        EXPECT_EQ(k, control);
    }
    for (int bad : {'\'', '|'}) {
        int k = bad;
        EXPECT_EQ(ckf.KeyPress(&combo, k), 0);
        EXPECT_EQ(k, 0);
    }
    int z = 'z';
    EXPECT_EQ(ckf.KeyPress(&combo, z), 'z');
}

TEST_F(ComboKeyFilterTest, ChangeMakesTheIndexFollowTheText) {
    struct Case {
        QString text;
        bool flag;
        int index;
        QString textAfter;
    };
    const std::vector<Case> cases = {
        {"sales", true, 2, "sales"},           // typing: index follows, typed text kept
        {"sales", false, 2, "Sales"},          // before a save: the entry's own spelling
        {"Sales Support", true, 3, "Sales Support"},
        {"Sal", true, -1, "Sal"},              // a prefix is no entry
        {"", false, -1, ""},
        {"March", false, -1, "March"},
    };
    for (const auto &c : cases) {
        combo.setCurrentIndex(0);
        combo.setEditText(c.text);
        combo.lineEdit()->setCursorPosition(c.text.size());
        const bool noEntry = ckf.Change(&combo, c.flag);
        EXPECT_EQ(noEntry, c.index < 0) << c.text.toStdString();
        EXPECT_EQ(combo.currentIndex(), c.index) << c.text.toStdString();
        EXPECT_EQ(combo.currentText(), c.textAfter) << c.text.toStdString();
        EXPECT_EQ(combo.lineEdit()->cursorPosition(), c.textAfter.size()) << c.text.toStdString();
    }
}

TEST_F(ComboKeyFilterTest, ChosenFromTheListPassesValidation) {
    QComboBox months;   // a drop-down list: the text always names its entry
    months.addItems({QStringLiteral("January"), QStringLiteral("February"), QStringLiteral("March")});
    months.setCurrentIndex(2);
    EXPECT_FALSE(ckf.Change(&months, false));
    EXPECT_EQ(months.currentIndex(), 2);

    KeyPressHook hook(&combo, [&](int k) { return ckf.KeyPress(&combo, k); });
    typeText(&combo, QStringLiteral("sales "));
    EXPECT_EQ(combo.currentText(), QStringLiteral("Sales Support"));
    EXPECT_FALSE(ckf.Change(&combo, true));
    EXPECT_EQ(combo.currentIndex(), 3);
}
