#include "HelpTopic.h"
#include "modCommon.h"
#include "platform/ui/MessageService.h"
#include <QFileInfo>

namespace zv::core {

void ShowHelpTopic(QWidget *owner, const QString &topic) {
    (void)owner;
    (void)topic;
    if (!QFileInfo::exists(modCommon::appFile(QStringLiteral("Help/ZVA.qch")))) {
        zv::ui::MsgBox(QStringLiteral("Help not available"), zv::ui::vbInformation, QStringLiteral("Information"));
        return;
    }
    // TODO: the help window, when the help layer lands.
}

} // namespace zv::core
