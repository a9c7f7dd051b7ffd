#include "ActivityRules.h"
#include "platform/db/Dates.h"

namespace zv::activity {

RuleKind ruleKindAt(int position) {
    switch (position) {
    case 0:
        return RuleKind::AdHoc;
    case 2:
        return RuleKind::Monthly;
    case 3:
        return RuleKind::Weekly;
    default:
        return RuleKind::NoRule;
    }
}

QString weekdayName(int k) {
    static const char *const names[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                        "Thursday", "Friday", "Saturday"};
    return k >= 1 && k <= 7 ? QString::fromLatin1(names[k - 1]) : QString();
}

int weekdayOf(const QDate &d) { return zv::db::vbWeekday(d); }

int adhocYear(int month, const QDate &start) {
    return month >= start.month() ? start.year() : start.year() + 1;
}

bool isAdhocDate(int month, int day, const QDate &start) {
    if (!start.isValid() || month < 1 || month > 12)
        return false;
    return QDate::isValid(adhocYear(month, start), month, day);
}

QList<RuleRow> ruleRows(const RuleCells &cells, RuleKind kind, MonthlyShape shape, const QDate &start) {
    QList<RuleRow> rows;
    switch (kind) {
    case RuleKind::AdHoc:
        for (int m = 0; m < 12; ++m)
            for (int d = 0; d < 31; ++d)
                if (cells.AdhocCells[m][d] == 1 && isAdhocDate(m + 1, d + 1, start))
                    rows.append({m + 1, 0, d + 1});
        break;
    case RuleKind::Monthly:
        if (shape == MonthlyShape::Dates) {
            for (int d = 0; d < 31; ++d)
                if (cells.MonthDayCells[d] == 1)
                    rows.append({0, 0, d + 1});
        } else {
            for (int o = 0; o < 5; ++o)
                for (int k = 0; k < 7; ++k)
                    if (cells.MonthWeekCells[o][k] == 1)
                        rows.append({0, k + 1, o + 1});
        }
        break;
    case RuleKind::Weekly:
        for (int k = 0; k < 7; ++k)
            if (cells.WeekCells[k] == 1)
                rows.append({0, k + 1, 0});
        break;
    case RuleKind::NoRule:
        break;
    }
    return rows;
}

std::optional<RuleFailure> checkLineDates(const DateField &entry, const DateField &start, const DateField &end,
                                          const QDate &periodStart, const QDate &periodEnd,
                                          const QDate &lastGenerated) {
    using F = DateFocus;
    const QString startCaption = QStringLiteral("Activity Start Date");
    const QString endCaption = QStringLiteral("Activity End Date");
    if (start.state == DateField::Invalid)
        return RuleFailure{QStringLiteral("ZVE009"), QString(), QStringLiteral("Date"), F::StartDate};
    if (start.state == DateField::Blank)
        return RuleFailure{QStringLiteral("ZVE128"), startCaption, QString(), F::StartDate};
    if (entry.state == DateField::Valid && entry.date > start.date)
        return RuleFailure{QStringLiteral("ZVE029"), startCaption, QStringLiteral("Date Of Entry"), F::StartDate};
    if (end.state == DateField::Invalid)
        return RuleFailure{QStringLiteral("ZVE009"), QString(), QStringLiteral("Date"), F::EndDate};
    if (end.state == DateField::Blank)
        return RuleFailure{QStringLiteral("ZVE128"), endCaption, QString(), F::EndDate};
    if (end.date < start.date)
        return RuleFailure{QStringLiteral("ZVE029"), endCaption, startCaption, F::EndDate};
    const auto inPeriod = [&](const QDate &d) {
        return periodStart.isValid() && periodEnd.isValid() && d >= periodStart && d <= periodEnd;
    };
    if (!inPeriod(start.date) || !inPeriod(end.date))
        return RuleFailure{QStringLiteral("ZVE176"), QString(), QString(), F::EndDate};
    if (lastGenerated.isValid() && end.date < lastGenerated)
        return RuleFailure{QStringLiteral("ZVE029"), endCaption, QStringLiteral("Last Generated Date"), F::EndDate};
    return std::nullopt;
}

} // namespace zv::activity
