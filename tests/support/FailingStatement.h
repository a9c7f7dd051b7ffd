#pragma once
// Header only: a statement made to fail, so a test can show what a step does
// when one read or write of it fails and the next would succeed.
#include "StatementWatch.h"

// While alive: the first statement containing `text` that starts on a
// connection opened meanwhile on a file whose path ends with `fileEnd` fails
// (interrupted, 3712) before it reads or writes anything; every other
// statement runs as ever. failed() tells whether it came.
class FailingStatement {
public:
    FailingStatement(QByteArray fileEnd, QByteArray text)
        : m_watch(std::move(fileEnd), std::move(text), StatementWatch::Act([](sqlite3 *db) {
                      s_failed = true;
                      sqlite3_interrupt(db);   // stops it at its first step
                  })) {
        s_failed = false;
    }

    static bool failed() { return s_failed; }

private:
    static inline bool s_failed = false;
    StatementWatch m_watch;
};
