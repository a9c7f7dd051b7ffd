#include "ClosingCases.h"
#include "MasterFixture.h"
#include "core/FormRegistry.h"
#include "core/MDIZVS.h"
#include "masters/MasterForms.h"
#include "masters/frmEmpMngrAssgn.h"
#include "masters/frmHolidayMaster.h"
#include "query/RecordsetGrid.h"
#include "support/Modal.h"
#include <QComboBox>
#include <QGroupBox>
#include <QTimer>
#include <functional>

using zv::ui::vbCancel;
using zv::ui::vbNo;
using zv::ui::vbYes;

namespace {

class MappingTest : public MasterTest {
public:
    void SetUp() override {
        MasterTest::SetUp();
        accounts = insert("INSERT INTO Dept_Mast (Dept_Desc) VALUES ('Accounts')");
        stores = insert("INSERT INTO Dept_Mast (Dept_Desc) VALUES ('Stores')");
        managerDesg = insert("INSERT INTO Desg_Mast (Desg_Name) VALUES ('Manager')");
        clerk = insert("INSERT INTO Desg_Mast (Desg_Name) VALUES ('Clerk')");
    }
    void TearDown() override {
        form.reset();
        MasterTest::TearDown();
    }
    qint64 emp(const QString &name, qint64 dept, qint64 desg) {
        return insert("INSERT INTO Emp_Mast (Emp_Num, Emp_Name, Sys_Desg_Num, Sys_Dept_Num, Emp_Shrt_Name) "
                      "VALUES (?, ?, ?, ?, ?)",
                      {name.left(3), name, desg, dept, name.toUpper()});
    }
    qint64 mapping(qint64 manager, const QList<qint64> &reports) {
        const qint64 m = insert("INSERT INTO Emp_Spvr_Mapg_Hdr (Sys_Emp_Num) VALUES (?)", {manager});
        for (qint64 e : reports)
            insert("INSERT INTO Emp_Spvr_Mapg_Det (Sys_Mapg_Num, Sys_Emp_Num) VALUES (?, ?)", {m, e});
        return m;
    }
    int count(const QString &table, const QString &where = "1=1", const QVariantList &values = {}) {
        return scalar("SELECT count(*) FROM " + table + " WHERE " + where, values).toInt();
    }
    void open() {
        form = std::make_unique<frmEmpMngrAssgn>(nullptr, answers.forms());
        showForm(*form);
    }
    // Select as the filter window answers for the key's metadata: manager's name,
    // login name, designation, mapping key.
    void select(qint64 m) {
        answers.filter = [this, m](const QString &screenKey) {
            askedKey = screenKey;
            return QStringList{"", "LOGIN", "", QString::number(m)};
        };
        key(*form, Qt::Key_F8);
    }
    static QStringList entries(const QComboBox *box) {
        QStringList texts;
        for (int i = 0; i < box->count(); ++i)
            texts << box->itemText(i);
        return texts;
    }
    // Picks the entry that begins with the text, by the arrow keys.
    void choose(QComboBox *box, const QString &start) {
        int target = -1;
        for (int i = 0; i < box->count() && target < 0; ++i)
            if (box->itemText(i).startsWith(start))
                target = i;
        ASSERT_GE(target, 0) << start.toStdString();
        box->setFocus();
        for (int guard = 0; box->currentIndex() != target && guard < box->count() + 1; ++guard)
            QTest::keyClick(box, box->currentIndex() < target ? Qt::Key_Down : Qt::Key_Up);
        ASSERT_EQ(box->currentIndex(), target) << start.toStdString();
    }
    QStringList gridNames() const {
        QStringList names;
        auto *m = form->dgGrid->model();
        for (int r = 0; r < m->rowCount(); ++r)
            names << m->index(r, 2).data().toString();
        return names;
    }
    bool entryOpen() const { return form->fraDet->isEnabled(); }

    std::unique_ptr<frmEmpMngrAssgn> form;
    QString askedKey;
    qint64 accounts = 0, stores = 0, managerDesg = 0, clerk = 0;
};

// Add: the managers offered head no mapping; the employees offered are all but the
// manager; Ok saves the header with its first line; a mapping is never saved alone.
TEST_F(MappingTest, NewMappingIsWrittenWithItsFirstLine) {
    const qint64 asha = emp("Asha", accounts, managerDesg);
    const qint64 binu = emp("Binu", stores, clerk);
    const qint64 chitra = emp("Chitra", accounts, managerDesg);
    emp("Dev", stores, clerk);
    mapping(asha, {binu});
    open();
    EXPECT_FALSE(form->cmbManager->isEnabled());
    EXPECT_TRUE(on(*form, "Add"));
    EXPECT_FALSE(on(*form, "Modify"));
    EXPECT_FALSE(form->headerButton("Print")->isVisible());
    EXPECT_FALSE(form->footerButton("Reset")->isVisible());

    key(*form, Qt::Key_F2);
    ASSERT_TRUE(form->cmbManager->isEnabled());
    EXPECT_EQ(entries(form->cmbManager), (QStringList{"Binu - Clerk", "Chitra - Manager", "Dev - Clerk"}));
    key(*form, Qt::Key_F9);
    EXPECT_EQ(statusCode(*form), "ZVE007");
    EXPECT_TRUE(form->lblStatus->text().contains("Manager Name"));

    choose(form->cmbManager, "Ch");
    EXPECT_EQ(form->txtmanagerdept->text(), "Accounts");
    EXPECT_TRUE(on(*form, "DetailAdd"));
    key(*form, Qt::Key_F9);
    EXPECT_EQ(statusCode(*form), "ZVE128");
    EXPECT_TRUE(form->lblStatus->text().contains("Employee Details"));
    EXPECT_EQ(count("Emp_Spvr_Mapg_Hdr"), 1);

    key(*form, Qt::Key_F5);
    ASSERT_TRUE(entryOpen());
    // Binu reports to Asha and may report to Chitra too.
    EXPECT_EQ(entries(form->cmbEmpName), (QStringList{"Asha - Manager", "Binu - Clerk", "Dev - Clerk"}));
    key(*form, Qt::Key_F9);
    EXPECT_EQ(statusCode(*form), "ZVE007");
    EXPECT_TRUE(form->lblStatus->text().contains("Employee Name"));
    EXPECT_TRUE(entryOpen());

    choose(form->cmbEmpName, "B");
    EXPECT_EQ(form->txtEmpDesig->text(), "Clerk");
    EXPECT_EQ(form->txtDept->text(), "Stores");
    key(*form, Qt::Key_F9);
    EXPECT_EQ(statusCode(*form), "ZVE003");
    const qint64 m = scalar("SELECT Sys_Mapg_Num FROM Emp_Spvr_Mapg_Hdr WHERE Sys_Emp_Num = ?", {chitra}).toLongLong();
    ASSERT_GT(m, 0);
    EXPECT_EQ(form->mappingNumber(), QString::number(m));
    EXPECT_EQ(count("Emp_Spvr_Mapg_Det", "Sys_Mapg_Num = ? AND Sys_Emp_Num = ?", {m, binu}), 1);
    EXPECT_EQ(gridNames(), QStringList{"Binu"});
    EXPECT_FALSE(entryOpen());
    EXPECT_FALSE(form->cmbManager->isEnabled());
    EXPECT_TRUE(on(*form, "DetailDelete"));

    // The next line: the list leaves out the manager and his present lines.
    key(*form, Qt::Key_F5);
    EXPECT_EQ(entries(form->cmbEmpName), (QStringList{"Asha - Manager", "Dev - Clerk"}));
    key(*form, Qt::Key_F10);
}

// A failure half-way leaves no mapping without its line and is not reported as saved.
TEST_F(MappingTest, FailedSaveLeavesNothingHalfWritten) {
    emp("Asha", accounts, managerDesg);
    emp("Binu", stores, clerk);
    other.executeScript("CREATE TRIGGER refuse BEFORE INSERT ON Emp_Spvr_Mapg_Det "
                        "BEGIN SELECT RAISE(ABORT, 'refused'); END;");
    open();
    key(*form, Qt::Key_F2);
    choose(form->cmbManager, "A");
    key(*form, Qt::Key_F5);
    choose(form->cmbEmpName, "B");
    key(*form, Qt::Key_F9);
    EXPECT_EQ(statusCode(*form), "ZVE004");
    EXPECT_TRUE(entryOpen());
    EXPECT_EQ(count("Emp_Spvr_Mapg_Hdr"), 0);

    messages.answer(vbYes);   // the close box's Yes with a save that fails keeps the form
    form->close();
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(statusCode(*form), "ZVE004");
}

// Every way a mapping comes to be on the screen: DetailAdd reads it again first,
// so one another user deleted meanwhile is refused and nothing is written; a new
// mapping being added has nothing to read and opens its first line.
struct ShownMapping {
    const char *label;
    std::function<void(MappingTest &, qint64 mapping)> reach;
};
void PrintTo(const ShownMapping &c, std::ostream *os) { *os << c.label; }

// The mapping selected and a line for Binu saved to it.
void savedLine(MappingTest &t, qint64 m) {
    t.select(m);
    key(*t.form, Qt::Key_F5);
    t.choose(t.form->cmbEmpName, "B");
    key(*t.form, Qt::Key_F9);
    ASSERT_EQ(MasterTest::statusCode(*t.form), "ZVE003");
}

class MappingShown : public MappingTest, public ::testing::WithParamInterface<ShownMapping> {};

TEST_P(MappingShown, LineAddReadsTheMappingAgain) {
    const qint64 asha = emp("Asha", accounts, managerDesg);
    emp("Binu", stores, clerk);
    emp("Chitra", stores, clerk);
    const qint64 m1 = mapping(asha, {});
    insert("INSERT INTO Emp_Spvr_Mapg_Det (Sys_Mapg_Num, Sys_Emp_Num) VALUES (?, ?)",
           {m1, emp("Dev", stores, clerk)});
    open();
    GetParam().reach(*this, m1);
    ASSERT_EQ(form->cmbManager->currentText(), "Asha - Manager");
    ASSERT_FALSE(entryOpen());
    other.execute("DELETE FROM Emp_Spvr_Mapg_Det");
    other.execute("DELETE FROM Emp_Spvr_Mapg_Hdr");

    key(*form, Qt::Key_F5);
    EXPECT_EQ(statusCode(*form), "ZVE034");
    EXPECT_TRUE(form->lblStatus->text().contains("Cannot Add. "));
    EXPECT_FALSE(entryOpen());
    EXPECT_EQ(form->mode(), zv::fw::Mode::None);
    EXPECT_EQ(form->cmbManager->currentText(), "");
    EXPECT_FALSE(on(*form, "DetailAdd"));
    EXPECT_EQ(count("Emp_Spvr_Mapg_Hdr"), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Mapping, MappingShown,
    ::testing::Values(
        ShownMapping{"AfterSelect", [](MappingTest &t, qint64 m) { t.select(m); }},
        ShownMapping{"AfterRefresh",
                     [](MappingTest &t, qint64 m) {
                         t.select(m);
                         key(*t.form, Qt::Key_F11);
                     }},
        ShownMapping{"AfterASavedLine", savedLine},
        ShownMapping{"AfterACancelledLine",
                     [](MappingTest &t, qint64 m) {
                         t.select(m);
                         key(*t.form, Qt::Key_F5);
                         key(*t.form, Qt::Key_F10);
                     }},
        ShownMapping{"AfterAManagerChange",
                     [](MappingTest &t, qint64 m) {
                         t.select(m);
                         key(*t.form, Qt::Key_F3);
                         key(*t.form, Qt::Key_F9);
                         ASSERT_EQ(MasterTest::statusCode(*t.form), "ZVE002");
                     }},
        ShownMapping{"AfterALineDelete",
                     [](MappingTest &t, qint64 m) {
                         savedLine(t, m);
                         t.messages.answer(vbYes);
                         key(*t.form, Qt::Key_F7);
                         ASSERT_EQ(MasterTest::statusCode(*t.form), "ZVE008");
                         key(*t.form, Qt::Key_F10);
                     }}),
    ByLabel());

// A new mapping has no row to read again: its manager chosen, the first line opens.
TEST_F(MappingTest, NewMappingOpensItsFirstLineUnread) {
    emp("Asha", accounts, managerDesg);
    emp("Binu", stores, clerk);
    open();
    key(*form, Qt::Key_F2);
    choose(form->cmbManager, "A");
    ASSERT_EQ(form->mappingNumber(), "0");
    key(*form, Qt::Key_F5);
    EXPECT_TRUE(entryOpen());
    EXPECT_EQ(statusCode(*form), "");
    EXPECT_EQ(form->mode(), zv::fw::Mode::Modify);
    EXPECT_EQ(form->detailMode(), zv::fw::DetailMode::DetailAdd);
}

// Select shows the mapping through the general filter; a cancelled filter keeps it.
// Modify offers the shown manager and everyone who heads nothing but the mapping's own
// employees; choices that meanwhile became refusals are caught at Ok; the same manager
// saves without the question; a new one is asked for and keeps the mapping's lines.
TEST_F(MappingTest, SelectAndChangeTheManager) {
    const qint64 asha = emp("Asha", accounts, managerDesg);
    const qint64 binu = emp("Binu", stores, clerk);
    const qint64 chitra = emp("Chitra", stores, clerk);
    const qint64 dev = emp("Dev", accounts, managerDesg);
    const qint64 esha = emp("Esha", stores, clerk);
    const qint64 farid = emp("Farid", accounts, clerk);
    const qint64 m1 = mapping(asha, {binu, chitra});
    mapping(dev, {esha});
    open();
    select(m1);
    EXPECT_EQ(askedKey, "MNGREMP");
    EXPECT_EQ(form->cmbManager->currentText(), "Asha - Manager");
    EXPECT_EQ(form->txtmanagerdept->text(), "Accounts");
    EXPECT_EQ(gridNames(), (QStringList{"Binu", "Chitra"}));
    for (const char *b : {"Add", "Modify", "Delete", "DetailAdd", "DetailDelete", "Select", "Refresh", "Exit"})
        EXPECT_TRUE(on(*form, b)) << b;

    answers.filter = [](const QString &) { return QStringList{"", ""}; };
    key(*form, Qt::Key_F8);
    EXPECT_EQ(form->cmbManager->currentText(), "Asha - Manager");
    EXPECT_TRUE(on(*form, "Modify"));

    {
        auto held = other.lockRow("Emp_Spvr_Mapg_Hdr", m1);
        key(*form, Qt::Key_F3);
        EXPECT_EQ(statusCode(*form), "ZVE027");
        EXPECT_FALSE(form->cmbManager->isEnabled());
    }
    key(*form, Qt::Key_F3);
    ASSERT_TRUE(form->cmbManager->isEnabled());
    EXPECT_EQ(entries(form->cmbManager), (QStringList{"Asha - Manager", "Esha - Clerk", "Farid - Clerk"}));
    EXPECT_EQ(form->cmbManager->currentText(), "Asha - Manager");

    // Changed by another user since the list was filled.
    insert("INSERT INTO Emp_Spvr_Mapg_Hdr (Sys_Emp_Num) VALUES (?)", {farid});
    insert("INSERT INTO Emp_Spvr_Mapg_Det (Sys_Mapg_Num, Sys_Emp_Num) VALUES (?, ?)", {m1, esha});
    choose(form->cmbManager, "F");
    key(*form, Qt::Key_F9);
    EXPECT_EQ(statusCode(*form), "ZVE006");
    EXPECT_TRUE(form->lblStatus->text().contains("Manager Name"));
    choose(form->cmbManager, "E");
    key(*form, Qt::Key_F9);
    EXPECT_EQ(statusCode(*form), "ZVE157");
    EXPECT_FALSE(form->cmbManager->isEnabled());
    EXPECT_EQ(form->cmbManager->currentText(), "Asha - Manager");
    other.execute("DELETE FROM Emp_Spvr_Mapg_Det WHERE Sys_Emp_Num = ? AND Sys_Mapg_Num = ?", {esha, m1});
    other.execute("DELETE FROM Emp_Spvr_Mapg_Hdr WHERE Sys_Emp_Num = ?", {farid});

    key(*form, Qt::Key_F3);
    key(*form, Qt::Key_F9);
    EXPECT_EQ(statusCode(*form), "ZVE002");
    EXPECT_TRUE(messages.prompts().isEmpty());

    key(*form, Qt::Key_F3);
    choose(form->cmbManager, "F");
    messages.answer(vbNo);
    key(*form, Qt::Key_F9);
    EXPECT_EQ(messages.prompts(),
              QStringList{"Manager Name 'Asha - Manager' has been Changed to 'Farid - Clerk'. Do you Want to Continue? "});
    EXPECT_EQ(messages.shown().at(0).buttons, zv::ui::vbYesNo + zv::ui::vbQuestion + zv::ui::vbDefaultButton2);
    EXPECT_TRUE(form->cmbManager->isEnabled());
    EXPECT_EQ(scalar("SELECT Sys_Emp_Num FROM Emp_Spvr_Mapg_Hdr WHERE Sys_Mapg_Num = ?", {m1}).toLongLong(), asha);
    messages.answer(vbYes);
    key(*form, Qt::Key_F9);
    EXPECT_EQ(statusCode(*form), "ZVE002");
    EXPECT_EQ(scalar("SELECT Sys_Emp_Num FROM Emp_Spvr_Mapg_Hdr WHERE Sys_Mapg_Num = ?", {m1}).toLongLong(), farid);
    EXPECT_EQ(form->cmbManager->currentText(), "Farid - Clerk");
    EXPECT_EQ(gridNames(), (QStringList{"Binu", "Chitra"}));
    EXPECT_FALSE(form->rowLocked());
}

// Lines go one by one, the cursor staying in place; the last line takes the mapping
// with it. Delete takes every line and then the mapping; another user's hold refuses it.
TEST_F(MappingTest, DeletingLinesAndMappings) {
    const qint64 asha = emp("Asha", accounts, managerDesg);
    const qint64 binu = emp("Binu", stores, clerk);
    const qint64 chitra = emp("Chitra", stores, clerk);
    const qint64 dev = emp("Dev", stores, clerk);
    const qint64 m1 = mapping(asha, {binu, chitra, dev});
    open();
    select(m1);
    form->dgGrid->setFocus();
    QTest::keyClick(form->dgGrid, Qt::Key_Down);
    ASSERT_EQ(form->dgGrid->currentText(2), "Chitra");

    messages.answer(vbNo);
    key(*form, Qt::Key_F7);
    EXPECT_EQ(messages.prompts(), QStringList{kDeleteQuestion});
    EXPECT_EQ(count("Emp_Spvr_Mapg_Det"), 3);

    messages.answer(vbYes);
    key(*form, Qt::Key_F7);
    EXPECT_EQ(statusCode(*form), "ZVE008");
    EXPECT_EQ(gridNames(), (QStringList{"Binu", "Dev"}));
    EXPECT_EQ(form->dgGrid->currentText(2), "Dev");   // the row now at the old place
    messages.answer(vbYes);
    key(*form, Qt::Key_F7);
    EXPECT_EQ(form->dgGrid->currentText(2), "Binu");  // fewer rows: the last
    messages.answer(vbYes);
    key(*form, Qt::Key_F7);
    EXPECT_EQ(statusCode(*form), "ZVE008");
    EXPECT_EQ(count("Emp_Spvr_Mapg_Hdr"), 0);
    EXPECT_EQ(form->cmbManager->currentText(), "");
    for (const char *b : {"Modify", "Delete", "Refresh", "DetailAdd"})
        EXPECT_FALSE(on(*form, b)) << b;

    const qint64 m2 = mapping(asha, {binu, chitra});
    messages.clear();
    select(m2);
    {
        auto held = other.lockRow("Emp_Spvr_Mapg_Hdr", m2);
        messages.answer(vbYes);
        key(*form, Qt::Key_F4);
        EXPECT_EQ(statusCode(*form), "ZVE028");
        EXPECT_EQ(count("Emp_Spvr_Mapg_Det"), 2);
    }
    messages.answer(vbNo);
    key(*form, Qt::Key_F4);
    EXPECT_EQ(messages.prompts().last(), "Are you sure you want to delete the Manager as well as Employees?");
    EXPECT_EQ(count("Emp_Spvr_Mapg_Hdr"), 1);
    messages.answer(vbYes);
    key(*form, Qt::Key_F4);
    EXPECT_EQ(statusCode(*form), "ZVE008");
    EXPECT_EQ(count("Emp_Spvr_Mapg_Det"), 0);
    EXPECT_EQ(count("Emp_Spvr_Mapg_Hdr"), 0);
    EXPECT_EQ(form->cmbManager->currentText(), "");
    EXPECT_EQ(form->dgGrid->model()->rowCount(), 0);
}

struct LineClosing {
    const char *label;
    bool byEsc;
    bool chosen;   // an employee is chosen in the line entry
    int answer;
    bool saved, open, entry;
};
void PrintTo(const LineClosing &c, std::ostream *os) { *os << c.label; }

class MappingClosing : public MappingTest, public ::testing::WithParamInterface<LineClosing> {};

// During line entry Esc and the close box ask about 'Employee Details': Yes saves (the
// form stays open while the line fails its check), No drops it, Cancel goes back.
TEST_P(MappingClosing, LineEntryQuestion) {
    const LineClosing c = GetParam();
    const qint64 asha = emp("Asha", accounts, managerDesg);
    const qint64 binu = emp("Binu", stores, clerk);
    emp("Chitra", stores, clerk);
    const qint64 m1 = mapping(asha, {binu});
    open();
    select(m1);
    key(*form, Qt::Key_F5);
    if (c.chosen)
        choose(form->cmbEmpName, "C");
    answerThenClose(*form, c.answer, c.byEsc);
    ASSERT_EQ(messages.prompts(), QStringList{"Do you want to save the changes you made to 'Employee Details'?"});
    EXPECT_EQ(messages.shown().at(0).title, "Exit Confirmation");
    EXPECT_EQ(messages.shown().at(0).buttons, zv::ui::vbYesNoCancel + zv::ui::vbExclamation);
    EXPECT_EQ(count("Emp_Spvr_Mapg_Det"), c.saved ? 2 : 1);
    EXPECT_EQ(form->isVisible(), c.open);
    EXPECT_EQ(entryOpen(), c.entry);
}

INSTANTIATE_TEST_SUITE_P(
    Mapping, MappingClosing,
    ::testing::Values(LineClosing{"EscYes", true, true, vbYes, true, true, false},
                      LineClosing{"EscNo", true, true, vbNo, false, true, false},
                      LineClosing{"EscCancel", true, true, vbCancel, false, true, true},
                      LineClosing{"CloseYes", false, true, vbYes, true, false, false},
                      LineClosing{"CloseYesUnchosen", false, false, vbYes, false, true, true},
                      LineClosing{"CloseNo", false, true, vbNo, false, false, false},
                      LineClosing{"CloseCancel", false, true, vbCancel, false, true, true}),
    ByLabel());

// After Select Esc closes at once, Help in between changing no mode; while adding
// it asks in the form's own words and keeps the form; a database without the
// mapping tables closes it without a question.
TEST_F(MappingTest, EscOutsideLineEntry) {
    const qint64 asha = emp("Asha", accounts, managerDesg);
    const qint64 m1 = mapping(asha, {emp("Binu", stores, clerk)});
    open();
    select(m1);
    key(*form, Qt::Key_F1);
    EXPECT_EQ(messages.prompts(), QStringList{"Help not available"});
    messages.clear();
    key(*form, Qt::Key_Escape);
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(messages.prompts().isEmpty());

    open();
    key(*form, Qt::Key_F2);
    messages.answer(vbNo);
    key(*form, Qt::Key_Escape);
    EXPECT_EQ(messages.prompts(),
              QStringList{"Do you want to save the changes you made to 'Employee Manager Relationship'?"});
    EXPECT_TRUE(form->isVisible());
    EXPECT_FALSE(form->cmbManager->isEnabled());
    key(*form, Qt::Key_Escape);
    EXPECT_FALSE(form->isVisible());
    form.reset();

    messages.clear();
    other.executeScript("PRAGMA foreign_keys = OFF; DROP TABLE Emp_Spvr_Mapg_Det;");
    open();
    QApplication::processEvents();
    EXPECT_EQ(messages.prompts(), QStringList{zv::fw::kUnsupported});
    EXPECT_FALSE(form->isVisible());
}

// The main window's Master menu opens both forms.
TEST_F(MappingTest, OpenedFromTheMasterMenu) {
    zv::forms::clearRegistry();
    zv::masters::registerForms(answers.forms());
    MDIZVS *main = MDIZVS::instance();
    main->applyEnablingRule(true);
    ASSERT_TRUE(main->mnuHoliday->isEnabled());
    ASSERT_TRUE(main->mnuEmpMngrReln->isEnabled());

    // The holiday master asks for a list first; cancelled, it is never shown.
    answers.filter = [this](const QString &k) {
        askedKey = k;
        return QStringList{"", ""};
    };
    other.execute("INSERT INTO Holday_List_Hdr (Fincl_Year) VALUES (2026)");
    main->mnuHoliday->trigger();
    EXPECT_EQ(askedKey, "HOLDAY");

    QString title;
    onModal<frmEmpMngrAssgn>([&](frmEmpMngrAssgn *f) {
        title = f->windowTitle();
        key(*f, Qt::Key_Escape);
    });
    main->mnuEmpMngrReln->trigger();
    EXPECT_EQ(title, "Employee Manager Relationship");
    zv::forms::clearRegistry();
}

} // namespace
