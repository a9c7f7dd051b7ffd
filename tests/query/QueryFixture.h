#pragma once
#include "core/modCommon.h"
#include "platform/db/Connection.h"
#include "platform/ui/MessageService.h"
#include "platform/ui/VbKeys.h"
#include "support/Modal.h"
#include "support/ProgramFolder.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>

inline void PrintTo(const QString &s, std::ostream *os) { *os << '"' << s.toStdString() << '"'; }

// A fresh program folder whose production database is the main connection,
// with a small set of masters and activities.
class QueryFixture : public ::testing::Test {
protected:
    void SetUp() override {
        modCommon::gDBPath = folder.productionDb();
        modCommon::OpenDatabase();
        ASSERT_TRUE(modCommon::gConnOpen);
        auto &c = modCommon::MainConnection();
        for (const char *d : {"Accounts", "Admin", "Sales"})
            c.execute(QStringLiteral("INSERT INTO Dept_Mast (Dept_Desc) VALUES (?)"), {QString::fromUtf8(d)});
        for (const char *d : {"Clerk", "Manager"})
            c.execute(QStringLiteral("INSERT INTO Desg_Mast (Desg_Name) VALUES (?)"), {QString::fromUtf8(d)});
        struct Emp {
            const char *num, *name, *login;
            int desg, dept;
        };
        const Emp emps[] = {{"E001", "Asha Rao", "asha", 1, 1},
                            {"E002", "O'Brien Kate", "kate", 2, 3},
                            {"E003", "Obi Nnamdi", "obi", 1, 2},
                            {"E004", "Ana_Lee", "ana", 1, 1},
                            {"E005", "AnaXLee", "anax", 1, 3}};
        for (const Emp &e : emps)
            c.execute(QStringLiteral("INSERT INTO Emp_Mast (Emp_Num, Emp_Name, Sys_Desg_Num, Sys_Dept_Num, "
                                     "Emp_Shrt_Name, Pswd) VALUES (?, ?, ?, ?, ?, 'x')"),
                      {QString::fromUtf8(e.num), QString::fromUtf8(e.name), e.desg, e.dept, QString::fromUtf8(e.login)});
        for (int y : {2004, 2005})
            c.execute(QStringLiteral("INSERT INTO Holday_List_Hdr (Fincl_Year) VALUES (?)"), {y});
        c.execute(QStringLiteral("INSERT INTO Emp_Spvr_Mapg_Hdr (Sys_Emp_Num) VALUES (2)"));
        c.execute(QStringLiteral("INSERT INTO Emp_Spvr_Mapg_Det (Sys_Mapg_Num, Sys_Emp_Num) VALUES (1, 1)"));
        struct Act {
            const char *date, *desc, *remark;
        };
        const Act acts[] = {{"2004-03-05", "Pay tax", "quarterly"},
                            {"2004-04-01", "File returns", ""},
                            {"2004-03-05", "Audit", ""}};
        for (const Act &a : acts)
            c.execute(QStringLiteral("INSERT INTO Actvty_Mast (Entry_Date, Actvty_Desc, Remk) VALUES (?, ?, ?)"),
                      {QString::fromUtf8(a.date), QString::fromUtf8(a.desc), QString::fromUtf8(a.remark)});
        c.execute(QStringLiteral("INSERT INTO Cmpny_Mast (Cmpny_Name, City, Cntry) VALUES ('Zorvane Ltd', 'Pune', 'India')"));
    }

    void TearDown() override {
        modCommon::ReleaseConnections();
    }

    ProgramFolder folder;
    zv::ui::ScriptedMessageService messages;
};

// A key pressed on the focused widget of `w`, through the window's key preview.
inline void pressKey(QWidget *w, int qtKey, Qt::KeyboardModifiers mods = Qt::NoModifier,
                     const QString &text = QString()) {
    QWidget *target = QApplication::focusWidget();
    if (!target || (target != w && !w->isAncestorOf(target)))
        target = w;
    QKeyEvent press(QEvent::KeyPress, qtKey, mods, text);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, qtKey, mods, text);
    QApplication::sendEvent(target, &release);
}

inline void typeInto(QWidget *box, const QString &text) {
    box->setFocus();
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(box, &press);
    }
}

// Runs a step and closes every other modal window it opens; opened() names
// the first one's class, "" when none opened.
class Watched {
public:
    Watched(QWidget *window, const std::function<void()> &step) {
        auto state = std::make_shared<State>();
        poll(state, window);
        step();
        state->over = true;
        m_opened = state->opened;
    }
    QString opened() const { return m_opened; }

private:
    struct State {
        QString opened;
        bool over = false;
    };
    static void poll(std::shared_ptr<State> state, QWidget *window) {
        QTimer::singleShot(0, [state, window] {
            if (state->over)
                return;
            QWidget *m = QApplication::activeModalWidget();
            if (m && m != window) {
                if (state->opened.isEmpty())
                    state->opened = QString::fromLatin1(m->metaObject()->className());
                endModal(m);
            }
            poll(state, window);
        });
    }
    QString m_opened;
};

inline QString pressWatching(QWidget *window, const std::function<void()> &step) { return Watched(window, step).opened(); }
