#include "HelpTopic.h"
#include "modCommon.h"
#include "platform/help/Help.h"

namespace zv::core {

void ShowHelpTopic(QWidget *owner, const QString &topic) {
    zv::help::showTopic(owner, topic, modCommon::appFile(QStringLiteral("Help/ZVA.qch")));
}

} // namespace zv::core
