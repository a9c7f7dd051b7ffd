#include "activity/ActivityRules.h"
#include "activity/ActivityStore.h"
#include "platform/db/Connection.h"
#include "support/ProgramFolder.h"
#include <gtest/gtest.h>
#include <ostream>

using namespace zv::activity;

namespace {

QDate d(const char *iso) { return QDate::fromString(QString::fromLatin1(iso), Qt::ISODate); }

void PrintTo(const RuleRow &r, std::ostream *os) { *os << "{Mnth " << r.Mnth << ", Dow " << r.Dow << ", Days " << r.Days << "}"; }

TEST(FrequencyRules, KindFollowsThePositionInTheList) {
    EXPECT_EQ(ruleKindAt(0), RuleKind::AdHoc);
    EXPECT_EQ(ruleKindAt(1), RuleKind::NoRule);
    EXPECT_EQ(ruleKindAt(2), RuleKind::Monthly);
    EXPECT_EQ(ruleKindAt(3), RuleKind::Weekly);
    EXPECT_EQ(ruleKindAt(4), RuleKind::NoRule);
    EXPECT_EQ(ruleKindAt(-1), RuleKind::NoRule);
}

TEST(FrequencyRules, WeekdaysCountFromSunday) {
    EXPECT_EQ(weekdayName(1), "Sunday");
    EXPECT_EQ(weekdayName(7), "Saturday");
    EXPECT_EQ(weekdayOf(d("2026-05-03")), 1);   // a Sunday
    EXPECT_EQ(weekdayOf(d("2026-05-06")), 4);   // a Wednesday
}

// Which ad-hoc days exist: the month's year is the one it falls in on a line
// that starts on the start date, so a line of a financial year starting in a
// leap year cannot pick 29 February of the following, common year.
TEST(FrequencyRules, AdhocDaysAreTheDaysOfTheMonthInTheYearItFallsIn) {
    struct Case {
        const char *start;
        int month, day;
        bool exists;
    } cases[] = {
        {"2004-01-10", 2, 29, true},  {"2005-01-10", 2, 29, false}, {"2005-01-10", 2, 28, true},
        {"2024-04-01", 2, 29, false},   // February 2025
        {"2023-04-01", 2, 29, true},    // February 2024
        {"2024-02-15", 2, 29, true},  {"2026-04-01", 4, 30, true},  {"2026-04-01", 4, 31, false},
        {"2026-04-01", 3, 31, true},  {"2026-04-01", 13, 1, false}, {"", 1, 1, false},
    };
    for (const Case &c : cases)
        EXPECT_EQ(isAdhocDate(c.month, c.day, d(c.start)), c.exists) << c.start << " " << c.month << "/" << c.day;
    EXPECT_EQ(adhocYear(3, d("2026-04-01")), 2027);
    EXPECT_EQ(adhocYear(4, d("2026-04-01")), 2026);
}

TEST(FrequencyRules, PickedCellsBecomeRowsOfTheirShapeInOrder) {
    RuleCells cells;
    cells.WeekCells[5] = cells.WeekCells[1] = cells.WeekCells[3] = 1;   // Fri, Mon, Wed
    cells.MonthDayCells[16] = cells.MonthDayCells[2] = 1;
    cells.MonthWeekCells[4][5] = cells.MonthWeekCells[1][2] = 1;        // fifth Friday, second Tuesday
    cells.AdhocCells[8][14] = cells.AdhocCells[2][14] = 1;              // 15 Sep, 15 Mar
    cells.AdhocCells[1][28] = 1;                                        // 29 Feb
    cells.AdhocCells[3][30] = 1;                                        // 31 Apr: never a day
    const QDate start = d("2026-04-01");

    struct Case {
        RuleKind kind;
        MonthlyShape shape;
        QList<RuleRow> rows;
    } cases[] = {
        {RuleKind::Weekly, MonthlyShape::Dates, {{0, 2, 0}, {0, 4, 0}, {0, 6, 0}}},
        {RuleKind::Monthly, MonthlyShape::Dates, {{0, 0, 3}, {0, 0, 17}}},
        {RuleKind::Monthly, MonthlyShape::NthWeekday, {{0, 3, 2}, {0, 6, 5}}},
        {RuleKind::AdHoc, MonthlyShape::Dates, {{3, 0, 15}, {9, 0, 15}}},   // 29 Feb 2027 does not exist
        {RuleKind::NoRule, MonthlyShape::Dates, {}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(ruleRows(cells, c.kind, c.shape, start), c.rows) << int(c.kind) << "/" << int(c.shape);

    // A start in February 2028 (a leap year) keeps the 29th.
    EXPECT_EQ(ruleRows(cells, RuleKind::AdHoc, MonthlyShape::Dates, d("2028-02-01")),
              (QList<RuleRow>{{2, 0, 29}, {3, 0, 15}, {9, 0, 15}}));
}

TEST(LineDates, RulesInOrder) {
    const QDate ps = d("2026-04-01"), pe = d("2027-03-31");
    const auto V = [](const char *iso) { return DateField::valid(d(iso)); };
    const DateField B = DateField::blank(), I = DateField::invalid();
    struct Case {
        const char *label;
        DateField entry, start, end;
        QDate lastGenerated;
        QString code, prefix, suffix;
        DateFocus focus;
    } cases[] = {
        {"start invalid", V("2026-04-01"), I, I, {}, "ZVE009", "", "Date", DateFocus::StartDate},
        {"start blank", V("2026-04-01"), B, V("2026-05-01"), {}, "ZVE128", "Activity Start Date", "",
         DateFocus::StartDate},
        {"start before entry", V("2026-04-10"), V("2026-04-09"), V("2026-05-01"), {}, "ZVE029",
         "Activity Start Date", "Date Of Entry", DateFocus::StartDate},
        {"end invalid", V("2026-04-01"), V("2026-04-01"), I, {}, "ZVE009", "", "Date", DateFocus::EndDate},
        {"end blank", V("2026-04-01"), V("2026-04-01"), B, {}, "ZVE128", "Activity End Date", "",
         DateFocus::EndDate},
        {"end before start", V("2026-04-01"), V("2026-05-02"), V("2026-05-01"), {}, "ZVE029", "Activity End Date",
         "Activity Start Date", DateFocus::EndDate},
        {"end after period", V("2026-04-01"), V("2026-05-01"), V("2027-04-01"), {}, "ZVE176", "", "",
         DateFocus::EndDate},
        {"start before period", V("2026-03-01"), V("2026-03-31"), V("2026-05-01"), {}, "ZVE176", "", "",
         DateFocus::EndDate},
        {"end before last generated", V("2026-04-01"), V("2026-05-01"), V("2026-05-10"), d("2026-05-15"),
         "ZVE029", "Activity End Date", "Last Generated Date", DateFocus::EndDate},
    };
    for (const Case &c : cases) {
        const auto failure = checkLineDates(c.entry, c.start, c.end, ps, pe, c.lastGenerated);
        ASSERT_TRUE(failure.has_value()) << c.label;
        EXPECT_EQ(failure->code, c.code) << c.label;
        EXPECT_EQ(failure->prefix, c.prefix) << c.label;
        EXPECT_EQ(failure->suffix, c.suffix) << c.label;
        EXPECT_EQ(failure->focus, c.focus) << c.label;
    }
    // Equal dates and the period's own bounds pass; an entry date that is no date is not compared.
    EXPECT_FALSE(checkLineDates(V("2026-04-01"), V("2026-04-01"), V("2027-03-31"), ps, pe, d("2027-03-31")));
    EXPECT_FALSE(checkLineDates(I, V("2026-04-01"), V("2026-04-01"), ps, pe, {}));
    // No period: nothing lies in it.
    EXPECT_EQ(checkLineDates(B, V("2026-04-01"), V("2026-04-01"), {}, {}, {})->code, "ZVE176");
}

// Rule rows round-trip through the table, and the last generated date follows the schedule entries.
class RuleStore : public ::testing::Test {
public:
    void SetUp() override {
        conn.open(folder.productionDb());
        conn.execute("INSERT INTO Dept_Mast (Dept_Desc) VALUES ('Stores')");
        conn.execute("INSERT INTO Desg_Mast (Desg_Name) VALUES ('Clerk')");
        conn.execute("INSERT INTO Emp_Mast (Emp_Name, Sys_Desg_Num, Sys_Dept_Num) VALUES ('Asha', 1, 1)");
        conn.execute("INSERT INTO Actvty_Mast (Entry_Date, Actvty_Desc) VALUES ('2026-04-01', 'Audit')");
        act = conn.lastInsertId();
        line = addLine();
    }
    qint64 addLine() {
        conn.execute("INSERT INTO Actvty_Mast_Det (Sys_Actvty_Num, Sys_Dept_Num, Sys_Emp_Num, Start_Date, End_Date, "
                     "Sys_Const_Num) VALUES (?, 1, 1, '2026-04-01', '2026-06-30', 16)",
                     {act});
        return conn.lastInsertId();
    }
    void entry(qint64 ln, const char *expected) {
        conn.execute("INSERT INTO Statry_Cmpltd_Entry (Sys_Actvty_Num, Sys_Actvty_Line_Num, Sys_Emp_Num, Expctd_Date) "
                     "VALUES (?, ?, 1, ?)",
                     {act, ln, QString::fromLatin1(expected)});
    }
    QVariant lastGenerated(qint64 ln) {
        return conn.scalar("SELECT Last_Gnrtd_Date FROM Actvty_Mast_Det WHERE Sys_Actvty_Line_Num = ?", {ln});
    }
    ProgramFolder folder;
    zv::db::Connection conn;
    qint64 act = 0, line = 0;
};

TEST_F(RuleStore, FrequencyListIsOrderedByDescription) {
    const auto list = ActivityStore(conn).frequencies();
    ASSERT_EQ(list.size(), 4);
    EXPECT_EQ(list.at(0).desc, "Ad-Hoc");
    EXPECT_EQ(list.at(3).desc, "Weekly");
    EXPECT_EQ(list.at(3).key, 16);
}

TEST_F(RuleStore, RowsOfEachShapeAreStoredAndReadBack) {
    struct Case {
        RuleKind kind;
        MonthlyShape shape;
        QList<RuleRow> rows;
        const char *columns;   // the stored Mnth/Dow/Days of the first row
    } cases[] = {
        {RuleKind::Weekly, MonthlyShape::Dates, {{0, 2, 0}, {0, 6, 0}}, "0/2/0"},
        {RuleKind::Monthly, MonthlyShape::Dates, {{0, 0, 3}, {0, 0, 31}}, "0/0/3"},
        {RuleKind::Monthly, MonthlyShape::NthWeekday, {{0, 3, 2}, {0, 6, 5}}, "0/3/2"},
        {RuleKind::AdHoc, MonthlyShape::Dates, {{3, 0, 15}, {9, 0, 15}}, "3/0/15"},
    };
    for (const Case &c : cases) {
        const qint64 ln = addLine();
        ActivityStore(conn).insertRules(act, ln, c.kind, c.shape, c.rows);
        auto rs = conn.query("SELECT Mnth || '/' || Dow || '/' || Days FROM Actvty_Mast_Freq "
                             "WHERE Sys_Actvty_Line_Num = ? ORDER BY Sys_Actvty_Freq_num",
                             {ln});
        ASSERT_EQ(rs.recordCount(), c.rows.size());
        EXPECT_EQ(rs.valueAt(0, 0).toString(), c.columns);
        RuleCells cells;
        EXPECT_EQ(ActivityStore(conn).loadRules(ln, c.kind, cells), c.shape);
        EXPECT_EQ(ruleRows(cells, c.kind, c.shape, d("2026-04-01")), c.rows);
    }
}

// Rows written by another program outside the cells' range are skipped, not a crash.
TEST_F(RuleStore, OutOfRangeRowsAreSkippedOnLoading) {
    conn.execute("INSERT INTO Actvty_Mast_Freq (Sys_Actvty_Num, Sys_Actvty_Line_Num, Mnth, Days) VALUES "
                 "(?1, ?2, 13, 1), (?1, ?2, 0, 5), (?1, ?2, 2, 32), (?1, ?2, 2, 3)",
                 {act, line});
    RuleCells cells;
    cells.AdhocCells[0][0] = 1;   // emptied first
    ActivityStore(conn).loadRules(line, RuleKind::AdHoc, cells);
    EXPECT_EQ(ruleRows(cells, RuleKind::AdHoc, MonthlyShape::Dates, d("2026-04-01")), (QList<RuleRow>{{2, 0, 3}}));
}

TEST_F(RuleStore, LastGeneratedDateIsTheLatestExpectedDate) {
    const qint64 other = addLine(), filled = addLine();
    entry(line, "2026-05-03");
    entry(line, "2026-06-28");
    entry(line, "2026-04-05");
    conn.execute("UPDATE Actvty_Mast_Det SET Last_Gnrtd_Date = '2026-04-30' WHERE Sys_Actvty_Line_Num = ?", {filled});
    entry(filled, "2026-05-31");

    ActivityStore store(conn);
    EXPECT_EQ(store.latestExpected(line), d("2026-06-28"));
    EXPECT_FALSE(store.latestExpected(other).isValid());

    store.fillMissingLastGenerated(act);
    EXPECT_EQ(lastGenerated(line).toString(), "2026-06-28");
    EXPECT_TRUE(lastGenerated(other).isNull());
    EXPECT_EQ(lastGenerated(filled).toString(), "2026-04-30");   // only missing dates are filled

    store.updateLastGenerated(filled);
    EXPECT_EQ(lastGenerated(filled).toString(), "2026-05-31");
    conn.execute("DELETE FROM Statry_Cmpltd_Entry WHERE Sys_Actvty_Line_Num = ?", {line});
    store.updateLastGenerated(line);
    EXPECT_TRUE(lastGenerated(line).isNull());
}

} // namespace
