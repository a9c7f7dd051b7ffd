// Times the recalculation of every activity line's last generated date, the
// program's routine against one set-based UPDATE on SQLite itself (the same
// rows written, in one transaction), in paired runs that alternate which goes
// first. Every run starts from stale dates and is checked afterwards.
//   bench_lastgen [lines [entries]]     (default 10000 lines, 500000 entries)
// Then the program's runs on twice the entries (the time stays flat: each
// line's latest date is read from the index) paired with those on the first
// size, and on twice the lines, with entries of their own (linear), paired
// with twice the entries. Each ratio is the median of the pairs' ratios with
// the middle half of them beside it. The last line is the ratio program / raw
// at the first size; the exit status is 1 when a goal is missed.
#include "BenchSupport.h"
#include "activity/LastGeneratedDate.h"
#include "activity/frmLastGnrDateUpdation.h"
#include "core/modCommon.h"
#include "platform/db/Connection.h"
#include "platform/ui/MessageService.h"
#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <sqlite3.h>
#include <vector>

using bench::check;
using bench::median;

namespace {

constexpr int kLinesPerActivity = 5;
constexpr int kEmployees = 200;
constexpr double kGoalRatio = 1.5;      // program / raw
constexpr double kGoalFlat = 1.5;       // twice the entries / once
constexpr double kGoalLinear = 2.6;     // twice the lines / once

const char *const kSetBased = "UPDATE Actvty_Mast_Det AS D SET Last_Gnrtd_Date = (SELECT MAX(SC.Expctd_Date)"
                              " FROM Statry_Cmpltd_Entry SC WHERE SC.Sys_Actvty_Line_Num = D.Sys_Actvty_Line_Num)";

sqlite3_stmt *prepare(sqlite3 *db, const char *sql) {
    sqlite3_stmt *st = nullptr;
    check(sqlite3_prepare_v2(db, sql, -1, &st, nullptr), db, sql);
    return st;
}

void step(sqlite3 *db, sqlite3_stmt *st, const char *what) {
    check(sqlite3_step(st), db, what);
    sqlite3_reset(st);
}

void exec(sqlite3 *db, const char *sql) { check(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), db, sql); }

using bench::openRaw;

long long count(sqlite3 *db, const char *sql) {
    sqlite3_stmt *st = prepare(db, sql);
    check(sqlite3_step(st), db, sql);
    const long long n = sqlite3_column_int64(st, 0);
    sqlite3_finalize(st);
    return n;
}

// Adds lines new lines (in activities of five) after those on file.
void addLines(sqlite3 *db, int lines) {
    exec(db, "BEGIN");
    exec(db, "INSERT INTO Dept_Mast (Dept_Desc) SELECT 'Accounts' WHERE NOT EXISTS (SELECT 1 FROM Dept_Mast);"
             "INSERT INTO Desg_Mast (Desg_Name) SELECT 'Clerk' WHERE NOT EXISTS (SELECT 1 FROM Desg_Mast)");
    char text[64];
    if (sqlite3_stmt *any = prepare(db, "SELECT count(*) FROM Emp_Mast"); sqlite3_step(any) == SQLITE_ROW) {
        const int have = sqlite3_column_int(any, 0);
        sqlite3_finalize(any);
        sqlite3_stmt *emp = prepare(db, "INSERT INTO Emp_Mast (Emp_Num, Emp_Name, Sys_Desg_Num, Sys_Dept_Num) "
                                        "VALUES (?, ?, 1, 1)");
        for (int i = have + 1; i <= kEmployees; ++i) {
            std::snprintf(text, sizeof text, "E%04d", i);
            sqlite3_bind_text(emp, 1, text, -1, SQLITE_TRANSIENT);
            std::snprintf(text, sizeof text, "Employee %04d", i);
            sqlite3_bind_text(emp, 2, text, -1, SQLITE_TRANSIENT);
            step(db, emp, "employee");
        }
        sqlite3_finalize(emp);
    }
    sqlite3_stmt *act = prepare(db, "INSERT INTO Actvty_Mast (Entry_Date, Actvty_Desc) VALUES ('2024-01-01', ?)");
    sqlite3_stmt *line = prepare(db, "INSERT INTO Actvty_Mast_Det (Sys_Actvty_Num, Sys_Dept_Num, Sys_Emp_Num, "
                                     "Start_Date, End_Date, Sys_Const_Num) VALUES (?, 1, ?, ?, ?, 16)");
    const long long before = count(db, "SELECT count(*) FROM Actvty_Mast");
    long long activity = 0;
    for (int l = 0; l < lines; ++l) {
        const int k = l % kLinesPerActivity;
        if (k == 0) {
            std::snprintf(text, sizeof text, "Activity %lld", before + l / kLinesPerActivity + 1);
            sqlite3_bind_text(act, 1, text, -1, SQLITE_TRANSIENT);
            step(db, act, "activity");
            activity = sqlite3_last_insert_rowid(db);
        }
        sqlite3_bind_int64(line, 1, activity);
        sqlite3_bind_int(line, 2, l % kEmployees + 1);
        std::snprintf(text, sizeof text, "20%02d-01-01", 20 + k);
        sqlite3_bind_text(line, 3, text, -1, SQLITE_TRANSIENT);
        std::snprintf(text, sizeof text, "20%02d-12-31", 20 + k);
        sqlite3_bind_text(line, 4, text, -1, SQLITE_TRANSIENT);
        step(db, line, "line");
    }
    sqlite3_finalize(act);
    sqlite3_finalize(line);
    exec(db, "COMMIT");
}

// Adds entries schedule entries, shared in turn by every line but each tenth
// (which keeps none), with expected dates over two years, not in date order,
// the older half completed.
void addEntries(sqlite3 *db, int entries, int seed) {
    std::vector<std::pair<long long, long long>> lines;   // (activity, line)
    sqlite3_stmt *q = prepare(db, "SELECT Sys_Actvty_Num, Sys_Actvty_Line_Num FROM Actvty_Mast_Det "
                                  "WHERE Sys_Actvty_Line_Num % 10 <> 0 ORDER BY Sys_Actvty_Line_Num");
    while (sqlite3_step(q) == SQLITE_ROW)
        lines.emplace_back(sqlite3_column_int64(q, 0), sqlite3_column_int64(q, 1));
    sqlite3_finalize(q);
    exec(db, "BEGIN");
    sqlite3_stmt *entry = prepare(db, "INSERT INTO Statry_Cmpltd_Entry (Sys_Actvty_Num, Sys_Actvty_Line_Num, "
                                      "Sys_Emp_Num, Expctd_Date, Cmpltd_Date) "
                                      "VALUES (?, ?, ?, date('2024-01-01', ?), ?)");
    char text[32];
    for (int e = 0; e < entries; ++e) {
        const auto [activity, lineKey] = lines[e % lines.size()];
        const int round = e / int(lines.size()) + seed;
        sqlite3_bind_int64(entry, 1, activity);
        sqlite3_bind_int64(entry, 2, lineKey);
        sqlite3_bind_int(entry, 3, int(lineKey % kEmployees) + 1);
        std::snprintf(text, sizeof text, "+%d days", int((round * 37 + lineKey) % 730));
        sqlite3_bind_text(entry, 4, text, -1, SQLITE_TRANSIENT);
        if (round % 2 == 0)
            sqlite3_bind_text(entry, 5, "2024-06-30", -1, SQLITE_STATIC);
        else
            sqlite3_bind_null(entry, 5);
        step(db, entry, "entry");
    }
    sqlite3_finalize(entry);
    exec(db, "COMMIT");
}

// Lines whose date differs from the latest expected date of their entries.
const char *const kWrongLines = "SELECT count(*) FROM Actvty_Mast_Det D WHERE Last_Gnrtd_Date IS NOT (SELECT "
                                "MAX(SC.Expctd_Date) FROM Statry_Cmpltd_Entry SC WHERE SC.Sys_Actvty_Line_Num = "
                                "D.Sys_Actvty_Line_Num)";
long long wrongLines(sqlite3 *db) { return count(db, kWrongLines); }

// One copy of the data: the program's connection and a raw one on its file.
struct Side {
    zv::db::Connection *program = nullptr;
    sqlite3 *raw = nullptr;
};

// Every line's date made stale on the connection that is timed next, which
// then reads what the update reads: a write on the other connection empties
// a connection's page cache, so each side starts with its cache as full as
// the other's, whichever ran before it.
void makeStale(zv::db::Connection &c) {
    c.execute(QStringLiteral("UPDATE Actvty_Mast_Det SET Last_Gnrtd_Date = '2000-01-01'"));
    c.scalar(QString::fromLatin1(kWrongLines));
}
void makeStale(sqlite3 *raw) {
    exec(raw, "UPDATE Actvty_Mast_Det SET Last_Gnrtd_Date = '2000-01-01'");
    wrongLines(raw);
}

// Times one run and checks every line's date afterwards.
double timed(const char *label, sqlite3 *check, const std::function<void()> &run) {
    QElapsedTimer t;
    t.start();
    run();
    const double ms = t.nsecsElapsed() / 1e6;
    if (const long long wrong = wrongLines(check)) {
        std::fprintf(stderr, "%s: %lld lines have a wrong date\n", label, wrong);
        std::exit(1);
    }
    return ms;
}

double programRun(const Side &s) {
    makeStale(*s.program);
    return timed("program", s.raw, [&] { zv::activity::RecalculateLastGnrtdDate(*s.program); });
}

double rawRun(const Side &s) {
    makeStale(s.raw);
    return timed("raw", s.raw, [&] {
        exec(s.raw, "BEGIN IMMEDIATE");
        exec(s.raw, kSetBased);
        exec(s.raw, "COMMIT");
    });
}

void printSize(const char *what, const Side &s) {
    std::printf("%-20s %6lld lines %8lld entries\n", what, count(s.raw, "SELECT count(*) FROM Actvty_Mast_Det"),
                count(s.raw, "SELECT count(*) FROM Statry_Cmpltd_Entry"));
}

} // namespace

int main(int argc, char **argv) {
    bench::offscreenByDefault();
    QApplication app(argc, argv);
    const bool goalSizes = argc < 2;
    const int lines = argc > 1 ? std::atoi(argv[1]) : 10000;
    const int entries = argc > 2 ? std::atoi(argv[2]) : 500000;
    if (lines < 10 || entries < 1) {
        std::fprintf(stderr, "usage: bench_lastgen [lines [entries]]\n");
        return 2;
    }

    QTemporaryDir dir;
    const QString path = bench::filledProductionCopy(
        dir,
        [&](const QString &file) {
            sqlite3 *db = openRaw(file);
            addLines(db, lines);
            addEntries(db, entries, 0);
            sqlite3_close(db);
        },
        QStringLiteral("%1 lines, %2 schedule entries").arg(lines).arg(entries));
    if (path.isEmpty())
        return 1;
    // For the scaling checks, copies with twice the entries on the same lines
    // (flat: each line's latest date is read from the index) and then twice
    // the lines, with entries of their own (linear).
    const QString moreEntriesPath = dir.filePath(QStringLiteral("entries.mdb"));
    const QString moreLinesPath = dir.filePath(QStringLiteral("lines.mdb"));
    if (goalSizes) {
        if (!QFile::copy(path, moreEntriesPath))
            return 1;
        sqlite3 *db = openRaw(moreEntriesPath);
        addEntries(db, entries, 1);
        sqlite3_close(db);
        if (!QFile::copy(moreEntriesPath, moreLinesPath))
            return 1;
        db = openRaw(moreLinesPath);
        addLines(db, lines);
        addEntries(db, entries, 2);
        sqlite3_close(db);
    }
    if (!bench::openAsProduction(path))
        return 1;
    const Side base{&modCommon::MainConnection(), openRaw(path)};
    std::printf("medians of %d pairs, each run rewriting every line's date\n", bench::kPairs);

    printSize("as filled", base);
    const bench::PairedTimes times =
        bench::pairedRuns(bench::kPairs, [&] { return programRun(base); }, [&] { return rawRun(base); });
    bench::printMedians("  program / raw", times);

    // The update window's run, from the confirmation to the completion
    // message, for the record: the progress bar costs little.
    {
        zv::ui::ScriptedMessageService messages;
        std::vector<double> ms;
        for (int i = 0; i < bench::kPairs; ++i) {
            makeStale(*base.program);
            frmLastGnrDateUpdation form;
            form.show();
            QApplication::processEvents();
            messages.clear();
            messages.answer(zv::ui::vbYes);
            QElapsedTimer t;
            t.start();
            form.UpdateLastGnrtdDate();
            ms.push_back(t.nsecsElapsed() / 1e6);
            if (!messages.prompts().contains(QStringLiteral("All the records updated successfully")) ||
                wrongLines(base.raw) != 0) {
                std::fprintf(stderr, "the window's run failed: %s\n", qPrintable(messages.prompts().join(" | ")));
                return 1;
            }
        }
        std::printf("  the update window, progress bar included: program %.1f ms\n", median(ms));
    }

    bool missed = false;
    if (goalSizes) {
        // The scaling checks pair the program's runs on two sizes, so that the
        // machine's other load moves both alike.
        zv::db::Connection entriesConn, linesConn;
        entriesConn.open(moreEntriesPath);
        linesConn.open(moreLinesPath);
        const Side moreEntries{&entriesConn, openRaw(moreEntriesPath)};
        const Side moreLines{&linesConn, openRaw(moreLinesPath)};
        printSize("twice the entries", moreEntries);
        printSize("twice the lines", moreLines);
        const bench::PairedTimes flat = bench::pairedRuns(
            bench::kPairs, [&] { return programRun(moreEntries); }, [&] { return programRun(base); });
        const bench::PairedTimes linear = bench::pairedRuns(
            bench::kPairs, [&] { return programRun(moreLines); }, [&] { return programRun(moreEntries); });
        std::printf("  twice the entries / as filled: %8.1f / %8.1f ms   ratio %s (goal at most %.1f)\n",
                    flat.programMedian(), flat.rawMedian(), bench::ratioText(flat.ratioSpread()).c_str(), kGoalFlat);
        std::printf("  twice the lines / twice the entries: %8.1f / %8.1f ms   ratio %s (goal at most %.1f)\n",
                    linear.programMedian(), linear.rawMedian(), bench::ratioText(linear.ratioSpread()).c_str(),
                    kGoalLinear);
        missed = !bench::within("flat in entries", flat.ratioSpread(), kGoalFlat) |
                 !bench::within("linear in lines", linear.ratioSpread(), kGoalLinear);
        sqlite3_close(moreEntries.raw);
        sqlite3_close(moreLines.raw);
    }
    sqlite3_close(base.raw);
    modCommon::CloseMainConnection();
    std::printf("program / raw at the first size:\n");
    return bench::finish(times, kGoalRatio, missed);
}

