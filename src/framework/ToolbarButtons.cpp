#include "ToolbarButtons.h"
#include "FrameworkErrors.h"
#include <QAction>
#include <QToolBar>

namespace zv::fw {

QAction *findButton(const QToolBar *toolbar, const QString &key) {
    if (!toolbar)
        raiseObjectNotSet("toolbar");
    if (key.isEmpty())
        return nullptr;
    const auto actions = toolbar->actions();
    for (QAction *a : actions)
        if (!a->isSeparator() && a->objectName() == key)
            return a;
    return nullptr;
}

QAction *button(const QToolBar *toolbar, const QString &key) {
    QAction *a = findButton(toolbar, key);
    if (!a)
        raiseElementNotFound(key);
    return a;
}

QString buttonKey(const QAction *action) {
    return action && !action->isSeparator() ? action->objectName() : QString();
}

} // namespace zv::fw
