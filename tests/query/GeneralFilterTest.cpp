#include "QueryFixture.h"
#include "framework/clsFooterToolBar.h"
#include "query/RecordsetGrid.h"
#include "query/frmGeneralFilter.h"

#include "query/FilterDateBox.h"
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTest>
#include <QLineEdit>
#include <QToolBar>

using namespace zv::query;

namespace {

const QString kEmpJoin = QStringLiteral("where em.Sys_Desg_Num=dm.Sys_Desg_Num AND dp.Sys_Dept_Num = em.Sys_Dept_Num");
const QString kMngrJoin =
    QStringLiteral(" WHERE HD.Sys_Emp_Num = EM.Sys_Emp_Num AND EM.Sys_Desg_Num = DM.Sys_Desg_Num ");

QStringList runFilter(const QString &key, const QString &join, std::function<void(frmGeneralFilter *)> act) {
    onModal<frmGeneralFilter>(std::move(act));
    return frmGeneralFilter::Show_Form(key, join, QString(), QString(), 0);
}

// Rows the grid shows, by the text of one column.
QStringList gridColumn(frmGeneralFilter *w, int column) {
    QStringList texts;
    auto *m = w->dgdGrid()->gridModel();
    for (int r = 0; r < m->rowCount(); ++r)
        texts << m->cellText(r, column);
    return texts;
}

void chooseRow(frmGeneralFilter *w, int column, const QString &text) {
    const int row = gridColumn(w, column).indexOf(text);
    ASSERT_GE(row, 0) << text.toStdString();
    int visible = 0;
    while (w->dgdGrid()->isColumnHidden(visible))
        ++visible;
    w->dgdGrid()->setCurrentIndex(w->dgdGrid()->model()->index(row, visible));
}

bool criteriaMode(frmGeneralFilter *w) {
    return w->middleButton("Ok")->isVisible() && !w->dgdGrid()->isVisibleTo(w) && w->txtFld(0)->isEnabled() &&
           !w->footerButton("Ok")->isVisible();
}

const QStringList kCancelled = {QString(), QString()};

} // namespace

class GeneralFilter : public QueryFixture {};

TEST_F(GeneralFilter, EveryScreenKeyHandsBackTheChosenRowWhereItsCallerReadsIt) {
    struct Case {
        const char *key;
        QString join;
        int rows;
        int pickColumn;
        QString pickText;
        QStringList expected;   // the whole result
    };
    const std::vector<Case> cases = {
        {"F011", "", 3, 1, "Sales", {"3", "Sales"}},
        {"F012", "", 2, 1, "Manager", {"2", "Manager"}},
        {"EMP", kEmpJoin, 5, 1, "Obi Nnamdi", {"E003", "Obi Nnamdi", "Clerk", "Admin", "3", "obi"}},
        {"HOLDAY", "", 2, 1, "2005", {"2", "2005"}},
        {"MNGREMP", kMngrJoin, 1, 0, "O'Brien Kate", {"O'Brien Kate", "kate", "Manager", "1"}},
        {"ACTMASTAS", "", 3, 2, "File returns", {"2", "01-Apr-2004", "File returns", ""}},
        {"PROJ", "", 1, 1, "Zorvane Ltd", {"1", "Zorvane Ltd", "Pune", "India"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.key);
        int rowsShown = -1;
        QString caption;
        const QStringList result = runFilter(QLatin1String(c.key), c.join, [&](frmGeneralFilter *w) {
            caption = w->windowTitle();
            w->middleButton("Ok")->trigger();
            rowsShown = w->dgdGrid()->gridModel()->rowCount();
            chooseRow(w, c.pickColumn, c.pickText);
            if (QLatin1String(c.key) == QLatin1String("HOLDAY"))
                pressKey(w->dgdGrid(), Qt::Key_Return);   // Enter in the grid chooses too
            else
                pressKey(w, Qt::Key_F9);   // the footer's Ok in result mode
        });
        EXPECT_FALSE(caption.isEmpty());
        EXPECT_EQ(rowsShown, c.rows);
        EXPECT_EQ(result, c.expected);
    }
}

// Each screen key narrows its rows by a text typed into one of its fields.
TEST_F(GeneralFilter, EveryScreenKeyFiltersByATypedText) {
    auto &c = modCommon::MainConnection();
    c.execute("INSERT INTO Emp_Spvr_Mapg_Hdr (Sys_Emp_Num) VALUES (3)");   // Obi Nnamdi, a clerk
    c.execute("INSERT INTO Cmpny_Mast (Cmpny_Name, City, Cntry) VALUES ('Other Co', 'Delhi', 'India')");
    struct Case {
        const char *key;
        QString join;
        int field;   // txtFld index: the screen's text rows in order, its key row included
        QString typed;
        int column;
        QStringList rows;
    };
    const std::vector<Case> cases = {
        {"F011", "", 1, "a", 1, {"Accounts", "Admin"}},
        {"F012", "", 1, "MAN", 1, {"Manager"}},
        {"EMP", kEmpJoin, 0, "E00", 0, {"E001", "E002", "E003", "E004", "E005"}},
        {"EMP", kEmpJoin, 5, "an", 1, {"AnaXLee", "Ana_Lee"}},   // login name
        {"HOLDAY", "", 1, "2005", 1, {"2005"}},
        {"MNGREMP", kMngrJoin, 2, "man", 0, {"O'Brien Kate"}},
        {"MNGREMP", kMngrJoin, 0, "o'", 0, {"O'Brien Kate"}},
        {"ACTMASTAS", "", 1, "pay", 2, {"Pay tax"}},
        {"ACTMASTAS", "", 2, "quart", 2, {"Pay tax"}},
        {"PROJ", "", 2, "del", 1, {"Other Co"}},
    };
    for (const Case &k : cases) {
        SCOPED_TRACE(std::string(k.key) + " " + k.typed.toStdString());
        QStringList shown;
        BoundSql statement;
        runFilter(QLatin1String(k.key), k.join, [&](frmGeneralFilter *w) {
            ASSERT_NE(w->txtFld(k.field), nullptr);
            w->txtFld(k.field)->setText(k.typed);
            w->middleButton("Ok")->trigger();
            shown = gridColumn(w, k.column);
            statement = w->lastStatement();
            w->reject();
        });
        shown.sort();
        EXPECT_EQ(shown, k.rows);
        EXPECT_EQ(statement.params.size(), 1);
    }
}

TEST_F(GeneralFilter, TypedTextFiltersByBeginningAndIsBound) {
    struct Case {
        const char *what;
        int field;   // txtFld index on the employee filter: 0 number, 1 name, 2 designation, 3 department
        QString text;
        int field2;
        QString text2;
        QStringList names;
    };
    const std::vector<Case> cases = {
        {"a quote", 1, "o'b", -1, "", {"O'Brien Kate"}},
        {"letter case ignored", 1, "OBI", -1, "", {"Obi Nnamdi"}},
        {"underscore is no wildcard", 1, "Ana_", -1, "", {"Ana_Lee"}},
        {"two fields", 1, "a", 3, "acc", {"Asha Rao", "Ana_Lee"}},
        {"blanks trimmed", 2, "  Manager  ", -1, "", {"O'Brien Kate"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        QStringList names;
        BoundSql statement;
        runFilter("EMP", kEmpJoin, [&](frmGeneralFilter *w) {
            w->txtFld(c.field)->setText(c.text);
            if (c.field2 >= 0)
                w->txtFld(c.field2)->setText(c.text2);
            w->middleButton("Ok")->trigger();
            names = gridColumn(w, 1);
            statement = w->lastStatement();
            w->reject();
        });
        names.sort();
        QStringList expected = c.names;
        expected.sort();
        EXPECT_EQ(names, expected);
        // The typed text goes in as a value, never as a literal of the statement.
        EXPECT_FALSE(statement.text.contains("'" + c.text.trimmed(), Qt::CaseInsensitive));
        EXPECT_EQ(statement.params.size(), c.field2 >= 0 ? 2 : 1);
    }
}

TEST_F(GeneralFilter, PickedDateFiltersTheDayAndTheUnpickedDateIsNoCriterion) {
    QStringList withDate, withoutDate;
    runFilter("ACTMASTAS", "", [&](frmGeneralFilter *w) {
        ASSERT_EQ(w->dateFieldCount(), 1);
        EXPECT_EQ(w->DTPic(1)->date(), QDate(1900, 1, 1));
        w->middleButton("Ok")->trigger();
        withoutDate = gridColumn(w, 2);
        w->footerButton("Cancel")->trigger();   // back to the criteria
        EXPECT_TRUE(criteriaMode(w));
        w->DTPic(1)->setDate(QDate(2004, 3, 5));
        w->middleButton("Ok")->trigger();
        withDate = gridColumn(w, 2);
        EXPECT_EQ(gridColumn(w, 1), QStringList({"05-Mar-2004", "05-Mar-2004"}));
        w->reject();
    });
    withDate.sort();
    EXPECT_EQ(withDate, QStringList({"Audit", "Pay tax"}));
    EXPECT_EQ(withoutDate.size(), 3);
}

// The width a line edit gives its text (within its frame, margins and the
// 2 pixels it keeps either side).
int textRoom(QLineEdit *box) {
    QStyleOptionFrame option;
    option.initFrom(box);
    option.rect = box->rect();
    option.lineWidth = box->hasFrame() ? box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, box) : 0;
    option.state |= QStyle::State_Sunken;
    const QRect contents = box->style()->subElementRect(QStyle::SE_LineEditContents, &option, box);
    return contents.marginsRemoved(box->textMargins()).width() - 2 * 2;
}

TEST_F(GeneralFilter, DateFieldShowsEveryDateWholeAtTheFontInUse) {
    for (int pointSize : {0, 11, 16}) {
        frmGeneralFilter w;
        if (pointSize) {
            QFont f = w.font();
            f.setPointSize(pointSize);
            w.setFont(f);
        }
        ASSERT_TRUE(w.Load("ACTMASTAS"));
        w.show();
        FilterDateBox *box = w.DTPic(1);
        EXPECT_TRUE(box->isBlank());
        for (int month = 1; month <= 12; ++month) {
            box->setDate(QDate(2008, month, 28));
            const QString text = box->text();
            EXPECT_EQ(text.size(), 11);
            EXPECT_LT(box->fontMetrics().horizontalAdvance(text), textRoom(box))
                << text.toStdString() << " at " << box->font().pointSize() << " pt";
        }
        w.hide();
    }
}

TEST_F(GeneralFilter, DateFieldTakesADateTypedWhole) {
    QStringList found;
    QString typed, counted, afterRefusal;
    bool stillCriteria = false;
    runFilter("ACTMASTAS", "", [&](frmGeneralFilter *w) {
        FilterDateBox *box = w->DTPic(1);
        box->setFocus();
        box->setCursorPosition(0);
        // As typed on a keyboard: Shift held for the capital, let go before the letter.
        QTest::keyClicks(box, "05");
        QTest::keyPress(box, Qt::Key_Shift, Qt::ShiftModifier);
        QTest::keyPress(box, Qt::Key_M, Qt::ShiftModifier);
        QTest::keyRelease(box, Qt::Key_Shift, Qt::NoModifier);
        QTest::keyRelease(box, Qt::Key_M, Qt::NoModifier);
        QTest::keyClicks(box, "ar2004");
        typed = box->text();
        EXPECT_EQ(box->date(), QDate(2004, 3, 5));
        w->middleButton("Ok")->trigger();
        found = gridColumn(w, 2);
        counted = w->tlbFooter()->Status();
        pressKey(w->dgdGrid(), Qt::Key_F10);

        // A date not typed to its end is refused, not taken for no date; the
        // counter of the rows no longer shown is gone with them.
        box->setDate(noDate());
        box->setFocus();
        box->setCursorPosition(0);
        QTest::keyClicks(box, "01Apr20");
        w->middleButton("Ok")->trigger();
        stillCriteria = criteriaMode(w);
        afterRefusal = w->tlbFooter()->Status();
        w->reject();
    });
    EXPECT_TRUE(counted.startsWith(" Current Record : 1 of ")) << counted.toStdString();
    EXPECT_EQ(afterRefusal, "");
    EXPECT_EQ(typed, "05-Mar-2004");
    found.sort();
    EXPECT_EQ(found, QStringList({"Audit", "Pay tax"}));
    EXPECT_TRUE(stillCriteria);
    EXPECT_EQ(messages.prompts(), QStringList({"'01-Apr-20__' is not a valid date"}));
}

TEST_F(GeneralFilter, NoMatchShowsZVE001AndStaysInCriteriaMode) {
    QString status;
    bool stillCriteria = false;
    const QStringList result = runFilter("EMP", kEmpJoin, [&](frmGeneralFilter *w) {
        w->txtFld(1)->setText("Nobody");
        pressKey(w->txtFld(1), Qt::Key_F9);   // the middle Ok while the fields are open
        status = w->tlbFooter()->Status();
        stillCriteria = criteriaMode(w);
        pressKey(w, Qt::Key_F9);   // searches again (still nothing); the footer has no Ok to take it
        pressKey(w, Qt::Key_Escape);
    });
    EXPECT_TRUE(status.startsWith("ZVE001")) << status.toStdString();
    EXPECT_TRUE(stillCriteria);
    EXPECT_EQ(result, kCancelled);
}

TEST_F(GeneralFilter, EveryOtherWayOutGivesTheCancelledResult) {
    const std::vector<std::pair<const char *, std::function<void(frmGeneralFilter *)>>> ways = {
        {"Esc", [](frmGeneralFilter *w) { pressKey(w, Qt::Key_Escape); }},
        {"F10", [](frmGeneralFilter *w) { pressKey(w, Qt::Key_F10); }},
        {"Alt+F4", [](frmGeneralFilter *w) { pressKey(w, Qt::Key_F4, Qt::AltModifier); }},
        {"middle Cancel", [](frmGeneralFilter *w) { w->middleButton("Cancel")->trigger(); }},
        {"header Exit", [](frmGeneralFilter *w) { w->tlbHeader()->actions().at(1)->trigger(); }},
        {"close box", [](frmGeneralFilter *w) { w->close(); }},
        {"Esc with rows shown",
         [](frmGeneralFilter *w) {
             w->middleButton("Ok")->trigger();
             pressKey(w, Qt::Key_Escape);
         }},
        {"footer Cancel then Esc",
         [](frmGeneralFilter *w) {
             w->middleButton("Ok")->trigger();
             pressKey(w, Qt::Key_F10);   // footer Cancel: back to criteria, not out
             EXPECT_TRUE(criteriaMode(w));
             pressKey(w, Qt::Key_F9);    // the hidden footer Ok must not answer
             EXPECT_TRUE(w->isVisible());
             pressKey(w, Qt::Key_Escape);
         }},
    };
    for (const auto &[what, act] : ways) {
        SCOPED_TRACE(what);
        EXPECT_EQ(runFilter("F011", "", act), kCancelled);
    }
}

TEST_F(GeneralFilter, ResultModeLocksTheFieldsAndCountsTheCurrentRecord) {
    runFilter("EMP", kEmpJoin, [&](frmGeneralFilter *w) {
        w->txtFld(1)->setText("A");
        w->middleButton("Ok")->trigger();
        EXPECT_FALSE(w->txtFld(1)->isEnabled());
        EXPECT_TRUE(w->middleButton("Sort")->isVisible());
        EXPECT_TRUE(w->middleButton("Find")->isVisible());
        EXPECT_FALSE(w->middleButton("Ok")->isVisible());
        EXPECT_TRUE(w->footerButton("Ok")->isVisible());
        EXPECT_FALSE(w->footerButton("Reset")->isVisible());
        EXPECT_TRUE(w->dgdGrid()->isColumnHidden(4));   // the key column
        EXPECT_EQ(w->tlbFooter()->Status(), " Current Record : 1 of 3");
        pressKey(w->dgdGrid(), Qt::Key_Down);
        EXPECT_EQ(w->tlbFooter()->Status(), " Current Record : 2 of 3");

        // Back to the criteria: the typed text is still there for a second search.
        w->footerButton("Cancel")->trigger();
        EXPECT_TRUE(w->txtFld(1)->isEnabled());
        EXPECT_EQ(w->txtFld(1)->text(), "A");
        w->txtFld(3)->setText("Sales");
        w->middleButton("Ok")->trigger();
        EXPECT_EQ(gridColumn(w, 1), QStringList({"AnaXLee"}));
        w->reject();
    });
    runFilter("F011", "", [&](frmGeneralFilter *w) {
        w->middleButton("Ok")->trigger();
        EXPECT_FALSE(w->middleButton("Sort")->isVisible());
        EXPECT_FALSE(w->middleButton("Find")->isVisible());
        EXPECT_FALSE(w->txtFld(0)->isVisibleTo(w));   // the key field is never shown
        w->reject();
    });
}

// Back to the criteria the rows shown are let go, and a search never holds the
// rows of the search before it, so a large list is never held twice.
TEST_F(GeneralFilter, CancelAndANewSearchLetGoOfTheRowsShown) {
    runFilter("EMP", kEmpJoin, [&](frmGeneralFilter *w) {
        w->middleButton("Ok")->trigger();
        std::weak_ptr<zv::db::Recordset> shown = w->mrecGrid();
        ASSERT_EQ(shown.lock()->recordCount(), 5);
        w->footerButton("Cancel")->trigger();
        EXPECT_TRUE(shown.expired());
        EXPECT_FALSE(w->mrecGrid());
        EXPECT_EQ(w->dgdGrid()->gridModel()->rowCount(), 0);

        w->txtFld(1)->setText("A");
        w->middleButton("Ok")->trigger();
        shown = w->mrecGrid();
        w->footerButton("Cancel")->trigger();
        w->txtFld(1)->setText("O");
        w->middleButton("Ok")->trigger();
        EXPECT_TRUE(shown.expired());
        EXPECT_EQ(gridColumn(w, 1), QStringList({"O'Brien Kate", "Obi Nnamdi"}));
        w->reject();
    });
}

TEST_F(GeneralFilter, KeysTypedIntoAFieldPassTheKeyFilter) {
    runFilter("EMP", kEmpJoin, [&](frmGeneralFilter *w) {
        typeInto(w->txtFld(1), "O'B%r|ien");
        EXPECT_EQ(w->txtFld(1)->text(), "OBrien");
        EXPECT_EQ(w->txtFld(1)->maxLength(), 40);
        w->reject();
    });
}

TEST_F(GeneralFilter, HeadingClicksAlternateAscendingAndDescending) {
    runFilter("EMP", kEmpJoin, [&](frmGeneralFilter *w) {
        w->middleButton("Ok")->trigger();
        emit w->dgdGrid()->HeadClick(1);
        EXPECT_EQ(gridColumn(w, 1).first(), "Ana_Lee");
        EXPECT_EQ(w->mrecGrid()->sortSpec(), "[Employee Name] ASC");
        emit w->dgdGrid()->HeadClick(1);
        EXPECT_EQ(gridColumn(w, 1).first(), "Obi Nnamdi");
        emit w->dgdGrid()->HeadClick(0);
        EXPECT_EQ(w->mrecGrid()->sortSpec(), "[Employee No] ASC");
        w->reject();
    });
}

TEST_F(GeneralFilter, OkWithoutRowsIsCancelled) {
    frmGeneralFilter w;
    ASSERT_TRUE(w.Load("F011"));
    w.txtFld(1)->setText("zz");
    w.middleButton("Ok")->trigger();
    emit w.tlbFooter()->FooterClick("Ok");
    EXPECT_EQ(w.result(), kCancelled);
}

TEST_F(GeneralFilter, UnknownScreenKeyIsReportedAndCancelled) {
    EXPECT_EQ(frmGeneralFilter::Show_Form("NOSUCH"), kCancelled);
    ASSERT_EQ(messages.shown().size(), 1);
}
