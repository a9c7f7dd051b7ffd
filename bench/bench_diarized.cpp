// The diarized report's data step against SQLite itself. A copy of the fresh
// production database gets the employees given on the command line (5,000
// unless given), two activity lines each and one schedule entry a month on
// each line over six years, 2022 to 2027; the program's period ends in 2027.
//
// The program's side: the form's fill of Temp_Year for March of the five
// years, every employee, and the read-back of its rows. The raw side: the
// best statement for the same rows written by hand (the five months as date
// ranges on the expected date's index, no employee condition), in the same
// transaction with the same delete, run through the SQLite C API on a
// connection of its own, and the same read-back with each value copied.
// Both connections have the program's settings. The two run alternately, in
// pairs; the ratio is the median of the pairs' ratios, with the middle half
// of them beside it.
//
// Goals: the program at most 2 times the raw side, and linear in the data
// (the program's step on a fifth of the data paired with the full step: five
// times the rows may take at most 1.5 times five times as long). The last line is the ratio; the
// program exits with 1 when a goal is missed.
//
//   bench_diarized [employees]
#include "BenchSupport.h"
#include "core/modCommon.h"
#include "masters/FormServices.h"
#include "reports/DiarizedStore.h"
#include "reports/frmGenReport2.h"
#include <QApplication>
#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QVariant>
#include <cstdio>
#include <random>
#include <sqlite3.h>
#include <string>
#include <vector>

using bench::check;

namespace {

constexpr int kFirstYear = 2022;
constexpr int kLastYear = 2027;
constexpr int kLinesPerEmployee = 2;
constexpr int kMonth = 3;
constexpr double kGoal = 2.0;
constexpr double kLinearSlack = 1.5;

using Stmt = bench::Statement;

std::string iso(const QDate &d) { return d.toString(QStringLiteral("yyyy-MM-dd")).toStdString(); }

void exec(sqlite3 *db, const char *sql) { check(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), db, sql); }

void fill(const QString &path, int employees) {
    sqlite3 *db = nullptr;
    check(sqlite3_open(path.toUtf8().constData(), &db), db, "open");
    exec(db, "BEGIN");
    std::mt19937 rng(20270331);
    auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    {
        Stmt dept(db, "INSERT INTO Dept_Mast (Dept_Desc) VALUES (?)");
        for (int i = 1; i <= 20; ++i)
            dept.t(1, "Department " + std::to_string(i)).run();
        Stmt desg(db, "INSERT INTO Desg_Mast (Desg_Name) VALUES (?)");
        desg.t(1, "Clerk").run();
        Stmt emp(db, "INSERT INTO Emp_Mast (Emp_Num, Emp_Name, Sys_Desg_Num, Sys_Dept_Num, Emp_Shrt_Name) "
                     "VALUES (?, ?, 1, ?, ?)");
        char name[32];
        for (int e = 0; e < employees; ++e) {
            std::snprintf(name, sizeof name, "Employee %05d", e);
            emp.t(1, "E" + std::to_string(e)).t(2, name).i(3, e % 20 + 1).t(4, "u" + std::to_string(e)).run();
        }
    }
    Stmt act(db, "INSERT INTO Actvty_Mast (Entry_Date, Actvty_Desc, Remk) VALUES (?, ?, '')");
    Stmt line(db, "INSERT INTO Actvty_Mast_Det (Sys_Actvty_Num, Sys_Dept_Num, Sys_Emp_Num, Start_Date, End_Date, "
                  "Sys_Const_Num) VALUES (?, ?, ?, ?, ?, 14)");
    Stmt entry(db, "INSERT INTO Statry_Cmpltd_Entry (Sys_Actvty_Num, Sys_Actvty_Line_Num, Sys_Emp_Num, Expctd_Date, "
                   "Cmpltd_Date, Not_Needed) VALUES (?, ?, ?, ?, ?, 0)");
    const QDate first(kFirstYear, 1, 1), last(kLastYear, 12, 31);
    char desc[48];
    for (int e = 1; e <= employees; ++e) {
        std::snprintf(desc, sizeof desc, "Activity %05d", pick(employees));
        const long long a = act.t(1, iso(first)).t(2, desc).run();
        for (int l = 0; l < kLinesPerEmployee; ++l) {
            const long long ln = line.i(1, a).i(2, pick(20) + 1).i(3, e).t(4, iso(first)).t(5, iso(last)).run();
            for (int y = kFirstYear; y <= kLastYear; ++y)
                for (int m = 1; m <= 12; ++m) {
                    const QDate expected(y, m, 1 + pick(QDate(y, m, 1).daysInMonth()));
                    entry.i(1, a).i(2, ln).i(3, e).t(4, iso(expected));
                    if (pick(10) < 6)
                        entry.t(5, iso(expected.addDays(pick(4))));
                    else
                        entry.null(5);
                    entry.run();
                }
        }
    }
    exec(db, "COMMIT");
    sqlite3_close(db);
}

// The best statement for the report's rows, by hand.
std::string rawFill() {
    std::string sql = "INSERT INTO Temp_Year (Serl_Num, Start_Date, Emp_Name, Actvty_Desc, D2004, D2005, D2006, D2007, "
                      "D2008, Id) SELECT row_number() OVER (ORDER BY am.Actvty_Desc, sc.Expctd_Date, sc.Sys_Entry_Num), "
                      "sc.Expctd_Date, em.Emp_Name, am.Actvty_Desc";
    for (int y = kLastYear - 4; y <= kLastYear; ++y)
        sql += ", CASE WHEN sc.Cmpltd_Date >= '" + std::to_string(y) + "-01-01' AND sc.Cmpltd_Date < '" +
               std::to_string(y + 1) + "-01-01' THEN sc.Cmpltd_Date END";
    sql += ", ?1 FROM Statry_Cmpltd_Entry sc JOIN Actvty_Mast am ON am.Sys_Actvty_Num = sc.Sys_Actvty_Num "
           "JOIN Emp_Mast em ON em.Sys_Emp_Num = sc.Sys_Emp_Num WHERE ";
    for (int y = kLastYear - 4; y <= kLastYear; ++y) {
        char range[96];
        std::snprintf(range, sizeof range, "%s(sc.Expctd_Date >= '%d-%02d-01' AND sc.Expctd_Date < '%d-%02d-01')",
                      y == kLastYear - 4 ? "" : " OR ", y, kMonth, y, kMonth + 1);
        sql += range;
    }
    return sql;
}

// The raw side's data step; its rows.
long long rawStep(sqlite3 *db, const std::string &fillSql) {
    exec(db, "BEGIN");
    Stmt del(db, "DELETE FROM Temp_Year WHERE Id = ?1");
    del.t(1, "raw").run();
    Stmt ins(db, fillSql.c_str());
    ins.t(1, "raw").run();
    const long long written = sqlite3_changes(db);
    exec(db, "COMMIT");

    Stmt sel(db, "SELECT * FROM Temp_Year WHERE Id = ?1 ORDER BY Serl_Num");
    sel.t(1, "raw");
    const int cols = sqlite3_column_count(sel.st);
    std::vector<QVariant> values;
    values.reserve(static_cast<size_t>(written) * cols);
    long long rows = 0;
    while (sqlite3_step(sel.st) == SQLITE_ROW) {
        for (int c = 0; c < cols; ++c)
            switch (sqlite3_column_type(sel.st, c)) {
            case SQLITE_INTEGER:
                values.emplace_back(static_cast<qlonglong>(sqlite3_column_int64(sel.st, c)));
                break;
            case SQLITE_FLOAT:
                values.emplace_back(sqlite3_column_double(sel.st, c));
                break;
            case SQLITE_NULL:
                values.emplace_back();
                break;
            default:
                values.emplace_back(QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(sel.st, c)),
                                                      sqlite3_column_bytes(sel.st, c)));
            }
        ++rows;
    }
    return rows;
}

// A copy of the production database filled for the given employees.
QString filledCopy(const QTemporaryDir &dir, const QString &name, int employees) {
    const QString copy = dir.filePath(name);
    const QString db = bench::filledProductionCopy(
        dir, [&](const QString &p) { fill(p, employees); },
        QStringLiteral("%1 employees, %2 schedule entries").arg(employees).arg(employees * kLinesPerEmployee * 12 *
                                                                                (kLastYear - kFirstYear + 1)));
    if (db.isEmpty() || !QFile::rename(db, copy))
        std::exit(1);
    return copy;
}

// The program's data step on a connection: the store's fill and read-back, as
// the form runs them; its milliseconds. rows gets the rows written.
double programStep(zv::db::Connection &c, const QString &id, const zv::reports::DiarizedFilter &f, long long &rows) {
    QElapsedTimer t;
    t.start();
    rows = zv::reports::fillDiarized(c, id, f);
    const zv::db::Recordset rs = zv::reports::diarizedRows(c, id);
    if (rs.recordCount() != rows)
        std::exit(1);
    return t.nsecsElapsed() / 1e6;
}

} // namespace

int main(int argc, char **argv) {
    bench::offscreenByDefault();
    QApplication app(argc, argv);
    const int employees = argc > 1 ? std::atoi(argv[1]) : 5000;
    if (employees < 5) {
        std::fprintf(stderr, "usage: bench_diarized [employees, at least 5]\n");
        return 2;
    }
    QTemporaryDir dir;
    std::printf("Diarized activities, March of %d to %d, every employee\n", kLastYear - 4, kLastYear);
    const QString fifth = filledCopy(dir, QStringLiteral("fifth.db"), employees / 5);
    const QString full = filledCopy(dir, QStringLiteral("full.db"), employees);
    if (!bench::openAsProduction(full))
        return 1;
    modCommon::gEndPeriod = QStringLiteral("31-Mar-%1").arg(kLastYear);

    // The program's side on the full data: the form's own fill and read-back.
    frmGenReport2 form(nullptr, zv::masters::formServices());
    form.cmbTargetMnth->setCurrentIndex(kMonth - 1);
    form.setSelectionList(QString());   // every employee
    long long programRows = 0, rawRows = 0;
    auto program = [&] {
        QElapsedTimer t;
        t.start();
        programRows = form.fillTempYear();
        const zv::db::Recordset rs = zv::reports::diarizedRows(modCommon::MainConnection(), form.formId());
        if (rs.recordCount() != programRows)
            std::exit(1);
        return t.nsecsElapsed() / 1e6;
    };
    sqlite3 *raw = bench::openRaw(full);
    const std::string fillSql = rawFill();
    auto rawSide = [&] {
        QElapsedTimer t;
        t.start();
        rawRows = rawStep(raw, fillSql);
        return t.nsecsElapsed() / 1e6;
    };
    program();   // warm-up
    rawSide();
    const bench::PairedTimes times = bench::pairedRuns(bench::kPairs, program, rawSide);
    sqlite3_close(raw);
    if (programRows != rawRows) {
        std::fprintf(stderr, "the program wrote %lld rows, the raw statement %lld\n", programRows, rawRows);
        return 1;
    }

    // Linear: the program's step on the full data paired with the same step
    // on a fifth of it, so that the machine's other load moves both alike.
    zv::db::Connection fifthConn;
    fifthConn.open(fifth);
    const zv::reports::DiarizedFilter filter = form.filter();
    long long fullRows = 0, fifthRows = 0;
    const QString id = QStringLiteral("bench");
    programStep(fifthConn, id, filter, fifthRows);   // warm-up
    const bench::PairedTimes growth = bench::pairedRuns(
        bench::kPairs, [&] { return programStep(modCommon::MainConnection(), id, filter, fullRows); },
        [&] { return programStep(fifthConn, id, filter, fifthRows); });
    fifthConn.close();
    form.close();
    modCommon::CloseMainConnection();

    std::printf("medians of %d pairs\n", bench::kPairs);
    std::printf("  %6d employees: %7lld rows   program %8.1f ms\n", employees / 5, fifthRows, growth.rawMedian());
    bench::printMedians(QStringLiteral("  %1 employees: %2 rows").arg(employees).arg(rawRows).toUtf8().constData(),
                        times);
    const double rowsGrowth = double(fullRows) / double(fifthRows);
    const bench::Spread timeGrowth = growth.ratioSpread();
    std::printf("linear: %.1f times the rows took %s times as long (goal at most %.1f)\n", rowsGrowth,
                bench::ratioText(timeGrowth).c_str(), rowsGrowth * kLinearSlack);
    const bool linear = bench::within("linear", timeGrowth, rowsGrowth * kLinearSlack);
    return bench::finish(times, kGoal, !linear);
}
