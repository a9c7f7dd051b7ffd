#include "ClosingCases.h"
#include "MasterFixture.h"
#include "masters/frmDepartment.h"
#include "framework/TextRules.h"
#include "support/FailingStatement.h"
#include "support/OtherProgramLock.h"
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>
#include <QTimer>
#include <QPointer>

using zv::masters::NameMaster;
using zv::ui::vbCancel;
using zv::ui::vbNo;
using zv::ui::vbYes;

namespace {

struct Kind {
    const char *label;
    std::function<NameMaster *(zv::fw::FormServices)> make;
    QString table, key, column, prefix, caption;
};
void PrintTo(const Kind &k, std::ostream *os) { *os << k.label; }

const Kind kDepartment{"Department", [](zv::fw::FormServices s) { return new frmDepartment(nullptr, s); }, "Dept_Mast", "Sys_Dept_Num", "Dept_Desc",
                       "Department Name", "Department Master"};
const Kind kDesignation{"Designation", [](zv::fw::FormServices s) { return new frmDesignation(nullptr, s); }, "Desg_Mast", "Sys_Desg_Num", "Desg_Name",
                        "Designation Name", "Designation Master"};

class NameMasterTest : public MasterTest, public ::testing::WithParamInterface<Kind> {
public:
    void SetUp() override {
        MasterTest::SetUp();
        form.reset(GetParam().make(answers.forms()));
        showForm(*form);
    }
    void TearDown() override {
        form.reset();
        MasterTest::TearDown();
    }
    const Kind &kind() const { return GetParam(); }
    qint64 addRow(const QString &name) {
        return insert("INSERT INTO " + kind().table + " (" + kind().column + ") VALUES (?)", {name});
    }
    int count(const QString &name) {
        return scalar("SELECT count(*) FROM " + kind().table + " WHERE " + kind().column + " = ?", {name}).toInt();
    }
    QVariant nameOf(qint64 key) {
        return scalar("SELECT " + kind().column + " FROM " + kind().table + " WHERE " + kind().key + " = ?", {key});
    }
    // Selects the row through the general filter, as the filter window would answer.
    void select(qint64 key) {
        const QString name = nameOf(key).toString();
        answers.filter = [key, name](const QString &) { return QStringList{QString::number(key), name}; };
        key_(Qt::Key_F8);
    }
    void key_(Qt::Key k) { key(*form, k); }
    void type(const QString &text) { QTest::keyClicks(form->txtName, text); }
    bool editing() const { return form->txtName->isEnabled(); }

    std::unique_ptr<NameMaster> form;
};

// The typical request: Add, a name, Ok; the row is stored trimmed and shown with its key.
TEST_P(NameMasterTest, AddByKeysStoresTheTrimmedNameAndShowsTheNewRow) {
    EXPECT_FALSE(editing());
    EXPECT_TRUE(on(*form, "Add"));
    EXPECT_FALSE(on(*form, "Modify"));
    EXPECT_FALSE(form->headerButton("Attachment")->isVisible());

    key_(Qt::Key_F2);
    ASSERT_TRUE(editing());
    EXPECT_TRUE(form->txtName->hasFocus());
    EXPECT_FALSE(on(*form, "Exit"));
    type("  Sales  ");
    key_(Qt::Key_F9);

    EXPECT_EQ(statusCode(*form), "ZVE003");
    EXPECT_EQ(count("Sales"), 1);
    const qint64 key = scalar("SELECT " + kind().key + " FROM " + kind().table + " WHERE " + kind().column +
                              " = 'Sales'").toLongLong();
    EXPECT_EQ(form->currentKey(), QString::number(key));
    EXPECT_FALSE(editing());
    EXPECT_EQ(form->txtName->text(), "  Sales  ");
    EXPECT_TRUE(on(*form, "Modify"));
    EXPECT_TRUE(on(*form, "Delete"));
    EXPECT_TRUE(on(*form, "Refresh"));
    EXPECT_FALSE(form->footerButton("Ok")->isVisible());

    // Refresh shows the stored row at once.
    key_(Qt::Key_F11);
    EXPECT_EQ(form->txtName->text(), "Sales");
}

// Blank and duplicate names are refused before any write, whatever the letter case and blanks.
TEST_P(NameMasterTest, BlankAndDuplicateNamesAreRefused) {
    addRow("Sales");
    addRow(" Stores ");   // stored with blanks by an earlier modify
    struct Case {
        QString typed;
        QString code;
    };
    for (const Case &c : {Case{"   ", "ZVE164"}, Case{"Sales", "ZVE006"}, Case{"SALES", "ZVE006"},
                          Case{" sAlEs ", "ZVE006"}, Case{"stores", "ZVE006"}}) {
        key_(Qt::Key_F2);
        type(c.typed);
        key_(Qt::Key_F9);
        EXPECT_EQ(statusCode(*form), c.code) << c.typed.toStdString();
        EXPECT_TRUE(form->lblStatus->text().contains(kind().prefix)) << form->lblStatus->text().toStdString();
        EXPECT_TRUE(editing()) << c.typed.toStdString();
        EXPECT_TRUE(form->txtName->hasFocus());
        key_(Qt::Key_F10);
    }
    EXPECT_EQ(scalar("SELECT count(*) FROM " + kind().table).toInt(), 2);
}

// Quotes and bars are refused at Ok even when pasted; every other text is stored as a bound value.
TEST_P(NameMasterTest, NamesReachTheDatabaseAsBoundValues) {
    key_(Qt::Key_F2);
    type("O'Neil|x");
    EXPECT_EQ(form->txtName->text(), "ONeilx");   // the key-press filter drops them when typed

    form->txtName->setText("Ab|c'd|");           // pasted
    key_(Qt::Key_F9);
    ASSERT_EQ(messages.prompts(), QStringList{zv::fw::kInvalidCharacters});
    EXPECT_EQ(messages.shown().at(0).title, "Information");
    EXPECT_EQ(form->txtName->selectionStart(), 4);   // the first quote, before any bar
    EXPECT_EQ(form->txtName->selectedText(), "'");
    form->txtName->setText("Abc|d");
    key_(Qt::Key_F9);
    EXPECT_EQ(form->txtName->selectionStart(), 3);
    EXPECT_TRUE(editing());

    const QString hostile = "x); DROP TABLE Emp_Mast; --\"\\";
    form->txtName->setText(hostile);
    key_(Qt::Key_F9);
    EXPECT_EQ(statusCode(*form), "ZVE003");
    EXPECT_EQ(count(hostile), 1);
    EXPECT_EQ(scalar("SELECT count(*) FROM Emp_Mast").toInt(), 0);   // still there
}

// Pasted control and invisible format characters are refused at Ok like the quote, pointed
// at in the box; nothing is stored. A paste longer than the box is refused, not cut.
TEST_P(NameMasterTest, PastedControlAndFormatCharactersAreRefusedAtOk) {
    struct Case {
        const char *label;
        QString pasted;
        int at;
    };
    const Case cases[] = {
        {"tab", "Sa\tles", 2},
        {"start of heading", QStringLiteral("Sales") + QChar(0x01), 5},
        {"bell", QString(QChar(0x07)) + "Sales", 0},
        {"line feed", "Sal\nes", 3},
        {"zero-width space", QStringLiteral("Sa") + QChar(0x200B) + "les", 2},
        {"zero-width joiner", QStringLiteral("Sal") + QChar(0x200D) + "es", 3},
        {"right-to-left override", QString(QChar(0x202E)) + "selaS", 0},
        {"byte order mark", QStringLiteral("Sales") + QChar(0xFEFF), 5},
        {"line separator", QStringLiteral("Sa") + QChar(0x2028) + "les", 2},
        {"paragraph separator", QStringLiteral("Sa") + QChar(0x2029) + "les", 2},
        {"language tag", QStringLiteral("Sal") + QString::fromUcs4(U"\U000E0001") + "es", 3},
    };
    key_(Qt::Key_F2);
    for (const Case &c : cases) {
        SCOPED_TRACE(c.label);
        form->txtName->clear();
        QApplication::clipboard()->setText(c.pasted);
        QTest::keyClick(form->txtName, Qt::Key_V, Qt::ControlModifier);
        ASSERT_EQ(form->txtName->text(), c.pasted);   // paste goes past the key filter
        messages.clear();
        key_(Qt::Key_F9);
        ASSERT_EQ(messages.prompts(), QStringList{zv::fw::kInvalidCharacters});
        EXPECT_EQ(form->txtName->selectionStart(), c.at);
        EXPECT_TRUE(editing());
        EXPECT_TRUE(form->txtName->hasFocus());
    }
    EXPECT_EQ(scalar("SELECT count(*) FROM " + kind().table).toInt(), 0);

    // Letters of other scripts are no format characters.
    form->txtName->setText(QStringLiteral("Vertrieb \u00DC \u0645\u0628\u064A\u0639\u0627\u062A"));
    key_(Qt::Key_F9);
    EXPECT_EQ(statusCode(*form), "ZVE003");

    // Longer than the box: refused with a message, the text left as it was.
    key_(Qt::Key_F2);
    QTest::keyClicks(form->txtName, "Stores");
    messages.clear();
    QApplication::clipboard()->setText(QString(35, QLatin1Char('x')));
    QTest::keyClick(form->txtName, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(form->txtName->text(), "Stores");
    ASSERT_EQ(messages.prompts(), QStringList{zv::fw::overlongPasteMessage(40)});
    // The same through the box's own menu.
    messages.clear();
    QTimer::singleShot(0, [] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        for (QAction *a : menu->actions())
            if (a->text().contains("Paste"))
                a->trigger();
        menu->close();
    });
    QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, QPoint(5, 5), form->txtName->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(form->txtName, &menuEvent);
    EXPECT_EQ(form->txtName->text(), "Stores");
    ASSERT_EQ(messages.prompts(), QStringList{zv::fw::overlongPasteMessage(40)});
    messages.clear();
    // What fits, with the selection it replaces, is pasted.
    form->txtName->selectAll();
    QApplication::clipboard()->setText(QString(40, QLatin1Char('y')));
    QTest::keyClick(form->txtName, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(form->txtName->text(), QString(40, QLatin1Char('y')));
    EXPECT_TRUE(messages.prompts().isEmpty());
}

// Another user's lock refuses Modify (ZVE027) and Delete (ZVE028); the form's own lock
// holds from Modify until the save, and the text is written as typed.
TEST_P(NameMasterTest, ModifyAndDeleteUnderRowLocks) {
    const qint64 sales = addRow("Sales");
    addRow("Stores");
    select(sales);
    EXPECT_EQ(form->txtName->text(), "Sales");
    EXPECT_TRUE(on(*form, "Modify"));

    {
        auto held = other.lockRow(kind().table, sales);
        key_(Qt::Key_F3);
        EXPECT_EQ(statusCode(*form), "ZVE027");
        EXPECT_FALSE(editing());
        EXPECT_FALSE(form->rowLocked());
        messages.answer(vbYes);
        key_(Qt::Key_F4);
        EXPECT_EQ(statusCode(*form), "ZVE028");
        EXPECT_EQ(count("Sales"), 1);
    }

    key_(Qt::Key_F3);
    ASSERT_TRUE(editing());
    EXPECT_TRUE(form->rowLocked());
    EXPECT_THROW(other.lockRow(kind().table, sales), zv::db::DbError);

    form->txtName->setText("stores");
    key_(Qt::Key_F9);
    EXPECT_EQ(statusCode(*form), "ZVE006");
    form->txtName->setText("SALES ");   // its own name in other letters is no duplicate
    key_(Qt::Key_F9);
    EXPECT_EQ(statusCode(*form), "ZVE002");
    EXPECT_EQ(nameOf(sales).toString(), "SALES ");
    EXPECT_FALSE(editing());
    EXPECT_FALSE(form->rowLocked());
    EXPECT_NO_THROW(other.lockRow(kind().table, sales));
}

// Delete: refused while an employee refers to the row, nothing on No, ZVE008 on Yes.
TEST_P(NameMasterTest, DeleteRules) {
    const qint64 used = addRow("Sales");
    const qint64 free = addRow("Stores");
    if (kind().table == "Dept_Mast")
        employeeIn(used, 0);
    else
        employeeIn(0, used);

    select(used);
    key_(Qt::Key_F4);
    EXPECT_EQ(statusCode(*form), "ZVE030");
    EXPECT_TRUE(messages.prompts().isEmpty());   // refused before the question
    EXPECT_TRUE(nameOf(used).isValid());

    select(free);
    messages.clear();
    messages.answer(vbNo);
    key_(Qt::Key_F4);
    EXPECT_EQ(messages.prompts(), QStringList{kDeleteQuestion});
    EXPECT_EQ(messages.shown().at(0).buttons, zv::ui::vbYesNo + zv::ui::vbQuestion + zv::ui::vbDefaultButton2);
    EXPECT_EQ(form->lblStatus->text(), "");
    EXPECT_TRUE(nameOf(free).isValid());

    messages.answer(vbYes);
    key_(Qt::Key_F4);
    EXPECT_EQ(statusCode(*form), "ZVE008");
    EXPECT_FALSE(nameOf(free).isValid());
    EXPECT_EQ(form->txtName->text(), "");
    EXPECT_FALSE(on(*form, "Modify"));
    EXPECT_FALSE(on(*form, "Delete"));
    EXPECT_FALSE(form->rowLocked());
}

// A row deleted by another user: Modify and Refresh report it and return to an empty view.
TEST_P(NameMasterTest, RowGoneElsewhere) {
    const qint64 sales = addRow("Sales");
    select(sales);
    other.execute("DELETE FROM " + kind().table);
    key_(Qt::Key_F3);
    EXPECT_EQ(statusCode(*form), "ZVE035");
    EXPECT_FALSE(editing());
    EXPECT_EQ(form->txtName->text(), "");
    EXPECT_FALSE(on(*form, "Modify"));
}

// Select: a choice shows the row; a cancelled filter leaves everything as it was.
TEST_P(NameMasterTest, SelectThroughTheGeneralFilter) {
    const qint64 sales = addRow("Sales");
    QString askedKey;
    answers.filter = [&](const QString &k) {
        askedKey = k;
        return QStringList{QString(), QString()};
    };
    key_(Qt::Key_F8);
    EXPECT_EQ(askedKey, kind().table == "Dept_Mast" ? "F011" : "F012");
    EXPECT_EQ(form->txtName->text(), "");
    EXPECT_FALSE(on(*form, "Modify"));

    select(sales);
    EXPECT_EQ(form->txtName->text(), "Sales");
    EXPECT_EQ(form->currentKey(), QString::number(sales));
    answers.filter = [](const QString &) { return QStringList{QString(), QString()}; };
    key_(Qt::Key_F8);
    EXPECT_EQ(form->txtName->text(), "Sales");
    EXPECT_TRUE(on(*form, "Modify"));
}

// Another program is in the middle of a save of its own for longer than a save
// waits: Ok says the record could not be saved because the database is in use,
// keeps the edit, and writes nothing; Ok again once it is done saves.
TEST_P(NameMasterTest, ASaveMeetingAnotherProgramsLockSaysInUseAndWritesNothing) {
    key_(Qt::Key_F2);
    type("Sales");
    {
        OtherProgramLock theirs(folder->productionDb(),
                                "BEGIN IMMEDIATE; INSERT INTO " + kind().table + " (" + kind().column +
                                    ") VALUES ('Theirs')");
        ASSERT_TRUE(theirs.held()) << theirs.output().constData();
        key_(Qt::Key_F9);
        EXPECT_EQ(messages.prompts(),
                  QStringList{"The record could not be saved because the database is in use by another program. "
                              "Please try again when it is closed."});
        EXPECT_TRUE(editing());
        ASSERT_TRUE(theirs.release());
    }
    EXPECT_EQ(count("Sales"), 0);
    EXPECT_EQ(count("Theirs"), 0);

    key_(Qt::Key_F9);
    EXPECT_EQ(statusCode(*form), "ZVE003");
    EXPECT_EQ(count("Sales"), 1);
}

// A save that fails is reported as failed and keeps the edit open, at Ok and at the close box.
TEST_P(NameMasterTest, FailedSaveIsNeverReportedAsSaved) {
    other.executeScript("CREATE TRIGGER refuse BEFORE INSERT ON " + kind().table +
                        " BEGIN SELECT RAISE(ABORT, 'refused'); END;");
    key_(Qt::Key_F2);
    type("Sales");
    key_(Qt::Key_F9);
    EXPECT_EQ(statusCode(*form), "ZVE004");
    EXPECT_TRUE(editing());

    messages.answer(vbYes);
    form->close();
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(statusCode(*form), "ZVE004");
    EXPECT_EQ(count("Sales"), 0);
    key_(Qt::Key_F10);

    // An update the database refuses: the edit and its row lock stay, nothing is changed.
    other.executeScript("DROP TRIGGER refuse; CREATE TRIGGER refuse BEFORE UPDATE ON " + kind().table +
                        " BEGIN SELECT RAISE(ABORT, 'refused'); END;");
    const qint64 stores = addRow("Stores");
    select(stores);
    key_(Qt::Key_F3);
    ASSERT_TRUE(editing());
    form->txtName->setText("Shop");
    key_(Qt::Key_F9);
    EXPECT_EQ(statusCode(*form), "ZVE035");
    EXPECT_TRUE(editing());
    EXPECT_TRUE(form->rowLocked());
    EXPECT_EQ(nameOf(stores).toString(), "Stores");
    messages.answer(vbYes);
    form->close();
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(nameOf(stores).toString(), "Stores");
}

// One read of a key fails while the file is otherwise free (the next read,
// or the insert, would succeed): the key ends with one box, asks nothing,
// and neither opens the edit nor deletes nor saves.
TEST_P(NameMasterTest, AReadThatFailsEndsItsKeyAndDecidesNothing) {
    const Kind &k = kind();
    const bool protectable = k.table == "Dept_Mast";
    struct Case {
        const char *label;
        QString failing;
        bool protectedOnly;
        bool adds;   // Add, a taken name typed, Ok; otherwise the key on the shown row
        Qt::Key key;
    };
    const Case cases[] = {
        {"Modify: protected?", "SELECT Edit_Allow FROM " + k.table, true, false, Qt::Key_F3},
        {"Delete: protected?", "SELECT Edit_Allow FROM " + k.table, true, false, Qt::Key_F4},
        {"Delete: referenced?", "SELECT 1 FROM Emp_Mast WHERE " + k.key, false, false, Qt::Key_F4},
        {"Modify: the name on file", "SELECT " + k.column + " FROM " + k.table, false, false, Qt::Key_F3},
        {"Ok: duplicate?", "SELECT 1 FROM " + k.table + " WHERE trim(", false, true, Qt::Key_F9},
    };
    const qint64 shown = addRow("Stores");
    for (const Case &c : cases) {
        if (c.protectedOnly && !protectable)
            continue;
        SCOPED_TRACE(c.label);
        form.reset(GetParam().make(answers.forms()));
        showForm(*form);
        if (c.adds) {
            key_(Qt::Key_F2);
            type("stores");
        } else {
            select(shown);
        }
        messages.clear();
        messages.answer(vbYes);   // a delete question, were one asked
        modCommon::CloseMainConnection();
        {
            const FailingStatement failing("ZV-DATA.mdb", c.failing.toUtf8());
            key_(c.key);
            ASSERT_TRUE(failing.failed()) << "the read was never made";
        }
        ASSERT_EQ(messages.prompts().size(), 1) << messages.prompts().join(" / ").toStdString();
        EXPECT_NE(messages.prompts().at(0), kDeleteQuestion);
        EXPECT_EQ(count("Stores"), 1);
        EXPECT_EQ(scalar("SELECT count(*) FROM " + k.table).toInt(), 1);
        EXPECT_EQ(editing(), c.adds);
        EXPECT_FALSE(form->rowLocked());
    }
}

// A user who is not the administrator can look but not change.
TEST_P(NameMasterTest, OnlyTheAdministratorChanges) {
    const qint64 sales = addRow("Sales");
    form.reset();
    modCommon::gIsAdmin = false;
    form.reset(GetParam().make(answers.forms()));
    showForm(*form);
    EXPECT_FALSE(on(*form, "Add"));
    select(sales);
    EXPECT_EQ(form->txtName->text(), "Sales");
    for (const char *b : {"Add", "Modify", "Delete"})
        EXPECT_FALSE(on(*form, b)) << b;
    EXPECT_TRUE(on(*form, "Refresh"));
    key_(Qt::Key_F2);
    EXPECT_FALSE(editing());
}

INSTANTIATE_TEST_SUITE_P(Masters, NameMasterTest, ::testing::Values(kDepartment, kDesignation), ByLabel());

// ---------------------------------------------------------------- save questions

class NameMasterClosing : public MasterTest, public ::testing::WithParamInterface<std::tuple<Kind, EditClosing>> {};

// Esc and the close box while adding: Yes saves, No drops, Cancel goes back to the edit.
TEST_P(NameMasterClosing, SaveQuestion) {
    const auto &[kind, c] = GetParam();
    QPointer<NameMaster> form = kind.make(answers.forms());
    showForm(*form);
    key(*form, Qt::Key_F2);
    QTest::keyClicks(form->txtName, "Sales");
    answerThenClose(*form, c.answer, c.byEsc);

    ASSERT_EQ(messages.prompts().size(), 1);
    EXPECT_EQ(messages.prompts().at(0), "Do you want to save the changes you made to '" + kind.caption +
                                            (c.byEsc ? "'?" : "' ?"));
    EXPECT_EQ(messages.shown().at(0).title, "Exit Confirmation");
    EXPECT_EQ(messages.shown().at(0).buttons, zv::ui::vbYesNoCancel + zv::ui::vbQuestion);
    EXPECT_EQ(scalar("SELECT count(*) FROM " + kind.table + " WHERE " + kind.column + " = 'Sales'").toInt(),
              c.saved ? 1 : 0);
    EXPECT_EQ(form->isVisible(), c.open);
    if (c.open)
        EXPECT_EQ(form->txtName->isEnabled(), c.editing);
    delete form;
}

INSTANTIATE_TEST_SUITE_P(Masters, NameMasterClosing, ::testing::Combine(::testing::Values(kDepartment, kDesignation),
                                                                        editClosingCases()),
                         [](const auto &info) {
                             return std::string(std::get<0>(info.param).label) + std::get<1>(info.param).label;
                         });

class DepartmentOnly : public MasterTest {};

// Esc in view mode closes without a question; the close box with a failing check stays open;
// closing a modify without saving lets the row go.
TEST_F(DepartmentOnly, ClosingOutsideAndInsideAnEdit) {
    {
        frmDepartment form(nullptr, answers.forms());
        showForm(form);
        key(form, Qt::Key_Escape);
        EXPECT_FALSE(form.isVisible());
        EXPECT_TRUE(messages.prompts().isEmpty());
    }
    {
        frmDepartment form(nullptr, answers.forms());
        showForm(form);
        key(form, Qt::Key_F2);
        messages.answer(vbYes);
        form.close();
        EXPECT_TRUE(form.isVisible());
        EXPECT_EQ(statusCode(form), "ZVE164");
    }
    const qint64 sales = insert("INSERT INTO Dept_Mast (Dept_Desc) VALUES ('Sales')");
    {
        frmDepartment form(nullptr, answers.forms());
        showForm(form);
        answers.filter = [&](const QString &) { return QStringList{QString::number(sales), "Sales"}; };
        key(form, Qt::Key_F8);
        key(form, Qt::Key_F3);
        ASSERT_TRUE(form.rowLocked());
        form.txtDeptName->setText("Shop");
        messages.answer(vbNo);
        form.close();
        EXPECT_FALSE(form.isVisible());
        EXPECT_NO_THROW(other.lockRow("Dept_Mast", sales));
        EXPECT_EQ(scalar("SELECT Dept_Desc FROM Dept_Mast").toString(), "Sales");
    }
}

// Protected departments can be shown but neither modified nor deleted; designations have no such rows.
TEST_F(DepartmentOnly, ProtectedRows) {
    const qint64 dept = insert("INSERT INTO Dept_Mast (Dept_Desc, Edit_Allow) VALUES ('Head Office', 1)");
    const qint64 desg = insert("INSERT INTO Desg_Mast (Desg_Name, Edit_Allow) VALUES ('Director', 1)");
    frmDepartment form(nullptr, answers.forms());
    showForm(form);
    answers.filter = [&](const QString &) { return QStringList{QString::number(dept), "Head Office"}; };
    key(form, Qt::Key_F8);
    key(form, Qt::Key_F3);
    EXPECT_EQ(statusCode(form), "ZVE160");
    EXPECT_FALSE(form.txtDeptName->isEnabled());
    key(form, Qt::Key_F4);
    EXPECT_EQ(statusCode(form), "ZVE161");
    EXPECT_TRUE(messages.prompts().isEmpty());

    frmDesignation other(nullptr, answers.forms());
    showForm(other);
    answers.filter = [&](const QString &) { return QStringList{QString::number(desg), "Director"}; };
    key(other, Qt::Key_F8);
    key(other, Qt::Key_F3);
    EXPECT_TRUE(other.txtDesgName->isEnabled());
}

// A production database without the table: the form says so, forgets the path and closes.
TEST_F(DepartmentOnly, MissingTableClosesTheForm) {
    other.executeScript("PRAGMA foreign_keys = OFF; DROP TABLE Dept_Mast;");
    frmDepartment form(nullptr, answers.forms());
    showForm(form);
    QApplication::processEvents();
    EXPECT_EQ(messages.prompts(), QStringList{zv::fw::kCorrupted});
    EXPECT_EQ(modCommon::gDBPath, "");
    EXPECT_FALSE(form.isVisible());
}

} // namespace
