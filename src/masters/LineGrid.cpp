#include "LineGrid.h"
#include "platform/ui/Ui.h"

using zv::ui::twipsToPixels;

namespace zv::masters {

LineGrid::LineGrid(QWidget *parent, const QString &name, QList<zv::query::GridColumn> columns,
                   QList<int> hiddenColumns)
    : RecordsetGrid(parent), m_columns(std::move(columns)), m_hidden(std::move(hiddenColumns)) {
    setObjectName(name);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    applyColumns();
}

void LineGrid::applyColumns() {
    gridModel()->setColumns(m_columns);
    for (int i = 0; i < m_columns.size(); ++i) {
        setColumnHidden(i, m_hidden.contains(i));
        if (m_columns.at(i).widthTwips > 0)
            setColumnWidth(i, twipsToPixels(m_columns.at(i).widthTwips));
    }
}

void LineGrid::bind(std::shared_ptr<zv::db::Recordset> rs) {
    setRecordset(std::move(rs));
    // A new recordset comes with plain columns: the designed ones again.
    applyColumns();
    syncCurrentRow();
}

} // namespace zv::masters
