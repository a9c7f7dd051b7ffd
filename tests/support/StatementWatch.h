#pragma once
#include <QByteArray>
#include <cstring>
#include <functional>
#include <sqlite3.h>

// While alive: the first statement containing `text` (or, with whole, that is
// `text`) that starts on a connection opened meanwhile on a file whose path
// ends with `fileEnd` runs `act` first, on that statement's thread, before it
// takes any lock. What another program does between two steps of this one,
// without timing it. An act that takes the connection can act on it.
class StatementWatch {
public:
    using Act = std::function<void(sqlite3 *)>;
    StatementWatch(QByteArray fileEnd, QByteArray text, Act act, bool whole = false) {
        s_fileEnd = std::move(fileEnd);
        s_text = std::move(text);
        s_whole = whole;
        s_act = std::move(act);
        sqlite3_auto_extension(reinterpret_cast<Entry>(&onOpen));
    }
    StatementWatch(QByteArray fileEnd, QByteArray text, std::function<void()> act, bool whole = false)
        : StatementWatch(std::move(fileEnd), std::move(text), Act([act = std::move(act)](sqlite3 *) { act(); }),
                         whole) {}
    ~StatementWatch() {
        sqlite3_cancel_auto_extension(reinterpret_cast<Entry>(&onOpen));
        s_act = nullptr;
    }
    StatementWatch(const StatementWatch &) = delete;
    StatementWatch &operator=(const StatementWatch &) = delete;

private:
    using Entry = void (*)();
    static int onStatement(unsigned, void *db, void *, void *sql) {
        const char *text = static_cast<const char *>(sql);
        if (s_act && (s_whole ? s_text == text : std::strstr(text, s_text.constData()) != nullptr)) {
            const auto once = std::move(s_act);
            s_act = nullptr;
            once(static_cast<sqlite3 *>(db));
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
    static inline bool s_whole = false;
    static inline Act s_act;
};
