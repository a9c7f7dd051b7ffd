#include "QueryFixture.h"
#include "framework/clsFooterToolBar.h"
#include "platform/ui/ErrorBox.h"
#include "query/FilterDateBox.h"
#include "query/RecordsetGrid.h"
#include "query/frmFindNew.h"
#include "query/frmGeneralFilter.h"
#include "query/frmNewSort.h"
#include "query/frmSelection.h"
#include "support/FailingStatement.h"
#include "support/OtherProgramLock.h"

#include <QAction>
#include <QComboBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolBar>
#include <functional>
#include <memory>

using namespace zv::query;

namespace {

const QString kEmpJoin = QStringLiteral("where em.Sys_Desg_Num=dm.Sys_Desg_Num AND dp.Sys_Dept_Num = em.Sys_Dept_Num");
const QString kEmployees = QStringLiteral("SELECT Emp_Name, Emp_Shrt_Name, Sys_Emp_Num FROM Emp_Mast ORDER BY Emp_Name");
const QString kInUse = QStringLiteral("is in use by another program. Please try again when it is closed.");
const QString kExclusive = QStringLiteral("BEGIN EXCLUSIVE");
const QString kWriter = QStringLiteral("BEGIN IMMEDIATE; UPDATE Cmpny_Mast SET Cmpny_Name = Cmpny_Name");

// What a window shows: the same after a press that failed.
QString stateOf(QWidget *w) {
    QStringList s;
    if (auto *f = qobject_cast<frmGeneralFilter *>(w)) {
        s << (f->middleButton("Ok")->isVisible() ? "criteria" : "rows")
          << QString::number(f->dgdGrid()->gridModel()->rowCount())
          << (f->dgdGrid()->isVisibleTo(f) ? "grid shown" : "grid hidden") << f->tlbFooter()->Status()
          << (f->footerButton("Ok")->isVisible() ? "footer Ok" : "");
        for (int i = 0; i < f->textFieldCount(); ++i)
            s << f->txtFld(i)->text() + (f->txtFld(i)->isEnabled() ? "" : " (locked)");
        for (int i = 1; i <= f->dateFieldCount(); ++i)
            s << f->DTPic(i)->text() + (f->DTPic(i)->isEnabled() ? "" : " (locked)");
    } else if (auto *d = qobject_cast<frmSelection *>(w)) {
        s << (d->isVisible() ? "open" : "closed") << d->tlbFooter()->Status() << d->result();
        for (int i = 0; i < d->lstDataField()->count(); ++i)
            s << (d->lstDataField()->item(i)->isSelected() ? "ticked" : "");
    }
    return s.join(" | ");
}

enum class Window { EmployeeFilter, ActivityFilter, Selection };

// Shows the window modally and runs `act` in it; the window is closed after.
void inWindow(Window window, const std::function<void(QWidget *)> &act) {
    if (window == Window::Selection) {
        onModal<frmSelection>([&](frmSelection *d) {
            act(d);
            d->reject();
        });
        frmSelection::ShowValues("Employee Name", kEmployees, 0, "", 2, 0);
        return;
    }
    onModal<frmGeneralFilter>([&](frmGeneralFilter *w) {
        act(w);
        w->reject();
    });
    if (window == Window::EmployeeFilter)
        frmGeneralFilter::Show_Form("EMP", kEmpJoin);
    else
        frmGeneralFilter::Show_Form("ACTMASTAS");
}

frmGeneralFilter *filter(QWidget *w) { return qobject_cast<frmGeneralFilter *>(w); }
frmSelection *selection(QWidget *w) { return qobject_cast<frmSelection *>(w); }

// A press in one of the query windows that reads the production database.
struct Press {
    const char *name;
    Window window;
    std::function<void(QWidget *)> before;   // brings the window to the press, the file free
    std::function<void(QWidget *)> press;
    // Another failure of the press's first read: the text of its statement,
    // and the window's own box for it.
    const char *firstRead;
    QString failureBox;
    // The press's work, done once the file is let go: the window it opened,
    // the boxes shown.
    std::function<void(QWidget *, const QString &opened, const QStringList &prompts)> worked;
};

void PrintTo(const Press &p, std::ostream *os) { *os << p.name; }

void nothing(QWidget *) {}
void search(QWidget *w) { filter(w)->middleButton("Ok")->trigger(); }

void showsRows(QWidget *w, const QString &opened, const QStringList &prompts) {
    EXPECT_EQ(filter(w)->dgdGrid()->gridModel()->rowCount(), 5);
    EXPECT_FALSE(filter(w)->middleButton("Ok")->isVisible());
    EXPECT_EQ(opened, "");
    EXPECT_EQ(prompts, QStringList());
}
void opensFind(QWidget *, const QString &opened, const QStringList &prompts) {
    EXPECT_EQ(opened, "zv::query::frmFindNew");
    EXPECT_EQ(prompts, QStringList());
}
void refusesNothingTicked(QWidget *w, const QString &opened, const QStringList &prompts) {
    EXPECT_TRUE(selection(w)->tlbFooter()->Status().startsWith("KRE024")) << selection(w)->tlbFooter()->Status().toStdString();
    EXPECT_TRUE(selection(w)->isVisible());
    EXPECT_EQ(opened, "");
    EXPECT_EQ(prompts, QStringList());
}

const Press kPresses[] = {
    {"SearchByF9", Window::EmployeeFilter, [](QWidget *w) { filter(w)->txtFld(0)->setText("E00"); },
     [](QWidget *w) { pressKey(filter(w)->txtFld(0), Qt::Key_F9); }, "sys_grid_fltr", "interrupted", showsRows},
    {"SearchByItsButton", Window::EmployeeFilter, nothing, search, "sys_grid_fltr", "interrupted", showsRows},
    {"SearchFindingNothing", Window::EmployeeFilter, [](QWidget *w) { filter(w)->txtFld(1)->setText("Nobody"); },
     [](QWidget *w) { pressKey(filter(w)->txtFld(1), Qt::Key_F9); }, "Err_Msg", "interrupted",
     [](QWidget *w, const QString &opened, const QStringList &prompts) {
         EXPECT_TRUE(filter(w)->tlbFooter()->Status().startsWith("ZVE001")) << filter(w)->tlbFooter()->Status().toStdString();
         EXPECT_TRUE(filter(w)->middleButton("Ok")->isVisible());
         EXPECT_EQ(opened, "");
         EXPECT_EQ(prompts, QStringList());
     }},
    // A date typed in part is refused, but only after the read the search begins with.
    {"SearchWithADateTypedInPart", Window::ActivityFilter,
     [](QWidget *w) {
         FilterDateBox *box = filter(w)->DTPic(1);
         box->setFocus();
         box->setCursorPosition(0);
         QTest::keyClicks(box, "31feb");
     },
     [](QWidget *w) { pressKey(filter(w)->DTPic(1), Qt::Key_F9); }, "sys_grid_fltr", "interrupted",
     [](QWidget *w, const QString &opened, const QStringList &prompts) {
         EXPECT_EQ(prompts, QStringList({"'31-Feb-____' is not a valid date"}));
         EXPECT_TRUE(filter(w)->middleButton("Ok")->isVisible());
         EXPECT_EQ(opened, "");
     }},
    {"FindByF3", Window::EmployeeFilter, search, [](QWidget *w) { pressKey(w, Qt::Key_F3); }, "sys_grid_fltr",
     "interrupted", opensFind},
    {"FindByItsButton", Window::EmployeeFilter, search,
     [](QWidget *w) { filter(w)->middleButton("Find")->trigger(); }, "sys_grid_fltr", "interrupted", opensFind},
    {"SelectionOkByF9WithNothingTicked", Window::Selection, nothing, [](QWidget *w) { pressKey(w, Qt::Key_F9); },
     "Err_Msg", "interrupted\r3712", refusesNothingTicked},
    {"SelectionOkButtonWithNothingTicked", Window::Selection, nothing,
     [](QWidget *w) {
         for (QAction *a : selection(w)->tbFooter()->actions())
             if (a->objectName() == QLatin1String("Ok"))
                 a->trigger();
     },
     "Err_Msg", "interrupted\r3712", refusesNothingTicked},
};

} // namespace

// The query tools read while another program holds the production file.
class HeldDatabase : public QueryFixture {
protected:
    QByteArray fileName() const { return QFileInfo(folder.productionDb()).fileName().toUtf8(); }

    // Exactly one box since the last clear, the in-use box.
    void expectToldInUseOnce(const std::string &where) {
        const QStringList prompts = messages.prompts();
        ASSERT_EQ(prompts.size(), 1) << where << ": " << prompts.join(" | ").toStdString();
        EXPECT_TRUE(prompts.first().contains(kInUse)) << where << ": " << prompts.first().toStdString();
    }
};

class HeldPress : public HeldDatabase, public ::testing::WithParamInterface<Press> {};

// Every press that reads: each failing press says why, once, the second time
// too; nothing after the failed read runs; the same press works once let go.
TEST_P(HeldPress, TellsEachFailureOnceChangesNothingAndWorksOnceLetGo) {
    const Press &p = GetParam();
    inWindow(p.window, [&](QWidget *w) {
        p.before(w);
        const QString shown = stateOf(w);
        {
            OtherProgramLock theirs(folder.productionDb(), kExclusive);
            ASSERT_TRUE(theirs.held()) << theirs.output().constData();
            for (int n = 1; n <= 2; ++n) {
                const std::string where = "held, press " + std::to_string(n);
                messages.clear();
                const QString opened = pressWatching(w, [&] { p.press(w); });
                expectToldInUseOnce(where);
                EXPECT_EQ(opened, "") << where;
                EXPECT_EQ(stateOf(w), shown) << where;
            }
            ASSERT_TRUE(theirs.release());
        }
        {
            // The read fails otherwise: told in the window's own box.
            const FailingStatement failing(fileName(), p.firstRead);
            modCommon::CloseMainConnection();
            messages.clear();
            const QString opened = pressWatching(w, [&] { p.press(w); });
            EXPECT_TRUE(failing.failed());
            EXPECT_EQ(messages.prompts(), QStringList({p.failureBox}));
            EXPECT_EQ(opened, "");
            EXPECT_EQ(stateOf(w), shown);
        }
        messages.clear();
        const QString opened = pressWatching(w, [&] { p.press(w); });
        p.worked(w, opened, messages.prompts());
    });
}

INSTANTIATE_TEST_SUITE_P(QueryWindows, HeldPress, ::testing::ValuesIn(kPresses),
                         [](const ::testing::TestParamInfo<Press> &info) { return std::string(info.param.name); });

// Opening a window reads its rows: a read that fails is told once in the
// window's box and ends the opening key's action (never a cancel or an empty
// choice for the caller to act on); the window opens once let go.
TEST_F(HeldDatabase, OpeningTellsEachFailureOnceEndsTheActionAndOpensOnceLetGo) {
    struct Opening {
        const char *what;
        std::function<void()> open;
        const char *firstRead;
        QString failureBox;
        Window window;
    };
    const Opening openings[] = {
        {"the filter", [] { frmGeneralFilter::Show_Form("EMP", kEmpJoin); }, "sys_Qury_Fltr", "interrupted",
         Window::EmployeeFilter},
        {"the selection list", [] { frmSelection::ShowValues("Employee Name", kEmployees, 0, "1", 2, 0); }, "Emp_Mast",
         "interrupted\r3712\rError in FrmSelection.ShowValues", Window::Selection},
    };
    for (const Opening &o : openings) {
        SCOPED_TRACE(o.what);
        bool ran = true;
        {
            OtherProgramLock theirs(folder.productionDb(), kExclusive);
            ASSERT_TRUE(theirs.held()) << theirs.output().constData();
            for (int n = 1; n <= 2; ++n) {
                messages.clear();
                const QString opened = pressWatching(nullptr, [&] { ran = zv::ui::runAction(o.open); });
                expectToldInUseOnce("held, opening " + std::to_string(n));
                EXPECT_FALSE(ran);
                EXPECT_EQ(opened, "");
            }
            ASSERT_TRUE(theirs.release());
        }
        {
            const FailingStatement failing(fileName(), o.firstRead);
            modCommon::CloseMainConnection();
            messages.clear();
            const QString opened = pressWatching(nullptr, [&] { ran = zv::ui::runAction(o.open); });
            EXPECT_TRUE(failing.failed());
            EXPECT_EQ(messages.prompts(), QStringList({o.failureBox}));
            EXPECT_FALSE(ran);
            EXPECT_EQ(opened, "");
        }
        messages.clear();
        bool shown = false;
        inWindow(o.window, [&](QWidget *) { shown = true; });
        EXPECT_TRUE(shown);
        EXPECT_EQ(messages.prompts(), QStringList());
    }
}

// A writer keeps no reader out: every read of the windows works while it holds
// the file, with nothing told.
TEST_F(HeldDatabase, AWriterStopsNoRead) {
    OtherProgramLock theirs(folder.productionDb(), kWriter);
    ASSERT_TRUE(theirs.held()) << theirs.output().constData();
    QString findOpened;
    int rows = -1, offered = -1;
    inWindow(Window::EmployeeFilter, [&](QWidget *w) {
        search(w);
        rows = filter(w)->dgdGrid()->gridModel()->rowCount();
        findOpened = pressWatching(w, [w] { pressKey(w, Qt::Key_F3); });
    });
    inWindow(Window::Selection, [&](QWidget *w) { offered = selection(w)->lstDataField()->count(); });
    EXPECT_EQ(rows, 5);
    EXPECT_EQ(findOpened, "zv::query::frmFindNew");
    EXPECT_EQ(offered, 5);
    EXPECT_EQ(messages.prompts(), QStringList());
}

// The presses that act on the rows already read need no file: held, they work
// and say nothing.
TEST_F(HeldDatabase, PressesOnTheRowsShownWorkWhileHeld) {
    const QString path = folder.productionDb();
    QString sortedBy, headed, found, statusAfterMove;
    QStringList chosen;
    onModal<frmGeneralFilter>([&](frmGeneralFilter *w) {
        search(w);
        {
            OtherProgramLock theirs(path, kExclusive);
            ASSERT_TRUE(theirs.held()) << theirs.output().constData();
            emit w->dgdGrid()->HeadClick(1);
            headed = w->mrecGrid()->sortSpec();
            onModal<frmNewSort>([](frmNewSort *d) {
                auto *first = d->findChild<QComboBox *>("cmbSort1");
                first->setCurrentIndex(first->findText("Department"));
                d->findChild<QPushButton *>("cmdOK")->click();
            });
            pressKey(w, Qt::Key_F4);
            sortedBy = w->mrecGrid()->sortSpec();
            ASSERT_TRUE(theirs.release());
        }
        // Find reads the columns' types as it opens; its searches read nothing.
        onModal<frmFindNew>([&](frmFindNew *d) {
            OtherProgramLock theirs(path, kExclusive);
            ASSERT_TRUE(theirs.held()) << theirs.output().constData();
            auto *lookIn = d->findChild<QComboBox *>("cmbLookIn");
            lookIn->setCurrentIndex(lookIn->findText("Employee Name"));
            ASSERT_GE(lookIn->currentIndex(), 0);
            d->findChild<QLineEdit *>("txtActFind")->setText("Obi");
            d->findChild<QPushButton *>("cmdNext")->click();
            found = w->dgdGrid()->currentText(1);
            d->reject();
            ASSERT_TRUE(theirs.release());
        });
        pressKey(w, Qt::Key_F3);
        OtherProgramLock theirs(path, kExclusive);
        ASSERT_TRUE(theirs.held()) << theirs.output().constData();
        pressKey(w->dgdGrid(), Qt::Key_Down);
        statusAfterMove = w->tlbFooter()->Status();
        pressKey(w, Qt::Key_F9);   // the footer's Ok: the row chosen
        ASSERT_TRUE(theirs.release());
    });
    chosen = frmGeneralFilter::Show_Form("EMP", kEmpJoin);
    EXPECT_EQ(headed, "[Employee Name] ASC");
    EXPECT_EQ(sortedBy, "[Department] ASC");
    EXPECT_EQ(found, "Obi Nnamdi");
    EXPECT_TRUE(statusAfterMove.startsWith(" Current Record : ")) << statusAfterMove.toStdString();
    EXPECT_EQ(chosen.size(), 6);
    EXPECT_FALSE(chosen.value(0).isEmpty());

    QString ticked;
    onModal<frmSelection>([&](frmSelection *d) {
        OtherProgramLock theirs(path, kExclusive);
        ASSERT_TRUE(theirs.held()) << theirs.output().constData();
        d->optSelAll()->click();
        d->optDSelAll()->click();
        d->lstDataField()->item(2)->setSelected(true);
        pressKey(d, Qt::Key_F9);
        ASSERT_TRUE(theirs.release());
    });
    ticked = frmSelection::ShowValues("Employee Name", kEmployees, 0, "", 2, 0);
    EXPECT_EQ(ticked, "1");
    EXPECT_EQ(messages.prompts(), QStringList());
}
