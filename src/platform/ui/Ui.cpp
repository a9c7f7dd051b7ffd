#include "platform/ui/Ui.h"
#include <QApplication>
#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>
#include <QHash>
#include <QProxyStyle>
#include <QStyleOption>
#include <QWidget>

namespace zv::ui {

namespace {

// Key -> file under :/zv/icons/. Keys of the shared image list first (in its
// order), then the footer's status key and the pictures of the main toolbar.
const QList<QPair<QString, QString>> &iconTable() {
    static const QList<QPair<QString, QString>> table = [] {
        QList<QPair<QString, QString>> t;
        const char *shared[] = {"Ok", "Condition", "Sort", "Selection", "Format", "Filter", "Cancel", "Reset",
                                "Confirmation", "Warning", "Information", "Critical", "None", "Add", "Modify",
                                "Delete", "Attachment", "Select", "Help", "Exit", "Gear", "MC", "TOOL", "JF",
                                "SETUP", "INSP", "OPR", "DetailAdd", "DetailModify", "DetailDelete", "Refresh",
                                "Print", "History", "Edit", "DeleteColumn", "Item", "Notes", "Term", "Find", "Copy"};
        for (const char *k : shared)
            t.append({QString::fromLatin1(k), QString::fromLatin1(k)});
        t.append({QStringLiteral("Status"), QStringLiteral("None")});
        const char *toolbar[][2] = {{"ShowDataBasePath", "ShowDataBasePath"}, {"BackUp Database", "BackUpDatabase"},
                                    {"Restore Database", "RestoreDatabase"},   {"Reset Database", "ResetDatabase"},
                                    {"ChangePassword", "ChangePassword"},      {"Parameter", "Parameter"},
                                    {"CmpnySetup", "CmpnySetup"},              {"Department", "Department"},
                                    {"Designation", "Designation"},            {"Holiday Master", "HolidayMaster"},
                                    {"EmpMaster", "EmpMaster"},                {"Emp_Manager", "EmpManager"},
                                    {"Activity Mast", "ActivityMast"},         {"ULGDET", "ULGDET"},
                                    {"Report1", "Report1"},                    {"Report2", "Report2"},
                                    {"Report3", "Report3"},                    {"Report4", "Report4"}};
        for (const auto &k : toolbar)
            t.append({QString::fromLatin1(k[0]), QString::fromLatin1(k[1])});
        // "Help" and "Exit" of the main toolbar are the shared pictures.
        return t;
    }();
    return table;
}

int g_pointerOverrides = 0;   // override cursors pushed by setMousePointer

} // namespace

} // namespace zv::ui

// Resources of a static library must be registered by name from outside any namespace.
static void initIconResources() {
    static const bool done = [] {
        Q_INIT_RESOURCE(zv_icons);
        return true;
    }();
    (void)done;
}

namespace zv::ui {

QString iconFile(const QString &key) {
    initIconResources();
    for (const auto &entry : iconTable())
        if (entry.first == key)
            return QStringLiteral(":/zv/icons/%1.svg").arg(entry.second);
    return QString();
}

QIcon icon(const QString &key) {
    static QHash<QString, QIcon> cache;
    const auto cached = cache.constFind(key);
    if (cached != cache.constEnd())
        return *cached;
    const QString path = iconFile(key);
    if (path.isEmpty())
        return QIcon();
    const QIcon result = QFile::exists(path) ? QIcon(path) : QIcon();
    cache.insert(key, result);
    return result;
}

namespace {
// The standard pictures are made from image files on every request; every
// toolbar asks for its overflow picture when it is made, so a form with three
// toolbars decoded three images for nothing. They are kept after the first.
class ProgramStyle : public QProxyStyle {
public:
    // The base style reads only the layout direction from the option.
    QIcon standardIcon(StandardPixmap which, const QStyleOption *option, const QWidget *widget) const override {
        const bool rightToLeft = option ? option->direction == Qt::RightToLeft : QGuiApplication::isRightToLeft();
        const int key = int(which) * 2 + (rightToLeft ? 1 : 0);
        auto found = m_icons.constFind(key);
        if (found == m_icons.constEnd())
            found = m_icons.insert(key, QProxyStyle::standardIcon(which, option, widget));
        return *found;
    }

private:
    mutable QHash<int, QIcon> m_icons;   // by picture and direction
};
} // namespace

void installProgramStyle() { QApplication::setStyle(new ProgramStyle); }

QStringList iconKeys() {
    QStringList keys;
    for (const auto &entry : iconTable())
        keys << entry.first;
    return keys;
}

void setMousePointer(int pointer) {
    if (pointer == 11) {
        if (g_pointerOverrides == 0) {
            QGuiApplication::setOverrideCursor(Qt::WaitCursor);
            ++g_pointerOverrides;
        }
    } else if (g_pointerOverrides > 0) {
        QGuiApplication::restoreOverrideCursor();
        --g_pointerOverrides;
    }
}

Hourglass::Hourglass() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }

Hourglass::~Hourglass() { QGuiApplication::restoreOverrideCursor(); }

void DoEvents() { QCoreApplication::processEvents(); }

void sendTab(QWidget *from) {
    if (!from)
        return;
    QWidget *window = from->window();
    // The next widget in the focus chain that Tab would reach, as Qt's own focus
    // navigation chooses it.
    for (QWidget *test = from->nextInFocusChain(); test && test != from; test = test->nextInFocusChain()) {
        if ((test->focusPolicy() & Qt::TabFocus) == Qt::TabFocus && !test->focusProxy() && test->window() == window &&
            test->isVisibleTo(window) && test->isEnabled() && test->focusProxy() != from) {
            test->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

} // namespace zv::ui
