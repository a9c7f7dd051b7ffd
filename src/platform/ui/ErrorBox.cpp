#include "ErrorBox.h"
#include <QApplication>
#include <QEvent>
#include <QObject>

namespace zv::ui {

namespace {
int s_depth = 0;
bool s_told = false;
bool s_boxOpen = false;

// Ends the implicit action of a box shown outside any OneAction: the next
// press of a key or a mouse button (not one that answers the box) is a new one.
class NextPress : public QObject {
public:
    bool eventFilter(QObject *watched, QEvent *event) override {
        const QEvent::Type t = event->type();
        if (s_told && s_depth == 0 && !s_boxOpen &&
            (t == QEvent::KeyPress || t == QEvent::MouseButtonPress || t == QEvent::ShortcutOverride))
            s_told = false;
        return QObject::eventFilter(watched, event);
    }
};

void watchPresses() {
    static NextPress *filter = nullptr;
    if (filter || !qApp)
        return;
    filter = new NextPress;
    filter->setParent(qApp);
    qApp->installEventFilter(filter);
}
} // namespace

OneAction::OneAction() {
    if (s_depth++ == 0)
        s_told = false;
}

OneAction::~OneAction() {
    if (--s_depth == 0)
        s_told = false;
}

bool inUseTold() { return s_told; }

void InUseBox(const QString &subject) {
    if (s_told)
        return;
    s_told = true;
    watchPresses();
    s_boxOpen = true;
    MsgBox(zv::db::inUseText(subject), vbCritical, QStringLiteral("Error"));
    s_boxOpen = false;
}

void ErrorBox(const std::exception &e, zv::db::ErrorLayout layout, int buttons, const QString &title,
              const QString &where) {
    if (zv::db::isInUse(e)) {
        InUseBox();
        return;
    }
    MsgBox(zv::db::errorText(e, layout, where), buttons, title);
}

} // namespace zv::ui
