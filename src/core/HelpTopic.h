#pragma once
#include <QString>

class QWidget;

namespace zv::core {

// Opens the program's help file at a topic, or says "Help not available".
void ShowHelpTopic(QWidget *owner, const QString &topic);

} // namespace zv::core
