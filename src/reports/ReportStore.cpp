#include "ReportStore.h"
#include "platform/db/Dates.h"
#include <QStringList>

namespace zv::reports {

void addWorkType(BoundSql &q, const QString &column, WorkType type) {
    if (type == WorkType::Official)
        q.add(QStringLiteral(" AND ") + column + QStringLiteral(" = 'O'"));
    else if (type == WorkType::Personal)
        q.add(QStringLiteral(" AND ") + column + QStringLiteral(" = 'P'"));
}

QString employeeChoiceByName() {
    return QStringLiteral("SELECT Emp_Name, Emp_Shrt_Name, Sys_emp_num FROM emp_mast ORDER BY emp_Name");
}

QString employeeChoiceByKey() {
    return QStringLiteral("SELECT Sys_emp_num, Emp_Shrt_Name, Emp_Name FROM emp_mast ORDER BY emp_Name");
}

QString allEmployeeKeys(zv::db::Connection &c) {
    const zv::db::Recordset rs = c.query(QStringLiteral("SELECT Sys_Emp_Num FROM Emp_Mast ORDER BY Emp_Name"));
    QStringList keys;
    for (int i = 0; i < rs.recordCount(); ++i)
        keys << rs.valueAt(i, 0).toString();
    return keys.join(QLatin1Char(','));
}

QString firstCompanyName(zv::db::Connection &c) {
    return c.scalar(QStringLiteral("SELECT Cmpny_Name FROM Cmpny_Mast ORDER BY Sys_Cmpny_Num LIMIT 1")).toString();
}

QList<QDate> holidaysIn(zv::db::Connection &c, const QString &fromIso, const QString &untilIso) {
    const zv::db::Recordset rs = c.query(
        QStringLiteral("SELECT Holday_Date FROM Holday_List_Det WHERE Holday_Date >= ? AND Holday_Date < ? "
                       "ORDER BY Holday_Date"),
        {fromIso, untilIso});
    QList<QDate> days;
    for (int i = 0; i < rs.recordCount(); ++i)
        days << zv::db::fromIsoDate(rs.valueAt(i, 0).toString());
    return days;
}

BoundSql targetDateQuery(const TargetDateFilter &f) {
    BoundSql q;
    q.add(QStringLiteral(
        "SELECT emp_mast.Emp_Name, d.Almnt_Date, d.Start_Date, d.Actvty_Desc, d.Offcl_Persnl, d.Target_Date, "
        "d.Cmplt_date, d.Remk FROM actvty_target_det d "
        "JOIN actvty_target_hdr h ON d.Sys_Awt_Num = h.Sys_Awt_Num "
        "JOIN emp_mast ON h.Sys_Emp_Num = emp_mast.Sys_Emp_Num WHERE 1 = 1"));
    addSelection(q, QStringLiteral("h.Sys_Emp_Num"), f.employees);
    if (f.nobody)
        q.add(QStringLiteral(" AND 0"));
    addRange(q, QStringLiteral("d.Target_Date"), f.period);
    addWorkType(q, QStringLiteral("d.Offcl_Persnl"), f.type);
    switch (f.order) {
    case TargetDateFilter::Order::AllotmentDate:
        q.add(QStringLiteral(" ORDER BY d.Almnt_Date"));
        break;
    case TargetDateFilter::Order::Activity:
        q.add(QStringLiteral(" ORDER BY d.Actvty_Desc"));
        break;
    case TargetDateFilter::Order::TargetDate:
        q.add(QStringLiteral(" ORDER BY d.Target_Date"));
        break;
    }
    return q;
}

BoundSql pendingQuery(const PendingFilter &f) {
    BoundSql q;
    q.add(QStringLiteral("SELECT Det.Almnt_Date, Det.Actvty_Desc, Det.Target_Date, Det.Cmplt_date, Det.Offcl_Persnl, "
                         "Det.Remk, EMP.EMP_NAME FROM actvty_target_Hdr Hdr, actvty_target_det Det, EMP_MAST EMP "
                         "WHERE Hdr.Sys_Awt_Num = Det.Sys_Awt_Num AND Hdr.SYS_EMP_NUM = EMP.SYS_EMP_NUM "
                         "AND Det.Target_Date <= ? AND Det.Cmplt_date IS NULL"),
          {zv::db::toIsoDate(f.dueBy)});
    addSelection(q, QStringLiteral("EMP.Sys_emp_Num"), f.employees);
    addWorkType(q, QStringLiteral("Det.Offcl_Persnl"), f.type);
    q.add(QStringLiteral(" ORDER BY Det.Almnt_Date"));
    return q;
}

BoundSql plannerQuery(const PlannerFilter &f) {
    BoundSql q;
    // Each schedule entry belongs to one line of its activity: it is listed
    // once, with that line's employee, department and assigner.
    q.add(QStringLiteral(
        "SELECT am.Entry_date, am.Actvty_desc, em.Emp_Name, dm.Dept_Desc, sc.Expctd_Date, sc.Cmpltd_Date, "
        "sc.Not_Needed, em1.Emp_Name AS assigned_by "
        "FROM Statry_Cmpltd_Entry sc "
        "JOIN Actvty_Mast am ON am.Sys_Actvty_Num = sc.Sys_Actvty_Num "
        "JOIN Actvty_Mast_Det amd ON amd.Sys_Actvty_Line_Num = sc.Sys_Actvty_Line_Num "
        "AND amd.Sys_Actvty_Num = sc.Sys_Actvty_Num "
        "JOIN Emp_Mast em ON em.Sys_Emp_Num = amd.Sys_Emp_Num "
        "LEFT JOIN Emp_Mast em1 ON em1.Sys_Emp_Num = amd.Assign_By "
        "JOIN Dept_Mast dm ON dm.Sys_Dept_Num = amd.Sys_Dept_Num "
        "WHERE sc.Not_Needed <> 1"));
    addSelection(q, QStringLiteral("em.Sys_Emp_Num"), f.employees);
    addRange(q, QStringLiteral("sc.Expctd_Date"), f.period);
    if (f.status == Completion::Pending)
        q.add(QStringLiteral(" AND sc.Cmpltd_Date IS NULL"));
    else if (f.status == Completion::Completed)
        q.add(QStringLiteral(" AND sc.Cmpltd_Date IS NOT NULL"));

    QStringList order;
    switch (f.order) {
    case PlannerFilter::Order::None:
        break;
    case PlannerFilter::Order::Department:
        order << QStringLiteral("dm.Dept_Desc");
        break;
    case PlannerFilter::Order::EntryDate:
        order << QStringLiteral("am.Entry_date");
        break;
    case PlannerFilter::Order::Activity:
        order << QStringLiteral("am.Actvty_Desc");
        break;
    }
    if (f.thenByExpectedDate)
        order << QStringLiteral("sc.Expctd_Date");
    if (!order.isEmpty())
        q.add(QStringLiteral(" ORDER BY ") + order.join(QStringLiteral(", ")));
    return q;
}

} // namespace zv::reports
