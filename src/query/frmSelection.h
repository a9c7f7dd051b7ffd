#pragma once
#include "SelectionQuery.h"
#include <QDialog>
#include <QStringList>
#include <memory>
#include <vector>

class QLabel;
class QListWidget;
class QRadioButton;
class QToolBar;
class clsFooterToolBar;
class clsGeneralHeader;
class clsHeader;
class ImageList;

namespace zv::query {

using zv::db::BoundSql;

// The selection list: any number of rows of a query are ticked and their keys
// handed back as one comma-separated text.
class frmSelection : public QDialog {
    Q_OBJECT
public:
    explicit frmSelection(QWidget *parent = nullptr);
    ~frmSelection() override;

    // Offers the rows of Statement (run on the main connection), each shown
    // as the columns say, with the rows whose key is in CurrentList
    // (comma-separated, single quotes ignored) already ticked. Returns the
    // ticked keys in list order joined by ",": bare in ReturnMode 0, each
    // between single quotes in ReturnMode 1; "" when closed otherwise. When
    // the rows cannot be read the failure is told and the caller's action
    // ends (zv::ui::ActionEnded): a failed read is never an empty choice.
    static QString ShowValues(const QString &Caption, const BoundSql &Statement, int ReturnMode,
                              const QString &CurrentList, const SelectionColumns &Columns);
    // The same for a statement without values, the columns given one by one.
    static QString ShowValues(const QString &Caption, const QString &Sql, int ReturnMode,
                              const QString &CurrentList, int KeyColumn, int FirstColumn, int SecondColumn = -1,
                              int ThirdColumn = -1);

    // The steps of ShowValues before the window is shown; a query that
    // cannot be used is told and ends the action (zv::ui::ActionEnded).
    void Load(const QString &Caption, const BoundSql &Statement, int ReturnMode, const QString &CurrentList,
              const SelectionColumns &Columns);
    QString result() const { return m_result; }

    QListWidget *lstDataField() const { return m_list; }
    QLabel *lblFldNameCap() const { return m_caption; }
    QRadioButton *optSelAll() const { return m_selAll; }
    QRadioButton *optDSelAll() const { return m_deselAll; }
    QRadioButton *optUsrSel() const { return m_userSel; }
    clsFooterToolBar *tlbFooter() const { return m_footer; }
    clsHeader *tlbHeader() const { return m_header; }
    QToolBar *tbFooter() const { return m_tbFooter; }
    QToolBar *tbHeader() const { return m_tbHeader; }
    QStringList keys() const { return m_keys; }

    void reject() override;

private slots:
    void tlbFooter_FooterClick(const QString &Key);
    void tlbHeader_HeaderClick(const QString &Key);
    void optSelAll_Click();
    void optDSelAll_Click();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void closeWithout();
    // Ticks exactly the rows marked, in one selection.
    void setTicked(const std::vector<bool> &ticked);
    // Which rows are ticked, by list position.
    std::vector<bool> tickedRows() const;

    QLabel *m_caption;
    QListWidget *m_list;
    QRadioButton *m_selAll;
    QRadioButton *m_deselAll;
    QRadioButton *m_userSel;
    QToolBar *m_tbHeader;
    QToolBar *m_tbFooter;
    QLabel *m_lblStatus;
    clsHeader *m_header = nullptr;
    clsFooterToolBar *m_footer = nullptr;
    clsGeneralHeader *m_utility = nullptr;
    std::shared_ptr<const ImageList> m_imlFooter;

    QStringList m_keys;
    int m_returnMode = 0;
    bool m_confirmed = false;
    QString m_result;
};

} // namespace zv::query
