#include "AdminFixture.h"
#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QFile>
#include <QFileInfo>
#include <csignal>
#include <sqlite3.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

void AdminTest::SetUp() {
    modCommon::ResetState();
    folder = std::make_unique<ProgramFolder>();
    modCommon::setAppPath(folder->path());
    modCommon::setEndProgramHandler([this] { ++endCount; });
    modCommon::OpenSystemDatabase();
    modCommon::gDBPath = production();
    modCommon::OpenDatabase();
    ASSERT_TRUE(modCommon::gConnOpen);
    ASSERT_TRUE(modCommon::gSysOpen);
    messages.clear();
}

void AdminTest::TearDown() {
    modCommon::CloseConnections();
    modCommon::ResetState();
    modCommon::setEndProgramHandler({});
    modCommon::setAppPath(QString());
    folder.reset();
}

void AdminTest::stamp(const QString &path, const QString &text) {
    zv::db::Connection c;
    c.open(path);
    c.execute(QStringLiteral("CREATE TABLE IF NOT EXISTS TestStamp (v TEXT)"));
    c.execute(QStringLiteral("DELETE FROM TestStamp"));
    c.execute(QStringLiteral("INSERT INTO TestStamp (v) VALUES (?)"), {text});
    c.close();
}

QString AdminTest::stampOf(const QString &path) {
    zv::db::Connection c;
    c.open(path, zv::db::Connection::Mode::ReadOnly);
    const bool has = !c.query(QStringLiteral("SELECT 1 FROM sqlite_master WHERE name = 'TestStamp'")).isEmpty();
    const QString v = has ? c.scalar(QStringLiteral("SELECT v FROM TestStamp")).toString() : QString();
    c.close();
    return v.isNull() ? QStringLiteral("") : v;
}

QByteArray AdminTest::bytesOf(const QString &path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool AdminTest::soundDatabase(const QString &path) {
    try {
        zv::db::Connection c;
        c.open(path, zv::db::Connection::Mode::ReadOnly);
        const bool genuine =
            !c.query(QStringLiteral("SELECT 1 FROM Parm WHERE UPPER(DB_Check) = 'ZORVANE'")).isEmpty();
        const bool intact = c.scalar(QStringLiteral("PRAGMA integrity_check")).toString() == QLatin1String("ok");
        return genuine && intact;
    } catch (...) {
        return false;
    }
}

QStringList AdminTest::leftovers(const QString &folderPath) {
    return QDir(folderPath).entryList(QStringList{QStringLiteral(".*")}, QDir::Files | QDir::Hidden);
}

bool AdminTest::mainConnectionOn(const QString &path) {
    const QString open = modCommon::MainConnectionPath();
    return !open.isEmpty() && QFileInfo(open).canonicalFilePath() == QFileInfo(path).canonicalFilePath();
}

FileSizeLimit::FileSizeLimit(qint64 bytes) {
    // Writing past the limit raises SIGXFSZ; ignored, the write fails with EFBIG instead.
    m_previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit lim{};
    getrlimit(RLIMIT_FSIZE, &lim);
    m_soft = lim.rlim_cur;
    lim.rlim_cur = rlim_t(bytes);
    setrlimit(RLIMIT_FSIZE, &lim);
}

qint64 FileSizeLimit::halfOf(const QString &path) { return QFileInfo(path).size() / 2; }

FileSizeLimit::~FileSizeLimit() {
    rlimit lim{};
    getrlimit(RLIMIT_FSIZE, &lim);
    lim.rlim_cur = m_soft;
    setrlimit(RLIMIT_FSIZE, &lim);
    std::signal(SIGXFSZ, m_previous);
}

void leaveHotJournal(const QString &path) {
    const QByteArray file = QFile::encodeName(path);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        sqlite3 *db = nullptr;
        if (sqlite3_open_v2(file.constData(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK)
            _exit(2);
        // A tiny cache makes the pages spill into the database file before the commit.
        const char *sql = "PRAGMA journal_mode=DELETE; PRAGMA cache_size=2; BEGIN;"
                          "CREATE TABLE Spill (v BLOB);"
                          "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 400)"
                          " INSERT INTO Spill SELECT randomblob(3000) FROM n;";
        if (sqlite3_exec(db, sql, nullptr, nullptr, nullptr) != SQLITE_OK)
            _exit(3);
        _exit(0);   // dies in the middle of the transaction
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
    ASSERT_TRUE(QFileInfo::exists(path + QStringLiteral("-journal")));
}

void typeKey(QWidget *target, int qtKey, const QString &text) {
    QKeyEvent press(QEvent::KeyPress, qtKey, Qt::NoModifier, text);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, qtKey, Qt::NoModifier, text);
    QApplication::sendEvent(target, &release);
}

void typeText(QWidget *target, const QString &text) {
    for (QChar c : text) {
        const int key = c == QLatin1Char(' ') ? int(Qt::Key_Space) : int(c.toUpper().unicode());
        typeKey(target, key, QString(c));
    }
}
