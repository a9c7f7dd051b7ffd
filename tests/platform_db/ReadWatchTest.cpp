#include "platform/db/Connection.h"
#include "platform/db/ReadWatch.h"
#include <QFile>
#include <QTemporaryDir>
#include <sqlite3.h>
#include <gtest/gtest.h>
#include <utility>
#include <vector>

using namespace zv::db;

namespace {

// Sees every read and refuses them while asked to.
struct Reads : ReadWatch::Watcher {
    bool refuse = false;
    int refused = 0;
    std::vector<std::pair<qint64, int>> done;
    bool beforeRead(qint64, int) override {
        refused += refuse ? 1 : 0;
        return !refuse;
    }
    void afterRead(qint64 offset, int amount) override { done.emplace_back(offset, amount); }
};

} // namespace

// A connection over a watch reads, writes and locks its file as any other; the
// watcher sees each read of the database file, page by page, and a read it
// refuses stops the statement reading.
TEST(ReadWatch, SeesTheReadsOfTheDatabaseFileAndCanRefuseThem) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("watched.mdb"));
    {
        sqlite3 *db = nullptr;
        ASSERT_EQ(sqlite3_open(QFile::encodeName(path).constData(), &db), SQLITE_OK);
        ASSERT_EQ(sqlite3_exec(db, "PRAGMA user_version = 1", nullptr, nullptr, nullptr), SQLITE_OK);
        sqlite3_close(db);
    }
    Reads reads;
    ReadWatch watch(reads);
    ReadWatch other(reads);
    EXPECT_STRNE(watch.vfsName(), other.vfsName());
    int pageSize = 0;
    {
        Connection c;
        c.open(path, Connection::Mode::ReadWrite, watch.vfsName());
        c.executeScript("CREATE TABLE t (v TEXT);"
                        "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 3000)"
                        " INSERT INTO t SELECT printf('row %05d', i) FROM n;");
        pageSize = c.scalar(QStringLiteral("PRAGMA page_size")).toInt();
    }
    reads.done.clear();
    Connection c;
    c.open(path, Connection::Mode::ReadOnly, watch.vfsName());
    EXPECT_EQ(c.scalar(QStringLiteral("SELECT count(*) FROM t")).toInt(), 3000);
    int pages = 0;
    for (const auto &[offset, amount] : reads.done) {
        if (amount != pageSize)
            continue;
        ++pages;
        EXPECT_EQ(offset % pageSize, 0);
    }
    EXPECT_GT(pages, 3000 * 9 / pageSize);

    c.close();
    reads.refuse = true;
    Connection refused;
    EXPECT_ANY_THROW(refused.open(path, Connection::Mode::ReadOnly, watch.vfsName()));
    EXPECT_GT(reads.refused, 0);
    reads.refuse = false;
    c.open(path, Connection::Mode::ReadOnly, watch.vfsName());
    EXPECT_EQ(c.scalar(QStringLiteral("SELECT count(*) FROM t")).toInt(), 3000);
}
