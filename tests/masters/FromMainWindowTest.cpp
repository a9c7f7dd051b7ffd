#include "MasterFixture.h"
#include "core/FormRegistry.h"
#include "core/MDIZVS.h"
#include "masters/FormServices.h"
#include "masters/FrmEmp.h"
#include "masters/MasterForms.h"
#include "masters/frmDepartment.h"
#include "masters/frmParameter.h"
#include "query/frmGeneralFilter.h"
#include "support/Modal.h"
#include <QComboBox>
#include <QMenu>
#include <QTimer>

namespace {

class FromMainWindow : public MasterTest {
public:
    void SetUp() override {
        MasterTest::SetUp();
        zv::forms::clearRegistry();
        // The real windows: the test chooses in the general filter window itself.
        zv::masters::registerForms(zv::masters::formServices());
        modCommon::gStartPeriod = "01-Apr-2026";
        modCommon::gEndPeriod = "31-Mar-2027";
        main = MDIZVS::instance();
        main->applyEnablingRule(true);
    }
    void TearDown() override {
        zv::forms::clearRegistry();
        MasterTest::TearDown();
    }
    // Runs steps on the modal window that the next menu entry opens.
    template <class Form>
    void whenOpen(std::function<void(Form &)> steps) {
        onModal<Form>([steps](Form *form) { steps(*form); });
    }

    // In the general filter window that opens next: the text typed into its first
    // field, then its middle Ok and its footer Ok.
    static void chooseInFilterWindow(const QString &typed) {
        onModal<zv::query::frmGeneralFilter>([typed](zv::query::frmGeneralFilter *filter) {
            QTest::keyClicks(filter->txtFld(1), typed);
            click(filter->tlbMiddle(), filter->middleButton("Ok"));
            click(filter->tbFooter(), filter->footerButton("Ok"));
        });
    }

    MDIZVS *main = nullptr;
};

// Each organisation master's menu entry opens its own form.
TEST_F(FromMainWindow, MenuEntriesOpenTheirForms) {
    const struct {
        QAction *entry;
        const char *caption;
    } cases[] = {{main->mnuDeptMast, "Department Master"},
                 {main->mnudesignation, "Designation Master"},
                 {main->mnucmpnysetup, "Company Setup Master"},
                 {main->mnuparameter, "Parameter"}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.caption);
        ASSERT_TRUE(c.entry->isEnabled());
        QString caption;
        whenOpen<zv::fw::MasterForm>([&](zv::fw::MasterForm &form) {
            caption = form.windowTitle();
            key(form, Qt::Key_Escape);
        });
        c.entry->trigger();
        EXPECT_EQ(caption, c.caption);
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    }
}

// Master menu, Department Master: Add, a name, Ok; Esc closes the form again.
// A second opening finds the department through the general filter window.
TEST_F(FromMainWindow, AddingADepartment) {
    ASSERT_TRUE(main->mnuDeptMast->isEnabled());
    ASSERT_TRUE(main->mnuMaster->actions().contains(main->mnuDeptMast));
    QString status;
    whenOpen<frmDepartment>([&](frmDepartment &form) {
        EXPECT_EQ(form.windowTitle(), "Department Master");
        key(form, Qt::Key_F2);
        QTest::keyClicks(form.txtDeptName, "Sales");
        key(form, Qt::Key_F9);
        status = form.lblStatus->text().left(6);
        key(form, Qt::Key_Escape);
    });
    main->mnuDeptMast->trigger();
    EXPECT_EQ(status, "ZVE003");
    const qint64 sales = scalar("SELECT Sys_Dept_Num FROM Dept_Mast WHERE Dept_Desc = 'Sales'").toLongLong();
    ASSERT_GT(sales, 0);

    QString shown, shownKey;
    whenOpen<frmDepartment>([&](frmDepartment &form) {
        chooseInFilterWindow("sal");
        key(form, Qt::Key_F8);
        shown = form.txtDeptName->text();
        shownKey = form.currentKey();
        key(form, Qt::Key_Escape);
    });
    main->mnuDeptMast->trigger();
    EXPECT_EQ(shown, "Sales");
    EXPECT_EQ(shownKey, QString::number(sales));
}

// Master menu, Employee Master: an employee added, then found again through the
// general filter window, whose chosen row gives the employee's key.
TEST_F(FromMainWindow, AddingAnEmployee) {
    insert("INSERT INTO Dept_Mast (Dept_Desc) VALUES ('Stores')");
    insert("INSERT INTO Desg_Mast (Desg_Name) VALUES ('Clerk')");
    ASSERT_TRUE(main->mnuEmpMast->isEnabled());
    ASSERT_TRUE(main->mnuMaster->actions().contains(main->mnuEmpMast));
    QString status;
    whenOpen<FrmEmp>([&](FrmEmp &form) {
        EXPECT_EQ(form.windowTitle(), "Employee Master");
        key(form, Qt::Key_F2);
        QTest::keyClicks(form.txtEmpno, "E7");
        QTest::keyClicks(form.txtEmpName, "Asha Rao");
        QTest::keyClicks(form.cmbDesignation, "cl");
        QTest::keyClicks(form.CboDepartment, "st");
        QTest::keyClicks(form.txtUserID, "asha");
        QTest::keyClicks(form.txtEmpPassWord, "pass1");
        QTest::keyClicks(form.txtConfirmPassword, "pass1");
        key(form, Qt::Key_F9);
        status = form.lblStatus->text().left(6);
        key(form, Qt::Key_Escape);
    });
    main->mnuEmpMast->trigger();
    EXPECT_EQ(status, "ZVE003");
    const qint64 asha = scalar("SELECT Sys_Emp_Num FROM Emp_Mast WHERE Emp_Shrt_Name = 'asha'").toLongLong();
    ASSERT_GT(asha, 0);

    QString shown, shownKey;
    whenOpen<FrmEmp>([&](FrmEmp &form) {
        chooseInFilterWindow("as");
        key(form, Qt::Key_F8);
        shown = form.txtEmpName->text() + "/" + form.cmbDesignation->currentText() + "/" +
                form.CboDepartment->currentText();
        shownKey = form.currentKey();
        key(form, Qt::Key_Escape);
    });
    main->mnuEmpMast->trigger();
    EXPECT_EQ(shown, "Asha Rao/Clerk/Stores");
    EXPECT_EQ(shownKey, QString::number(asha));
}

// File menu, Parameter: a new period shows in the caption while the form is open and after.
TEST_F(FromMainWindow, NewPeriodInTheCaption) {
    QString captionWhileOpen;
    whenOpen<frmParameter>([&](frmParameter &form) {
        key(form, Qt::Key_F3);
        QTest::keyClicks(form.dtpStartPeriod, "01apr2031");
        key(form, Qt::Key_F9);
        captionWhileOpen = MDIZVS::instance()->windowTitle();
        key(form, Qt::Key_Escape);
    });
    main->mnuparameter->trigger();
    const QString expected = "Zorvane 2.0 - ADMIN (From:01-Apr-2031 To:31-Mar-2032)";
    EXPECT_EQ(captionWhileOpen, expected);
    EXPECT_EQ(main->windowTitle(), expected);
}

} // namespace
