#include "ActivityStore.h"
#include "platform/db/BoundSql.h"
#include "platform/db/Connection.h"
#include "platform/db/Dates.h"
#include <QLocale>
#include <functional>

using zv::db::BoundSql;
using zv::db::dateParam;
using zv::db::fromIsoDate;

namespace zv::activity {

namespace {

bool any(zv::db::Connection &c, const BoundSql &s) {
    return !c.query(s.text + QStringLiteral(" LIMIT 1"), s.params).isEmpty();
}

QList<NamedKey> named(zv::db::Connection &c, const QString &sql) {
    auto rs = c.query(sql);
    QList<NamedKey> out;
    out.reserve(rs.recordCount());
    for (int i = 0; i < rs.recordCount(); ++i)
        out.append({rs.valueAt(i, 0).toLongLong(), rs.valueAt(i, 1).toString()});
    return out;
}

// The grid's lines, or one line by its key; "ADMIN" names the administrator.
const QString kLineSelect = QStringLiteral(
    "SELECT AM.Sys_Actvty_Num, AMD.Sys_Actvty_Line_Num, AMD.Start_Date, AMD.End_Date, "
    "AMD.Last_Gnrtd_Date, AMD.Sys_Dept_Num, AMD.Sys_Emp_Num, AMD.Sys_Const_Num, AMD.Assign_By, "
    "DM.Dept_Desc, EM.Emp_Name, SC.Scrn_Const_Desc, "
    "CASE WHEN AMD.Assign_By = 0 THEN 'ADMIN' ELSE EM1.Emp_Name END "
    "FROM Actvty_Mast AM "
    "JOIN Actvty_Mast_Det AMD ON AM.Sys_Actvty_Num = AMD.Sys_Actvty_Num "
    "LEFT JOIN Dept_Mast DM ON AMD.Sys_Dept_Num = DM.Sys_Dept_Num "
    "LEFT JOIN Emp_Mast EM ON AMD.Sys_Emp_Num = EM.Sys_Emp_Num "
    "LEFT JOIN Sys_Const SC ON AMD.Sys_Const_Num = SC.Sys_Const_Num "
    "LEFT JOIN Emp_Mast EM1 ON AMD.Assign_By = EM1.Sys_Emp_Num ");

// A line's last generated date from its schedule entries, for the lines of a condition.
const QString kSetLastGenerated =
    QStringLiteral("UPDATE Actvty_Mast_Det SET Last_Gnrtd_Date = (SELECT MAX(Expctd_Date) FROM Statry_Cmpltd_Entry SC "
                   "WHERE SC.Sys_Actvty_Line_Num = Actvty_Mast_Det.Sys_Actvty_Line_Num) ");

QList<ActivityLine> readLines(const zv::db::Recordset &rs) {
    QList<ActivityLine> out;
    out.reserve(rs.recordCount());
    for (int i = 0; i < rs.recordCount(); ++i) {
        const auto v = [&](int f) { return rs.valueAt(i, f); };
        ActivityLine l;
        l.activity = v(0).toLongLong();
        l.line = v(1).toLongLong();
        l.start = fromIsoDate(v(2).toString());
        l.end = fromIsoDate(v(3).toString());
        l.lastGenerated = fromIsoDate(v(4).toString());
        l.dept = v(5).toLongLong();
        l.emp = v(6).toLongLong();
        l.freq = v(7).toLongLong();
        l.assignBy = v(8).toLongLong();
        l.deptName = v(9).toString();
        l.empName = v(10).toString();
        l.freqName = v(11).toString();
        l.assignName = v(12).toString();
        out.append(l);
    }
    return out;
}

} // namespace

void ActivityStore::probe() {
    m_conn.query(QStringLiteral("SELECT Sys_Actvty_Num, Entry_Date, Actvty_Desc, Remk, Sys_Lock_Num "
                                "FROM Actvty_Mast WHERE 1=2"));
    m_conn.query(QStringLiteral("SELECT Sys_Actvty_Num, Sys_Actvty_Line_Num, Sys_Dept_Num, Sys_Emp_Num, Start_Date, "
                                "End_Date, Last_Gnrtd_Date, Sys_Const_Num, Assign_By FROM Actvty_Mast_Det WHERE 1=2"));
    m_conn.query(QStringLiteral("SELECT Sys_Actvty_Num, Sys_Actvty_Line_Num, Sys_Actvty_Freq_num, Mnth, Dow, Days "
                                "FROM Actvty_Mast_Freq WHERE 1=2"));
}

// ---------------------------------------------------------------- activities

std::optional<ActivityHeader> ActivityStore::header(qint64 key) {
    auto rs = m_conn.query(
        QStringLiteral("SELECT Entry_Date, Actvty_Desc, Remk FROM Actvty_Mast WHERE Sys_Actvty_Num = ?"), {key});
    if (rs.isEmpty())
        return std::nullopt;
    return ActivityHeader{key, fromIsoDate(rs.valueAt(0, 0).toString()), rs.valueAt(0, 1).toString(),
                          rs.valueAt(0, 2).toString()};
}

bool ActivityStore::exists(qint64 key) {
    return any(m_conn, {QStringLiteral("SELECT 1 FROM Actvty_Mast WHERE Sys_Actvty_Num = ?"), {key}});
}

bool ActivityStore::descriptionTaken(const QString &description, qint64 except) {
    return any(m_conn, {QStringLiteral("SELECT 1 FROM Actvty_Mast WHERE trim(Actvty_Desc) = ? COLLATE NOCASE "
                                       "AND Sys_Actvty_Num <> ?"),
                        {description.trimmed(), except}});
}

qint64 ActivityStore::insertHeader(const ActivityHeader &row) {
    // The row and its lock number together, or neither.
    zv::db::Transaction t(m_conn);
    m_conn.execute(QStringLiteral("INSERT INTO Actvty_Mast (Entry_Date, Actvty_Desc, Remk) VALUES (?, ?, ?)"),
                   {dateParam(row.entryDate), row.description, row.remarks});
    const qint64 key = m_conn.lastInsertId();
    m_conn.execute(QStringLiteral("UPDATE Actvty_Mast SET Sys_Lock_Num = ? WHERE Sys_Actvty_Num = ?"), {key, key});
    t.commit();
    return key;
}

void ActivityStore::updateHeader(const ActivityHeader &row) {
    if (m_conn.execute(QStringLiteral("UPDATE Actvty_Mast SET Entry_Date = ?, Actvty_Desc = ?, Remk = ? "
                                      "WHERE Sys_Actvty_Num = ?"),
                       {dateParam(row.entryDate), row.description, row.remarks, row.key}) != 1)
        throw RowGone{};
}

bool ActivityStore::hasGeneratedLines(qint64 activity) {
    return any(m_conn, {QStringLiteral("SELECT 1 FROM Actvty_Mast_Det WHERE Sys_Actvty_Num = ? "
                                       "AND Last_Gnrtd_Date IS NOT NULL"),
                        {activity}});
}

bool ActivityStore::hasAssignedLines(qint64 activity) {
    return any(m_conn,
               {QStringLiteral("SELECT 1 FROM Actvty_Mast_Det WHERE Sys_Actvty_Num = ? AND Assign_By <> 0"),
                {activity}});
}

bool ActivityStore::hasCompletedEntries(qint64 activity) {
    return any(m_conn, {QStringLiteral("SELECT 1 FROM Statry_Cmpltd_Entry WHERE Sys_Actvty_Num = ? "
                                       "AND Cmpltd_Date IS NOT NULL"),
                        {activity}});
}

bool ActivityStore::deleteActivity(qint64 key) {
    // The schedule entries are held while they go, so nobody edits them
    // meanwhile; all of it goes, or nothing.
    std::vector<std::unique_ptr<zv::db::RowLock>> entryLocks;
    auto entries =
        m_conn.query(QStringLiteral("SELECT Sys_Entry_Num FROM Statry_Cmpltd_Entry WHERE Sys_Actvty_Num = ?"), {key});
    for (int i = 0; i < entries.recordCount(); ++i)
        entryLocks.push_back(m_conn.lockRow(QStringLiteral("Statry_Cmpltd_Entry"), entries.valueAt(i, 0)));
    zv::db::Transaction t(m_conn);
    if (hasCompletedEntries(key))
        return false;
    m_conn.execute(QStringLiteral("DELETE FROM Statry_Cmpltd_Entry WHERE Sys_Actvty_Num = ?"), {key});
    m_conn.execute(QStringLiteral("DELETE FROM Actvty_Mast_Freq WHERE Sys_Actvty_Num = ?"), {key});
    m_conn.execute(QStringLiteral("DELETE FROM Actvty_Mast_Det WHERE Sys_Actvty_Num = ?"), {key});
    if (m_conn.execute(QStringLiteral("DELETE FROM Actvty_Mast WHERE Sys_Actvty_Num = ?"), {key}) != 1)
        throw RowGone{};
    t.commit();
    return true;
}

// ---------------------------------------------------------------- lines

QList<ActivityLine> ActivityStore::lines(qint64 activity) {
    return readLines(m_conn.query(
        kLineSelect + QStringLiteral("JOIN (SELECT Start_Period, End_Period FROM Parm ORDER BY rowid LIMIT 1) P "
                                     "WHERE AM.Sys_Actvty_Num = ? AND AMD.Start_Date BETWEEN P.Start_Period AND "
                                     "P.End_Period AND DM.Sys_Dept_Num IS NOT NULL AND EM.Sys_Emp_Num IS NOT NULL "
                                     "AND SC.Sys_Const_Num IS NOT NULL "
                                     "AND (AMD.Assign_By = 0 OR (AMD.Assign_By > 0 AND EM1.Sys_Emp_Num IS NOT NULL)) "
                                     "ORDER BY AMD.Start_Date"),
        {activity}));
}

std::optional<ActivityLine> ActivityStore::line(qint64 line) {
    const auto found =
        readLines(m_conn.query(kLineSelect + QStringLiteral("WHERE AMD.Sys_Actvty_Line_Num = ?"), {line}));
    if (found.isEmpty())
        return std::nullopt;
    return found.first();
}

bool ActivityStore::lineHasGenerated(qint64 line) {
    return any(m_conn, {QStringLiteral("SELECT 1 FROM Actvty_Mast_Det WHERE Sys_Actvty_Line_Num = ? "
                                       "AND Last_Gnrtd_Date IS NOT NULL"),
                        {line}});
}

bool ActivityStore::lineHasCompletedEntries(qint64 line) {
    return any(m_conn, {QStringLiteral("SELECT 1 FROM Statry_Cmpltd_Entry WHERE Sys_Actvty_Line_Num = ? "
                                       "AND Cmpltd_Date IS NOT NULL"),
                        {line}});
}

QDate ActivityStore::latestEnd(qint64 activity) {
    return fromIsoDate(
        m_conn.scalar(QStringLiteral("SELECT MAX(End_Date) FROM Actvty_Mast_Det WHERE Sys_Actvty_Num = ?"), {activity})
            .toString());
}

bool ActivityStore::overlaps(qint64 activity, const QDate &start, const QDate &end, qint64 except) {
    const QVariant s = dateParam(start), e = dateParam(end);
    return any(m_conn, {QStringLiteral("SELECT 1 FROM Actvty_Mast_Det WHERE Sys_Actvty_Num = ? AND "
                                       "((? BETWEEN Start_Date AND End_Date) OR (? BETWEEN Start_Date AND End_Date) OR "
                                       "(Start_Date BETWEEN ? AND ?) OR (End_Date BETWEEN ? AND ?)) "
                                       "AND Sys_Actvty_Line_Num <> ?"),
                        {activity, s, e, s, e, s, e, except}});
}

qint64 ActivityStore::writeLine(const LineInput &in, qint64 replace) {
    // The line with its rule rows, or nothing: a rewrite that fails keeps the old line.
    zv::db::Transaction t(m_conn);
    if (replace != 0) {
        // Entries the employees' program generated since the line was read
        // tie them to its key: it may no longer be rewritten.
        if (any(m_conn,
                {QStringLiteral("SELECT 1 FROM Statry_Cmpltd_Entry WHERE Sys_Actvty_Line_Num = ?"), {replace}}) ||
            lineHasGenerated(replace))
            throw LineHasEntries{replace};
        m_conn.execute(QStringLiteral("DELETE FROM Actvty_Mast_Freq WHERE Sys_Actvty_Line_Num = ?"), {replace});
        if (m_conn.execute(QStringLiteral("DELETE FROM Actvty_Mast_Det WHERE Sys_Actvty_Line_Num = ? "
                                          "AND Sys_Actvty_Num = ?"),
                           {replace, in.activity}) != 1)
            throw RowGone{};
    }
    // Told apart before the insert, where it would only be a foreign-key failure.
    if (!any(m_conn, {QStringLiteral("SELECT 1 FROM Dept_Mast WHERE Sys_Dept_Num = ?"), {in.dept}}))
        throw ChoiceGone{true};
    if (!any(m_conn, {QStringLiteral("SELECT 1 FROM Emp_Mast WHERE Sys_Emp_Num = ?"), {in.emp}}))
        throw ChoiceGone{false};
    m_conn.execute(QStringLiteral("INSERT INTO Actvty_Mast_Det (Sys_Actvty_Num, Sys_Dept_Num, Sys_Emp_Num, Start_Date, "
                                  "End_Date, Sys_Const_Num) VALUES (?, ?, ?, ?, ?, ?)"),
                   {in.activity, in.dept, in.emp, dateParam(in.start), dateParam(in.end), in.freq});
    const qint64 key = m_conn.lastInsertId();
    insertRules(in.activity, key, in.kind, in.shape, in.rules);
    t.commit();
    return key;
}

void ActivityStore::updateLineEnd(qint64 activity, qint64 line, const QDate &end) {
    if (m_conn.execute(QStringLiteral("UPDATE Actvty_Mast_Det SET End_Date = ? "
                                      "WHERE Sys_Actvty_Num = ? AND Sys_Actvty_Line_Num = ?"),
                       {dateParam(end), activity, line}) != 1)
        throw RowGone{};
}

bool ActivityStore::deleteLine(qint64 activity, qint64 line) {
    zv::db::Transaction t(m_conn);
    m_conn.execute(QStringLiteral("DELETE FROM Statry_Cmpltd_Entry WHERE Sys_Actvty_Line_Num = ?"), {line});
    m_conn.execute(QStringLiteral("DELETE FROM Actvty_Mast_Freq WHERE Sys_Actvty_Line_Num = ?"), {line});
    const bool deleted =
        m_conn.execute(QStringLiteral("DELETE FROM Actvty_Mast_Det WHERE Sys_Actvty_Line_Num = ? "
                                      "AND Sys_Actvty_Num = ?"),
                       {line, activity}) == 1;
    if (deleted)
        t.commit();
    return deleted;
}

void ActivityStore::insertRules(qint64 activityKey, qint64 lineKey, RuleKind kind, MonthlyShape shape,
                                const QList<RuleRow> &rows) {
    // Each row with the columns of its shape only.
    const auto insert = [&](const char *columns, const QVariantList &values) {
        BoundSql sql{QStringLiteral("INSERT INTO Actvty_Mast_Freq (Sys_Actvty_Num, Sys_Actvty_Line_Num, %1) "
                                    "VALUES (?, ?")
                         .arg(QLatin1String(columns)),
                     {activityKey, lineKey}};
        for (const QVariant &v : values)
            sql.add(QStringLiteral(", ?"), {v});
        m_conn.execute(sql.add(QStringLiteral(")")));
    };
    for (const RuleRow &r : rows) {
        switch (kind) {
        case RuleKind::AdHoc:
            insert("Mnth, Days", {r.Mnth, r.Days});
            break;
        case RuleKind::Monthly:
            if (shape == MonthlyShape::Dates)
                insert("Days", {r.Days});
            else
                insert("Days, DOW", {r.Days, r.Dow});
            break;
        case RuleKind::Weekly:
            insert("DOW", {r.Dow});
            break;
        case RuleKind::NoRule:
            break;
        }
    }
}

MonthlyShape ActivityStore::loadRules(qint64 lineKey, RuleKind kind, RuleCells &cells) {
    const auto inRange = [](const QVariant &v, int high) {
        const int n = v.toInt();
        return n >= 1 && n <= high ? n : 0;
    };
    // Each value of the column (a plain name) in 1..high, of the line's rows.
    const auto eachValue = [&](const char *column, int high, const std::function<void(int)> &pick) {
        auto rs = m_conn.query(
            QStringLiteral("SELECT %1 FROM Actvty_Mast_Freq WHERE Sys_Actvty_Line_Num = ?").arg(QLatin1String(column)),
            {lineKey});
        for (int i = 0; i < rs.recordCount(); ++i)
            if (const int v = inRange(rs.valueAt(i, 0), high))
                pick(v);
    };
    MonthlyShape shape = MonthlyShape::Dates;
    switch (kind) {
    case RuleKind::AdHoc: {
        cells.clearAdhoc();
        auto rs = m_conn.query(QStringLiteral("SELECT Mnth, Days FROM Actvty_Mast_Freq WHERE Sys_Actvty_Line_Num = ?"),
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
        const bool nth = !m_conn.query(QStringLiteral("SELECT 1 FROM Actvty_Mast_Freq WHERE Sys_Actvty_Line_Num = ? "
                                                    "AND DOW > 0 AND Days > 0 LIMIT 1"),
                                     {lineKey})
                              .isEmpty();
        if (nth) {
            shape = MonthlyShape::NthWeekday;
            auto rs = m_conn.query(
                QStringLiteral("SELECT Days, DOW FROM Actvty_Mast_Freq WHERE Sys_Actvty_Line_Num = ?"), {lineKey});
            for (int i = 0; i < rs.recordCount(); ++i) {
                const int o = inRange(rs.valueAt(i, 0), 5), k = inRange(rs.valueAt(i, 1), 7);
                if (o && k)
                    cells.MonthWeekCells[o - 1][k - 1] = 1;
            }
        } else {
            eachValue("Days", 31, [&](int d) { cells.MonthDayCells[d - 1] = 1; });
        }
        break;
    }
    case RuleKind::Weekly: {
        cells.clearWeek();
        eachValue("DOW", 7, [&](int k) { cells.WeekCells[k - 1] = 1; });
        break;
    }
    case RuleKind::NoRule:
        break;
    }
    return shape;
}

QDate ActivityStore::latestExpected(qint64 lineKey) {
    return fromIsoDate(
        m_conn
            .scalar(QStringLiteral("SELECT MAX(Expctd_Date) FROM Statry_Cmpltd_Entry WHERE Sys_Actvty_Line_Num = ?"),
                    {lineKey})
            .toString());
}

void ActivityStore::updateLastGenerated(qint64 lineKey) {
    // One statement: the maximum is read and written together.
    m_conn.execute(kSetLastGenerated + QStringLiteral("WHERE Sys_Actvty_Line_Num = ?"), {lineKey});
}

void ActivityStore::fillMissingLastGenerated(qint64 activityKey) {
    m_conn.execute(kSetLastGenerated + QStringLiteral("WHERE Sys_Actvty_Num = ? AND Last_Gnrtd_Date IS NULL"),
                   {activityKey});
}

// ---------------------------------------------------------------- lists

QList<NamedKey> ActivityStore::departments() {
    return named(m_conn, QStringLiteral("SELECT Sys_Dept_Num, Dept_Desc FROM Dept_Mast ORDER BY Dept_Desc"));
}

QList<NamedKey> ActivityStore::employees() {
    return named(m_conn, QStringLiteral("SELECT Sys_Emp_Num, Emp_Name FROM Emp_Mast ORDER BY Emp_Name"));
}

QList<Frequency> ActivityStore::frequencies() {
    auto rs = m_conn.query(QStringLiteral("SELECT Sys_Const_Num, Scrn_Const_Desc FROM Sys_Const "
                                          "WHERE SCRN_SHRT_NAME = 'FQ' ORDER BY Scrn_Const_Desc, Sys_Const_Num"));
    QList<Frequency> list;
    for (int i = 0; i < rs.recordCount(); ++i)
        list.append({rs.valueAt(i, 0).toLongLong(), rs.valueAt(i, 1).toString()});
    return list;
}

QString ActivityStore::employeeName(qint64 key) {
    return m_conn.scalar(QStringLiteral("SELECT Emp_Name FROM Emp_Mast WHERE Sys_Emp_Num = ?"), {key}).toString();
}

std::pair<QDate, QDate> ActivityStore::period() {
    auto rs = m_conn.query(QStringLiteral("SELECT Start_Period, End_Period FROM Parm ORDER BY rowid LIMIT 1"));
    if (rs.isEmpty())
        return {};
    return {fromIsoDate(rs.valueAt(0, 0).toString()), fromIsoDate(rs.valueAt(0, 1).toString())};
}

// ---------------------------------------------------------------- allocations

QList<DayAllocation> ActivityStore::allocatedOn(const QDate &day) {
    // The day's column is named from the date's own day number (1 to 31); the
    // month is matched by its full name, the Sys_Const row's description.
    const QString sql =
        QStringLiteral("SELECT EM.Emp_Name, dt.Actvty_Desc"
                       " FROM actvty_mnth_hdr hd, Sys_Const SC, actvty_mnth_det dt, Emp_Mast EM"
                       " WHERE hd.Sys_Afm_Num = dt.Sys_Afm_Num AND hd.yr = ? AND SC.Scrn_Const_Desc = ? AND"
                       " dt.Day%1 = '*' AND hd.Sys_Emp_Num = EM.Sys_Emp_Num AND"
                       " hd.Sys_Const_Num = SC.Sys_Const_Num"
                       " GROUP BY EM.Emp_Name, dt.Actvty_Desc"
                       " ORDER BY EM.Emp_Name, dt.Actvty_Desc")
            .arg(day.day());
    const QString month = QLocale(QLocale::English).standaloneMonthName(day.month(), QLocale::LongFormat);
    auto rs = m_conn.query(sql, {day.year(), month});
    QList<DayAllocation> out;
    out.reserve(rs.recordCount());
    for (int i = 0; i < rs.recordCount(); ++i)
        out.append({rs.valueAt(i, 0).toString(), rs.valueAt(i, 1).toString()});
    return out;
}

} // namespace zv::activity
