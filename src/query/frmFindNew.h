#pragma once
#include <QDialog>
#include <QList>
#include <QString>
#include <memory>

class QComboBox;
class QDateEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace zv::db {
class Recordset;
}

namespace zv::query {

class RecordsetGrid;

// "Find": looks for a value in one column of a grid's recordset and moves the
// current record to each match in turn. It never changes data.
class frmFindNew : public QDialog {
    Q_OBJECT
public:
    explicit frmFindNew(QWidget *parent = nullptr);
    ~frmFindNew() override;

    // Builds the Look In entries from the grid and the data types of the
    // screen key's shown grid columns; shows the dialog modally.
    void ShowForm(std::shared_ptr<zv::db::Recordset> rs, RecordsetGrid *grid, const QString &screenKey);

    // Where the last search stopped (1-based); shared by every opening of the
    // dialog, 0 until first set and 1 after each close.
    static int rememberedPosition();
    static void setRememberedPosition(int pos);

    void done(int result) override;

private slots:
    void cmbLookIn_Click();
    void txtActFind_Change();
    void optFirstRecord_Click();
    void optCurrentRecord_Click();
    void cmdNext_Click();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    struct SearchEntry {
        QString field;
        QString dataType;
    };
    void nothingFound(bool dateColumn, const QString &match);

    QComboBox *cmbLookIn;
    QComboBox *cmbMatch;
    QGroupBox *fraMatch;
    QLineEdit *txtActFind;
    QDateEdit *DtpFind;
    QLabel *lbl;
    QRadioButton *optCurrentRecord;
    QRadioButton *optFirstRecord;
    QPushButton *cmdNext;
    QPushButton *cmdCancel;

    std::shared_ptr<zv::db::Recordset> m_rs;
    RecordsetGrid *m_grid = nullptr;
    QString m_screenKey;
    QList<SearchEntry> m_entries;
    bool m_afterMatch = false;   // the current record is the last match: Find Next starts after it
};

} // namespace zv::query
