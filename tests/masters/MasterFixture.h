#pragma once
#include "framework/MasterForm.h"
#include "support/FormActions.h"
#include "support/ProductionDbTest.h"
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QToolBar>
#include <gtest/gtest.h>

// The production database test; the second connection plays another user of
// the same database.
class MasterTest : public ProductionDbTest {
public:
    void TearDown() override {
        ProductionDbTest::TearDown();
    }

    zv::db::Connection &db() { return modCommon::MainConnection(); }
    // An employee in the given department and designation (both made when 0).
    qint64 employeeIn(qint64 dept, qint64 desg) {
        if (dept == 0)
            dept = insert("INSERT INTO Dept_Mast (Dept_Desc) VALUES ('Stores')");
        if (desg == 0)
            desg = insert("INSERT INTO Desg_Mast (Desg_Name) VALUES ('Clerk')");
        return insert("INSERT INTO Emp_Mast (Emp_Num, Emp_Name, Sys_Desg_Num, Sys_Dept_Num) VALUES ('E1', 'Asha', ?, ?)",
                      {desg, dept});
    }

    static void clickHeader(zv::fw::DataForm &f, const QString &key) { click(f.tbHeader, f.headerButton(key)); }
    static void clickFooter(zv::fw::DataForm &f, const QString &key) { click(f.tbFooter, f.footerButton(key)); }
    // Asks the form to close by Esc or by its close box, the next question answered.
    void answerThenClose(QWidget &form, int answer, bool byEsc) {
        messages.answer(answer);
        if (byEsc)
            key(form, Qt::Key_Escape);
        else
            form.close();
    }
    static QString statusCode(const zv::fw::DataForm &f) { return f.lblStatus->text().left(6); }
    static bool on(const zv::fw::DataForm &f, const QString &key) {
        QAction *a = f.headerButton(key);
        return a && a->isEnabled() && a->isVisible();
    }
};

inline const QString kDeleteQuestion = QStringLiteral("Are you sure you want to delete this record?");
