#include "QueryFixture.h"
#include "framework/clsFooterToolBar.h"
#include "platform/ui/ErrorBox.h"
#include "query/frmSelection.h"

#include <QLabel>
#include <QListWidget>
#include <QRadioButton>
#include <QTest>
#include <QToolBar>

using namespace zv::query;

namespace {

const QString kEmployees = QStringLiteral(
    "SELECT Emp_Name, Emp_Shrt_Name, Sys_Emp_Num FROM Emp_Mast ORDER BY Emp_Name");
// Rows by name: Ana_Lee (4), AnaXLee (5), Asha Rao (1), O'Brien Kate (2), Obi Nnamdi (3)

QString runSelection(int mode, const QString &current, std::function<void(frmSelection *)> act, int second = 1,
                     int third = -1) {
    onModal<frmSelection>(std::move(act));
    return frmSelection::ShowValues("Employee Name", kEmployees, mode, current, 2, 0, second, third);
}

QList<int> selectedRows(const QListWidget *list) {
    QList<int> rows;
    for (int i = 0; i < list->count(); ++i)
        if (list->item(i)->isSelected())
            rows << i;
    return rows;
}

void tick(frmSelection *d, int row) { d->lstDataField()->item(row)->setSelected(true); }

} // namespace

class Selection : public QueryFixture {};

TEST_F(Selection, ReturnsTheTickedKeysInListOrder) {
    struct Case {
        int mode;
        QList<int> rows;
        const char *expected;
    };
    const Case cases[] = {
        {0, {3, 2}, "1,2"},
        {1, {3, 2}, "'1','2'"},
        {0, {4}, "3"},
        {1, {4}, "'3'"},
    };
    for (const Case &c : cases) {
        const QString r = runSelection(c.mode, "", [&](frmSelection *d) {
            for (int row : c.rows)
                tick(d, row);
            pressKey(d, Qt::Key_F9);
        });
        EXPECT_EQ(r, QLatin1String(c.expected)) << c.mode;
    }
}

TEST_F(Selection, TheLastSelectionIsTickedWhetherQuotedOrBare) {
    for (const QString &current : {QStringLiteral("2,5,99"), QStringLiteral("'2','5','99'"), QStringLiteral(" 2 , 5")}) {
        QList<int> ticked;
        QString title, caption;
        const QString r = runSelection(0, current, [&](frmSelection *d) {
            ticked = selectedRows(d->lstDataField());
            title = d->windowTitle();
            caption = d->lblFldNameCap()->text();
            d->tlbFooter()->tlbFooter_ButtonClick(d->tbFooter()->actions().at(1));   // Ok
        });
        EXPECT_EQ(ticked, QList<int>({1, 3})) << current.toStdString();
        EXPECT_EQ(r, "5,2");
        EXPECT_EQ(title, "Employee Name Selection Filter");
        EXPECT_EQ(caption, "Employee Name");
    }
}

TEST_F(Selection, RowsShowTheirChosenColumns) {
    struct Case {
        int second, third;
        const char *first;
    };
    const Case cases[] = {{-1, -1, "Ana_Lee"}, {1, -1, "Ana_Lee - ana"}, {1, 2, "Ana_Lee - ana - 4"}};
    for (const Case &c : cases) {
        QString shown;
        runSelection(0, "", [&](frmSelection *d) {
            shown = d->lstDataField()->item(0)->text();
            d->reject();
        }, c.second, c.third);
        EXPECT_EQ(shown, QLatin1String(c.first));
    }
}

TEST_F(Selection, OkWithNothingTickedShowsKRE024AndStaysOpen) {
    QString status;
    bool open = false;
    const QString r = runSelection(0, "3", [&](frmSelection *d) {
        d->optDSelAll()->click();
        EXPECT_TRUE(selectedRows(d->lstDataField()).isEmpty());
        pressKey(d, Qt::Key_F9);
        status = d->tlbFooter()->Status();
        open = d->isVisible();
        d->optSelAll()->click();
        EXPECT_EQ(selectedRows(d->lstDataField()).size(), 5);
        pressKey(d, Qt::Key_F9);
    });
    EXPECT_TRUE(status.startsWith("KRE024 - Employee Name")) << status.toStdString();
    EXPECT_TRUE(open);
    EXPECT_EQ(r, "4,5,1,2,3");
}

// Whole-list actions, the last selection and rows clicked by the user in any
// mix: Ok returns exactly the rows ticked, in list order.
TEST_F(Selection, WholeListActionsAndClickedRowsReturnTheTickedKeys) {
    enum Step { SelectAll, DeselectAll, Click0, Click2, Click3, Click4 };
    struct Case {
        const char *current;
        QList<Step> steps;
        const char *expected;
    };
    const Case cases[] = {
        {"1,2,3,4,5", {}, "4,5,1,2,3"},
        {"1,2,3,4,5", {DeselectAll, SelectAll}, "4,5,1,2,3"},
        {"'1','2','3','4','5'", {Click2}, "4,5,2,3"},
        {"", {SelectAll, Click0, Click4}, "5,1,2"},
        {"'4','1','3'", {DeselectAll, Click3}, "2"},
        {"4,1,3", {Click3, Click2}, "4,2,3"},
        {"", {SelectAll, DeselectAll, Click4, SelectAll}, "4,5,1,2,3"},
    };
    for (const Case &c : cases) {
        bool userSelection = true;
        const QString r = runSelection(0, c.current, [&](frmSelection *d) {
            QListWidget *list = d->lstDataField();
            for (Step step : c.steps) {
                if (step == SelectAll) {
                    d->optSelAll()->click();
                } else if (step == DeselectAll) {
                    d->optDSelAll()->click();
                } else {
                    const int row = step == Click0 ? 0 : step == Click2 ? 2 : step == Click3 ? 3 : 4;
                    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                                      list->visualItemRect(list->item(row)).center());
                    userSelection = userSelection && d->optUsrSel()->isChecked();
                }
            }
            pressKey(d, Qt::Key_F9);
        });
        EXPECT_EQ(r, QLatin1String(c.expected)) << c.current << " with " << c.steps.size() << " steps";
        EXPECT_TRUE(userSelection) << c.current;
    }
}

TEST_F(Selection, EveryOtherWayOutReturnsNothing) {
    const std::vector<std::pair<const char *, std::function<void(frmSelection *)>>> ways = {
        {"Esc", [](frmSelection *d) { pressKey(d, Qt::Key_Escape); }},
        {"F10", [](frmSelection *d) { pressKey(d, Qt::Key_F10); }},
        {"Cancel", [](frmSelection *d) { emit d->tlbFooter()->FooterClick("Cancel"); }},
        {"Exit", [](frmSelection *d) { d->tbHeader()->actions().last()->trigger(); }},
        {"close box", [](frmSelection *d) { d->close(); }},
    };
    for (const auto &[what, act] : ways) {
        const QString r = runSelection(0, "1,2", [&](frmSelection *d) {
            tick(d, 0);
            act(d);
        });
        EXPECT_EQ(r, "") << what;
    }
}

// The caller's action ends: it never takes the failure for an empty choice.
TEST_F(Selection, AQueryThatFailsIsReportedAndEndsTheAction) {
    const QString opened = pressWatching(nullptr, [] {
        EXPECT_THROW(frmSelection::ShowValues("Employee Name", "SELECT nothing FROM nowhere", 0, "", 0, 0),
                     zv::ui::ActionEnded);
        EXPECT_THROW(frmSelection::ShowValues("Employee Name", kEmployees, 0, "", 7, 0), zv::ui::ActionEnded);
    });
    EXPECT_EQ(opened, "");
    ASSERT_EQ(messages.shown().size(), 2);
    for (const auto &m : messages.shown()) {
        EXPECT_TRUE(m.prompt.endsWith("\rError in FrmSelection.ShowValues")) << m.prompt.toStdString();
        EXPECT_EQ(m.buttons & zv::ui::vbCritical, zv::ui::vbCritical);
    }
}

TEST_F(Selection, AnEmptyQueryOffersNothingAndOkIsRefused) {
    QString status;
    onModal<frmSelection>([&](frmSelection *d) {
        EXPECT_EQ(d->lstDataField()->count(), 0);
        pressKey(d, Qt::Key_F9);
        status = d->tlbFooter()->Status();
        d->reject();
    });
    EXPECT_EQ(frmSelection::ShowValues("Employee Name", "SELECT Emp_Name, Sys_Emp_Num FROM Emp_Mast WHERE 1=2", 0,
                                       "", 1, 0),
              "");
    EXPECT_TRUE(status.startsWith("KRE024"));
}

// A statement with its values bound: typed text never enters the SQL.
TEST_F(Selection, OffersTheRowsOfAStatementWithBoundValues) {
    QStringList offered;
    onModal<frmSelection>([&](frmSelection *d) {
        for (int i = 0; i < d->lstDataField()->count(); ++i)
            offered << d->lstDataField()->item(i)->text();
        tick(d, 0);
        pressKey(d, Qt::Key_F9);
    });
    const BoundSql statement{QStringLiteral("SELECT Emp_Name, Emp_Shrt_Name, Sys_Emp_Num FROM Emp_Mast "
                                            "WHERE Emp_Name LIKE ? ORDER BY Emp_Name"),
                             {QStringLiteral("O'%")}};
    const QString r = frmSelection::ShowValues("Employee Name", statement, 1, "", SelectionColumns{2, 0, 1, -1});
    EXPECT_EQ(offered, QStringList({"O'Brien Kate - kate"}));
    EXPECT_EQ(r, "'2'");
}
