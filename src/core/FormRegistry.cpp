#include "FormRegistry.h"
#include <QDialog>
#include <QHash>
#include <QPointer>
#include <memory>

namespace zv::forms {

namespace {
QHash<QString, Factory> &factories() {
    static QHash<QString, Factory> map;
    return map;
}
QHash<QString, std::function<void()>> &releases() {
    static QHash<QString, std::function<void()>> map;
    return map;
}
QHash<QString, std::function<void()>> &startupTasks() {
    static QHash<QString, std::function<void()>> map;
    return map;
}
} // namespace

void registerForm(const QString &name, Factory factory) {
    if (factory)
        factories().insert(name, std::move(factory));
    else
        factories().remove(name);
}

void unregisterForm(const QString &name) { factories().remove(name); }

bool isRegistered(const QString &name) { return factories().contains(name); }

QStringList registeredForms() { return factories().keys(); }

QDialog *createForm(const QString &name, QWidget *parent) {
    const auto it = factories().constFind(name);
    return it == factories().constEnd() ? nullptr : (*it)(parent);
}

int showModal(const QString &name, QWidget *parent, const std::function<void(QDialog &)> &prepare) {
    QPointer<QDialog> form = createForm(name, parent);
    if (!form)
        return -1;
    form->setWindowModality(Qt::ApplicationModal);
    if (prepare)
        prepare(*form);
    const int result = form->exec();
    // The form may have deleted itself (WA_DeleteOnClose); otherwise it goes now.
    delete form.data();
    return result;
}

void registerRelease(const QString &name, std::function<void()> release) {
    if (release)
        releases().insert(name, std::move(release));
    else
        releases().remove(name);
}

void release(const QString &name) {
    const auto it = releases().constFind(name);
    if (it != releases().constEnd())
        (*it)();
}

void registerStartupTask(const QString &name, std::function<void()> task) {
    if (task)
        startupTasks().insert(name, std::move(task));
    else
        startupTasks().remove(name);
}

void runStartupTasks() {
    for (const auto &task : std::as_const(startupTasks()))
        task();
}

void clearRegistry() {
    factories().clear();
    releases().clear();
    startupTasks().clear();
}

} // namespace zv::forms
