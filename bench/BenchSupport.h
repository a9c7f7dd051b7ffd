#pragma once
// What the benchmarks that fill a copy of the fresh production database share.
#include "core/modCommon.h"
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QtGlobal>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <sqlite3.h>
#include <string>
#include <vector>

namespace bench {

// Stops the run on an SQLite failure: a half-filled database times nothing.
inline void check(int rc, sqlite3 *db, const char *what) {
    if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW) {
        std::fprintf(stderr, "%s: %s\n", what, sqlite3_errmsg(db));
        std::exit(1);
    }
}

// A prepared statement of a raw connection with its values bound by
// position; run() steps it once and readies it for the next values.
struct Statement {
    sqlite3 *db;
    sqlite3_stmt *st = nullptr;
    Statement(sqlite3 *d, const char *sql) : db(d) { check(sqlite3_prepare_v2(db, sql, -1, &st, nullptr), db, sql); }
    ~Statement() { sqlite3_finalize(st); }
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;
    Statement &i(int pos, long long v) {
        sqlite3_bind_int64(st, pos, v);
        return *this;
    }
    Statement &t(int pos, const std::string &v) {
        sqlite3_bind_text(st, pos, v.c_str(), -1, SQLITE_TRANSIENT);
        return *this;
    }
    Statement &null(int pos) {
        sqlite3_bind_null(st, pos);
        return *this;
    }
    // The last inserted row's key.
    long long run() {
        check(sqlite3_step(st), db, "step");
        sqlite3_reset(st);
        return sqlite3_last_insert_rowid(db);
    }
};

// The middle value of a run's times.
inline double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// The positive whole number given as argument index, else fallback.
inline int sizeArg(int argc, char **argv, int index, int fallback) {
    if (index >= argc)
        return fallback;
    char *end = nullptr;
    const long n = std::strtol(argv[index], &end, 10);
    if (!end || *end || n <= 0) {
        std::fprintf(stderr, "not a positive number: %s\n", argv[index]);
        std::exit(2);
    }
    return int(n);
}

// Times in ms of the program's path and of the raw SQLite path.
struct PairedTimes {
    std::vector<double> program, raw;
    double programMedian() const { return median(program); }
    double rawMedian() const { return median(raw); }
    // The median of the pairs' ratios: each pair ran at one moment, so a
    // machine busy with other work moves both of its sides alike.
    double ratio() const {
        std::vector<double> r;
        for (size_t i = 0; i < program.size() && i < raw.size(); ++i)
            r.push_back(program[i] / raw[i]);
        return median(r);
    }
};

// Runs the two paths alternately, in pairs (at least 5), the side that goes
// first changing from pair to pair, so that neither always meets a warmer
// cache. Each callable returns the milliseconds it timed.
template <class Program, class Raw> PairedTimes pairedRuns(int pairs, Program program, Raw raw) {
    PairedTimes t;
    pairs = std::max(pairs, 5);
    for (int i = 0; i < pairs; ++i) {
        if (i % 2 == 0) {
            t.program.push_back(program());
            t.raw.push_back(raw());
        } else {
            t.raw.push_back(raw());
            t.program.push_back(program());
        }
    }
    return t;
}

// "<label>  program 12.3 ms  raw 10.1 ms  ratio 1.22": the medians and the pairs' ratio.
inline void printMedians(const char *label, const PairedTimes &t) {
    std::printf("%-40s program %9.1f ms   raw %9.1f ms   ratio %.2f\n", label, t.programMedian(), t.rawMedian(),
                t.ratio());
}

// Prints the ratio that the goal is about as the last line; the exit code:
// 0 within the goal, 1 above it.
inline int finish(double ratio, double goal) {
    std::printf("ratio %.2f (goal %.2f: %s)\n", ratio, goal, ratio <= goal ? "within" : "MISSED");
    return ratio <= goal ? 0 : 1;
}

// Offscreen unless a platform was chosen; before the QApplication is made.
inline void offscreenByDefault() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

// A writable copy of the fresh production database in dir; empty, said on
// stderr, when it cannot be made.
inline QString freshProductionCopy(const QTemporaryDir &dir) {
    const QString db = dir.filePath(QStringLiteral("ZV-DATA.mdb"));
    if (!QFile::copy(QStringLiteral(ZV_FRESH_DIR "/Data/ZV-DATA.mdb"), db)) {
        std::fprintf(stderr, "cannot copy the fresh production database from %s\n", ZV_FRESH_DIR);
        return QString();
    }
    QFile::setPermissions(db, QFile::ReadOwner | QFile::WriteOwner);
    return db;
}

// freshProductionCopy filled by fill, with "filled <what> in <ms> ms" printed.
template <class Fill> QString filledProductionCopy(const QTemporaryDir &dir, Fill fill, const QString &what) {
    const QString db = freshProductionCopy(dir);
    if (db.isEmpty())
        return db;
    QElapsedTimer t;
    t.start();
    fill(db);
    std::printf("filled %s in %.0f ms\n", qPrintable(what), t.nsecsElapsed() / 1e6);
    return db;
}

// Opens db as the program's production database; false, said on stderr, when it does not open.
inline bool openAsProduction(const QString &db) {
    modCommon::gDBPath = db;
    modCommon::OpenDatabase();
    if (!modCommon::gConnOpen) {
        std::fprintf(stderr, "cannot open %s\n", qPrintable(db));
        return false;
    }
    return true;
}

} // namespace bench
