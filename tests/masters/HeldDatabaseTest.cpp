#include "MasterFixture.h"
#include "masters/FrmEmp.h"
#include "masters/frmCompanySetup.h"
#include "masters/frmDepartment.h"
#include "masters/frmEmpMngrAssgn.h"
#include "masters/frmHolidayMaster.h"
#include "masters/frmParameter.h"
#include "masters/LineGrid.h"
#include "support/HeldFile.h"
#include "support/OtherProgramLock.h"
#include <QComboBox>
#include <QLineEdit>
#include <functional>

using zv::masters::NameMaster;
using zv::ui::vbYes;

// The masters while another program holds the production file: exclusively,
// or as a writer would. A held file is no damaged one: only the in-use box,
// exactly one for each key that meets the hold, nothing written, the production path kept, the form on
// the record it shows, and everything working once the file is let go.
namespace {

struct Hold {
    const char *label;
    const char *sql;
};
void PrintTo(const Hold &h, std::ostream *os) { *os << h.label; }
const Hold kHolds[] = {{"Exclusive", "BEGIN EXCLUSIVE"},
                       {"Writer", "BEGIN IMMEDIATE; INSERT INTO Dept_Mast (Dept_Desc) VALUES ('Theirs')"}};


// A message service that runs a step when the next box opens: the other
// program lets go while the user reads the box.
class OnNextBox : public zv::ui::ScriptedMessageService {
public:
    std::function<void()> step;
    int MsgBox(const QString &prompt, int buttons, const QString &title) override {
        if (auto s = std::exchange(step, {}))
            s();
        return ScriptedMessageService::MsgBox(prompt, buttons, title);
    }
};

class HeldTest : public MasterTest {
public:
    void SetUp() override {
        MasterTest::SetUp();
        zv::db::Connection::setFailureObserver([this](const zv::db::DbError &e) {
            if (e.number() == zv::db::err::DatabaseInUse)
                ++m_inUse;
        });
    }
    void TearDown() override {
        zv::db::Connection::setFailureObserver({});
        form.reset();
        MasterTest::TearDown();
    }
    // Starts a step: its boxes and the hold it met are counted from here.
    void startStep(zv::ui::ScriptedMessageService &m) {
        m.clear();
        m_inUse = 0;
    }
    // The boxes of a step: a step that met the hold says so in exactly one
    // box, the in-use box; a step that did not meet it says nothing.
    void expectToldOnce(const zv::ui::ScriptedMessageService &m, const std::string &step) {
        QStringList shown = m.prompts();
        shown.removeAll(kDeleteQuestion);   // a question, not a failure
        EXPECT_EQ(shown.size(), m_inUse > 0 ? 1 : 0)
            << step << (m_inUse > 0 ? " met the hold: " : " met no hold: ") << shown.join(" / ").toStdString();
        for (const QString &p : shown) {
            EXPECT_FALSE(misleadingForAHeldFile(p)) << step << ": " << p.toStdString();
            EXPECT_TRUE(p.contains("is in use by another program")) << step << ": " << p.toStdString();
        }
    }
    // Every row of the tables the masters write, to show nothing was written.
    QString contents() {
        QString all;
        for (const char *table : {"Dept_Mast", "Desg_Mast", "Emp_Mast", "Cmpny_Mast", "Holday_List_Hdr",
                                  "Holday_List_Det", "Emp_Spvr_Mapg_Hdr", "Emp_Spvr_Mapg_Det", "Parm"}) {
            auto rs = other.query(QString("SELECT * FROM ") + table);
            for (int r = 0; r < rs.recordCount(); ++r)
                for (int c = 0; c < rs.fieldCount(); ++c)
                    all += rs.valueAt(r, c).toString() + '|';
            all += '\n';
        }
        return all;
    }

    std::unique_ptr<QDialog> form;
    int m_inUse = 0;
};

// ---------------------------------------------------------------- opening

struct Opening {
    const char *label;
    std::function<QDialog *(zv::fw::FormServices)> make;
};
void PrintTo(const Opening &o, std::ostream *os) { *os << o.label; }
const Opening kOpenings[] = {
    {"Department", [](zv::fw::FormServices s) { return new frmDepartment(nullptr, s); }},
    {"Designation", [](zv::fw::FormServices s) { return new frmDesignation(nullptr, s); }},
    {"Employee", [](zv::fw::FormServices s) { return new FrmEmp(nullptr, s); }},
    {"Company", [](zv::fw::FormServices s) { return new frmCompanySetup(nullptr, s); }},
    {"Holiday", [](zv::fw::FormServices s) { return new frmHolidayMaster(nullptr, s); }},
    {"EmployeeManager", [](zv::fw::FormServices s) { return new frmEmpMngrAssgn(nullptr, s); }},
    {"Parameter", [](zv::fw::FormServices s) { return new frmParameter(nullptr, s); }},
};

class HeldOpening : public HeldTest, public ::testing::WithParamInterface<std::tuple<Opening, Hold>> {};

TEST_P(HeldOpening, IsToldAsInUseOnceAndKeepsTheProductionPath) {
    const auto &[opening, hold] = GetParam();
    const QString path = modCommon::gDBPath;
    answers.filter = [](const QString &) { return QStringList{"", ""}; };
    const QString before = contents();
    {
        OtherProgramLock theirs(folder->productionDb(), hold.sql);
        ASSERT_TRUE(theirs.held()) << theirs.output().constData();
        startStep(messages);
        form.reset(opening.make(answers.forms()));
        showForm(*form);
        QApplication::processEvents();
        expectToldOnce(messages, "open");
        EXPECT_EQ(modCommon::gDBPath, path);
        form.reset();
        ASSERT_TRUE(theirs.release());
    }
    EXPECT_EQ(contents(), before);

    // Let go: the form opens as usual.
    messages.clear();
    form.reset(opening.make(answers.forms()));
    showForm(*form);
    QApplication::processEvents();
    EXPECT_TRUE(messages.prompts().isEmpty()) << messages.prompts().join(" / ").toStdString();
    EXPECT_TRUE(form->isVisible());
}

std::string openingName(const ::testing::TestParamInfo<std::tuple<Opening, Hold>> &info) {
    return std::string(std::get<0>(info.param).label) + std::get<1>(info.param).label;
}
INSTANTIATE_TEST_SUITE_P(Masters, HeldOpening,
                         ::testing::Combine(::testing::ValuesIn(kOpenings), ::testing::ValuesIn(kHolds)),
                         openingName);

// ---------------------------------------------------------------- keys

// A form with two rows, the first shown; how to select a row and type a new
// one, and the name that is taken.
struct Keys {
    const char *label;
    std::function<QDialog *(zv::fw::FormServices)> make;
    // Makes the two rows; their keys.
    std::function<std::pair<qint64, qint64>(HeldTest &)> rows;
    // The filter's answer for the row.
    std::function<QStringList(qint64)> chosen;
    // Types a new row whose name (or number) is the first row's.
    std::function<void(QDialog &)> typeDuplicate;
};

void PrintTo(const Keys &k, std::ostream *os) { *os << k.label; }

qint64 department(HeldTest &t, const QString &name) {
    return t.insert("INSERT INTO Dept_Mast (Dept_Desc) VALUES (?)", {name});
}
qint64 designation(HeldTest &t, const QString &name) {
    return t.insert("INSERT INTO Desg_Mast (Desg_Name) VALUES (?)", {name});
}

const Keys kKeys[] = {
    {"Department", [](zv::fw::FormServices s) { return new frmDepartment(nullptr, s); },
     [](HeldTest &t) { return std::pair{department(t, "Sales"), department(t, "Stores")}; },
     [](qint64 k) { return QStringList{QString::number(k), "?"}; },
     [](QDialog &f) { static_cast<NameMaster &>(f).txtName->setText("sales"); }},
    {"Designation", [](zv::fw::FormServices s) { return new frmDesignation(nullptr, s); },
     [](HeldTest &t) { return std::pair{designation(t, "Manager"), designation(t, "Clerk")}; },
     [](qint64 k) { return QStringList{QString::number(k), "?"}; },
     [](QDialog &f) { static_cast<NameMaster &>(f).txtName->setText("manager"); }},
    {"Employee", [](zv::fw::FormServices s) { return new FrmEmp(nullptr, s); },
     [](HeldTest &t) {
         const qint64 dept = department(t, "Stores");
         const qint64 desg = designation(t, "Clerk");
         const auto emp = [&](const QString &num, const QString &login) {
             return t.insert("INSERT INTO Emp_Mast (Emp_Num, Emp_Name, Sys_Desg_Num, Sys_Dept_Num, Emp_Shrt_Name, Pswd) "
                             "VALUES (?, ?, ?, ?, ?, ?)",
                             {num, "Name " + num, desg, dept, login, modCommon::EncodePassword("pass1")});
         };
         return std::pair{emp("E001", "ONE"), emp("E002", "TWO")};
     },
     [](qint64 k) { return QStringList{"E", "Name", "Clerk", "Stores", QString::number(k), "login"}; },
     [](QDialog &d) {
         auto &f = static_cast<FrmEmp &>(d);
         f.txtEmpno->setText("E001");
         f.txtEmpName->setText("Ravi Kumar");
         f.cmbDesignation->setEditText("Clerk");
         f.CboDepartment->setEditText("Stores");
         f.txtUserID->setText("RAVI");
         f.txtEmpPassWord->setText("secret1");
         f.txtConfirmPassword->setText("secret1");
     }},
};
class HeldKeys : public HeldTest, public ::testing::WithParamInterface<std::tuple<Keys, Hold>> {
public:
    const Keys &keys() const { return std::get<0>(GetParam()); }
    zv::fw::MasterForm &master() { return static_cast<zv::fw::MasterForm &>(*form); }
    void open() {
        form.reset(keys().make(answers.forms()));
        showForm(*form);
    }
    void choose(qint64 row) {
        answers.filter = [this, row](const QString &) { return keys().chosen(row); };
        key(*form, Qt::Key_F8);
    }
    void press(Qt::Key k, const std::string &step) {
        startStep(messages);
        key(*form, k);
        expectToldOnce(messages, step);
    }
};

// Select, Add with Ok, and Delete pressed while the file is held: the in-use
// box once for each key that meets the hold, nothing written, the path kept, and the form still
// on the row it shows; once let go the same row is the one acted on.
TEST_P(HeldKeys, EachKeyThatMeetsTheHoldSaysSoOnceAndChangesNothing) {
    const auto [shown, another] = keys().rows(*this);
    open();
    choose(shown);
    ASSERT_EQ(master().currentKey(), QString::number(shown));
    const QString path = modCommon::gDBPath;
    const QString before = contents();
    {
        OtherProgramLock theirs(folder->productionDb(), std::get<1>(GetParam()).sql);
        ASSERT_TRUE(theirs.held()) << theirs.output().constData();
        startStep(messages);
        choose(another);
        expectToldOnce(messages, "Select");
        const bool moved = master().currentKey() == QString::number(another);
        // Where the other row could be read, the form shows it; never the one
        // without the other.
        if (!moved)
            EXPECT_EQ(master().currentKey(), QString::number(shown));
        press(Qt::Key_F4, "Delete");   // the question, if asked, answered No
        press(Qt::Key_F2, "Add");
        if (master().isEditing()) {
            keys().typeDuplicate(*form);
            press(Qt::Key_F9, "Ok");
            press(Qt::Key_F10, "Cancel");
        }
        EXPECT_EQ(modCommon::gDBPath, path);
        ASSERT_TRUE(theirs.release());
    }
    EXPECT_EQ(contents(), before);

    // Let go: the form acts on the row it shows.
    messages.clear();
    choose(another);
    EXPECT_EQ(master().currentKey(), QString::number(another));
    messages.answer(vbYes);
    if (keys().label == std::string("Employee"))
        return;   // its delete asks the administrator's password: tested with the form
    key(*form, Qt::Key_F4);
    const bool dept = keys().label == std::string("Department");
    EXPECT_EQ(scalar(dept ? "SELECT count(*) FROM Dept_Mast WHERE Sys_Dept_Num = ?"
                          : "SELECT count(*) FROM Desg_Mast WHERE Sys_Desg_Num = ?",
                     {another})
                  .toInt(),
              0);
    EXPECT_EQ(messages.prompts().size(), 1) << messages.prompts().join(" / ").toStdString();
}

std::string keysName(const ::testing::TestParamInfo<std::tuple<Keys, Hold>> &info) {
    return std::string(std::get<0>(info.param).label) + std::get<1>(info.param).label;
}
INSTANTIATE_TEST_SUITE_P(Masters, HeldKeys, ::testing::Combine(::testing::ValuesIn(kKeys), ::testing::ValuesIn(kHolds)),
                         keysName);

// A duplicate check that meets the lock ends the save: when the other program
// lets go while its box is read, the name is still not saved twice.
class HeldDuplicate : public HeldTest, public ::testing::WithParamInterface<Keys> {};

TEST_P(HeldDuplicate, ACheckMeetingTheLockEndsTheSave) {
    GetParam().rows(*this);
    form.reset(GetParam().make(answers.forms()));
    showForm(*form);
    auto &master = static_cast<zv::fw::MasterForm &>(*form);
    const QString before = contents();
    key(*form, Qt::Key_F2);
    ASSERT_TRUE(master.isEditing());
    GetParam().typeDuplicate(*form);
    OnNextBox letGo;
    OtherProgramLock theirs(folder->productionDb(), "BEGIN EXCLUSIVE");
    ASSERT_TRUE(theirs.held()) << theirs.output().constData();
    letGo.step = [&] { EXPECT_TRUE(theirs.release()); };
    startStep(letGo);
    key(*form, Qt::Key_F9);
    expectToldOnce(letGo, "Ok");
    EXPECT_EQ(letGo.prompts().size(), 1);
    EXPECT_EQ(contents(), before);
    EXPECT_TRUE(master.isEditing());
}

INSTANTIATE_TEST_SUITE_P(Masters, HeldDuplicate, ::testing::ValuesIn(kKeys),
                         [](const ::testing::TestParamInfo<Keys> &info) { return std::string(info.param.label); });

// ---------------------------------------------------------------- header and lines

// A select that cannot read the chosen record leaves the form on the one it
// shows, everything of it; once let go the same select moves.
struct Selecting {
    const char *label;
    // Makes two records; the filter's answers for them.
    std::function<std::pair<QStringList, QStringList>(HeldTest &)> records;
    std::function<QDialog *(zv::fw::FormServices)> make;
    // What the form shows of its record.
    std::function<QString(QDialog &)> shown;
    // A key that reads before it opens an edit.
    Qt::Key opensAnEdit;
};
void PrintTo(const Selecting &s, std::ostream *os) { *os << s.label; }

QString gridText(const zv::masters::LineGrid *grid) {
    QString text;
    for (int r = 0; r < grid->model()->rowCount(); ++r)
        for (int c = 0; c < grid->model()->columnCount(); ++c)
            text += grid->model()->index(r, c).data().toString() + '|';
    return text;
}

const Selecting kSelecting[] = {
    {"Holiday",
     [](HeldTest &t) {
         const auto list = [&](int year, const QString &iso) {
             const qint64 k = t.insert("INSERT INTO Holday_List_Hdr (Fincl_Year) VALUES (?)", {year});
             t.insert("INSERT INTO Holday_List_Det (Sys_Holday_List_Num, Holday_Date, Holday_Desc) VALUES (?, ?, 'Day')",
                      {k, iso});
             return QStringList{QString::number(k), QString::number(year)};
         };
         return std::pair{list(2026, "2026-10-02"), list(2027, "2027-01-26")};
     },
     [](zv::fw::FormServices s) { return new frmHolidayMaster(nullptr, s); },
     [](QDialog &d) {
         auto &f = static_cast<frmHolidayMaster &>(d);
         return f.txtYear->text() + '/' + gridText(f.dgdHolidayList);
     },
     Qt::Key_F5},
    {"EmployeeManager",
     [](HeldTest &t) {
         const qint64 dept = department(t, "Stores");
         const qint64 desg = designation(t, "Manager");
         const auto emp = [&](const QString &name) {
             return t.insert("INSERT INTO Emp_Mast (Emp_Num, Emp_Name, Sys_Desg_Num, Sys_Dept_Num, Emp_Shrt_Name) "
                             "VALUES (?, ?, ?, ?, ?)",
                             {name.left(3), name, desg, dept, name.toUpper()});
         };
         const auto mapping = [&](const QString &manager, const QString &report) {
             const qint64 m = t.insert("INSERT INTO Emp_Spvr_Mapg_Hdr (Sys_Emp_Num) VALUES (?)", {emp(manager)});
             t.insert("INSERT INTO Emp_Spvr_Mapg_Det (Sys_Mapg_Num, Sys_Emp_Num) VALUES (?, ?)", {m, emp(report)});
             return QStringList{"", "LOGIN", "", QString::number(m)};
         };
         return std::pair{mapping("Asha", "Bala"), mapping("Chitra", "Devi")};
     },
     [](zv::fw::FormServices s) { return new frmEmpMngrAssgn(nullptr, s); },
     [](QDialog &d) {
         auto &f = static_cast<frmEmpMngrAssgn &>(d);
         return f.cmbManager->currentText() + '/' + gridText(f.dgGrid);
     },
     Qt::Key_F2},
};

class HeldSelect : public HeldTest, public ::testing::WithParamInterface<Selecting> {};

TEST_P(HeldSelect, ASelectThatCannotReadStaysOnTheShownRecord) {
    const auto [first, second] = GetParam().records(*this);
    answers.filter = [&](const QString &) { return first; };
    form.reset(GetParam().make(answers.forms()));
    showForm(*form);
    key(*form, Qt::Key_F8);   // the first record, however the form opened
    const QString shown = GetParam().shown(*form);
    ASSERT_FALSE(shown.endsWith('/')) << shown.toStdString();
    const QString before = contents();
    answers.filter = [&](const QString &) { return second; };
    {
        OtherProgramLock theirs(folder->productionDb(), "BEGIN EXCLUSIVE");
        ASSERT_TRUE(theirs.held()) << theirs.output().constData();
        startStep(messages);
        key(*form, Qt::Key_F8);
        expectToldOnce(messages, "Select");
        EXPECT_EQ(messages.prompts().size(), 1);
        EXPECT_EQ(GetParam().shown(*form), shown);
        ASSERT_TRUE(theirs.release());
    }
    EXPECT_EQ(contents(), before);

    messages.clear();
    key(*form, Qt::Key_F8);
    EXPECT_TRUE(messages.prompts().isEmpty()) << messages.prompts().join(" / ").toStdString();
    EXPECT_NE(GetParam().shown(*form), shown);
}

// A key whose read meets the hold says so once and leaves the form as it
// was: the record shown, no edit open; once let go the same key opens it.
TEST_P(HeldSelect, AKeyWhoseReadFailsLeavesTheFormAsItWas) {
    const auto [first, second] = GetParam().records(*this);
    answers.filter = [&](const QString &) { return first; };
    form.reset(GetParam().make(answers.forms()));
    showForm(*form);
    key(*form, Qt::Key_F8);
    const QString shown = GetParam().shown(*form);
    ASSERT_FALSE(shown.endsWith('/')) << shown.toStdString();
    auto &data = static_cast<zv::fw::DataForm &>(*form);
    {
        OtherProgramLock theirs(folder->productionDb(), "BEGIN EXCLUSIVE");
        ASSERT_TRUE(theirs.held()) << theirs.output().constData();
        startStep(messages);
        key(*form, GetParam().opensAnEdit);
        ASSERT_GT(m_inUse, 0) << "the key read nothing";
        expectToldOnce(messages, "the key");
        EXPECT_EQ(GetParam().shown(*form), shown);
        EXPECT_FALSE(data.isEditing());
        ASSERT_TRUE(theirs.release());
    }
    messages.clear();
    key(*form, GetParam().opensAnEdit);
    EXPECT_TRUE(messages.prompts().isEmpty()) << messages.prompts().join(" / ").toStdString();
    EXPECT_TRUE(data.isEditing());
}

INSTANTIATE_TEST_SUITE_P(Masters, HeldSelect, ::testing::ValuesIn(kSelecting),
                         [](const ::testing::TestParamInfo<Selecting> &info) { return std::string(info.param.label); });

// ---------------------------------------------------------------- single-record forms

// Modify, Ok and Cancel on the forms of one record while the file is held.
struct Single {
    const char *label;
    std::function<void(HeldTest &)> record;
    std::function<QDialog *(zv::fw::FormServices)> make;
};
void PrintTo(const Single &s, std::ostream *os) { *os << s.label; }

const Single kSingles[] = {
    {"Company",
     [](HeldTest &t) {
         t.insert("INSERT INTO Cmpny_Mast (Cmpny_Name, City) VALUES ('Acme', 'Pune')");
         t.other.execute("UPDATE Cmpny_Mast SET Sys_Lock_Num = Sys_Cmpny_Num");
     },
     [](zv::fw::FormServices s) { return new frmCompanySetup(nullptr, s); }},
    {"Parameter", [](HeldTest &) {}, [](zv::fw::FormServices s) { return new frmParameter(nullptr, s); }},
};

class HeldSingle : public HeldTest, public ::testing::WithParamInterface<std::tuple<Single, Hold>> {};

TEST_P(HeldSingle, ModifyOkAndCancelSaySoOnceWhenTheyMeetTheHold) {
    const auto &[single, hold] = GetParam();
    single.record(*this);
    form.reset(single.make(answers.forms()));
    showForm(*form);
    ASSERT_TRUE(messages.prompts().isEmpty()) << messages.prompts().join(" / ").toStdString();
    const QString path = modCommon::gDBPath;
    const QString before = contents();
    {
        OtherProgramLock theirs(folder->productionDb(), hold.sql);
        ASSERT_TRUE(theirs.held()) << theirs.output().constData();
        for (const auto &[k, step] : {std::pair{Qt::Key_F3, "Modify"}, {Qt::Key_F9, "Ok"}, {Qt::Key_F10, "Cancel"}}) {
            startStep(messages);
            key(*form, k);
            expectToldOnce(messages, step);
        }
        EXPECT_EQ(modCommon::gDBPath, path);
        EXPECT_TRUE(form->isVisible());
        ASSERT_TRUE(theirs.release());
    }
    EXPECT_EQ(contents(), before);

    // Let go: Modify opens the record.
    messages.clear();
    key(*form, Qt::Key_F3);
    EXPECT_TRUE(messages.prompts().isEmpty()) << messages.prompts().join(" / ").toStdString();
    EXPECT_TRUE(static_cast<zv::fw::DataForm &>(*form).isEditing());
}

INSTANTIATE_TEST_SUITE_P(Masters, HeldSingle,
                         ::testing::Combine(::testing::ValuesIn(kSingles), ::testing::ValuesIn(kHolds)),
                         [](const ::testing::TestParamInfo<std::tuple<Single, Hold>> &info) {
                             return std::string(std::get<0>(info.param).label) + std::get<1>(info.param).label;
                         });

} // namespace
