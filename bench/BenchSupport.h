#pragma once
// What the benchmarks that fill a copy of the fresh production database share.
#include "core/modCommon.h"
#include "platform/db/Connection.h"
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

// A raw connection set up as the program's connections are (page cache, no
// memory map, foreign keys, journal), so that a raw side differs from the
// program's only by the program's own work. Read-only where asked.
inline sqlite3 *openRaw(const QString &path, bool readOnly = false) {
    sqlite3 *db = nullptr;
    check(sqlite3_open_v2(path.toUtf8().constData(), &db, readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE,
                          nullptr),
          db, "open");
    sqlite3_busy_timeout(db, zv::db::kBusyTimeoutMs);
    const std::string pragmas = "PRAGMA foreign_keys=ON; " +
                                std::string(readOnly ? "" : "PRAGMA journal_mode=DELETE; ") +
                                "PRAGMA cache_size=-" + std::to_string(zv::db::kPageCacheKiB) +
                                "; PRAGMA mmap_size=" + std::to_string(zv::db::kMemoryMapBytes) + ";";
    check(sqlite3_exec(db, pragmas.c_str(), nullptr, nullptr, nullptr), db, "pragmas");
    return db;
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

// Pairs a benchmark takes unless told otherwise: with eleven, a few runs
// slowed by other work on the machine move the median little.
inline constexpr int kPairs = 11;

// The middle value of a run's times.
inline double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// The median of some values and the middle half of them around it (from the
// lower to the upper quartile): how far a verdict could move from run to run.
struct Spread {
    double median = 0, low = 0, high = 0;
};
inline Spread spreadOf(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const auto at = [&v](double q) { return v[size_t(q * double(v.size() - 1) + 0.5)]; };
    return {v[v.size() / 2], at(0.25), at(0.75)};
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

// Times in ms of the program's path and of the raw SQLite path, pair by pair.
struct PairedTimes {
    std::vector<double> program, raw;
    double programMedian() const { return median(program); }
    double rawMedian() const { return median(raw); }
    // Each pair's program / raw: a pair ran at one moment, so a machine busy
    // with other work moves both of its sides alike, where it moves the
    // medians of the two sides apart.
    std::vector<double> ratios() const {
        std::vector<double> r;
        for (size_t i = 0; i < program.size() && i < raw.size(); ++i)
            r.push_back(program[i] / raw[i]);
        return r;
    }
    Spread ratioSpread() const { return spreadOf(ratios()); }
    // The verdict: the median of the pairs' ratios.
    double ratio() const { return ratioSpread().median; }
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

// "1.22 (1.15-1.30)": a ratio and the middle half of the pairs' ratios.
inline std::string ratioText(const Spread &s) {
    char text[64];
    std::snprintf(text, sizeof text, "%.2f (%.2f-%.2f)", s.median, s.low, s.high);
    return text;
}

// "<label>  program 12.3 ms  raw 10.1 ms  ratio 1.22 (1.15-1.30)": the medians, the
// pairs' ratio and its spread.
inline void printMedians(const char *label, const PairedTimes &t) {
    std::printf("%-40s program %9.1f ms   raw %9.1f ms   ratio %s\n", label, t.programMedian(), t.rawMedian(),
                ratioText(t.ratioSpread()).c_str());
}

// Whether a ratio is within its goal; a missed one is said on stderr.
inline bool within(const char *what, const Spread &s, double goal) {
    if (s.median <= goal)
        return true;
    std::fprintf(stderr, "%s: %.2f, goal at most %.2f\n", what, s.median, goal);
    return false;
}

// Prints the ratio that the goal is about, with its spread, as the last line;
// the exit code: 0 within the goal, 1 above it (or when missed says so).
inline int finish(const Spread &s, double goal, bool missed = false) {
    const bool ok = s.median <= goal && !missed;
    std::printf("ratio %s (goal %.2f: %s)\n", ratioText(s).c_str(), goal, ok ? "within" : "MISSED");
    return ok ? 0 : 1;
}
inline int finish(const PairedTimes &t, double goal, bool missed = false) { return finish(t.ratioSpread(), goal, missed); }

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
    if (modCommon::OpenDatabase() != zv::db::OpenOutcome::Opened) {
        std::fprintf(stderr, "cannot open %s\n", qPrintable(db));
        return false;
    }
    return true;
}

} // namespace bench
