#include "ClosingCases.h"
#include "MasterFixture.h"
#include "framework/TextRules.h"
#include "core/modCommon.h"
#include "masters/frmCompanySetup.h"
#include <QClipboard>
#include <sqlite3.h>

using zv::ui::vbCancel;
using zv::ui::vbNo;
using zv::ui::vbYes;

namespace {

class CompanySetupTest : public MasterTest {
public:
    void open() {
        form = std::make_unique<frmCompanySetup>(nullptr, answers.forms());
        showForm(*form);
    }
    void TearDown() override {
        form.reset();
        MasterTest::TearDown();
    }
    bool visible(const QString &key) const { return form->headerButton(key)->isVisible(); }
    bool enabled(const QString &key) const { return form->headerButton(key)->isEnabled(); }
    bool editing() const { return form->txtcmpnyname->isEnabled(); }
    void key_(Qt::Key k) { key(*form, k); }
    qint64 addCompany(const QString &name) {
        const qint64 key = insert("INSERT INTO Cmpny_Mast (Cmpny_Name, City) VALUES (?, NULL)", {name});
        other.execute("UPDATE Cmpny_Mast SET Sys_Lock_Num = Sys_Cmpny_Num");
        return key;
    }
    QVariant column(const QString &name) { return scalar("SELECT " + name + " FROM Cmpny_Mast"); }

    std::unique_ptr<frmCompanySetup> form;
};

// The first company: only Add works on an empty table; afterwards Add, Delete and
// Select are gone, the row is shown trimmed and carries its own key as lock number.
TEST_F(CompanySetupTest, FirstCompanyByKeys) {
    open();
    EXPECT_TRUE(visible("Add") && enabled("Add"));
    EXPECT_TRUE(visible("Modify") && !enabled("Modify"));
    EXPECT_TRUE(visible("Delete") && !enabled("Delete"));
    EXPECT_FALSE(visible("Select"));
    EXPECT_FALSE(editing());

    key(*form, Qt::Key_F2);
    ASSERT_TRUE(editing());
    EXPECT_TRUE(form->txtcmpnyname->hasFocus());
    key(*form, Qt::Key_F9);
    EXPECT_EQ(statusCode(*form), "ZVE128");
    EXPECT_TRUE(form->lblStatus->text().contains("Company Name"));
    EXPECT_TRUE(editing());

    QTest::keyClicks(form->txtcmpnyname, "  Acme and Sons  ");
    QTest::keyClicks(form->txtphonenum, "+91 (80) 555-12ab");
    EXPECT_EQ(form->txtphonenum->text(), "+91(80)555-12");   // digits and -+() only
    form->txtaddrline1->setText("1 O'Connell Street");      // pasted quote: stored as it is
    QTest::keyClicks(form->txtweb, "https://www.acme.example/about\\");
    EXPECT_EQ(form->txtweb->text(), "https://www.acme.example/about");   // an address can be typed
    key(*form, Qt::Key_F9);

    EXPECT_EQ(statusCode(*form), "ZVE003");
    EXPECT_EQ(column("Cmpny_Name").toString(), "Acme and Sons");
    EXPECT_EQ(column("Phone_Num").toString(), "+91(80)555-12");
    EXPECT_EQ(column("Addr_Line1").toString(), "1 O'Connell Street");
    EXPECT_EQ(column("City").toString(), "");   // empty box, empty text
    EXPECT_EQ(column("Wsite_Addr").toString(), "https://www.acme.example/about");
    EXPECT_EQ(column("Sys_Lock_Num").toLongLong(), column("Sys_Cmpny_Num").toLongLong());
    EXPECT_EQ(form->currentKey(), column("Sys_Cmpny_Num").toString());
    EXPECT_FALSE(editing());
    EXPECT_FALSE(visible("Add"));
    EXPECT_FALSE(visible("Delete"));
    EXPECT_FALSE(visible("Select"));
    EXPECT_TRUE(visible("Modify") && enabled("Modify"));
}

// The box limits of the company's fields.
TEST_F(CompanySetupTest, BoxLimits) {
    open();
    QList<int> limits;
    for (QLineEdit *b : form->boxes())
        limits << b->maxLength();
    EXPECT_EQ(limits, (QList<int>{50, 40, 40, 40, 40, 40, 20, 20, 20, 80}));
}

// Text pasted into any box is checked at Ok: control and invisible format characters are
// refused in whichever box they are (the quote stays a plain character here), and a
// paste longer than the box is refused with a message instead of being cut.
TEST_F(CompanySetupTest, PastedControlAndFormatCharactersAreRefusedAtOk) {
    open();
    key(*form, Qt::Key_F2);
    QTest::keyClicks(form->txtcmpnyname, "Acme");
    struct Case {
        const char *label;
        QLineEdit *box;
        QString pasted;
        int at;
    };
    const Case cases[] = {
        {"tab in the name", form->txtcmpnyname, "Ac\tme", 2},
        {"bell in the city", form->txtcity, QStringLiteral("Pune") + QChar(0x07), 4},
        {"zero-width space in the zip code", form->txtzipcode, QStringLiteral("41") + QChar(0x200B) + "1001", 2},
        {"right-to-left override in the web site", form->txtweb, QString(QChar(0x202E)) + "acme.example", 0},
        {"soft hyphen in the address", form->txtaddrline2, QStringLiteral("Ring") + QChar(0x00AD) + "road", 4},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.label);
        c.box->clear();
        QApplication::clipboard()->setText(c.pasted);
        QTest::keyClick(c.box, Qt::Key_V, Qt::ControlModifier);
        ASSERT_EQ(c.box->text(), c.pasted);
        messages.clear();
        key(*form, Qt::Key_F9);
        ASSERT_EQ(messages.prompts(), QStringList{zv::fw::kInvalidCharacters});
        EXPECT_TRUE(c.box->hasFocus());
        EXPECT_EQ(c.box->selectionStart(), c.at);
        EXPECT_TRUE(editing());
        c.box->clear();
        form->txtcmpnyname->setText("Acme");
    }
    EXPECT_EQ(scalar("SELECT count(*) FROM Cmpny_Mast").toInt(), 0);

    messages.clear();
    QApplication::clipboard()->setText("+91 80 5555 1234 5678 90");   // 24 characters, the box takes 20
    QTest::keyClick(form->txtphonenum, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(form->txtphonenum->text(), "");
    EXPECT_EQ(messages.prompts(), QStringList{zv::fw::overlongPasteMessage(20)});

    form->txtaddrline1->setText("1 O'Connell Street");
    key(*form, Qt::Key_F9);
    EXPECT_EQ(statusCode(*form), "ZVE003");
    EXPECT_EQ(column("Addr_Line1").toString(), "1 O'Connell Street");
}

// Modify under another user's lock is refused; the form's own lock holds until the
// save, Nulls come back as empty text, and a failing update is not reported as saved.
TEST_F(CompanySetupTest, ModifyUnderRowLocks) {
    const qint64 row = addCompany("Acme");
    open();
    EXPECT_EQ(form->txtcmpnyname->text(), "Acme");
    EXPECT_EQ(form->txtcity->text(), "");
    {
        auto held = other.lockRow("Cmpny_Mast", row);
        key(*form, Qt::Key_F3);
        EXPECT_EQ(statusCode(*form), "ZVE027");
        EXPECT_FALSE(editing());
    }
    key(*form, Qt::Key_F3);
    ASSERT_TRUE(editing());
    EXPECT_THROW(other.lockRow("Cmpny_Mast", row), zv::db::DbError);

    other.executeScript("CREATE TRIGGER refuse BEFORE UPDATE ON Cmpny_Mast BEGIN SELECT RAISE(ABORT, 'no'); END;");
    form->txtcmpnyname->setText(" Acme Global ");
    key(*form, Qt::Key_F9);
    EXPECT_EQ(statusCode(*form), "ZVE035");
    EXPECT_TRUE(editing());
    EXPECT_TRUE(form->rowLocked());

    other.executeScript("DROP TRIGGER refuse;");
    key(*form, Qt::Key_F9);
    EXPECT_EQ(statusCode(*form), "ZVE002");
    EXPECT_EQ(column("Cmpny_Name").toString(), "Acme Global");
    EXPECT_FALSE(column("City").isNull());
    EXPECT_FALSE(editing());
    EXPECT_NO_THROW(other.lockRow("Cmpny_Mast", row));
}

// The first company refused by the database: not reported as saved, at Ok or at the close box.
TEST_F(CompanySetupTest, FailedInsertIsNotReportedAsSaved) {
    other.executeScript("CREATE TRIGGER refuse BEFORE INSERT ON Cmpny_Mast BEGIN SELECT RAISE(ABORT, 'no'); END;");
    open();
    key_(Qt::Key_F2);
    QTest::keyClicks(form->txtcmpnyname, "Acme");
    key_(Qt::Key_F9);
    EXPECT_EQ(statusCode(*form), "ZVE004");
    EXPECT_TRUE(editing());
    EXPECT_TRUE(form->currentKey().isEmpty());

    messages.answer(vbYes);
    form->close();
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(statusCode(*form), "ZVE004");
    EXPECT_EQ(scalar("SELECT count(*) FROM Cmpny_Mast").toInt(), 0);
}

// The company is written but reading it back fails: the failure is shown, and the
// form still leaves add mode, so a second Ok cannot add the company twice.
TEST_F(CompanySetupTest, FailedReloadAfterAnInsertIsShown) {
    open();
    key_(Qt::Key_F2);
    QTest::keyClicks(form->txtcmpnyname, "Acme");
    // From here on the program's connection may not read company names.
    sqlite3 *db = modCommon::MainConnection().handle();
    sqlite3_set_authorizer(
        db,
        [](void *, int action, const char *table, const char *column, const char *, const char *) {
            return action == SQLITE_READ && table && column && QByteArray(table).compare("Cmpny_Mast", Qt::CaseInsensitive) == 0 &&
                           QByteArray(column).compare("Cmpny_Name", Qt::CaseInsensitive) == 0
                       ? SQLITE_DENY
                       : SQLITE_OK;
        },
        nullptr);
    key_(Qt::Key_F9);
    sqlite3_set_authorizer(db, nullptr, nullptr);

    ASSERT_EQ(messages.shown().size(), 1);
    EXPECT_TRUE(messages.prompts().at(0).startsWith("Error Number is ")) << messages.prompts().at(0).toStdString();
    EXPECT_TRUE(messages.prompts().at(0).contains("Cmpny_Name")) << messages.prompts().at(0).toStdString();
    EXPECT_EQ(statusCode(*form), "ZVE003");
    EXPECT_FALSE(editing());
    key_(Qt::Key_F9);
    EXPECT_EQ(scalar("SELECT count(*) FROM Cmpny_Mast").toInt(), 1);
}

// After a Cancel, a later edit still asks before the form closes.
TEST_F(CompanySetupTest, CancelDoesNotSilenceLaterQuestions) {
    addCompany("Acme");
    open();
    key(*form, Qt::Key_F3);
    key(*form, Qt::Key_F10);
    EXPECT_FALSE(editing());
    key(*form, Qt::Key_F3);
    form->txtcity->setText("Pune");
    messages.answer(vbCancel);
    form->close();
    EXPECT_EQ(messages.prompts(),
              QStringList{"Do you want to save the changes you made to 'Company Setup Master'?"});
    EXPECT_TRUE(form->isVisible());
    EXPECT_TRUE(editing());
}

// Help while editing keeps the edit open: closing still asks.
TEST_F(CompanySetupTest, HelpDuringAnEditKeepsItOpen) {
    addCompany("Acme");
    open();
    key(*form, Qt::Key_F3);
    form->txtcity->setText("Pune");
    key(*form, Qt::Key_F1);
    EXPECT_EQ(messages.prompts(), QStringList{"Help not available"});
    EXPECT_EQ(form->txtcity->text(), "Pune");
    EXPECT_EQ(form->tlbHeader.H_ButtonKey(), 2);
    messages.clear();
    messages.answer(vbYes);
    form->close();
    EXPECT_EQ(messages.prompts().size(), 1);
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(column("City").toString(), "Pune");
}

class CompanyClosing : public CompanySetupTest, public ::testing::WithParamInterface<EditClosing> {};

TEST_P(CompanyClosing, SaveQuestionWhileModifying) {
    const EditClosing c = GetParam();
    const qint64 row = addCompany("Acme");
    open();
    key_(Qt::Key_F3);
    form->txtcity->setText("Pune");
    answerThenClose(*form, c.answer, c.byEsc);
    EXPECT_EQ(messages.prompts(),
              QStringList{"Do you want to save the changes you made to 'Company Setup Master'?"});
    EXPECT_EQ(column("City").toString() == "Pune", c.saved);
    EXPECT_EQ(form->isVisible(), c.open);
    if (c.open)
        EXPECT_EQ(editing(), c.answer == vbCancel);
    if (!c.open || c.answer != vbCancel)
        EXPECT_NO_THROW(other.lockRow("Cmpny_Mast", row));   // the lock went with the edit
}

INSTANTIATE_TEST_SUITE_P(Company, CompanyClosing, editClosingCases(), ByLabel());

} // namespace
