#pragma once
#include "platform/db/DbError.h"
#include <QString>
#include <initializer_list>
#include <atomic>
#include <functional>

namespace zv::db { class Connection; }
namespace zv::ui { struct WorkProgress; }

// File operations of the database administration windows (reset, backup,
// restore). They work on closed database files only; the callers check the
// lock files first.
namespace zv::admin {

// Whether two paths name the same file: the same file system object when both
// exist (links resolved), otherwise the same canonical folder and the same
// name. Letter case counts, as it does on the file system.
bool sameFile(const QString &a, const QString &b);

// Copies the database file source to dest. The bytes go to a temporary file in
// dest's folder, which is flushed to disk and then renamed over dest, so a
// failure at any point leaves dest as it was. A rollback journal left beside
// dest (which would otherwise be played back into the new file) is removed
// just before the rename. Without overwrite an existing dest raises 58.
// Failures raise CopyFailure (a zv::db::DbError): 53 source missing, 76
// folder missing, 58 file exists, 61 no room left on the disk, 75 anything
// else the file system refuses. percent, when given, follows the bytes copied
// (0 to 100).
void copyDatabaseFile(const QString &source, const QString &dest, bool overwrite,
                      std::atomic<int> *percent = nullptr);

// A failed copy, with the file or folder that stopped it.
class CopyFailure : public zv::db::DbError {
public:
    CopyFailure(long number, const QString &description, QString blocked)
        : DbError(number, description, QStringLiteral("zv.admin")), m_blocked(std::move(blocked)) {}
    const QString &blocked() const { return m_blocked; }

private:
    QString m_blocked;
};

// "<path> can not be written. Please make it writable.": a file or folder the
// program must write to and cannot.
QString cannotBeWritten(const QString &path);

// Why a copy over a database file failed, in words for the user: the folder
// that cannot be written, a full disk, the file in use.
QString copyFailureCause(const std::exception &error);

// Before a file is replaced: the cause to name when the lock file of one of
// files cannot be made ("<path> can not be written. ..."), else empty. Such a
// lock file is not someone using the database.
QString unwritableLockFile(std::initializer_list<QString> files);

// The identity query on an open connection: true when Parm holds the identity
// value. A damaged file or a missing table gives false; any other failure (a
// file in use among them) is no answer and reaches the caller.
bool hasIdentity(zv::db::Connection &conn);

// Opens path read-only (creating nothing) and checks its identity and its
// integrity. Any error gives false.
bool isValidDatabaseFile(const QString &path);

// What a test plays into checkDatabaseFile; the program gives none. seconds is
// the clock the check's estimate reads (steady time when empty); a first read
// of a page that takes longer on it than a read from memory does waited for
// the disk. onPageRead is called inside the first read of each page of the
// file, after its bytes are in and before the read's time is taken (a slow
// disk, say); onPercent hears the percent each time it is worked out.
struct CheckHooks {
    std::function<double()> seconds;
    std::function<void()> onPageRead;
    std::function<void(int percent)> onPercent;
};

// The same check for work under a busy window: progress.percent is the share
// of the check's time gone, whether its time goes to reading the file from
// the disk or to checking what it read; progress.cancelRequested stops it
// (Cancelled), while it reads the file too.
enum class FileCheck { Valid, Invalid, InUse, Cancelled };
FileCheck checkDatabaseFile(const QString &path, zv::ui::WorkProgress &progress, const CheckHooks &hooks = {});

inline constexpr long kFileExists = 58;
inline constexpr long kPathNotFound = 76;
inline constexpr long kDiskFull = 61;

} // namespace zv::admin
