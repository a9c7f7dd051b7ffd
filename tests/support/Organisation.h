#pragma once
#include "platform/db/Connection.h"

// A small organisation: a department, two designations, a manager with one
// report, a holiday list and an activity, with fixed keys that tests name.
inline void seedOrganisation(zv::db::Connection &db) {
    for (const char *sql : {
             "INSERT INTO Dept_Mast (Sys_Dept_Num, Dept_Desc) VALUES (1, 'Accounts')",
             "INSERT INTO Desg_Mast (Sys_Desg_Num, Desg_Name) VALUES (1, 'Clerk')",
             "INSERT INTO Desg_Mast (Sys_Desg_Num, Desg_Name) VALUES (2, 'Manager')",
             "INSERT INTO Emp_Mast (Sys_Emp_Num, Emp_Num, Emp_Name, Sys_Desg_Num, Sys_Dept_Num, Emp_Shrt_Name) "
             "VALUES (7, 'E007', 'ASHA RAO', 1, 1, 'ASHA')",
             "INSERT INTO Emp_Mast (Sys_Emp_Num, Emp_Num, Emp_Name, Sys_Desg_Num, Sys_Dept_Num, Emp_Shrt_Name) "
             "VALUES (8, 'E008', 'RAVI KUMAR', 2, 1, 'RAVI')",
             "INSERT INTO Emp_Spvr_Mapg_Hdr (Sys_Mapg_Num, Sys_Emp_Num) VALUES (3, 8)",
             "INSERT INTO Emp_Spvr_Mapg_Det (Sys_Mapg_Num, Sys_Emp_Num) VALUES (3, 7)",
             "INSERT INTO Holday_List_Hdr (Sys_Holday_List_Num, Fincl_Year) VALUES (4, 2026)",
             "INSERT INTO Actvty_Mast (Sys_Actvty_Num, Entry_Date, Actvty_Desc, Remk, Sys_Lock_Num) "
             "VALUES (5, '2026-11-05', 'Fire drill', 'Every quarter', 5)",
         })
        db.execute(QString::fromLatin1(sql));
}
