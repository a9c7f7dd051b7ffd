// Writes the system, template and production databases from schema/.
//   zv_builddb <schemaDir> <freshDir> <programDir>
// freshDir receives pristine copies of all three (tests start from them);
// programDir receives the template every time and the system and production
// databases only when they are missing, so a rebuild never touches user data.
#include "core/password/Password.h"
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>
#include <cstdio>
#include <filesystem>
#include <sqlite3.h>

namespace {

[[noreturn]] void die(const QString &msg) {
    std::fprintf(stderr, "zv_builddb: %s\n", qPrintable(msg));
    std::exit(1);
}

// Puts tmp in target's place in one step: a test copying the file meanwhile
// gets the old file or the new one, never none.
void replaceWith(const QString &tmp, const QString &target) {
    std::error_code ec;
    std::filesystem::rename(tmp.toStdString(), target.toStdString(), ec);
    if (ec)
        die("cannot write " + target + ": " + QString::fromStdString(ec.message()));
}

QString readFile(const QString &path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        die("cannot read " + path);
    return QString::fromUtf8(f.readAll());
}

void exec(sqlite3 *db, const QString &sql, const QString &what) {
    char *err = nullptr;
    if (sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &err) != SQLITE_OK) {
        const QString msg = QString::fromUtf8(err ? err : "unknown error");
        sqlite3_free(err);
        die(what + ": " + msg);
    }
}

// Builds one database file from scripts, into a temporary name renamed into place.
void build(const QString &target, const QStringList &scripts, const QString &schemaDir,
           void (*extra)(sqlite3 *) = nullptr) {
    const QString tmp = target + ".building";
    QFile::remove(tmp);
    sqlite3 *db = nullptr;
    if (sqlite3_open_v2(tmp.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) !=
        SQLITE_OK)
        die("cannot create " + tmp);
    exec(db, "PRAGMA journal_mode=DELETE; PRAGMA foreign_keys=ON; BEGIN;", tmp);
    for (const QString &s : scripts)
        exec(db, readFile(schemaDir + "/" + s), s);
    if (extra)
        extra(db);
    exec(db, "COMMIT;", tmp);
    sqlite3_close(db);
    replaceWith(tmp, target);
}

void seedSystemRow(sqlite3 *db) {
    sqlite3_stmt *st = nullptr;
    const char *sql = "INSERT INTO ZV_SYS (DB_Path, Pswd) VALUES (?, ?)";
    if (sqlite3_prepare_v2(db, sql, -1, &st, nullptr) != SQLITE_OK)
        die(QString("ZV_SYS seed: ") + sqlite3_errmsg(db));
    const QByteArray path = QByteArrayLiteral("Data/ZV-DATA.mdb");
    const QByteArray pswd = modCommon::EncodePassword(QStringLiteral("admin")).toUtf8();
    sqlite3_bind_text(st, 1, path.constData(), path.size(), SQLITE_TRANSIENT);
    sqlite3_bind_text(st, 2, pswd.constData(), pswd.size(), SQLITE_TRANSIENT);
    if (sqlite3_step(st) != SQLITE_DONE)
        die(QString("ZV_SYS seed: ") + sqlite3_errmsg(db));
    sqlite3_finalize(st);
}

void copyInto(const QString &from, const QString &to) {
    const QString tmp = to + ".copying";
    QFile::remove(tmp);
    if (!QFile::copy(from, tmp))
        die("cannot copy " + from + " to " + tmp);
    replaceWith(tmp, to);
}

} // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    if (argc != 4)
        die("usage: zv_builddb <schemaDir> <freshDir> <programDir>");
    const QString schemaDir = QString::fromLocal8Bit(argv[1]);
    const QString fresh = QString::fromLocal8Bit(argv[2]);
    const QString program = QString::fromLocal8Bit(argv[3]);

    // system.sql makes the system database; every other script, tables.sql
    // first and the rest in name order, makes the template.
    QStringList templateScripts = QDir(schemaDir).entryList({"*.sql"}, QDir::Files, QDir::Name);
    templateScripts.removeAll("system.sql");
    if (templateScripts.removeAll("tables.sql"))
        templateScripts.prepend("tables.sql");

    for (const QString &dir : {fresh, program})
        for (const char *sub : {"SysData", "Data"})
            QDir(dir).mkpath(sub);

    build(fresh + "/SysData/ZV-SYS.mdb", {"system.sql"}, schemaDir, seedSystemRow);
    build(fresh + "/SysData/ZV-ORG.mdb", templateScripts, schemaDir);
    copyInto(fresh + "/SysData/ZV-ORG.mdb", fresh + "/Data/ZV-DATA.mdb");

    copyInto(fresh + "/SysData/ZV-ORG.mdb", program + "/SysData/ZV-ORG.mdb");
    for (const char *rel : {"SysData/ZV-SYS.mdb", "Data/ZV-DATA.mdb"})
        if (!QFileInfo::exists(program + "/" + rel))
            copyInto(fresh + "/" + rel, program + "/" + rel);
    return 0;
}
