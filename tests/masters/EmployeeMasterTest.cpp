#include "ClosingCases.h"
#include "MasterFixture.h"
#include "core/MDIZVS.h"
#include "core/frmCheckPswd.h"
#include "masters/FrmEmp.h"
#include "support/FailingStatement.h"
#include "support/Modal.h"
#include <QClipboard>
#include <QComboBox>
#include <QPointer>
#include <QTimer>

using zv::ui::vbCancel;
using zv::ui::vbNo;
using zv::ui::vbYes;

namespace {

const QString kSaveQuestion = QStringLiteral("Do you want to save the changes you made to 'Employee Master'?");

class EmployeeTest : public MasterTest {
public:
    void SetUp() override {
        MasterTest::SetUp();
        stores = insert("INSERT INTO Dept_Mast (Dept_Desc) VALUES ('Stores')");
        accounts = insert("INSERT INTO Dept_Mast (Dept_Desc) VALUES ('Accounts')");
        clerk = insert("INSERT INTO Desg_Mast (Desg_Name) VALUES ('Clerk')");
        manager = insert("INSERT INTO Desg_Mast (Desg_Name) VALUES ('Manager')");
        open();
    }
    void TearDown() override {
        form.reset();
        MasterTest::TearDown();
    }
    void open() {
        form = std::make_unique<FrmEmp>(nullptr, answers.forms());
        showForm(*form);
    }
    void key_(Qt::Key k) { key(*form, k); }
    bool editing() const { return form->txtEmpno->isEnabled(); }

    qint64 employee(const QString &num, const QString &name, const QString &login, const QString &password = "pass1") {
        return insert("INSERT INTO Emp_Mast (Emp_Num, Emp_Name, Sys_Desg_Num, Sys_Dept_Num, Emp_Shrt_Name, Pswd) "
                      "VALUES (?, ?, ?, ?, ?, ?)",
                      {num, name, clerk, stores, login, modCommon::EncodePassword(password)});
    }
    QVariant column(qint64 emp, const QString &name) {
        return scalar("SELECT " + name + " FROM Emp_Mast WHERE Sys_Emp_Num = ?", {emp});
    }
    int employees() { return scalar("SELECT count(*) FROM Emp_Mast").toInt(); }

    // Selects the employee as the filter window would answer: its key in the fifth column.
    void select(qint64 emp) {
        answers.filter = [emp](const QString &) {
            return QStringList{"E", "Name", "Clerk", "Stores", QString::number(emp), "login"};
        };
        key_(Qt::Key_F8);
    }
    // Answers the administrator password prompt that the next step opens:
    // the password typed and Enter, or (empty) the prompt closed.
    void onPasswordPrompt(const QString &password) {
        onModal<frmCheckPswd>([this, password](frmCheckPswd *prompt) {
            ++prompts;
            if (password.isEmpty()) {
                prompt->close();   // the exit question's default, Yes, lets it go
                return;
            }
            QPointer<frmCheckPswd> p(prompt);
            QTest::keyClicks(prompt->txtPassword, password);
            QTest::keyClick(prompt->txtPassword, Qt::Key_Return);
            if (p && p->isVisible()) {   // a test must not hang on it
                ADD_FAILURE() << "the prompt stayed open: " << messages.prompts().join(" / ").toStdString();
                p->done(QDialog::Rejected);
            }
        });
    }
    // A complete, valid entry set without the key rules (as if pasted).
    void fillValid() {
        form->txtEmpno->setText("E002");
        form->txtEmpName->setText("Ravi Kumar");
        form->cmbDesignation->setEditText("Clerk");
        form->CboDepartment->setEditText("Stores");
        form->txtUserID->setText("ravi");
        form->txtEmpPassWord->setText("secret1");
        form->txtConfirmPassword->setText("secret1");
    }

    std::unique_ptr<FrmEmp> form;
    qint64 stores = 0, accounts = 0, clerk = 0, manager = 0;
    int prompts = 0;
};

// Add by keys: the designation completes as typed, the row is stored trimmed with the
// password scrambled, and the new row is shown with its own key.
TEST_F(EmployeeTest, AddByKeys) {
    EXPECT_TRUE(on(*form, "Add"));
    EXPECT_FALSE(on(*form, "Modify"));
    EXPECT_FALSE(form->headerButton("Attachment")->isVisible());
    EXPECT_FALSE(editing());

    key_(Qt::Key_F2);
    ASSERT_TRUE(editing());
    EXPECT_TRUE(form->txtEmpno->hasFocus());
    EXPECT_FALSE(on(*form, "Exit"));
    EXPECT_FALSE(form->footerButton("Reset")->isVisible());
    EXPECT_EQ(form->cmbDesignation->count(), 2);

    QTest::keyClicks(form->txtEmpno, "e-00 1");
    EXPECT_EQ(form->txtEmpno->text(), "E001");   // letters and digits, in capitals
    QTest::keyClicks(form->txtEmpName, "  Asha `Rao'  ");
    QTest::keyClicks(form->cmbDesignation, "man");
    EXPECT_EQ(form->cmbDesignation->currentText(), "Manager");
    EXPECT_EQ(form->cmbDesignation->lineEdit()->selectedText(), "ager");
    QTest::keyClicks(form->CboDepartment, "acc");
    EXPECT_EQ(form->CboDepartment->currentText(), "Accounts");
    QTest::keyClicks(form->txtemail, "asha.rao+1@mail-box.example");
    EXPECT_EQ(form->txtemail->text(), "asha.rao+1@mail-box.example");
    QTest::keyClicks(form->txtUserID, "asha_r 1");
    EXPECT_EQ(form->txtUserID->text(), "ashar1");
    QTest::keyClicks(form->txtEmpPassWord, "Pa ss`9xy");
    QTest::keyClicks(form->txtConfirmPassword, "Pa ss`9xy");   // the confirmation takes the same keys
    EXPECT_EQ(form->txtEmpPassWord->text(), "Pass`9xy");
    key_(Qt::Key_F9);

    ASSERT_EQ(statusCode(*form), "ZVE003");
    const qint64 emp = scalar("SELECT Sys_Emp_Num FROM Emp_Mast").toLongLong();
    EXPECT_EQ(form->currentKey(), QString::number(emp));
    EXPECT_EQ(column(emp, "Emp_Num").toString(), "E001");
    EXPECT_EQ(column(emp, "Emp_Name").toString(), "Asha `Rao");
    EXPECT_EQ(column(emp, "Sys_Desg_Num").toLongLong(), manager);
    EXPECT_EQ(column(emp, "Sys_Dept_Num").toLongLong(), accounts);
    EXPECT_EQ(column(emp, "Email_ID").toString(), "asha.rao+1@mail-box.example");
    EXPECT_EQ(column(emp, "Emp_Shrt_Name").toString(), "ashar1");
    EXPECT_EQ(column(emp, "Is_Modify").toString(), "");
    const QString stored = column(emp, "Pswd").toString();
    ASSERT_EQ(stored.size(), 10);   // a key character at each end
    for (QChar k : {stored.front(), stored.back()})
        EXPECT_TRUE(k.unicode() >= 1 && k.unicode() <= 10) << int(k.unicode());
    EXPECT_EQ(modCommon::DecodePassword(stored), "Pass`9xy");

    EXPECT_FALSE(editing());
    for (const char *b : {"Add", "Modify", "Delete", "Select", "Refresh", "Exit"})
        EXPECT_TRUE(on(*form, b)) << b;
    EXPECT_FALSE(form->footerButton("Ok")->isVisible());
    key_(Qt::Key_F11);
    EXPECT_EQ(form->txtEmpName->text(), "Asha `Rao");
    EXPECT_EQ(form->txtConfirmPassword->text(), "Pass`9xy");
}

// The checks before a save, in their order: the first failure shows its code and
// prefix and takes the focus; nothing is written.
TEST_F(EmployeeTest, ChecksBeforeASave) {
    employee(" e001 ", "Asha Rao", "asha");
    struct Case {
        const char *label;
        std::function<void(FrmEmp &)> change;
        QString code, prefix;
        std::function<QWidget *(FrmEmp &)> field;
    };
    const auto box = [](QLineEdit *FrmEmp::*member) { return [member](FrmEmp &f) -> QWidget * { return f.*member; }; };
    const QList<Case> cases = {
        {"no number", [](FrmEmp &f) { f.txtEmpno->clear(); }, "ZVE007", "Employee No.", box(&FrmEmp::txtEmpno)},
        {"blank name", [](FrmEmp &f) { f.txtEmpName->setText("   "); }, "ZVE007", "Employee Name",
         box(&FrmEmp::txtEmpName)},
        {"no designation", [](FrmEmp &f) { f.cmbDesignation->setEditText(""); }, "ZVE007", "Designation",
         [](FrmEmp &f) -> QWidget * { return f.cmbDesignation; }},
        {"no department", [](FrmEmp &f) { f.CboDepartment->setEditText(""); }, "ZVE007", "Department",
         [](FrmEmp &f) -> QWidget * { return f.CboDepartment; }},
        {"unknown department", [](FrmEmp &f) { f.CboDepartment->setEditText("Nowhere"); }, "ZVE165", "Department",
         [](FrmEmp &f) -> QWidget * { return f.CboDepartment; }},
        {"no login", [](FrmEmp &f) { f.txtUserID->clear(); }, "ZVE128", "Login Name", box(&FrmEmp::txtUserID)},
        {"no password", [](FrmEmp &f) { f.txtEmpPassWord->clear(); }, "ZVE128", "Password",
         box(&FrmEmp::txtEmpPassWord)},
        {"no confirmation", [](FrmEmp &f) { f.txtConfirmPassword->clear(); }, "ZVE128", " Confirm Password",
         box(&FrmEmp::txtConfirmPassword)},
        {"admin login before short password",
         [](FrmEmp &f) {
             f.txtUserID->setText("aDmIn");
             f.txtEmpPassWord->setText("abc");
         },
         "ZVE166", "", box(&FrmEmp::txtUserID)},
        {"three-character password",
         [](FrmEmp &f) {
             f.txtEmpPassWord->setText("abc");
             f.txtConfirmPassword->setText("abc");
         },
         "ZVE022", "", box(&FrmEmp::txtEmpPassWord)},
        {"confirmation in other letters", [](FrmEmp &f) { f.txtConfirmPassword->setText("SECRET1"); }, "ZVE021", "",
         box(&FrmEmp::txtConfirmPassword)},
        {"number of another", [](FrmEmp &f) { f.txtEmpno->setText("E001"); }, "ZVE006", "Employee No.",
         box(&FrmEmp::txtEmpno)},
        {"name of another", [](FrmEmp &f) { f.txtEmpName->setText(" ASHA RAO"); }, "ZVE006", "Employee Name",
         box(&FrmEmp::txtEmpName)},
        {"login of another", [](FrmEmp &f) { f.txtUserID->setText("ASHA"); }, "ZVE006", "Login Name",
         box(&FrmEmp::txtUserID)},
    };
    for (const Case &c : cases) {
        key_(Qt::Key_F2);
        fillValid();
        c.change(*form);
        key_(Qt::Key_F9);
        EXPECT_EQ(statusCode(*form), c.code) << c.label;
        EXPECT_TRUE(form->lblStatus->text().startsWith(c.code + " - " + c.prefix + " ")) << c.label;
        EXPECT_TRUE(c.field(*form)->hasFocus()) << c.label;
        EXPECT_TRUE(editing()) << c.label;
        key_(Qt::Key_F10);
    }
    EXPECT_EQ(employees(), 1);

    // Texts reach the database as bound values, whatever they hold.
    key_(Qt::Key_F2);
    fillValid();
    form->txtEmpName->setText("x'); DROP TABLE Emp_Mast; --");
    key_(Qt::Key_F9);
    EXPECT_EQ(statusCode(*form), "ZVE003");
    EXPECT_EQ(scalar("SELECT count(*) FROM Emp_Mast WHERE Emp_Name = ?", {"x'); DROP TABLE Emp_Mast; --"}).toInt(), 1);
}

// Paste is refused in every entry control (what is typed keeps to the key rules);
// the clipboard itself is left alone.
TEST_F(EmployeeTest, PasteIsRefusedAndTheClipboardKept) {
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->setText("a b'c");
    QLineEdit plain;
    QTest::keyClick(&plain, Qt::Key_V, Qt::ControlModifier);
    ASSERT_EQ(plain.text(), "a b'c");   // pasting works where nothing refuses it

    key_(Qt::Key_F2);
    for (QWidget *w : QList<QWidget *>{form->txtEmpno, form->txtEmpName, form->cmbDesignation, form->CboDepartment,
                                       form->txtemail, form->txtUserID, form->txtEmpPassWord,
                                       form->txtConfirmPassword}) {
        w->setFocus();
        QTest::keyClick(w, Qt::Key_V, Qt::ControlModifier);
        QTest::keyClick(w, Qt::Key_Insert, Qt::ShiftModifier);
        EXPECT_EQ(w->property("text").isValid() ? w->property("text").toString()
                                                : qobject_cast<QComboBox *>(w)->currentText(),
                  QString())
            << w->objectName().toStdString();
    }
    EXPECT_EQ(clipboard->text(), "a b'c");
}

// The designation combo: type-ahead from the list, a leading blank and a 41st character
// dropped, and a new name saved into Desg_Mast with the employee.
TEST_F(EmployeeTest, DesignationCombo) {
    key_(Qt::Key_F2);
    QComboBox *desg = form->cmbDesignation;
    QTest::keyClicks(desg, " c");
    EXPECT_EQ(desg->currentText(), "Clerk");
    EXPECT_EQ(desg->lineEdit()->selectedText(), "lerk");
    EXPECT_EQ(desg->currentData().toLongLong(), clerk);

    desg->lineEdit()->selectAll();
    QTest::keyClicks(desg, "Cleaner");   // no entry begins with "Clea"
    EXPECT_EQ(desg->currentText(), "Cleaner");
    EXPECT_EQ(desg->currentIndex(), -1);

    desg->setEditText(QString(40, 'x'));
    desg->lineEdit()->end(false);
    QTest::keyClicks(desg, "y");
    EXPECT_EQ(desg->currentText(), QString(40, 'x'));
    desg->setEditText("Cleaner");

    fillValid();
    desg->setEditText("  Cleaner ");
    key_(Qt::Key_F9);
    ASSERT_EQ(statusCode(*form), "ZVE003");
    const qint64 cleaner = scalar("SELECT Sys_Desg_Num FROM Desg_Mast WHERE Desg_Name = 'Cleaner'").toLongLong();
    ASSERT_GT(cleaner, 0);
    EXPECT_EQ(scalar("SELECT Sys_Desg_Num FROM Emp_Mast").toLongLong(), cleaner);
    EXPECT_EQ(desg->count(), 3);
    EXPECT_EQ(desg->currentData().toLongLong(), cleaner);

    // Typed again in other letters and blanks: the same designation, no second row.
    key_(Qt::Key_F2);
    fillValid();
    form->txtEmpno->setText("E003");
    form->txtEmpName->setText("Mani");
    form->txtUserID->setText("mani");
    desg->setEditText("cleaner  ");
    key_(Qt::Key_F9);
    ASSERT_EQ(statusCode(*form), "ZVE003");
    EXPECT_EQ(scalar("SELECT count(*) FROM Desg_Mast").toInt(), 3);
}

// Modify: the administrator's password first; another user's lock refuses it (ZVE027);
// the form's own lock holds until Ok, the row's own values are no duplicates, and the
// logged-in user's new login name follows.
TEST_F(EmployeeTest, ModifyUnderRowLocks) {
    const qint64 asha = employee("E001", "Asha Rao", "asha");
    employee("E002", "Ravi Kumar", "ravi");
    select(asha);
    EXPECT_EQ(form->txtEmpName->text(), "Asha Rao");
    EXPECT_EQ(form->cmbDesignation->currentText(), "Clerk");
    EXPECT_EQ(form->txtEmpPassWord->text(), "pass1");

    onPasswordPrompt("");   // closed: back to view, nothing said
    key_(Qt::Key_F3);
    EXPECT_EQ(prompts, 1);
    EXPECT_FALSE(editing());
    EXPECT_FALSE(form->rowLocked());
    EXPECT_EQ(form->lblStatus->text(), "");

    {
        auto held = other.lockRow("Emp_Mast", asha);
        onPasswordPrompt("admin");
        key_(Qt::Key_F3);
        EXPECT_EQ(statusCode(*form), "ZVE027");
        EXPECT_FALSE(editing());
        EXPECT_FALSE(form->isEditing());
    }

    modCommon::gLoginUserID = "ASHA";
    MDIZVS::instance();
    onPasswordPrompt("admin");
    key_(Qt::Key_F3);
    ASSERT_TRUE(editing());
    EXPECT_EQ(form->focusWidget(), form->txtEmpno);
    EXPECT_TRUE(form->rowLocked());
    EXPECT_THROW(other.lockRow("Emp_Mast", asha), zv::db::DbError);

    form->txtUserID->setText("RAVI");
    key_(Qt::Key_F9);
    EXPECT_EQ(statusCode(*form), "ZVE006");
    EXPECT_TRUE(form->lblStatus->text().contains(" Login Name"));

    form->txtUserID->setText("asha2");
    form->txtEmpName->setText("ASHA RAO ");   // its own name in other letters
    form->CboDepartment->setEditText("accounts");
    key_(Qt::Key_F9);
    ASSERT_EQ(statusCode(*form), "ZVE002");
    EXPECT_EQ(column(asha, "Emp_Name").toString(), "ASHA RAO");
    EXPECT_EQ(column(asha, "Emp_Shrt_Name").toString(), "asha2");
    EXPECT_EQ(column(asha, "Sys_Dept_Num").toLongLong(), accounts);
    EXPECT_EQ(modCommon::DecodePassword(column(asha, "Pswd").toString()), "pass1");
    EXPECT_EQ(modCommon::gLoginUserID, "ASHA2");
    EXPECT_EQ(MDIZVS::existingInstance()->windowTitle(), "Zorvane - ASHA RAO[asha2]");
    EXPECT_FALSE(editing());
    EXPECT_FALSE(form->rowLocked());
    EXPECT_NO_THROW(other.lockRow("Emp_Mast", asha));
    EXPECT_TRUE(on(*form, "Modify"));
}

// A row gone elsewhere, and a Select on key 0: ZVE034/ZVE035 and an empty view.
TEST_F(EmployeeTest, RowGoneElsewhere) {
    const qint64 asha = employee("E001", "Asha Rao", "asha");
    select(asha);
    other.execute("DELETE FROM Emp_Mast");
    key_(Qt::Key_F3);
    EXPECT_EQ(statusCode(*form), "ZVE035");
    EXPECT_EQ(prompts, 0);
    EXPECT_EQ(form->txtEmpName->text(), "");
    EXPECT_FALSE(on(*form, "Modify"));

    QString screenKey;
    answers.filter = [&](const QString &k) {
        screenKey = k;
        return QStringList{"E", "Name", "Clerk", "Stores", "0", "login"};
    };
    key_(Qt::Key_F8);
    EXPECT_EQ(screenKey, "EMP");
    EXPECT_EQ(statusCode(*form), "ZVE034");
}

// Delete: refused while any other table names the employee, while another user holds
// the row, and for the logged-in user; otherwise after Yes and the password.
TEST_F(EmployeeTest, DeleteRules) {
    const qint64 boss = employee("E900", "Boss", "boss");
    const qint64 act = insert("INSERT INTO Actvty_Mast (Actvty_Desc) VALUES ('Audit')");
    const qint64 line = insert("INSERT INTO Actvty_Mast_Det (Sys_Actvty_Num, Sys_Dept_Num, Sys_Emp_Num) VALUES (?, ?, ?)",
                               {act, stores, boss});
    const qint64 mapping = insert("INSERT INTO Emp_Spvr_Mapg_Hdr (Sys_Emp_Num) VALUES (?)", {boss});
    struct Ref {
        const char *table;
        QString sql;
        QVariantList extra;
    };
    const QList<Ref> refs = {
        {"Actvty_Mast_Det", "INSERT INTO Actvty_Mast_Det (Sys_Actvty_Num, Sys_Dept_Num, Sys_Emp_Num) VALUES (?, ?, ?)",
         {act, stores}},
        {"Emp_Spvr_Mapg_Hdr", "INSERT INTO Emp_Spvr_Mapg_Hdr (Sys_Emp_Num) VALUES (?)", {}},
        {"Emp_Spvr_Mapg_Det", "INSERT INTO Emp_Spvr_Mapg_Det (Sys_Mapg_Num, Sys_Emp_Num) VALUES (?, ?)", {mapping}},
        {"Statry_Cmpltd_Entry",
         "INSERT INTO Statry_Cmpltd_Entry (Sys_Actvty_Num, Sys_Actvty_Line_Num, Sys_Emp_Num) VALUES (?, ?, ?)",
         {act, line}},
        {"actvty_mnth_hdr", "INSERT INTO actvty_mnth_hdr (Sys_Emp_Num, yr) VALUES (?, 2026)", {}},
        {"actvty_target_hdr", "INSERT INTO actvty_target_hdr (Sys_Emp_Num) VALUES (?)", {}},
    };
    int n = 0;
    for (const Ref &r : refs) {
        ++n;
        const qint64 emp = employee("R" + QString::number(n), QString("Ref %1").arg(n), "ref" + QString::number(n));
        other.execute(r.sql, QVariantList(r.extra) << emp);
        select(emp);
        key_(Qt::Key_F4);
        EXPECT_EQ(statusCode(*form), "ZVE030") << r.table;
        EXPECT_TRUE(column(emp, "Emp_Num").isValid()) << r.table;
        EXPECT_FALSE(form->rowLocked()) << r.table;
    }
    EXPECT_TRUE(messages.prompts().isEmpty());   // refused before the question

    const qint64 asha = employee("E001", "Asha Rao", "asha");
    select(asha);
    {
        auto held = other.lockRow("Emp_Mast", asha);
        key_(Qt::Key_F4);
        EXPECT_EQ(statusCode(*form), "ZVE028");
    }
    modCommon::gLoginUserID = "ASHA";
    key_(Qt::Key_F4);
    EXPECT_EQ(statusCode(*form), "ZVE013");
    modCommon::gLoginUserID.clear();
    EXPECT_TRUE(messages.prompts().isEmpty());

    messages.answer(vbNo);
    key_(Qt::Key_F4);
    EXPECT_EQ(messages.prompts(), QStringList{kDeleteQuestion});
    EXPECT_EQ(messages.shown().at(0).buttons, zv::ui::vbYesNo + zv::ui::vbQuestion + zv::ui::vbDefaultButton2);
    EXPECT_EQ(messages.shown().at(0).title, "Question");
    EXPECT_EQ(prompts, 0);

    messages.answer(vbYes);
    onPasswordPrompt("");   // the password refused: nothing deleted, nothing said
    key_(Qt::Key_F4);
    EXPECT_EQ(prompts, 1);
    EXPECT_TRUE(column(asha, "Emp_Num").isValid());
    EXPECT_FALSE(form->rowLocked());

    messages.answer(vbYes);
    onPasswordPrompt("admin");
    key_(Qt::Key_F4);
    EXPECT_EQ(statusCode(*form), "ZVE008");
    EXPECT_FALSE(column(asha, "Emp_Num").isValid());
    EXPECT_EQ(form->txtEmpName->text(), "");
    EXPECT_FALSE(on(*form, "Modify"));
    EXPECT_FALSE(form->rowLocked());
}

// One read of a key fails while the file is otherwise free (the insert, or
// the next read, would succeed): the key ends with one box, asks nothing,
// and neither saves nor opens the edit nor deletes; no lock is left.
TEST_F(EmployeeTest, AReadThatFailsEndsItsKeyAndDecidesNothing) {
    const qint64 asha = employee("E001", "Asha Rao", "asha");
    struct Case {
        const char *label;
        const char *failing;
        bool adds;   // Add, a valid new employee, Ok; otherwise the key on Asha
        Qt::Key key;
    };
    const Case cases[] = {
        {"Ok: number taken?", "SELECT 1 FROM Emp_Mast WHERE trim(Emp_Num)", true, Qt::Key_F9},
        {"Ok: name taken?", "SELECT 1 FROM Emp_Mast WHERE trim(Emp_Name)", true, Qt::Key_F9},
        {"Ok: login taken?", "SELECT 1 FROM Emp_Mast WHERE trim(Emp_Shrt_Name)", true, Qt::Key_F9},
        {"Modify: the row", "SELECT Emp_Num, Emp_Name", false, Qt::Key_F3},
        {"Delete: referenced?", "SELECT 1 FROM Actvty_Mast_Det WHERE Sys_Emp_Num", false, Qt::Key_F4},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.label);
        open();
        if (c.adds) {
            key_(Qt::Key_F2);
            fillValid();
        } else {
            select(asha);
        }
        messages.clear();
        messages.answer(vbYes);   // a delete question, were one asked
        prompts = 0;
        onPasswordPrompt("admin");
        modCommon::CloseMainConnection();
        {
            const FailingStatement failing("ZV-DATA.mdb", c.failing);
            key_(c.key);
            ASSERT_TRUE(failing.failed()) << "the read was never made";
        }
        ASSERT_EQ(messages.prompts().size(), 1) << messages.prompts().join(" / ").toStdString();
        EXPECT_NE(messages.prompts().at(0), kDeleteQuestion);
        EXPECT_EQ(prompts, 0) << "the password was asked";
        EXPECT_EQ(employees(), 1);
        EXPECT_EQ(editing(), c.adds);
        EXPECT_FALSE(form->rowLocked());
        if (!c.adds)
            EXPECT_FALSE(form->isEditing()) << "left in an edit the screen does not show";
    }
}

// A save that fails says so, keeps the edit, and leaves no designation behind.
TEST_F(EmployeeTest, FailedSaveIsNeverReportedAsSaved) {
    other.executeScript("CREATE TRIGGER refuse BEFORE INSERT ON Emp_Mast BEGIN SELECT RAISE(ABORT, 'refused'); END;");
    key_(Qt::Key_F2);
    fillValid();
    form->cmbDesignation->setEditText("Cleaner");
    key_(Qt::Key_F9);
    EXPECT_EQ(statusCode(*form), "ZVE004");
    EXPECT_TRUE(editing());
    EXPECT_EQ(form->txtEmpName->text(), "Ravi Kumar");
    EXPECT_EQ(scalar("SELECT count(*) FROM Desg_Mast").toInt(), 2);

    messages.answer(vbYes);
    form->close();
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(statusCode(*form), "ZVE004");
    EXPECT_EQ(employees(), 0);
}

// Help during an add keeps the add; after the save it does not start one.
TEST_F(EmployeeTest, HelpKeepsTheEditingState) {
    key_(Qt::Key_F2);
    key_(Qt::Key_F1);
    EXPECT_EQ(messages.prompts(), QStringList{"Help not available"});
    EXPECT_TRUE(form->isEditing());
    fillValid();
    key_(Qt::Key_F9);
    ASSERT_EQ(statusCode(*form), "ZVE003");
    key_(Qt::Key_F1);
    messages.clear();
    key_(Qt::Key_Escape);
    EXPECT_TRUE(messages.prompts().isEmpty());
    EXPECT_FALSE(form->isVisible());
}

// A production database without the table: the form says so, forgets the path and closes.
TEST_F(EmployeeTest, MissingTableClosesTheForm) {
    form.reset();
    other.executeScript("PRAGMA foreign_keys = OFF; DROP TABLE Emp_Mast;");
    open();
    QApplication::processEvents();
    EXPECT_EQ(messages.prompts(), QStringList{zv::fw::kCorrupted});
    EXPECT_EQ(modCommon::gDBPath, "");
    EXPECT_FALSE(form->isVisible());
}

// ---------------------------------------------------------------- save questions

struct Closing {
    const char *label;
    bool byEsc;
    bool modify;
    int answer;
    bool saved, open, editing;
};
void PrintTo(const Closing &c, std::ostream *os) { *os << c.label; }

class EmployeeClosing : public EmployeeTest, public ::testing::WithParamInterface<Closing> {};

// Esc and the close box while adding or modifying: Yes saves (Esc keeps the form open),
// No drops the edit (Esc returns to view), Cancel goes back to the edit.
TEST_P(EmployeeClosing, SaveQuestion) {
    const Closing c = GetParam();
    const qint64 asha = employee("E001", "Asha Rao", "asha");
    if (c.modify) {
        select(asha);
        onPasswordPrompt("admin");
        key_(Qt::Key_F3);
        ASSERT_TRUE(form->rowLocked());
        form->txtEmpName->setText("Asha R");
    } else {
        key_(Qt::Key_F2);
        fillValid();
    }
    const QString name = c.modify ? "Asha R" : "Ravi Kumar";
    answerThenClose(*form, c.answer, c.byEsc);

    ASSERT_EQ(messages.prompts(), QStringList{kSaveQuestion});
    EXPECT_EQ(messages.shown().at(0).title, "Exit Confirmation");
    EXPECT_EQ(messages.shown().at(0).buttons, zv::ui::vbYesNoCancel + zv::ui::vbExclamation);
    EXPECT_EQ(scalar("SELECT count(*) FROM Emp_Mast WHERE Emp_Name = ?", {name}).toInt(), c.saved ? 1 : 0);
    EXPECT_EQ(form->isVisible(), c.open);
    if (c.open)
        EXPECT_EQ(editing(), c.editing);
    EXPECT_EQ(form->rowLocked(), c.open && c.editing && c.modify);
    if (!c.open || !c.editing)
        EXPECT_NO_THROW(other.lockRow("Emp_Mast", asha));
}

INSTANTIATE_TEST_SUITE_P(
    Employee, EmployeeClosing,
    ::testing::Values(Closing{"AddEscYes", true, false, vbYes, true, true, false},
                      Closing{"AddEscNo", true, false, vbNo, false, true, false},
                      Closing{"AddEscCancel", true, false, vbCancel, false, true, true},
                      Closing{"AddCloseYes", false, false, vbYes, true, false, false},
                      Closing{"AddCloseNo", false, false, vbNo, false, false, false},
                      Closing{"ModifyEscYes", true, true, vbYes, true, true, false},
                      Closing{"ModifyEscNo", true, true, vbNo, false, true, false},
                      Closing{"ModifyCloseYes", false, true, vbYes, true, false, false},
                      Closing{"ModifyCloseNo", false, true, vbNo, false, false, false},
                      Closing{"ModifyCloseCancel", false, true, vbCancel, false, true, true}),
    ByLabel());

// The close box with a failing check stays open with the check's status; Esc outside an
// edit closes without a question.
TEST_F(EmployeeTest, ClosingOutsideAndWithAFailingCheck) {
    key_(Qt::Key_F2);
    messages.answer(vbYes);
    form->close();
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(statusCode(*form), "ZVE007");
    key_(Qt::Key_F10);
    messages.clear();
    key_(Qt::Key_Escape);
    EXPECT_TRUE(messages.prompts().isEmpty());
    EXPECT_FALSE(form->isVisible());
}

} // namespace
