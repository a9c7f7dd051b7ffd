#pragma once
#include <QByteArray>
#include <QtGlobal>
#include <memory>

namespace zv::db {

// The reads of a database file as they happen: a VFS of its own over the
// default one (by name vfsName(), for Connection::open) that hands each read
// of a connection's main database file to a watcher, before and after it.
// Everything else goes to the default VFS unchanged. The watch must outlive
// the connections opened over it; the watcher is called on the thread that
// reads.
class ReadWatch {
public:
    class Watcher {
    public:
        virtual ~Watcher() = default;
        // Before amount bytes are read at offset: false refuses the read,
        // which fails as an I/O error (a statement busy reading stops).
        virtual bool beforeRead(qint64 offset, int amount) = 0;
        // After the read, done or failed.
        virtual void afterRead(qint64 offset, int amount) = 0;
    };

    explicit ReadWatch(Watcher &watcher);
    ~ReadWatch();
    ReadWatch(const ReadWatch &) = delete;
    ReadWatch &operator=(const ReadWatch &) = delete;

    const char *vfsName() const { return m_name.constData(); }

private:
    struct Vfs;
    QByteArray m_name;
    std::unique_ptr<Vfs> m_vfs;
};

} // namespace zv::db
