#include "Module.h"
#include <QHash>
#include <QLibrary>

namespace zv::ui {

QFunctionPointer moduleEntry(const QString &path, const char *symbol, const char *what) {
    static QHash<QString, QFunctionPointer> loaded;
    const QString key = path + QLatin1Char('\n') + QLatin1String(symbol);
    if (const auto found = loaded.constFind(key); found != loaded.constEnd() && *found)
        return *found;
    QLibrary module(path);
    const QFunctionPointer entry = module.resolve(symbol);
    if (!entry)
        qWarning("%s module not loaded: %s", what, qPrintable(module.errorString()));
    loaded.insert(key, entry);
    return entry;
}

} // namespace zv::ui
