#include "Connection.h"
#include "Dates.h"
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zv::db {

// ---------------------------------------------------------------- lock files

namespace {

// Byte 0 of a lock file is the presence byte: every open connection holds a
// shared lock on it. Row locks live at offsets derived from table and key.
constexpr off_t kPresenceByte = 0;
constexpr off_t kRowLockBase = 1024;

// One byte of a lock file, locked (or asked about) as type.
struct flock byteLock(short type, off_t offset) {
    struct flock fl {};
    fl.l_type = type;
    fl.l_whence = SEEK_SET;
    fl.l_start = offset;
    fl.l_len = 1;
    fl.l_pid = 0;
    return fl;
}

bool ofdLock(int fd, short type, off_t offset) {
    struct flock fl = byteLock(type, offset);
    return fcntl(fd, F_OFD_SETLK, &fl) == 0;
}

int openLockFile(const QString &path, bool create) {
    const QByteArray p = QFile::encodeName(path);
    return ::open(p.constData(), O_RDWR | O_CLOEXEC | (create ? O_CREAT : 0), 0664);
}

// Removes the lock file when no connection holds it any more.
void removeIfUnheld(const QString &path) {
    const int fd = openLockFile(path, false);
    if (fd < 0)
        return;
    if (ofdLock(fd, F_WRLCK, kPresenceByte))
        QFile::remove(path);
    ::close(fd);
}

// Whether no other open file description holds the presence byte (ours,
// held on fd, does not count). A probe that fails answers no.
bool presenceFree(int fd) {
    struct flock fl = byteLock(F_WRLCK, kPresenceByte);
    return fcntl(fd, F_OFD_GETLK, &fl) == 0 && fl.l_type == F_UNLCK;
}

// Whether the open file is the file at path (not one removed meanwhile).
bool sameFile(int fd, const QString &path) {
    struct stat open {}, named {};
    return ::fstat(fd, &open) == 0 && ::stat(QFile::encodeName(path).constData(), &named) == 0 &&
           open.st_dev == named.st_dev && open.st_ino == named.st_ino;
}

qint64 rowOffset(const QString &table, const QVariant &key) {
    // FNV-1a over the lower-cased table and the key text.
    const QByteArray bytes = (table.toLower() + QChar(0x1f) + key.toString()).toUtf8();
    quint64 h = 1469598103934665603ULL;
    for (char c : bytes) {
        h ^= static_cast<unsigned char>(c);
        h *= 1099511628211ULL;
    }
    return kRowLockBase + static_cast<qint64>(h % (1ULL << 40));
}

} // namespace

class LockFile {
public:
    explicit LockFile(QString path) : m_path(std::move(path)) {
        // Another connection closing at this moment may briefly hold the
        // presence byte exclusively while it removes an unheld file: retry, and
        // make sure the file we hold is still the one at the path.
        for (int attempt = 0; attempt < 100; ++attempt) {
            const int fd = openLockFile(m_path, true);
            if (fd < 0)
                throw DbError(err::ReadOnlyFile, QStringLiteral("Cannot create the lock file %1: %2")
                                                       .arg(m_path, QString::fromLocal8Bit(strerror(errno))));
            if (ofdLock(fd, F_RDLCK, kPresenceByte) && sameFile(fd, m_path)) {
                m_fd = std::make_shared<int>(fd);
                return;
            }
            ::close(fd);
            ::usleep(10000);
        }
        throw DbError(err::DatabaseInUse, QStringLiteral("The lock file %1 is held by another program.").arg(m_path));
    }
    ~LockFile() {
        ::close(*m_fd);   // drops the presence lock and every row lock of this connection
        *m_fd = -1;
        removeIfUnheld(m_path);
    }
    std::shared_ptr<int> fd() const { return m_fd; }

private:
    QString m_path;
    std::shared_ptr<int> m_fd;
};

QString lockFilePath(const QString &databasePath) {
    QString base = databasePath;
    if (base.endsWith(QLatin1String(".mdb"), Qt::CaseInsensitive))
        base.chop(4);
    return base + QStringLiteral(".ldb");
}

QString lockFileBlocked(const QString &databasePath) {
    const QString ldb = lockFilePath(databasePath);
    const QFileInfo info(ldb);
    if (!info.exists() && !info.isSymLink())
        return {};
    const int fd = openLockFile(ldb, false);
    if (fd < 0)
        return ldb;
    ::close(fd);
    return {};
}

namespace {
bool isInUse(int rc) { return (rc & 0xff) == SQLITE_BUSY || (rc & 0xff) == SQLITE_LOCKED; }
} // namespace

OpenOutcome outcomeOf(const std::exception &e) {
    const auto *db = dynamic_cast<const DbError *>(&e);
    switch (db ? db->number() : 0) {
    case err::FileNotFound:
        return OpenOutcome::Missing;
    case err::DatabaseInUse:
        return OpenOutcome::InUse;
    case err::GeneralFailure:
        return OpenOutcome::Damaged;
    case err::ReadOnlyFile:
        return OpenOutcome::CannotWrite;
    default:
        return OpenOutcome::Failed;
    }
}

FileHold::FileHold(const QString &path, Kind kind) {
    if (!QFileInfo(path).isFile()) {
        m_outcome = OpenOutcome::Missing;
        return;
    }
    // This program's own connections first: each holds the lock file's
    // presence byte while open, even when it has no lock on the database.
    // Holding that byte exclusively keeps them out until we let go.
    const QString ldb = lockFilePath(path);
    for (int attempt = 0;; ++attempt) {
        const int fd = openLockFile(ldb, true);
        if (fd < 0) {
            m_outcome = OpenOutcome::CannotWrite;
            return;
        }
        if (ofdLock(fd, kind == Kind::Write ? F_WRLCK : F_RDLCK, kPresenceByte) && sameFile(fd, ldb)) {
            m_lockFd = fd;
            m_lockPath = ldb;
            break;
        }
        ::close(fd);
        if (attempt * 10 >= kBusyTimeoutMs) {
            m_outcome = OpenOutcome::InUse;
            return;
        }
        ::usleep(10000);
    }
    if (kind == Kind::Read && !presenceFree(m_lockFd)) {
        // Another connection of this program has the file open: it may write
        // at any moment, so the file is in use for a copy as well.
        release();
        m_outcome = OpenOutcome::InUse;
        return;
    }
    const int flags = (kind == Kind::Write ? SQLITE_OPEN_READWRITE : SQLITE_OPEN_READONLY) | SQLITE_OPEN_NOMUTEX;
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &m_db, flags, nullptr) != SQLITE_OK) {
        release();
        m_outcome = OpenOutcome::CannotWrite;
        return;
    }
    sqlite3_busy_timeout(m_db, kBusyTimeoutMs);
    // Taking the lock reads the file's first page: a file that is not a
    // database fails here with its own error, never as busy.
    const char *take = kind == Kind::Write ? "BEGIN EXCLUSIVE" : "BEGIN; SELECT count(*) FROM sqlite_master;";
    const int rc = sqlite3_exec(m_db, take, nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) {
        m_outcome = isInUse(rc) ? OpenOutcome::InUse
                    : (rc & 0xff) == SQLITE_READONLY || (rc & 0xff) == SQLITE_CANTOPEN ? OpenOutcome::CannotWrite
                                                                                       : OpenOutcome::Damaged;
        release();
        return;
    }
    m_outcome = OpenOutcome::Opened;
}

FileHold::~FileHold() { release(); }

void FileHold::release() {
    if (m_db) {
        if (!sqlite3_get_autocommit(m_db))
            sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
        sqlite3_close_v2(m_db);
        m_db = nullptr;
    }
    if (m_lockFd >= 0) {
        ::close(m_lockFd);
        m_lockFd = -1;
        removeIfUnheld(m_lockPath);
    }
}

// ---------------------------------------------------------------- row locks

RowLock::RowLock(std::shared_ptr<int> fd, qint64 offset) : m_fd(std::move(fd)), m_offset(offset) {}

RowLock::~RowLock() { release(); }

void RowLock::release() {
    if (!m_held)
        return;
    m_held = false;
    if (m_fd && *m_fd >= 0)
        ofdLock(*m_fd, F_UNLCK, m_offset);
    m_fd.reset();
}

// ---------------------------------------------------------------- statements

struct Connection::Statement {
    sqlite3_stmt *stmt = nullptr;
};

struct Connection::Cache {
    QHash<QString, Statement *> statements;
    ~Cache() { clear(); }
    void clear() {
        for (Statement *s : std::as_const(statements)) {
            sqlite3_finalize(s->stmt);
            delete s;
        }
        statements.clear();
    }
};

Connection::Connection() : m_cache(std::make_unique<Cache>()) {}

Connection::~Connection() { close(); }

bool Connection::isReadOnlyFile(const QString &path) {
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return false;
    return (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

namespace {
std::function<void(const DbError &)> s_failureObserver;

// A failure as the observer hears it, before it is thrown.
const DbError &observed(const DbError &failure) {
    if (s_failureObserver)
        s_failureObserver(failure);
    return failure;
}
} // namespace

void Connection::open(const QString &path, Mode mode, const char *vfs) {
    close();
    const QFileInfo fi(path);
    if (path.isEmpty() || !fi.exists() || fi.isDir())
        throw DbError(err::FileNotFound, QStringLiteral("File not found: %1").arg(path));

    const int flags = (mode == Mode::ReadOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE) | SQLITE_OPEN_NOMUTEX;
    sqlite3 *db = nullptr;
    const int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &db, flags, vfs);
    if (rc != SQLITE_OK) {
        const QString msg = db ? QString::fromUtf8(sqlite3_errmsg(db)) : QStringLiteral("cannot open");
        sqlite3_close_v2(db);
        throw observed(DbError(err::GeneralFailure, msg));
    }
    sqlite3_busy_timeout(db, kBusyTimeoutMs);
    sqlite3_extended_result_codes(db, 1);
    // A file that is not a database only shows it when first read.
    char *errmsg = nullptr;
    const char *setup = mode == Mode::ReadOnly
                            ? "SELECT count(*) FROM sqlite_master; PRAGMA foreign_keys=ON;"
                            : "SELECT count(*) FROM sqlite_master; PRAGMA foreign_keys=ON; PRAGMA journal_mode=DELETE;";
    if (const int setupRc = sqlite3_exec(db, setup, nullptr, nullptr, &errmsg); setupRc != SQLITE_OK) {
        const QString msg = QString::fromUtf8(errmsg ? errmsg : "unrecognized database format");
        sqlite3_free(errmsg);
        sqlite3_close_v2(db);
        // Locked by another program is not damage: the file is sound and will open once it lets go.
        if (isInUse(setupRc))
            throw observed(DbError(err::DatabaseInUse,
                                   QStringLiteral("The database %1 is in use by another program (%2).").arg(path, msg)));
        throw observed(
            DbError(err::GeneralFailure, QStringLiteral("Unrecognized database format '%1': %2").arg(path, msg)));
    }
    if (mode == Mode::ReadWrite) {
        try {
            m_lockFile = std::make_unique<LockFile>(lockFilePath(path));
        } catch (...) {
            sqlite3_close_v2(db);
            throw;
        }
    }
    const QByteArray memory = QStringLiteral("PRAGMA cache_size=-%1; PRAGMA mmap_size=%2;")
                                  .arg(kPageCacheKiB)
                                  .arg(kMemoryMapBytes)
                                  .toLatin1();
    sqlite3_exec(db, memory.constData(), nullptr, nullptr, nullptr);   // a smaller cache still works
    m_db = db;
    m_path = path;
}

bool Connection::othersHoldFile() const {
    if (!m_lockFile)
        return true;
    // Asked on this connection's own description, whose shared lock does not
    // conflict with itself: any conflicting lock is another description's.
    return !presenceFree(*m_lockFile->fd());
}

void Connection::close() {
    if (!m_db)
        return;
    m_cache->clear();
    sqlite3_close_v2(m_db);
    m_db = nullptr;
    m_lockFile.reset();
    m_savepoint = 0;
}

void Connection::setFailureObserver(std::function<void(const DbError &)> observer) {
    s_failureObserver = std::move(observer);
}

void Connection::fail(int rc, const QString &context) const {
    const QString msg = m_db ? QString::fromUtf8(sqlite3_errmsg(m_db)) : QStringLiteral("The connection is closed.");
    long number = err::GeneralFailure;
    if ((rc & 0xff) == SQLITE_INTERRUPT)
        number = err::Interrupted;
    else if (isInUse(rc))
        number = err::DatabaseInUse;
    else if ((rc & 0xff) == SQLITE_FULL)
        number = err::DiskFull;
    else if (rc == SQLITE_CONSTRAINT_FOREIGNKEY && context.trimmed().startsWith(QLatin1String("DELETE"), Qt::CaseInsensitive))
        number = err::RelatedRows;
    else if (msg.startsWith(QLatin1String("no such table")))
        number = err::TableMissing;
    else if (msg.startsWith(QLatin1String("no such column")))
        number = err::ColumnMissing;
    else if ((rc & 0xff) == SQLITE_ERROR && msg.contains(QLatin1String("syntax error")))
        number = err::SyntaxError;
    throw observed(DbError(number, msg, QStringLiteral("zv.db")));
}

Connection::Statement *Connection::prepare(const QString &sql) {
    if (!m_db)
        throw DbError(err::ConnectionClosed, QStringLiteral("Operation is not allowed when the object is closed."));
    if (Statement *s = m_cache->statements.value(sql)) {
        sqlite3_reset(s->stmt);
        return s;
    }
    sqlite3_stmt *stmt = nullptr;
    const QByteArray utf8 = sql.toUtf8();
    const char *tail = nullptr;
    const int rc = sqlite3_prepare_v2(m_db, utf8.constData(), utf8.size(), &stmt, &tail);
    if (rc != SQLITE_OK)
        fail(rc, sql);
    if (!stmt)
        throw DbError(err::SyntaxError, QStringLiteral("Empty statement."));
    if (m_cache->statements.size() >= 128)
        m_cache->clear();
    auto *s = new Statement{stmt};
    m_cache->statements.insert(sql, s);
    return s;
}

void Connection::bind(Statement *st, const QVariantList &params) {
    const int expected = sqlite3_bind_parameter_count(st->stmt);
    if (expected != params.size())
        throw DbError(err::ColumnMissing,
                      QStringLiteral("The statement takes %1 values, %2 were given.").arg(expected).arg(params.size()));
    for (int i = 0; i < params.size(); ++i) {
        const QVariant &v = params.at(i);
        const int idx = i + 1;
        int rc = SQLITE_OK;
        if (v.isNull()) {
            rc = sqlite3_bind_null(st->stmt, idx);
        } else {
            switch (v.typeId()) {
            case QMetaType::Bool:
            case QMetaType::Int:
            case QMetaType::UInt:
            case QMetaType::LongLong:
            case QMetaType::ULongLong:
            case QMetaType::Short:
            case QMetaType::UShort:
            case QMetaType::Long:
            case QMetaType::ULong:
                rc = sqlite3_bind_int64(st->stmt, idx, v.toLongLong());
                break;
            case QMetaType::Double:
            case QMetaType::Float:
                rc = sqlite3_bind_double(st->stmt, idx, v.toDouble());
                break;
            case QMetaType::QDate:
                rc = sqlite3_bind_text(st->stmt, idx, toIsoDate(v.toDate()).toUtf8().constData(), -1, SQLITE_TRANSIENT);
                break;
            case QMetaType::QDateTime: {
                const QByteArray t = v.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")).toUtf8();
                rc = sqlite3_bind_text(st->stmt, idx, t.constData(), t.size(), SQLITE_TRANSIENT);
                break;
            }
            case QMetaType::QByteArray: {
                const QByteArray b = v.toByteArray();
                rc = sqlite3_bind_blob(st->stmt, idx, b.constData(), b.size(), SQLITE_TRANSIENT);
                break;
            }
            case QMetaType::QString: {
                // No copy of the string: it is read in place.
                const QByteArray t = static_cast<const QString *>(v.constData())->toUtf8();
                rc = sqlite3_bind_text(st->stmt, idx, t.constData(), t.size(), SQLITE_TRANSIENT);
                break;
            }
            default: {
                const QByteArray t = v.toString().toUtf8();
                rc = sqlite3_bind_text(st->stmt, idx, t.constData(), t.size(), SQLITE_TRANSIENT);
            }
            }
        }
        if (rc != SQLITE_OK)
            fail(rc, QString());
    }
}

Recordset Connection::query(const QString &sql, const QVariantList &params) {
    Statement *st = prepare(sql);
    bind(st, params);
    sqlite3_stmt *stmt = st->stmt;
    const int cols = sqlite3_column_count(stmt);
    Recordset rs;
    rs.m_columns.reserve(cols);
    for (int c = 0; c < cols; ++c)
        rs.m_columns << QString::fromUtf8(sqlite3_column_name(stmt, c));
    QVector<Recordset::Cell> &cells = rs.m_cells;
    int rc;
    int rows = 0;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        ++rows;
        for (int c = 0; c < cols; ++c) {
            Recordset::Cell cell;
            switch (sqlite3_column_type(stmt, c)) {
            case SQLITE_INTEGER:
                cell.kind = Recordset::Cell::Integer;
                cell.integer = sqlite3_column_int64(stmt, c);
                break;
            case SQLITE_FLOAT:
                cell.kind = Recordset::Cell::Real;
                cell.real = sqlite3_column_double(stmt, c);
                break;
            case SQLITE_TEXT: {
                const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(stmt, c));
                cell = rs.textCell(text, sqlite3_column_bytes(stmt, c));
                break;
            }
            case SQLITE_BLOB: {
                const auto *blob = static_cast<const char *>(sqlite3_column_blob(stmt, c));
                cell = rs.blobCell(blob, sqlite3_column_bytes(stmt, c));
                break;
            }
            default:
                break;   // Null
            }
            cells.push_back(cell);
        }
    }
    sqlite3_reset(stmt);
    if (rc != SQLITE_DONE)
        fail(rc, sql);
    rs.m_rowCount = rows;
    return rs;
}

int Connection::execute(const QString &sql, const QVariantList &params) {
    Statement *st = prepare(sql);
    bind(st, params);
    int rc;
    while ((rc = sqlite3_step(st->stmt)) == SQLITE_ROW) {
    }
    if (rc != SQLITE_DONE) {
        sqlite3_reset(st->stmt);
        fail(rc, sql);
    }
    sqlite3_reset(st->stmt);
    return sqlite3_changes(m_db);
}

void Connection::executeScript(const QString &sql) {
    if (!m_db)
        throw DbError(err::ConnectionClosed, QStringLiteral("Operation is not allowed when the object is closed."));
    char *errmsg = nullptr;
    const int rc = sqlite3_exec(m_db, sql.toUtf8().constData(), nullptr, nullptr, &errmsg);
    sqlite3_free(errmsg);
    if (rc != SQLITE_OK)
        fail(rc, sql);
}

QVariant Connection::scalar(const QString &sql, const QVariantList &params) {
    Recordset rs = query(sql, params);
    if (rs.isEmpty() || rs.fieldCount() == 0)
        return {};
    return rs.valueAt(0, 0);
}

qint64 Connection::lastInsertId() const { return m_db ? sqlite3_last_insert_rowid(m_db) : 0; }

bool Connection::inTransaction() const { return m_db && !sqlite3_get_autocommit(m_db); }

void Connection::interrupt() {
    if (m_db)
        sqlite3_interrupt(m_db);
}

std::unique_ptr<RowLock> Connection::lockRow(const QString &table, const QVariant &key) {
    if (!m_db || !m_lockFile)
        throw DbError(err::GeneralFailure, QStringLiteral("The row cannot be locked on this connection."));
    const qint64 offset = rowOffset(table, key);
    auto fd = m_lockFile->fd();
    if (!ofdLock(*fd, F_WRLCK, offset)) {
        if (errno == EAGAIN || errno == EACCES)
            throw RowHeld();
        throw DbError(err::GeneralFailure,
                      QStringLiteral("The row cannot be locked: ") + QString::fromLocal8Bit(strerror(errno)));
    }
    return std::unique_ptr<RowLock>(new RowLock(fd, offset));
}

// ---------------------------------------------------------------- transactions

Transaction::Transaction(Connection &conn) : m_conn(conn) {
    if (conn.inTransaction()) {
        m_savepoint = QStringLiteral("zv_sp_%1").arg(++conn.m_savepoint);
        conn.executeScript(QStringLiteral("SAVEPOINT ") + m_savepoint);
    } else {
        conn.executeScript(QStringLiteral("BEGIN IMMEDIATE"));
    }
}

Transaction::~Transaction() {
    if (!m_done) {
        try {
            rollback();
        } catch (...) {
        }
    }
}

void Transaction::commit() {
    if (m_done)
        return;
    m_conn.executeScript(m_savepoint.isEmpty() ? QStringLiteral("COMMIT") : QStringLiteral("RELEASE ") + m_savepoint);
    m_done = true;
}

void Transaction::rollback() {
    if (m_done)
        return;
    m_done = true;
    if (!m_conn.isOpen())
        return;
    if (m_savepoint.isEmpty()) {
        if (m_conn.inTransaction())
            m_conn.executeScript(QStringLiteral("ROLLBACK"));
    } else {
        m_conn.executeScript(QStringLiteral("ROLLBACK TO ") + m_savepoint + QStringLiteral("; RELEASE ") + m_savepoint);
    }
}

} // namespace zv::db
