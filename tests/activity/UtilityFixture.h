#pragma once
#include "core/modCommon.h"
#include "platform/db/Connection.h"
#include "platform/ui/MessageService.h"
#include "support/ProgramFolder.h"
#include <QApplication>
#include <QString>
#include <QVariant>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>

inline void PrintTo(const QString &s, std::ostream *os) { *os << '"' << s.toStdString() << '"'; }

// A fresh program folder whose production database is the main connection,
// scripted message boxes, and a second connection that writes the test's rows
// and plays the other program of the system.
class UtilityTest : public ::testing::Test {
public:
    void SetUp() override {
        modCommon::ResetState();
        folder = std::make_unique<ProgramFolder>();
        modCommon::setAppPath(folder->path());
        modCommon::gDBPath = folder->productionDb();
        modCommon::OpenDatabase();
        ASSERT_TRUE(modCommon::gConnOpen);
        modCommon::gIsAdmin = true;
        other.open(folder->productionDb());
        dept = insert("INSERT INTO Dept_Mast (Dept_Desc) VALUES ('Accounts')");
        desg = insert("INSERT INTO Desg_Mast (Desg_Name) VALUES ('Clerk')");
    }
    void TearDown() override {
        other.close();
        modCommon::ResetState();
        modCommon::setAppPath(QString());
        folder.reset();
    }

    qint64 insert(const QString &sql, const QVariantList &values = {}) {
        other.execute(sql, values);
        return other.lastInsertId();
    }
    QVariant scalar(const QString &sql, const QVariantList &values = {}) { return other.scalar(sql, values); }

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

    std::unique_ptr<ProgramFolder> folder;
    zv::ui::ScriptedMessageService messages;
    zv::db::Connection other;
    qint64 dept = 0;
    qint64 desg = 0;
};
