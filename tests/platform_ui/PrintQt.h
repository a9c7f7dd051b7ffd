#pragma once
#include <QString>
#include <ostream>

// Readable Qt strings in test failure messages.
inline void PrintTo(const QString &s, std::ostream *os) { *os << '"' << s.toStdString() << '"'; }
