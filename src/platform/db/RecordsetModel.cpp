#include "RecordsetModel.h"
#include "Dates.h"

namespace zv::db {

RecordsetModel::RecordsetModel(QObject *parent) : QAbstractTableModel(parent) {}

void RecordsetModel::setRecordset(std::shared_ptr<Recordset> rs) {
    beginResetModel();
    m_rs = std::move(rs);
    endResetModel();
}

void RecordsetModel::setCaptions(const QStringList &captions) {
    m_captions = captions;
    if (columnCount() > 0)
        emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
}

void RecordsetModel::refresh() {
    beginResetModel();
    endResetModel();
}

int RecordsetModel::rowCount(const QModelIndex &parent) const {
    return parent.isValid() || !m_rs ? 0 : m_rs->recordCount();
}

int RecordsetModel::columnCount(const QModelIndex &parent) const {
    return parent.isValid() || !m_rs ? 0 : m_rs->fieldCount();
}

QVariant RecordsetModel::data(const QModelIndex &index, int role) const {
    if (!m_rs || !index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    const QVariant v = m_rs->valueAt(index.row(), index.column());
    if (role == Qt::DisplayRole && v.typeId() == QMetaType::QString)
        return isoToDisplay(v.toString());
    return v;
}

QVariant RecordsetModel::headerData(int section, Qt::Orientation orientation, int role) const {
    // Only the sections there are: captions kept from an earlier recordset name none.
    if (role != Qt::DisplayRole || section < 0 ||
        section >= (orientation == Qt::Vertical ? rowCount() : columnCount()))
        return {};
    if (orientation == Qt::Vertical)
        return section + 1;
    if (section < m_captions.size() && !m_captions.at(section).isEmpty())
        return m_captions.at(section);
    return m_rs->fieldNames().at(section);
}

} // namespace zv::db
