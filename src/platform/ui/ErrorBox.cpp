#include "ErrorBox.h"

namespace zv::ui {

void endAction() { throw ActionEnded(); }

void tellFailure(const std::exception &e) {
    const zv::db::DbError failure = zv::db::failureOf(e);
    if (failure.number() == 0)
        return;
    ErrorBox(failure, zv::db::ErrorLayout::Standard, vbCritical, QStringLiteral("Information"));
}

bool runAction(const std::function<void()> &step, const Teller &tell) {
    try {
        step();
        return true;
    } catch (const ActionEnded &) {
    } catch (const std::exception &e) {
        if (tell)
            tell(e);
        else
            tellFailure(e);
    }
    return false;
}

void InUseBox(const QString &subject) { MsgBox(zv::db::inUseText(subject), vbCritical, QStringLiteral("Error")); }

void ErrorBox(const std::exception &e, zv::db::ErrorLayout layout, int buttons, const QString &title,
              const QString &where) {
    if (zv::db::isInUse(e)) {
        InUseBox();
        return;
    }
    MsgBox(zv::db::errorText(e, layout, where), buttons, title);
}

} // namespace zv::ui
