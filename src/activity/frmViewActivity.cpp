#include "frmViewActivity.h"
#include "core/modCommon.h"
#include "platform/db/Dates.h"
#include "platform/ui/Ui.h"
#include "query/RecordsetGrid.h"
#include <QCloseEvent>
#include <QLocale>
#include <QVBoxLayout>

using zv::query::GridColumn;

namespace {
// The month is matched by its full name, the Sys_Const row's description.
QString monthName(int month) { return QLocale(QLocale::English).standaloneMonthName(month, QLocale::LongFormat); }
} // namespace

frmViewActivity::frmViewActivity(QWidget *parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmViewActivity"));
    setWindowTitle(QStringLiteral("Activity Description"));
    setModal(true);

    dgdActivity = new zv::query::RecordsetGrid(this);
    dgdActivity->setObjectName(QStringLiteral("dgdActivity"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(dgdActivity);
    bindColumns();
    resize(zv::ui::twipsToPixels(7400), zv::ui::twipsToPixels(3600));
}

frmViewActivity::~frmViewActivity() = default;

bool frmViewActivity::showActivity(const QString &dateText) {
    dgdActivity->setRecordset(nullptr);
    m_rs.reset();
    const QDate day = zv::db::fromDisplayDate(dateText);
    if (!day.isValid())
        return false;

    // The day's column is named from the date's own day number (1 to 31).
    const QString sql =
        QStringLiteral(" SELECT EM.Emp_Name AS Emp_Name, dt.Actvty_Desc AS Actvty_Desc, ? AS Actvty_Date"
                       " FROM actvty_mnth_hdr hd, Sys_Const SC, actvty_mnth_det dt, Emp_Mast EM"
                       " WHERE hd.Sys_Afm_Num = dt.Sys_Afm_Num AND hd.yr = ? AND SC.Scrn_Const_Desc = ? AND"
                       " dt.Day%1 = '*' AND hd.Sys_Emp_Num = EM.Sys_Emp_Num AND"
                       " hd.Sys_Const_Num = SC.Sys_Const_Num"
                       " GROUP BY EM.Emp_Name, dt.Actvty_Desc"
                       " ORDER BY EM.Emp_Name, dt.Actvty_Desc")
            .arg(day.day());
    try {
        if (!modCommon::MainConnectionOpen())
            return false;   // OpenDatabase has said why
        m_rs = std::make_shared<zv::db::Recordset>(
            modCommon::gConn->query(sql, {dateText, day.year(), monthName(day.month())}));
    } catch (const std::exception &e) {
        modCommon::ShowErrorMessage(e);
        return false;
    }
    dgdActivity->setRecordset(m_rs);
    bindColumns();
    dgdActivity->refresh();
    return true;
}

void frmViewActivity::bindColumns() {
    // Bound by field name; "DATETIME" centres the plan date and shows its text as given.
    const QList<GridColumn> columns{
        {QStringLiteral("Emp_Name"), QStringLiteral("              Employee Name"), QString(), 2505},
        {QStringLiteral("Actvty_Desc"), QStringLiteral("                    Activity Description"), QString(), 3045},
        {QStringLiteral("Actvty_Date"), QStringLiteral("   Plan Date"), QStringLiteral("DATETIME"), 1095},
    };
    dgdActivity->gridModel()->setColumns(columns);
    for (int i = 0; i < columns.size(); ++i)
        dgdActivity->setColumnWidth(i, zv::ui::twipsToPixels(columns.at(i).widthTwips));
}

void frmViewActivity::showEvent(QShowEvent *event) {
    QDialog::showEvent(event);
    // Over the window that opened it.
    if (!m_placed && parentWidget()) {
        m_placed = true;
        const QRect owner = parentWidget()->window()->frameGeometry();
        move(owner.center() - QPoint(frameGeometry().width() / 2, frameGeometry().height() / 2));
    }
}

void frmViewActivity::closeEvent(QCloseEvent *event) {
    dgdActivity->setRecordset(nullptr);
    m_rs.reset();
    event->accept();
    QDialog::done(QDialog::Rejected);
}

void frmViewActivity::reject() { close(); }
