// Reads schedule entries back through the database layer and through the raw
// SQLite C API, alternately, and prints the medians and their ratio; the read
// ratio is the last line. Inserting the same rows is timed the same way, for
// information. Both sides copy every value of every row into memory they own
// and read each value back once; text stays text, Null stays apart from "".
//
//   bench_db [rows] [pairs]      defaults: 100000 rows, 11 pairs
//
// The verdict is the median of the pairs' ratios, printed with the middle half
// of them. Exits 1 when the layer's read takes more than 1.3 times the raw read.
#include "BenchSupport.h"
#include "platform/db/Connection.h"
#include "platform/db/Dates.h"
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdio>
#include <optional>
#include <sqlite3.h>
#include <string>
#include <vector>

using bench::check;

namespace {

constexpr double kReadGoal = 1.3;

const char *kSchema =
    "CREATE TABLE Statry_Cmpltd_Entry (Sys_Entry_Num INTEGER PRIMARY KEY AUTOINCREMENT, Sys_Actvty_Num INTEGER,"
    " Sys_Actvty_Line_Num INTEGER, Sys_Emp_Num INTEGER, Expctd_Date TEXT, Cmpltd_Date TEXT, Not_Needed INTEGER,"
    " Remarks TEXT COLLATE NOCASE);";
const char *kInsert = "INSERT INTO Statry_Cmpltd_Entry (Sys_Actvty_Num, Sys_Actvty_Line_Num, Sys_Emp_Num,"
                      " Expctd_Date, Cmpltd_Date, Not_Needed, Remarks) VALUES (?, ?, ?, ?, ?, ?, ?)";
const char *kSelect = "SELECT Sys_Actvty_Num, Sys_Actvty_Line_Num, Sys_Emp_Num, Expctd_Date, Cmpltd_Date, Not_Needed,"
                      " Remarks FROM Statry_Cmpltd_Entry ORDER BY Sys_Entry_Num";

int gRows = 100000;
const QDate kBase(2026, 1, 1);

QString emptyDb(const QTemporaryDir &dir, const QString &name) {
    const QString path = dir.filePath(name);
    QFile::remove(path);
    sqlite3 *db = nullptr;
    check(sqlite3_open(path.toUtf8().constData(), &db), db, "create");
    check(sqlite3_exec(db, kSchema, nullptr, nullptr, nullptr), db, "schema");
    sqlite3_close(db);
    return path;
}

using bench::openRaw;

// ------------------------------------------------------------------ inserts

double insertLayer(const QString &path) {
    zv::db::Connection c;
    c.open(path);
    QElapsedTimer t;
    t.start();
    zv::db::Transaction tx(c);
    for (int i = 0; i < gRows; ++i)
        c.execute(kInsert, {i / 100, i % 100, i % 500, zv::db::dateParam(kBase.addDays(i % 365)),
                            i % 3 ? QVariant() : zv::db::dateParam(kBase.addDays(i % 365 + 1)), i % 2,
                            QStringLiteral("entry ") + QString::number(i)});
    tx.commit();
    return t.nsecsElapsed() / 1e6;
}

double insertRaw(const QString &path) {
    sqlite3 *db = openRaw(path);
    QElapsedTimer t;
    t.start();
    check(sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), db, "begin");
    sqlite3_stmt *st = nullptr;
    check(sqlite3_prepare_v2(db, kInsert, -1, &st, nullptr), db, "prepare");
    for (int i = 0; i < gRows; ++i) {
        sqlite3_bind_int64(st, 1, i / 100);
        sqlite3_bind_int64(st, 2, i % 100);
        sqlite3_bind_int64(st, 3, i % 500);
        const QByteArray d = zv::db::toIsoDate(kBase.addDays(i % 365)).toUtf8();
        sqlite3_bind_text(st, 4, d.constData(), d.size(), SQLITE_TRANSIENT);
        if (i % 3) {
            sqlite3_bind_null(st, 5);
        } else {
            const QByteArray d2 = zv::db::toIsoDate(kBase.addDays(i % 365 + 1)).toUtf8();
            sqlite3_bind_text(st, 5, d2.constData(), d2.size(), SQLITE_TRANSIENT);
        }
        sqlite3_bind_int64(st, 6, i % 2);
        const QByteArray r = (QStringLiteral("entry ") + QString::number(i)).toUtf8();
        sqlite3_bind_text(st, 7, r.constData(), r.size(), SQLITE_TRANSIENT);
        check(sqlite3_step(st), db, "insert");
        sqlite3_reset(st);
    }
    sqlite3_finalize(st);
    check(sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr), db, "commit");
    const double ms = t.nsecsElapsed() / 1e6;
    sqlite3_close(db);
    return ms;
}

// -------------------------------------------------------------------- reads

long long gLayerSum = 0, gRawSum = 0;

double readLayer(zv::db::Connection &c) {
    QElapsedTimer t;
    t.start();
    long long sum = 0;
    {
        zv::db::Recordset rs = c.query(QString::fromLatin1(kSelect));
        for (rs.moveFirst(); !rs.eof(); rs.moveNext()) {
            sum += rs.value(0).toLongLong() + rs.value(1).toLongLong() + rs.value(2).toLongLong() +
                   rs.value(5).toLongLong();
            for (int f : {3, 4, 6}) {
                const QVariant v = rs.value(f);
                sum += v.isNull() ? -1 : v.toString().size();
            }
        }
    }
    gLayerSum = sum;
    return t.nsecsElapsed() / 1e6;
}

double readRaw(sqlite3 *db) {
    struct Row {
        long long activity, line, employee;
        std::optional<std::string> expected, completed;
        long long notNeeded;
        std::optional<std::string> remarks;
    };
    QElapsedTimer t;
    t.start();
    long long sum = 0;
    {
        std::vector<Row> rows;
        sqlite3_stmt *st = nullptr;
        check(sqlite3_prepare_v2(db, kSelect, -1, &st, nullptr), db, "prepare");
        auto text = [st](int col) -> std::optional<std::string> {
            if (sqlite3_column_type(st, col) == SQLITE_NULL)
                return std::nullopt;
            return std::string(reinterpret_cast<const char *>(sqlite3_column_text(st, col)),
                               size_t(sqlite3_column_bytes(st, col)));
        };
        int rc;
        while ((rc = sqlite3_step(st)) == SQLITE_ROW)
            rows.push_back({sqlite3_column_int64(st, 0), sqlite3_column_int64(st, 1), sqlite3_column_int64(st, 2),
                            text(3), text(4), sqlite3_column_int64(st, 5), text(6)});
        check(rc, db, "step");
        sqlite3_finalize(st);
        for (const Row &r : rows) {
            sum += r.activity + r.line + r.employee + r.notNeeded;
            for (const auto *v : {&r.expected, &r.completed, &r.remarks})
                sum += *v ? static_cast<long long>((*v)->size()) : -1;
        }
    }
    gRawSum = sum;
    return t.nsecsElapsed() / 1e6;
}

} // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    gRows = bench::sizeArg(argc, argv, 1, 100000);
    const int pairs = bench::sizeArg(argc, argv, 2, bench::kPairs);
    QTemporaryDir dir;

    QString readFile;   // the file the layer filled last; both sides read it
    const bench::PairedTimes inserts = bench::pairedRuns(
        pairs,
        [&] {
            readFile = emptyDb(dir, QStringLiteral("layer.mdb"));
            return insertLayer(readFile);
        },
        [&] { return insertRaw(emptyDb(dir, QStringLiteral("raw.mdb"))); });

    zv::db::Connection c;
    c.open(readFile);
    sqlite3 *raw = openRaw(readFile);
    readLayer(c);   // warm the page cache for both sides
    readRaw(raw);
    const bench::PairedTimes reads = bench::pairedRuns(pairs, [&] { return readLayer(c); }, [&] { return readRaw(raw); });
    sqlite3_close(raw);
    c.close();

    std::printf("rows: %d, median of %zu pairs, program = the database layer\n", gRows, reads.program.size());
    bench::printMedians("insert (in one transaction)", inserts);
    bench::printMedians("read (every value copied and read back)", reads);
    if (gLayerSum != gRawSum) {
        std::printf("the two sides read different values: layer %lld, raw %lld\n", gLayerSum, gRawSum);
        return 1;
    }
    return bench::finish(reads, kReadGoal);
}
