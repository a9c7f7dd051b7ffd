// Fills 100,000 employees into a copy of the fresh production database and
// times the general filter over the screen key "EMP": opening it and listing
// every employee, and a search with one criterion (a name prefix). The same
// statements, with the same bound values, run directly on SQLite in the same
// run; the program prints both times and their ratio.
#include "BenchSupport.h"
#include "core/modCommon.h"
#include "query/RecordsetGrid.h"
#include "query/frmGeneralFilter.h"
#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTemporaryDir>
#include <algorithm>
#include <memory>
#include <cstdio>
#include <sqlite3.h>
#include <string>
#include <vector>

using bench::check;
using bench::median;
using zv::query::BoundSql;
using zv::query::frmGeneralFilter;

namespace {

constexpr int kEmployees = 100000;
constexpr int kRuns = 5;
const QString kJoin = QStringLiteral("where em.Sys_Desg_Num=dm.Sys_Desg_Num AND dp.Sys_Dept_Num = em.Sys_Dept_Num");
const QString kNamePrefix = QStringLiteral("Employee 0123");   // 100 employees

void fill(const QString &path) {
    sqlite3 *db = nullptr;
    check(sqlite3_open(path.toUtf8().constData(), &db), db, "open");
    check(sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr), db, "begin");
    for (int i = 1; i <= 20; ++i) {
        const std::string sql = "INSERT INTO Dept_Mast (Dept_Desc) VALUES ('Department " + std::to_string(i) + "')";
        check(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr), db, "department");
    }
    for (int i = 1; i <= 30; ++i) {
        const std::string sql = "INSERT INTO Desg_Mast (Desg_Name) VALUES ('Designation " + std::to_string(i) + "')";
        check(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr), db, "designation");
    }
    sqlite3_stmt *st = nullptr;
    check(sqlite3_prepare_v2(db,
                             "INSERT INTO Emp_Mast (Emp_Num, Emp_Name, Sys_Desg_Num, Sys_Dept_Num, Email_ID, "
                             "Emp_Shrt_Name, Pswd) VALUES (?, ?, ?, ?, ?, ?, 'xxxxxx')",
                             -1, &st, nullptr),
          db, "prepare");
    char num[16], name[32], mail[48], login[16];
    for (int i = 0; i < kEmployees; ++i) {
        std::snprintf(num, sizeof num, "E%06d", i);
        std::snprintf(name, sizeof name, "Employee %06d", i);
        std::snprintf(mail, sizeof mail, "employee%06d@example.org", i);
        std::snprintf(login, sizeof login, "u%06d", i);
        sqlite3_bind_text(st, 1, num, -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(st, 2, name, -1, SQLITE_TRANSIENT);
        sqlite3_bind_int(st, 3, i % 30 + 1);
        sqlite3_bind_int(st, 4, i % 20 + 1);
        sqlite3_bind_text(st, 5, mail, -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(st, 6, login, -1, SQLITE_TRANSIENT);
        check(sqlite3_step(st), db, "insert");
        sqlite3_reset(st);
    }
    sqlite3_finalize(st);
    check(sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr), db, "commit");
    sqlite3_close(db);
}

// The statement run directly: every value of every row read as SQLite gives it.
double direct(sqlite3 *db, const BoundSql &s, long long &rows) {
    QElapsedTimer t;
    t.start();
    sqlite3_stmt *st = nullptr;
    check(sqlite3_prepare_v2(db, s.text.toUtf8().constData(), -1, &st, nullptr), db, "prepare");
    for (int i = 0; i < s.params.size(); ++i) {
        const QByteArray v = s.params.at(i).toString().toUtf8();
        sqlite3_bind_text(st, i + 1, v.constData(), v.size(), SQLITE_TRANSIENT);
    }
    std::vector<std::string> values;
    const int cols = sqlite3_column_count(st);
    rows = 0;
    int rc;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
        ++rows;
        for (int c = 0; c < cols; ++c) {
            const unsigned char *text = sqlite3_column_text(st, c);
            values.emplace_back(text ? reinterpret_cast<const char *>(text) : "");
        }
    }
    check(rc, db, "step");
    sqlite3_finalize(st);
    return t.nsecsElapsed() / 1e6;
}

struct FilterRun {
    double openMs = 0, criterionMs = 0, againMs = 0;
    int openRows = 0, criterionRows = 0;
    BoundSql openSql, criterionSql;
};

// Each filter time runs from a new window to the formatted grid: the window
// built from the metadata, then the search.
//   open:      no criterion, every employee listed;
//   criterion: a name prefix typed before the first search;
//   again:     from the full list back to the criteria, the prefix typed and
//              the search run again (this also lets go of the 100,000 rows shown before).
FilterRun throughFilter() {
    FilterRun r;
    QElapsedTimer t;
    auto open = [] {
        auto w = std::make_unique<frmGeneralFilter>();
        if (!w->Load(QStringLiteral("EMP"), kJoin)) {
            std::fprintf(stderr, "the EMP filter did not open\n");
            std::exit(1);
        }
        return w;
    };
    {
        t.start();
        auto w = open();
        w->middleButton(QStringLiteral("Ok"))->trigger();
        r.openMs = t.nsecsElapsed() / 1e6;
        r.openRows = w->dgdGrid()->gridModel()->rowCount();
        r.openSql = w->lastStatement();

        w->footerButton(QStringLiteral("Cancel"))->trigger();
        t.restart();
        w->txtFld(1)->setText(kNamePrefix);
        w->middleButton(QStringLiteral("Ok"))->trigger();
        r.againMs = t.nsecsElapsed() / 1e6;
    }
    {
        t.restart();
        auto w = open();
        w->txtFld(1)->setText(kNamePrefix);
        w->middleButton(QStringLiteral("Ok"))->trigger();
        r.criterionMs = t.nsecsElapsed() / 1e6;
        r.criterionRows = w->dgdGrid()->gridModel()->rowCount();
        r.criterionSql = w->lastStatement();
    }
    return r;
}

} // namespace

int main(int argc, char **argv) {
    bench::offscreenByDefault();
    QApplication app(argc, argv);

    QTemporaryDir dir;
    const QString db = bench::filledProductionCopy(dir, fill, QStringLiteral("%1 employees").arg(kEmployees));
    if (db.isEmpty() || !bench::openAsProduction(db))
        return 1;
    sqlite3 *raw = nullptr;
    sqlite3_open_v2(db.toUtf8().constData(), &raw, SQLITE_OPEN_READONLY, nullptr);

    std::vector<double> fOpen, fCrit, fAgain, dOpen, dCrit;
    long long rowsOpen = 0, rowsCrit = 0;
    FilterRun last;
    throughFilter();   // warm the page cache for both sides
    for (int i = 0; i < kRuns; ++i) {
        last = throughFilter();
        fOpen.push_back(last.openMs);
        fCrit.push_back(last.criterionMs);
        fAgain.push_back(last.againMs);
        dOpen.push_back(direct(raw, last.openSql, rowsOpen));
        dCrit.push_back(direct(raw, last.criterionSql, rowsCrit));
    }
    sqlite3_close(raw);
    modCommon::gConn->close();

    if (last.openRows != rowsOpen || last.criterionRows != rowsCrit) {
        std::fprintf(stderr, "row counts differ: filter %d/%d, SQLite %lld/%lld\n", last.openRows,
                     last.criterionRows, rowsOpen, rowsCrit);
        return 1;
    }
    const double fo = median(fOpen), fc = median(fCrit), fa = median(fAgain), dO = median(dOpen), dc = median(dCrit);
    std::printf("median of %d runs\n", kRuns);
    const QByteArray openLabel = QStringLiteral("open EMP filter (%1 rows)").arg(last.openRows).toUtf8();
    const QByteArray critLabel = QStringLiteral("open with one criterion (%1 rows)").arg(last.criterionRows).toUtf8();
    auto line = [](const char *label, double filter, double sqlite) {
        std::printf("%-38s filter %8.1f ms   SQLite %8.1f ms   ratio %.2f\n", label, filter, sqlite, filter / sqlite);
    };
    line(openLabel.constData(), fo, dO);
    line(critLabel.constData(), fc, dc);
    line("the criterion after the full list", fa, dc);
    return 0;
}
