#pragma once
#include "MessageService.h"
#include "platform/db/ErrorText.h"
#include <QString>
#include <exception>

// The boxes that tell a failure. Every one of them is built here, so a
// database another program holds is told the same way everywhere: in plain
// words, and once for one user action however many steps of it meet the lock.
namespace zv::ui {

// One user action (a key, a click, a menu entry). While one runs, an in-use
// box is shown at most once. Outside any, a box shown stays the only one
// until the user presses a key or a mouse button again.
class OneAction {
public:
    OneAction();
    ~OneAction();
    OneAction(const OneAction &) = delete;
    OneAction &operator=(const OneAction &) = delete;
};

// The error box of a failure, laid out as the caller's form lays it out. A
// database in use is the in-use box instead, whatever the layout.
void ErrorBox(const std::exception &e, zv::db::ErrorLayout layout, int buttons = vbOKOnly + vbCritical,
              const QString &title = QString(), const QString &where = QString());

// "<subject> is in use by another program. ...", once per action.
void InUseBox(const QString &subject = zv::db::kInUseSubject);

// Whether an in-use box has been shown in the action that runs now.
bool inUseTold();

} // namespace zv::ui
