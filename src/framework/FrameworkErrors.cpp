#include "FrameworkErrors.h"
#include "platform/db/DbError.h"

namespace zv::fw {

void raiseElementNotFound(const QString &key) {
    throw zv::db::DbError(ElementNotFound, QStringLiteral("Element not found: ") + key,
                          QStringLiteral("zv.toolbar"));
}

void raiseKeyNotUnique(const QString &key) {
    throw zv::db::DbError(KeyNotUnique, QStringLiteral("Key is not unique in collection: ") + key,
                          QStringLiteral("zv.toolbar"));
}

void raiseObjectNotSet(const char *what) {
    throw zv::db::DbError(ObjectNotSet,
                          QStringLiteral("Object variable not set: ") + QString::fromLatin1(what),
                          QStringLiteral("zv.framework"));
}

} // namespace zv::fw
