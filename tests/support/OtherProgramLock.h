#pragma once
#include <QByteArray>
#include <QProcess>
#include <QString>
#include <optional>

// Another program holding a database file: this test executable started again
// as a child process, which opens the file, runs lockSql and keeps its lock
// until release() (or the end of this object). The child runs the SQL with
// the raw library, as the employees' program would.
class OtherProgramLock {
public:
    explicit OtherProgramLock(const QString &path, const QString &lockSql = QStringLiteral("BEGIN EXCLUSIVE"));
    // The child lets go by itself letGoAfterMs after it has said it holds the
    // lock: a lock released while this process waits on it.
    OtherProgramLock(const QString &path, const QString &lockSql, int letGoAfterMs);
    // The child runs lockSql once, says it holds, then runs it again every
    // everyMs until release(): another program writing all the time
    // ("BEGIN IMMEDIATE; ...; COMMIT" commits each time).
    struct Every {
        int ms;
    };
    OtherProgramLock(const QString &path, const QString &lockSql, Every every);
    ~OtherProgramLock();
    OtherProgramLock(const OtherProgramLock &) = delete;
    OtherProgramLock &operator=(const OtherProgramLock &) = delete;

    // Whether the child holds the lock (it has said so); output() says why not.
    bool held() const { return m_held; }
    QByteArray output() const { return m_output; }
    // The child rolls back, closes the file and ends; true when it ended cleanly.
    bool release();

    // Called first thing in main(): when this process was started as such a
    // child, holds the lock and gives the exit code.
    static std::optional<int> runIfChild();

private:
    void start(const QString &path, const QString &lockSql, int letGoAfterMs, int everyMs);
    QProcess m_child;
    QByteArray m_output;
    bool m_held = false;
    bool m_released = false;
};
