#include "frmGeneralFilter.h"
#include "platform/ui/ErrorBox.h"
#include "RecordsetGrid.h"
#include "core/modCommon.h"
#include "FilterDateBox.h"
#include "frmFindNew.h"
#include "frmNewSort.h"
#include "framework/FormKeys.h"
#include "framework/ImageList.h"
#include "framework/ToolbarButtons.h"
#include "framework/clsFooterToolBar.h"
#include "framework/clsGeneralDetailHeader.h"
#include "platform/db/Connection.h"
#include "platform/ui/MessageService.h"
#include "platform/ui/TextBox.h"
#include "platform/ui/Ui.h"
#include "platform/ui/VbKeys.h"
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QToolBar>

namespace zv::query {

namespace {
constexpr int kWindowWidthTw = 12300;
constexpr int kWindowHeightTw = 9000;
constexpr int kPlaceWidthTw = 11100;
constexpr int kDatePickerWidthTw = 1335;

int px(int twips) { return zv::ui::twipsToPixels(twips); }
int tw(int pixels) { return zv::ui::pixelsToTwips(pixels); }

QAction *addButton(QToolBar *bar, const QString &key, const QString &tip, const ImageList &images) {
    QAction *a = bar->addAction(key);
    a->setObjectName(key);
    a->setToolTip(tip);
    if (images.contains(key))
        a->setIcon(images.picture(key));
    return a;
}

void setBackColour(QWidget *w, const QColor &c) {
    QPalette p = w->palette();
    p.setColor(QPalette::Base, c);
    w->setPalette(p);
}

// The window's box for a failure: its description alone (a held file is the
// in-use box). It reads nothing and throws nothing.
void tellHere(const std::exception &e) { zv::ui::ErrorBox(e, zv::db::ErrorLayout::Description, zv::ui::vbOKOnly); }

// Each press in the window is one action, told in the window's box.
template <class F>
auto pressed(F step) {
    return zv::ui::asAction(std::move(step), &tellHere);
}

const QColor kLocked(0xE0, 0xE0, 0xE0);
const QColor kOpen(0xFF, 0xFF, 0xFF);

// One column per field, shown as the grid row at the same position says.
QList<GridColumn> gridColumns(const zv::db::Recordset &rs, const QList<GridColumnRow> &gridRows) {
    QList<GridColumn> columns;
    columns.reserve(rs.fieldCount());
    for (int i = 0; i < rs.fieldCount(); ++i) {
        const QString &field = rs.fieldNames().at(i);
        GridColumn c{field, field, QString(), 0};
        if (i < gridRows.size()) {
            const GridColumnRow &g = gridRows.at(i);
            c.caption = g.clmnCapn;
            c.format = g.dataType.trimmed().toUpper();
            c.widthTwips = int(g.clmnSize);
        }
        columns << c;
    }
    return columns;
}
} // namespace

// Key presses of one filter text field go through the key-press filter with
// the mode and character list of the field's metadata row.
class frmGeneralFilter::FieldKeys : public zv::ui::KeyHandler {
public:
    FieldKeys(frmGeneralFilter *form, QLineEdit *box, int mode, QString chars)
        : m_form(form), m_box(box), m_mode(mode), m_chars(std::move(chars)) {}
    void KeyPress(int &KeyAscii) override {
        KeyAscii = m_form->m_keyFilter.FilterKey(zv::ui::TextBox(m_box), m_mode, KeyAscii, m_chars, 0, 0, false);
    }

private:
    frmGeneralFilter *m_form;
    QLineEdit *m_box;
    int m_mode;
    QString m_chars;
};

class frmGeneralFilter::FormKeys : public zv::ui::KeyHandler {
public:
    explicit FormKeys(frmGeneralFilter *form) : m_form(form) {}
    void KeyDown(int &KeyCode, int Shift) override { m_form->formKeyDown(KeyCode, Shift); }

private:
    frmGeneralFilter *m_form;
};

frmGeneralFilter::frmGeneralFilter(QWidget *parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmGeneralFilter"));
    setModal(true);
    setFixedSize(px(kWindowWidthTw), px(kWindowHeightTw));
    m_images = std::make_shared<ImageList>(QStringList{
        QStringLiteral("Ok"), QStringLiteral("Cancel"), QStringLiteral("Reset"), QStringLiteral("Help"),
        QStringLiteral("Exit"), QStringLiteral("Sort"), QStringLiteral("Find"), QStringLiteral("Information"),
        QStringLiteral("Confirmation"), QStringLiteral("Critical"), QStringLiteral("None"), QStringLiteral("Warning")});

    m_tlbHeader = new QToolBar(this);
    m_tlbHeader->setObjectName(QStringLiteral("tlbHeader"));
    addButton(m_tlbHeader, QStringLiteral("Help"), QStringLiteral("Help - F1"), *m_images);
    addButton(m_tlbHeader, QStringLiteral("Exit"), QStringLiteral("Exit - ESC"), *m_images);
    m_tlbHeader->setGeometry(0, 0, width(), m_tlbHeader->sizeHint().height());
    connect(m_tlbHeader, &QToolBar::actionTriggered, this, pressed([this](QAction *a) { tlbHeader_ButtonClick(a); }));

    // Element 0 of each control array belongs to the design.
    m_txtFld.push_back(new QLineEdit(this));
    m_txtFld[0]->setObjectName(QStringLiteral("txtFld_0"));
    m_txtFld[0]->hide();
    m_lblLabel.push_back(new QLabel(this));
    m_lblLabel[0]->hide();
    m_Lin.push_back(new QFrame(this));
    m_Lin[0]->setFrameShape(QFrame::HLine);
    m_Lin[0]->hide();
    m_DTPic.push_back(nullptr);
    m_lblDT.push_back(nullptr);
    m_LinDT.push_back(nullptr);

    m_tlbMiddle = new QToolBar(this);
    m_tlbMiddle->setObjectName(QStringLiteral("tlbMiddle"));
    addButton(m_tlbMiddle, QStringLiteral("Sort"), QStringLiteral("Sort - F4"), *m_images);
    addButton(m_tlbMiddle, QStringLiteral("Find"), QStringLiteral("Find - F3"), *m_images);
    m_place = new QWidget(m_tlbMiddle);
    m_place->setFixedWidth(px(kPlaceWidthTw) - 3 * 32);
    m_tlbMiddle->addWidget(m_place);
    addButton(m_tlbMiddle, QStringLiteral("Ok"), QStringLiteral("OK - F9"), *m_images);
    addButton(m_tlbMiddle, QStringLiteral("Cancel"), QStringLiteral("Cancel - F10"), *m_images);
    addButton(m_tlbMiddle, QStringLiteral("Reset"), QStringLiteral("Reset - F11"), *m_images);
    m_tlbMiddle->setGeometry(0, px(1200), width(), m_tlbMiddle->sizeHint().height());
    connect(m_tlbMiddle, &QToolBar::actionTriggered, this, pressed([this](QAction *a) { tlbMiddle_ButtonClick(a); }));

    m_grid = new RecordsetGrid(this);
    m_grid->setObjectName(QStringLiteral("dgdGrid"));
    m_grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_grid->hide();
    connect(m_grid, &RecordsetGrid::MoveComplete, this, pressed([this] { mrecGrid_MoveComplete(); }));
    connect(m_grid, &RecordsetGrid::HeadClick, this, pressed([this](int column) { dgdGrid_HeadClick(column); }));
    connect(m_grid, &RecordsetGrid::RowChosen, this, pressed([this] { tlbFooter_FooterClick(QStringLiteral("Ok")); }));

    m_footerBar = new QWidget(this);
    auto *footerLayout = new QHBoxLayout(m_footerBar);
    footerLayout->setContentsMargins(4, 0, 4, 0);
    m_tbFooter = new QToolBar(m_footerBar);
    m_tbFooter->setObjectName(QStringLiteral("tbFooter"));
    addButton(m_tbFooter, QStringLiteral("Status"), QString(), *m_images)->setText(QString());
    m_lblStatus = new QLabel(m_footerBar);
    m_lblStatus->setObjectName(QStringLiteral("lblStatus"));
    footerLayout->addWidget(m_lblStatus, 1);
    footerLayout->addWidget(m_tbFooter);
    addButton(m_tbFooter, QStringLiteral("Ok"), QStringLiteral("Ok - F9"), *m_images);
    addButton(m_tbFooter, QStringLiteral("Cancel"), QStringLiteral("Cancel - F10"), *m_images);
    addButton(m_tbFooter, QStringLiteral("Reset"), QStringLiteral("Reset - F11"), *m_images);
    const int footerHeight = m_tbFooter->sizeHint().height() + 4;
    m_footerBar->setGeometry(0, height() - footerHeight, width(), footerHeight);

    // The footer object first, so that its F9 and F10 come before the window's own keys.
    m_footer = new clsFooterToolBar(this);
    m_footer->setToolBarName(m_tbFooter);
    m_footer->setformname(this);
    m_footer->setImageListName(m_images);
    m_footer->setLabelName(m_lblStatus);
    m_footer->setStatus(QString());
    m_footer->setStatusVisible(true);
    m_footer->setRightToolbarVisible(false);
    m_footer->setResetVisible(false);
    connect(m_footer, &clsFooterToolBar::FooterClick, this,
            pressed([this](const QString &key) { tlbFooter_FooterClick(key); }));

    m_formKeys = std::make_unique<FormKeys>(this);
    zv::fw::keyPreviewOf(this)->addFormHandler(m_formKeys.get());
    zv::fw::keyPreviewOf(this)->setTeller(&tellHere);

    middleButton(QStringLiteral("Find"))->setVisible(false);
    middleButton(QStringLiteral("Sort"))->setVisible(false);
}

frmGeneralFilter::~frmGeneralFilter() {
    if (auto *preview = zv::fw::keyPreviewOf(this)) {
        preview->removeFormHandler(m_formKeys.get());
        for (QLineEdit *t : m_txtFld)
            preview->setControlHandler(t, nullptr);
    }
}

QStringList frmGeneralFilter::Show_Form(const QString &ScreenKey, const QString &JoinCondition,
                                        const QString &AppendedText, const QString &Unused, int RepeatFlag) {
    frmGeneralFilter window(QApplication::activeWindow());
    if (!window.Load(ScreenKey, JoinCondition, AppendedText, Unused, RepeatFlag))
        return cancelledResult();
    window.exec();
    QStringList r = window.result();
    window.m_outcome.clear();
    return r;
}

bool frmGeneralFilter::Load(const QString &ScreenKey, const QString &JoinCondition, const QString &AppendedText,
                            const QString &Unused, int RepeatFlag) {
    m_screenKey = ScreenKey.trimmed();
    m_join = JoinCondition;
    m_appended = AppendedText;
    m_unused = Unused;
    m_repeat = RepeatFlag;
    m_result = cancelledResult();
    m_outcome.clear();
    // Rows that could not be read are no cancel: the failure is told here and
    // ends the caller's action, which then decides nothing from it.
    if (!zv::ui::runAction([this] { m_queryRows = readQueryFields(modCommon::MainConnection(), m_screenKey); },
                           &tellHere))
        zv::ui::endAction();
    if (m_queryRows.isEmpty()) {
        zv::ui::MsgBox(QStringLiteral("No filter is defined for \"%1\"").arg(m_screenKey),
                       zv::ui::vbOKOnly + zv::ui::vbInformation, QStringLiteral("Information"));
        return false;
    }
    m_baseStatement = buildBaseStatement(buildSelectList(m_queryRows), buildFromList(m_queryRows), m_join);
    CreateControls();
    return true;
}

// ------------------------------------------------------------ the fields

void frmGeneralFilter::CreateControls() {
    const QueryFieldRow &first = m_queryRows.first();
    setWindowTitle(first.scrnCapn);
    m_columnNames = QStringList();
    m_columnNames.reserve(m_queryRows.size() + 1);
    for (int i = 0; i <= m_queryRows.size(); ++i)
        m_columnNames << QString();
    m_columnNames[0] = first.clmnName;

    m_fields.clear();
    for (int i = 0; i < m_queryRows.size(); ++i) {
        const QString type = m_queryRows.at(i).dataType.trimmed().toUpper();
        FieldRecord f;
        f.rowIndex = i;
        if (type == QLatin1String("DATETIME") || type == QLatin1String("TEXT")) {
            f.mode = 3;
            f.chars = zv::ui::punctuationList();
        }
        m_fields.push_back(f);
    }

    auto *preview = zv::fw::keyPreviewOf(this);
    auto hookField = [&](QLineEdit *box, int row) {
        m_fieldKeys.push_back(std::make_unique<FieldKeys>(this, box, m_fields.at(row).mode, m_fields.at(row).chars));
        preview->setControlHandler(box, m_fieldKeys.back().get());
    };

    PlaceControls(0, first, false);
    hookField(m_txtFld[0], 0);
    QWidget *lastInput = m_txtFld[0];

    for (int i = 1; i < m_queryRows.size(); ++i) {
        const QueryFieldRow &row = m_queryRows.at(i);
        const QString kind = row.userCntrl.trimmed().toUpper();
        if (kind == QLatin1String("DT")) {
            ++m_dateCount;
            auto *label = new QLabel(this);
            auto *picker = new FilterDateBox(this, preview);
            picker->setObjectName(QStringLiteral("DTPic_%1").arg(m_dateCount));
            auto *line = new QFrame(this);
            line->setFrameShape(QFrame::HLine);
            label->hide();
            picker->hide();
            line->hide();
            m_lblDT.push_back(label);
            m_DTPic.push_back(picker);
            m_LinDT.push_back(line);
            setTabOrder(lastInput, picker);
            lastInput = picker;
            PlaceControls(m_dateCount, row, true);
        } else {
            ++m_textCount;
            auto *label = new QLabel(this);
            auto *box = new QLineEdit(this);
            box->setObjectName(QStringLiteral("txtFld_%1").arg(m_textCount));
            auto *line = new QFrame(this);
            line->setFrameShape(QFrame::HLine);
            label->hide();
            box->hide();
            line->hide();
            m_lblLabel.push_back(label);
            m_txtFld.push_back(box);
            m_Lin.push_back(line);
            setTabOrder(lastInput, box);
            lastInput = box;
            hookField(box, i);
            // Kinds other than "T" and "TF" keep their text box created but hidden and empty.
            if (kind == QLatin1String("T") || kind == QLatin1String("TF"))
                PlaceControls(m_textCount, row, false);
        }
        m_columnNames[i] = row.clmnName;
    }

    m_lowestTop = m_lowestTop + tw(m_txtFld[0]->sizeHint().height()) + 190;
    m_tlbMiddle->move(0, px(m_lowestTop - 50));
}

void frmGeneralFilter::PlaceControls(int index, const QueryFieldRow &row, bool dateRow) {
    QWidget *input = nullptr;
    QLabel *label = nullptr;
    QFrame *line = nullptr;
    if (dateRow) {
        label = m_lblDT.at(index);
        FilterDateBox *picker = m_DTPic.at(index);
        label->setText(row.dispName);
        label->adjustSize();
        label->move(px(row.capnLeft), px(row.capnTop - 120));
        // The designed width is the least; a larger font widens the box to its date.
        picker->setGeometry(px(row.feldLeft), px(row.feldTop - 100),
                            qMax(px(kDatePickerWidthTw), picker->dateTextWidth()), picker->sizeHint().height());
        input = picker;
        line = m_LinDT.at(index);
    } else {
        label = m_lblLabel.at(index);
        QLineEdit *box = m_txtFld.at(index);
        label->setText(row.dispName);
        label->adjustSize();
        label->move(px(row.capnLeft), px(row.capnTop - 100));
        box->setGeometry(px(row.feldLeft), px(row.feldTop - 100), px(row.feldWidt), box->sizeHint().height());
        box->setMaxLength(row.feldLeng > 0 ? row.feldLeng : 32767);
        input = box;
        line = m_Lin.at(index);
        if (row.feldLeft == 0 || row.feldLeft == 100) {
            // A key column: its field is never offered.
            box->hide();
            label->hide();
            line->hide();
            return;
        }
    }
    label->show();
    input->show();
    m_lowestTop = qMax(m_lowestTop, tw(input->y()));
    const int y = input->y() + input->height() - px(25);
    const int x1 = label->x();
    const int x2 = input->x() + input->width() - px(250);
    line->setGeometry(x1, y, qMax(1, x2 - x1), 2);
    line->show();
    line->lower();
}

// -------------------------------------------------------------- searching

bool frmGeneralFilter::findSortAllowed() const {
    const QString key = m_screenKey.toUpper();
    return key != QLatin1String("HOLDAY") && key != QLatin1String("F011") && key != QLatin1String("F012");
}

void frmGeneralFilter::setMiddleMode(bool criteria) {
    middleButton(QStringLiteral("Ok"))->setVisible(criteria);
    middleButton(QStringLiteral("Cancel"))->setVisible(criteria);
    middleButton(QStringLiteral("Reset"))->setVisible(criteria);
    const bool findSort = !criteria && findSortAllowed();
    middleButton(QStringLiteral("Find"))->setVisible(findSort);
    middleButton(QStringLiteral("Sort"))->setVisible(findSort);
}

void frmGeneralFilter::lockFields(bool locked) {
    for (QLineEdit *t : m_txtFld) {
        t->setEnabled(!locked);
        setBackColour(t, locked ? kLocked : kOpen);
    }
    for (FilterDateBox *d : m_DTPic) {
        if (d) {
            d->setEnabled(!locked);
            setBackColour(d, locked ? kLocked : kOpen);
        }
    }
}

bool frmGeneralFilter::inResultMode() const {
    return m_grid->isVisibleTo(this) && m_rs && !m_rs->isEmpty();
}

void frmGeneralFilter::criteriaMode() {
    m_grid->hide();
    setMiddleMode(true);
    m_footer->setRightToolbarVisible(false);
    lockFields(false);
}

void frmGeneralFilter::search() { FormatGrid(); }

// The rows shown go with the grid: a later search never holds two results.
// Their record counter goes too.
void frmGeneralFilter::releaseRows() {
    m_grid->setRecordset(nullptr);
    m_rs.reset();
    m_footer->setStatus(QString());
    m_footer->setSelectPicture(clsFooterToolBar::NoPicture);
}

frmGeneralFilter::Found frmGeneralFilter::readMatches() {
    zv::db::Connection &conn = modCommon::MainConnection();
    Found found;
    found.gridRows = readGridColumns(conn, m_screenKey);
    QList<CriterionInput> inputs;
    int textIndex = -1;
    int dateIndex = 0;
    for (int i = 0; i < m_queryRows.size(); ++i) {
        CriterionInput in;
        in.kind = i < found.gridRows.size() ? found.gridRows.at(i).userCntrl.trimmed().toUpper() : QString();
        in.column = m_columnNames.value(i);
        if (in.kind == QLatin1String("DT")) {
            ++dateIndex;
            if (dateIndex < int(m_DTPic.size()) && m_DTPic.at(dateIndex)) {
                in.date = m_DTPic.at(dateIndex)->date();
                in.text = m_DTPic.at(dateIndex)->isBlank() ? QString() : m_DTPic.at(dateIndex)->text();
            }
        } else if (in.kind == QLatin1String("TF") || in.kind == QLatin1String("T") ||
                   in.kind == QLatin1String("TFT")) {
            ++textIndex;
            if (textIndex < int(m_txtFld.size()))
                in.text = m_txtFld.at(textIndex)->text();
        }
        inputs << in;
    }
    m_lastStatement = buildFinalStatement(m_baseStatement, m_join, buildCriteria(inputs), m_appended, m_repeat != 0);
    found.rows = readFilterRows(conn, m_lastStatement);
    return found;
}

void frmGeneralFilter::ShowData() {
    // The rows of the last search are let go before the next is read (a
    // search runs in criteria mode, where they are none or shown nowhere).
    m_grid->setRecordset(nullptr);
    m_rs.reset();
    // Every read first: a search that fails (or a criterion refused) leaves
    // the window as it was and is told once.
    Found found = readMatches();

    m_tbFooter->show();
    m_footer->setStatusVisible(true);
    releaseRows();
    m_gridRows = std::move(found.gridRows);
    m_rs = std::move(found.rows);
    // Rows and columns together: the grid is reset and measured once a search.
    m_grid->setRecordset(m_rs, gridColumns(*m_rs, m_gridRows));
    if (m_rs->isEmpty()) {
        criteriaMode();
        // The window is in criteria mode before the message is read.
        if (!m_utility)
            m_utility = new clsGeneralDetailHeader(this);
        m_utility->DisplayStatus(QStringLiteral("ZVE001"), m_footer, QString(), QString());
        return;
    }
    setMiddleMode(false);
    m_footer->setRightToolbarVisible(true);
    m_footer->setResetVisible(false);
    lockFields(true);
}

void frmGeneralFilter::FormatGrid() {
    ShowData();
    if (!m_rs || m_rs->isEmpty() || !m_grid->recordset())
        return;
    const QList<GridColumnRow> &gridRows = m_gridRows;
    const QList<GridColumn> &columns = m_grid->gridModel()->columns();
    m_totalWidth = 0;
    for (int i = 0; i < columns.size(); ++i) {
        const bool hide = i < gridRows.size() && gridRows.at(i).visible == 1;
        if (i < gridRows.size() && !hide)
            m_totalWidth += int(gridRows.at(i).clmnSize);
        m_grid->setColumnHidden(i, hide);
        if (columns.at(i).widthTwips > 0)
            m_grid->setColumnWidth(i, px(columns.at(i).widthTwips));
    }

    const int top = m_tlbMiddle->y() + px(550);
    const int gridWidth = qMin(width() - 8, px(m_totalWidth + 580));
    const int gridHeight = qMax(px(1500), height() - top - px(1000 + 100));
    m_grid->setGeometry((width() - gridWidth) / 2, top, gridWidth, gridHeight);
    m_grid->show();
    m_grid->syncCurrentRow();   // off a column just hidden
    m_grid->setFocus();
}

// ------------------------------------------------------------ toolbars

QAction *frmGeneralFilter::middleButton(const QString &key) const { return zv::fw::findButton(m_tlbMiddle, key); }
QAction *frmGeneralFilter::footerButton(const QString &key) const { return zv::fw::findButton(m_tbFooter, key); }

QLineEdit *frmGeneralFilter::txtFld(int index) const {
    return index >= 0 && index < int(m_txtFld.size()) ? m_txtFld.at(index) : nullptr;
}

FilterDateBox *frmGeneralFilter::DTPic(int index) const {
    return index >= 1 && index < int(m_DTPic.size()) ? m_DTPic.at(index) : nullptr;
}

QLabel *frmGeneralFilter::lblLabel(int index) const {
    return index >= 0 && index < int(m_lblLabel.size()) ? m_lblLabel.at(index) : nullptr;
}

void frmGeneralFilter::tlbFooter_FooterClick(const QString &Key) {
    if (Key == QLatin1String("Ok")) {
        if (!m_rs || m_rs->isEmpty() || !m_grid->recordset()) {
            m_result = cancelledResult();
        } else {
            QStringList r;
            for (int i = 0; i < m_grid->columnCount(); ++i)
                r << m_grid->currentText(i);
            m_result = r;
            m_outcome = QStringLiteral("Ok");
        }
        unload();
    } else if (Key == QLatin1String("Cancel")) {
        releaseRows();
        m_grid->hide();
        setMiddleMode(true);
        m_footer->setRightToolbarVisible(false);
        m_footer->setResetVisible(false);
        m_tbFooter->hide();
        m_footer->setStatusVisible(false);
        lockFields(false);
        if (m_txtFld[0]->isVisibleTo(this))
            m_txtFld[0]->setFocus();
        else
            focusNextChild();
    }
}

void frmGeneralFilter::tlbMiddle_ButtonClick(QAction *button) {
    const QString key = zv::fw::buttonKey(button);
    if (key == QLatin1String("Ok"))
        search();
    else if (key == QLatin1String("Cancel"))
        unload();
    else if (key == QLatin1String("Find"))
        openFind();
    else if (key == QLatin1String("Sort"))
        openSort();
    // "Reset" does nothing.
}

void frmGeneralFilter::tlbHeader_ButtonClick(QAction *button) {
    if (zv::fw::buttonKey(button) == QLatin1String("Exit"))
        unload();
    // "Help" has no topic of its own.
}

void frmGeneralFilter::openSort() {
    if (!m_rs || m_rs->isEmpty())
        return;
    frmNewSort dialog(this);
    dialog.ShowForm(m_rs, m_grid);
}

void frmGeneralFilter::openFind() {
    if (!m_rs || m_rs->isEmpty())
        return;
    m_grid->refresh();
    frmFindNew dialog(this);
    dialog.ShowForm(m_rs, m_grid, m_screenKey);
}

void frmGeneralFilter::mrecGrid_MoveComplete() {
    if (!m_rs || m_rs->isEmpty() || m_rs->bof() || m_rs->eof())
        return;
    m_footer->setStatus(QStringLiteral(" Current Record : %1 of %2").arg(m_rs->absolutePosition()).arg(m_rs->recordCount()));
    m_footer->setSelectPicture(clsFooterToolBar::Information);
}

void frmGeneralFilter::dgdGrid_HeadClick(int column) {
    if (!m_rs || m_rs->isEmpty())
        return;
    const QString field = QLatin1Char('[') + m_grid->columnDataField(column) + QLatin1Char(']');
    const QString ascending = field + QStringLiteral(" ASC");
    m_rs->sort(m_rs->sortSpec() == ascending ? field + QStringLiteral(" DESC") : ascending);
    m_grid->refresh();
}

// ------------------------------------------------------------------ keys

void frmGeneralFilter::formKeyDown(int &KeyCode, int Shift) {
    using namespace zv::ui;
    auto visible = [this](const char *key) {
        QAction *a = middleButton(QLatin1String(key));
        return a && a->isVisible() && m_tlbMiddle->isEnabled();
    };
    auto consume = [&KeyCode] { KeyCode = 0; };
    if (KeyCode == vbKey::F4 && (Shift & vbShiftMask::Alt)) {
        consume();
        unload();
    } else if (KeyCode == vbKey::F4) {
        if (visible("Sort")) {
            consume();
            openSort();
        }
    } else if (KeyCode == vbKey::F3) {
        if (visible("Find")) {
            consume();
            openFind();
        }
    } else if (KeyCode == vbKey::F9) {
        if (visible("Ok")) {
            consume();
            search();
        }
    } else if (KeyCode == vbKey::F10) {
        if (visible("Cancel")) {
            consume();
            unload();
        }
    } else if (KeyCode == vbKey::F11) {
        if (visible("Reset"))
            consume();
    } else if (KeyCode == vbKey::Escape) {
        consume();
        unload();
    } else if (KeyCode == vbKey::Return) {
        QWidget *f = QApplication::focusWidget();
        for (FilterDateBox *d : m_DTPic) {
            if (d && f && (f == d || d->isAncestorOf(f))) {
                consume();
                sendTab(d);
                break;
            }
        }
    }
}

// -------------------------------------------------------------- closing

void frmGeneralFilter::unload() {
    if (m_unloading)
        return;
    m_unloading = true;
    if (m_outcome != QLatin1String("Ok"))
        m_result = cancelledResult();
    if (m_outcome == QLatin1String("Ok"))
        QDialog::accept();
    else
        QDialog::reject();
    m_unloading = false;
}

void frmGeneralFilter::reject() {
    if (m_unloading) {
        QDialog::reject();
        return;
    }
    unload();
}

void frmGeneralFilter::closeEvent(QCloseEvent *event) {
    if (!m_unloading && m_outcome != QLatin1String("Ok"))
        m_result = cancelledResult();
    QDialog::closeEvent(event);
}

} // namespace zv::query
