// The Activity Master's grid of lines, the deletion of an activity, the row
// lock of the activity, and the last generated dates.
#include "FormParts.h"
#include "core/modCommon.h"
#include "frmActvtyMast.h"
#include "platform/db/Dates.h"
#include "platform/ui/MessageService.h"
#include "query/RecordsetGrid.h"
#include <QGroupBox>
#include <QLineEdit>
#include <QTabWidget>

using namespace zv::ui;
using zv::db::DbError;
using zv::dateinput::kMonthNameMask;
namespace err = zv::db::err;

namespace zv::activity {

namespace {

// The lines of the activity whose start lies in the transaction period, with
// the assigner's name ("ADMIN" for the administrator), by start date. A line
// assigned by an employee who is no longer on file is not listed.
const char *const kGridSql =
    "SELECT AM.Sys_Actvty_Num, AMD.Sys_Actvty_Line_Num, AM.Entry_Date, AMD.Start_Date, AMD.End_Date, "
    "AMD.Last_Gnrtd_Date, DM.Dept_Desc AS Dept_Name, EM.Emp_Name, SC.Scrn_Const_Desc AS Freq, AMD.Assign_By, "
    "CASE WHEN AMD.Assign_By = 0 THEN 'ADMIN' ELSE EM1.Emp_Name END AS Assign_Name "
    "FROM Actvty_Mast AM "
    "JOIN Actvty_Mast_Det AMD ON AM.Sys_Actvty_Num = AMD.Sys_Actvty_Num "
    "JOIN Dept_Mast DM ON AMD.Sys_Dept_Num = DM.Sys_Dept_Num "
    "JOIN Emp_Mast EM ON AMD.Sys_Emp_Num = EM.Sys_Emp_Num "
    "JOIN Sys_Const SC ON AMD.Sys_Const_Num = SC.Sys_Const_Num "
    "JOIN (SELECT Start_Period, End_Period FROM Parm ORDER BY rowid LIMIT 1) P "
    "LEFT JOIN Emp_Mast EM1 ON AMD.Assign_By = EM1.Sys_Emp_Num "
    "WHERE AM.Sys_Actvty_Num = ? AND AMD.Start_Date BETWEEN P.Start_Period AND P.End_Period "
    "AND (AMD.Assign_By = 0 OR (AMD.Assign_By > 0 AND EM1.Sys_Emp_Num IS NOT NULL)) "
    "ORDER BY AMD.Start_Date";

QList<zv::query::GridColumn> gridColumns() {
    using zv::query::GridColumn;
    const QString date = QStringLiteral("DATETIME");
    return {
        GridColumn{QStringLiteral("Sys_Actvty_Num"), QStringLiteral("Sys_Actvty_Num"), QString(), 1170},
        GridColumn{QStringLiteral("Sys_Actvty_Line_Num"), QStringLiteral("Sys_Actvty_Line_Num"), QString(), 15},
        GridColumn{QStringLiteral("Start_Date"), QStringLiteral("    Start Date"), date, 1245},
        GridColumn{QStringLiteral("End_Date"), QStringLiteral("      End Date"), date, 1245},
        GridColumn{QStringLiteral("Last_Gnrtd_Date"), QStringLiteral("Last Generated           Date"), date, 1245},
        GridColumn{QStringLiteral("Freq"), QStringLiteral("     Frequency"), QString(), 1245},
        GridColumn{QStringLiteral("Assign_Name"), QStringLiteral("            Assigned By"), QString(), 1995},
        GridColumn{QStringLiteral("Emp_Name"), QStringLiteral("      Responsible Person"), QString(), 1995},
        GridColumn{QStringLiteral("Assign_By"), QStringLiteral("Assign_By"), QString(), 15},
        GridColumn{QStringLiteral("Dept_Name"), QStringLiteral("           Department"), QString(), 1995},
    };
}

} // namespace

QString frmActvtyMast::gridText(int column) const { return dgdAM->currentText(column); }

void frmActvtyMast::FillDetailGrid() {
    utility.ToolBarsForFilter(&tlbHeader, &tlbFooter);
    auto rs = std::make_shared<zv::db::Recordset>(db().query(QString::fromLatin1(kGridSql), {activityNum()}));
    dgdAM->setRecordset(rs);
    const auto columns = gridColumns();
    dgdAM->gridModel()->setColumns(columns);
    for (int i = 0; i < columns.size(); ++i) {
        dgdAM->setColumnWidth(i, twipsToPixels(columns.at(i).widthTwips));
        // The keys the detail operations read are not shown.
        dgdAM->setColumnHidden(i, columns.at(i).widthTwips < 100);
    }
    tlbHeader.setDetailAddEnable(true);
    if (rs->recordCount() < 1) {
        tlbHeader.setDetailModifyEnable(false);
        tlbHeader.setDetailDeleteEnable(false);
    } else {
        rs->moveFirst();
        if (m_detailMode == QLatin1String("DetailDelete") && m_gridBookmark != 0)
            rs->setAbsolutePosition(std::min(m_gridBookmark, rs->recordCount()));
        else if (m_detailMode == QLatin1String("DetailModify") && m_gridBookmark != 0)
            rs->setAbsolutePosition(std::min(m_gridBookmark, rs->recordCount()));
        dgdAM->syncCurrentRow();
        detailButtonsByRow();
    }
    CheckAssignBy();
}

// A line assigned by an employee is his to change: the administrator's
// detail buttons follow the current row.
void frmActvtyMast::detailButtonsByRow() {
    const bool own = modCommon::gLoginEmpNum.toLongLong() == gridText(8).toLongLong();
    tlbHeader.setDetailModifyEnable(own);
    tlbHeader.setDetailDeleteEnable(own);
}

void frmActvtyMast::dgdAM_RowColChange() {
    const auto rs = dgdAM->recordset();
    if (!rs || rs->bof() || rs->eof())
        return;
    clearStatus();
    const bool byEmployee = gridText(8).toLongLong() != 0;
    tlbHeader.setDetailModifyEnable(!byEmployee);
    tlbHeader.setDetailDeleteEnable(!byEmployee);
}

void frmActvtyMast::dgdAM_DblClick() {
    const auto rs = dgdAM->recordset();
    if (!dgdAM->isEnabled() || !rs || rs->bof() || rs->eof())
        return;
    try {
        m_lineView = true;
        EnableDetailForModify();
        DisableDetail();
        sstMnth->setEnabled(false);
        PicMain->setEnabled(false);
        fraDet->setTitle(QStringLiteral("View Schedule Details"));
    } catch (const DbError &e) {
        modCommon::ShowErrorMessage(&e);
    }
}

bool frmActvtyMast::CheckAssignBy() {
    const bool assigned = utility.RecordExists(QStringLiteral("Actvty_Mast_Det"),
                                               QStringLiteral("WHERE Sys_Actvty_Num = ? AND Assign_By <> 0"),
                                               {activityNum()});
    if (assigned)
        tlbHeader.setDeleteEnable(false);
    return assigned;
}

void frmActvtyMast::SetNextStartDate() {
    const QVariant latest =
        db().scalar(QStringLiteral("SELECT MAX(End_Date) FROM Actvty_Mast_Det WHERE Sys_Actvty_Num = ?"), {activityNum()});
    const QDate d = zv::db::fromIsoDate(latest.toString());
    if (d.isValid()) {
        SettingUp guard(m_settingUp);
        txtStartDate->setText(zv::db::toDisplayDate(d.addDays(1)));
    }
}

void frmActvtyMast::FillLastGnrtdDate() { fillMissingLastGeneratedDates(db(), activityNum()); }

bool frmActvtyMast::CheckHeaderLock() {
    releaseLock();
    try {
        m_lock = db().lockRow(QStringLiteral("Actvty_Mast"), activityNum());
        return false;
    } catch (const DbError &e) {
        m_lock.reset();
        if (e.number() == err::GeneralFailure)
            return true;
        modCommon::ShowErrorMessage(&e);
    }
    return false;
}

bool frmActvtyMast::DeleteHeader() {
    const qint64 key = activityNum();
    std::vector<std::unique_ptr<zv::db::RowLock>> entryLocks;
    try {
        Hourglass busy;
        auto &c = db();
        // The activity's row and its schedule entries are held while they go,
        // so nobody edits them meanwhile; all of it goes, or nothing.
        releaseLock();
        m_lock = c.lockRow(QStringLiteral("Actvty_Mast"), key);
        auto entries = c.query(QStringLiteral("SELECT Sys_Entry_Num FROM Statry_Cmpltd_Entry WHERE Sys_Actvty_Num = ?"),
                               {key});
        for (int i = 0; i < entries.recordCount(); ++i)
            entryLocks.push_back(c.lockRow(QStringLiteral("Statry_Cmpltd_Entry"), entries.valueAt(i, 0)));
        zv::db::Transaction t(c);
        if (!c.query(QStringLiteral("SELECT 1 FROM Statry_Cmpltd_Entry WHERE Sys_Actvty_Num = ? "
                                    "AND Cmpltd_Date IS NOT NULL LIMIT 1"),
                     {key})
                 .isEmpty()) {
            t.rollback();
            releaseLock();
            status(QStringLiteral("ZVE014"));
            return false;
        }
        c.execute(QStringLiteral("DELETE FROM Statry_Cmpltd_Entry WHERE Sys_Actvty_Num = ?"), {key});
        c.execute(QStringLiteral("DELETE FROM Actvty_Mast_Freq WHERE Sys_Actvty_Num = ?"), {key});
        c.execute(QStringLiteral("DELETE FROM Actvty_Mast_Det WHERE Sys_Actvty_Num = ?"), {key});
        if (c.execute(QStringLiteral("DELETE FROM Actvty_Mast WHERE Sys_Actvty_Num = ?"), {key}) != 1)
            throw DbError(err::NoCurrentRecord,
                          QStringLiteral("Either BOF or EOF is True, or the current record has been deleted."));
        t.commit();
    } catch (const DbError &e) {
        entryLocks.clear();
        releaseLock();
        switch (e.number()) {
        case err::GeneralFailure:
            DisplayActivity();
            status(QStringLiteral("ZVE028"));
            break;
        case err::RelatedRows:
            DisplayActivity();
            status(QStringLiteral("ZVE030"));
            break;
        case err::NoCurrentRecord:
            activityGone(QStringLiteral("Cannot delete"));
            break;
        default:
            modCommon::ShowErrorMessage(&e);
        }
        return false;
    }
    entryLocks.clear();
    releaseLock();
    utility.ActivateHeaderToolBar(&tlbHeader);
    ClearFields();
    DisableHeaderFields();
    m_activityKey = QStringLiteral("0");
    status(QStringLiteral("ZVE008"));
    return true;
}

} // namespace zv::activity
