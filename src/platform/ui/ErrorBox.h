#pragma once
#include "MessageService.h"
#include "platform/db/ErrorText.h"
#include <QString>
#include <exception>
#include <functional>
#include <type_traits>
#include <utility>

// How a failure ends the user's action and is told. The step that meets a
// failure throws; the boundary of the action (a key or click handler, a menu
// entry, a key pressed in a modal window, a window being shown or closed)
// catches it and tells it in one box. Nothing after the failed step runs, so
// one failing press gives one box, and every press that fails says why.
namespace zv::ui {

// Thrown by a step that has told its failure in its own words (a box of its
// own, the path form for a missing file): the action ends and the boundary
// says nothing more. Not a std::exception, so that no catch meant for a
// failure to tell takes it for one.
struct ActionEnded {};
[[noreturn]] void endAction();

// Tells a failure that reached an action's boundary.
using Teller = std::function<void(const std::exception &)>;

// The program's box for an unexpected failure ("Error Number is ...", title
// "Information"); a database another program holds is the in-use box.
void tellFailure(const std::exception &e);

// Runs one user action. A failure that reaches here ends it and is told by
// tell (tellFailure when empty), unless it was told already (ActionEnded).
// Returns whether the action ran to its end.
bool runAction(const std::function<void()> &step, const Teller &tell = {});

// A slot that runs as one user action: connect(button, &QPushButton::clicked,
// this, asAction([this] { ... })). The step takes what the signal passes, or nothing.
template <class F>
auto asAction(F step, Teller tell = {}) {
    return [step = std::move(step), tell = std::move(tell)](auto &&...args) {
        runAction(
            [&] {
                if constexpr (std::is_invocable_v<const F &, decltype(args)...>)
                    step(std::forward<decltype(args)>(args)...);
                else
                    step();
            },
            tell);
    };
}

// The error box of a failure, laid out as the caller's form lays it out. A
// database in use is the in-use box instead, whatever the layout.
void ErrorBox(const std::exception &e, zv::db::ErrorLayout layout, int buttons = vbOKOnly + vbCritical,
              const QString &title = QString(), const QString &where = QString());

// "<subject> is in use by another program. ..."
void InUseBox(const QString &subject = zv::db::kInUseSubject);

} // namespace zv::ui
