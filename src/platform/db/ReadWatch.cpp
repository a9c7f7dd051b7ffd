#include "ReadWatch.h"
#include <sqlite3.h>

namespace zv::db {

namespace {

// A file opened over the watch: what SQLite sees, then the default VFS's own
// file, which does the work.
struct File {
    sqlite3_file shim;
    ReadWatch::Watcher *watcher;   // null: not a main database file
    sqlite3_file *base() { return reinterpret_cast<sqlite3_file *>(this + 1); }
    static sqlite3_file *base(sqlite3_file *f) { return reinterpret_cast<File *>(f)->base(); }
    static const sqlite3_io_methods *of(sqlite3_file *f) { return base(f)->pMethods; }
};
static_assert(sizeof(File) % 8 == 0, "the default VFS's file must stay aligned");

int readWatched(sqlite3_file *f, void *buffer, int amount, sqlite3_int64 offset) {
    ReadWatch::Watcher *watcher = reinterpret_cast<File *>(f)->watcher;
    if (!watcher)
        return File::of(f)->xRead(File::base(f), buffer, amount, offset);
    if (!watcher->beforeRead(offset, amount))
        return SQLITE_IOERR_READ;
    const int rc = File::of(f)->xRead(File::base(f), buffer, amount, offset);
    watcher->afterRead(offset, amount);
    return rc;
}

// Everything but a read goes to the default VFS's file as it is (its methods
// are of version 3 on every Unix).
const sqlite3_io_methods kMethods = {
    3,
    [](sqlite3_file *f) { return File::of(f)->xClose(File::base(f)); },
    &readWatched,
    [](sqlite3_file *f, const void *b, int n, sqlite3_int64 o) { return File::of(f)->xWrite(File::base(f), b, n, o); },
    [](sqlite3_file *f, sqlite3_int64 size) { return File::of(f)->xTruncate(File::base(f), size); },
    [](sqlite3_file *f, int flags) { return File::of(f)->xSync(File::base(f), flags); },
    [](sqlite3_file *f, sqlite3_int64 *size) { return File::of(f)->xFileSize(File::base(f), size); },
    [](sqlite3_file *f, int lock) { return File::of(f)->xLock(File::base(f), lock); },
    [](sqlite3_file *f, int lock) { return File::of(f)->xUnlock(File::base(f), lock); },
    [](sqlite3_file *f, int *out) { return File::of(f)->xCheckReservedLock(File::base(f), out); },
    [](sqlite3_file *f, int op, void *arg) { return File::of(f)->xFileControl(File::base(f), op, arg); },
    [](sqlite3_file *f) { return File::of(f)->xSectorSize(File::base(f)); },
    [](sqlite3_file *f) { return File::of(f)->xDeviceCharacteristics(File::base(f)); },
    [](sqlite3_file *f, int page, int size, int extend, void volatile **out) {
        return File::of(f)->xShmMap(File::base(f), page, size, extend, out);
    },
    [](sqlite3_file *f, int offset, int n, int flags) {
        return File::of(f)->xShmLock(File::base(f), offset, n, flags);
    },
    [](sqlite3_file *f) { File::of(f)->xShmBarrier(File::base(f)); },
    [](sqlite3_file *f, int deleteFlag) { return File::of(f)->xShmUnmap(File::base(f), deleteFlag); },
    [](sqlite3_file *f, sqlite3_int64 o, int n, void **out) { return File::of(f)->xFetch(File::base(f), o, n, out); },
    [](sqlite3_file *f, sqlite3_int64 o, void *p) { return File::of(f)->xUnfetch(File::base(f), o, p); },
};

} // namespace

struct ReadWatch::Vfs {
    sqlite3_vfs vfs{};
    sqlite3_vfs *base = nullptr;
    Watcher *watcher = nullptr;

    static Vfs &of(sqlite3_vfs *v) { return *static_cast<Vfs *>(v->pAppData); }
    static sqlite3_vfs *baseOf(sqlite3_vfs *v) { return of(v).base; }

    static int open(sqlite3_vfs *v, const char *name, sqlite3_file *f, int flags, int *outFlags) {
        auto *file = reinterpret_cast<File *>(f);
        file->watcher = (flags & SQLITE_OPEN_MAIN_DB) ? of(v).watcher : nullptr;
        const int rc = baseOf(v)->xOpen(baseOf(v), name, file->base(), flags, outFlags);
        // SQLite closes a file whose methods are set, even after a failed open.
        file->shim.pMethods = file->base()->pMethods ? &kMethods : nullptr;
        return rc;
    }
};

ReadWatch::ReadWatch(Watcher &watcher) : m_vfs(std::make_unique<Vfs>()) {
    sqlite3_vfs *base = sqlite3_vfs_find(nullptr);
    m_name = "zv-readwatch-" + QByteArray::number(quintptr(this), 16);
    m_vfs->base = base;
    m_vfs->watcher = &watcher;
    sqlite3_vfs &v = m_vfs->vfs;
    v.iVersion = 2;
    v.szOsFile = int(sizeof(File)) + base->szOsFile;
    v.mxPathname = base->mxPathname;
    v.zName = m_name.constData();
    v.pAppData = m_vfs.get();
    v.xOpen = &Vfs::open;
    v.xDelete = [](sqlite3_vfs *s, const char *name, int sync) {
        return Vfs::baseOf(s)->xDelete(Vfs::baseOf(s), name, sync);
    };
    v.xAccess = [](sqlite3_vfs *s, const char *name, int flags, int *out) {
        return Vfs::baseOf(s)->xAccess(Vfs::baseOf(s), name, flags, out);
    };
    v.xFullPathname = [](sqlite3_vfs *s, const char *name, int n, char *out) {
        return Vfs::baseOf(s)->xFullPathname(Vfs::baseOf(s), name, n, out);
    };
    v.xDlOpen = [](sqlite3_vfs *s, const char *name) { return Vfs::baseOf(s)->xDlOpen(Vfs::baseOf(s), name); };
    v.xDlError = [](sqlite3_vfs *s, int n, char *out) { Vfs::baseOf(s)->xDlError(Vfs::baseOf(s), n, out); };
    v.xDlSym = [](sqlite3_vfs *s, void *handle, const char *symbol) {
        return Vfs::baseOf(s)->xDlSym(Vfs::baseOf(s), handle, symbol);
    };
    v.xDlClose = [](sqlite3_vfs *s, void *handle) { Vfs::baseOf(s)->xDlClose(Vfs::baseOf(s), handle); };
    v.xRandomness = [](sqlite3_vfs *s, int n, char *out) {
        return Vfs::baseOf(s)->xRandomness(Vfs::baseOf(s), n, out);
    };
    v.xSleep = [](sqlite3_vfs *s, int micros) { return Vfs::baseOf(s)->xSleep(Vfs::baseOf(s), micros); };
    v.xCurrentTime = [](sqlite3_vfs *s, double *out) { return Vfs::baseOf(s)->xCurrentTime(Vfs::baseOf(s), out); };
    v.xGetLastError = [](sqlite3_vfs *s, int n, char *out) {
        return Vfs::baseOf(s)->xGetLastError(Vfs::baseOf(s), n, out);
    };
    v.xCurrentTimeInt64 = [](sqlite3_vfs *s, sqlite3_int64 *out) {
        return Vfs::baseOf(s)->xCurrentTimeInt64(Vfs::baseOf(s), out);
    };
    sqlite3_vfs_register(&v, 0);
}

ReadWatch::~ReadWatch() { sqlite3_vfs_unregister(&m_vfs->vfs); }

} // namespace zv::db
