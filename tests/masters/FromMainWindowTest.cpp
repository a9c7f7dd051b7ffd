#include "MasterFixture.h"
#include "core/FormRegistry.h"
#include "core/MDIZVS.h"
#include "masters/MasterForms.h"
#include "masters/frmDepartment.h"
#include "masters/frmParameter.h"
#include "query/frmGeneralFilter.h"
#include <QMenu>
#include <QTimer>

namespace {

class FromMainWindow : public MasterTest {
public:
    void SetUp() override {
        MasterTest::SetUp();
        zv::forms::clearRegistry();
        zv::masters::registerForms();
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
        QTimer::singleShot(0, [steps] {
            auto *form = qobject_cast<Form *>(QApplication::activeModalWidget());
            if (!form) {
                ADD_FAILURE() << "the form did not open";
                if (auto *w = QApplication::activeModalWidget())
                    w->close();
                return;
            }
            steps(*form);
        });
    }

    MDIZVS *main = nullptr;
};

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
        QTimer::singleShot(0, [] {
            auto *filter = qobject_cast<zv::query::frmGeneralFilter *>(QApplication::activeModalWidget());
            if (!filter) {
                ADD_FAILURE() << "no filter window";
                return;
            }
            QTest::keyClicks(filter->txtFld(1), "sal");
            click(filter->tlbMiddle(), filter->middleButton("Ok"));
            click(filter->tbFooter(), filter->footerButton("Ok"));
        });
        key(form, Qt::Key_F8);
        shown = form.txtDeptName->text();
        shownKey = form.currentKey();
        key(form, Qt::Key_Escape);
    });
    main->mnuDeptMast->trigger();
    EXPECT_EQ(shown, "Sales");
    EXPECT_EQ(shownKey, QString::number(sales));
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
