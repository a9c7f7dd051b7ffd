#include "ActivityGrid.h"
#include "platform/db/Dates.h"
#include "platform/ui/Ui.h"
#include <QHeaderView>
#include <QStyle>

using zv::query::GridColumn;

namespace zv::activity {

QStringList widestDates() {
    QStringList out;
    for (int m = 1; m <= 12; ++m)
        out << zv::db::toDisplayDate(QDate(2004, m, 28));
    return out;
}

void setFittedColumns(zv::query::RecordsetGrid *grid, const QList<GridColumn> &columns,
                      const QList<QStringList> &samples) {
    grid->gridModel()->setColumns(columns);
    const QFontMetrics cellFont = grid->fontMetrics();
    // The cell's frame and text margins on both sides.
    const int margin = 2 * (grid->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, grid) + 1) + 6;
    for (int i = 0; i < columns.size(); ++i) {
        const bool key = columns.at(i).widthTwips < 100;
        grid->setColumnHidden(i, key);
        int width = zv::ui::twipsToPixels(columns.at(i).widthTwips);
        if (!key) {
            width = std::max(width, grid->horizontalHeader()->sectionSizeHint(i));
            for (const QString &s : i < samples.size() ? samples.at(i) : QStringList())
                width = std::max(width, cellFont.horizontalAdvance(s) + margin);
        }
        grid->setColumnWidth(i, width);
    }
    grid->fillWithLastColumn();
}

namespace {

QList<GridColumn> gridColumns() {
    const QString date = QStringLiteral("DATETIME");
    return {
        GridColumn{QStringLiteral("Sys_Actvty_Num"), QStringLiteral("Sys_Actvty_Num"), QString(), 1170, Qt::AlignCenter},
        GridColumn{QStringLiteral("Sys_Actvty_Line_Num"), QStringLiteral("Sys_Actvty_Line_Num"), QString(), 15},
        GridColumn{QStringLiteral("Start_Date"), QStringLiteral("Start Date"), date, 1245},
        GridColumn{QStringLiteral("End_Date"), QStringLiteral("End Date"), date, 1245},
        GridColumn{QStringLiteral("Last_Gnrtd_Date"), QStringLiteral("Last Generated Date"), date, 1245},
        GridColumn{QStringLiteral("Freq"), QStringLiteral("Frequency"), QString(), 1245},
        GridColumn{QStringLiteral("Assign_Name"), QStringLiteral("Assigned By"), QString(), 1995},
        GridColumn{QStringLiteral("Emp_Name"), QStringLiteral("Responsible Person"), QString(), 1995},
        GridColumn{QStringLiteral("Assign_By"), QStringLiteral("Assign_By"), QString(), 15},
        GridColumn{QStringLiteral("Dept_Name"), QStringLiteral("Department"), QString(), 1995},
    };
}

std::shared_ptr<zv::db::Recordset> recordsetOf(const QList<ActivityLine> &lines) {
    QVector<QVector<QVariant>> rows;
    rows.reserve(lines.size());
    for (const ActivityLine &l : lines)
        rows.append({l.activity, l.line, zv::db::dateParam(l.start), zv::db::dateParam(l.end),
                     zv::db::dateParam(l.lastGenerated), l.freqName, l.assignName, l.empName, l.assignBy, l.deptName});
    QStringList fields;
    for (const GridColumn &c : gridColumns())
        fields << c.dataField;
    return std::make_shared<zv::db::Recordset>(fields, rows);
}

} // namespace

ActivityGrid::ActivityGrid(QWidget *parent) : zv::query::RecordsetGrid(parent) {}

void ActivityGrid::showLines(const QList<ActivityLine> &lines, int keep) {
    m_lines = lines;
    auto rs = recordsetOf(lines);
    setRecordset(rs);
    const QStringList dates = widestDates();
    setFittedColumns(this, gridColumns(), {{}, {}, dates, dates, dates});
    if (rs->recordCount() > 0) {
        rs->moveFirst();
        if (keep > 0)
            rs->setAbsolutePosition(std::min(keep, rs->recordCount()));
        syncCurrentRow();
    }
}

void ActivityGrid::clearLines() {
    m_lines.clear();
    setRecordset(nullptr);
}

std::optional<ActivityLine> ActivityGrid::current() const {
    const auto rs = recordset();
    if (!rs || rs->bof() || rs->eof() || rs->currentIndex() >= m_lines.size())
        return std::nullopt;
    return m_lines.at(rs->currentIndex());
}

int ActivityGrid::position() const {
    const auto rs = recordset();
    return rs && !rs->bof() && !rs->eof() ? rs->absolutePosition() : 0;
}

} // namespace zv::activity
