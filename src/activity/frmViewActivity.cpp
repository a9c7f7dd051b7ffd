#include "frmViewActivity.h"
#include "ActivityGrid.h"
#include "ActivityStore.h"
#include "core/modCommon.h"
#include "platform/db/Dates.h"
#include "platform/ui/ErrorBox.h"
#include "platform/ui/Ui.h"
#include "query/RecordsetGrid.h"
#include <QCloseEvent>
#include <QVBoxLayout>

using zv::query::GridColumn;

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

    // The caller's key asked for the day by name: its failure is told here,
    // once, and false tells the caller to show nothing.
    const bool read = zv::ui::runAction([&] {
        const QList<zv::activity::DayAllocation> rows =
            zv::activity::ActivityStore(modCommon::MainConnection()).allocatedOn(day);
        QVector<zv::db::Recordset::Row> table;
        table.reserve(rows.size());
        for (const auto &r : rows)
            table.append({r.employee, r.activity, dateText});
        m_rs = std::make_shared<zv::db::Recordset>(
            QStringList{QStringLiteral("Emp_Name"), QStringLiteral("Actvty_Desc"), QStringLiteral("Actvty_Date")},
            table);
    });
    if (!read)
        return false;
    dgdActivity->setRecordset(m_rs);
    bindColumns();
    dgdActivity->refresh();
    return true;
}

void frmViewActivity::bindColumns() {
    // Bound by field name; "DATETIME" centres the plan date and shows its text as given.
    const QList<GridColumn> columns{
        {QStringLiteral("Emp_Name"), QStringLiteral("Employee Name"), QString(), 2505},
        {QStringLiteral("Actvty_Desc"), QStringLiteral("Activity Description"), QString(), 3045},
        {QStringLiteral("Actvty_Date"), QStringLiteral("Plan Date"), QStringLiteral("DATETIME"), 1095},
    };
    zv::activity::setFittedColumns(dgdActivity, columns, {{}, {}, zv::activity::widestDates()});
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
