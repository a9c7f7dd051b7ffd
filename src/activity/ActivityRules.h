#pragma once
#include <QDate>
#include <QList>
#include <QString>
#include <QVariant>
#include <array>
#include <optional>

// The activity tables' rules that do not belong to one form: the kind of
// rule each position in the frequency list takes, the rule rows of a line and
// the cells of the picker they come from, and the line date rules. Reading
// and writing them is the store's (ActivityStore.h).
namespace zv::activity {

// ------------------------------------------------------------ frequency list

// A frequency of Sys_Const ('FQ'): the key stored in Actvty_Mast_Det.Sys_Const_Num.
struct Frequency {
    qint64 key = 0;
    QString desc;
};

// A frequency's position in the list of frequencies ordered by description
// (ActivityStore::frequencies), not its key or text, decides its kind of rule.
enum class RuleKind {
    AdHoc,     // position 0: chosen dates of chosen months (Mnth, Days)
    NoRule,    // position 1, and any position past 3: no rule rows
    Monthly,   // position 2: dates of the month (Days) or nth weekday (Days = ordinal, Dow)
    Weekly     // position 3: days of the week (Dow)
};
RuleKind ruleKindAt(int position);

// The monthly rule's two shapes, one per tab of the picker.
enum class MonthlyShape { Dates, NthWeekday };

// ------------------------------------------------------------ weekdays

// Weekday k counts from Sunday = 1 to Saturday = 7.
QString weekdayName(int k);       // 1 -> "Sunday"
int weekdayOf(const QDate &d);    // Sunday = 1

// ------------------------------------------------------------ picked cells

// The picker's selection arrays: 1 picked, 0 not.
struct RuleCells {
    std::array<std::array<qint16, 31>, 12> AdhocCells{};       // (month 0..11, date 0..30)
    std::array<qint16, 31> MonthDayCells{};                    // date 0..30
    std::array<std::array<qint16, 7>, 5> MonthWeekCells{};     // (ordinal 0..4, weekday 0..6)
    std::array<qint16, 7> WeekCells{};                         // weekday 0..6

    void clearAdhoc() { AdhocCells = {}; }
    void clearMonthDays() { MonthDayCells = {}; }
    void clearMonthWeeks() { MonthWeekCells = {}; }
    void clearWeek() { WeekCells = {}; }
};

// The year in which month (1..12) falls on a line that starts on start: the
// start's year from the start's month on, the next year before it. A line
// lies inside one transaction period, which is a year long, so each month
// of it has one year.
int adhocYear(int month, const QDate &start);
// Whether date day of month is a day that month has in the year it falls in
// on a line starting on start; false without a valid start.
bool isAdhocDate(int month, int day, const QDate &start);

// One rule row: a column a shape does not use is 0.
struct RuleRow {
    int Mnth = 0;
    int Dow = 0;
    int Days = 0;
    bool operator==(const RuleRow &o) const = default;
};

// The rows of the picked cells of a line of the given kind, in the order
// they are written: months then dates, dates, ordinals then weekdays,
// weekdays, each ascending. Ad-hoc picks of days the line's month does not
// have (start: the line's start date) are left out.
QList<RuleRow> ruleRows(const RuleCells &cells, RuleKind kind, MonthlyShape shape, const QDate &start);

// ------------------------------------------------------------ line dates

// A date field as the date-entry object read it.
struct DateField {
    enum State { Invalid, Blank, Valid };
    State state = Blank;
    QDate date;
    static DateField valid(const QDate &d) { return {Valid, d}; }
    static DateField blank() { return {Blank, {}}; }
    static DateField invalid() { return {Invalid, {}}; }
};

// The field a failing rule puts the focus on.
enum class DateFocus { StartDate, EndDate };

struct RuleFailure {
    QString code;
    QString prefix;
    QString suffix;
    DateFocus focus = DateFocus::StartDate;
};

// The date rules of a line, in order; the first that fails. periodStart and
// periodEnd: the transaction period (invalid: no period, so nothing lies in
// it). lastGenerated: the line's last generated date when it is modified and
// has one, else invalid. An entry date that is not a valid date is not compared.
std::optional<RuleFailure> checkLineDates(const DateField &entry, const DateField &start, const DateField &end,
                                          const QDate &periodStart, const QDate &periodEnd,
                                          const QDate &lastGenerated);

} // namespace zv::activity
