#include "OtherProgramLock.h"
#include <QCoreApplication>
#include <QFile>
#include <QProcessEnvironment>
#include <cstdio>
#include <iostream>
#include <sqlite3.h>
#include <atomic>
#include <chrono>
#include <utility>
#include <string>
#include <thread>

namespace {
const char *kPathVar = "ZV_TEST_LOCK_DB";
const char *kSqlVar = "ZV_TEST_LOCK_SQL";
const char *kLetGoVar = "ZV_TEST_LOCK_LET_GO_MS";
const char *kEveryVar = "ZV_TEST_LOCK_EVERY_MS";
// Not a timing: a child that never answers fails the test instead of hanging it.
constexpr int kNoAnswerMs = 60000;
} // namespace

OtherProgramLock::OtherProgramLock(const QString &path, const QString &lockSql)
    : OtherProgramLock(path, lockSql, -1) {}

OtherProgramLock::OtherProgramLock(const QString &path, const QString &lockSql, int letGoAfterMs) {
    start(path, lockSql, letGoAfterMs, -1);
}

OtherProgramLock::OtherProgramLock(const QString &path, const QString &lockSql, Every every) {
    start(path, lockSql, -1, every.ms);
}

void OtherProgramLock::start(const QString &path, const QString &lockSql, int letGoAfterMs, int everyMs) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QString::fromLatin1(kPathVar), path);
    env.insert(QString::fromLatin1(kSqlVar), lockSql);
    for (const auto &[var, ms] : {std::pair{kLetGoVar, letGoAfterMs}, std::pair{kEveryVar, everyMs}}) {
        if (ms >= 0)
            env.insert(QString::fromLatin1(var), QString::number(ms));
        else
            env.remove(QString::fromLatin1(var));
    }
    m_child.setProcessEnvironment(env);
    m_child.setProcessChannelMode(QProcess::MergedChannels);
    m_child.start(QCoreApplication::applicationFilePath(), {});
    if (!m_child.waitForStarted(kNoAnswerMs))
        return;
    while (!m_output.contains("HELD") && !m_output.contains("FAILED") && m_child.waitForReadyRead(kNoAnswerMs))
        m_output += m_child.readAll();
    m_held = m_output.contains("HELD");
}

OtherProgramLock::~OtherProgramLock() {
    release();
    if (m_child.state() != QProcess::NotRunning) {
        m_child.kill();
        m_child.waitForFinished(kNoAnswerMs);
    }
}

bool OtherProgramLock::release() {
    if (m_released)
        return true;
    m_released = true;
    if (m_child.state() == QProcess::NotRunning)
        return false;
    m_child.closeWriteChannel();
    const bool ended = m_child.waitForFinished(kNoAnswerMs);
    m_output += m_child.readAll();
    return ended && m_child.exitStatus() == QProcess::NormalExit && m_child.exitCode() == 0;
}

std::optional<int> OtherProgramLock::runIfChild() {
    const QByteArray path = qgetenv(kPathVar);
    if (path.isEmpty())
        return std::nullopt;
    const QByteArray sql = qgetenv(kSqlVar);
    sqlite3 *db = nullptr;
    if (sqlite3_open_v2(path.constData(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK ||
        sqlite3_exec(db, sql.constData(), nullptr, nullptr, nullptr) != SQLITE_OK) {
        std::cout << "FAILED " << (db ? sqlite3_errmsg(db) : "open") << std::endl;
        sqlite3_close(db);
        return 1;
    }
    std::cout << "HELD" << std::endl;
    if (const QByteArray every = qgetenv(kEveryVar); !every.isEmpty()) {
        // Writes again and again until told to stop (stdin closed).
        std::atomic<bool> stop{false};
        std::thread reader([&stop] {
            std::string line;
            while (std::getline(std::cin, line)) {
            }
            stop = true;
        });
        sqlite3_busy_timeout(db, 5000);
        while (!stop) {
            std::this_thread::sleep_for(std::chrono::milliseconds(every.toInt()));
            if (sqlite3_exec(db, sql.constData(), nullptr, nullptr, nullptr) != SQLITE_OK &&
                !sqlite3_get_autocommit(db))
                sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
        }
        reader.join();
        sqlite3_close(db);
        return 0;
    }
    if (const QByteArray letGo = qgetenv(kLetGoVar); !letGo.isEmpty()) {
        std::this_thread::sleep_for(std::chrono::milliseconds(letGo.toInt()));
        if (!sqlite3_get_autocommit(db))
            sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
    }
    std::string line;
    while (std::getline(std::cin, line)) {
    }
    if (!sqlite3_get_autocommit(db))
        sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(db);
    return 0;
}
