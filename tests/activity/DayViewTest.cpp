#include "UtilityFixture.h"
#include "activity/ActivityUtilityForms.h"
#include "activity/frmViewActivity.h"
#include "core/FormRegistry.h"
#include "masters/FormServices.h"
#include "masters/frmHolidayMaster.h"
#include <QTimer>
#include "query/RecordsetGrid.h"
#include "support/Modal.h"
#include <QTest>
#include <vector>

namespace {

using Rows = QList<QStringList>;

class DayView : public UtilityTest {
public:
    void SetUp() override {
        UtilityTest::SetUp();
        const qint64 asha = employee(QStringLiteral("Asha"));
        const qint64 bala = employee(QStringLiteral("Bala"));
        const qint64 chitra = employee(QStringLiteral("Chitra"));
        // March and April are the month rows 3 and 4 of Sys_Const.
        const qint64 ashaMar05 = month(asha, 3, 2005);
        allocate(ashaMar05, "Audit", {5, 6});
        allocate(ashaMar05, "Audit", {5});   // the same work twice in the month's rows
        allocate(ashaMar05, "Backup", {6, 15});
        const qint64 balaMar05 = month(bala, 3, 2005);
        allocate(balaMar05, "Payroll", {5, 31});
        allocate(balaMar05, "Inventory", {1, 15});
        allocate(month(bala, 3, 2006), "Stock", {5});     // another year
        allocate(month(chitra, 4, 2005), "Filing", {5});  // another month
        const qint64 chitraMar05 = month(chitra, 3, 2005);
        insert("INSERT INTO actvty_mnth_det (Sys_Afm_Num, Actvty_Desc, Day5) VALUES (?, 'Tea', 'x')", {chitraMar05});
    }

    qint64 month(qint64 emp, int monthKey, int year) {
        return insert("INSERT INTO actvty_mnth_hdr (Sys_Const_Num, Sys_Emp_Num, yr) VALUES (?, ?, ?)",
                      {monthKey, emp, year});
    }
    void allocate(qint64 hdr, const char *desc, const std::vector<int> &days) {
        const qint64 det = insert("INSERT INTO actvty_mnth_det (Sys_Afm_Num, Actvty_Desc) VALUES (?, ?)",
                                  {hdr, QString::fromLatin1(desc)});
        for (int day : days)
            other.execute(QStringLiteral("UPDATE actvty_mnth_det SET Day%1 = '*' WHERE Sys_Afm_Line_Num = ?").arg(day),
                          {det});
    }
    static Rows gridRows(const frmViewActivity &form) {
        Rows rows;
        const auto *model = form.dgdActivity->gridModel();
        for (int r = 0; r < model->rowCount(); ++r) {
            QStringList row;
            for (int c = 0; c < model->columnCount(); ++c)
                row << model->cellText(r, c);
            rows << row;
        }
        return rows;
    }
};

// Each employee and activity allocated on the day, once, by employee name;
// the Plan Date column repeats the date text as it was passed.
TEST_F(DayView, ListsTheDaysAllocationsOnly) {
    const struct {
        const char *date;
        Rows rows;
    } cases[] = {
        {"05-Mar-2005", {{"Asha", "Audit", "05-Mar-2005"}, {"Bala", "Payroll", "05-Mar-2005"}}},
        {"6-mar-2005", {{"Asha", "Audit", "6-mar-2005"}, {"Asha", "Backup", "6-mar-2005"}}},
        {"15-Mar-2005", {{"Asha", "Backup", "15-Mar-2005"}, {"Bala", "Inventory", "15-Mar-2005"}}},
        {"01-Mar-2005", {{"Bala", "Inventory", "01-Mar-2005"}}},
        {"31-Mar-2005", {{"Bala", "Payroll", "31-Mar-2005"}}},
        {"05-Apr-2005", {{"Chitra", "Filing", "05-Apr-2005"}}},
        {"05-Mar-2006", {{"Bala", "Stock", "05-Mar-2006"}}},
        {"07-Mar-2005", {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.date);
        frmViewActivity form;
        EXPECT_TRUE(form.showActivity(QString::fromLatin1(c.date)));
        EXPECT_EQ(gridRows(form), c.rows);
        EXPECT_FALSE(form.isVisible());
    }
}

// Text that is not a date lists nothing; a grid shown before is emptied.
TEST_F(DayView, TextThatIsNotADateListsNothing) {
    frmViewActivity form;
    ASSERT_TRUE(form.showActivity(QStringLiteral("05-Mar-2005")));
    for (const char *text : {"", "__-___-____", "31-Feb-2005", "05-Xyz-2005", "05-Mar-2005' OR '1'='1"}) {
        SCOPED_TRACE(text);
        EXPECT_FALSE(form.showActivity(QString::fromLatin1(text)));
        EXPECT_EQ(form.dgdActivity->gridModel()->rowCount(), 0);
    }
    EXPECT_TRUE(messages.shown().isEmpty());
}

// The holiday master's way in: the form from the registry, showActivity by
// name, then shown modally; Esc closes it and lets go of its rows.
TEST_F(DayView, FromTheRegistryByNameAndClosedWithEsc) {
    zv::forms::clearRegistry();
    zv::activity::registerUtilityForms();
    std::unique_ptr<QDialog> dialog(zv::forms::createForm(zv::forms::names::frmViewActivity));
    zv::forms::clearRegistry();
    ASSERT_NE(dialog, nullptr);
    bool filled = false;
    ASSERT_TRUE(QMetaObject::invokeMethod(dialog.get(), "showActivity", Qt::DirectConnection,
                                          Q_RETURN_ARG(bool, filled), Q_ARG(QString, QStringLiteral("05-Mar-2005"))));
    EXPECT_TRUE(filled);
    auto *form = qobject_cast<frmViewActivity *>(dialog.get());
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->windowTitle(), "Activity Description");
    EXPECT_EQ(form->dgdActivity->gridModel()->rowCount(), 2);

    form->show();
    QApplication::setActiveWindow(form);
    QApplication::processEvents();
    form->dgdActivity->setFocus();
    QTest::keyClick(form->dgdActivity, Qt::Key_Escape);
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(form->dgdActivity->recordset(), nullptr);
}

// The holiday master's calendar picture opens this view by its registered name.
TEST_F(DayView, OpenedForTheHolidayMaster) {
    zv::forms::clearRegistry();
    zv::activity::registerUtilityForms();
    int rowsShown = -1;
    onModal<frmViewActivity>([&](frmViewActivity *form) {
        rowsShown = form->dgdActivity->gridModel()->rowCount();
        form->close();
    });
    zv::masters::formServices().dayView(nullptr, QStringLiteral("05-Mar-2005"));
    zv::forms::clearRegistry();
    EXPECT_EQ(rowsShown, 2);
}

} // namespace
