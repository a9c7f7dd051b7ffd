#pragma once
#include "GeneralFilterQuery.h"
#include "platform/ui/KeyFilter.h"
#include "platform/ui/KeyPreview.h"
#include <QDialog>
#include <QList>
#include <QPointer>
#include <QStringList>
#include <memory>
#include <vector>

class QAction;
class QFrame;
class QLabel;
class QLineEdit;
class QToolBar;
class clsFooterToolBar;
class clsGeneralDetailHeader;
class ImageList;

namespace zv::db {
class Recordset;
}

namespace zv::query {

class FilterDateBox;
class RecordsetGrid;

// The general filter: the pick window through which a form chooses a record
// by a screen key. Its fields, statement, grid columns and formats all come
// from the key's rows of sys_Qury_Fltr and sys_grid_fltr.
//
// Criteria mode: the fields are open and the middle toolbar offers Ok, Cancel
// and Reset. Result mode: the grid shows the rows found, the fields are
// locked, the footer offers Ok and Cancel and the middle toolbar Find and Sort.
class frmGeneralFilter : public QDialog {
    Q_OBJECT
public:
    explicit frmGeneralFilter(QWidget *parent = nullptr);
    ~frmGeneralFilter() override;

    // Shows a new filter window modally over the screen key's rows. Returns the
    // texts of the chosen row's grid columns in grid order (hidden columns
    // included); nothing chosen: two elements, both empty. When the key's rows
    // cannot be read the failure is told and the caller's action ends
    // (zv::ui::ActionEnded): a failed read is never a cancel.
    static QStringList Show_Form(const QString &ScreenKey, const QString &JoinCondition = QString(),
                                 const QString &AppendedText = QString(), const QString &Unused = QString(),
                                 int RepeatFlag = 0);

    // The steps of Show_Form on this window: build the statement and the
    // fields; false (and the reason shown) when the key has no rows. A read
    // that fails is told and ends the action (zv::ui::ActionEnded).
    bool Load(const QString &ScreenKey, const QString &JoinCondition = QString(),
              const QString &AppendedText = QString(), const QString &Unused = QString(), int RepeatFlag = 0);
    QStringList result() const { return m_result; }
    static QStringList cancelledResult() { return {QString(), QString()}; }

    void CreateControls();
    // The search: reads the rows for the typed criteria and shows them. A
    // read that fails, or a criterion refused, throws and changes nothing.
    void ShowData();
    void FormatGrid();

    // The statement of the last search (for the log of a failure and for tests).
    const BoundSql &lastStatement() const { return m_lastStatement; }
    QString baseStatement() const { return m_baseStatement; }
    bool inResultMode() const;

    // Controls, as the window's code names them.
    QLineEdit *txtFld(int index) const;     // nullptr when there is none
    FilterDateBox *DTPic(int index) const;  // from 1
    QLabel *lblLabel(int index) const;
    int textFieldCount() const { return int(m_txtFld.size()); }
    int dateFieldCount() const { return int(m_DTPic.size()) - 1; }
    RecordsetGrid *dgdGrid() const { return m_grid; }
    std::shared_ptr<zv::db::Recordset> mrecGrid() const { return m_rs; }
    QToolBar *tlbMiddle() const { return m_tlbMiddle; }
    QToolBar *tbFooter() const { return m_tbFooter; }
    QToolBar *tlbHeader() const { return m_tlbHeader; }
    clsFooterToolBar *tlbFooter() const { return m_footer; }
    QAction *middleButton(const QString &key) const;
    QAction *footerButton(const QString &key) const;

    void reject() override;

private slots:
    void tlbFooter_FooterClick(const QString &Key);
    void tlbMiddle_ButtonClick(QAction *button);
    void tlbHeader_ButtonClick(QAction *button);
    void mrecGrid_MoveComplete();
    void dgdGrid_HeadClick(int column);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    class FieldKeys;
    class FormKeys;
    struct FieldRecord {
        int rowIndex = 0;
        int mode = 0;
        QString chars;
    };

    // What a search reads, before anything on the window changes.
    struct Found {
        QList<GridColumnRow> gridRows;
        std::shared_ptr<zv::db::Recordset> rows;
    };

    void PlaceControls(int index, const QueryFieldRow &row, bool dateRow);
    Found readMatches();
    void search();
    void releaseRows();
    void criteriaMode();
    void lockFields(bool locked);
    void setMiddleMode(bool criteria);
    void openSort();
    void openFind();
    void unload();
    bool findSortAllowed() const;
    void formKeyDown(int &KeyCode, int Shift);

    // Screen key and the arguments of Show_Form.
    QString m_screenKey;
    QString m_join;
    QString m_appended;
    QString m_unused;
    int m_repeat = 0;
    QString m_baseStatement;
    QStringList m_result;
    QString m_outcome;

    QList<QueryFieldRow> m_queryRows;
    QList<GridColumnRow> m_gridRows;   // as the last search read them
    QStringList m_columnNames;
    std::vector<FieldRecord> m_fields;
    BoundSql m_lastStatement;

    QToolBar *m_tlbHeader = nullptr;
    QToolBar *m_tlbMiddle = nullptr;
    QToolBar *m_tbFooter = nullptr;
    QLabel *m_lblStatus = nullptr;
    QWidget *m_place = nullptr;      // the middle toolbar's spacer
    QWidget *m_footerBar = nullptr;
    RecordsetGrid *m_grid = nullptr;
    std::vector<QLineEdit *> m_txtFld;
    std::vector<QLabel *> m_lblLabel;
    std::vector<QFrame *> m_Lin;
    std::vector<FilterDateBox *> m_DTPic;   // element 0 unused: date fields count from 1
    std::vector<QLabel *> m_lblDT;
    std::vector<QFrame *> m_LinDT;
    int m_dateCount = 0;
    int m_textCount = 0;
    int m_lowestTop = 0;       // twips
    int m_totalWidth = 0;      // twips

    std::shared_ptr<zv::db::Recordset> m_rs;
    std::shared_ptr<const ImageList> m_images;
    clsFooterToolBar *m_footer = nullptr;
    clsGeneralDetailHeader *m_utility = nullptr;
    zv::ui::KeyFilter m_keyFilter;
    std::vector<std::unique_ptr<FieldKeys>> m_fieldKeys;
    std::unique_ptr<FormKeys> m_formKeys;
    bool m_unloading = false;
};

} // namespace zv::query
