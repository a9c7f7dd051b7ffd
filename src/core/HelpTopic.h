#pragma once
#include <QString>

class QWidget;

namespace zv::core {

// Opens the help file of the program's folder (Help/ZVA.qch) at a topic, or
// says "Help not available" when the file is missing.
void ShowHelpTopic(QWidget *owner, const QString &topic);

} // namespace zv::core
