#pragma once
#include "BoundSql.h"
#include "DbError.h"
#include "Recordset.h"
#include <QString>
#include <QVariant>
#include <functional>
#include <memory>

struct sqlite3;

namespace zv::db {

class LockFile;
class RowLock;

// Page cache of every connection: enough for a database of a few hundred MB
// to be read from memory after its first pass.
inline constexpr long long kPageCacheKiB = 64 * 1024;
// No memory map: a file cut short underneath (by another program, or a network
// folder that goes away) would kill the process with SIGBUS at the next read of
// a mapped page, where a plain read reports a damaged file.
inline constexpr long long kMemoryMapBytes = 0;
// How long a statement waits for a lock another connection holds before it
// fails with err::DatabaseInUse: long enough for another program's save.
inline constexpr int kBusyTimeoutMs = 1000;

// One connection to a database file. Opens existing files only: a missing
// file raises 53 and creates nothing; a file that is not a database raises
// -2147467259; a file another program holds locked raises 3045 (in use).
// While open it holds the <name>.ldb lock file beside the database; a lock
// file that cannot be created raises 75.
class Connection {
public:
    enum class Mode { ReadWrite, ReadOnly };

    Connection();
    ~Connection();
    Connection(const Connection &) = delete;
    Connection &operator=(const Connection &) = delete;

    // vfs names the SQLite VFS the file is read through (a ReadWatch's, say);
    // null is the default one.
    void open(const QString &path, Mode mode = Mode::ReadWrite, const char *vfs = nullptr);
    void close();
    bool isOpen() const { return m_db != nullptr; }
    const QString &path() const { return m_path; }

    // Runs one statement with bound values (? placeholders, in order) and
    // returns every row it gives.
    Recordset query(const QString &sql, const QVariantList &params = {});
    // Runs one statement with bound values; returns the number of rows changed.
    int execute(const QString &sql, const QVariantList &params = {});
    // Runs several statements without values (schema scripts).
    void executeScript(const QString &sql);
    // First column of the first row, or Null when there is none.
    QVariant scalar(const QString &sql, const QVariantList &params = {});
    qint64 lastInsertId() const;
    // The same for a statement built with its values.
    Recordset query(const BoundSql &s) { return query(s.text, s.params); }
    int execute(const BoundSql &s) { return execute(s.text, s.params); }
    QVariant scalar(const BoundSql &s) { return scalar(s.text, s.params); }

    bool inTransaction() const;

    // Stops the statement running on this connection, from any thread: it
    // fails with err::Interrupted (a write inside a transaction takes the whole
    // transaction back). Does nothing when no statement runs.
    void interrupt();

    // Locks one row of a table for editing, without waiting: RowHeld
    // (-2147467259) when another connection (of this process or another)
    // holds it; any other failure is a plain DbError. Released when
    // the returned lock is released or destroyed, or the connection closes.
    std::unique_ptr<RowLock> lockRow(const QString &table, const QVariant &key);

    // Whether any other connection, of this process or another, has the file
    // open for writing as its lock file shows. True when it cannot be told
    // (this connection is closed or read-only, or the probe fails).
    bool othersHoldFile() const;

    sqlite3 *handle() const { return m_db; }

    // Whether the file at path cannot be written (no write bit set).
    static bool isReadOnlyFile(const QString &path);

    // Hears every failure a statement raises, on any connection, on the
    // thread that raised it, before it is thrown; empty: nobody. For tests
    // and diagnostics: it must not throw.
    static void setFailureObserver(std::function<void(const DbError &)> observer);

private:
    friend class Transaction;
    friend class RowLock;
    struct Statement;
    Statement *prepare(const QString &sql);
    void bind(Statement *st, const QVariantList &params);
    [[noreturn]] void fail(int rc, const QString &context) const;

    sqlite3 *m_db = nullptr;
    QString m_path;
    std::unique_ptr<LockFile> m_lockFile;
    struct Cache;
    std::unique_ptr<Cache> m_cache;
    int m_savepoint = 0;
};

// Rolls back unless committed. Nests as savepoints inside an open transaction.
class Transaction {
public:
    explicit Transaction(Connection &conn);
    ~Transaction();
    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;
    void commit();
    void rollback();

private:
    Connection &m_conn;
    QString m_savepoint;   // empty for the outermost transaction
    bool m_done = false;
};

// A held row lock; see Connection::lockRow.
class RowLock {
public:
    ~RowLock();
    void release();
    bool held() const { return m_held; }

private:
    friend class Connection;
    RowLock(std::shared_ptr<int> fd, qint64 offset);
    std::shared_ptr<int> m_fd;
    qint64 m_offset;
    bool m_held = true;
};

// What opening or holding a database file came to.
enum class OpenOutcome {
    Opened,        // open (or held)
    Missing,       // no such file
    InUse,         // another program, or another connection of this one, holds it
    Damaged,       // not a database, or damaged
    CannotWrite,   // the file, its folder or its lock file cannot be written
    Failed,        // anything else
};
// The outcome a failed open's error stands for.
OpenOutcome outcomeOf(const std::exception &e);

// Lock-file helpers for tools that copy database files.
QString lockFilePath(const QString &databasePath);   // "<path without .mdb>.ldb"
// The lock file's path when something stands there that cannot be opened as
// a lock file (a folder, a file that cannot be written); empty otherwise.
QString lockFileBlocked(const QString &databasePath);

// Asks whether a database file is free and holds it, in one step, so that
// nobody takes it between the question and the work: the write hold for a
// file about to be replaced (no other connection, of this program or
// another, may have it open), the read hold for one being copied (nobody may
// write it meanwhile). Waits the usual busy time for a lock held elsewhere.
// outcome() is Opened while held; InUse, Missing, Damaged or CannotWrite
// otherwise, and then nothing is held.
class FileHold {
public:
    enum class Kind { Read, Write };
    FileHold(const QString &path, Kind kind);
    ~FileHold();
    FileHold(const FileHold &) = delete;
    FileHold &operator=(const FileHold &) = delete;
    OpenOutcome outcome() const { return m_outcome; }
    bool held() const { return m_outcome == OpenOutcome::Opened; }
    bool inUse() const { return m_outcome == OpenOutcome::InUse; }
    void release();

private:
    sqlite3 *m_db = nullptr;
    int m_lockFd = -1;
    QString m_lockPath;
    OpenOutcome m_outcome = OpenOutcome::Failed;
};

} // namespace zv::db
