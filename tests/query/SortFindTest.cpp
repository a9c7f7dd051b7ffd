#include "QueryFixture.h"
#include "query/RecordsetGrid.h"
#include "query/frmFindNew.h"
#include "query/frmGeneralFilter.h"
#include "query/frmNewSort.h"
#include "support/ModelCheck.h"

#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

using namespace zv::query;

namespace {

const QString kEmpJoin = QStringLiteral("where em.Sys_Desg_Num=dm.Sys_Desg_Num AND dp.Sys_Dept_Num = em.Sys_Dept_Num");

QStringList names(frmGeneralFilter *w, int column) {
    QStringList texts;
    auto *m = w->dgdGrid()->gridModel();
    for (int r = 0; r < m->rowCount(); ++r)
        texts << m->cellText(r, column);
    return texts;
}

QStringList items(const QComboBox *c) {
    QStringList l;
    for (int i = 0; i < c->count(); ++i)
        l << c->itemText(i);
    return l;
}

// The filter over `key` in result mode, sorted by `sortColumn` ascending, then `act`.
void withResults(const QString &key, const QString &join, int sortColumn, std::function<void(frmGeneralFilter *)> act) {
    onModal<frmGeneralFilter>([=](frmGeneralFilter *w) {
        w->middleButton("Ok")->trigger();
        emit w->dgdGrid()->HeadClick(sortColumn);
        act(w);
        w->reject();
    });
    frmGeneralFilter::Show_Form(key, join);
}

template <class T>
T *child(QWidget *w, const char *name) {
    T *c = w->findChild<T *>(QLatin1String(name));
    EXPECT_NE(c, nullptr) << name;
    return c;
}

} // namespace

class SortDialog : public QueryFixture {};

TEST_F(SortDialog, OrdersByTheChosenColumnsAllInOneDirection) {
    withResults("EMP", kEmpJoin, 1, [&](frmGeneralFilter *w) {
        w->dgdGrid()->setCurrentIndex(w->dgdGrid()->model()->index(2, 1));   // Asha Rao
        QStringList offered;
        onModal<frmNewSort>([&](frmNewSort *d) {
            offered = items(child<QComboBox>(d, "cmbSort1"));
            child<QComboBox>(d, "cmbSort1")->setCurrentIndex(offered.indexOf("Department"));
            child<QComboBox>(d, "cmbSort3")->setCurrentIndex(offered.indexOf("Employee Name"));
            child<QRadioButton>(d, "optDesc")->setChecked(true);
            child<QPushButton>(d, "cmdOK")->click();
        });
        pressKey(w, Qt::Key_F4);
        EXPECT_EQ(offered, QStringList({"Employee No", "Employee Name", "Designation", "Department", "Login Name"}));
        EXPECT_EQ(w->mrecGrid()->sortSpec(), "[Department] DESC,[Employee Name] DESC");
        EXPECT_EQ(names(w, 1), QStringList({"O'Brien Kate", "AnaXLee", "Obi Nnamdi", "Asha Rao", "Ana_Lee"}));
        // The current record stays the same record, and the grid shows it.
        EXPECT_EQ(w->dgdGrid()->currentText(1), "Asha Rao");
        EXPECT_EQ(w->dgdGrid()->currentIndex().row(), 3);
    });
}

TEST_F(SortDialog, NothingChosenIsRefusedAndCancelKeepsTheOrder) {
    withResults("EMP", kEmpJoin, 1, [&](frmGeneralFilter *w) {
        const QStringList before = names(w, 1);
        bool stayedOpen = false;
        onModal<frmNewSort>([&](frmNewSort *d) {
            child<QPushButton>(d, "cmdOK")->click();
            stayedOpen = d->isVisible();
            child<QPushButton>(d, "cmdCancel")->click();
        });
        w->middleButton("Sort")->trigger();
        EXPECT_TRUE(stayedOpen);
        ASSERT_FALSE(messages.shown().isEmpty());
        EXPECT_EQ(messages.shown().last().prompt, "Sorting field has to be selected");
        EXPECT_EQ(messages.shown().last().title, "Information");
        EXPECT_EQ(names(w, 1), before);

        onModal<frmNewSort>([&](frmNewSort *d) {
            child<QComboBox>(d, "cmbSort2")->setCurrentIndex(0);   // only a Then By
            EXPECT_EQ(d->sortText(), "[Employee No] ASC");
            pressKey(d, Qt::Key_Escape);
        });
        w->middleButton("Sort")->trigger();
        EXPECT_EQ(names(w, 1), before);
    });
}

TEST_F(SortDialog, ColumnsEmptyInTheCurrentRowAreNotOffered) {
    withResults("ACTMASTAS", "", 2, [&](frmGeneralFilter *w) {
        const int row = names(w, 2).indexOf("File returns");   // no remark
        w->dgdGrid()->setCurrentIndex(w->dgdGrid()->model()->index(row, 2));
        QStringList offered;
        onModal<frmNewSort>([&](frmNewSort *d) {
            offered = items(child<QComboBox>(d, "cmbSort1"));
            d->reject();
        });
        w->middleButton("Sort")->trigger();
        EXPECT_EQ(offered, QStringList({"Date Of Entry", "Activity Description"}));
    });
}

class FindDialog : public QueryFixture {
protected:
    void SetUp() override {
        QueryFixture::SetUp();
        frmFindNew::setRememberedPosition(0);   // as at the program's start
    }
};

TEST_F(FindDialog, FindsEachMatchInTurnAndReportsTheEnd) {
    withResults("EMP", kEmpJoin, 1, [&](frmGeneralFilter *w) {
        // Rows by name: Ana_Lee, AnaXLee, Asha Rao, O'Brien Kate, Obi Nnamdi
        QList<int> rows;
        QStringList captions;
        onModal<frmFindNew>([&](frmFindNew *d) {
            auto *lookIn = child<QComboBox>(d, "cmbLookIn");
            auto *next = child<QPushButton>(d, "cmdNext");
            EXPECT_EQ(lookIn->currentIndex(), 0);
            EXPECT_EQ(child<QComboBox>(d, "cmbMatch")->currentText(), "Contains Text");
            EXPECT_FALSE(next->isEnabled());   // nothing typed yet
            lookIn->setCurrentIndex(items(lookIn).indexOf("Employee Name"));
            child<QLineEdit>(d, "txtActFind")->setText("lee");
            EXPECT_TRUE(next->isEnabled());
            for (int i = 0; i < 3; ++i) {
                next->click();
                rows << w->mrecGrid()->absolutePosition();
                captions << next->text();
            }
            d->reject();
        });
        pressKey(w, Qt::Key_F3);
        EXPECT_EQ(rows, QList<int>({1, 2, 2}));
        EXPECT_EQ(captions, QStringList({"&Find Next", "&Find Next", "&Find Next"}));
        ASSERT_EQ(messages.prompts().size(), 1);
        EXPECT_EQ(messages.prompts().first(), "ZV has finished searching, No more matches Found");
        EXPECT_EQ(w->dgdGrid()->currentIndex().row(), 1);   // the grid follows the record
    });
}

TEST_F(FindDialog, NothingFoundAtFirstUseThenAfterAClose) {
    withResults("EMP", kEmpJoin, 1, [&](frmGeneralFilter *w) {
        w->dgdGrid()->setCurrentIndex(w->dgdGrid()->model()->index(3, 1));
        QString caption;
        onModal<frmFindNew>([&](frmFindNew *d) {
            child<QComboBox>(d, "cmbMatch")->setCurrentIndex(0);   // Equals
            child<QLineEdit>(d, "txtActFind")->setText("Nobody");
            child<QPushButton>(d, "cmdNext")->click();
            caption = child<QPushButton>(d, "cmdNext")->text();
            child<QPushButton>(d, "cmdCancel")->click();
        });
        w->middleButton("Find")->trigger();
        EXPECT_EQ(caption, "&New Search");
        EXPECT_EQ(w->mrecGrid()->absolutePosition(), 1);
        EXPECT_EQ(messages.prompts(), QStringList({"ZV has finished searching,The search item was not found"}));
        EXPECT_EQ(frmFindNew::rememberedPosition(), 1);

        messages.clear();
        w->dgdGrid()->setCurrentIndex(w->dgdGrid()->model()->index(3, 1));
        onModal<frmFindNew>([&](frmFindNew *d) {
            child<QLineEdit>(d, "txtActFind")->setText("Nobody");
            child<QPushButton>(d, "cmdNext")->click();
            d->reject();
        });
        w->middleButton("Find")->trigger();
        EXPECT_EQ(messages.prompts(), QStringList({"ZV has finished searching, No more matches Found"}));
        EXPECT_EQ(w->mrecGrid()->absolutePosition(), 1);
    });
}

TEST_F(FindDialog, QuoteInTheTextAndStartsWith) {
    withResults("EMP", kEmpJoin, 1, [&](frmGeneralFilter *w) {
        onModal<frmFindNew>([&](frmFindNew *d) {
            auto *lookIn = child<QComboBox>(d, "cmbLookIn");
            lookIn->setCurrentIndex(items(lookIn).indexOf("Employee Name"));
            child<QComboBox>(d, "cmbMatch")->setCurrentIndex(1);   // Starts With
            child<QLineEdit>(d, "txtActFind")->setText("O'B");
            child<QPushButton>(d, "cmdNext")->click();
            d->reject();
        });
        w->middleButton("Find")->trigger();
        EXPECT_EQ(w->dgdGrid()->currentText(1), "O'Brien Kate");
        EXPECT_TRUE(messages.prompts().isEmpty());
    });
}

TEST_F(FindDialog, DateColumnsSearchByThePickedDay) {
    modCommon::MainConnection().execute("INSERT INTO Actvty_Mast (Entry_Date, Actvty_Desc, Remk) VALUES ('2004-05-01', 'Zero remark', NULL)");
    withResults("ACTMASTAS", "", 2, [&](frmGeneralFilter *w) {
        const int nullRow = names(w, 2).indexOf("Zero remark");
        w->dgdGrid()->setCurrentIndex(w->dgdGrid()->model()->index(nullRow, 2));
        QStringList offered;
        bool textShown = true, matchShown = true, pickerShown = false, nextEnabled = false;
        onModal<frmFindNew>([&](frmFindNew *d) {
            auto *lookIn = child<QComboBox>(d, "cmbLookIn");
            offered = items(lookIn);   // the Null remark and the hidden key are not searchable
            lookIn->setCurrentIndex(offered.indexOf("Date Of Entry"));
            textShown = child<QLineEdit>(d, "txtActFind")->isVisibleTo(d);
            matchShown = child<QGroupBox>(d, "fraMatch")->isVisibleTo(d);
            pickerShown = child<QDateEdit>(d, "DtpFind")->isVisibleTo(d);
            nextEnabled = child<QPushButton>(d, "cmdNext")->isEnabled();
            child<QDateEdit>(d, "DtpFind")->setDate(QDate(2004, 4, 1));
            child<QPushButton>(d, "cmdNext")->click();
            d->reject();
        });
        w->middleButton("Find")->trigger();
        EXPECT_EQ(offered, QStringList({"Date Of Entry", "Activity Description"}));
        EXPECT_FALSE(textShown);
        EXPECT_FALSE(matchShown);
        EXPECT_TRUE(pickerShown);
        EXPECT_TRUE(nextEnabled);
        EXPECT_EQ(w->dgdGrid()->currentText(2), "File returns");
    });
}

TEST(GridFormats, CellsShowAsTheirColumnFormatSays) {
    struct Case {
        QVariant value;
        const char *format;
        const char *text;
    };
    const Case cases[] = {
        {QVariant(5), "NUMERIC", "5.00"},          {QVariant(5.125), "NUMERIC", "5.125"},
        {QVariant(2.34567), "NUMERIC", "2.346"},   {QVariant(42), "INTEGER", "42"},
        {QVariant("2004-03-05"), "DATETIME", "05-Mar-2004"},
        {QVariant(1), "CHECKBOX", "Yes"},          {QVariant(0), "CHECKBOX", "No"},
        {QVariant(1), "OPTION", "Jigs"},           {QVariant(0), "OPTION", "Fixtures"},
        {QVariant(-1), "CLOP", "Open"},            {QVariant(0), "CLOP", "Close"},
        {QVariant("as is"), "MEMO", "as is"},      {QVariant(), "TEXT", ""},
    };
    for (const Case &c : cases)
        EXPECT_EQ(formatCell(c.value, QLatin1String(c.format)), QLatin1String(c.text)) << c.format;
}

// Qt's model tester finds nothing wrong while the grid's model is loaded,
// given its columns (one of them a field the rows lack), sorted, reset and
// emptied; the cells follow each step.
TEST(GridModel, PassesTheModelTesterThroughLoadColumnsSortAndReset) {
    RecordsetGrid grid;
    RecordsetGridModel &model = *grid.gridModel();
    ModelCheck check(&model);
    auto rs = std::make_shared<zv::db::Recordset>(
        QStringList{"Sys_Emp_Num", "Emp_Name", "Join_Date"},
        QVector<zv::db::Recordset::Row>{{7, "Ravi", "2005-03-02"}, {3, "asha", QVariant()}, {5, "Bala", "2004-11-30"}});
    grid.setRecordset(rs);
    EXPECT_EQ(model.columnCount(), 3);
    model.setColumns({{"Sys_Emp_Num", "Key", "INTEGER", 15},
                      {"Emp_Name", "Employee Name", "TEXT", 2000},
                      {"Join_Date", "Joined", "DATETIME", 1200},
                      {"Not_There", "Missing", "TEXT", 900}});
    EXPECT_EQ(model.cellText(0, 2), "02-Mar-2005");
    EXPECT_EQ(model.cellText(0, 3), "");

    rs->sort("[Emp_Name] ASC");
    grid.refresh();
    EXPECT_EQ(model.cellText(0, 1), "asha");
    EXPECT_EQ(model.cellText(2, 1), "Ravi");
    EXPECT_EQ(rs->sortSpec(), "[Emp_Name] ASC");

    grid.setRecordset(std::make_shared<zv::db::Recordset>(QStringList{"A"}, QVector<zv::db::Recordset::Row>{}));
    EXPECT_EQ(model.rowCount(), 0);
    grid.setRecordset(nullptr);
    model.setColumns({{"Emp_Name", "Employee Name", "TEXT", 2000}});
    EXPECT_EQ(model.rowCount(), 0);
    EXPECT_EQ(model.columnCount(), 1);

    EXPECT_EQ(check.findings(), QStringList());
}
