#pragma once
#include "support/ProductionDbTest.h"
#include <QApplication>
#include <QString>
#include <QVariant>

// The production database test (the second connection plays the other
// program of the system) with a department and a designation.
class UtilityTest : public ProductionDbTest {
public:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(ProductionDbTest::SetUp());
        dept = insert("INSERT INTO Dept_Mast (Dept_Desc) VALUES ('Accounts')");
        desg = insert("INSERT INTO Desg_Mast (Desg_Name) VALUES ('Clerk')");
    }
    qint64 employee(const QString &name) {
        return insert("INSERT INTO Emp_Mast (Emp_Num, Emp_Name, Sys_Desg_Num, Sys_Dept_Num) VALUES (?, ?, ?, ?)",
                      {name.left(3), name, desg, dept});
    }
    qint64 activity(const QString &desc) {
        return insert("INSERT INTO Actvty_Mast (Entry_Date, Actvty_Desc) VALUES ('2005-01-01', ?)", {desc});
    }
    // A weekly line of the activity; lastGenerated is ISO text or Null.
    qint64 line(qint64 activityKey, qint64 emp, const QVariant &lastGenerated = {}) {
        return insert("INSERT INTO Actvty_Mast_Det (Sys_Actvty_Num, Sys_Dept_Num, Sys_Emp_Num, Start_Date, End_Date,"
                      " Last_Gnrtd_Date, Sys_Const_Num) VALUES (?, ?, ?, '2005-01-01', '2005-12-31', ?, 16)",
                      {activityKey, dept, emp, lastGenerated});
    }
    // A schedule entry; completed is ISO text or Null (pending).
    void entry(qint64 activityKey, qint64 lineKey, qint64 emp, const QVariant &expected, const QVariant &completed = {}) {
        insert("INSERT INTO Statry_Cmpltd_Entry (Sys_Actvty_Num, Sys_Actvty_Line_Num, Sys_Emp_Num, Expctd_Date,"
               " Cmpltd_Date) VALUES (?, ?, ?, ?, ?)",
               {activityKey, lineKey, emp, expected, completed});
    }
    QVariant lastGenerated(qint64 lineKey) {
        return scalar("SELECT Last_Gnrtd_Date FROM Actvty_Mast_Det WHERE Sys_Actvty_Line_Num = ?", {lineKey});
    }

    qint64 dept = 0;
    qint64 desg = 0;
};
