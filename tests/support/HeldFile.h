#pragma once
// Header only: what a box may say about a database file another program holds.
#include <QString>

// Whether the text tells a held file as something it is not: damaged,
// unsupported, missing, or as a raw error number. A held file is only ever
// "in use".
inline bool misleadingForAHeldFile(const QString &prompt) {
    for (const char *word : {"corrupted", "doesn't Support", "does not exist", "Error Number", "-2147", "3045", "locked"})
        if (prompt.contains(QLatin1String(word), Qt::CaseInsensitive))
            return true;
    return false;
}
