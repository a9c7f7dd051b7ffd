#pragma once
#include "ActivityStore.h"
#include "FrequencyPicker.h"
#include "dateinput/clsDATEVALIDATE.h"
#include "platform/ui/ComboKeyFilter.h"
#include "platform/ui/KeyPreview.h"
#include <QGroupBox>
#include <functional>
#include <memory>
#include <vector>

class QComboBox;
class QLineEdit;

namespace zv::activity {

class KeyListModel;

// The detail frame of the Activity Master: a line's dates, department,
// responsible person, assigner and frequency with its picker; the lists, the
// checks of a line and the line as it is to be written. The form decides the
// modes and does the saving.
class ActivityLines : public QGroupBox {
    Q_OBJECT
public:
    // store hands out the activity store on the main connection; status shows
    // a coded status (code, prefix, suffix); tell tells a failure of a change
    // the user made in the frame's lists (the form's teller).
    using StoreSource = std::function<ActivityStore()>;
    using Status = std::function<void(const QString &, const QString &, const QString &)>;
    // entryText reads the activity's date of entry as typed.
    ActivityLines(StoreSource store, Status status, std::function<QString()> entryText, zv::ui::Teller tell,
                  QWidget *parent);
    ~ActivityLines() override;

    QLineEdit *txtStartDate = nullptr;
    QLineEdit *txtEndDate = nullptr;
    QComboBox *cmbDept = nullptr;
    QComboBox *CmbResP = nullptr;
    QComboBox *cmbAssignedBy = nullptr;
    QComboBox *cmbFreq = nullptr;
    FrequencyPicker *picker = nullptr;

    // The frame's keys on the form's key preview.
    void attachKeys(zv::ui::KeyPreview *keys);
    void detachKeys(zv::ui::KeyPreview *keys);

    // The frame's lists as read from the store.
    struct Lists {
        QList<NamedKey> departments;
        QList<Frequency> frequencies;
        QList<NamedKey> employees;
    };
    // A line as the frame shows it: read whole before any of it is shown.
    struct ShownLine {
        ActivityLine line;
        bool generated = false;
        QString assigner;
        RuleKind kind = RuleKind::NoRule;
        MonthlyShape shape = MonthlyShape::Dates;
        RuleCells cells;
    };
    // The reads come first, the showing after: a read that fails changes nothing.
    Lists readLists();
    // What showing the line needs, its rule taken by the line's place in
    // frequencies (the list it will be shown with; by default the one on show).
    ShownLine readLine(const ActivityLine &line, bool generated, const QList<Frequency> &frequencies);
    ShownLine readLine(const ActivityLine &line, bool generated) { return readLine(line, generated, m_frequencies); }

    // A new line: the lists shown, every field open, the start date the day
    // after latestEnd (blank without one), the picker hidden.
    void startAdd(const QDate &latestEnd, const Lists &lists);
    // The line shown in the fields, its rule in the picker; once it has
    // generated entries only its end date stays open.
    void showLine(const ShownLine &shown);
    // Every field read-only.
    void lockFields();
    void clearFields();
    // Whether the line shown may be written anew (it has no generated entries).
    bool rewritable() const;

    // The date rules (against the line's last generated date when a shown
    // line has one); on a failure its status is shown and false returned.
    bool checkDates();
    // Every rule of a line of the activity (except: the line modified, or 0).
    bool check(qint64 activity, qint64 except);
    // The line as checked, to be written.
    LineInput input(qint64 activity) const;
    QDate endDate() const { return m_end.date; }
    // The line's department or responsible person was deleted meanwhile: that
    // list is read again, its box cleared and the choice asked for (ZVE165);
    // the other fields keep what was typed.
    void choiceGone(bool department);

signals:
    // A field changed by the user: the form clears its status.
    void edited();

private:
    void showLists(const Lists &lists);
    void frequencyChanged();
    // The list's text changed (not by a key typed in it, whose handler checks),
    // and the list reported a choice: a choice changes the text first, then is
    // reported, and is checked once.
    void frequencyTextChanged();
    void frequencyChosen();
    // The frequency whose cells the picker shows, back in the list.
    void restoreFrequency();
    void listChanged(QComboBox *list);
    bool refuse(QWidget *focus, const QString &code, const QString &prefix, const QString &suffix = QString());
    DateField dateField(const QString &validated) const;
    QString validateBox(QLineEdit *box, bool required, const QString &caption);
    RuleKind freqKind() const;

    StoreSource m_store;
    Status m_status;
    std::function<QString()> m_entryText;
    zv::ui::Teller m_tell;
    QList<Frequency> m_frequencies;   // the frequency list on show
    int m_pickedFrequency = -1;       // its entry whose cells the picker shows
    QDate m_lastGenerated;
    bool m_generated = false;   // the line shown has generated entries
    KeyListModel *m_employees = nullptr;
    bool m_settingUp = false;
    bool m_inFreqChange = false;
    bool m_typing = false;   // a key typed in the frequency list is being handled
    // The frequency entry a change of the text was last handled for, until the
    // list reports the choice; kNoneHandled when none is pending.
    static constexpr int kNoneHandled = -2;
    int m_freqHandled = kNoneHandled;
    DateField m_start;
    DateField m_end;
    clsDATEVALIDATE m_startDateBox;
    clsDATEVALIDATE m_endDateBox;
    clsDATEVALIDATE m_checkDate;
    zv::ui::ComboKeyFilter m_comboKeys;
    std::vector<std::unique_ptr<zv::ui::KeyFunctions>> m_keys;
};

} // namespace zv::activity
