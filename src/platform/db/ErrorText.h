#pragma once
#include "DbError.h"
#include <QString>
#include <exception>

namespace zv::db {

// Any failure as an error box tells it: a DbError as it is, anything else as
// the general failure with the exception's text.
DbError failureOf(const std::exception &e);

// The ways the program's error boxes lay out a failure (n the number, d the
// description, s the source); `where`, when given, follows on a line of its own.
enum class ErrorLayout {
    Standard,          // "Error Number is n", "Error Description is    d", s, "Contact System Administrator"
    NumberColon,       // "Error Number: n", d (lines end in CR LF)
    NumberFirst,       // n, d
    NumberFirstLf,     // n, d (lines end in LF)
    Labelled,          // "Error Number - n", "Error Description -d", "Error Source - s" (CR LF)
    DescriptionFirst,  // d, n
    Description,       // d alone
};

// The text of an error box. Every box that shows a failure builds its text here.
QString errorText(const std::exception &e, ErrorLayout layout, const QString &where = QString());

} // namespace zv::db
