#pragma once
#include "platform/db/DbError.h"
#include <QString>

// Failures of the toolbar objects, raised as zv::db::DbError (the program's one
// error type carrying a number) so that callers and the shared error report
// treat them like any other.
namespace zv::fw {

inline constexpr long ElementNotFound = 35601;     // no button or picture of that key
inline constexpr long KeyNotUnique = 35602;        // a second button with the same key
inline constexpr long ObjectNotSet = 91;           // a toolbar, form or label not handed over yet
inline constexpr long InvalidUseOfNull = 94;       // a Null value read as text
inline constexpr long ConnectionClosed = zv::db::err::ConnectionClosed;

[[noreturn]] void raiseElementNotFound(const QString &key);
[[noreturn]] void raiseKeyNotUnique(const QString &key);
[[noreturn]] void raiseObjectNotSet(const char *what);

} // namespace zv::fw
