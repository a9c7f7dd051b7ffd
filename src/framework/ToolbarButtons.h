#pragma once
#include <QString>

class QAction;
class QToolBar;

// A toolbar's buttons are its actions; a button's key is its action's object
// name. Separators and placeholder widgets have no key.
namespace zv::fw {

QAction *findButton(const QToolBar *toolbar, const QString &key);   // nullptr when missing
QAction *button(const QToolBar *toolbar, const QString &key);       // throws 35601 when missing
QString buttonKey(const QAction *action);                           // "" for separators and placeholders

// A button's own Enabled, independent of its visibility. (A hidden QAction
// also reports itself disabled; a toolbar button keeps both states apart.)
bool isButtonEnabled(const QAction *action);
void setButtonEnabled(QAction *action, bool enabled);
// Keeps the button's own Enabled in step when it is changed on the action directly.
void trackButton(QAction *action);

} // namespace zv::fw
