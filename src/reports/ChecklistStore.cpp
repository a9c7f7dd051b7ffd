#include "ChecklistStore.h"
#include "platform/db/ErrorText.h"
#include <QStringList>
#include <QUuid>

namespace zv::reports {

namespace {

QString dayColumns(const QString &prefix) {
    QStringList cols;
    for (int d = 1; d <= 31; ++d)
        cols << prefix + QString::number(d);
    return cols.join(QLatin1Char(','));
}

// The columns each run writes, in the statement's order.
QString insertColumns() {
    return QStringLiteral("Sys_const_num, yr, Actvty_desc, Remk, Sys_afm_num, Emp_Name, Trans_type, Mnth, "
                          "Offcl_Persnl, almnt_date, User_ID, ") +
           dayColumns(QStringLiteral("P")) + QStringLiteral(", Sys_Emp_Num");
}

} // namespace

QString checklistRunKey(double userNumber) {
    return QString::number(userNumber) + QLatin1Char('-') + QUuid::createUuid().toString(QUuid::Id128).left(16);
}

int deleteLeftoverChecklists(zv::db::Connection &c, double userNumber) {
    // A user number's text holds no LIKE wildcard.
    const QString user = QString::number(userNumber);
    return c.execute(QStringLiteral("DELETE FROM temp_mchklist WHERE User_ID = ? OR User_ID LIKE ?"),
                     {user, user + QStringLiteral("-%")});
}

bool checklistTablesUsable(zv::db::Connection &c) {
    static const QStringList probes = {
        QStringLiteral("SELECT Sys_Afm_Num, Sys_Const_Num, Sys_Emp_Num, Sys_Lock, yr FROM actvty_mnth_hdr WHERE 1 = 2"),
        QStringLiteral("SELECT Actvty_Desc, Actvty_Type, Almnt_Date, ") + dayColumns(QStringLiteral("Day")) +
            QStringLiteral(", Offcl_Persnl, Remk, Sys_Afm_Line_Num, Sys_Afm_Num, Sys_Const_Num, Trans_Type "
                           "FROM actvty_mnth_det WHERE 1 = 2"),
        QStringLiteral("SELECT ") + dayColumns(QStringLiteral("A")) +
            QStringLiteral(", Actvty_date, Actvty_desc, almnt_date, Emp_Name, Mnth, Offcl_Persnl, ") +
            dayColumns(QStringLiteral("P")) +
            QStringLiteral(", Remk, Scrn_shrt_name, Sys_afm_num, Sys_const_num, Trans_type, User_ID, yr, Sys_Emp_Num "
                           "FROM temp_mchklist WHERE 1 = 2"),
    };
    try {
        for (const QString &sql : probes)
            c.query(sql);
        return true;
    } catch (const std::exception &e) {
        // Only a damaged file or a missing table or column answers no; a
        // file held by another program says nothing about its tables.
        if (!zv::db::isDamage(e))
            throw;
        return false;
    }
}

void fillChecklist(zv::db::Connection &c, const QString &runKey, const ChecklistFilter &f) {
    BoundSql q;
    q.add(QStringLiteral("INSERT INTO temp_mchklist (") + insertColumns() +
              QStringLiteral(") SELECT DISTINCT mh.Sys_Const_Num, mh.yr, md.Actvty_Desc, "
                             "CASE WHEN md.Trans_Type = 'P' THEN md.Remk END, mh.Sys_Afm_Num, em.Emp_Name, md.Trans_Type, ?, "
                             "md.Offcl_Persnl, md.Almnt_Date, ?, ") +
              dayColumns(QStringLiteral("md.Day")) +
              QStringLiteral(", mh.Sys_Emp_Num FROM actvty_mnth_hdr mh "
                             "JOIN actvty_mnth_det md ON mh.Sys_Afm_Num = md.Sys_Afm_Num "
                             "JOIN Emp_Mast em ON mh.Sys_Emp_Num = em.Sys_Emp_Num "
                             "WHERE mh.yr = ? AND mh.Sys_Const_Num = ?"),
          {f.month, runKey, f.year, f.month});
    addWorkType(q, QStringLiteral("md.Offcl_Persnl"), f.type);
    addSelection(q, QStringLiteral("mh.Sys_Emp_Num"), f.employees);
    zv::db::Transaction t(c);
    deleteChecklist(c, runKey);
    c.execute(q);
    t.commit();
}

zv::db::Recordset checklistRows(zv::db::Connection &c, const QString &runKey, bool byActivity) {
    const QString order = byActivity ? QStringLiteral(" ORDER BY Actvty_Desc, Trans_Type DESC")
                                     : QStringLiteral(" ORDER BY almnt_Date, Actvty_Desc, Trans_Type DESC");
    return c.query(QStringLiteral("SELECT * FROM temp_mchklist WHERE User_ID = ?") + order, {runKey});
}

void deleteChecklist(zv::db::Connection &c, const QString &runKey) {
    c.execute(QStringLiteral("DELETE FROM temp_mchklist WHERE User_ID = ?"), {runKey});
}

} // namespace zv::reports
