// The Activity Master's detail frame: the line's fields and lists, the checks
// of a line, and the line as it is to be written.
#include "ActivityLines.h"
#include "ActivityLayout.h"
#include "dateinput/DateText.h"
#include "platform/db/Dates.h"
#include "platform/ui/KeyFilter.h"
#include "platform/ui/Ui.h"
#include "platform/ui/VbKeys.h"
#include <QAbstractListModel>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QScopeGuard>
#include <QTabWidget>

using namespace zv::ui;
using zv::dateinput::kMonthNameMask;

namespace zv::activity {

// A list of names with their keys, for a combo box: filled in one go, so a
// list of many thousand employees costs no more than the copy of its names.
class KeyListModel : public QAbstractListModel {
public:
    using QAbstractListModel::QAbstractListModel;
    void setEntries(QList<NamedKey> entries) {
        beginResetModel();
        m_entries = std::move(entries);
        endResetModel();
    }
    int rowCount(const QModelIndex &parent = QModelIndex()) const override {
        return parent.isValid() ? 0 : int(m_entries.size());
    }
    QVariant data(const QModelIndex &index, int role) const override {
        if (!index.isValid() || index.row() >= m_entries.size())
            return {};
        const NamedKey &e = m_entries.at(index.row());
        if (role == Qt::DisplayRole || role == Qt::EditRole)
            return e.name;
        if (role == Qt::UserRole)
            return e.key;
        return {};
    }

private:
    QList<NamedKey> m_entries;
};

namespace {

void fill(QComboBox *list, const QList<NamedKey> &entries) {
    list->clear();
    for (const NamedKey &e : entries)
        list->addItem(e.name, e.key);
}

// The entry of the key, else the one spelled as text, else the text alone.
void choose(QComboBox *c, qint64 key, const QString &text) {
    int i = c->findData(key);
    if (i < 0)
        i = c->findText(text, Qt::MatchFixedString);
    c->setCurrentIndex(i);
    if (i < 0)
        c->setEditText(text);
}

} // namespace

ActivityLines::ActivityLines(StoreSource store, Status status, std::function<QString()> entryText,
                             zv::ui::Teller tell, QWidget *parent)
    : QGroupBox(QStringLiteral("Schedule Details"), parent), m_store(std::move(store)), m_status(std::move(status)),
      m_entryText(std::move(entryText)), m_tell(std::move(tell)) {
    setObjectName(QStringLiteral("fraDet"));
    setAutoFillBackground(true);
    const auto label = [this](const QString &text, int left, int top) {
        auto *l = new QLabel(text, this);
        place(l, left, top, 1900, 315);
    };
    const auto dateBox = [this](const char *name, int left, int top) {
        auto *box = new QLineEdit(this);
        box->setObjectName(QString::fromLatin1(name));
        box->setMaxLength(11);
        place(box, left, top, 1500, 315);
        // At least as wide as the widest date at the font in use.
        int widest = 0;
        for (int m = 1; m <= 12; ++m)
            widest = std::max(widest, box->fontMetrics().horizontalAdvance(zv::db::toDisplayDate(QDate(2004, m, 28))));
        box->setMinimumWidth(widest + 12);
        box->resize(std::max(box->width(), box->minimumWidth()), box->height());
        return box;
    };
    const auto combo = [this](const char *name, int top, int width) {
        auto *c = new QComboBox(this);
        c->setObjectName(QString::fromLatin1(name));
        c->setEditable(true);
        c->setInsertPolicy(QComboBox::NoInsert);
        c->setCompleter(nullptr);
        c->setMaxVisibleItems(12);
        // Placed by hand: its width never follows its entries.
        c->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        // Rows of one height: the list lays out its entries without measuring each.
        if (auto *view = qobject_cast<QListView *>(c->view()))
            view->setUniformItemSizes(true);
        place(c, kFreqLeft, top, width, kFreqHeight);
        return c;
    };
    label(QStringLiteral("Activity Start Date*"), 240, 420);
    txtStartDate = dateBox("txtStartDate", 2160, 390);
    label(QStringLiteral("Activity End Date*"), 4200, 420);
    txtEndDate = dateBox("txtEndDate", 6000, 390);
    label(QStringLiteral("Department*"), 240, 840);
    cmbDept = combo("cmbDept", 810, kComboWidth);
    label(QStringLiteral("Responsible Person*"), 240, 1260);
    CmbResP = combo("CmbResP", 1230, kComboWidth);
    label(QStringLiteral("Assigned By"), 240, 1680);
    cmbAssignedBy = combo("cmbAssignedBy", 1650, kComboWidth);
    cmbAssignedBy->setEnabled(false);
    label(QStringLiteral("Frequency*"), 240, 2100);
    cmbFreq = combo("cmbFreq", kFreqTop, 3000);
    picker = new FrequencyPicker(this);
    m_employees = new KeyListModel(this);
    CmbResP->setModel(m_employees);
    place(this, 180, 0, 13200, 5900);
    hide();

    connect(picker, &FrequencyPicker::touched, this, &ActivityLines::edited);
    for (QLineEdit *box : {txtStartDate, txtEndDate})
        connect(box, &QLineEdit::textChanged, this, &ActivityLines::edited);
    for (QComboBox *list : {cmbDept, CmbResP}) {
        connect(list, &QComboBox::editTextChanged, this, [this, list] { listChanged(list); });
        connect(list, &QComboBox::activated, this, [this, list] { listChanged(list); });
    }
    // A change of the frequency is the user's action: its check may fail. A
    // choice from the list changes the text, then reports itself: one check.
    connect(cmbFreq, &QComboBox::editTextChanged, this, asAction([this] { frequencyTextChanged(); }, m_tell));
    connect(cmbFreq, &QComboBox::activated, this, asAction([this] { frequencyChosen(); }, m_tell));
}

ActivityLines::~ActivityLines() = default;

void ActivityLines::attachKeys(KeyPreview *keys) {
    m_startDateBox.setTxtdate(txtStartDate, keys);
    m_endDateBox.setTxtdate(txtEndDate, keys);
    // Combo boxes: typed text is matched against the list.
    const auto comboKeys = [this, keys](QComboBox *combo, std::function<void(int &, int)> down,
                                        std::function<void(int &)> press) {
        auto h = std::make_unique<KeyFunctions>();
        h->down = std::move(down);
        h->press = std::move(press);
        keys->setControlHandler(combo, h.get());
        m_keys.push_back(std::move(h));
    };
    comboKeys(cmbDept, {}, [this](int &KeyAscii) { KeyAscii = m_comboKeys.KeyPress(cmbDept, KeyAscii); });
    comboKeys(CmbResP, {}, [this](int &KeyAscii) {
        KeyAscii = m_comboKeys.KeyPress(CmbResP, KeyAscii);
        listChanged(CmbResP);
    });
    comboKeys(
        cmbFreq,
        [](int &KeyCode, int) {
            if (KeyCode == vbKey::Delete)
                KeyCode = 0;
        },
        [this](int &KeyAscii) {
            if (KeyAscii == vbKey::Back) {
                KeyAscii = 0;
                return;
            }
            {
                // The text the filter completes is this key's, checked below.
                SettingUp typing(m_typing);
                KeyAscii = m_comboKeys.KeyPress(cmbFreq, KeyAscii);
            }
            m_freqHandled = kNoneHandled;
            frequencyChanged();
        });
    auto picKeys = std::make_unique<KeyFunctions>();
    picKeys->down = [this](int &KeyCode, int Shift) { picker->keyDown(KeyCode, Shift); };
    picKeys->up = [this](int &KeyCode, int Shift) { picker->keyUp(KeyCode, Shift); };
    keys->setControlHandler(picker->PicMain, picKeys.get());
    m_keys.push_back(std::move(picKeys));
}

void ActivityLines::detachKeys(KeyPreview *keys) {
    for (QWidget *w : std::initializer_list<QWidget *>{cmbDept, CmbResP, cmbFreq, picker->PicMain})
        keys->setControlHandler(w, nullptr);
}

// ---------------------------------------------------------------- states

void ActivityLines::lockFields() {
    for (QWidget *w : std::initializer_list<QWidget *>{txtStartDate, txtEndDate, cmbDept, CmbResP, cmbFreq})
        setFieldEnabled(w, false);
}

void ActivityLines::clearFields() {
    SettingUp guard(m_settingUp);
    txtStartDate->setText(kMonthNameMask);
    txtEndDate->setText(kMonthNameMask);
    for (QComboBox *c : {cmbDept, CmbResP, cmbFreq}) {
        c->setCurrentIndex(-1);
        c->setEditText(QString());
    }
    m_pickedFrequency = -1;
}

bool ActivityLines::rewritable() const { return !m_generated; }

RuleKind ActivityLines::freqKind() const { return ruleKindAt(cmbFreq->currentIndex()); }

ActivityLines::Lists ActivityLines::readLists() {
    ActivityStore store = m_store();
    // Every employee, read afresh: one added or removed meanwhile is offered or gone.
    return {store.departments(), store.frequencies(), store.employees()};
}

void ActivityLines::showLists(const Lists &lists) {
    SettingUp guard(m_settingUp);
    fill(cmbDept, lists.departments);
    cmbFreq->clear();
    for (const Frequency &f : lists.frequencies)
        cmbFreq->addItem(f.desc, f.key);
    m_frequencies = lists.frequencies;
    m_employees->setEntries(lists.employees);
}

ActivityLines::ShownLine ActivityLines::readLine(const ActivityLine &line, bool generated,
                                                 const QList<Frequency> &frequencies) {
    ShownLine shown;
    shown.line = line;
    shown.generated = generated;
    // The frequency's entry as showLine chooses it: by key, else by name.
    int position = -1;
    for (int i = 0; i < frequencies.size() && position < 0; ++i)
        if (frequencies.at(i).key == line.freq)
            position = i;
    for (int i = 0; i < frequencies.size() && position < 0; ++i)
        if (frequencies.at(i).desc.compare(line.freqName, Qt::CaseInsensitive) == 0)
            position = i;
    shown.kind = ruleKindAt(position);
    ActivityStore store = m_store();
    if (line.assignBy > 0)
        shown.assigner = store.employeeName(line.assignBy);
    shown.cells = picker->cells;
    if (shown.kind != RuleKind::NoRule)
        shown.shape = store.loadRules(line.line, shown.kind, shown.cells);
    return shown;
}

void ActivityLines::choiceGone(bool department) {
    ActivityStore store = m_store();
    {
        SettingUp guard(m_settingUp);
        if (department)
            fill(cmbDept, store.departments());
        else
            m_employees->setEntries(store.employees());
        QComboBox *list = department ? cmbDept : CmbResP;
        list->setCurrentIndex(-1);
        list->setEditText(QString());
    }
    if (department)
        refuse(cmbDept, QStringLiteral("ZVE165"), QStringLiteral("Department"));
    else
        refuse(CmbResP, QStringLiteral("ZVE165"), QStringLiteral("Responsible Person"));
}

void ActivityLines::startAdd(const QDate &latestEnd, const Lists &lists) {
    showLists(lists);
    {
        SettingUp guard(m_settingUp);
        cmbAssignedBy->setEditText(QStringLiteral("ADMIN"));
    }
    for (QWidget *w : std::initializer_list<QWidget *>{txtStartDate, txtEndDate, cmbDept, CmbResP, cmbFreq})
        setFieldEnabled(w, true);
    clearFields();
    m_lastGenerated = QDate();
    m_generated = false;
    if (latestEnd.isValid()) {
        SettingUp guard(m_settingUp);
        txtStartDate->setText(zv::db::toDisplayDate(latestEnd.addDays(1)));
    }
    move(twipsToPixels(180), y());
    setTitle(QStringLiteral("Schedule Details"));
    show();
    raise();
    picker->hide();
    picker->PicMain->setEnabled(true);
    for (QTabWidget *tabs : {picker->sstAdhoc, picker->sstMnth})
        tabs->setEnabled(true);
    txtStartDate->setFocus();
}

void ActivityLines::showLine(const ShownLine &shown) {
    const ActivityLine &line = shown.line;
    {
        SettingUp guard(m_settingUp);
        txtStartDate->setText(line.start.isValid() ? zv::db::toDisplayDate(line.start) : kMonthNameMask);
        txtEndDate->setText(line.end.isValid() ? zv::db::toDisplayDate(line.end) : kMonthNameMask);
        // The line's own department, person and frequency by key: names need not be unique.
        choose(cmbFreq, line.freq, line.freqName);
        choose(cmbDept, line.dept, line.deptName);
        choose(CmbResP, line.emp, line.empName);
        cmbAssignedBy->setEditText(shown.assigner.trimmed().isEmpty() ? QStringLiteral("ADMIN") : shown.assigner);
    }
    m_pickedFrequency = cmbFreq->currentIndex();
    m_lastGenerated = line.lastGenerated;
    m_generated = shown.generated;
    picker->PicMain->setEnabled(true);
    // Once schedule entries were generated only the end date may change.
    if (shown.generated) {
        for (QWidget *w : std::initializer_list<QWidget *>{txtStartDate, cmbDept, CmbResP, cmbFreq})
            setFieldEnabled(w, false);
        picker->setPickable(false);
    }
    if (shown.kind != RuleKind::NoRule) {
        picker->cells = shown.cells;
        picker->showLoaded(shown.kind, line.start, shown.shape);
    }
    if (txtStartDate->isEnabled() && txtStartDate->isVisible())
        txtStartDate->setFocus();
    else if (txtEndDate->isEnabled() && txtEndDate->isVisible())
        txtEndDate->setFocus();
}

// ---------------------------------------------------------------- lists

// The department and the responsible person: typed text is matched against the list.
void ActivityLines::listChanged(QComboBox *list) {
    if (m_settingUp)
        return;
    m_comboKeys.Change(list, true);
    emit edited();
}

void ActivityLines::frequencyChanged() {
    if (m_settingUp || m_inFreqChange)
        return;
    SettingUp guard(m_inFreqChange);
    m_comboKeys.Change(cmbFreq, true);
    if (cmbFreq->currentIndex() < 0)
        return;
    bool datesHold = false;
    try {
        datesHold = checkDates();
    } catch (...) {
        // Dates that could not be checked decide nothing: the frequency whose
        // cells are on show stays chosen.
        restoreFrequency();
        throw;
    }
    if (!datesHold) {
        SettingUp quiet(m_settingUp);
        cmbFreq->setCurrentIndex(-1);
        cmbFreq->setEditText(QString());
        m_pickedFrequency = -1;
        return;
    }
    m_pickedFrequency = cmbFreq->currentIndex();
    picker->begin(freqKind(), zv::db::fromDisplayDate(txtStartDate->text()));
}

void ActivityLines::frequencyTextChanged() {
    if (m_settingUp || m_inFreqChange || m_typing)
        return;
    const auto handled = qScopeGuard([this] { m_freqHandled = cmbFreq->currentIndex(); });
    frequencyChanged();
}

void ActivityLines::frequencyChosen() {
    const bool handled = cmbFreq->currentIndex() == m_freqHandled;
    m_freqHandled = kNoneHandled;
    if (!handled)
        frequencyChanged();
}

void ActivityLines::restoreFrequency() {
    SettingUp quiet(m_settingUp);
    cmbFreq->setCurrentIndex(m_pickedFrequency);
    if (m_pickedFrequency < 0)
        cmbFreq->setEditText(QString());
}

// ---------------------------------------------------------------- checks

bool ActivityLines::refuse(QWidget *focus, const QString &code, const QString &prefix, const QString &suffix) {
    m_status(code, prefix, suffix);
    setMousePointer(0);
    if (focus && focus->isEnabled() && focus->isVisible())
        focus->setFocus();
    return false;
}

QString ActivityLines::validateBox(QLineEdit *box, bool required, const QString &caption) {
    return m_checkDate.validateDate(
        box->text(),
        [this](const QString &code, const QString &prefix, const QString &suffix) { m_status(code, prefix, suffix); },
        QStringLiteral("dd-MMM-yyyy"), required, QString(), caption);
}

DateField ActivityLines::dateField(const QString &validated) const {
    if (validated.isEmpty())
        return DateField::invalid();
    if (validated == kMonthNameMask || validated == zv::dateinput::kMonthNameMaskSlashed)
        return DateField::blank();
    const QDate d = zv::dateinput::dateOfValidated(validated);
    return d.isValid() ? DateField::valid(d) : DateField::invalid();
}

bool ActivityLines::checkDates() {
    // The period first: a read that fails leaves the boxes as typed.
    const auto [periodStart, periodEnd] = m_store().period();
    const DateField entry = dateField(m_checkDate.validateDateWithOutTBL(m_entryText(), QStringLiteral("dd-MMM-yyyy"),
                                                                         false, QString()));
    m_start = dateField(validateBox(txtStartDate, true, QStringLiteral("Activity Start Date")));
    m_end = dateField(validateBox(txtEndDate, true, QStringLiteral("Activity End Date")));
    const auto failure = checkLineDates(entry, m_start, m_end, periodStart, periodEnd, m_lastGenerated);
    if (failure)
        return refuse(failure->focus == DateFocus::StartDate ? txtStartDate : txtEndDate, failure->code,
                      failure->prefix, failure->suffix);
    SettingUp guard(m_settingUp);
    txtStartDate->setText(zv::db::toDisplayDate(m_start.date));
    txtEndDate->setText(zv::db::toDisplayDate(m_end.date));
    return true;
}

bool ActivityLines::check(qint64 activity, qint64 except) {
    if (!checkDates())
        return false;
    // A list's text must name one of its entries: that entry's key is stored.
    const auto chosen = [this](QComboBox *c) {
        const QString text = c->currentText().trimmed();
        if (text.isEmpty())
            return false;
        const int i = c->findText(text, Qt::MatchFixedString);
        if (i < 0)
            return false;
        if (c->currentIndex() != i) {
            SettingUp guard(m_settingUp);
            c->setCurrentIndex(i);
        }
        return true;
    };
    if (!chosen(cmbDept))
        return refuse(cmbDept, QStringLiteral("ZVE165"), QStringLiteral("Department"));
    if (!chosen(cmbFreq))
        return refuse(cmbFreq, QStringLiteral("ZVE119"), QStringLiteral("Frequency"));
    if (!chosen(CmbResP))
        return refuse(CmbResP, QStringLiteral("ZVE165"), QStringLiteral("Responsible Person"));

    const RuleKind kind = freqKind();
    if (kind != RuleKind::NoRule && ruleRows(picker->cells, kind, picker->monthlyShape(), m_start.date).isEmpty()) {
        const QString prefix = kind == RuleKind::AdHoc     ? QStringLiteral("At least any one of the Ad-Hoc Date")
                               : kind == RuleKind::Monthly ? QStringLiteral("At least any one of the Monthly Date")
                                                           : QStringLiteral("At least any one of the Weekly Day");
        m_status(QStringLiteral("ZVE119"), prefix, QString());
        setMousePointer(0);
        cmbFreq->setFocus();
        return false;
    }
    // Lines of one activity never share a day, bounds included.
    if (m_store().overlaps(activity, m_start.date, m_end.date, except))
        return refuse(txtEndDate, QStringLiteral("ZVE175"), QString());
    return true;
}

LineInput ActivityLines::input(qint64 activity) const {
    LineInput in;
    in.activity = activity;
    in.dept = cmbDept->currentData().toLongLong();
    in.emp = CmbResP->currentData().toLongLong();
    in.freq = cmbFreq->currentData().toLongLong();
    in.start = m_start.date;
    in.end = m_end.state == DateField::Valid ? m_end.date : QDate();
    in.kind = freqKind();
    in.shape = picker->monthlyShape();
    in.rules = ruleRows(picker->cells, in.kind, in.shape, in.start);
    return in;
}

} // namespace zv::activity
