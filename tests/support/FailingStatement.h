#pragma once
// Header only: a statement made to fail, so a test can show what a step does
// when one read or write of it fails and the next would succeed.
#include <QByteArray>
#include <cstring>
#include <sqlite3.h>

// While alive: the first statement containing `text` that starts on a
// connection opened meanwhile on a file whose path ends with `fileEnd` fails
// (interrupted, 3712) before it reads or writes anything; every other
// statement runs as ever. failed() tells whether it came.
class FailingStatement {
public:
    FailingStatement(QByteArray fileEnd, QByteArray text) {
        s_fileEnd = std::move(fileEnd);
        s_text = std::move(text);
        s_armed = true;
        s_failed = false;
        sqlite3_auto_extension(reinterpret_cast<Entry>(&onOpen));
    }
    ~FailingStatement() {
        sqlite3_cancel_auto_extension(reinterpret_cast<Entry>(&onOpen));
        s_armed = false;
    }
    FailingStatement(const FailingStatement &) = delete;
    FailingStatement &operator=(const FailingStatement &) = delete;

    static bool failed() { return s_failed; }

private:
    using Entry = void (*)();
    static int onStatement(unsigned, void *db, void *, void *sql) {
        if (s_armed && std::strstr(static_cast<const char *>(sql), s_text.constData())) {
            s_armed = false;
            s_failed = true;
            sqlite3_interrupt(static_cast<sqlite3 *>(db));   // stops it at its first step
        }
        return 0;
    }
    static int onOpen(sqlite3 *db, const char **, const sqlite3_api_routines *) {
        const char *name = sqlite3_db_filename(db, "main");
        if (name && QByteArray(name).endsWith(s_fileEnd))
            sqlite3_trace_v2(db, SQLITE_TRACE_STMT, &onStatement, db);
        return SQLITE_OK;
    }
    static inline QByteArray s_fileEnd;
    static inline QByteArray s_text;
    static inline bool s_armed = false;
    static inline bool s_failed = false;
};
