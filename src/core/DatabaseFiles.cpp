#include "DatabaseFiles.h"
#include "platform/db/ErrorText.h"
#include "platform/db/Connection.h"
#include "platform/db/DbError.h"
#include "platform/db/ReadWatch.h"
#include "platform/ui/WindowWait.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <algorithm>
#include <chrono>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <fcntl.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

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

// The check's own work on a page in its first pass, its read aside, takes
// about as long as this many fetches of a page by its lookups later on: in a
// file that fits the page cache (seen from 40 to 90), and in a larger one,
// whose pages the lookups fetch from all over memory or read again (seen
// from 4 to 20). Only a guess until the lookups' own pace is known.
constexpr double kFetchesAPageInCache = 65;
constexpr double kFetchesAPage = 10;
// Entries per b-tree page, roughly: the levels of an index not gone down.
constexpr double kFanOut = 400;
// SQLite reads a database a page at a time, and no page is smaller; shorter
// reads are of the file's header.
constexpr int kSmallestPage = 512;
// The share of the work after the first pass done before its own pace is
// gone by; until then the first pass's stands for it.
constexpr double kPaceSample = 0.01;

qint64 pageFetches(sqlite3 *db) {
    int hits = 0, misses = 0, highest = 0;
    sqlite3_db_status(db, SQLITE_DBSTATUS_CACHE_HIT, &hits, &highest, 0);
    sqlite3_db_status(db, SQLITE_DBSTATUS_CACHE_MISS, &misses, &highest, 0);
    return qint64(hits) + misses;
}

QString quoted(QString name) {
    return QLatin1Char('"') + name.replace(QLatin1Char('"'), QStringLiteral("\"\"")) + QLatin1Char('"');
}

// The page fetches of a lookup in an index: one for each of its levels below
// the root, which a lookup keeps. Counted by going down the index once, in a
// read transaction already begun (which fetches nothing more).
double lookupFetches(zv::db::Connection &conn, const QString &index, const QString &table, double rows) {
    const qint64 before = pageFetches(conn.handle());
    try {
        conn.query(QStringLiteral("SELECT 1 FROM ") + quoted(table) + QStringLiteral(" INDEXED BY ") + quoted(index) +
                   QStringLiteral(" LIMIT 1"));
        return std::max(0.0, double(pageFetches(conn.handle()) - before - 1));
    } catch (const zv::db::DbError &e) {
        if (e.number() == zv::db::err::Interrupted || e.number() == zv::db::err::DatabaseInUse)
            throw;
        return std::max(1.0, std::log(rows) / std::log(kFanOut));
    }
}

// The check's work after its first pass (which reads every page once), in
// page fetches: it scans every table and looks each row up in each of the
// table's indexes, and counts the indexes. Counted in one read transaction.
double laterFetches(zv::db::Connection &conn, double pages) {
    double fetches = pages;
    conn.execute(QStringLiteral("BEGIN"));
    const zv::db::Recordset indexes = conn.query(QStringLiteral(
        "SELECT i.name, i.tbl_name FROM sqlite_master i JOIN sqlite_master t ON t.name = i.tbl_name "
        "WHERE i.type = 'index' AND t.type = 'table' AND t.rootpage > 0 ORDER BY i.tbl_name"));
    QString table;
    double rows = 0;
    for (int i = 0; i < indexes.recordCount(); ++i) {
        if (indexes.valueAt(i, 1).toString() != table) {
            table = indexes.valueAt(i, 1).toString();
            rows = 0;
            try {
                rows = conn.scalar(QStringLiteral("SELECT count(*) FROM ") + quoted(table)).toDouble();
            } catch (const zv::db::DbError &e) {
                // A table that cannot be counted is the check's to report.
                if (e.number() == zv::db::err::Interrupted || e.number() == zv::db::err::DatabaseInUse)
                    throw;
            }
        }
        if (rows > 1)
            fetches += rows * lookupFetches(conn, indexes.valueAt(i, 0).toString(), table, rows);
    }
    conn.execute(QStringLiteral("COMMIT"));
    return fetches;
}

double steadySeconds() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// The percent of the check: the share of its time gone, from the time gone
// and the time left. The time left is what is left of each part of the work
// at the pace that part has gone so far: reading the file's pages (the first
// read of each, from memory or from the disk; on a file not in memory, most
// of the time), the first pass's own work on them, counted in pages, and the
// work after it, counted in page fetches, whose pace until it is under way is
// the first pass's over kFetchesAPage(InCache). The reads are watched as they
// happen, since the first pass reads the whole file in one step of the
// check's statement; Cancel refuses them.
class CheckProgress final : public zv::db::ReadWatch::Watcher {
public:
    CheckProgress(zv::ui::WorkProgress &progress, const CheckHooks &hooks)
        : m_progress(progress), m_hooks(hooks), m_start(now()) {}

    // The integrity check starts: pagesToRead of the file's pages are in use,
    // and after its first pass it fetches about laterFetches pages.
    void checkStarts(sqlite3 *db, double pages, double pagesToRead, double laterFetches, bool fitsCache) {
        m_db = db;
        m_pages = pages;
        m_pagesToRead = pagesToRead;
        m_laterFetches = std::max(1.0, laterFetches);
        m_fetchesAPage = fitsCache ? kFetchesAPageInCache : kFetchesAPage;
        // The first pass's pace is its own: the counting before it is no part of it.
        m_passFrom = now();
        m_readingBefore = m_reading;
    }

    bool beforeRead(qint64 offset, int amount) override {
        if (m_progress.cancelRequested.load())
            return false;
        m_page = amount < kSmallestPage ? -1 : offset / amount;
        if (isFirstRead())
            m_readFrom = now();
        return true;
    }

    void afterRead(qint64, int amount) override {
        if (amount < kSmallestPage)
            return;
        if (m_db && !m_firstPassOver)
            ++m_firstPassReads;
        if (!isFirstRead())
            return;   // read before: the file system has it in memory now
        m_read[size_t(m_page)] = true;
        if (m_hooks.onPageRead)
            m_hooks.onPageRead();
        m_reading += now() - m_readFrom;
        ++m_pagesRead;
        report();
    }

    // The statement's progress handler: Cancel, and the work after the first
    // pass (which runs as one step: the first call comes after it).
    static int onStep(void *context) {
        auto *self = static_cast<CheckProgress *>(context);
        if (self->m_progress.cancelRequested.load())
            return 1;
        if (!self->m_db)
            return 0;   // still estimating the work
        if (!self->m_firstPassOver) {
            self->m_firstPassOver = true;
            self->m_laterFrom = self->now();
            self->m_fetchedBefore = pageFetches(self->m_db);
        }
        self->m_laterDone = double(pageFetches(self->m_db) - self->m_fetchedBefore);
        self->report();
        return 0;
    }

private:
    double now() const { return m_hooks.seconds ? m_hooks.seconds() : steadySeconds(); }

    bool isFirstRead() {
        if (m_page < 0)
            return false;
        if (size_t(m_page) >= m_read.size())
            m_read.resize(size_t(m_page) + 1);
        return !m_read[size_t(m_page)];
    }

    void report() {
        if (!m_db || m_pagesRead <= 0)
            return;
        const double time = now();
        const double elapsed = time - m_start;
        double left = 0;
        if (!m_firstPassOver) {
            if (m_firstPassReads <= 0)
                return;
            m_pagePace = std::max(0.0, time - m_passFrom - (m_reading - m_readingBefore)) / m_firstPassReads;
            left = std::max(0.0, m_pagesToRead - m_pagesRead) * m_reading / m_pagesRead +
                   std::max(0.0, m_pages - m_firstPassReads) * m_pagePace +
                   m_laterFetches * m_pagePace / m_fetchesAPage;
        } else {
            const bool underWay = m_laterDone >= kPaceSample * m_laterFetches;
            const double pace = underWay ? (time - m_laterFrom) / m_laterDone : m_pagePace / m_fetchesAPage;
            left = std::max(0.0, m_laterFetches - m_laterDone) * pace;
        }
        if (elapsed + left <= 0)
            return;
        const int percent = qBound(0, int(100 * elapsed / (elapsed + left)), 99);
        m_progress.percent.store(std::max(percent, m_progress.percent.load()));
        if (m_hooks.onPercent)
            m_hooks.onPercent(m_progress.percent.load());
    }

    zv::ui::WorkProgress &m_progress;
    const CheckHooks &m_hooks;
    const double m_start;
    sqlite3 *m_db = nullptr;       // set once the integrity check starts
    double m_pages = 0;            // the file's pages
    double m_pagesToRead = 0;      // ... less the free ones, which the check does not read
    // The first pass:
    double m_firstPassReads = 0;   // pages it read
    double m_pagePace = 0;         // seconds of its own work on a page, its reads aside
    double m_fetchesAPage = kFetchesAPage;   // ... in fetches later on
    bool m_firstPassOver = false;
    double m_passFrom = 0;         // when it began
    double m_readingBefore = 0;    // the seconds of first reads before it
    // The work after it:
    double m_laterFetches = 0;     // the page fetches expected
    double m_laterDone = 0;        // ... done
    double m_laterFrom = 0;        // when it began
    qint64 m_fetchedBefore = 0;    // the fetches before it
    // The reads:
    std::vector<bool> m_read;      // the pages read so far
    double m_pagesRead = 0;
    double m_reading = 0;          // ... and the seconds their reads took
    qint64 m_page = -1;            // the page being read
    double m_readFrom = 0;         // when its read began
};
} // namespace

FileCheck checkDatabaseFile(const QString &path, zv::ui::WorkProgress &progress, const CheckHooks &hooks) {
    if (!QFileInfo(path).isFile())
        return FileCheck::Invalid;
    CheckProgress estimate(progress, hooks);
    const zv::db::ReadWatch reads(estimate);
    auto outcome = [&](FileCheck result) { return progress.cancelRequested.load() ? FileCheck::Cancelled : result; };
    try {
        zv::db::Connection conn;
        conn.open(path, zv::db::Connection::Mode::ReadOnly, reads.vfsName());
        if (!hasIdentity(conn))
            return outcome(FileCheck::Invalid);
        // Pages come through the page cache, so that their fetches are counted.
        conn.execute(QStringLiteral("PRAGMA mmap_size=0"));
        progress.percent.store(0);
        // Cancel works from here on; the estimate reports nothing yet.
        sqlite3_progress_handler(conn.handle(), 4000, &CheckProgress::onStep, &estimate);
        const double pages = conn.scalar(QStringLiteral("PRAGMA page_count")).toDouble();
        const double free = conn.scalar(QStringLiteral("PRAGMA freelist_count")).toDouble();
        const double later = laterFetches(conn, pages);
        const double pageSize = conn.scalar(QStringLiteral("PRAGMA page_size")).toDouble();
        estimate.checkStarts(conn.handle(), pages, pages - free, later,
                             pages * pageSize <= zv::db::kPageCacheKiB * 1024.0);
        const zv::db::Recordset rs = conn.query(QStringLiteral("PRAGMA integrity_check"));
        sqlite3_progress_handler(conn.handle(), 0, nullptr, nullptr);
        if (progress.cancelRequested.load())
            return FileCheck::Cancelled;
        progress.percent.store(100);
        const bool ok = rs.recordCount() == 1 && rs.valueAt(0, 0).toString() == QLatin1String("ok");
        return ok ? FileCheck::Valid : FileCheck::Invalid;
    } catch (const zv::db::DbError &e) {
        if (e.number() == zv::db::err::Interrupted)
            return FileCheck::Cancelled;
        if (e.number() == zv::db::err::DatabaseInUse)
            return outcome(FileCheck::InUse);
        return outcome(FileCheck::Invalid);
    } catch (...) {
        return outcome(FileCheck::Invalid);
    }
}

} // namespace zv::admin
