#include "ActivityRules.h"
#include "platform/db/Connection.h"
#include "platform/db/Dates.h"

namespace zv::activity {

QList<Frequency> frequencyList(zv::db::Connection &conn) {
    auto rs = conn.query(QStringLiteral("SELECT Sys_Const_Num, Scrn_Const_Desc FROM Sys_Const "
                                        "WHERE SCRN_SHRT_NAME = 'FQ' ORDER BY Scrn_Const_Desc, Sys_Const_Num"));
    QList<Frequency> list;
    for (int i = 0; i < rs.recordCount(); ++i)
        list.append({rs.valueAt(i, 0).toLongLong(), rs.valueAt(i, 1).toString()});
    return list;
}

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

void insertRuleRows(zv::db::Connection &conn, qint64 activityKey, qint64 lineKey, RuleKind kind,
                    MonthlyShape shape, const QList<RuleRow> &rows) {
    const QString head = QStringLiteral("INSERT INTO Actvty_Mast_Freq ");
    for (const RuleRow &r : rows) {
        switch (kind) {
        case RuleKind::AdHoc:
            conn.execute(head + QStringLiteral("(Sys_Actvty_Num, Sys_Actvty_Line_Num, Mnth, Days) VALUES (?, ?, ?, ?)"),
                         {activityKey, lineKey, r.Mnth, r.Days});
            break;
        case RuleKind::Monthly:
            if (shape == MonthlyShape::Dates)
                conn.execute(head + QStringLiteral("(Sys_Actvty_Num, Sys_Actvty_Line_Num, Days) VALUES (?, ?, ?)"),
                             {activityKey, lineKey, r.Days});
            else
                conn.execute(head +
                                 QStringLiteral("(Sys_Actvty_Num, Sys_Actvty_Line_Num, Days, DOW) VALUES (?, ?, ?, ?)"),
                             {activityKey, lineKey, r.Days, r.Dow});
            break;
        case RuleKind::Weekly:
            conn.execute(head + QStringLiteral("(Sys_Actvty_Num, Sys_Actvty_Line_Num, DOW) VALUES (?, ?, ?)"),
                         {activityKey, lineKey, r.Dow});
            break;
        case RuleKind::NoRule:
            break;
        }
    }
}

MonthlyShape loadRuleCells(zv::db::Connection &conn, qint64 lineKey, RuleKind kind, RuleCells &cells) {
    const auto inRange = [](const QVariant &v, int high) {
        const int n = v.toInt();
        return n >= 1 && n <= high ? n : 0;
    };
    MonthlyShape shape = MonthlyShape::Dates;
    switch (kind) {
    case RuleKind::AdHoc: {
        cells.clearAdhoc();
        auto rs = conn.query(QStringLiteral("SELECT Mnth, Days FROM Actvty_Mast_Freq WHERE Sys_Actvty_Line_Num = ?"),
                             {lineKey});
        for (int i = 0; i < rs.recordCount(); ++i) {
            const int m = inRange(rs.valueAt(i, 0), 12), d = inRange(rs.valueAt(i, 1), 31);
            if (m && d)
                cells.AdhocCells[m - 1][d - 1] = 1;
        }
        break;
    }
    case RuleKind::Monthly: {
        cells.clearMonthDays();
        cells.clearMonthWeeks();
        const bool nth = !conn.query(QStringLiteral("SELECT 1 FROM Actvty_Mast_Freq WHERE Sys_Actvty_Line_Num = ? "
                                                    "AND DOW > 0 AND Days > 0 LIMIT 1"),
                                     {lineKey})
                              .isEmpty();
        if (nth) {
            shape = MonthlyShape::NthWeekday;
            auto rs = conn.query(
                QStringLiteral("SELECT Days, DOW FROM Actvty_Mast_Freq WHERE Sys_Actvty_Line_Num = ?"), {lineKey});
            for (int i = 0; i < rs.recordCount(); ++i) {
                const int o = inRange(rs.valueAt(i, 0), 5), k = inRange(rs.valueAt(i, 1), 7);
                if (o && k)
                    cells.MonthWeekCells[o - 1][k - 1] = 1;
            }
        } else {
            auto rs = conn.query(QStringLiteral("SELECT Days FROM Actvty_Mast_Freq WHERE Sys_Actvty_Line_Num = ?"),
                                 {lineKey});
            for (int i = 0; i < rs.recordCount(); ++i)
                if (const int d = inRange(rs.valueAt(i, 0), 31))
                    cells.MonthDayCells[d - 1] = 1;
        }
        break;
    }
    case RuleKind::Weekly: {
        cells.clearWeek();
        auto rs = conn.query(QStringLiteral("SELECT DOW FROM Actvty_Mast_Freq WHERE Sys_Actvty_Line_Num = ?"),
                             {lineKey});
        for (int i = 0; i < rs.recordCount(); ++i)
            if (const int k = inRange(rs.valueAt(i, 0), 7))
                cells.WeekCells[k - 1] = 1;
        break;
    }
    case RuleKind::NoRule:
        break;
    }
    return shape;
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

QVariant latestExpectedDate(zv::db::Connection &conn, qint64 lineKey) {
    return conn.scalar(QStringLiteral("SELECT MAX(Expctd_Date) FROM Statry_Cmpltd_Entry WHERE Sys_Actvty_Line_Num = ?"),
                       {lineKey});
}

void updateLastGeneratedDate(zv::db::Connection &conn, qint64 lineKey) {
    // One statement: the maximum is read and written together.
    conn.execute(QStringLiteral("UPDATE Actvty_Mast_Det SET Last_Gnrtd_Date = "
                                "(SELECT MAX(Expctd_Date) FROM Statry_Cmpltd_Entry SC "
                                "WHERE SC.Sys_Actvty_Line_Num = Actvty_Mast_Det.Sys_Actvty_Line_Num) "
                                "WHERE Sys_Actvty_Line_Num = ?"),
                 {lineKey});
}

void fillMissingLastGeneratedDates(zv::db::Connection &conn, qint64 activityKey) {
    conn.execute(QStringLiteral("UPDATE Actvty_Mast_Det SET Last_Gnrtd_Date = "
                                "(SELECT MAX(Expctd_Date) FROM Statry_Cmpltd_Entry SC "
                                "WHERE SC.Sys_Actvty_Line_Num = Actvty_Mast_Det.Sys_Actvty_Line_Num) "
                                "WHERE Sys_Actvty_Num = ? AND Last_Gnrtd_Date IS NULL"),
                 {activityKey});
}

} // namespace zv::activity
