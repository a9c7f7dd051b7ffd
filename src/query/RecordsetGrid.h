#pragma once
#include "platform/db/Recordset.h"
#include <QAbstractTableModel>
#include <QTableView>
#include <memory>

namespace zv::query {

// How a grid column shows its field.
struct GridColumn {
    QString dataField;   // the recordset field the column shows
    QString caption;
    QString format;      // upper-cased sys_grid_fltr.Data_Type: TEXT, NUMERIC, INTEGER, DATETIME, CHECKBOX, OPTION, CLOP
    int widthTwips = 0;  // 0: keep the view's width
    Qt::Alignment alignment = {};   // none: as the format aligns it
};

// The number format of "NUMERIC" columns: at least two decimals, at most three.
inline const char *kNumericFormat = "#0.00#";

// Text of a value as a column of the given format shows it.
QString formatCell(const QVariant &value, const QString &format);

// A grid's view of a recordset, column by column.
class RecordsetGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit RecordsetGridModel(QObject *parent = nullptr);

    // One plain column per field, captioned with the field's name.
    void setRecordset(std::shared_ptr<zv::db::Recordset> rs);
    // The rows and their columns at once: the view is reset and measured once.
    void setRecordset(std::shared_ptr<zv::db::Recordset> rs, const QList<GridColumn> &columns);
    std::shared_ptr<zv::db::Recordset> recordset() const { return m_rs; }
    void setColumns(const QList<GridColumn> &columns);
    const QList<GridColumn> &columns() const { return m_columns; }
    // The rows changed order in place (after a sort).
    void refresh();

    QString cellText(int row, int column) const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    // Inside a reset: the columns and the field each reads.
    void bindColumns(const QList<GridColumn> &columns);

    std::shared_ptr<zv::db::Recordset> m_rs;
    QList<GridColumn> m_columns;
    QList<int> m_fieldIndex;   // recordset field of each column, -1 when missing
};

// A read-only grid bound to a recordset: its current row is the recordset's
// current record, both ways.
class RecordsetGrid : public QTableView {
    Q_OBJECT
public:
    explicit RecordsetGrid(QWidget *parent = nullptr);

    void setRecordset(std::shared_ptr<zv::db::Recordset> rs);   // nullptr unbinds
    void setRecordset(std::shared_ptr<zv::db::Recordset> rs, const QList<GridColumn> &columns);
    std::shared_ptr<zv::db::Recordset> recordset() const { return m_model->recordset(); }
    RecordsetGridModel *gridModel() const { return m_model; }

    int columnCount() const { return m_model->columnCount(); }
    QString columnDataField(int column) const;
    QString columnCaption(int column) const;
    QString columnNumberFormat(int column) const;   // kNumericFormat for "NUMERIC" columns
    QString columnFormat(int column) const;
    // The column's text in the current row; "" without a current row.
    QString currentText(int column) const;

    // From now on the last shown column takes the room the others leave,
    // never less than its width now, and a horizontal scroll bar shows when
    // the columns are wider than the grid.
    void fillWithLastColumn();

    // After the recordset was sorted or moved by others.
    void refresh();
    void syncCurrentRow();

signals:
    // The recordset's current record changed through the grid or syncCurrentRow.
    void MoveComplete();
    // A click on a column heading.
    void HeadClick(int column);
    // Double-click or Enter on a row.
    void RowChosen();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void fitFillColumn();

    RecordsetGridModel *m_model;
    bool m_syncing = false;
    int m_fillColumn = -1;    // the column that fills the grid; -1: none
    int m_fillMinimum = 0;
    bool m_fitting = false;
};

} // namespace zv::query
