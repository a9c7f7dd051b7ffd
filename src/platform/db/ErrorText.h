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
// A database another program holds is told in plain words, whatever the
// layout: it is no fault, and it opens once that program lets go.
QString errorText(const std::exception &e, ErrorLayout layout, const QString &where = QString());

// "<subject> is in use by another program. Please try again when it is closed."
QString inUseText(const QString &subject);
inline const QString kInUseSubject = QStringLiteral("The database");
inline const QString kSaveInUseSubject = QStringLiteral("The record could not be saved because the database");

// Another program holds the database file: nothing is wrong with it.
bool isInUse(const std::exception &e);
// The failures that say something about the file itself: it is damaged or not
// a database, or a table or column the program needs is missing. Only these
// may be answered with "corrupted" or "doesn't Support"; anything else (in
// use, a full disk, a closed connection) goes to the error path as it is.
bool isDamage(const std::exception &e);

} // namespace zv::db
