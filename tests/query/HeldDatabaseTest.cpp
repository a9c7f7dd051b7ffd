#include "QueryFixture.h"
#include "query/RecordsetGrid.h"
#include "query/frmGeneralFilter.h"
#include "query/frmFindNew.h"
#include "query/frmNewSort.h"
#include "query/frmSelection.h"
#include "support/OtherProgramLock.h"

#include <QAction>
#include <QComboBox>
#include <QPushButton>
#include <functional>
#include <memory>
#include <QLineEdit>
#include <QListWidget>

using namespace zv::query;

namespace {

const QString kEmpJoin = QStringLiteral("where em.Sys_Desg_Num=dm.Sys_Desg_Num AND dp.Sys_Dept_Num = em.Sys_Dept_Num");
const QString kEmployees = QStringLiteral("SELECT Emp_Name, Emp_Shrt_Name, Sys_Emp_Num FROM Emp_Mast ORDER BY Emp_Name");
const QString kInUse = QStringLiteral("is in use by another program. Please try again when it is closed.");

struct Hold {
    const char *what;
    QString sql;
    bool readersBlocked;
};
const Hold kHolds[] = {
    {"held exclusively", "BEGIN EXCLUSIVE", true},
    {"held by a writer", "BEGIN IMMEDIATE; UPDATE Cmpny_Mast SET Cmpny_Name = Cmpny_Name", false},
};

// Whether a modal T opened during a step: one that does is closed at once.
// Unlike onModal, no window is no failure.
template <class T>
class ClosedIfOpened {
public:
    explicit ClosedIfOpened(std::function<void()> step) {
        auto state = std::make_shared<State>();
        poll(state);
        step();
        state->over = true;
        m_opened = state->opened;
    }
    bool opened() const { return m_opened; }

private:
    struct State {
        bool opened = false, over = false;
    };
    static void poll(std::shared_ptr<State> state) {
        QTimer::singleShot(0, [state] {
            if (state->over)
                return;
            if (auto *w = qobject_cast<T *>(QApplication::activeModalWidget())) {
                state->opened = true;
                w->reject();
                return;
            }
            poll(state);
        });
    }
    bool m_opened = false;
};

} // namespace

// The query tools read while another program holds the production file: a
// read that meets the lock is told as in use, once and in plain words, and
// the same step works once the other program lets go.
class HeldDatabase : public QueryFixture {
public:
    // The boxes shown since the last clear: one in-use box when readers are
    // kept out, none when they are let in.
    void expectToldIfBlocked(const Hold &hold, const std::string &where) {
        const QStringList prompts = messages.prompts();
        ASSERT_EQ(prompts.size(), hold.readersBlocked ? 1 : 0) << where << ": " << prompts.join(" | ").toStdString();
        for (const QString &p : prompts)
            EXPECT_TRUE(p.contains(kInUse)) << where << ": " << p.toStdString();
        messages.clear();
    }
};

TEST_F(HeldDatabase, FilterSelectionAndTheirOkTellInUseOnceAndWorkOnceLetGo) {
    const QString path = folder.productionDb();
    for (const Hold &hold : kHolds) {
        const std::string what = hold.what;
        messages.clear();

        // The general filter opened.
        {
            OtherProgramLock theirs(path, hold.sql);
            ASSERT_TRUE(theirs.held()) << theirs.output().constData();
            if (!hold.readersBlocked)
                onModal<frmGeneralFilter>([](frmGeneralFilter *w) { w->reject(); });
            frmGeneralFilter::Show_Form("EMP", kEmpJoin, QString(), QString(), 0);
            expectToldIfBlocked(hold, what + ", filter opened");
            ASSERT_TRUE(theirs.release());
        }

        // The filter's Ok, the lock taken while the filter is open.
        int rowsHeld = -1, rowsFree = -1;
        QStringList promptsHeld, promptsSorting, promptsFinding;
        bool findOpened = false;
        bool findOpenedOnceFree = false;
        QString sortedBy;
        onModal<frmGeneralFilter>([&](frmGeneralFilter *w) {
            w->txtFld(0)->setText("E00");
            {
                OtherProgramLock theirs(path, hold.sql);
                ASSERT_TRUE(theirs.held()) << theirs.output().constData();
                pressKey(w->txtFld(0), Qt::Key_F9);
                promptsHeld = messages.prompts();
                rowsHeld = w->dgdGrid()->gridModel()->rowCount();
                messages.clear();
                if (!hold.readersBlocked)
                    pressKey(w, Qt::Key_Escape);   // back to the criteria
                ASSERT_TRUE(theirs.release());
            }
            pressKey(w->txtFld(0), Qt::Key_F9);
            rowsFree = w->dgdGrid()->gridModel()->rowCount();
            // The rows shown are sorted where they are: a held file stops neither the sort's Ok nor a heading.
            OtherProgramLock theirs(path, hold.sql);
            ASSERT_TRUE(theirs.held()) << theirs.output().constData();
            onModal<frmNewSort>([](frmNewSort *d) {
                auto *first = d->findChild<QComboBox *>("cmbSort1");
                first->setCurrentIndex(first->findText("Department"));
                d->findChild<QPushButton *>("cmdOK")->click();
            });
            pressKey(w, Qt::Key_F4);
            sortedBy = w->mrecGrid()->sortSpec();
            emit w->dgdGrid()->HeadClick(1);
            promptsSorting = messages.prompts();
            messages.clear();
            // Find reads the columns' types: told when readers are kept out, else offered.
            findOpened = ClosedIfOpened<frmFindNew>([w] { pressKey(w, Qt::Key_F3); }).opened();
            promptsFinding = messages.prompts();
            messages.clear();
            ASSERT_TRUE(theirs.release());
            onModal<frmFindNew>([&](frmFindNew *d) {
                findOpenedOnceFree = true;
                d->reject();
            });
            pressKey(w, Qt::Key_F3);
            w->reject();
        });
        frmGeneralFilter::Show_Form("EMP", kEmpJoin, QString(), QString(), 0);
        EXPECT_EQ(promptsHeld.size(), hold.readersBlocked ? 1 : 0) << what << ", filter Ok: " << promptsHeld.join(" | ").toStdString();
        for (const QString &p : promptsHeld)
            EXPECT_TRUE(p.contains(kInUse)) << what << ", filter Ok: " << p.toStdString();
        if (!hold.readersBlocked)
            EXPECT_EQ(rowsHeld, 5) << what;
        EXPECT_EQ(rowsFree, 5) << what << ", filter Ok once let go";
        EXPECT_EQ(messages.prompts(), QStringList()) << what << ", filter Ok once let go";
        EXPECT_EQ(sortedBy, "[Department] ASC") << what << ", sort Ok";
        EXPECT_EQ(promptsSorting, QStringList()) << what << ", sort Ok and heading";
        EXPECT_EQ(promptsFinding.size(), hold.readersBlocked ? 1 : 0) << what << ", find: " << promptsFinding.join(" | ").toStdString();
        for (const QString &p : promptsFinding)
            EXPECT_TRUE(p.contains(kInUse)) << what << ", find: " << p.toStdString();
        EXPECT_EQ(findOpened, !hold.readersBlocked) << what << ", find";
        EXPECT_TRUE(findOpenedOnceFree) << what << ", find once let go";
        messages.clear();

        // The selection list.
        {
            OtherProgramLock theirs(path, hold.sql);
            ASSERT_TRUE(theirs.held()) << theirs.output().constData();
            int offered = -1;
            if (!hold.readersBlocked)
                onModal<frmSelection>([&](frmSelection *d) {
                    offered = d->lstDataField()->count();
                    d->reject();
                });
            EXPECT_EQ(frmSelection::ShowValues("Employee Name", kEmployees, 0, "", 2, 0), "");
            expectToldIfBlocked(hold, what + ", selection");
            if (!hold.readersBlocked)
                EXPECT_EQ(offered, 5) << what;
            ASSERT_TRUE(theirs.release());
        }
        int offered = -1;
        onModal<frmSelection>([&](frmSelection *d) {
            offered = d->lstDataField()->count();
            d->reject();
        });
        frmSelection::ShowValues("Employee Name", kEmployees, 0, "", 2, 0);
        EXPECT_EQ(offered, 5) << what << ", selection once let go";
        EXPECT_EQ(messages.prompts(), QStringList()) << what << ", selection once let go";
    }
}
