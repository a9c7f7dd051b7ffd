#pragma once
#include "platform/report/ViewerHooks.h"
#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

namespace zv::fw {

// The employee selection window's arguments.
struct SelectionRequest {
    QString caption;
    QString sql;
    int returnMode = 0;
    QString current;
    int keyColumn = 0, firstColumn = 0, secondColumn = -1, thirdColumn = -1;
};

// What a form asks of the layers above the framework, handed to it when it is
// made: the program passes the real windows (zv::masters::formServices()),
// tests their own answers. No form has a default: a form made without its
// services does not compile, so a test cannot open a real window by accident.
// A service left empty answers "nothing chosen".
struct FormServices {
    // The general filter by screen key and join condition: the texts of the
    // chosen grid row, element 0 empty when nothing was chosen.
    std::function<QStringList(const QString &screenKey, const QString &joinCondition)> generalFilter;
    // The employee selection window: the chosen keys, "" when none.
    std::function<QString(const SelectionRequest &request)> chooseEmployees;
    // One day's work allocation ("dd-MMM-yyyy"), shown over owner.
    std::function<void(QWidget *owner, const QString &day)> dayView;
    // The report viewer's modal showing and print dialogs (empty: the real ones).
    zv::report::ViewerHooks viewer;
};

} // namespace zv::fw
