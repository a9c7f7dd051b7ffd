#pragma once
#include <QDialog>
#include <QStringList>
#include <memory>

class QComboBox;
class QPushButton;
class QRadioButton;

namespace zv::db {
class Recordset;
}

namespace zv::query {

class RecordsetGrid;

// "Sort": orders a grid's recordset by up to three of its columns, all
// ascending or all descending. It changes only the recordset's sort order.
class frmNewSort : public QDialog {
    Q_OBJECT
public:
    explicit frmNewSort(QWidget *parent = nullptr);

    // Offers the grid's visible, captioned columns that have a text in the
    // current row; shows the dialog modally.
    void ShowForm(std::shared_ptr<zv::db::Recordset> rs, RecordsetGrid *grid);

    // The sort text the current choice makes; empty when nothing is chosen.
    QString sortText() const;

private slots:
    void cmdOK_Click();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QComboBox *cmbSort1;
    QComboBox *cmbSort2;
    QComboBox *cmbSort3;
    QRadioButton *optAsc;
    QRadioButton *optDesc;
    QPushButton *cmdOK;
    QPushButton *cmdCancel;

    std::shared_ptr<zv::db::Recordset> m_rs;
    RecordsetGrid *m_grid = nullptr;
    QStringList m_fields;
};

} // namespace zv::query
