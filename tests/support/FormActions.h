#pragma once
// Header only: the test executables that include it link Qt Test.
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QTest>
#include <QToolBar>
#include <gtest/gtest.h>

// What the user does to a form under test: shows it, clicks a toolbar
// button, presses a key.

// Shown and made the active window, its showing handled.
inline void showForm(QDialog &form) {
    form.show();
    QApplication::setActiveWindow(&form);
    QApplication::processEvents();
}

// A mouse click on the toolbar's button for the action.
inline void click(QToolBar *tb, QAction *button) {
    ASSERT_NE(button, nullptr);
    QWidget *w = tb->widgetForAction(button);
    ASSERT_NE(w, nullptr);
    QTest::mouseClick(w, Qt::LeftButton);
}

// A key pressed where the focus is (the form when nothing in it has the focus).
inline void key(QWidget &form, Qt::Key k, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QWidget *target = QApplication::focusWidget();
    if (!target || target->window() != form.window())
        target = &form;
    QTest::keyClick(target, k, mods);
}
