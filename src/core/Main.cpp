#include "ExitWhenShown.h"
#include "MDIZVS.h"
#include "frmLogin.h"
#include "modCommon.h"
#include "platform/ui/MessageService.h"
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace modCommon {

namespace {
QString s_lockPath;
int s_lockFd = -1;
} // namespace

void setInstanceLockPath(const QString &path) {
    ReleaseInstanceLock();
    s_lockPath = path;
}

QString instanceLockPath() {
    if (!s_lockPath.isEmpty())
        return s_lockPath;
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty())
        dir = QDir::tempPath();
    return dir + QStringLiteral("/zorvane-admin.lock");
}

bool AcquireInstanceLock() {
    if (s_lockFd >= 0)
        return true;
    const QByteArray path = QFile::encodeName(instanceLockPath());
    const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return true;   // no place for a lock: better to run than to refuse forever
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return false;
    }
    s_lockFd = fd;
    return true;
}

void ReleaseInstanceLock() {
    if (s_lockFd >= 0) {
        ::close(s_lockFd);
        s_lockFd = -1;
    }
}

int Main() {
    if (!AcquireInstanceLock()) {
        zv::ui::MsgBox(QStringLiteral("Application is already open"), zv::ui::vbCritical, QString());
        EndProgram();
        return 1;
    }
    // The program lives as long as the main window, whose closing ends it explicitly.
    QApplication::setQuitOnLastWindowClosed(false);
    zv::core::exitWhenShownIfAsked();

    frmLogin::instance()->exec();
    frmLogin::releaseInstance();

    int rc = 0;
    if (!programEnded() && MDIZVS::existingInstance())
        rc = QApplication::exec();
    MDIZVS::releaseInstance();
    CloseConnections();
    ReleaseInstanceLock();
    return rc;
}

} // namespace modCommon
