#include "ToolbarButtons.h"
#include "FrameworkErrors.h"
#include <QAction>
#include <QToolBar>
#include <QVariant>

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

static const char *const kEnabled = "zvEnabled";

bool isButtonEnabled(const QAction *action) {
    if (action->isVisible())
        return action->isEnabled();
    const QVariant own = action->property(kEnabled);
    return own.isValid() ? own.toBool() : true;
}

void setButtonEnabled(QAction *action, bool enabled) {
    action->setProperty(kEnabled, enabled);
    action->setEnabled(enabled);
}

void trackButton(QAction *action) {
    if (action->property("zvTracked").toBool())
        return;
    action->setProperty("zvTracked", true);
    QObject::connect(action, &QAction::changed, action, [action] {
        if (action->isVisible())
            action->setProperty(kEnabled, action->isEnabled());
    });
}

} // namespace zv::fw
