// Fills 2,000 activities with 10,000 lines and 500,000 schedule entries into a
// copy of the fresh production database and times the recalculation of every
// line's last generated date:
//   routine:   the shared routine alone (one read, one prepared update a line, one transaction);
//   window:    the update window's run from the confirmation on, progress bar and painting included;
//   set-based: one UPDATE with a correlated MAX, for comparison (no progress possible);
//   per line:  updateLastGeneratedDate of each line in one transaction, for comparison.
// Every run starts from stale dates and is checked against the entries afterwards.
#include "BenchSupport.h"
#include "activity/ActivityRules.h"
#include "activity/LastGeneratedDate.h"
#include "activity/frmLastGnrDateUpdation.h"
#include "core/modCommon.h"
#include "platform/ui/MessageService.h"
#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <sqlite3.h>
#include <vector>

using bench::check;

namespace {

constexpr int kActivities = 2000;
constexpr int kLinesPerActivity = 5;
constexpr int kLines = kActivities * kLinesPerActivity;
constexpr int kEntries = 500000;
constexpr int kEmployees = 200;
constexpr int kRuns = 5;

sqlite3_stmt *prepare(sqlite3 *db, const char *sql) {
    sqlite3_stmt *st = nullptr;
    check(sqlite3_prepare_v2(db, sql, -1, &st, nullptr), db, sql);
    return st;
}

void step(sqlite3 *db, sqlite3_stmt *st, const char *what) {
    check(sqlite3_step(st), db, what);
    sqlite3_reset(st);
}

// Every tenth line has no entries; the others share the entries in turn, with
// expected dates over two years and the older half completed.
void fill(const QString &path) {
    sqlite3 *db = nullptr;
    check(sqlite3_open(path.toUtf8().constData(), &db), db, "open");
    check(sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr), db, "begin");
    check(sqlite3_exec(db, "INSERT INTO Dept_Mast (Dept_Desc) VALUES ('Accounts');"
                           "INSERT INTO Desg_Mast (Desg_Name) VALUES ('Clerk')",
                       nullptr, nullptr, nullptr),
          db, "department");
    sqlite3_stmt *emp = prepare(db, "INSERT INTO Emp_Mast (Emp_Num, Emp_Name, Sys_Desg_Num, Sys_Dept_Num) "
                                    "VALUES (?, ?, 1, 1)");
    char text[64];
    for (int i = 1; i <= kEmployees; ++i) {
        std::snprintf(text, sizeof text, "E%04d", i);
        sqlite3_bind_text(emp, 1, text, -1, SQLITE_TRANSIENT);
        std::snprintf(text, sizeof text, "Employee %04d", i);
        sqlite3_bind_text(emp, 2, text, -1, SQLITE_TRANSIENT);
        step(db, emp, "employee");
    }
    sqlite3_finalize(emp);
    sqlite3_stmt *act = prepare(db, "INSERT INTO Actvty_Mast (Entry_Date, Actvty_Desc) VALUES ('2024-01-01', ?)");
    sqlite3_stmt *line = prepare(db, "INSERT INTO Actvty_Mast_Det (Sys_Actvty_Num, Sys_Dept_Num, Sys_Emp_Num, "
                                     "Start_Date, End_Date, Sys_Const_Num) VALUES (?, 1, ?, ?, ?, 16)");
    for (int a = 1; a <= kActivities; ++a) {
        std::snprintf(text, sizeof text, "Activity %05d", a);
        sqlite3_bind_text(act, 1, text, -1, SQLITE_TRANSIENT);
        step(db, act, "activity");
        for (int l = 0; l < kLinesPerActivity; ++l) {
            sqlite3_bind_int(line, 1, a);
            sqlite3_bind_int(line, 2, (a + l) % kEmployees + 1);
            std::snprintf(text, sizeof text, "20%02d-01-01", 20 + l);
            sqlite3_bind_text(line, 3, text, -1, SQLITE_TRANSIENT);
            std::snprintf(text, sizeof text, "20%02d-12-31", 20 + l);
            sqlite3_bind_text(line, 4, text, -1, SQLITE_TRANSIENT);
            step(db, line, "line");
        }
    }
    sqlite3_finalize(act);
    sqlite3_finalize(line);

    std::vector<int> withEntries;
    for (int k = 1; k <= kLines; ++k)
        if (k % 10 != 0)
            withEntries.push_back(k);
    sqlite3_stmt *entry = prepare(db, "INSERT INTO Statry_Cmpltd_Entry (Sys_Actvty_Num, Sys_Actvty_Line_Num, "
                                      "Sys_Emp_Num, Expctd_Date, Cmpltd_Date) VALUES (?, ?, ?, date(?, ?), ?)");
    for (int e = 0; e < kEntries; ++e) {
        const int lineKey = withEntries[e % withEntries.size()];
        const int round = e / int(withEntries.size());
        sqlite3_bind_int(entry, 1, (lineKey - 1) / kLinesPerActivity + 1);
        sqlite3_bind_int(entry, 2, lineKey);
        sqlite3_bind_int(entry, 3, lineKey % kEmployees + 1);
        sqlite3_bind_text(entry, 4, "2024-01-01", -1, SQLITE_STATIC);
        // Not in date order, so the latest is not simply the last written.
        std::snprintf(text, sizeof text, "+%d days", (round * 37 + lineKey) % 730);
        sqlite3_bind_text(entry, 5, text, -1, SQLITE_TRANSIENT);
        if (round % 2 == 0)
            sqlite3_bind_text(entry, 6, "2024-06-30", -1, SQLITE_STATIC);
        else
            sqlite3_bind_null(entry, 6);
        step(db, entry, "entry");
    }
    sqlite3_finalize(entry);
    check(sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr), db, "commit");
    sqlite3_close(db);
}

void staleDates() {
    modCommon::gConn->execute(QStringLiteral("UPDATE Actvty_Mast_Det SET Last_Gnrtd_Date = '2000-01-01'"));
}

// Lines whose date differs from the latest expected date of their entries.
qlonglong wrongLines() {
    return modCommon::gConn
        ->scalar(QStringLiteral(
            "SELECT count(*) FROM Actvty_Mast_Det D WHERE Last_Gnrtd_Date IS NOT (SELECT MAX(SC.Expctd_Date)"
            " FROM Statry_Cmpltd_Entry SC WHERE SC.Sys_Actvty_Line_Num = D.Sys_Actvty_Line_Num)"))
        .toLongLong();
}

// prepare runs before the clock starts.
double timed(const char *label, const std::function<void()> &run, const std::function<void()> &prepare = {}) {
    std::vector<double> times;
    for (int i = 0; i < kRuns; ++i) {
        staleDates();
        if (prepare)
            prepare();
        QElapsedTimer t;
        t.start();
        run();
        times.push_back(t.nsecsElapsed() / 1e6);
        if (const qlonglong wrong = wrongLines()) {
            std::fprintf(stderr, "%s: %lld lines have a wrong date\n", label, wrong);
            std::exit(1);
        }
    }
    std::sort(times.begin(), times.end());
    const double median = times[times.size() / 2];
    std::printf("%-10s median %8.1f ms   (min %.1f, max %.1f)\n", label, median, times.front(), times.back());
    return median;
}

} // namespace

int main(int argc, char **argv) {
    bench::offscreenByDefault();
    QApplication app(argc, argv);

    QTemporaryDir dir;
    const QString what =
        QStringLiteral("%1 activities, %2 lines, %3 schedule entries").arg(kActivities).arg(kLines).arg(kEntries);
    const QString db = bench::filledProductionCopy(dir, fill, what);
    if (db.isEmpty() || !bench::openAsProduction(db))
        return 1;
    zv::ui::ScriptedMessageService messages;
    std::printf("median of %d runs, each rewriting all %d lines\n", kRuns, kLines);

    timed("routine", [] { zv::activity::RecalculateLastGnrtdDate(*modCommon::gConn); });
    // From the confirmation to the completion message, the window shown.
    std::unique_ptr<frmLastGnrDateUpdation> form;
    timed(
        "window",
        [&] {
            form->UpdateLastGnrtdDate();
            if (!messages.prompts().contains(QStringLiteral("All the records updated successfully"))) {
                std::fprintf(stderr, "the window's run failed: %s\n", qPrintable(messages.prompts().join(" | ")));
                std::exit(1);
            }
        },
        [&] {
            form = std::make_unique<frmLastGnrDateUpdation>();
            form->show();
            QApplication::processEvents();
            messages.clear();
            messages.answer(zv::ui::vbYes);
        });
    form.reset();
    timed("set-based", [] {
        modCommon::gConn->execute(QStringLiteral(
            "UPDATE Actvty_Mast_Det AS D SET Last_Gnrtd_Date = (SELECT MAX(SC.Expctd_Date)"
            " FROM Statry_Cmpltd_Entry SC WHERE SC.Sys_Actvty_Line_Num = D.Sys_Actvty_Line_Num)"));
    });
    timed("per line", [] {
        zv::db::Connection &conn = *modCommon::gConn;
        zv::db::Transaction transaction(conn);
        const zv::db::Recordset lines = conn.query(QStringLiteral("SELECT Sys_Actvty_Line_Num FROM Actvty_Mast_Det"));
        for (int i = 0; i < lines.recordCount(); ++i)
            zv::activity::updateLastGeneratedDate(conn, lines.valueAt(i, 0).toLongLong());
        transaction.commit();
    });
    modCommon::gConn->close();
    return 0;
}
