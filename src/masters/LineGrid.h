#pragma once
#include "framework/FormServices.h"
#include "framework/HeaderDetailForm.h"
#include "platform/db/Recordset.h"
#include "query/RecordsetGrid.h"
#include <QList>
#include <memory>

namespace zv::masters {

// A read-only grid of a form's lines, bound to a recordset by the columns
// it was designed with; hidden columns keep their data.
class LineGrid : public zv::query::RecordsetGrid, public zv::fw::LineView {
public:
    LineGrid(QWidget *parent, const QString &name, QList<zv::query::GridColumn> columns, QList<int> hiddenColumns);
    // Binds the lines (nullptr: none) and shows the recordset's current record.
    void bind(std::shared_ptr<zv::db::Recordset> rs);

    void bindLines(std::shared_ptr<zv::db::Recordset> rs) override { bind(std::move(rs)); }
    std::shared_ptr<zv::db::Recordset> boundLines() const override { return recordset(); }

private:
    void applyColumns();
    QList<zv::query::GridColumn> m_columns;
    QList<int> m_hidden;
};

} // namespace zv::masters
