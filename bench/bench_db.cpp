// Inserts and reads back 100,000 schedule entries through the database layer
// and through the raw SQLite C API, in the same run, and prints both times
// and their ratio. The layer should stay within 1.5 times raw SQLite.
#include "platform/db/Connection.h"
#include "platform/db/Dates.h"
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <sqlite3.h>
#include <string>
#include <vector>

namespace {

constexpr int kRows = 100000;
const char *kSchema =
    "CREATE TABLE Statry_Cmpltd_Entry (Sys_Entry_Num INTEGER PRIMARY KEY AUTOINCREMENT, Sys_Actvty_Num INTEGER,"
    " Sys_Actvty_Line_Num INTEGER, Sys_Emp_Num INTEGER, Expctd_Date TEXT, Cmpltd_Date TEXT, Not_Needed INTEGER,"
    " Remarks TEXT COLLATE NOCASE);";
const char *kInsert = "INSERT INTO Statry_Cmpltd_Entry (Sys_Actvty_Num, Sys_Actvty_Line_Num, Sys_Emp_Num,"
                      " Expctd_Date, Cmpltd_Date, Not_Needed, Remarks) VALUES (?, ?, ?, ?, ?, ?, ?)";
const char *kSelect = "SELECT Sys_Actvty_Num, Sys_Actvty_Line_Num, Sys_Emp_Num, Expctd_Date, Cmpltd_Date, Not_Needed,"
                      " Remarks FROM Statry_Cmpltd_Entry ORDER BY Sys_Entry_Num";

QString emptyDb(const QTemporaryDir &dir, const char *name) {
    const QString path = dir.filePath(name);
    sqlite3 *db = nullptr;
    sqlite3_open(path.toUtf8().constData(), &db);
    sqlite3_exec(db, kSchema, nullptr, nullptr, nullptr);
    sqlite3_close(db);
    return path;
}

struct Times {
    double insertMs, readMs;
    long long checksum;
};

Times viaLayer(const QString &path) {
    zv::db::Connection c;
    c.open(path);
    QElapsedTimer t;
    t.start();
    const QDate base(2026, 1, 1);
    {
        zv::db::Transaction tx(c);
        for (int i = 0; i < kRows; ++i)
            c.execute(kInsert, {i / 100, i % 100, i % 500, zv::db::dateParam(base.addDays(i % 365)),
                                i % 3 ? QVariant() : zv::db::dateParam(base.addDays(i % 365 + 1)), i % 2,
                                QStringLiteral("entry ") + QString::number(i)});
        tx.commit();
    }
    const double ins = t.nsecsElapsed() / 1e6;
    t.restart();
    zv::db::Recordset rs = c.query(kSelect);
    long long sum = 0;
    for (rs.moveFirst(); !rs.eof(); rs.moveNext())
        sum += rs.value(2).toLongLong() + rs.value(3).toString().size() + rs.value(6).toString().size();
    return {ins, t.nsecsElapsed() / 1e6, sum};
}

Times viaRaw(const QString &path) {
    sqlite3 *db = nullptr;
    sqlite3_open(path.toUtf8().constData(), &db);
    sqlite3_exec(db, "PRAGMA foreign_keys=ON; PRAGMA journal_mode=DELETE;", nullptr, nullptr, nullptr);
    QElapsedTimer t;
    t.start();
    const QDate base(2026, 1, 1);
    sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
    sqlite3_stmt *st = nullptr;
    sqlite3_prepare_v2(db, kInsert, -1, &st, nullptr);
    for (int i = 0; i < kRows; ++i) {
        sqlite3_reset(st);
        sqlite3_bind_int64(st, 1, i / 100);
        sqlite3_bind_int64(st, 2, i % 100);
        sqlite3_bind_int64(st, 3, i % 500);
        const std::string d = zv::db::toIsoDate(base.addDays(i % 365)).toStdString();
        sqlite3_bind_text(st, 4, d.c_str(), -1, SQLITE_TRANSIENT);
        const std::string d2 = zv::db::toIsoDate(base.addDays(i % 365 + 1)).toStdString();
        if (i % 3)
            sqlite3_bind_null(st, 5);
        else
            sqlite3_bind_text(st, 5, d2.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_int64(st, 6, i % 2);
        const std::string r = "entry " + std::to_string(i);
        sqlite3_bind_text(st, 7, r.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_step(st);
    }
    sqlite3_finalize(st);
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    const double ins = t.nsecsElapsed() / 1e6;
    t.restart();
    // Read into owned values, as any caller that keeps the rows must.
    struct Row {
        long long a, b, c;
        std::string d, e;
        long long f;
        std::string g;
    };
    std::vector<Row> rows;
    sqlite3_prepare_v2(db, kSelect, -1, &st, nullptr);
    auto text = [&](int col) {
        const unsigned char *p = sqlite3_column_text(st, col);
        return p ? std::string(reinterpret_cast<const char *>(p)) : std::string();
    };
    while (sqlite3_step(st) == SQLITE_ROW)
        rows.push_back({sqlite3_column_int64(st, 0), sqlite3_column_int64(st, 1), sqlite3_column_int64(st, 2),
                        text(3), text(4), sqlite3_column_int64(st, 5), text(6)});
    sqlite3_finalize(st);
    long long sum = 0;
    for (const Row &r : rows)
        sum += r.c + static_cast<long long>(r.d.size() + r.g.size());
    sqlite3_close(db);
    return {ins, t.nsecsElapsed() / 1e6, sum};
}

} // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const Times raw = viaRaw(emptyDb(dir, "raw.mdb"));
    const Times layer = viaLayer(emptyDb(dir, "layer.mdb"));
    std::printf("rows: %d\n", kRows);
    std::printf("insert: layer %.1f ms, raw %.1f ms, ratio %.2f\n", layer.insertMs, raw.insertMs,
                layer.insertMs / raw.insertMs);
    std::printf("read:   layer %.1f ms, raw %.1f ms, ratio %.2f\n", layer.readMs, raw.readMs,
                layer.readMs / raw.readMs);
    const double total = (layer.insertMs + layer.readMs) / (raw.insertMs + raw.readMs);
    std::printf("total ratio %.2f (%s 1.5)\n", total, total <= 1.5 ? "within" : "ABOVE");
    if (raw.checksum != layer.checksum)
        std::printf("checksums differ: layer %lld, raw %lld\n", layer.checksum, raw.checksum);
    return raw.checksum == layer.checksum ? 0 : 1;
}
