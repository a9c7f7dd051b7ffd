#include "DatabaseFiles.h"
#include "platform/db/Connection.h"
#include "platform/db/DbError.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
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

[[noreturn]] void fail(long number, const QString &what, int error = errno) {
    throw zv::db::DbError(number, what + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(error)),
                          QStringLiteral("zv.admin"));
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
        throw zv::db::DbError(zv::db::err::FileNotFound, QStringLiteral("File not found: ") + source,
                              QStringLiteral("zv.admin"));
    // A link is followed: the file it names is replaced, the link stays.
    const QFileInfo given(dest);
    const QFileInfo destInfo(given.exists() ? given.canonicalFilePath() : given.absoluteFilePath());
    const QString folder = destInfo.absolutePath();
    if (!QFileInfo(folder).isDir())
        throw zv::db::DbError(kPathNotFound, QStringLiteral("Path not found: ") + folder,
                              QStringLiteral("zv.admin"));
    if (!overwrite && destInfo.exists())
        throw zv::db::DbError(kFileExists, QStringLiteral("File already exists: ") + dest,
                              QStringLiteral("zv.admin"));
    if (destInfo.isDir())
        throw zv::db::DbError(zv::db::err::ReadOnlyFile, QStringLiteral("A folder has this name: ") + dest,
                              QStringLiteral("zv.admin"));
    if (!in.open(QIODevice::ReadOnly))
        throw zv::db::DbError(zv::db::err::ReadOnlyFile, in.errorString() + QStringLiteral(": ") + source,
                              QStringLiteral("zv.admin"));

    // The temporary file lives beside dest so that the rename stays on one
    // file system and is atomic; it is removed again on any failure.
    QTemporaryFile tmp(folder + QLatin1Char('/') + QLatin1Char('.') + destInfo.fileName() +
                       QStringLiteral(".XXXXXX"));
    tmp.setAutoRemove(true);
    if (!tmp.open())
        throw zv::db::DbError(zv::db::err::ReadOnlyFile, tmp.errorString() + QStringLiteral(": ") + folder,
                              QStringLiteral("zv.admin"));
    const int fd = tmp.handle();
    const qint64 total = in.size();
    qint64 copied = 0;
    QByteArray buffer(1 << 20, Qt::Uninitialized);
    for (;;) {
        const qint64 got = in.read(buffer.data(), buffer.size());
        if (got < 0)
            throw zv::db::DbError(zv::db::err::ReadOnlyFile, in.errorString() + QStringLiteral(": ") + source,
                                  QStringLiteral("zv.admin"));
        if (got == 0)
            break;
        qint64 done = 0;
        while (done < got) {
            const ssize_t n = ::write(fd, buffer.constData() + done, size_t(got - done));
            if (n < 0) {
                if (errno == EINTR)
                    continue;
                fail(zv::db::err::ReadOnlyFile, QStringLiteral("Cannot write ") + tmp.fileName());
            }
            done += n;
        }
        copied += got;
        if (percent && total > 0)
            percent->store(int(qMin<qint64>(100, copied * 100 / total)));
    }
    if (::fsync(fd) != 0)
        fail(zv::db::err::ReadOnlyFile, QStringLiteral("Cannot write ") + tmp.fileName());

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
                throw zv::db::DbError(zv::db::err::ReadOnlyFile, QStringLiteral("Cannot remove ") + side,
                                      QStringLiteral("zv.admin"));
        }
    }

    const QByteArray tmpName = QFile::encodeName(tmp.fileName());
    const QByteArray destName = QFile::encodeName(destInfo.absoluteFilePath());
    if (overwrite) {
        if (::rename(tmpName.constData(), destName.constData()) != 0)
            fail(zv::db::err::ReadOnlyFile, QStringLiteral("Cannot replace ") + dest);
    } else {
        // link() refuses an existing name, so a file that appeared meanwhile is never replaced.
        if (::link(tmpName.constData(), destName.constData()) != 0) {
            if (errno == EEXIST)
                throw zv::db::DbError(kFileExists, QStringLiteral("File already exists: ") + dest,
                                      QStringLiteral("zv.admin"));
            fail(zv::db::err::ReadOnlyFile, QStringLiteral("Cannot write ") + dest);
        }
    }
    if (overwrite)
        tmp.setAutoRemove(false);   // renamed away: nothing left to remove
    syncFolder(folder);
}

bool hasIdentity(zv::db::Connection &conn) {
    try {
        if (!conn.isOpen())
            return false;
        const zv::db::Recordset rs =
            conn.query(QStringLiteral("SELECT 1 FROM Parm WHERE UPPER(DB_Check) = 'ZORVANE'"));
        return !rs.isEmpty();
    } catch (...) {
        return false;
    }
}

bool isValidDatabaseFile(const QString &path) {
    if (!QFileInfo(path).isFile())
        return false;
    try {
        zv::db::Connection conn;
        conn.open(path, zv::db::Connection::Mode::ReadOnly);
        bool ok = hasIdentity(conn);
        if (ok) {
            const zv::db::Recordset rs = conn.query(QStringLiteral("PRAGMA integrity_check"));
            ok = rs.recordCount() == 1 && rs.valueAt(0, 0).toString() == QLatin1String("ok");
        }
        conn.close();
        return ok;
    } catch (...) {
        return false;
    }
}

} // namespace zv::admin
