#pragma once
#include "Recordset.h"
#include <QAbstractTableModel>
#include <memory>

namespace zv::db {

// A grid's view of a recordset. ISO dates are shown as dd-MMM-yyyy.
class RecordsetModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit RecordsetModel(QObject *parent = nullptr);

    void setRecordset(std::shared_ptr<Recordset> rs);
    std::shared_ptr<Recordset> recordset() const { return m_rs; }
    // Column captions; a missing caption shows the field name.
    void setCaptions(const QStringList &captions);
    // Tells the view the recordset changed in place (after Sort).
    void refresh();

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    std::shared_ptr<Recordset> m_rs;
    QStringList m_captions;
};

} // namespace zv::db
