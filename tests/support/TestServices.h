#pragma once
// Header only: a form made with forms() asks the test's answers, which the
// test may set or change at any time, also after the form was made.
#include "framework/FormServices.h"
#include <QStringList>
#include <functional>

struct TestServices {
    // The general filter's answer by screen key; unset: nothing chosen.
    std::function<QStringList(const QString &screenKey)> filter;
    // The employee selection's answer; unset: nothing chosen.
    std::function<QString(const zv::fw::SelectionRequest &)> chooser;
    // The day view; unset: nothing shown.
    std::function<void(QWidget *owner, const QString &day)> dayView;
    // The report viewer's hooks, as they are when the form is made; unset:
    // the real window and dialogs.
    zv::report::ViewerHooks viewer;

    zv::fw::FormServices forms() {
        zv::fw::FormServices s;
        s.generalFilter = [this](const QString &screenKey, const QString &) {
            return filter ? filter(screenKey) : QStringList{QString(), QString()};
        };
        s.chooseEmployees = [this](const zv::fw::SelectionRequest &r) { return chooser ? chooser(r) : QString(); };
        s.dayView = [this](QWidget *owner, const QString &day) {
            if (dayView)
                dayView(owner, day);
        };
        s.viewer = viewer;
        return s;
    }
};
