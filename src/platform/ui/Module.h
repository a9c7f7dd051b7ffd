#pragma once
#include <QFunctionPointer>
#include <QString>

namespace zv::ui {

// The entry point of a module the program loads on first use (the help window,
// printing), so that starting the program loads none of their libraries.
// Loaded once for a path; the module stays loaded for the life of the process.
// Null when it cannot be loaded (said once on the console, naming `what`).
QFunctionPointer moduleEntry(const QString &path, const char *symbol, const char *what);

} // namespace zv::ui
