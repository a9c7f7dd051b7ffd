#include "DatabaseFiles.h"
#include "platform/db/ErrorText.h"
#include "platform/db/Connection.h"
#include "platform/db/DbError.h"
#include "platform/ui/WindowWait.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <algorithm>
#include <cerrno>
#include <cmath>
#include <limits>
#include <cstring>
#include <fcntl.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zv::admin {

namespace {

QString canonicalOrCleaned(const QString &path) {
    const QFileInfo fi(path);
    const QString canonical = fi.canonicalFilePath();
    if (!canonical.isEmpty())
        return canonical;
    QString folder = QFileInfo(fi.absolutePath()).canonicalFilePath();
    if (folder.isEmpty())
        folder = QDir::cleanPath(fi.absolutePath());
    return QDir::cleanPath(folder + QLatin1Char('/') + fi.fileName());
}

constexpr long kReadFailed = 57;

[[noreturn]] void raise(long number, const QString &description, const QString &blocked) {
    throw CopyFailure(number, description, blocked);
}

// A write the file system refused: a full disk (or a file larger than may be
// written, which leaves no room all the same) is told apart from a folder
// that cannot be written.
[[noreturn]] void failWrite(const QString &what, const QString &blocked, int error = errno) {
    const bool noRoom = error == ENOSPC || error == EDQUOT || error == EFBIG;
    raise(noRoom ? kDiskFull : zv::db::err::ReadOnlyFile,
          what + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(error)), blocked);
}

void syncFolder(const QString &folder) {
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

bool sameFile(const QString &a, const QString &b) {
    if (a.trimmed().isEmpty() || b.trimmed().isEmpty())
        return false;
    struct stat sa {}, sb {};
    const bool haveA = ::stat(QFile::encodeName(a).constData(), &sa) == 0;
    const bool haveB = ::stat(QFile::encodeName(b).constData(), &sb) == 0;
    if (haveA && haveB)
        return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
    if (haveA != haveB)
        return false;
    return canonicalOrCleaned(a) == canonicalOrCleaned(b);
}

void copyDatabaseFile(const QString &source, const QString &dest, bool overwrite, std::atomic<int> *percent) {
    QFile in(source);
    if (!QFileInfo::exists(source))
        raise(zv::db::err::FileNotFound, QStringLiteral("File not found: ") + source, source);
    // A link is followed: the file it names is replaced, the link stays.
    const QFileInfo given(dest);
    const QFileInfo destInfo(given.exists() ? given.canonicalFilePath() : given.absoluteFilePath());
    const QString folder = destInfo.absolutePath();
    if (!QFileInfo(folder).isDir())
        raise(kPathNotFound, QStringLiteral("Path not found: ") + folder, folder);
    if (!overwrite && destInfo.exists())
        raise(kFileExists, QStringLiteral("File already exists: ") + dest, dest);
    if (destInfo.isDir())
        raise(zv::db::err::ReadOnlyFile, QStringLiteral("A folder has this name: ") + dest, dest);
    if (!in.open(QIODevice::ReadOnly))
        raise(kReadFailed, in.errorString() + QStringLiteral(": ") + source, source);

    // The temporary file lives beside dest so that the rename stays on one
    // file system and is atomic; it is removed again on any failure.
    QTemporaryFile tmp(folder + QLatin1Char('/') + QLatin1Char('.') + destInfo.fileName() +
                       QStringLiteral(".XXXXXX"));
    tmp.setAutoRemove(true);
    errno = 0;
    if (!tmp.open())
        failWrite(tmp.errorString() + QStringLiteral(" in ") + folder, folder, errno ? errno : EACCES);
    const int fd = tmp.handle();
    const qint64 total = in.size();
    qint64 copied = 0;
    QByteArray buffer(1 << 20, Qt::Uninitialized);
    for (;;) {
        const qint64 got = in.read(buffer.data(), buffer.size());
        if (got < 0)
            raise(kReadFailed, in.errorString() + QStringLiteral(": ") + source, source);
        if (got == 0)
            break;
        qint64 done = 0;
        while (done < got) {
            const ssize_t n = ::write(fd, buffer.constData() + done, size_t(got - done));
            if (n < 0) {
                if (errno == EINTR)
                    continue;
                failWrite(QStringLiteral("Cannot write ") + tmp.fileName(), folder);
            }
            done += n;
        }
        copied += got;
        if (percent && total > 0)
            percent->store(int(qMin<qint64>(100, copied * 100 / total)));
    }
    if (::fsync(fd) != 0)
        failWrite(QStringLiteral("Cannot write ") + tmp.fileName(), folder);

    // Keep the permissions of the file being replaced; a new file gets the
    // source's, always writable by its owner (a read-only database would stop
    // the program at the next open).
    QFileDevice::Permissions perms =
        destInfo.exists() ? QFile::permissions(destInfo.absoluteFilePath()) : QFile::permissions(source);
    perms |= QFileDevice::ReadOwner | QFileDevice::WriteOwner;
    tmp.setPermissions(perms);

    // A journal beside dest belongs to the file being replaced; left there it
    // would be rolled back into the new file at its next open.
    for (const QString &base : {given.absoluteFilePath(), destInfo.absoluteFilePath()}) {
        for (const char *suffix : {"-journal", "-wal", "-shm"}) {
            const QString side = base + QLatin1String(suffix);
            if (QFileInfo::exists(side) && !QFile::remove(side))
                raise(zv::db::err::ReadOnlyFile, QStringLiteral("Cannot remove ") + side,
                      QFileInfo(side).absolutePath());
        }
    }

    const QByteArray tmpName = QFile::encodeName(tmp.fileName());
    const QByteArray destName = QFile::encodeName(destInfo.absoluteFilePath());
    if (overwrite) {
        if (::rename(tmpName.constData(), destName.constData()) != 0)
            failWrite(QStringLiteral("Cannot replace ") + dest, folder);
    } else {
        // link() refuses an existing name, so a file that appeared meanwhile is never replaced.
        if (::link(tmpName.constData(), destName.constData()) != 0) {
            if (errno == EEXIST)
                raise(kFileExists, QStringLiteral("File already exists: ") + dest, dest);
            failWrite(QStringLiteral("Cannot write ") + dest, folder);
        }
    }
    if (overwrite)
        tmp.setAutoRemove(false);   // renamed away: nothing left to remove
    syncFolder(folder);
}

QString cannotBeWritten(const QString &path) {
    return path + QStringLiteral(" can not be written. Please make it writable.");
}

QString copyFailureCause(const std::exception &error) {
    const auto *db = dynamic_cast<const zv::db::DbError *>(&error);
    if (!db)
        return QString::fromLocal8Bit(error.what());
    const auto *copy = dynamic_cast<const CopyFailure *>(&error);
    const QString blocked = copy ? copy->blocked() : QString();
    switch (db->number()) {
    case zv::db::err::DatabaseInUse:
        return QStringLiteral("The specified file is being used by another program. Please try again when it is "
                              "closed.");
    case kDiskFull:
        return QStringLiteral("There is not enough space left on the disk. Please free some space and try again.");
    case zv::db::err::ReadOnlyFile:
        if (!blocked.isEmpty())
            return cannotBeWritten(blocked);
        break;
    case kPathNotFound:
        return QStringLiteral("The folder ") + blocked + QStringLiteral(" does not exist.");
    case zv::db::err::FileNotFound:
        return QStringLiteral("The file ") + blocked + QStringLiteral(" does not exist.");
    case kReadFailed:
        return blocked + QStringLiteral(" can not be read.");
    default:
        break;
    }
    return db->description();
}

QString unwritableLockFile(std::initializer_list<QString> files) {
    for (const QString &file : files)
        if (const QString blocked = zv::db::lockFileBlocked(file); !blocked.isEmpty())
            return cannotBeWritten(blocked);
    return QString();
}

bool hasIdentity(zv::db::Connection &conn) {
    try {
        if (!conn.isOpen())
            return false;
        const zv::db::Recordset rs =
            conn.query(QStringLiteral("SELECT 1 FROM Parm WHERE UPPER(DB_Check) = 'ZORVANE'"));
        return !rs.isEmpty();
    } catch (const std::exception &e) {
        // Only a damaged file or a missing table says "not ours": a lock, a
        // closed connection or a stopped read is no answer.
        if (!zv::db::isDamage(e))
            throw;
        return false;
    }
}

bool isValidDatabaseFile(const QString &path) {
    zv::ui::WorkProgress progress;
    return checkDatabaseFile(path, progress) == FileCheck::Valid;
}

namespace {

// A read of a page from the file in the check's first pass costs about ten
// fetches of a page by a lookup later on.
constexpr double kFirstPassWeight = 10;
// Entries per b-tree page, roughly: gives the depth of an index lookup.
constexpr double kFanOut = 400;

struct CheckProgress {
    sqlite3 *db;
    zv::ui::WorkProgress *progress;
    const std::function<void(int)> *onPercent;
    double pages = 0;      // the file's pages
    double expected = 1;   // the work of the whole check, in page fetches
};

qint64 pageFetches(sqlite3 *db) {
    int hits = 0, misses = 0, highest = 0;
    sqlite3_db_status(db, SQLITE_DBSTATUS_CACHE_HIT, &hits, &highest, 0);
    sqlite3_db_status(db, SQLITE_DBSTATUS_CACHE_MISS, &misses, &highest, 0);
    return qint64(hits) + misses;
}

// The check reads every page of the file once, then scans every table and
// looks each row up in each of the table's indexes, and counts the indexes:
// its work follows the pages it fetches, which this estimates beforehand.
double expectedFetches(zv::db::Connection &conn, double pages) {
    double expected = (kFirstPassWeight + 1) * pages;
    const zv::db::Recordset tables = conn.query(QStringLiteral(
        "SELECT t.name, (SELECT count(*) FROM sqlite_master i WHERE i.type = 'index' AND i.tbl_name = t.name) "
        "FROM sqlite_master t WHERE t.type = 'table' AND t.rootpage > 0"));
    for (int i = 0; i < tables.recordCount(); ++i) {
        const int indexes = tables.valueAt(i, 1).toInt();
        if (indexes == 0)
            continue;
        QString name = tables.valueAt(i, 0).toString();
        name.replace(QLatin1Char('"'), QStringLiteral("\"\""));
        double rows = 0;
        try {
            rows = conn.scalar(QStringLiteral("SELECT count(*) FROM \"") + name + QLatin1Char('"')).toDouble();
        } catch (const zv::db::DbError &e) {
            // A table that cannot be counted is the check's to report.
            if (e.number() == zv::db::err::Interrupted || e.number() == zv::db::err::DatabaseInUse)
                throw;
        }
        if (rows > 1)
            expected += rows * indexes * std::max(1.0, std::log(rows) / std::log(kFanOut));
    }
    return expected;
}

int onCheckProgress(void *context) {
    auto *p = static_cast<CheckProgress *>(context);
    if (p->progress->cancelRequested.load())
        return 1;
    // The first pass runs as one step: the first call comes after it.
    const double fetched = double(pageFetches(p->db));
    const double done = fetched <= p->pages ? kFirstPassWeight * fetched
                                            : kFirstPassWeight * p->pages + (fetched - p->pages);
    const int percent = qBound(0, int(done * 100 / p->expected), 99);
    p->progress->percent.store(std::max(percent, p->progress->percent.load()));
    if (*p->onPercent)
        (*p->onPercent)(p->progress->percent.load());
    return 0;
}
} // namespace

FileCheck checkDatabaseFile(const QString &path, zv::ui::WorkProgress &progress,
                            const std::function<void(int)> &onPercent) {
    if (!QFileInfo(path).isFile())
        return FileCheck::Invalid;
    try {
        zv::db::Connection conn;
        conn.open(path, zv::db::Connection::Mode::ReadOnly);
        if (!hasIdentity(conn))
            return FileCheck::Invalid;
        // Pages come through the page cache, so that their fetches are counted.
        conn.execute(QStringLiteral("PRAGMA mmap_size=0"));
        progress.percent.store(0);
        CheckProgress context{conn.handle(), &progress, &onPercent};
        // Cancel works from here on; the estimate reports nothing yet.
        const std::function<void(int)> quiet;
        context.onPercent = &quiet;
        context.expected = std::numeric_limits<double>::max();
        sqlite3_progress_handler(conn.handle(), 4000, &onCheckProgress, &context);
        context.pages = conn.scalar(QStringLiteral("PRAGMA page_count")).toDouble();
        context.expected = std::max(1.0, expectedFetches(conn, context.pages));
        context.onPercent = &onPercent;
        int ignored = 0, highest = 0;
        sqlite3_db_status(conn.handle(), SQLITE_DBSTATUS_CACHE_HIT, &ignored, &highest, 1);
        sqlite3_db_status(conn.handle(), SQLITE_DBSTATUS_CACHE_MISS, &ignored, &highest, 1);
        const zv::db::Recordset rs = conn.query(QStringLiteral("PRAGMA integrity_check"));
        sqlite3_progress_handler(conn.handle(), 0, nullptr, nullptr);
        progress.percent.store(100);
        const bool ok = rs.recordCount() == 1 && rs.valueAt(0, 0).toString() == QLatin1String("ok");
        return ok ? FileCheck::Valid : FileCheck::Invalid;
    } catch (const zv::db::DbError &e) {
        if (e.number() == zv::db::err::Interrupted)
            return FileCheck::Cancelled;
        if (e.number() == zv::db::err::DatabaseInUse)
            return FileCheck::InUse;
        return FileCheck::Invalid;
    } catch (...) {
        return FileCheck::Invalid;
    }
}

} // namespace zv::admin
