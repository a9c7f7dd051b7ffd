#include "RecordsetGrid.h"
#include "platform/db/Dates.h"
#include <QHeaderView>
#include <QKeyEvent>

namespace zv::query {

QString formatCell(const QVariant &value, const QString &format) {
    if (value.isNull())
        return QString();
    const QString f = format.trimmed().toUpper();
    if (f == QLatin1String("NUMERIC")) {
        bool ok = false;
        const double d = value.toDouble(&ok);
        if (!ok)
            return value.toString();
        QString s = QString::number(d, 'f', 3);
        if (s.endsWith(QLatin1Char('0')))
            s.chop(1);
        return s;
    }
    if (f == QLatin1String("DATETIME")) {
        const QString s = value.toString();
        const QDate d = zv::db::fromIsoDate(s.left(10));
        return d.isValid() ? zv::db::toDisplayDate(d) : s;
    }
    const bool isBool = f == QLatin1String("CHECKBOX") || f == QLatin1String("OPTION") || f == QLatin1String("CLOP");
    if (isBool) {
        const bool on = value.toBool();
        if (f == QLatin1String("CHECKBOX"))
            return on ? QStringLiteral("Yes") : QStringLiteral("No");
        if (f == QLatin1String("OPTION"))
            return on ? QStringLiteral("Jigs") : QStringLiteral("Fixtures");
        return on ? QStringLiteral("Open") : QStringLiteral("Close");
    }
    return value.toString();
}

// ------------------------------------------------------------------ model

RecordsetGridModel::RecordsetGridModel(QObject *parent) : QAbstractTableModel(parent) {}

void RecordsetGridModel::setRecordset(std::shared_ptr<zv::db::Recordset> rs) {
    beginResetModel();
    m_rs = std::move(rs);
    m_columns.clear();
    m_fieldIndex.clear();
    if (m_rs) {
        for (int i = 0; i < m_rs->fieldCount(); ++i) {
            m_columns << GridColumn{m_rs->fieldNames().at(i), m_rs->fieldNames().at(i), QString(), 0};
            m_fieldIndex << i;
        }
    }
    endResetModel();
}

void RecordsetGridModel::setRecordset(std::shared_ptr<zv::db::Recordset> rs, const QList<GridColumn> &columns) {
    beginResetModel();
    m_rs = std::move(rs);
    bindColumns(columns);
    endResetModel();
}

void RecordsetGridModel::setColumns(const QList<GridColumn> &columns) {
    beginResetModel();
    bindColumns(columns);
    endResetModel();
}

void RecordsetGridModel::bindColumns(const QList<GridColumn> &columns) {
    m_columns = columns;
    m_fieldIndex.clear();
    for (const GridColumn &c : m_columns)
        m_fieldIndex << (m_rs ? m_rs->fieldIndex(c.dataField) : -1);
}

void RecordsetGridModel::refresh() {
    beginResetModel();
    endResetModel();
}

QString RecordsetGridModel::cellText(int row, int column) const {
    if (!m_rs || row < 0 || row >= m_rs->recordCount() || column < 0 || column >= m_columns.size())
        return QString();
    const int f = m_fieldIndex.at(column);
    if (f < 0)
        return QString();
    return formatCell(m_rs->valueAt(row, f), m_columns.at(column).format);
}

int RecordsetGridModel::rowCount(const QModelIndex &parent) const {
    return parent.isValid() || !m_rs ? 0 : m_rs->recordCount();
}

int RecordsetGridModel::columnCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : m_columns.size();
}

QVariant RecordsetGridModel::data(const QModelIndex &index, int role) const {
    if (!index.isValid())
        return {};
    if (role == Qt::DisplayRole)
        return cellText(index.row(), index.column());
    if (role == Qt::TextAlignmentRole) {
        if (const Qt::Alignment a = m_columns.at(index.column()).alignment; a != Qt::Alignment())
            return int(a);
        const QString f = m_columns.at(index.column()).format;
        if (f == QLatin1String("NUMERIC") || f == QLatin1String("INTEGER"))
            return int(Qt::AlignRight | Qt::AlignVCenter);
        if (f == QLatin1String("DATETIME"))
            return int(Qt::AlignCenter);
        return int(Qt::AlignLeft | Qt::AlignVCenter);
    }
    return {};
}

QVariant RecordsetGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && section >= 0 && section < m_columns.size()) {
        if (role == Qt::DisplayRole)
            return m_columns.at(section).caption;
        if (role == Qt::TextAlignmentRole)
            return int(Qt::AlignCenter);
    }
    if (orientation == Qt::Vertical && role == Qt::DisplayRole)
        return QString();
    return QAbstractTableModel::headerData(section, orientation, role);
}

// ------------------------------------------------------------------- view

namespace {
constexpr int kRowSelectorWidth = 18;

// The row selectors are a fixed, empty column. A plain header measures the
// heading of up to 200 rows whenever the row count changes, only to be held
// to the fixed width anyway.
class RowSelectorHeader : public QHeaderView {
public:
    explicit RowSelectorHeader(QWidget *parent) : QHeaderView(Qt::Vertical, parent) {}
    QSize sizeHint() const override { return {kRowSelectorWidth, 0}; }
};
} // namespace

RecordsetGrid::RecordsetGrid(QWidget *parent) : QTableView(parent), m_model(new RecordsetGridModel(this)) {
    setVerticalHeader(new RowSelectorHeader(this));
    setModel(m_model);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    verticalHeader()->setFixedWidth(kRowSelectorWidth);
    horizontalHeader()->setSectionsClickable(true);
    connect(horizontalHeader(), &QHeaderView::sectionClicked, this, &RecordsetGrid::HeadClick);
    // A column the user widens or narrows takes its room from the filling one.
    connect(horizontalHeader(), &QHeaderView::sectionResized, this, [this](int logical) {
        if (logical != m_fillColumn)
            fitFillColumn();
    });
    connect(this, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex &) { emit RowChosen(); });
}

void RecordsetGrid::setRecordset(std::shared_ptr<zv::db::Recordset> rs) {
    m_syncing = true;
    m_model->setRecordset(std::move(rs));
    m_syncing = false;
    syncCurrentRow();
}

void RecordsetGrid::setRecordset(std::shared_ptr<zv::db::Recordset> rs, const QList<GridColumn> &columns) {
    m_syncing = true;
    m_model->setRecordset(std::move(rs), columns);
    m_syncing = false;
    syncCurrentRow();
}

QString RecordsetGrid::columnDataField(int column) const {
    return column >= 0 && column < m_model->columns().size() ? m_model->columns().at(column).dataField : QString();
}

QString RecordsetGrid::columnCaption(int column) const {
    return column >= 0 && column < m_model->columns().size() ? m_model->columns().at(column).caption : QString();
}

QString RecordsetGrid::columnFormat(int column) const {
    return column >= 0 && column < m_model->columns().size() ? m_model->columns().at(column).format : QString();
}

QString RecordsetGrid::columnNumberFormat(int column) const {
    return columnFormat(column) == QLatin1String("NUMERIC") ? QString::fromLatin1(kNumericFormat) : QString();
}

QString RecordsetGrid::currentText(int column) const {
    const auto rs = recordset();
    if (!rs || rs->bof() || rs->eof())
        return QString();
    return m_model->cellText(rs->currentIndex(), column);
}

void RecordsetGrid::fillWithLastColumn() {
    m_fillColumn = -1;
    for (int c = m_model->columnCount() - 1; c >= 0 && m_fillColumn < 0; --c)
        if (!isColumnHidden(c))
            m_fillColumn = c;
    m_fillMinimum = m_fillColumn >= 0 ? columnWidth(m_fillColumn) : 0;
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    fitFillColumn();
}

void RecordsetGrid::fitFillColumn() {
    if (m_fitting || m_fillColumn < 0 || m_fillColumn >= m_model->columnCount() || isColumnHidden(m_fillColumn))
        return;
    int others = 0;
    for (int c = 0; c < m_model->columnCount(); ++c)
        if (c != m_fillColumn && !isColumnHidden(c))
            others += columnWidth(c);
    const int width = std::max(m_fillMinimum, viewport()->width() - others);
    if (columnWidth(m_fillColumn) == width)
        return;
    m_fitting = true;
    setColumnWidth(m_fillColumn, width);
    m_fitting = false;
}

void RecordsetGrid::resizeEvent(QResizeEvent *event) {
    QTableView::resizeEvent(event);
    fitFillColumn();
}

void RecordsetGrid::refresh() {
    m_syncing = true;
    m_model->refresh();
    m_syncing = false;
    syncCurrentRow();
}

void RecordsetGrid::syncCurrentRow() {
    const auto rs = recordset();
    if (!rs || rs->bof() || rs->eof()) {
        m_syncing = true;
        setCurrentIndex(QModelIndex());
        m_syncing = false;
        return;
    }
    int column = currentIndex().isValid() ? currentIndex().column() : 0;
    while (column < m_model->columnCount() && isColumnHidden(column))
        ++column;
    if (column >= m_model->columnCount())
        column = 0;
    const QModelIndex idx = m_model->index(rs->currentIndex(), column);
    m_syncing = true;
    setCurrentIndex(idx);
    selectRow(idx.row());
    m_syncing = false;
    scrollTo(idx);
    emit MoveComplete();
}

void RecordsetGrid::keyPressEvent(QKeyEvent *event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        emit RowChosen();
        return;
    }
    QTableView::keyPressEvent(event);
}

void RecordsetGrid::currentChanged(const QModelIndex &current, const QModelIndex &previous) {
    QTableView::currentChanged(current, previous);
    if (m_syncing)
        return;
    const auto rs = recordset();
    if (!rs || !current.isValid())
        return;
    if (current.row() != previous.row() || rs->currentIndex() != current.row()) {
        rs->setAbsolutePosition(current.row() + 1);
        emit MoveComplete();
    }
}

} // namespace zv::query
