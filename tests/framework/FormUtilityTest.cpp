#include "support/FailingStatement.h"
#include "support/OtherProgramLock.h"
#include "support/ProgramFolder.h"
#include "TestForm.h"
#include "core/modCommon.h"
#include "platform/db/Connection.h"
#include "platform/ui/MessageService.h"
#include "platform/ui/Ui.h"
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace {

// A fresh production database as the main connection, with the status rows
// and two small related tables of our own.
class FormUtilityTest : public ::testing::Test {
protected:
    void SetUp() override {
        modCommon::gDBPath = folder.productionDb();
        ASSERT_EQ(modCommon::OpenMainConnection(), zv::db::OpenOutcome::Opened);
        auto &c = modCommon::MainConnection();
        c.executeScript(
            "CREATE TABLE IF NOT EXISTS Err_Msg (Err_Code TEXT COLLATE NOCASE, Err_Msg TEXT, Err_Type TEXT);"
            "CREATE TABLE Fw_Dept (Sys_Dept_Num INTEGER PRIMARY KEY AUTOINCREMENT, Dept_Desc TEXT COLLATE NOCASE,"
            " Edit_Allow INTEGER);"
            "CREATE TABLE Fw_Emp (Sys_Emp_Num INTEGER PRIMARY KEY AUTOINCREMENT, Emp_Name TEXT COLLATE NOCASE,"
            " Sys_Dept_Num INTEGER REFERENCES Fw_Dept(Sys_Dept_Num));");
        const QList<QStringList> rows = {{"ZVE006", "already exists", "W"},
                                         {"ZVE007", "cannot be blank", "W"},
                                         {"ZVE008", "Record deleted", "S"},
                                         {"ZVE022", "Password must have at least 4 characters", "W"},
                                         {"ZVE028", "Record is locked by another user", "W"},
                                         {"ZVE030", "Record is referred to elsewhere", "W"},
                                         {"ZVE164", "should not be blank", "W"},
                                         {"ZVT001", "information", "I"},
                                         {"ZVT002", "critical", "E"},
                                         {"ZVT003", "plain", "F"},
                                         {"ZVT004", "padded", "  S "},
                                         {"ZVT005", "lower", "s"}};
        for (const auto &r : rows) {
            c.execute("DELETE FROM Err_Msg WHERE Err_Code = ?", {r[0]});
            c.execute("INSERT INTO Err_Msg (Err_Code, Err_Msg, Err_Type) VALUES (?, ?, ?)", {r[0], r[1], r[2]});
        }
        c.execute("INSERT INTO Fw_Dept (Dept_Desc, Edit_Allow) VALUES ('Accounts', 0), ('O''Brien & Co', NULL)");
    }
    void TearDown() override {
        modCommon::ReleaseConnections();
        modCommon::gDBPath.clear();
    }

    qint64 deptKey(const QString &name) {
        return modCommon::MainConnection().scalar("SELECT Sys_Dept_Num FROM Fw_Dept WHERE Dept_Desc = ?", {name}).toLongLong();
    }

    ProgramFolder folder;
    zv::ui::ScriptedMessageService messages;
};

// ------------------------------------------------------------ toolbar modes

enum class St { On, Off, Hidden, Keep };

// One row per mode, one column per header button, then the footer.
struct ModeRow {
    const char *mode;
    St add, modify, del, attachment, select, refresh, help, exit;
    St detailAdd, detailModify, detailDelete;
    bool rightButtons, reset;
};

template <class Form>
void expectRow(Form &form, const ModeRow &row, bool detail) {
    SCOPED_TRACE(row.mode);
    const auto check = [&](const char *key, St want) {
        if (want == St::Keep)
            return;
        QAction *a = form.button(form.tbHeader, QString::fromLatin1(key));
        ASSERT_NE(a, nullptr) << key;
        if (want == St::Hidden) {
            EXPECT_FALSE(a->isVisible()) << key;
            return;
        }
        EXPECT_TRUE(a->isVisible()) << key;
        EXPECT_EQ(a->isEnabled(), want == St::On) << key;
    };
    check("Add", row.add);
    check("Modify", row.modify);
    check("Delete", row.del);
    check("Attachment", row.attachment);
    check("Select", row.select);
    check("Refresh", row.refresh);
    check("Help", row.help);
    check("Exit", row.exit);
    if (detail) {
        check("DetailAdd", row.detailAdd);
        check("DetailModify", row.detailModify);
        check("DetailDelete", row.detailDelete);
    }
    EXPECT_EQ(form.footer.RightToolbarVisible(), row.rightButtons);
    EXPECT_EQ(form.footer.ResetVisible(), row.reset);
    EXPECT_TRUE(form.footer.StatusVisible());
    EXPECT_TRUE(form.footer.Status().isEmpty());
}

// Puts every button in a known state that no mode produces by itself.
template <class Form>
void scramble(Form &form) {
    for (QAction *a : form.tbHeader->actions()) {
        a->setEnabled(true);
        a->setVisible(true);
    }
    form.button(form.tbHeader, "DetailModify") ? form.button(form.tbHeader, "DetailModify")->setEnabled(false)
                                               : void();
    form.footer.setStatus("ZVE999 - old ");
    form.footer.setSelectPicture(1);
}

TEST_F(FormUtilityTest, SingleTableModes) {
    using S = St;
    const ModeRow rows[] = {
        // mode            Add     Modify  Delete  Attach    Select  Refresh Help   Exit   (detail)        right  reset
        {"view",           S::On,  S::Off, S::Off, S::On,    S::On,  S::Off, S::On, S::On, S::Keep, S::Keep, S::Keep, false, false},
        {"record selected", S::On, S::On,  S::On,  S::On,    S::On,  S::On,  S::On, S::On, S::Keep, S::Keep, S::Keep, false, false},
        {"add",            S::Off, S::Off, S::Off, S::Hidden, S::Off, S::Off, S::On, S::Off, S::Keep, S::Keep, S::Keep, true, true},
        {"modify",         S::Off, S::Off, S::Off, S::Hidden, S::Off, S::Off, S::On, S::Off, S::Keep, S::Keep, S::Keep, true, true},
    };
    SingleForm form(kMasterKeys);
    auto &u = form.utility;
    form.footer.setResetVisible(false);

    scramble(form);
    u.ActivateHeaderToolBar(&form.header);
    u.ActivateFooterToolBar(&form.footer);
    EXPECT_EQ(form.footer.SelectPicture(), 4);
    expectRow(form, rows[0], false);

    scramble(form);
    u.ToolBarsForFilter(&form.header, &form.footer);
    EXPECT_EQ(form.footer.SelectPicture(), 4);
    expectRow(form, rows[1], false);

    scramble(form);
    u.ToolBarsForAdd(&form.header, &form.footer);
    expectRow(form, rows[2], false);

    scramble(form);
    u.ToolBarsForModify(&form.header, &form.footer);   // Reset stays visible after add
    expectRow(form, rows[3], false);
    EXPECT_FALSE(form.button(form.tbHeader, "Attachment")->isEnabled());

    // Without rights, view and record-selected offer no Add, Modify or Delete.
    u.UsrResetValue();
    u.ToolBarsForFilter(&form.header, &form.footer);
    EXPECT_FALSE(form.header.AddEnable());
    EXPECT_FALSE(form.header.ModifyEnable());
    EXPECT_FALSE(form.header.DeleteEnable());
}

TEST_F(FormUtilityTest, HeaderDetailModes) {
    using S = St;
    const ModeRow rows[] = {
        // mode             Add     Modify  Delete  Attach  Select  Refresh Help   Exit    DAdd    DModify  DDelete  right  reset
        {"view",            S::On,  S::Off, S::Off, S::Off, S::On,  S::Off, S::On, S::On,  S::Off, S::Off,  S::Off,  false, false},
        {"record selected", S::On,  S::On,  S::On,  S::Off, S::On,  S::On,  S::On, S::On,  S::Off, S::Off,  S::Off,  false, false},
        {"add",             S::Off, S::Off, S::Off, S::On,  S::Off, S::Off, S::On, S::Off, S::On,  S::Keep, S::Keep, true,  true},
        {"modify",          S::Off, S::Off, S::Off, S::On,  S::Off, S::Off, S::On, S::Off, S::On,  S::On,   S::On,   true,  true},
        {"locked",          S::Off, S::Off, S::Off, S::On,  S::Off, S::Off, S::On, S::Off, S::On,  S::Off,  S::Off,  true,  true},
        {"detail add",      S::Off, S::Off, S::Off, S::Off, S::Off, S::Off, S::On, S::Off, S::Off, S::Off,  S::Off,  true,  true},
    };
    DetailForm form(kDetailKeys);
    auto &u = form.utility;
    const std::function<void()> steps[] = {
        [&] { u.ActivateHeaderToolBar(&form.header); u.ActivateFooterToolBar(&form.footer); },
        [&] { u.ToolBarsForFilter(&form.header, &form.footer); },
        [&] { u.ToolBarsForAdd(&form.header, &form.footer); },
        [&] { u.ToolBarsForModify(&form.header, &form.footer); },
        [&] { u.ToolBarsForLock(&form.header, &form.footer); },
        [&] { u.ToolBarsForDetailsAdd(&form.header, &form.footer); },
    };
    for (int i = 0; i < 6; ++i) {
        scramble(form);
        form.footer.setResetVisible(false);
        steps[i]();
        expectRow(form, rows[i], true);
    }
    // Add leaves DetailModify as it was (scramble left it disabled) and DetailDelete enabled.
    scramble(form);
    u.ToolBarsForAdd(&form.header, &form.footer);
    EXPECT_FALSE(form.header.DetailModifyEnable());
    EXPECT_TRUE(form.header.DetailDeleteEnable());
    // No mode touches Print, Sort or Find.
    EXPECT_TRUE(form.header.PrintEnable());
    EXPECT_TRUE(form.header.SortVisible());
}

// ------------------------------------------------------------ status messages

TEST_F(FormUtilityTest, DisplayStatusShowsCodePrefixMessageSuffixAndPicture) {
    SingleForm form(kMasterKeys);
    auto &u = form.utility;
    const struct {
        const char *code, *prefix, *suffix, *text;
        int picture;   // -1: the previous one stays
    } cases[] = {
        {"ZVE007", "", "", "ZVE007 -  cannot be blank ", 1},
        {"ZVE164", "Department Name", "", "ZVE164 - Department Name should not be blank ", 1},
        {"zve008", "", "!", "ZVE008 -  Record deleted !", 0},
        {"ZVT001", "", "", "ZVT001 -  information ", 2},
        {"ZVT002", "", "", "ZVT002 -  critical ", 3},
        {"ZVT003", "", "", "ZVT003 -  plain ", 4},
        {"ZVT004", "", "", "ZVT004 -  padded ", 0},
        {"ZVT005", "", "", "ZVT005 -  lower ", -1},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.code);
        form.footer.setSelectPicture(2);
        form.footer.setStatusVisible(false);
        u.DisplayStatus(c.code, &form.footer, c.prefix, c.suffix);
        EXPECT_EQ(form.footer.Status(), QString::fromLatin1(c.text));
        EXPECT_EQ(form.footer.SelectPicture(), c.picture < 0 ? 2 : c.picture);
        EXPECT_TRUE(form.footer.StatusVisible());
        EXPECT_EQ(form.lblStatus->palette().color(QPalette::WindowText),
                  c.picture == 1 ? QColor(Qt::red) : QColor(Qt::black));
    }
    EXPECT_TRUE(messages.shown().isEmpty());
}

TEST_F(FormUtilityTest, DisplayStatusOfAMissingCodeLeavesTheFooterUntouched) {
    SingleForm form(kMasterKeys);
    form.footer.setSelectPicture(1);
    form.footer.setStatus("ZVE006 - Year already exists ");
    form.footer.setStatusVisible(false);
    form.utility.DisplayStatus("ZVE404", &form.footer, "Prefix", "Suffix");
    form.utility.DisplayStatus("ZVE006' OR '1'='1", &form.footer);   // a typed code is only a value
    EXPECT_EQ(form.footer.SelectPicture(), 1);
    EXPECT_EQ(form.footer.Status(), "ZVE006 - Year already exists ");
    EXPECT_FALSE(form.footer.StatusVisible());
    EXPECT_TRUE(messages.shown().isEmpty());
}

TEST_F(FormUtilityTest, DisplayStatusLetsNoPendingEventRunInTheMiddle) {
    SingleForm form(kMasterKeys);
    bool ranEarly = false;
    bool displayDone = false;
    QTimer::singleShot(0, &form, [&] { ranEarly = !displayDone; });
    form.utility.DisplayStatus("ZVE007", &form.footer);
    displayDone = true;
    QApplication::processEvents();
    EXPECT_FALSE(ranEarly);
}

TEST_F(FormUtilityTest, UsrClearFooterClearsOnlyANonEmptyStatus) {
    SingleForm form(kMasterKeys);
    form.utility.DisplayStatus("ZVE007", &form.footer);
    form.utility.UsrClearFooter(&form.footer);
    EXPECT_EQ(form.footer.Status(), "");
    EXPECT_EQ(form.footer.SelectPicture(), 4);
    form.footer.setSelectPicture(1);
    form.utility.UsrClearFooter(&form.footer);   // empty status: picture stays
    EXPECT_EQ(form.footer.SelectPicture(), 1);
    form.utility.UsrClearFooter(nullptr);        // ignored by the single-table object
    DetailForm detail(kDetailKeys);
    EXPECT_THROW(detail.utility.UsrClearFooter(nullptr), zv::db::DbError);
}

// --------------------------------------------------------------- field checks

TEST_F(FormUtilityTest, CheckNullTextAndPasswordLength) {
    SingleForm form(kMasterKeys);
    form.show();
    QApplication::setActiveWindow(&form);
    auto &u = form.utility;
    QLineEdit other(&form);
    other.show();
    other.setFocus();

    form.txtName->setText("   ");
    EXPECT_TRUE(u.CheckNullText(form.txtName, &form.footer, "Department Name", 1));
    EXPECT_EQ(form.footer.Status(), "ZVE164 - Department Name should not be blank ");
    EXPECT_TRUE(form.txtName->hasFocus());

    other.setFocus();
    form.footer.setStatus("");
    EXPECT_TRUE(u.CheckNullText(form.txtName, &form.footer, "X", 3));   // no code for mode 3
    EXPECT_EQ(form.footer.Status(), "");
    EXPECT_TRUE(form.txtName->hasFocus());

    other.setFocus();
    form.txtName->setEnabled(false);
    EXPECT_TRUE(u.CheckNullText(form.txtName, &form.footer, "Month", 0));
    EXPECT_EQ(form.footer.Status(), "ZVE007 - Month cannot be blank ");
    EXPECT_TRUE(other.hasFocus());
    form.txtName->setEnabled(true);

    form.txtName->setText(" a ");
    form.footer.setStatus("");
    EXPECT_FALSE(u.CheckNullText(form.txtName, &form.footer, "X", 0));
    EXPECT_EQ(form.footer.Status(), "");

    QComboBox month(&form);
    EXPECT_TRUE(u.CheckNullText(&month, &form.footer, "Month", 0));
    month.addItem("January");
    EXPECT_FALSE(u.CheckNullText(&month, &form.footer, "Month", 0));

    form.txtName->setText("abc");
    EXPECT_TRUE(u.ChequePswdLengthTest(form.txtName, &form.footer, ""));
    EXPECT_TRUE(form.footer.Status().startsWith("ZVE022 - "));
    form.txtName->setText("ab d");
    EXPECT_FALSE(u.ChequePswdLengthTest(form.txtName, &form.footer, ""));
}

TEST_F(FormUtilityTest, DuplicateCheckTakesTypedTextAsAValue) {
    SingleForm form(kMasterKeys);
    auto &u = form.utility;
    const QString typed = "o'brien & co";
    EXPECT_TRUE(u.ChequeDuplicateRecord("Fw_Dept", "upper(Dept_Desc) = ?", {typed.toUpper()}, &form.footer,
                                        "Department Name"));
    EXPECT_EQ(form.footer.Status(), "ZVE006 - Department Name already exists ");

    form.footer.setStatus("");
    // The row itself does not count while it is being changed.
    const qint64 key = deptKey("O'Brien & Co");
    EXPECT_FALSE(u.ChequeDuplicateRecord("Fw_Dept", "upper(Dept_Desc) = ?", {typed.toUpper()}, &form.footer,
                                         "Department Name", "upper(Dept_Desc) = ? AND Sys_Dept_Num <> ?",
                                         {typed.toUpper(), key}));
    EXPECT_EQ(form.footer.Status(), "");
    // Text that would break a pasted statement finds nothing and harms nothing.
    EXPECT_FALSE(u.ChequeDuplicateRecord("Fw_Dept", "Dept_Desc = ?", {"x' OR '1'='1"}, &form.footer, ""));
    EXPECT_TRUE(messages.shown().isEmpty());
    // A table name that is not a plain name is refused: no answer, nothing run.
    try {
        u.ChequeDuplicateRecord("Fw_Dept; DROP TABLE Fw_Emp", "1 = 1", {}, &form.footer, "");
        ADD_FAILURE() << "answered";
    } catch (const zv::db::DbError &e) {
        EXPECT_EQ(e.number(), zv::db::err::SyntaxError);
    }
    EXPECT_TRUE(messages.shown().isEmpty());
    EXPECT_NO_THROW(u.RecordExists("Fw_Emp"));   // the table is still there
}

// --------------------------------------------------------------- look-ups

TEST_F(FormUtilityTest, GetCodeAndGetCodeNum) {
    clsGeneralHeader u;
    clsGeneralDetailHeader d;
    const qint64 accounts = deptKey("Accounts");
    const qint64 obrien = deptKey("O'Brien & Co");

    EXPECT_EQ(u.GetCode("Sys_Dept_Num", "o'brien & CO", "Dept_Desc", "Fw_Dept"), QString::number(obrien));
    EXPECT_EQ(u.GetCode("Sys_Dept_Num", "nobody", "Dept_Desc", "Fw_Dept"), "");
    EXPECT_EQ(u.GetCodeNum("Dept_Desc", QString::number(accounts), "Sys_Dept_Num", "Fw_Dept"), "Accounts");
    EXPECT_EQ(u.GetCodeNum("Edit_Allow", accounts, "Sys_Dept_Num", "Fw_Dept"), "0");
    EXPECT_EQ(u.GetCodeNum("Dept_Desc", "", "Sys_Dept_Num", "Fw_Dept"), "");
    EXPECT_EQ(u.GetCode("Dept_Desc", {}, {}, {}, "SELECT Dept_Desc FROM Fw_Dept WHERE Sys_Dept_Num = ?", {obrien}),
              "O'Brien & Co");
    EXPECT_TRUE(messages.shown().isEmpty());

    // A Null value and a column the query does not give are no answer: they
    // reach the caller, and the routine shows nothing itself.
    EXPECT_THROW(u.GetCodeNum("Edit_Allow", obrien, "Sys_Dept_Num", "Fw_Dept"), zv::db::DbError);
    EXPECT_THROW(u.GetCode("Edit_Allow", {}, {}, {}, "SELECT Dept_Desc FROM Fw_Dept"), zv::db::DbError);
    EXPECT_TRUE(messages.shown().isEmpty());

    // The header/detail object gives the first column as it is stored.
    const QVariant v = d.GetCode("Unused", {}, {}, {}, "SELECT Sys_Dept_Num FROM Fw_Dept WHERE Dept_Desc = ?",
                                 {"Accounts"});
    EXPECT_EQ(v.toLongLong(), accounts);
    EXPECT_NE(v.typeId(), QMetaType::QString);
    EXPECT_EQ(d.GetCode("Sys_Dept_Num", "none", "Dept_Desc", "Fw_Dept"), QVariant(QString("")));
    EXPECT_TRUE(d.GetCode("Edit_Allow", obrien, "Sys_Dept_Num", "Fw_Dept").isNull());
    EXPECT_TRUE(messages.shown().isEmpty());
}

TEST_F(FormUtilityTest, RecordExistsAndFillCombo) {
    clsGeneralHeader u;
    EXPECT_TRUE(u.RecordExists("Fw_Dept"));
    EXPECT_FALSE(u.RecordExists("Fw_Emp"));
    EXPECT_TRUE(u.RecordExists("Fw_Dept", "WHERE Dept_Desc = ?", {"O'Brien & Co"}));
    EXPECT_TRUE(u.RecordExists("Fw_Dept", " WHERE Dept_Desc = ?", {"accounts"}));
    EXPECT_FALSE(u.RecordExists("Fw_Dept", "WHERE Dept_Desc = ?", {"' OR 1=1 --"}));
    EXPECT_THROW(u.RecordExists("No_Such_Table", "WHERE 1 = 1"), zv::db::DbError);

    QComboBox combo;
    combo.addItem("stale");
    combo.hide();
    u.FillCombo(&combo, "Fw_Dept", "Dept_Desc");
    ASSERT_EQ(combo.count(), 2);
    EXPECT_EQ(combo.itemText(0), "Accounts");
    EXPECT_FALSE(combo.isHidden());
    try {
        u.FillCombo(&combo, "", "", "");
        ADD_FAILURE() << "no error";
    } catch (const zv::db::DbError &e) {
        EXPECT_EQ(e.number(), 201);
        EXPECT_EQ(e.description(), "Pass Either Query or First Three Fields ");
    }
    EXPECT_EQ(combo.count(), 0);
}

// --------------------------------------------------------------- delete

TEST_F(FormUtilityTest, DeleteRecordOutcomes) {
    SingleForm form(kMasterKeys);
    auto &u = form.utility;
    auto &c = modCommon::MainConnection();
    const qint64 accounts = deptKey("Accounts");
    const qint64 obrien = deptKey("O'Brien & Co");
    c.execute("INSERT INTO Fw_Emp (Emp_Name, Sys_Dept_Num) VALUES ('Asha', ?)", {accounts});

    EXPECT_EQ(u.DeleteRecord("Fw_Dept", "WHERE Sys_Dept_Num = ?", {9999}, &form.footer), "NOTDELETE");

    // Referred to by an employee: refused, "Link", ZVE030 with no prefix.
    EXPECT_EQ(u.DeleteRecord("Fw_Dept", "WHERE Sys_Dept_Num = ?", {accounts}, &form.footer), "Link");
    EXPECT_EQ(form.footer.Status(), "ZVE030 -  Record is referred to elsewhere ");
    EXPECT_TRUE(u.RecordExists("Fw_Dept", "WHERE Sys_Dept_Num = ?", {accounts}));

    // Held for editing by another connection: the lock outcome, nothing deleted.
    zv::db::Connection other;
    other.open(folder.productionDb());
    auto lock = other.lockRow("fw_dept", QString::number(obrien));
    form.footer.setStatus("");
    EXPECT_EQ(u.DeleteRecord("Fw_Dept", "WHERE Dept_Desc = ?", {"O'Brien & Co"}, &form.footer), "NOTUPDATE");
    EXPECT_EQ(form.footer.Status(), "ZVE028 -  Record is locked by another user ");
    EXPECT_TRUE(u.RecordExists("Fw_Dept", "WHERE Sys_Dept_Num = ?", {obrien}));

    // Released: deleted. Our own lock on the row does not stand in the way.
    lock->release();
    auto own = c.lockRow("Fw_Dept", obrien);
    EXPECT_EQ(u.DeleteRecord("Fw_Dept", "WHERE Dept_Desc = ?", {"O'Brien & Co"}, &form.footer), "DELETE");
    EXPECT_FALSE(u.RecordExists("Fw_Dept", "WHERE Sys_Dept_Num = ?", {obrien}));
    EXPECT_TRUE(messages.shown().isEmpty());

    // The header/detail object sorts the same way.
    clsGeneralDetailHeader d;
    EXPECT_EQ(d.DeleteRecord("Fw_Dept", "WHERE Sys_Dept_Num = ?", {accounts}, &form.footer), "Link");
    c.execute("DELETE FROM Fw_Emp");
    EXPECT_EQ(d.DeleteRecord("Fw_Dept", "WHERE Sys_Dept_Num = ?", {accounts}, &form.footer), "DELETE");
}

// A read that fails is no answer: every routine lets the failure reach its
// caller (which ends the user's action and tells it once), shows nothing
// itself, leaves the footer as it was and changes no row.
TEST_F(FormUtilityTest, AFailedReadReachesTheCallerAndDecidesNothing) {
    SingleForm form(kMasterKeys);
    clsGeneralDetailHeader d;
    auto &u = form.utility;
    const qint64 accounts = deptKey("Accounts");
    const struct {
        const char *routine;
        std::function<void()> call;
    } routines[] = {
        {"DisplayStatus", [&] { u.DisplayStatus("ZVE007", &form.footer); }},
        {"ChequeDuplicateRecord",
         [&] { u.ChequeDuplicateRecord("Fw_Dept", "Dept_Desc = ?", {"Accounts"}, &form.footer, "Name"); }},
        {"GetCode", [&] { u.GetCode("Dept_Desc", accounts, "Sys_Dept_Num", "Fw_Dept"); }},
        {"GetCodeNum", [&] { u.GetCodeNum("Dept_Desc", accounts, "Sys_Dept_Num", "Fw_Dept"); }},
        {"detail GetCode", [&] { d.GetCode("Dept_Desc", accounts, "Sys_Dept_Num", "Fw_Dept"); }},
        {"DeleteRecord", [&] { u.DeleteRecord("Fw_Dept", "WHERE Sys_Dept_Num = ?", {accounts}, &form.footer); }},
    };
    form.footer.setStatus("as it was");
    {
        OtherProgramLock other(folder.productionDb());
        ASSERT_TRUE(other.held()) << other.output().constData();
        for (const auto &r : routines) {
            SCOPED_TRACE(r.routine);
            try {
                r.call();
                ADD_FAILURE() << "answered from a failed read";
            } catch (const zv::db::DbError &e) {
                EXPECT_EQ(e.number(), zv::db::err::DatabaseInUse);
            }
        }
        ASSERT_TRUE(other.release());
    }
    EXPECT_TRUE(messages.shown().isEmpty());
    EXPECT_EQ(form.footer.Status(), "as it was");
    EXPECT_TRUE(u.RecordExists("Fw_Dept", "WHERE Sys_Dept_Num = ?", {accounts}));

    // The read alone failing, the file free: still no answer.
    modCommon::CloseMainConnection();
    const FailingStatement failing("ZV-DATA.mdb", "SELECT 1 FROM Fw_Dept");
    EXPECT_THROW(u.ChequeDuplicateRecord("Fw_Dept", "Dept_Desc = ?", {"Nobody"}, &form.footer, "Name"),
                 zv::db::DbError);
    EXPECT_TRUE(failing.failed());
}

// --------------------------------------------------------------- DisableControls

TEST_F(FormUtilityTest, DisableControlsKeepsComboText) {
    QWidget w;
    auto *edit = new QLineEdit("text", &w);
    auto *combo = new QComboBox(&w);
    combo->setEditable(true);
    combo->setEditText("kept");
    auto *check = new QCheckBox(&w);
    check->setChecked(true);
    clsGeneralDetailHeader d;
    d.DisableControls(&w);
    EXPECT_EQ(edit->text(), "");
    EXPECT_FALSE(edit->isEnabled());
    EXPECT_EQ(combo->currentText(), "kept");
    EXPECT_FALSE(combo->isEnabled());
    EXPECT_FALSE(check->isChecked());
    EXPECT_FALSE(check->isEnabled());
}

} // namespace
