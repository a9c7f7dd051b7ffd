#include "platform/db/Connection.h"
#include "platform/db/Dates.h"
#include "support/OtherProgramLock.h"
#include "support/SqlGate.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <condition_variable>
#include <csignal>
#include <functional>
#include <mutex>
#include <sqlite3.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace zv::db;

namespace {

// Another process with a connection open on path (and whatever take holds
// besides), until it is killed. Its pid once it holds them; -1 when it failed.
pid_t childHolding(const QString &path, const std::function<RowLock *(Connection &)> &take) {
    int ready[2];
    if (pipe(ready) != 0)
        return -1;
    const std::string p = path.toStdString();
    const pid_t child = fork();
    if (child == 0) {
        try {
            Connection c;
            c.open(QString::fromStdString(p));
            std::unique_ptr<RowLock> held(take(c));
            (void)!write(ready[1], "x", 1);
            for (;;)
                pause();
        } catch (...) {
        }
        _exit(1);
    }
    char b = 0;
    const bool holds = child > 0 && read(ready[0], &b, 1) == 1;
    close(ready[0]);
    close(ready[1]);
    return holds ? child : -1;
}

// A small database with a parent and a child table.
class DbFixture : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        path = dir.filePath("test.mdb");
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.close();
        conn.open(path);
        conn.executeScript(
            "CREATE TABLE Dept_Mast (Sys_Dept_Num INTEGER PRIMARY KEY AUTOINCREMENT, Dept_Name TEXT COLLATE NOCASE);"
            "CREATE TABLE Emp_Mast (Sys_Emp_Num INTEGER PRIMARY KEY AUTOINCREMENT, Emp_Name TEXT COLLATE NOCASE,"
            " Sys_Dept_Num INTEGER REFERENCES Dept_Mast(Sys_Dept_Num), Join_Date TEXT);");
    }
    long errorOf(const std::function<void()> &f) {
        try {
            f();
        } catch (const DbError &e) {
            return e.number();
        }
        return 0;
    }
    QTemporaryDir dir;
    QString path;
    Connection conn;
};

TEST_F(DbFixture, BoundValuesArriveIntact) {
    const QStringList texts = {"O'Brien", "a|b", "''; DROP TABLE Dept_Mast; --", "", "Ünïcode ✓"};
    for (const QString &t : texts) {
        conn.execute("INSERT INTO Dept_Mast (Dept_Name) VALUES (?)", {t});
        const qint64 id = conn.lastInsertId();
        EXPECT_EQ(conn.scalar("SELECT Dept_Name FROM Dept_Mast WHERE Sys_Dept_Num = ?", {id}).toString(), t);
    }
    conn.execute("INSERT INTO Dept_Mast (Dept_Name) VALUES (?)", {QVariant()});
    EXPECT_TRUE(conn.scalar("SELECT Dept_Name FROM Dept_Mast WHERE Sys_Dept_Num = ?", {conn.lastInsertId()}).isNull());
    EXPECT_EQ(conn.scalar("SELECT count(*) FROM Dept_Mast").toInt(), texts.size() + 1);
}

// A result keeps every value as the database gave it: kinds, Null apart from
// "", text beyond ASCII, blobs; and it stays whole after its connection closed.
TEST_F(DbFixture, ResultHoldsEveryKindOfValue) {
    const QString wide = QString::fromUtf8("Zo\u00eb \u2713 \U0001F600 \u0645\u0631\u062d\u0628\u0627");
    const QByteArray blob("\0\x01\xff zero", 8);
    Recordset rs = conn.query("SELECT 42 AS I, 2.5 AS R, ? AS W, '' AS E, NULL AS N, ? AS B, 'x' AS X "
                              "UNION ALL SELECT -7, 0.0, 'second', 'b', 'not null', NULL, ?",
                              {wide, blob, QString(4000, QChar(u'y'))});
    conn.close();
    ASSERT_EQ(rs.recordCount(), 2);
    EXPECT_EQ(rs.value("i").typeId(), QMetaType::LongLong);
    EXPECT_EQ(rs.value("I").toLongLong(), 42);
    EXPECT_EQ(rs.value("R").typeId(), QMetaType::Double);
    EXPECT_DOUBLE_EQ(rs.value("R").toDouble(), 2.5);
    EXPECT_EQ(rs.text("W"), wide);
    EXPECT_FALSE(rs.isNull("E"));
    EXPECT_EQ(rs.value("E").typeId(), QMetaType::QString);
    EXPECT_TRUE(rs.text("E").isEmpty());
    EXPECT_TRUE(rs.isNull("N"));
    EXPECT_EQ(rs.value("B").typeId(), QMetaType::QByteArray);
    EXPECT_EQ(rs.value("B").toByteArray(), blob);
    rs.moveNext();
    EXPECT_EQ(rs.value(0).toLongLong(), -7);
    EXPECT_EQ(rs.text("W"), "second");
    EXPECT_EQ(rs.text("N"), "not null");
    EXPECT_TRUE(rs.isNull("B"));
    EXPECT_EQ(rs.text("X"), QString(4000, QChar(u'y')));
    EXPECT_EQ(rs.valueAt(0, 2).toString(), wide);

    // A copy and an in-memory change stay apart from each other.
    Recordset copy = rs;
    rs.setValue("W", QStringLiteral("changed"));
    rs.moveFirst();
    rs.setValue("I", QDate(2026, 3, 31));
    EXPECT_EQ(rs.value("I").toDate(), QDate(2026, 3, 31));
    EXPECT_EQ(rs.valueAt(1, 2).toString(), "changed");
    EXPECT_EQ(copy.valueAt(1, 2).toString(), "second");
    EXPECT_EQ(copy.valueAt(0, 0).toLongLong(), 42);
}

// Each connection reads a database of a few hundred MB from memory: a page
// cache of that size and no memory map, the journal still a file of its own.
TEST_F(DbFixture, ConnectionSetsCacheAndNoMemoryMap) {
    EXPECT_EQ(conn.scalar("PRAGMA cache_size").toLongLong(), -kPageCacheKiB);
    EXPECT_GE(kPageCacheKiB * 1024, 64LL * 1024 * 1024);
    EXPECT_EQ(conn.scalar("PRAGMA mmap_size").toLongLong(), 0);
    EXPECT_EQ(conn.scalar("PRAGMA journal_mode").toString(), "delete");
    Connection readOnly;
    readOnly.open(path, Connection::Mode::ReadOnly);
    EXPECT_EQ(readOnly.scalar("PRAGMA cache_size").toLongLong(), -kPageCacheKiB);
}

TEST_F(DbFixture, TextComparesWithoutRegardToCase) {
    conn.execute("INSERT INTO Dept_Mast (Dept_Name) VALUES (?)", {"Accounts"});
    EXPECT_EQ(conn.scalar("SELECT count(*) FROM Dept_Mast WHERE Dept_Name = ?", {"ACCOUNTS"}).toInt(), 1);
    EXPECT_EQ(conn.scalar("SELECT count(*) FROM Dept_Mast WHERE Dept_Name = ?", {"accounts "}).toInt(), 0);
}

TEST_F(DbFixture, DeleteOfReferencedRowIsRefused) {
    conn.execute("INSERT INTO Dept_Mast (Dept_Name) VALUES ('Used')");
    const qint64 used = conn.lastInsertId();
    conn.execute("INSERT INTO Dept_Mast (Dept_Name) VALUES ('Free')");
    const qint64 freeId = conn.lastInsertId();
    conn.execute("INSERT INTO Emp_Mast (Emp_Name, Sys_Dept_Num) VALUES ('Ann', ?)", {used});
    EXPECT_EQ(errorOf([&] { conn.execute("DELETE FROM Dept_Mast WHERE Sys_Dept_Num = ?", {used}); }), err::RelatedRows);
    EXPECT_EQ(conn.execute("DELETE FROM Dept_Mast WHERE Sys_Dept_Num = ?", {freeId}), 1);
    EXPECT_EQ(conn.scalar("SELECT count(*) FROM Dept_Mast").toInt(), 1);
}

TEST_F(DbFixture, ErrorNumbers) {
    EXPECT_EQ(errorOf([&] { conn.query("SELECT * FROM Nowhere"); }), err::TableMissing);
    EXPECT_EQ(errorOf([&] { conn.query("SELECT Missing_Col FROM Dept_Mast WHERE 1=2"); }), err::ColumnMissing);
    EXPECT_EQ(errorOf([&] { conn.query("SELEC 1"); }), err::SyntaxError);
    Connection closed;
    EXPECT_EQ(errorOf([&] { closed.query("SELECT 1"); }), err::ConnectionClosed);
}

TEST_F(DbFixture, TransactionGuardRollsBackUnlessCommitted) {
    {
        Transaction t(conn);
        conn.execute("INSERT INTO Dept_Mast (Dept_Name) VALUES ('Lost')");
        {
            Transaction inner(conn);
            conn.execute("INSERT INTO Dept_Mast (Dept_Name) VALUES ('Inner')");
        }   // inner rolled back alone
        EXPECT_EQ(conn.scalar("SELECT count(*) FROM Dept_Mast").toInt(), 1);
    }
    EXPECT_EQ(conn.scalar("SELECT count(*) FROM Dept_Mast").toInt(), 0);
    EXPECT_FALSE(conn.inTransaction());
    {
        Transaction t(conn);
        conn.execute("INSERT INTO Dept_Mast (Dept_Name) VALUES ('Kept')");
        t.commit();
    }
    EXPECT_EQ(conn.scalar("SELECT count(*) FROM Dept_Mast").toInt(), 1);
}

// Another thread stops a statement in the middle: it fails with its own
// number, the transaction it wrote in is taken back whole, and the connection
// goes on working. An interrupt while nothing runs stops nothing later.
TEST_F(DbFixture, InterruptStopsTheRunningStatementAndItsTransaction) {
    SqlGate gate(conn.handle());
    long failure = 0;
    std::thread writer([&] {
        failure = errorOf([&] {
            Transaction t(conn);
            conn.execute("INSERT INTO Dept_Mast (Dept_Name) VALUES ('Before')");
            conn.execute("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 1000) "
                         "INSERT INTO Dept_Mast (Dept_Name) SELECT 'Row ' || i || zv_gate() FROM n");
            t.commit();
        });
    });
    gate.waitUntilReached();
    conn.interrupt();
    gate.open();
    writer.join();
    EXPECT_EQ(failure, err::Interrupted);
    EXPECT_FALSE(conn.inTransaction());
    EXPECT_EQ(conn.scalar("SELECT count(*) FROM Dept_Mast").toInt(), 0);

    conn.interrupt();
    EXPECT_EQ(conn.execute("INSERT INTO Dept_Mast (Dept_Name) VALUES ('After')"), 1);
    EXPECT_EQ(conn.scalar("SELECT count(*) FROM Dept_Mast").toInt(), 1);
}

TEST(Connection, MissingFileGives53AndCreatesNothing) {
    QTemporaryDir dir;
    const QString path = dir.filePath("Data/ZV-DATA.mdb");
    Connection c;
    try {
        c.open(path);
        FAIL() << "opened a missing file";
    } catch (const DbError &e) {
        EXPECT_EQ(e.number(), err::FileNotFound);
    }
    EXPECT_FALSE(c.isOpen());
    EXPECT_FALSE(QFileInfo::exists(path));
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("Data/ZV-DATA.ldb")));
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty());
}

TEST(Connection, FileThatIsNotADatabase) {
    QTemporaryDir dir;
    const QString path = dir.filePath("junk.mdb");
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(4096, 'x'));
    f.close();
    Connection c;
    try {
        c.open(path);
        FAIL() << "opened a file that is not a database";
    } catch (const DbError &e) {
        EXPECT_EQ(e.number(), err::GeneralFailure);
    }
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("junk.ldb")));
}

TEST(Connection, ReadOnlyFileIsRecognised) {
    QTemporaryDir dir;
    const QString path = dir.filePath("ro.mdb");
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    EXPECT_FALSE(Connection::isReadOnlyFile(path));
    QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    EXPECT_TRUE(Connection::isReadOnlyFile(path));
}

TEST_F(DbFixture, LockFileLivesWhileAConnectionIsOpen) {
    const QString ldb = lockFilePath(path);
    EXPECT_TRUE(ldb.endsWith("test.ldb"));
    EXPECT_TRUE(QFileInfo::exists(ldb));
    EXPECT_TRUE(FileHold(path, FileHold::Kind::Write).inUse());
    {
        Connection second;
        second.open(path);
        second.close();
        EXPECT_TRUE(QFileInfo::exists(ldb)) << "the first connection still holds it";
    }
    conn.close();
    EXPECT_FALSE(QFileInfo::exists(ldb));
    EXPECT_FALSE(FileHold(path, FileHold::Kind::Write).inUse());

    // A lock file left behind by nobody is stale: removed, not taken for use.
    QFile stale(ldb);
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.close();
    EXPECT_FALSE(FileHold(path, FileHold::Kind::Write).inUse());
    EXPECT_FALSE(QFileInfo::exists(ldb));

    // A read-only open creates no lock file.
    Connection ro;
    ro.open(path, Connection::Mode::ReadOnly);
    EXPECT_FALSE(QFileInfo::exists(ldb));
}

TEST_F(DbFixture, RowLocksConflictBetweenConnectionsAndAreReleased) {
    Connection other;
    other.open(path);
    auto lock = conn.lockRow("Dept_Mast", 7);
    EXPECT_EQ(errorOf([&] { other.lockRow("dept_mast", 7); }), err::GeneralFailure);
    EXPECT_NO_THROW(other.lockRow("Dept_Mast", 8));          // another row is free
    EXPECT_NO_THROW(other.lockRow("Desg_Mast", 7));          // the same key of another table too
    lock->release();
    auto taken = other.lockRow("Dept_Mast", 7);
    EXPECT_EQ(errorOf([&] { conn.lockRow("Dept_Mast", 7); }), err::GeneralFailure);
    other.close();   // closing frees the connection's locks
    EXPECT_NO_THROW(conn.lockRow("Dept_Mast", 7));
    taken->release(); // after close: harmless
}

TEST_F(DbFixture, RowLockOfAnotherProcessIsRefusedUntilItDies) {
    const pid_t child = childHolding(path, [](Connection &c) { return c.lockRow("Dept_Mast", 42).release(); });
    ASSERT_GT(child, 0);
    EXPECT_EQ(errorOf([&] { conn.lockRow("Dept_Mast", 42); }), err::GeneralFailure);
    EXPECT_TRUE(FileHold(path, FileHold::Kind::Write).inUse());
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    EXPECT_NO_THROW(conn.lockRow("Dept_Mast", 42));
}

// A connection tells whether anyone but itself has the file open: another
// connection of this process, or of another process until that one dies.
TEST_F(DbFixture, OthersHoldingTheFileAreSeenButNotItself) {
    EXPECT_FALSE(conn.othersHoldFile());
    {
        Connection second;
        second.open(path);
        EXPECT_TRUE(conn.othersHoldFile());
        EXPECT_TRUE(second.othersHoldFile());
        Connection reader;   // a read-only open holds no lock file
        reader.open(path, Connection::Mode::ReadOnly);
        EXPECT_TRUE(reader.othersHoldFile()) << "cannot tell: counted as held";
    }
    EXPECT_FALSE(conn.othersHoldFile());

    const pid_t child = childHolding(path, [](Connection &) { return (RowLock *)nullptr; });
    ASSERT_GT(child, 0);
    EXPECT_TRUE(conn.othersHoldFile());
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    EXPECT_FALSE(conn.othersHoldFile());

    conn.close();
    EXPECT_TRUE(conn.othersHoldFile());
}

TEST_F(DbFixture, ConnectionsOpeningAndClosingTogetherKeepTheLockFileRight) {
    conn.close();
    const std::string p = path.toStdString();
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        int failures = 0;
        for (int i = 0; i < 300; ++i) {
            try {
                Connection c;
                c.open(QString::fromStdString(p));
            } catch (...) {
                ++failures;
            }
        }
        _exit(failures == 0 ? 0 : 1);
    }
    int failures = 0;
    int unseen = 0;
    for (int i = 0; i < 300; ++i) {
        try {
            Connection c;
            c.open(path);
            if (!QFileInfo::exists(lockFilePath(path)))
                ++unseen;   // open, yet its lock file was removed by the other closing
        } catch (...) {
            ++failures;
        }
    }
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_EQ(failures, 0);
    EXPECT_EQ(unseen, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the other process failed to open";
    EXPECT_FALSE(QFileInfo::exists(lockFilePath(path)));
}

// Two saves at once on one file, as the employees' program and this one make
// them: the one that starts second waits for the first and then saves too.
// A save that only takes its write lock at its first write would find the
// other's write lock while holding its read lock, and fail at once
// ("database is locked") in the middle of the save instead of waiting.
TEST_F(DbFixture, TwoSavesAtOnceBothLandOneAfterTheOther) {
    std::mutex m;
    std::condition_variable changed;
    bool firstHasRead = false, secondIsWaitingOrWrote = false;
    auto tell = [&](bool &flag) {
        std::lock_guard<std::mutex> lock(m);
        flag = true;
        changed.notify_all();
    };
    auto waitFor = [&](bool &flag) {
        std::unique_lock<std::mutex> lock(m);
        changed.wait(lock, [&] { return flag; });
    };

    long secondError = -1;
    std::thread second([&] {
        Connection other;
        other.open(path);
        // Tells when it has to wait for the first save's lock, then waits on.
        struct Waiting {
            std::function<void()> tell;
        } waiting{[&] { tell(secondIsWaitingOrWrote); }};
        sqlite3_busy_handler(
            other.handle(),
            [](void *w, int tries) {
                static_cast<Waiting *>(w)->tell();
                std::this_thread::yield();
                return tries < 10000000 ? 1 : 0;
            },
            &waiting);
        waitFor(firstHasRead);
        secondError = errorOf([&] {
            Transaction t(other);
            other.execute("INSERT INTO Dept_Mast (Dept_Name) VALUES ('second')");
            tell(secondIsWaitingOrWrote);
            t.commit();
        });
    });

    const long firstError = errorOf([&] {
        Transaction t(conn);
        conn.scalar("SELECT count(*) FROM Dept_Mast WHERE Dept_Name = 'first'");   // the save's own check
        tell(firstHasRead);
        waitFor(secondIsWaitingOrWrote);
        conn.execute("INSERT INTO Dept_Mast (Dept_Name) VALUES ('first')");
        t.commit();
    });
    tell(firstHasRead);   // the second save must not wait for ever if the first failed early
    second.join();

    EXPECT_EQ(firstError, 0);
    EXPECT_EQ(secondError, 0);
    EXPECT_EQ(conn.scalar("SELECT group_concat(Dept_Name, ',') FROM (SELECT Dept_Name FROM Dept_Mast ORDER BY 1)")
                  .toString()
                  .toStdString(),
              "first,second");
}

// Another program holds the file for longer than a save waits: the save waits
// its short while, fails as "in use" (not as an unknown failure) and leaves
// nothing of itself behind.
TEST_F(DbFixture, ASaveMeetingAnotherProgramsLockFailsAsInUseAndWritesNothing) {
    for (const char *lockSql :
         {"BEGIN IMMEDIATE; INSERT INTO Dept_Mast (Dept_Name) VALUES ('theirs')", "BEGIN EXCLUSIVE"}) {
        SCOPED_TRACE(lockSql);
        OtherProgramLock other(path, QString::fromLatin1(lockSql));
        ASSERT_TRUE(other.held()) << other.output().constData();
        QString description;
        const long error = errorOf([&] {
            try {
                Transaction t(conn);
                conn.execute("INSERT INTO Dept_Mast (Dept_Name) VALUES ('ours')");
                conn.execute("INSERT INTO Emp_Mast (Emp_Name, Sys_Dept_Num) VALUES ('ours', ?)", {conn.lastInsertId()});
                t.commit();
            } catch (const DbError &e) {
                description = e.description();
                throw;
            }
        });
        EXPECT_EQ(error, err::DatabaseInUse) << description.toStdString();
        EXPECT_FALSE(conn.inTransaction());
        ASSERT_TRUE(other.release()) << other.output().constData();
        EXPECT_EQ(conn.scalar("SELECT count(*) FROM Dept_Mast").toInt(), 0);
        EXPECT_EQ(conn.scalar("SELECT count(*) FROM Emp_Mast").toInt(), 0);
    }
}

// Another program's lock let go within the wait: an open, a read and a save
// each wait for it and go through, as if nothing had held the file.
TEST_F(DbFixture, ALockLetGoWithinTheWaitDelaysButDoesNotFail) {
    conn.execute("INSERT INTO Dept_Mast (Dept_Name) VALUES ('before')");
    const struct {
        const char *name;
        std::function<void()> step;
    } steps[] = {
        {"open", [&] {
             Connection again;
             again.open(path);
             EXPECT_EQ(again.scalar("SELECT count(*) FROM Dept_Mast").toInt(), 1);
         }},
        {"read", [&] { EXPECT_EQ(conn.scalar("SELECT Dept_Name FROM Dept_Mast").toString(), "before"); }},
        {"save", [&] {
             Transaction t(conn);
             conn.execute("INSERT INTO Dept_Mast (Dept_Name) VALUES ('after')");
             t.commit();
         }},
    };
    for (const auto &s : steps) {
        SCOPED_TRACE(s.name);
        // Let go well inside the wait, which is several times longer.
        OtherProgramLock other(path, QStringLiteral("BEGIN EXCLUSIVE"), kBusyTimeoutMs / 5);
        ASSERT_TRUE(other.held()) << other.output().constData();
        EXPECT_EQ(errorOf(s.step), 0);
        EXPECT_TRUE(other.release()) << other.output().constData();
    }
    EXPECT_EQ(conn.scalar("SELECT count(*) FROM Dept_Mast WHERE Dept_Name = 'after'").toInt(), 1);
}

// Opening tells a file held by another program apart from a damaged one and a missing one.
TEST(Connection, OpeningTellsInUseFromDamagedAndMissing) {
    QTemporaryDir dir;
    const QString held = dir.filePath("held.mdb"), damaged = dir.filePath("damaged.mdb");
    {
        Connection c;
        QFile f(held);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.close();
        c.open(held);
        c.executeScript("CREATE TABLE Parm (DB_Check TEXT); INSERT INTO Parm VALUES ('ZORVANE');");
    }
    QFile bad(damaged);
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write(QByteArray(8192, 'x'));
    bad.close();
    OtherProgramLock other(held);
    ASSERT_TRUE(other.held()) << other.output().constData();

    const struct {
        QString path;
        long number;
        bool inUse;
    } cases[] = {{held, err::DatabaseInUse, true},
                 {damaged, err::GeneralFailure, false},
                 {dir.filePath("missing.mdb"), err::FileNotFound, false}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        long number = 0;
        try {
            Connection conn;
            conn.open(c.path);
        } catch (const DbError &e) {
            number = e.number();
        }
        EXPECT_EQ(number, c.number);
        EXPECT_EQ(FileHold(c.path, FileHold::Kind::Read).inUse(), c.inUse);
        EXPECT_EQ(FileHold(c.path, FileHold::Kind::Write).inUse(), c.inUse);
    }
    ASSERT_TRUE(other.release());
    EXPECT_FALSE(FileHold(held, FileHold::Kind::Read).inUse());

    // A write hold keeps everybody else out until it is let go.
    FileHold hold(held, FileHold::Kind::Write);
    ASSERT_FALSE(hold.inUse());
    OtherProgramLock reader(held, QStringLiteral("BEGIN; SELECT count(*) FROM Parm;"));
    EXPECT_FALSE(reader.held());
    hold.release();
    OtherProgramLock again(held, QStringLiteral("BEGIN; SELECT count(*) FROM Parm;"));
    EXPECT_TRUE(again.held()) << again.output().constData();
}

// A file cut short by another program while a statement reads it is a damaged
// file to report, never a crash. The read runs in a child process so that a
// crash shows as a failed exit instead of ending the test run; the file is cut
// from inside the statement, after its first row, so nothing is timed.
TEST_F(DbFixture, FileCutShortUnderARunningReadIsAnErrorNotACrash) {
    conn.executeScript("CREATE TABLE Big (Payload TEXT); BEGIN;"
                       "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 4000)"
                       " INSERT INTO Big SELECT printf('%.500c', 'x') FROM n; COMMIT;");
    conn.close();
    ASSERT_GT(QFileInfo(path).size(), 1024 * 1024);

    enum Outcome { Reported = 0, NoError = 1, OtherError = 2 };
    const std::string p = path.toStdString();
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        int outcome = OtherError;
        try {
            Connection c;
            c.open(QString::fromStdString(p), Connection::Mode::ReadOnly);
            static std::string cutPath;
            cutPath = p;
            sqlite3_create_function(
                c.handle(), "zv_cut", 0, SQLITE_UTF8, nullptr,
                [](sqlite3_context *ctx, int, sqlite3_value **) {
                    static bool cut = false;
                    if (!cut)
                        cut = ::truncate(cutPath.c_str(), 4096) == 0;
                    sqlite3_result_int(ctx, cut ? 1 : 0);
                },
                nullptr, nullptr);
            const Recordset rs = c.query("SELECT zv_cut(), Payload FROM Big");
            outcome = rs.recordCount() == 4000 ? NoError : OtherError;
        } catch (const DbError &e) {
            outcome = e.description().contains(QLatin1String("malformed")) ? Reported : OtherError;
        } catch (...) {
        }
        _exit(outcome);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_FALSE(WIFSIGNALED(status)) << "the read died of signal " << WTERMSIG(status);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), Reported) << "1: the cut went unnoticed; 2: not reported as a damaged file";
}

TEST(Dates, DisplayAndStorage) {
    struct Case {
        QDate date;
        const char *iso;
        const char *display;
    } cases[] = {{QDate(2026, 12, 9), "2026-12-09", "09-Dec-2026"},
                 {QDate(2024, 2, 29), "2024-02-29", "29-Feb-2024"},
                 {QDate(1999, 1, 1), "1999-01-01", "01-Jan-1999"}};
    for (const auto &c : cases) {
        EXPECT_EQ(toIsoDate(c.date), c.iso);
        EXPECT_EQ(toDisplayDate(c.date), c.display);
        EXPECT_EQ(fromDisplayDate(c.display), c.date);
        EXPECT_EQ(fromIsoDate(c.iso), c.date);
        EXPECT_EQ(isoToDisplay(c.iso), c.display);
    }
    EXPECT_EQ(fromDisplayDate("09-DEC-2026"), QDate(2026, 12, 9));
    for (const char *bad : {"29-Feb-2023", "31-Apr-2026", "09-Dek-2026", "9/12/2026", ""})
        EXPECT_FALSE(fromDisplayDate(bad).isValid()) << bad;
    EXPECT_EQ(vbWeekday(QDate(2026, 12, 6)), 1);   // a Sunday
    EXPECT_EQ(vbWeekday(QDate(2026, 12, 12)), 7);  // a Saturday
    EXPECT_EQ(isoToDisplay("not a date"), "not a date");
}

} // namespace
