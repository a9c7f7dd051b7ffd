#include "frmSelection.h"
#include "platform/ui/ErrorBox.h"
#include "core/modCommon.h"
#include "framework/FormKeys.h"
#include "framework/ImageList.h"
#include "framework/clsFooterToolBar.h"
#include "framework/clsGeneralHeader.h"
#include "framework/clsHeader.h"
#include "platform/db/Connection.h"
#include "platform/db/ErrorText.h"
#include "platform/ui/MessageService.h"
#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QRadioButton>
#include <QSet>
#include <QToolBar>
#include <QVBoxLayout>

namespace zv::query {

namespace {
// The list's box for a failure: its description, then its number (a held
// file is the in-use box). Opening the list adds where it failed.
void tellHere(const std::exception &e, const QString &where = QString()) {
    zv::ui::ErrorBox(e, zv::db::ErrorLayout::DescriptionFirst, zv::ui::vbOKOnly + zv::ui::vbCritical, QString(), where);
}

// Each press in the list is one action, told in the list's box.
template <class F>
auto pressed(F step) {
    return zv::ui::asAction(std::move(step), [](const std::exception &e) { tellHere(e); });
}

QAction *addKeyed(QToolBar *bar, const QString &key, const QString &tip) {
    QAction *a = bar->addAction(key);
    a->setObjectName(key);
    a->setToolTip(tip);
    return a;
}
} // namespace

frmSelection::frmSelection(QWidget *parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmSelection"));
    setModal(true);
    resize(420, 480);

    m_tbHeader = new QToolBar(this);
    m_tbHeader->setObjectName(QStringLiteral("tbHeader"));
    m_caption = new QLabel(QStringLiteral("Field 1"), this);
    m_caption->setObjectName(QStringLiteral("lblFldNameCap"));
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("lstDataField"));
    m_list->setSelectionMode(QAbstractItemView::MultiSelection);
    m_list->viewport()->installEventFilter(this);

    auto *fraSelection = new QGroupBox(QStringLiteral("Selection Criteria"), this);
    m_selAll = new QRadioButton(QStringLiteral("&Select All"), fraSelection);
    m_selAll->setObjectName(QStringLiteral("optSelAll"));
    m_deselAll = new QRadioButton(QStringLiteral("Deselect &All"), fraSelection);
    m_deselAll->setObjectName(QStringLiteral("optDSelAll"));
    m_userSel = new QRadioButton(QStringLiteral("&User Selection"), fraSelection);
    m_userSel->setObjectName(QStringLiteral("optUsrSel"));
    auto *optLayout = new QHBoxLayout(fraSelection);
    optLayout->addWidget(m_selAll);
    optLayout->addWidget(m_deselAll);
    optLayout->addWidget(m_userSel);

    auto *footerBar = new QWidget(this);
    auto *footerLayout = new QHBoxLayout(footerBar);
    footerLayout->setContentsMargins(0, 0, 0, 0);
    m_lblStatus = new QLabel(footerBar);
    m_lblStatus->setObjectName(QStringLiteral("lblStatus"));
    m_lblStatus->setWordWrap(true);
    m_tbFooter = new QToolBar(footerBar);
    m_tbFooter->setObjectName(QStringLiteral("tbFooter"));
    addKeyed(m_tbFooter, QStringLiteral("Status"), QString())->setText(QString());
    addKeyed(m_tbFooter, QStringLiteral("Ok"), QStringLiteral("Ok - F9"));
    addKeyed(m_tbFooter, QStringLiteral("Cancel"), QStringLiteral("Cancel - F10"));
    footerLayout->addWidget(m_lblStatus, 1);
    footerLayout->addWidget(m_tbFooter);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_tbHeader);
    layout->addWidget(m_caption);
    layout->addWidget(m_list, 1);
    layout->addWidget(fraSelection);
    layout->addWidget(footerBar);

    // Header: only Exit is offered.
    m_header = new clsHeader(this);
    m_header->setformname(this);
    m_header->setToolBarName(m_tbHeader);
    m_header->setImageListName(frmImgList::ImgLstFooter());
    m_header->LoadImages({QStringLiteral("Add"), QStringLiteral("Modify"), QStringLiteral("Delete"),
                          QStringLiteral("Attachment"), QStringLiteral("Select"), QStringLiteral("Refresh"),
                          QStringLiteral("Help"), QStringLiteral("Exit")});
    m_header->setAddVisible(false);
    m_header->setModifyVisible(false);
    m_header->setDeleteVisible(false);
    m_header->setAttachmentVisible(false);
    m_header->setFilterVisible(false);
    m_header->setRefreshVisible(false);
    m_header->setHelpVisible(false);
    m_header->setAttachmentEnable(false);
    m_header->setExitEnable(true);
    connect(m_header, &clsHeader::HeaderClick, this,
            pressed([this](const QString &key) { tlbHeader_HeaderClick(key); }));

    m_imlFooter = std::make_shared<ImageList>(QStringList{
        QStringLiteral("Ok"), QStringLiteral("Cancel"), QStringLiteral("Reset"), QStringLiteral("None"),
        QStringLiteral("Confirmation"), QStringLiteral("Warning"), QStringLiteral("Information"),
        QStringLiteral("Critical")});
    m_footer = new clsFooterToolBar(this);
    m_footer->setToolBarName(m_tbFooter);
    m_footer->setformname(this);
    m_footer->setImageListName(m_imlFooter);
    m_footer->setLabelName(m_lblStatus);
    connect(m_footer, &clsFooterToolBar::FooterClick, this,
            pressed([this](const QString &key) { tlbFooter_FooterClick(key); }));
    zv::fw::keyPreviewOf(this)->setTeller([](const std::exception &e) { tellHere(e); });

    m_utility = new clsGeneralHeader(this);
    m_utility->ActivateHeaderToolBar(m_header);
    m_utility->ActivateFooterToolBar(m_footer);
    m_footer->setRightToolbarVisible(true);
    m_userSel->setChecked(true);
    m_utility->UsrClearFooter(m_footer);

    connect(m_selAll, &QRadioButton::clicked, this, pressed([this] { optSelAll_Click(); }));
    connect(m_deselAll, &QRadioButton::clicked, this, pressed([this] { optDSelAll_Click(); }));
}

frmSelection::~frmSelection() = default;

QString frmSelection::ShowValues(const QString &Caption, const QString &Sql, int ReturnMode,
                                 const QString &CurrentList, int KeyColumn, int FirstColumn, int SecondColumn,
                                 int ThirdColumn) {
    return ShowValues(Caption, BoundSql{Sql, {}}, ReturnMode, CurrentList,
                      SelectionColumns{KeyColumn, FirstColumn, SecondColumn, ThirdColumn});
}

QString frmSelection::ShowValues(const QString &Caption, const BoundSql &Statement, int ReturnMode,
                                 const QString &CurrentList, const SelectionColumns &Columns) {
    frmSelection window(QApplication::activeWindow());
    window.Load(Caption, Statement, ReturnMode, CurrentList, Columns);
    window.exec();
    return window.result();
}

void frmSelection::Load(const QString &Caption, const BoundSql &Statement, int ReturnMode,
                        const QString &CurrentList, const SelectionColumns &Columns) {
    // A set: a long last selection is looked up once a row, not searched.
    QSet<QString> current;
    for (const QString &c : QString(CurrentList).remove(QLatin1Char('\'')).split(QLatin1Char(',')))
        current.insert(c.trimmed());
    m_caption->setText(Caption);
    setWindowTitle(Caption + QStringLiteral(" Selection Filter"));
    m_list->clear();
    m_keys.clear();
    m_result.clear();
    m_confirmed = false;
    // Rows that could not be read are no empty choice: the failure is told
    // here and ends the caller's action, whose last selection stays.
    QList<SelectionRow> rows;
    if (!zv::ui::runAction([&] { rows = readSelectionRows(modCommon::MainConnection(), Statement, Columns); },
                           [](const std::exception &e) {
                               tellHere(e, QStringLiteral("Error in FrmSelection.ShowValues"));
                           }))
        zv::ui::endAction();
    QStringList texts;
    texts.reserve(rows.size());
    m_keys.reserve(rows.size());
    std::vector<bool> ticked(rows.size());
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const SelectionRow &row = rows.at(i);
        m_keys << row.key;
        texts << row.text;
        ticked[i] = !row.key.isEmpty() && current.contains(row.key.trimmed());
    }
    // All rows in one insert, the ticked ones in one selection.
    m_list->addItems(texts);
    setTicked(ticked);
    m_footer->setStatus(QString());
    m_footer->setSelectPicture(clsFooterToolBar::NoPicture);
    m_returnMode = ReturnMode;
}

void frmSelection::tlbFooter_FooterClick(const QString &Key) {
    if (Key == QLatin1String("Ok")) {
        QString text;
        const std::vector<bool> ticked = tickedRows();
        for (size_t i = 0; i < ticked.size(); ++i) {
            if (!ticked[i])
                continue;
            const QString key = m_keys.value(qsizetype(i));
            text += (m_returnMode == 1 ? QLatin1Char('\'') + key + QLatin1Char('\'') : key) + QLatin1Char(',');
        }
        if (text.isEmpty()) {
            m_utility->DisplayStatus(QStringLiteral("KRE024"), m_footer, m_caption->text(), QString());
            return;
        }
        text.chop(1);
        m_confirmed = true;
        m_result = text;
        QDialog::accept();
    } else if (Key == QLatin1String("Cancel")) {
        closeWithout();
    }
}

void frmSelection::tlbHeader_HeaderClick(const QString &Key) {
    if (Key == QLatin1String("Exit"))
        closeWithout();
}

// Whole-list changes are one selection each: row by row they cost time
// growing with the square of the rows.
void frmSelection::optSelAll_Click() { m_list->selectAll(); }

void frmSelection::optDSelAll_Click() { m_list->clearSelection(); }

void frmSelection::setTicked(const std::vector<bool> &ticked) {
    QItemSelection selection;
    const QAbstractItemModel *model = m_list->model();
    const int n = int(ticked.size());
    for (int i = 0; i < n;) {
        if (!ticked[i]) {
            ++i;
            continue;
        }
        int last = i;
        while (last + 1 < n && ticked[last + 1])
            ++last;
        selection.append(QItemSelectionRange(model->index(i, 0), model->index(last, 0)));
        i = last + 1;
    }
    m_list->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
}

// Read from the selection's ranges: asking each row costs a walk of them all.
std::vector<bool> frmSelection::tickedRows() const {
    std::vector<bool> ticked(size_t(m_list->count()));
    for (const QItemSelectionRange &range : m_list->selectionModel()->selection())
        for (int row = range.top(); row <= range.bottom(); ++row)
            if (row >= 0 && size_t(row) < ticked.size())
                ticked[size_t(row)] = true;
    return ticked;
}

void frmSelection::closeWithout() {
    m_result.clear();
    m_confirmed = false;
    QDialog::reject();
}

void frmSelection::reject() { closeWithout(); }

bool frmSelection::eventFilter(QObject *watched, QEvent *event) {
    if (watched == m_list->viewport() && event->type() == QEvent::MouseButtonPress)
        m_userSel->setChecked(true);
    return QDialog::eventFilter(watched, event);
}

} // namespace zv::query
