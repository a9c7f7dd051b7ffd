// Fills employees into a copy of the fresh production database and times the
// general filter over the screen key "EMP" against the same statement, with
// the same bound values, stepped directly on SQLite; the two run alternately.
//   open:      a new window built from the metadata, Ok without a criterion:
//              every employee in the formatted grid;
//   criterion: a new window, a name prefix typed, Ok: the matching employees.
// The raw side reads the key's filter definition as the window must, then
// prepares, binds and steps the statement and copies every value of every row
// into memory of its own, as the grid needs them; it builds no window. After each open the filter's Cancel must let go of the rows shown.
//
//   bench_filter [employees] [pairs]      defaults: 100000 employees, 11 pairs
//
// The last line is the larger of the two ratios; exits 1 above 1.3.
#include "BenchSupport.h"
#include "core/modCommon.h"
#include "query/RecordsetGrid.h"
#include "query/frmGeneralFilter.h"
#include "platform/ui/Ui.h"
#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTemporaryDir>
#include <cstdio>
#include <cstring>
#include <memory>
#include <sqlite3.h>
#include <string>
#include <vector>

using bench::check;
using zv::query::BoundSql;
using zv::query::frmGeneralFilter;

namespace {

constexpr double kGoal = 1.3;
int gEmployees = 100000;
const QString kJoin = QStringLiteral("where em.Sys_Desg_Num=dm.Sys_Desg_Num AND dp.Sys_Dept_Num = em.Sys_Dept_Num");
const QString kNamePrefix = QStringLiteral("Employee 0123");   // 100 employees of 100,000

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
    for (int i = 0; i < gEmployees; ++i) {
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

// One value as SQLite gives it, kept; text and blobs go to one buffer, as
// lean a copy of a result of any shape as there is.
struct RawCell {
    int type = SQLITE_NULL;
    long long number = 0;   // the integer, the real's bits or the text's offset
    int size = 0;
};

int gRawRows = 0;

// Steps a prepared statement to its end, every value of every row copied;
// the number of rows.
int copyRows(sqlite3 *db, sqlite3_stmt *st) {
    std::vector<RawCell> cells;
    std::string text;
    const int cols = sqlite3_column_count(st);
    int rows = 0;
    int rc;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
        ++rows;
        for (int c = 0; c < cols; ++c) {
            RawCell v;
            v.type = sqlite3_column_type(st, c);
            if (v.type == SQLITE_INTEGER) {
                v.number = sqlite3_column_int64(st, c);
            } else if (v.type == SQLITE_FLOAT) {
                const double d = sqlite3_column_double(st, c);
                std::memcpy(&v.number, &d, sizeof d);
            } else if (v.type != SQLITE_NULL) {
                const auto *p = static_cast<const char *>(sqlite3_column_blob(st, c));
                v.size = sqlite3_column_bytes(st, c);
                v.number = static_cast<long long>(text.size());
                text.append(p, size_t(v.size));
            }
            cells.push_back(v);
        }
    }
    check(rc, db, "step");
    return rows;
}

// One statement prepared, its text values bound in order, stepped and copied.
int readRows(sqlite3 *db, const QString &text, const QVariantList &params) {
    sqlite3_stmt *st = nullptr;
    const QByteArray sql = text.toUtf8();
    check(sqlite3_prepare_v2(db, sql.constData(), int(sql.size()), &st, nullptr), db, "prepare");
    for (int i = 0; i < params.size(); ++i) {
        const QByteArray v = params.at(i).toString().toUtf8();
        sqlite3_bind_text(st, i + 1, v.constData(), int(v.size()), SQLITE_TRANSIENT);
    }
    const int rows = copyRows(db, st);
    sqlite3_finalize(st);
    return rows;
}

// What any general filter must do for a screen key: read the key's field and
// column definitions (the program's own statements), which say what to select
// and how to show it, then run the statement they make. Without the first
// part the raw side would time less than the task.
double direct(sqlite3 *db, const BoundSql &s) {
    QElapsedTimer t;
    t.start();
    const QVariantList key{QStringLiteral("EMP")};
    readRows(db,
             QStringLiteral("SELECT Scrn_Name, Scrn_Capn, Tble_Name, Clmn_Name, Disp_Name, User_Cntrl, Capn_Top, "
                            "Capn_Left, Feld_Top, Feld_Left, Feld_Widt, Clmn_Ordr, Data_Type, Feld_Leng "
                            "FROM sys_Qury_Fltr WHERE Scrn_Name = ? ORDER BY Clmn_Ordr"),
             key);
    readRows(db,
             QStringLiteral("SELECT Feld_Name, User_Cntrl, Clmn_Capn, Clmn_Ordr, Clmn_Size, Data_Type, VIsible "
                            "FROM sys_grid_fltr WHERE Scrn_Name = ? ORDER BY Clmn_Ordr"),
             key);
    gRawRows = readRows(db, s.text, s.params);
    return t.nsecsElapsed() / 1e6;
}

std::unique_ptr<frmGeneralFilter> newFilter() {
    auto w = std::make_unique<frmGeneralFilter>();
    if (!w->Load(QStringLiteral("EMP"), kJoin)) {
        std::fprintf(stderr, "the EMP filter did not open\n");
        std::exit(2);
    }
    return w;
}

struct Shown {
    int rows = 0;
    BoundSql statement;
    bool released = true;   // Cancel let go of the rows
};

// From a new window to the formatted grid; then Cancel, untimed.
double throughFilter(const QString &prefix, Shown &shown) {
    QElapsedTimer t;
    t.start();
    auto w = newFilter();
    if (!prefix.isEmpty())
        w->txtFld(1)->setText(prefix);
    w->middleButton(QStringLiteral("Ok"))->trigger();
    const double ms = t.nsecsElapsed() / 1e6;
    shown.rows = w->dgdGrid()->gridModel()->rowCount();
    shown.statement = w->lastStatement();
    std::weak_ptr<zv::db::Recordset> rows = w->mrecGrid();
    w->footerButton(QStringLiteral("Cancel"))->trigger();
    shown.released = shown.released && rows.expired();
    return ms;
}

} // namespace

int main(int argc, char **argv) {
    bench::offscreenByDefault();
    QApplication app(argc, argv);
    zv::ui::installProgramStyle();   // as the program starts
    gEmployees = bench::sizeArg(argc, argv, 1, 100000);
    const int pairs = bench::sizeArg(argc, argv, 2, bench::kPairs);

    QTemporaryDir dir;
    const QString db = bench::filledProductionCopy(dir, fill, QStringLiteral("%1 employees").arg(gEmployees));
    if (db.isEmpty() || !bench::openAsProduction(db))
        return 2;
    sqlite3 *raw = bench::openRaw(db, true);

    // One untimed round: warms both sides' caches and gives the statements.
    Shown open, criterion;
    throughFilter(QString(), open);
    throughFilter(kNamePrefix, criterion);
    direct(raw, open.statement);

    const bench::PairedTimes openTimes = bench::pairedRuns(
        pairs, [&] { return throughFilter(QString(), open); }, [&] { return direct(raw, open.statement); });
    const int openRawRows = gRawRows;
    const bench::PairedTimes criterionTimes = bench::pairedRuns(
        pairs, [&] { return throughFilter(kNamePrefix, criterion); },
        [&] { return direct(raw, criterion.statement); });
    const int criterionRawRows = gRawRows;
    sqlite3_close(raw);
    modCommon::CloseMainConnection();

    if (open.rows != openRawRows || criterion.rows != criterionRawRows) {
        std::fprintf(stderr, "row counts differ: filter %d/%d, SQLite %d/%d\n", open.rows, criterion.rows,
                     openRawRows, criterionRawRows);
        return 2;
    }
    std::printf("%d employees, median of %zu pairs, program = the general filter\n", gEmployees,
                openTimes.program.size());
    const QByteArray openLabel = QStringLiteral("open, no criterion (%1 rows)").arg(open.rows).toUtf8();
    const QByteArray critLabel = QStringLiteral("open, one criterion (%1 rows)").arg(criterion.rows).toUtf8();
    bench::printMedians(openLabel.constData(), openTimes);
    bench::printMedians(critLabel.constData(), criterionTimes);
    const bool released = open.released && criterion.released;
    std::printf("Cancel let go of the rows shown: %s\n", released ? "yes" : "NO");
    const int verdict = bench::finish(openTimes.ratio() >= criterionTimes.ratio() ? openTimes : criterionTimes, kGoal);
    return released ? verdict : 1;
}
