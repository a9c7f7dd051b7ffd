#include "frmFindNew.h"
#include "platform/ui/ErrorBox.h"
#include "GeneralFilterQuery.h"
#include "RecordsetGrid.h"
#include "core/modCommon.h"
#include "platform/clock/Clock.h"
#include "platform/db/Dates.h"
#include "platform/db/Recordset.h"
#include "platform/ui/MessageService.h"
#include "platform/ui/Ui.h"
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace zv::query {

namespace {
int g_rememberedPosition = 0;

const QString kStartSearch = QStringLiteral("&Start Search");
const QString kFindNext = QStringLiteral("&Find Next");
const QString kNewSearch = QStringLiteral("&New Search");

bool isYesNoValue(const QVariant &v) {
    if (v.typeId() == QMetaType::Bool)
        return true;
    const QString s = v.toString();
    return s.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0 ||
           s.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0;
}

bool isBooleanFormat(const QString &format) {
    return format == QLatin1String("CHECKBOX") || format == QLatin1String("OPTION") ||
           format == QLatin1String("CLOP");
}

// The dialog's box for a failure: its description (a held file is the in-use box).
void tellHere(const std::exception &e) {
    zv::ui::ErrorBox(e, zv::db::ErrorLayout::Description, zv::ui::vbOKOnly + zv::ui::vbCritical);
}

// Each press in the dialog is one action, told in the dialog's box.
template <class F>
auto pressed(F step) {
    return zv::ui::asAction(std::move(step), &tellHere);
}

QPushButton *button(const QString &text, const char *name, QWidget *parent) {
    auto *b = new QPushButton(text, parent);
    b->setObjectName(QLatin1String(name));
    b->setAutoDefault(false);
    return b;
}
} // namespace

int frmFindNew::rememberedPosition() { return g_rememberedPosition; }
void frmFindNew::setRememberedPosition(int pos) { g_rememberedPosition = pos; }

frmFindNew::frmFindNew(QWidget *parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmFindNew"));
    setWindowTitle(QStringLiteral("Find"));
    setModal(true);

    cmbLookIn = new QComboBox(this);
    cmbLookIn->setObjectName(QStringLiteral("cmbLookIn"));
    cmbMatch = new QComboBox(this);
    cmbMatch->setObjectName(QStringLiteral("cmbMatch"));
    cmbMatch->addItems({QStringLiteral("Equals"), QStringLiteral("Starts With"), QStringLiteral("Contains Text")});
    cmbMatch->setCurrentIndex(-1);
    txtActFind = new QLineEdit(this);
    txtActFind->setObjectName(QStringLiteral("txtActFind"));
    DtpFind = new QDateEdit(this);
    DtpFind->setObjectName(QStringLiteral("DtpFind"));
    DtpFind->setLocale(QLocale(QLocale::English, QLocale::UnitedKingdom));
    DtpFind->setDisplayFormat(QStringLiteral("dd-MMM-yyyy"));
    DtpFind->setCalendarPopup(true);
    DtpFind->setDate(zv::clock::today());
    lbl = new QLabel(QStringLiteral("Select Date "), this);
    lbl->setObjectName(QStringLiteral("lbl"));
    optCurrentRecord = new QRadioButton(QStringLiteral("Current &Record"), this);
    optCurrentRecord->setObjectName(QStringLiteral("optCurrentRecord"));
    optFirstRecord = new QRadioButton(QStringLiteral("First Rec&ord"), this);
    optFirstRecord->setObjectName(QStringLiteral("optFirstRecord"));
    optFirstRecord->setChecked(true);
    cmdNext = button(kStartSearch, "cmdNext", this);
    cmdCancel = button(QStringLiteral("&Close"), "cmdCancel", this);

    auto *fraLookIn = new QGroupBox(QStringLiteral("Look In :"), this);
    (new QVBoxLayout(fraLookIn))->addWidget(cmbLookIn);
    fraMatch = new QGroupBox(QStringLiteral("Match If :"), this);
    fraMatch->setObjectName(QStringLiteral("fraMatch"));
    (new QVBoxLayout(fraMatch))->addWidget(cmbMatch);
    auto *fraFind = new QGroupBox(QStringLiteral("Find What? :"), this);
    auto *findLayout = new QHBoxLayout(fraFind);
    findLayout->addWidget(txtActFind);
    findLayout->addWidget(lbl);
    findLayout->addWidget(DtpFind);
    auto *fraStart = new QGroupBox(QStringLiteral("Start Search From :"), this);
    auto *startLayout = new QHBoxLayout(fraStart);
    startLayout->addWidget(optCurrentRecord);
    startLayout->addWidget(optFirstRecord);

    auto *grid = new QGridLayout(this);
    grid->addWidget(fraLookIn, 0, 0);
    grid->addWidget(fraMatch, 0, 1);
    grid->addWidget(fraFind, 1, 0, 1, 2);
    grid->addWidget(fraStart, 2, 0);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(cmdNext);
    buttons->addWidget(cmdCancel);
    grid->addLayout(buttons, 2, 1);

    for (QWidget *w : {static_cast<QWidget *>(cmbLookIn), static_cast<QWidget *>(cmbMatch),
                       static_cast<QWidget *>(optCurrentRecord), static_cast<QWidget *>(optFirstRecord),
                       static_cast<QWidget *>(DtpFind)})
        w->installEventFilter(this);

    connect(cmbLookIn, &QComboBox::currentIndexChanged, this, pressed([this] { cmbLookIn_Click(); }));
    connect(txtActFind, &QLineEdit::textChanged, this, pressed([this] { txtActFind_Change(); }));
    connect(optFirstRecord, &QRadioButton::clicked, this, pressed([this] { optFirstRecord_Click(); }));
    connect(optCurrentRecord, &QRadioButton::clicked, this, pressed([this] { optCurrentRecord_Click(); }));
    connect(cmdNext, &QPushButton::clicked, this, pressed([this] { cmdNext_Click(); }));
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);

    // Loading: nothing typed yet.
    if (txtActFind->text().trimmed().isEmpty()) {
        lbl->hide();
        DtpFind->hide();
        cmdNext->setEnabled(false);
    }
    move(zv::ui::twipsToPixels(5700), zv::ui::twipsToPixels(100));
    setFixedSize(qMax(zv::ui::twipsToPixels(5685), sizeHint().width()),
                 qMax(zv::ui::twipsToPixels(2685), sizeHint().height()));
}

frmFindNew::~frmFindNew() = default;

void frmFindNew::ShowForm(std::shared_ptr<zv::db::Recordset> rs, RecordsetGrid *grid, const QString &screenKey) {
    // The data types of the shown grid columns, in order. Read first: a read
    // that fails ends the press that opens the dialog, never offering text
    // boxes for dates.
    const QStringList types = readShownColumnTypes(modCommon::MainConnection(), screenKey);
    {
        const QSignalBlocker block(cmbLookIn);
        cmbLookIn->clear();
    }
    m_entries.clear();
    m_screenKey = screenKey;
    m_grid = grid;
    m_rs = std::move(rs);
    m_afterMatch = false;

    QList<int> shownOrdinal;   // per entry: which shown grid column it is
    if (grid && m_rs && !m_rs->bof() && !m_rs->eof()) {
        int shown = -1;
        for (int i = 0; i < grid->columnCount(); ++i) {
            if (grid->isColumnHidden(i))
                continue;
            ++shown;
            const int field = m_rs->fieldIndex(grid->columnDataField(i));
            if (field < 0)
                continue;
            const QVariant value = m_rs->value(field);
            if (value.isNull() || isYesNoValue(value) || isBooleanFormat(grid->columnFormat(i)))
                continue;
            const QString caption = grid->columnCaption(i).trimmed();
            if (caption.isEmpty() || grid->columnNumberFormat(i) == QLatin1String(kNumericFormat))
                continue;
            m_entries << SearchEntry{grid->columnDataField(i), QString()};
            shownOrdinal << shown;
            const QSignalBlocker block(cmbLookIn);
            cmbLookIn->addItem(caption);
        }
    }

    for (int e = 0; e < m_entries.size(); ++e)
        m_entries[e].dataType = types.value(shownOrdinal.at(e));

    if (cmbMatch->currentIndex() < 0)
        cmbMatch->setCurrentIndex(2);
    if (cmbLookIn->count() > 0) {
        // The entry chosen on opening sets the inputs by its type, as a choice does.
        {
            const QSignalBlocker block(cmbLookIn);
            cmbLookIn->setCurrentIndex(0);
        }
        cmbLookIn_Click();
    }
    exec();
    m_rs.reset();
    m_grid = nullptr;
}

void frmFindNew::done(int result) {
    g_rememberedPosition = 1;
    QDialog::done(result);
}

void frmFindNew::showEvent(QShowEvent *event) {
    QDialog::showEvent(event);
    if (txtActFind->isVisible())
        txtActFind->setFocus();
}

void frmFindNew::cmbLookIn_Click() {
    const int k = cmbLookIn->currentIndex();
    if (k >= 0 && k < m_entries.size()) {
        const QString type = m_entries.at(k).dataType;
        if (type == QLatin1String("DATETIME")) {
            txtActFind->hide();
            fraMatch->hide();
            lbl->show();
            DtpFind->show();
            cmdNext->setEnabled(true);
            cmdNext->setText(kStartSearch);
        } else if (type == QLatin1String("INTEGER") || type == QLatin1String("NUMERIC") ||
                   type == QLatin1String("NUMBER") || type == QLatin1String("TEXT")) {
            txtActFind->show();
            fraMatch->show();
            lbl->hide();
            DtpFind->hide();
            cmdNext->setEnabled(false);
        }
    }
    m_afterMatch = false;
    if (!txtActFind->text().trimmed().isEmpty())
        cmdNext->setEnabled(true);
}

void frmFindNew::txtActFind_Change() {
    cmdNext->setEnabled(true);
    cmdNext->setText(kStartSearch);
    m_afterMatch = false;
    if (txtActFind->text().trimmed().isEmpty())
        cmdNext->setEnabled(false);
}

void frmFindNew::optFirstRecord_Click() {
    if (!m_rs || m_rs->isEmpty())
        return;
    m_rs->moveFirst();
    g_rememberedPosition = m_rs->absolutePosition();
    m_afterMatch = false;
    if (m_grid)
        m_grid->syncCurrentRow();
}

void frmFindNew::optCurrentRecord_Click() {
    if (!m_rs)
        return;
    g_rememberedPosition = m_rs->absolutePosition();
    m_afterMatch = false;
}

void frmFindNew::cmdNext_Click() {
    if (cmbLookIn->currentIndex() < 0 && cmbLookIn->count() > 0)
        cmbLookIn->setCurrentIndex(0);
    const int k = cmbLookIn->currentIndex();
    if (!m_rs || m_rs->isEmpty() || k < 0 || k >= m_entries.size())
        return;
    const SearchEntry entry = m_entries.at(k);
    const bool dateColumn = entry.dataType == QLatin1String("DATETIME");
    const QString match = cmbMatch->currentText();

    QString op;
    QVariant value;
    if (dateColumn) {
        op = QStringLiteral("=");
        value = zv::db::toIsoDate(DtpFind->date());
    } else {
        // The text is searched for exactly as typed; a quote in it is just a character.
        const QString v = txtActFind->text();
        if (match == QLatin1String("Equals")) {
            op = QStringLiteral("=");
            value = v;
        } else if (match == QLatin1String("Starts With")) {
            op = QStringLiteral("LIKE");
            value = v + QLatin1Char('%');
        } else {
            op = QStringLiteral("LIKE");
            value = QLatin1Char('%') + v + QLatin1Char('%');
        }
    }

    bool skipCurrent = m_afterMatch;
    const int before = m_rs->absolutePosition();
    if (optFirstRecord->isChecked()) {
        // A search from the first record examines that record too.
        m_rs->moveFirst();
        skipCurrent = false;
    }
    bool found = false;
    try {
        found = m_rs->find(entry.field, op, value, skipCurrent);
    } catch (...) {
        // A criterion the recordset rejects leaves it where it was, and is told.
        if (before >= 1)
            m_rs->setAbsolutePosition(before);
        throw;
    }

    if (found && m_rs->absolutePosition() >= 1) {
        {
            const QSignalBlocker b1(optCurrentRecord);
            const QSignalBlocker b2(optFirstRecord);
            optCurrentRecord->setChecked(true);
        }
        cmdNext->setText(kFindNext);
        g_rememberedPosition = m_rs->absolutePosition();
        m_afterMatch = true;
        if (m_grid)
            m_grid->syncCurrentRow();
        return;
    }

    if (g_rememberedPosition < 1) {
        m_rs->moveFirst();
        cmdNext->setText(kNewSearch);
        m_afterMatch = false;
        if (m_grid)
            m_grid->syncCurrentRow();
        nothingFound(dateColumn, match);
        if (dateColumn)
            DtpFind->setFocus();
        else
            txtActFind->setFocus();
    } else {
        m_rs->setAbsolutePosition(qBound(1, g_rememberedPosition, m_rs->recordCount()));
        m_afterMatch = true;
        if (m_grid)
            m_grid->syncCurrentRow();
        zv::ui::MsgBox(QStringLiteral("ZV has finished searching, No more matches Found"),
                       zv::ui::vbOKOnly + zv::ui::vbInformation, QStringLiteral("Information"));
        if (dateColumn)
            DtpFind->setFocus();
        else
            txtActFind->setFocus();
    }
}

void frmFindNew::nothingFound(bool dateColumn, const QString &match) {
    QString text;
    if (dateColumn)
        text = QStringLiteral("ZV has finished searching, The search item was not found");
    else if (match == QLatin1String("Equals"))
        text = QStringLiteral("ZV has finished searching,The search item was not found");
    else
        text = QStringLiteral("ZV has finished searching, The search item was not found");
    zv::ui::MsgBox(text, zv::ui::vbOKOnly + zv::ui::vbInformation, QStringLiteral("Information"));
}

bool frmFindNew::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::KeyPress) {
        auto *ke = static_cast<QKeyEvent *>(event);
        if (ke->key() == Qt::Key_Return || ke->key() == Qt::Key_Enter) {
            zv::ui::sendTab(static_cast<QWidget *>(watched));
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace zv::query
